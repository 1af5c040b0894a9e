#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>

#include "core/ChunkCodec.h"
#include "core/WordDatabase.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TestSupport.h"

using namespace zq;
using namespace zq::test;

namespace {

const std::vector<std::string> kRecords = {"retains*keeps possession of*v**~",
                                           "cat*a small feline*n*kitty*~",
                                           "kitty*a kitten*n*cat*~",
                                           "zebra*a striped horse*n**~",
                                           "apple*a fruit*n**~",
                                           "mango*a fruit*n**~",
                                           "quiz*a short test*n**~",
                                           "aha*an exclamation*interj*ah*~"};

std::map<std::string, std::string> contentOf(CWordDatabase& db) {
    std::map<std::string, std::string> out;
    for (CWordNode* n : db.inOrder())
        if (std::strlen(n->word()) > 2) out[n->word()] = formatRecord(n->entry());
    return out;
}

} // namespace

TEST(Save, ReloadGivesTheSameEntriesAndTheSameTree) {
    TempDir dir;
    RecordingUi ui;
    std::map<std::string, std::string> before;
    std::vector<std::string> shape;
    {
        auto db = databaseWith(dir, ui, kRecords);
        db->addEntry("zebra", "an African equine with stripes", "n", "", true);
        db->addEntry("newt", "a small amphibian", "n", "eft", true);
        db->modified = 1;
        ui.answer = true;
        before = contentOf(*db);
        shape = preorderWords(*db);
    }
    EXPECT_EQ(ui.questions, std::vector<std::string>{str::kSaveQuestion});
    EXPECT_TRUE(dir.exists("word.lst.bak"));
    EXPECT_FALSE(dir.exists("word.lst.tmp"));
    EXPECT_EQ(dir.read("word.lst.bak"), wordListBytes(kRecords));
    auto db = openDatabase(dir, ui);
    ASSERT_TRUE(db->loaded);
    EXPECT_EQ(contentOf(*db), before);
    EXPECT_EQ(preorderWords(*db), shape);
    EXPECT_EQ(dir.read("word.lst")[0], 6);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Save, NothingHappensUnlessModifiedAndConfirmed) {
    for (int modified : {0, 1}) {
        TempDir dir;
        RecordingUi ui;
        ui.answer = false;
        {
            auto db = databaseWith(dir, ui, kRecords);
            db->addEntry("cat", "changed", "n", "", true);
            db->modified = modified;
        }
        EXPECT_EQ(ui.questions.size(), static_cast<std::size_t>(modified));
        EXPECT_EQ(dir.read("word.lst"), wordListBytes(kRecords));
        EXPECT_FALSE(dir.exists("word.lst.bak"));
    }
}

TEST(Save, DeletedAndExpurgedWordsComeBackAsSaved) {
    TempDir dir;
    RecordingUi ui;
    const std::string slur = kExpurgedWords[0];
    {
        auto db = databaseWith(dir, ui, kRecords);
        db->addEntry("apple", "delete", "n", "", true); // addEntry passes "delete" over
        db->root->insertOrReplace("mango", "delete", "n", "", true);
        db->root->insertOrReplace("ox", "changed", "n", "", true); // two letters: not saved
        ASSERT_TRUE(db->save());
    }
    // The file holds mango with "delete" and the expurged word as expurged.
    {
        bool ok = false;
        const Bytes file = dir.read("word.lst");
        const Bytes text = decompress(Bytes(file.begin() + 2, file.end()), 6, &ok);
        const std::string s(text.begin(), text.end());
        EXPECT_TRUE(ok);
        EXPECT_NE(s.find("mango*delete*n**~"), std::string::npos);
        EXPECT_NE(s.find(slur + "*expurged*expurged**~"), std::string::npos);
        EXPECT_EQ(s.find("ox*"), std::string::npos);
    }
    auto db = openDatabase(dir, ui);
    EXPECT_EQ(db->find("mango"), nullptr);
    EXPECT_NE(db->find("apple"), nullptr);
    EXPECT_STREQ(db->find("ox")->definition(), "a hoofed domestic mammal");
    EXPECT_TRUE(db->find(slur)->has(CWordNode::Expurged));
}

