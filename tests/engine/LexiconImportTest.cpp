#include <gtest/gtest.h>

#include "core/LexiconImport.h"
#include "core/Lexicons.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "tests/support/TestSupport.h"

namespace zq {
namespace {

using test::RecordingUi;
using test::TempDir;

// The shipped list in the working folder: a defined word, a word with a
// synonym, an expurged word and one more.
const std::vector<std::string> kShipped = {
    "cat*a small furry animal*n*kitty*~", "kitty*a young cat*n*cat*~", "zebra*a striped horse*n**~",
    "bitch*expurged*expurged**~"};

// A UTF-16LE text with CRLF line ends and a byte order mark.
std::string utf16(const std::string& text) {
    std::string out = "\xFF\xFE";
    for (char c : text) {
        if (c == '\n')
            out += std::string("\r\0\n\0", 4);
        else
            out += std::string{c, '\0'};
    }
    return out;
}

DatabaseSetup lexiconSetup(const TempDir& dir, RecordingUi& ui, const std::string& name) {
    DatabaseSetup setup;
    setup.folder = dir.path();
    setup.lexiconFolder = lexiconFolder(dir.path(), name);
    setup.lexiconName = name;
    setup.ui = &ui;
    return setup;
}

TEST(LexiconImport, AListBecomesALexiconWithTheSharedWordsDefinitions) {
    TempDir dir;
    RecordingUi ui;
    dir.write(kWordListName, test::wordListBytes(kShipped));
    dir.write("mine.txt", utf16("# my list\nKITTY\ncat\nax\nzyzzyvas\nbitch\nca t\n\nme\ncat\n"));
    std::vector<int> seen;
    const LexiconImport result =
        addLexicon(realFileSystem(), dir.path(), "mine", dir.file("mine.txt"), false,
                   [&seen](int percent, const char*) {
                       seen.push_back(percent);
                       return true;
                   });
    ASSERT_EQ(result.error, "");
    ASSERT_TRUE(result.referenceRead);
    EXPECT_EQ(result.list.words.size(), 6u);
    EXPECT_EQ(result.list.refused, 1);
    // cat, kitty, ax (built in) and me (the root) have definitions; bitch is expurged.
    EXPECT_EQ(result.comparison.withDefinitions, 4);
    EXPECT_EQ(result.comparison.newWords, 1);
    EXPECT_EQ(result.comparison.missingWords,
              static_cast<int>(referenceEntries(realFileSystem(), dir.path()).size()) - 5);
    EXPECT_EQ(seen.back(), 100);

    {
        CWordDatabase db(lexiconSetup(dir, ui, "mine"));
        ASSERT_TRUE(db.loaded);
        EXPECT_EQ(ui.messages, std::vector<std::string>{});
        ASSERT_NE(db.find("cat"), nullptr);
        EXPECT_STREQ(db.find("cat")->definition(), "a small furry animal");
        EXPECT_EQ(db.find("cat")->nextSynonym, db.find("kitty"));
        ASSERT_NE(db.find("zyzzyvas"), nullptr);
        EXPECT_STREQ(db.find("zyzzyvas")->definition(), "");
        // Its short words are its own: ax from the list, no built-in word beside it.
        ASSERT_NE(db.find("ax"), nullptr);
        EXPECT_STRNE(db.find("ax")->definition(), "");
        EXPECT_EQ(db.find("ad"), nullptr);
        EXPECT_EQ(db.find("zebra"), nullptr);
        ASSERT_NE(db.find("bitch"), nullptr);
        EXPECT_TRUE(db.find("bitch")->has(CWordNode::Expurged));
        EXPECT_EQ(db.find("bastard"), nullptr);
        db.addEntry("ox", "a bull", "n", "", true);
        EXPECT_TRUE(db.save());
    }
    CWordDatabase again(lexiconSetup(dir, ui, "mine"));
    EXPECT_NE(again.find("ox"), nullptr);
    EXPECT_NE(again.find("ax"), nullptr);
    EXPECT_EQ(again.find("ad"), nullptr);

    const std::vector<std::string> lines =
        importReportLines(result.list, result.comparison, result.referenceRead);
    EXPECT_EQ(lines[0], "Encoding: UTF-16LE");
    EXPECT_EQ(lines[6], "  line 7: ca t");
    EXPECT_EQ(importReportLines(result.list, {1234567, 1000, 999}, true).back(),
              "Missing against ENABLE: 999");
    EXPECT_EQ(importReportLines(result.list, {1234567, 1000, 999}, true)[7],
              "With definitions: 1,234,567");
    EXPECT_EQ(lines.back(), str::withText(str::kLexiconMissingWords,
                                          std::to_string(result.comparison.missingWords)));
}

TEST(LexiconImport, NothingChangesWhenTheListIsRefusedOrTheWorkStopped) {
    TempDir dir;
    dir.write(kWordListName, test::wordListBytes(kShipped));
    dir.write("binary.txt", std::string("cat\0\x01\x02\n", 7));
    dir.write("good.txt", "cat\nkitty\n");
    FileSystem& fs = realFileSystem();

    LexiconImport r = addLexicon(fs, dir.path(), "mine", dir.file("binary.txt"), false);
    EXPECT_EQ(r.error, str::withText(str::kLexiconListRefused,
                                     "the file holds binary data, not lines of text"));
    EXPECT_FALSE(dir.exists("lexicons"));

    // Stopped before writing, while writing, and while checking what was
    // written (the fifth call).
    for (int stopAt : {3, 4, 5}) {
        int calls = 0;
        r = addLexicon(fs, dir.path(), "mine", dir.file("good.txt"), false,
                       [&calls, stopAt](int, const char*) { return ++calls < stopAt; });
        EXPECT_TRUE(r.cancelled);
        EXPECT_EQ(r.error, str::kLexiconCancelled);
        EXPECT_FALSE(dir.exists("lexicons")) << stopAt;
    }

    ASSERT_EQ(addLexicon(fs, dir.path(), "mine", dir.file("good.txt"), false).error, "");
    const test::Bytes first = dir.read("lexicons/mine/word.lst");
    EXPECT_EQ(addLexicon(fs, dir.path(), "mine", dir.file("good.txt"), false).error,
              str::withText(str::kLexiconExists, "mine"));
    dir.write("other.txt", "zebra\n");
    r = addLexicon(fs, dir.path(), "mine", dir.file("other.txt"), true,
                   [](int percent, const char*) { return percent < 21; });
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(dir.read("lexicons/mine/word.lst"), first);

    for (const char* bad : {"", "../up", "Enable", ".x"})
        EXPECT_NE(newLexiconProblem(fs, dir.path(), bad, true), "") << bad;
}

TEST(LexiconImport, ADamagedShippedListCarriesNothingOver) {
    TempDir dir;
    test::Bytes cut = test::wordListBytes(kShipped);
    cut.resize(cut.size() / 2);
    dir.write(kWordListName, cut);
    std::vector<ImportRecord> records;
    EXPECT_FALSE(readWordListRecords(realFileSystem(), dir.file(kWordListName), records));
    dir.write("good.txt", "cat\n");
    const LexiconImport r =
        addLexicon(realFileSystem(), dir.path(), "mine", dir.file("good.txt"), false);
    EXPECT_EQ(r.error, "");
    EXPECT_FALSE(r.referenceRead);
    EXPECT_EQ(importReportLines(r.list, r.comparison, r.referenceRead).back(),
              str::kLexiconNoReference);
}

} // namespace
} // namespace zq
