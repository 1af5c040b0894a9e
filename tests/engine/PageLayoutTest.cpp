// Which entries fall on which printed page, the header and where each text
// lies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "print/PageLayout.h"
#include "tests/support/TestSupport.h"

using namespace zq;
using namespace zq::test;

namespace {

class PageLayoutTest : public ::testing::Test {
  protected:
    // The four-letter words of the lexicon as the set.
    CPageLayout layout(const std::vector<std::string>& records, bool definitions) {
        db.reset();
        db = databaseWith(dir, ui, records);
        CWordSetCriteria c;
        c.cannedWordSet = kFourLetterWords;
        c.definitions = definitions ? 1 : 0;
        c.save(store);
        return CPageLayout(*db, markForPrinting(*db, store), 19000, 27900);
    }
    TempDir dir;
    RecordingUi ui;
    MemorySettingsStore store;
    std::unique_ptr<CWordDatabase> db;
};

} // namespace

TEST_F(PageLayoutTest, SixtyEntriesAPageWithDefinitions) {
    CPageLayout one = layout(fourLetterRecords(60, true), true);
    EXPECT_EQ(one.pageCount(), 1);
    EXPECT_EQ(one.lineHeight, 27900 / 62);
    const PrintedPage p = one.page(1);
    ASSERT_EQ(p.texts.size(), 61u);
    EXPECT_EQ(p.texts[1].text, "waaa  -  n. a word");
    EXPECT_EQ(p.texts[1].y, 2 * one.lineHeight);
    EXPECT_EQ(p.texts[60].y, 61 * one.lineHeight);

    CPageLayout two = layout(fourLetterRecords(61, true), true);
    EXPECT_EQ(two.pageCount(), 2);
    const PrintedPage last = two.page(2);
    ASSERT_EQ(last.texts.size(), 2u); // the header and one entry
    EXPECT_EQ(last.texts[1].row, 0);
}

TEST_F(PageLayoutTest, ThreeHundredSixtyWordsAPageInSixColumns) {
    CPageLayout l = layout(fourLetterRecords(361, false), false);
    EXPECT_EQ(l.entriesPerPage, 360);
    EXPECT_EQ(l.pageCount(), 2);
    const PrintedPage first = l.page(1);
    ASSERT_EQ(first.texts.size(), 361u);
    // Down the first column, then down the next.
    EXPECT_EQ(first.texts[60].text, "wach"); // the 60th word
    EXPECT_EQ(first.texts[61].column, 1);
    EXPECT_EQ(first.texts[61].row, 0);
    EXPECT_EQ(first.texts[61].x, 19000 / 6);
    const PrintedPage second = l.page(2);
    ASSERT_EQ(second.texts.size(), 2u);
    EXPECT_EQ(second.texts[1].column, 0);
    EXPECT_EQ(second.texts[1].row, 0);
    EXPECT_EQ(second.texts[1].y, 2 * l.lineHeight);
}

TEST_F(PageLayoutTest, TheHeaderAndAnEmptyPartOfSpeech) {
    CPageLayout l = layout({"whoa*a call to stop*n**~", "wham*a blow***~"}, true);
    EXPECT_EQ(l.header(3), "Page 3.   Printed by Zendraquil  -  Word Set:jqxzAllAll    Maximum "
                           "word length:4    Definitions:Yes");
    const PrintedPage p = l.page(1);
    ASSERT_EQ(p.texts.size(), 3u);
    EXPECT_EQ(p.texts[1].text, "wham  -  . a blow");
}

TEST_F(PageLayoutTest, AnEmptySetPrintsOneBlankPage) {
    CPageLayout l = layout({"cat*a feline*n**~"}, true);
    EXPECT_EQ(l.memberCount(), 0);
    EXPECT_EQ(l.pageCount(), 1);
    EXPECT_TRUE(l.page(1).texts.empty());
}

TEST(PrintSequenceTest, CopiesCollationAndOrder) {
    using V = std::vector<int>;
    EXPECT_EQ(printSequence(2, 4, 1, false, false), (V{2, 3, 4}));
    EXPECT_EQ(printSequence(1, 2, 2, true, false), (V{1, 2, 1, 2}));
    EXPECT_EQ(printSequence(1, 2, 2, false, false), (V{1, 1, 2, 2}));
    EXPECT_EQ(printSequence(1, 3, 2, true, true), (V{3, 2, 1, 3, 2, 1}));
    // No copies asked for is one copy; an empty range prints nothing.
    EXPECT_EQ(printSequence(5, 5, 0, true, false), (V{5}));
    EXPECT_TRUE(printSequence(3, 2, 1, true, false).empty());
}
