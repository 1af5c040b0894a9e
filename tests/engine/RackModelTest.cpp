// The tile rack's rules without a window: taking and giving back the
// partner's tiles, which changes are refused, and where the squares lie.
#include <gtest/gtest.h>

#include <string>

#include "quiz/RackModel.h"

using namespace zq;
using Change = RackModel::Change;

namespace {

// The quiz's pair: the read-only letters rack and the answer rack.
struct Pair {
    RackModel letters{7};
    RackModel answer{7};
    explicit Pair(const char* dealt) {
        answer.link(1, &letters, 0);
        letters.link(0, &answer, 0);
        letters.setText(dealt);
        answer.setText("");
    }
    // The letters whose tiles are taken, in square order.
    std::string used() const {
        std::string out;
        for (int k = 0; k < 7; ++k)
            if (letters.tile(k).used) out += letters.tile(k).letter;
        return out;
    }
};

} // namespace

TEST(RackModel, AnswerLettersTakeFreeTilesAndGiveThemBack) {
    Pair p("eatsrxq");
    EXPECT_EQ(p.answer.change("t"), Change::Accepted);
    EXPECT_EQ(p.answer.change("ta"), Change::Accepted);
    EXPECT_EQ(p.answer.change("tax"), Change::Accepted);
    EXPECT_EQ(p.used(), "atx");
    EXPECT_EQ(p.answer.tile(2).letter, 'x');
    // No second x: refused, and nothing changes on either rack.
    EXPECT_EQ(p.answer.change("taxx"), Change::Refused);
    EXPECT_EQ(p.answer.text(), "tax");
    EXPECT_EQ(p.used(), "atx");
    // Backspace gives the x back; the same text again is no change at all.
    EXPECT_EQ(p.answer.change("ta"), Change::Accepted);
    EXPECT_EQ(p.used(), "at");
    EXPECT_EQ(p.answer.change("ta"), Change::Unchanged);
}

TEST(RackModel, AClickedTileIsTakenBeforeAnEarlierTileOfTheSameLetter) {
    Pair p("eatesrx");
    p.letters.tile(3).clicked = 1; // the second e
    EXPECT_EQ(p.answer.change("e"), Change::Accepted);
    EXPECT_TRUE(p.letters.tile(3).used);
    EXPECT_FALSE(p.letters.tile(3).clicked);
    EXPECT_FALSE(p.letters.tile(0).used);
    EXPECT_EQ(p.answer.change("ee"), Change::Accepted);
    EXPECT_TRUE(p.letters.tile(0).used);
    // A new deal frees every tile and forgets clicks.
    p.letters.tile(1).clicked = 1;
    p.letters.setText("abcdefg");
    EXPECT_EQ(p.used(), "");
    EXPECT_FALSE(p.letters.tile(1).clicked);
}

TEST(RackModel, TakingALetterOutOfTheAnswerGivesItsTileBack) {
    Pair p("eatsrxq");
    ASSERT_EQ(p.answer.change("tax"), Change::Accepted);
    EXPECT_EQ(p.answer.without(1), "tx");
    EXPECT_EQ(p.answer.change(p.answer.without(1)), Change::Accepted);
    EXPECT_EQ(p.used(), "tx");
    EXPECT_EQ(p.answer.without(7), "tx"); // past the text: nothing taken out
}

TEST(RackModel, FullRacksOtherCharactersAndCapitals) {
    Pair p("abcdefg");
    ASSERT_EQ(p.answer.change("gfedcba"), Change::Accepted);
    EXPECT_EQ(p.answer.change("gfedcbaa"), Change::Refused);

    RackModel free(15);
    free.link(1, nullptr, 1);
    EXPECT_EQ(free.change("abcdefghijklmno"), Change::Accepted);
    EXPECT_EQ(free.change("abcdefghijklmnop"), Change::Refused);
    EXPECT_EQ(free.change("AB C"), Change::Accepted);
    EXPECT_EQ(free.text(), "ab c");
    for (const char* bad : {"ab c1", "ab c.", "ab c-", "ab c?", "ab c\xE9"})
        EXPECT_EQ(free.change(bad), Change::Refused) << bad;
    EXPECT_EQ(free.text(), "ab c");

    // An unlinked rack keeps whatever it is given.
    RackModel plain(7);
    plain.link(1, nullptr, 0);
    EXPECT_EQ(plain.change("x1"), Change::Accepted);
}

// Typing over a selection or pasting takes and gives back every letter
// involved; a change that cannot take them all is refused whole.
TEST(RackModel, ChangesOfSeveralLettersAreJudgedWhole) {
    Pair p("eatsrxq");
    ASSERT_EQ(p.answer.change("tax"), Change::Accepted);
    EXPECT_EQ(p.answer.change("qx"), Change::Accepted); // "ta" typed over with q
    EXPECT_EQ(p.used(), "xq");
    EXPECT_EQ(p.answer.change("qxser"), Change::Accepted); // "ser" pasted
    EXPECT_EQ(p.used(), "esrxq");
    EXPECT_EQ(p.answer.change("teeqxser"), Change::Refused); // one e and seven squares
    EXPECT_EQ(p.answer.change("teqxser"), Change::Refused);  // no e left
    EXPECT_EQ(p.used(), "esrxq");
    EXPECT_EQ(p.answer.change(""), Change::Accepted); // all deleted at once
    EXPECT_EQ(p.used(), "");
}

TEST(RackModel, FreeTypingClicksPutTheInsertionPointBehindTheTile) {
    RackModel free(15);
    free.link(1, nullptr, 1);
    free.setText("abcde");
    EXPECT_EQ(free.insertionAfter(2), 3);
    EXPECT_EQ(free.insertionAfter(10), 5); // an empty square: the end
    EXPECT_EQ(free.insertionAfter(0), 1);
}

TEST(RackModel, SquaresFaceAndCaretFollowTheClientSize) {
    const RackGeometry g{7, 266, 50};
    EXPECT_EQ(g.side(), 33);
    EXPECT_EQ(g.left(), 17);
    EXPECT_EQ(g.top(), 8);
    EXPECT_EQ(g.square(1), (RackRect{50, 8, 33, 33}));
    EXPECT_EQ(g.square(2).x, 83);
    EXPECT_EQ(g.face(0), (RackRect{18, 9, 31, 31}));
    EXPECT_EQ(g.tileAt(18, 9), 0);
    EXPECT_EQ(g.tileAt(17, 8), -1);  // outside the face
    EXPECT_EQ(g.tileAt(49, 20), -1); // between two faces
    EXPECT_EQ(g.tileAt(51, 20), 1);
    EXPECT_EQ(g.caret(2), (RackRect{83, 12, 1, 26}));
    EXPECT_TRUE(g.caret(8).empty());
    EXPECT_TRUE(g.caret(-1).empty());

    const RackGeometry wide{7, 400, 50}; // side 50: a caret two pixels wide
    EXPECT_EQ(wide.caret(0), (RackRect{25, 7, 2, 40}));
    const RackGeometry tools{15, 400, 40};
    EXPECT_EQ(tools.side(), 25);
    EXPECT_EQ(tools.left(), 12);
}
