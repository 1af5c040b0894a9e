#include <gtest/gtest.h>

#include <algorithm>

#include "core/Import.h"
#include "core/WordDatabase.h"
#include "tests/support/TestSupport.h"

using namespace zq;
using namespace zq::test;

TEST(Import, LinesParseAsRecordsOrBareWords) {
    ImportRecord r;
    std::string reason;
    ASSERT_TRUE(parseRecordLine("cat*a feline*n*kitty*~\r", r, reason));
    EXPECT_EQ(r.word, "cat");
    EXPECT_EQ(r.definition, "a feline");
    EXPECT_EQ(r.partOfSpeech, "n");
    EXPECT_EQ(r.synonym, "kitty");
    ASSERT_TRUE(parseRecordLine("zebra", r, reason));
    EXPECT_EQ(r.word, "zebra");
    EXPECT_EQ(r.definition, "");
    ASSERT_TRUE(parseRecordLine("", r, reason));
    EXPECT_EQ(r.word, "");
    for (const char* bad : {"cat*a feline*n*~", "cat*a*b*c*d*~", "cat*a*b*c*", "cat*a*b*c*~x",
                            "Cat*x*n**~", "ca t", "ox*x*n**~", "go", "cat*a\rb*n**~"}) {
        EXPECT_FALSE(parseRecordLine(bad, r, reason)) << bad;
        EXPECT_FALSE(reason.empty());
    }
    // A '~' inside a field is text like any other.
    ASSERT_TRUE(parseRecordLine("tilde*approx. ~5 cm*n**~", r, reason)) << reason;
    EXPECT_EQ(r.definition, "approx. ~5 cm");
    ASSERT_TRUE(parseRecordLine("wave*a~b*n*c~*~", r, reason)) << reason;
    EXPECT_EQ(r.synonym, "c~");
}

TEST(Import, FilesMergeAndReportEveryBadLine) {
    TempDir dir;
    dir.write("words.txt", "cat\nzebra\r\nyak\n\n");
    dir.write("defs.txt", "cat*a feline*n**~\nyak*a bovine*n**~\n");
    std::vector<ImportRecord> records;
    std::vector<std::string> errors;
    ASSERT_TRUE(readRecordFiles(realFileSystem(), {dir.file("words.txt"), dir.file("defs.txt")},
                                records, errors));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].word, "cat");
    EXPECT_EQ(records[0].definition, "a feline"); // the later file wins
    EXPECT_EQ(records[2].word, "zebra");

    dir.write("bad.txt", "cat\nox\ncat*x*n**~\nwh*at\n");
    EXPECT_FALSE(readRecordFiles(realFileSystem(), {dir.file("bad.txt"), dir.file("missing.txt")},
                                 records, errors));
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_EQ(errors[0].rfind(dir.file("bad.txt") + ":2: ", 0), 0u) << errors[0];
    EXPECT_NE(errors[1].find(":3: \"cat\" is already on line 1"), std::string::npos);
    EXPECT_NE(errors[2].find(":4: "), std::string::npos);
    EXPECT_NE(errors[3].find("missing.txt: cannot be read"), std::string::npos);
}

TEST(Import, MedianFirstOrderBuildsABalancedTree) {
    for (std::size_t n : {0u, 1u, 2u, 7u, 100u}) {
        auto order = medianFirstOrder(n);
        ASSERT_EQ(order.size(), n);
        std::vector<std::size_t> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t i = 0; i < n; ++i)
            EXPECT_EQ(sorted[i], i);
    }
    EXPECT_EQ(medianFirstOrder(7), (std::vector<std::size_t>{3, 1, 5, 0, 2, 4, 6}));

    std::vector<ImportRecord> records;
    for (int i = 0; i < 5000; ++i) {
        std::string w = "zz";
        for (int n = i; n || w.size() < 5; n /= 26)
            w += static_cast<char>('a' + n % 26);
        records.push_back({w, "def", "n", ""});
    }
    std::sort(records.begin(), records.end(),
              [](const ImportRecord& a, const ImportRecord& b) { return a.word < b.word; });
    TempDir dir;
    RecordingUi ui;
    auto db = importedDatabase(dir, ui, records);
    ASSERT_TRUE(db && db->loaded);
    EXPECT_EQ(db->inOrder().size(), 5000u + 96u + 204u);
    // All of the records hang below "me" on the greater side: their own
    // subtree is as deep as a balanced tree of 5,000 (13) plus a few levels.
    EXPECT_LE(treeHeight(db->root), 30);
    EXPECT_TRUE(ui.messages.empty());
}
