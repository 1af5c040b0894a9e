#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <memory>

#include "app/AppDialog.h"
#include "quiz/TileRack.h"
#include "tests/gui/GuiSupport.h"

using namespace zq;
using namespace zq::test;

namespace {

// A dialog that counts what its racks tell it.
class RackDialog : public CAppDialog {
  public:
    RackDialog() : CAppDialog(0) { resize(420, 200); }
    void onRackChanged(int code) override {
        ++changes;
        lastCode = code;
        if (auto* rack = findChild<CTileRack*>()) seen.push_back(rack->rackText());
    }
    int changes = 0;
    int lastCode = 0;
    QStringList seen; // the first rack's text at each notification
};

class TileRackTest : public GuiTest {
  protected:
    // The quiz's pair: a read-only letters rack and the answer rack.
    void makePair(const QString& letters, int width = 266) {
        dialog = std::make_unique<RackDialog>();
        lettersRack = new CTileRack(7, dialog.get());
        answerRack = new CTileRack(7, dialog.get());
        answerRack->link(1, lettersRack, 0);
        lettersRack->link(0, answerRack, 0);
        lettersRack->setGeometry(10, 10, width, 50);
        answerRack->setGeometry(10, 70, width, 50);
        show();
        lettersRack->setRackText(letters);
        answerRack->setRackText("");
        answerRack->setFocus();
    }
    // The word tools' rack of 15.
    void makeFree() {
        dialog = std::make_unique<RackDialog>();
        freeRack = new CTileRack(15, dialog.get());
        freeRack->link(1, nullptr, 1);
        freeRack->setGeometry(10, 10, 400, 40);
        show();
        freeRack->setFocus();
    }
    void show() {
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    static void clickTile(CTileRack* rack, int k) {
        QTest::mouseClick(rack, Qt::LeftButton, {}, rack->tileFace(k).center());
    }
    // The letters whose tiles are hidden, in square order.
    QString usedLetters() const {
        QString out;
        for (int k = 0; k < 7; ++k)
            if (lettersRack->tile(k).used) out += lettersRack->tile(k).letter;
        return out;
    }

    std::unique_ptr<RackDialog> dialog;
    CTileRack* lettersRack = nullptr;
    CTileRack* answerRack = nullptr;
    CTileRack* freeRack = nullptr;
};

} // namespace

TEST_F(TileRackTest, TypingTakesTilesASecondXIsRefusedBackspaceGivesTheTileBack) {
    makePair("eatsrxq");
    QTest::keyClicks(answerRack, "tax");
    EXPECT_EQ(answerRack->rackText(), "tax");
    EXPECT_EQ(answerRack->tile(0).letter, 't');
    EXPECT_EQ(answerRack->tile(2).letter, 'x');
    EXPECT_EQ(usedLetters(), "atx");
    EXPECT_GE(dialog->changes, 3);
    EXPECT_EQ(dialog->lastCode, 1);

    QTest::keyClick(answerRack, Qt::Key_X);
    EXPECT_EQ(answerRack->rackText(), "tax");
    EXPECT_EQ(answerRack->text(), "tax");
    EXPECT_EQ(answerRack->cursorPosition(), 3);
    EXPECT_EQ(answerRack->refusals(), 1);
    EXPECT_EQ(answerRack->beeps(), 1);

    QTest::keyClick(answerRack, Qt::Key_Backspace);
    EXPECT_EQ(answerRack->rackText(), "ta");
    EXPECT_EQ(usedLetters(), "at");
    EXPECT_EQ(answerRack->refusals(), 1);
}

TEST_F(TileRackTest, ClickingALettersTileTakesExactlyThatTile) {
    makePair("eatesrx");
    clickTile(lettersRack, 3); // the second e
    EXPECT_EQ(answerRack->rackText(), "e");
    EXPECT_TRUE(lettersRack->tile(3).used);
    EXPECT_FALSE(lettersRack->tile(0).used);
    QTest::keyClick(answerRack, Qt::Key_E);
    EXPECT_EQ(answerRack->rackText(), "ee");
    EXPECT_TRUE(lettersRack->tile(0).used);
    // Clicking a hidden tile does nothing; an empty answer square neither.
    clickTile(lettersRack, 3);
    clickTile(answerRack, 5);
    EXPECT_EQ(answerRack->rackText(), "ee");
    EXPECT_EQ(answerRack->refusals(), 0);
}

TEST_F(TileRackTest, ClickingTheSecondAnswerTileTakesItsLetterOut) {
    makePair("eatsrxq");
    QTest::keyClicks(answerRack, "tax");
    clickTile(answerRack, 1);
    EXPECT_EQ(answerRack->rackText(), "tx");
    EXPECT_EQ(usedLetters(), "tx");
    EXPECT_EQ(answerRack->cursorPosition(), 2); // it lay after the removed letter
}

TEST_F(TileRackTest, TheEighthAndSixteenthLettersAreRefused) {
    makePair("abcdefg");
    QTest::keyClicks(answerRack, "gfedcba");
    EXPECT_EQ(answerRack->rackText(), "gfedcba");
    QTest::keyClick(answerRack, Qt::Key_A);
    EXPECT_EQ(answerRack->rackText(), "gfedcba");
    EXPECT_EQ(answerRack->refusals(), 1);

    makeFree();
    QTest::keyClicks(freeRack, "abcdefghijklmno");
    EXPECT_EQ(freeRack->rackText(), "abcdefghijklmno");
    QTest::keyClick(freeRack, Qt::Key_P);
    EXPECT_EQ(freeRack->rackText(), "abcdefghijklmno");
    EXPECT_EQ(freeRack->refusals(), 1);
}

TEST_F(TileRackTest, DigitsAndPunctuationAreRefusedCapitalsStoredLowerCase) {
    makeFree();
    QTest::keyClicks(freeRack, "Ab1.c d-");
    EXPECT_EQ(freeRack->rackText(), "abc d");
    EXPECT_EQ(freeRack->text(), "abc d");
    EXPECT_EQ(freeRack->refusals(), 3);
    EXPECT_EQ(freeRack->tile(0).letter, 'a');

    makePair("eatsrxq");
    QTest::keyClicks(answerRack, "T7!");
    EXPECT_EQ(answerRack->rackText(), "t");
    EXPECT_EQ(answerRack->refusals(), 2);
}

TEST_F(TileRackTest, NoSoundRefusesSilently) {
    store.writeInt("Default", "NoSound", 1);
    makePair("eatsrxq");
    QTest::keyClick(answerRack, Qt::Key_Z);
    EXPECT_EQ(answerRack->refusals(), 1);
    EXPECT_EQ(answerRack->beeps(), 0);
}

TEST_F(TileRackTest, FreeTypingClicksPlaceTheInsertionPoint) {
    makeFree();
    QTest::keyClicks(freeRack, "abcde");
    clickTile(freeRack, 2);
    EXPECT_EQ(freeRack->cursorPosition(), 3);
    clickTile(freeRack, 10); // an empty square: the end of the text
    EXPECT_EQ(freeRack->cursorPosition(), 5);
    clickTile(freeRack, 0);
    QTest::keyClick(freeRack, Qt::Key_Z);
    EXPECT_EQ(freeRack->rackText(), "azbcde");
    // Clicks between tiles do not move it.
    QTest::mouseClick(freeRack, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(freeRack->cursorPosition(), 2);
}

// Typing over a selection or pasting takes or gives back every letter
// involved; a change that cannot take them all is refused whole.
TEST_F(TileRackTest, ChangesOfSeveralLettersTakeAndGiveBackEveryTile) {
    makePair("eatsrxq");
    QTest::keyClicks(answerRack, "tax");
    answerRack->setSelection(0, 2);
    QTest::keyClick(answerRack, Qt::Key_Q);
    EXPECT_EQ(answerRack->rackText(), "qx");
    EXPECT_EQ(usedLetters(), "xq");

    QApplication::clipboard()->setText("ser");
    answerRack->setCursorPosition(2);
    QTest::keyClick(answerRack, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(answerRack->rackText(), "qxser");
    EXPECT_EQ(usedLetters(), "esrxq");

    QApplication::clipboard()->setText("tee"); // only one e
    answerRack->setCursorPosition(0);
    QTest::keyClick(answerRack, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(answerRack->rackText(), "qxser");
    EXPECT_EQ(usedLetters(), "esrxq");
    EXPECT_EQ(answerRack->cursorPosition(), 0);
    EXPECT_EQ(answerRack->refusals(), 1);

    answerRack->selectAll();
    QTest::keyClick(answerRack, Qt::Key_Delete);
    EXPECT_EQ(answerRack->rackText(), "");
    EXPECT_EQ(usedLetters(), "");
}

TEST_F(TileRackTest, LayoutAndCaretFollowTheRacksWidth) {
    makePair("eatsrxq");
    EXPECT_EQ(answerRack->side(), 33);
    EXPECT_EQ(answerRack->rowLeft(), 17);
    EXPECT_EQ(answerRack->rowTop(), 8);
    EXPECT_EQ(answerRack->squareRect(0).x(), 17);
    EXPECT_EQ(answerRack->squareRect(1).x(), 50);
    EXPECT_EQ(answerRack->squareRect(2).x(), 83);
    ASSERT_TRUE(answerRack->hasFocus());
    QTest::keyClicks(answerRack, "ta");
    EXPECT_EQ(answerRack->caretRect(), QRect(17 + 2 * 33, 8 + 4, 1, 26));

    makePair("eatsrxq", 400); // side 50: a caret two pixels wide
    EXPECT_EQ(answerRack->side(), 50);
    EXPECT_EQ(answerRack->caretRect(), QRect(25, 7, 2, 40));
    // A read-only rack gives the focus to its partner.
    lettersRack->setFocus();
    EXPECT_TRUE(answerRack->hasFocus());
    EXPECT_TRUE(lettersRack->caretRect().isEmpty());
}

TEST_F(TileRackTest, TilesArePaintedAndHiddenTilesShowTheBackground) {
    makePair("eatsrxq");
    QTest::keyClick(answerRack, Qt::Key_T);
    const QImage shot = lettersRack->grab().toImage();
    const QRect face0 = lettersRack->tileFace(0);
    EXPECT_EQ(QColor(shot.pixel(face0.left() + 3, face0.bottom() - 4)), QColor(192, 192, 0));
    const QRect square2 = lettersRack->squareRect(2); // the t, now in the answer
    const QColor tip = app::colours().infoBackground;
    EXPECT_EQ(QColor(shot.pixel(square2.center())), tip);
    EXPECT_EQ(QColor(shot.pixel(square2.left() + 3, square2.bottom() - 4)), tip);
}

// The program's own setRackText is a change like any other: the dialog is told
// and sees the new text (the Word Checker shows its prompt this way). No
// window needs to be shown for it.
TEST_F(TileRackTest, TextSetByTheProgramIsToldToTheDialog) {
    RackDialog owner;
    auto* rack = new CTileRack(15, &owner);
    rack->link(1, nullptr, 1);
    rack->setRackText("Word");
    rack->setRackText("");
    EXPECT_EQ(owner.changes, 2);
    EXPECT_EQ(owner.lastCode, 1);
    EXPECT_EQ(owner.seen, QStringList({"word", ""}));

    // A deal in the quiz's pair: both racks tell, and no tile stays taken.
    RackDialog quiz;
    auto* letters = new CTileRack(7, &quiz);
    auto* answer = new CTileRack(7, &quiz);
    answer->link(1, letters, 0);
    letters->link(0, answer, 0);
    letters->setRackText("eatsrxq");
    answer->setRackText("");
    EXPECT_EQ(quiz.changes, 2);
    for (int k = 0; k < 7; ++k)
        EXPECT_FALSE(letters->tile(k).used);
}