TEST(Save, FailuresLeaveTheFileAsItWasAndAreReported) {
    // The disk fills up after 5,000 bytes in the second case.
    for (auto [fail, n] : {std::pair{Op::Create, 1}, std::pair{Op::DiskFull, 5000},
                           std::pair{Op::Rename, 1}, std::pair{Op::Copy, 1}}) {
        SCOPED_TRACE(nameOf(fail));
        TempDir dir;
        RecordingUi ui;
        FaultyFileSystem fs;
        fs.arm(fail, static_cast<std::size_t>(n));
        dir.write(kWordListName, wordListBytes(kRecords));
        DatabaseSetup setup;
        setup.folder = dir.path();
        setup.ui = &ui;
        setup.fileSystem = &fs;
        CWordDatabase db(setup);
        // Enough varied text that the compressed file passes 5,000 bytes.
        std::mt19937 rng(5);
        for (int i = 0; i < 400; ++i) {
            std::string word = "zz", definition;
            for (int n = i; n; n /= 26)
                word += static_cast<char>('a' + n % 26);
            for (int n = 0; n < 30; ++n)
                definition += static_cast<char>('a' + rng() % 26);
            db.addEntry(word.c_str(), definition.c_str(), "n", "", true);
        }
        EXPECT_FALSE(db.save());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find("could not be saved"), std::string::npos);
        EXPECT_EQ(dir.read("word.lst"), wordListBytes(kRecords));
        EXPECT_FALSE(dir.exists("word.lst.tmp"));
    }
}

TEST(Save, RecordsTooLongForAChunkAreRefused) {
    TempDir dir;
    RecordingUi ui;
    auto db = databaseWith(dir, ui, kRecords);
    db->addEntry("long", std::string(40000, 'x').c_str(), "n", "", true);
    EXPECT_FALSE(db->save());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("\"long\""), std::string::npos);
    EXPECT_EQ(dir.read("word.lst"), wordListBytes(kRecords));
}

// A field that the file could not carry back (a record separator, a line
// break, a NUL) is refused before anything is written.
TEST(Save, FieldsTheFileCannotCarryAreRefusedBeforeWriting) {
    for (const char* definition : {"one*two", "a ~ b", "two\nlines", "cr\rhere"}) {
        SCOPED_TRACE(definition);
        TempDir dir;
        RecordingUi ui;
        auto db = databaseWith(dir, ui, kRecords);
        db->find("cat")->setContent("cat", definition, "n", "", true);
        EXPECT_FALSE(db->save());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find("\"cat\" cannot be stored"), std::string::npos);
        EXPECT_EQ(dir.read("word.lst"), wordListBytes(kRecords));
        EXPECT_FALSE(dir.exists("word.lst.tmp"));
        EXPECT_FALSE(dir.exists("word.lst.bak"));
    }
}

TEST(Save, BackupListsEntriesInWordOrder) {
    TempDir dir;
    RecordingUi ui;
    auto db = databaseWith(dir, ui, kRecords);
    ASSERT_TRUE(db->backupText());
    const Bytes bytes = dir.read("backup.lst");
    const std::string text(bytes.begin(), bytes.end());
    std::vector<std::string> lines;
    for (std::size_t at = 0, eol; (eol = text.find('\n', at)) != std::string::npos; at = eol + 1)
        lines.push_back(text.substr(at, eol - at));
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
    EXPECT_EQ(lines.size(), kRecords.size() + 204u);
    for (const std::string& line : lines) {
        EXPECT_GT(line.find('*'), 2u) << line; // no word of one or two letters
        EXPECT_EQ(line.substr(line.size() - 2), "*~");
    }
    EXPECT_NE(std::find(lines.begin(), lines.end(), "cat*a small feline*n*kitty*~"), lines.end());

    FaultyFileSystem fs;
    fs.arm(Op::Rename, 1);
    TempDir other;
    DatabaseSetup setup = db->setup();
    (void)setup;
    RecordingUi quiet;
    db.reset();
    other.write(kWordListName, wordListBytes(kRecords));
    DatabaseSetup failing;
    failing.folder = other.path();
    failing.ui = &quiet;
    failing.fileSystem = &fs;
    CWordDatabase broken(failing);
    EXPECT_FALSE(broken.backupText());
    EXPECT_EQ(quiet.messages.size(), 1u);
    EXPECT_FALSE(other.exists("backup.lst"));
}

TEST(Save, ValidationRejectsWhatTheFileCannotCarry) {
    EXPECT_EQ(validateEntry("word", "a definition", "n", "syn"), "");
    EXPECT_NE(validateEntry("", "d", "n", ""), "");
    EXPECT_NE(validateEntry("Word", "d", "n", ""), "");
    EXPECT_NE(validateEntry("wo rd", "d", "n", ""), "");
    EXPECT_NE(validateEntry("word", "a*b", "n", ""), "");
    EXPECT_NE(validateEntry("word", "d", "n~", ""), "");
    EXPECT_NE(validateEntry("word", "d", "n", "x\ny"), "");
    EXPECT_NE(validateEntry("word", std::string("a\0b", 3), "n", ""), "");
    EXPECT_EQ(validateEntry("word", std::string(32767 - 4 - 5, 'x'), "", ""), "");
    EXPECT_NE(validateEntry("word", std::string(32767 - 4 - 4, 'x'), "", ""), "");
}
