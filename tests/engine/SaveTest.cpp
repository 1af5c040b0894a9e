#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <random>

#include "core/ChunkCodec.h"
#include "core/Lexicons.h"
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
    for (auto [fail, n] :
         {std::pair{Op::Create, 1}, std::pair{Op::DiskFull, 5000}, std::pair{Op::Rename, 2}}) {
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

// The new file has been written and read back before the old one is copied
// to word.lst.bak: when that copy fails the new file still goes in place, the
// older backup stays, and the user is told.
TEST(Save, AFailedBackupCopyDoesNotDiscardTheNewFile) {
    for (auto [fail, n] : {std::pair{Op::Copy, 1}, std::pair{Op::Rename, 1}}) {
        SCOPED_TRACE(nameOf(fail));
        TempDir dir;
        RecordingUi ui;
        FaultyFileSystem fs;
        dir.write(kWordListName, wordListBytes(kRecords));
        dir.write("word.lst.bak", bytesOf("older"));
        DatabaseSetup setup;
        setup.folder = dir.path();
        setup.ui = &ui;
        setup.fileSystem = &fs;
        {
            CWordDatabase db(setup);
            db.addEntry("newt", "a small amphibian", "n", "", true);
            fs.arm(fail, static_cast<std::size_t>(n));
            EXPECT_TRUE(db.save());
            EXPECT_TRUE(fs.hit);
        }
        EXPECT_EQ(ui.messages, std::vector<std::string>{str::kBackupNotKept});
        EXPECT_EQ(dir.read("word.lst.bak"), bytesOf("older"));
        EXPECT_FALSE(dir.exists("word.lst.bak.tmp"));
        auto db = openDatabase(dir, ui);
        EXPECT_NE(db->find("newt"), nullptr);
    }
}

// What the loader accepted is saved again byte for byte: fields with '~',
// line breaks, Latin-1 and UTF-8 bytes, words outside a-z, and a record longer
// than one chunk (the loader joins chunks), which goes out over several.
TEST(Save, WhatWasLoadedIsSavedAgainByteForByte) {
    TempDir dir;
    RecordingUi ui;
    const std::string longRecord = "lengthy*" + std::string(40000, 'y') + "*n**~";
    const std::vector<std::string> records = {"tilde*approx. ~5 cm*n**~",
                                              "lines*one\ntwo\r\nthree*n\r*~tilde*~",
                                              "caf\xe9*a coffee house, caf\xe9"
                                              "*n**~",
                                              "nbsp*no\xc2\xa0"
                                              "break*n**~",
                                              "na\xefve*simple*adj**~",
                                              "Upper*a capital*n**~"};
    // The long record reaches the loader split over two chunks.
    Bytes content;
    auto chunk = [&content](const std::string& text) {
        content.push_back(static_cast<std::uint8_t>(text.size() & 0xFF));
        content.push_back(static_cast<std::uint8_t>(text.size() >> 8));
        content.insert(content.end(), text.begin(), text.end());
    };
    for (const std::string& r : records)
        chunk(r);
    chunk(longRecord.substr(0, 30000));
    chunk(longRecord.substr(30000));
    chunk("");
    Bytes file{6, 0};
    const Bytes packed = compress(content, 6);
    file.insert(file.end(), packed.begin(), packed.end());
    dir.write(kWordListName, file);

    std::map<std::string, std::string> before;
    {
        auto db = openDatabase(dir, ui);
        ASSERT_TRUE(db->loaded);
        ASSERT_TRUE(ui.messages.empty()) << ui.messages[0];
        before = contentOf(*db);
        ASSERT_EQ(before.count("lengthy"), 1u);
        // One edit, as at the end of a session.
        db->find("tilde")->setContent("tilde", "about ~5 cm", "n", "", true);
        db->markEdited(db->find("tilde"));
        ASSERT_TRUE(db->save()) << ui.messages[0];
        before["tilde"] = "tilde*about ~5 cm*n**~";
    }
    auto db = openDatabase(dir, ui);
    EXPECT_EQ(contentOf(*db), before);
    EXPECT_TRUE(ui.messages.empty());
}

// Only an edit can put a '*' into a field (the loader splits on it); such an
// entry is refused before anything is written.
TEST(Save, AFieldWithARecordSeparatorIsRefusedBeforeWriting) {
    TempDir dir;
    RecordingUi ui;
    auto db = databaseWith(dir, ui, kRecords);
    db->find("cat")->setContent("cat", "one*two", "n", "", true);
    EXPECT_FALSE(db->save());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("\"cat\" cannot be stored"), std::string::npos);
    EXPECT_EQ(dir.read("word.lst"), wordListBytes(kRecords));
    EXPECT_FALSE(dir.exists("word.lst.tmp"));
    EXPECT_FALSE(dir.exists("word.lst.bak"));
}

// Saving at exit when word.lst cannot be written: the reason is given and a
// new try offered; giving up writes the edited entries to a recovery file,
// which is named, and never overwrites an earlier one.
TEST(Save, AFailedSaveAtExitIsOfferedAgainThenRecovered) {
    TempDir dir;
    FaultyFileSystem fs;
    dir.write(kWordListName, wordListBytes(kRecords));
    dir.write("recovered-edits.lst", bytesOf("from an earlier session"));
    auto session = [&](RecordingUi& ui, Op fault, std::size_t n) {
        DatabaseSetup setup;
        setup.folder = dir.path();
        setup.ui = &ui;
        setup.fileSystem = &fs;
        CWordDatabase db(setup);
        fs.arm(fault, n);
        CWordNode* cat = db.find("cat");
        cat->setContent("cat", "a purring pet", "n", "kitty", true);
        db.markEdited(cat);
        CWordNode* zebra = db.find("zebra");
        zebra->setContent("zebra", "delete", "n", "", true);
        db.markEdited(zebra);
    };
    // Yes to saving, No to trying again: the edits go to a fresh file.
    {
        RecordingUi ui;
        ui.script = {true, false};
        session(ui, Op::Create, 1);
        ASSERT_EQ(ui.questions.size(), 2u);
        EXPECT_EQ(ui.questions[0], str::kSaveQuestion);
        EXPECT_EQ(ui.questions[1],
                  str::withText(str::kSaveFailedRetry, "the file could not be created"));
        const std::string recovered = dir.file("recovered-edits-2.lst");
        ASSERT_EQ(ui.messages,
                  std::vector<std::string>{str::withText(str::kEditsRecovered, recovered)});
        EXPECT_EQ(dir.read("recovered-edits-2.lst"),
                  bytesOf("cat*a purring pet*n*kitty*~\nzebra*delete*n**~\n"));
        EXPECT_EQ(dir.read("recovered-edits.lst"), bytesOf("from an earlier session"));
        EXPECT_EQ(dir.read(kWordListName), wordListBytes(kRecords));
    }
    // Trying again after the fault has passed saves.
    {
        RecordingUi ui;
        ui.script = {true, true};
        session(ui, Op::Create, 1);
        EXPECT_EQ(ui.questions.size(), 2u);
        EXPECT_TRUE(ui.messages.empty());
        RecordingUi quiet;
        auto db = openDatabase(dir, quiet);
        EXPECT_STREQ(db->find("cat")->definition(), "a purring pet");
        EXPECT_EQ(db->find("zebra"), nullptr);
    }
}

// When the working folder takes no file at all, the recovery file goes to
// the next folder given; when none takes it the user may try again, and is
// told that No loses the edits.
TEST(Save, TheRecoveryFileFallsBackToOtherFolders) {
    TempDir dir, spare;
    dir.write(kWordListName, wordListBytes(kRecords));
    FaultyFileSystem fs;
    for (bool spareFolder : {true, false}) {
        SCOPED_TRACE(spareFolder);
        RecordingUi ui;
        ui.script = {true, false, false};
        {
            DatabaseSetup setup;
            setup.folder = dir.path();
            setup.ui = &ui;
            setup.fileSystem = &fs;
            if (spareFolder) setup.recoveryFolders = {dir.file("missing-folder"), spare.path()};
            CWordDatabase db(setup);
            db.find("cat")->setContent("cat", "a pet", "n", "", true);
            db.markEdited(db.find("cat"));
            fs.refuseCreatesIn = dir.path();
        }
        if (spareFolder) {
            EXPECT_EQ(ui.questions.size(), 2u);
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_NE(ui.messages[0].find(spare.file("recovered-edits.lst")), std::string::npos);
            EXPECT_EQ(spare.read("recovered-edits.lst"), bytesOf("cat*a pet*n**~\n"));
        } else {
            ASSERT_EQ(ui.questions.size(), 3u);
            EXPECT_EQ(ui.questions[2].rfind(prefixOf(str::kRecoveryFailed), 0), 0u);
        }
        EXPECT_FALSE(dir.exists("recovered-edits.lst"));
        EXPECT_EQ(dir.read(kWordListName), wordListBytes(kRecords));
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
    EXPECT_EQ(validateEntry("word", "d", "n~", "~"), "");
    EXPECT_NE(validateEntry("word", "d\r", "n", ""), "");
    EXPECT_NE(validateEntry("word", "d", "n", "x\ny"), "");
    EXPECT_NE(validateEntry("word", std::string("a\0b", 3), "n", ""), "");
    EXPECT_EQ(validateEntry("word", std::string(32767 - 4 - 5, 'x'), "", ""), "");
    EXPECT_NE(validateEntry("word", std::string(32767 - 4 - 4, 'x'), "", ""), "");
}

// A lexicon of its own under lexicons/NAME is loaded from, saved to and backed
// up in its folder; the working folder's word.lst stays as it was.
TEST(Save, ALexiconOfItsOwnLoadsAndSavesInItsFolder) {
    TempDir dir;
    RecordingUi ui;
    dir.write(kWordListName, wordListBytes({"enabled*the shipped list's word*adj**~"}));
    std::filesystem::create_directories(dir.file("lexicons/mine"));
    dir.write("lexicons/mine/word.lst", wordListBytes(kRecords));
    const LexiconChoice choice = chooseLexicon(realFileSystem(), dir.path(), "mine");
    ASSERT_EQ(choice.problem, "");
    DatabaseSetup setup;
    setup.folder = dir.path();
    setup.lexiconFolder = choice.folder;
    setup.lexiconName = choice.name;
    setup.ui = &ui;
    {
        CWordDatabase db(setup);
        ASSERT_TRUE(db.loaded);
        EXPECT_NE(db.find("retains"), nullptr);
        EXPECT_EQ(db.find("enabled"), nullptr);
        db.addEntry("newt", "a small amphibian", "n", "", true);
        EXPECT_TRUE(db.save());
        EXPECT_TRUE(db.backupText());
    }
    EXPECT_EQ(dir.read(kWordListName), wordListBytes({"enabled*the shipped list's word*adj**~"}));
    EXPECT_TRUE(dir.exists("lexicons/mine/backup.lst"));
    EXPECT_FALSE(dir.exists("backup.lst"));
    CWordDatabase again(setup);
    EXPECT_NE(again.find("newt"), nullptr);
}
