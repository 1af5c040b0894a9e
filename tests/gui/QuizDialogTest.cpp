// The quiz window and the statistics list as a player uses them: keys into
// the answer rack, the message strips answered from the queue, and one run
// from the picture menu through the real modal windows.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWizard>

#include <cstring>
#include <memory>

#include "app/InfoLabel.h"
#include "app/MainWindow.h"
#include "app/MessageStrip.h"
#include "core/Random.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "quiz/QuizDialog.h"
#include "quiz/StatisticsDialog.h"
#include "quiz/TileRack.h"
#include "tests/gui/GuiSupport.h"
#include "tests/support/TestSupport.h"
#include "wordsets/WordSetCriteria.h"
#include "wordsets/WordSetWizardDialog.h"

using namespace zq;
using namespace zq::test;

namespace {

const std::vector<std::string> kRecords = {
    "tax*a charge levied by a government*n**~",
    "rat*a rodent*n**~",
    "tea*a drink*n**~",
    "eat*to dine*v**~",
    "sat*past tense of sit*v**~",
    "sea*salt water*n**~",
    "star*a sun*n**~",
};

class QuizDialogTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        seedRandom(9);
        db = databaseWith(dir, ui, kRecords);
    }
    void criteria(int set, int definitions) {
        CWordSetCriteria c;
        c.cannedWordSet = set;
        c.definitions = definitions;
        c.save(store);
    }
    // A quiz prepared as the Quiz command prepares it, asking `word` on
    // `letters` (or as drawn and dealt).
    std::unique_ptr<CQuizDialog> quiz(const char* word = nullptr, const char* letters = nullptr) {
        prepareQuizSet(*db, store);
        CWordNode* first = drawRandomWord(*db, store, true);
        if (word) {
            first->clear(CWordNode::Drawn);
            first = db->find(word);
            first->set(CWordNode::Drawn);
        }
        auto d = std::make_unique<CQuizDialog>(*db);
        d->session.begin(first);
        if (letters) d->session.letters = letters;
        d->show();
        return d;
    }
    static QString text(CQuizDialog& d, int id) { return d.label(id)->text(); }

    TempDir dir;
    RecordingUi ui;
    std::unique_ptr<CWordDatabase> db;
};

} // namespace

TEST_F(QuizDialogTest, OpensWithTheDealtLettersTheModeLineAndTheCaption) {
    criteria(kThreeLetterWords, 0);
    auto d = quiz("rat", "eatsrxq");
    EXPECT_EQ(d->windowTitle(), "Zendraquil Word Quiz [jqxzAllAll:3]");
    EXPECT_EQ(text(*d, res::kIdModeLine), "From the letters, guess the highest scoring word:");
    EXPECT_EQ(text(*d, res::kIdClue), "");
    EXPECT_EQ(text(*d, res::kIdTimer), "Time");
    EXPECT_EQ(d->lettersRack()->rackText(), "eatsrxq");
    EXPECT_EQ(d->answerRack()->rackText(), "");
    EXPECT_EQ(d->focusWidget(), d->answerRack());
    EXPECT_TRUE(d->timer().isActive());
    EXPECT_EQ(text(*d, res::kIdProgressLines), "Word 1 of 6 in set\nPoints 0 of 0");
}

TEST_F(QuizDialogTest, TypingTaxAndEnterScoresItAndDealsTheNextWord) {
    criteria(kThreeLetterWords, 0);
    auto d = quiz("rat", "eatsrxq");
    QTest::keyClicks(d->answerRack(), "tax");
    EXPECT_EQ(d->answerRack()->rackText(), "tax");
    QTest::keyClick(d->answerRack(), Qt::Key_Return);
    EXPECT_EQ(d->session.scoredPoints, 10);
    EXPECT_EQ(d->session.possiblePoints, 10);
    EXPECT_TRUE(answers::asked().isEmpty()); // the best play: no message
    EXPECT_EQ(text(*d, res::kIdProgressLines), "Word 2 of 6 in set\nPoints 10 of 10");
    EXPECT_EQ(d->answerRack()->rackText(), "");
    EXPECT_EQ(d->lettersRack()->rackText().size(), 7);
    EXPECT_TRUE(d->isVisible());
}

// Twenty answers in a row, each message strip answered from the queue; the
// pass of six words completes and is recorded.
TEST_F(QuizDialogTest, TwentyAnswersThroughTheQueueCompleteAPass) {
    criteria(kThreeLetterWords, 1);
    auto d = quiz();
    answers::queue(Answer::Continue, 40);
    for (int i = 0; i < 20; ++i) {
        const QString word = QString::fromUtf8(d->session.currentWord->word());
        // Right four times out of five, else a wrong word.
        QTest::keyClicks(d->answerRack(), i % 5 == 4 ? QStringLiteral("zz") : word);
        QTest::keyClick(d->answerRack(), Qt::Key_Return);
    }
    EXPECT_TRUE(answers::asked().contains(QString::fromUtf8(str::kQuizReshuffled)));
    EXPECT_FALSE(store.readString("Default", "Score0", "").empty());
    answers::reset();
}

// A message strip leaves the progress label alone: it still shows the
// question on display, and the next question brings the new figures.
TEST_F(QuizDialogTest, AMessageStripShowsTheProgressOfTheQuestionOnDisplay) {
    criteria(kThreeLetterWords, 0);
    auto d = quiz("rat", "eatsrxq");
    const QString before = text(*d, res::kIdProgressLines);
    EXPECT_EQ(before, "Word 1 of 6 in set\nPoints 0 of 0");
    QString during;
    ModalDriver driver;
    driver.then([&](QWidget* strip) {
        during = text(*d, res::kIdProgressLines);
        clickButton(strip, "Continue ..");
    });
    QTest::keyClicks(d->answerRack(), "rat"); // not the best play: a strip
    QTest::keyClick(d->answerRack(), Qt::Key_Return);
    EXPECT_EQ(driver.seen(), 1);
    EXPECT_EQ(during, before);
    EXPECT_EQ(text(*d, res::kIdProgressLines), "Word 2 of 6 in set\nPoints 3 of 10");
}

// Word Sets with a store that takes no writes: the quiz goes on with the set
// the wizard showed, not with the one still stored.
TEST_F(QuizDialogTest, WordSetsPlaysTheChosenSetWhenTheStoreKeepsNothing) {
    criteria(kFourLetterWords, 0);
    auto d = quiz();
    store.failWrites = true;
    ModalDriver driver;
    driver.then([](QWidget* window) { finishOnSet(window, kThreeLetterWords); });
    answers::queue({Answer::Ok});
    d->chooseWordSet();
    EXPECT_EQ(driver.seen(), 1);
    EXPECT_EQ(d->windowTitle(), "Zendraquil Word Quiz [jqxzAllAll:3]");
    EXPECT_EQ(std::strlen(d->session.currentWord->word()), 3u);
    answers::queue(Answer::Continue, 40);
    for (int i = 0; i < 12; ++i) {
        const QString word = QString::fromUtf8(d->session.currentWord->word());
        EXPECT_EQ(word.size(), 3) << word.toStdString();
        QTest::keyClicks(d->answerRack(), word);
        QTest::keyClick(d->answerRack(), Qt::Key_Return);
    }
    answers::reset();
}

TEST_F(QuizDialogTest, ExitAtOnceShowsTheEmptySummary) {
    criteria(kThreeLetterWords, 0);
    auto d = quiz("rat", "eatsrxq");
    answers::queue({Answer::Continue});
    QTest::keyClick(d->answerRack(), Qt::Key_Escape);
    EXPECT_EQ(answers::asked(), QStringList({"Of the 0 possible points you could have scored, you "
                                             "got 0\nThis is a 0% success rate."}));
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_FALSE(d->timer().isActive());
}

TEST_F(QuizDialogTest, NoTimerHidesTheSecondsAndNoSoundKeepsItQuiet) {
    store.writeInt("Default", reg::kNoTimer, 1);
    criteria(kThreeLetterWords, 0);
    auto d = quiz("rat", "eatsrxq");
    EXPECT_FALSE(d->label(res::kIdTimer)->isVisible());
    EXPECT_EQ(d->session.noTimer, 1);
}

TEST_F(QuizDialogTest, TheStatisticsListShowsNothingOneOrTwentyRows) {
    {
        CStatisticsDialog none;
        answers::queue({Answer::Ok});
        EXPECT_EQ(none.exec(), QDialog::Rejected);
        EXPECT_EQ(answers::asked().value(0), str::kNoStatistics);
    }
    store.writeString("Default", "Score0", "jqxzAllAll - 10 80% 9.5 Yes");
    store.writeInt("Default", reg::kScoreIndex, 1);
    {
        CStatisticsDialog one;
        ModalDriver driver;
        driver.then([](QWidget* w) {
            auto* dialog = qobject_cast<CStatisticsDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(w->windowTitle(), "Zendraquil Statistics for Default");
            QTreeWidget* list = dialog->list();
            ASSERT_EQ(list->topLevelItemCount(), 1);
            EXPECT_EQ(list->headerItem()->text(4), "Seconds per word");
            EXPECT_EQ(list->topLevelItem(0)->text(0), "jqxzAllAll");
            EXPECT_EQ(list->topLevelItem(0)->text(3), "80%");
            clickButton(w, "OK");
        });
        EXPECT_EQ(one.exec(), QDialog::Accepted);
    }

    // Twenty-one passes: the ring keeps the last twenty, newest first.
    for (int i = 0; i < 21; ++i) {
        const int slot = i % 20;
        store.writeString("Default", "Score" + std::to_string(slot),
                          "Set_" + std::to_string(i) + " - 1 100% 1 No");
        store.writeInt("Default", reg::kScoreIndex, (slot + 1) % 20);
    }
    CStatisticsDialog many;
    ModalDriver again;
    again.then([](QWidget* w) {
        QTreeWidget* list = qobject_cast<CStatisticsDialog*>(w)->list();
        ASSERT_EQ(list->topLevelItemCount(), 20);
        EXPECT_EQ(list->topLevelItem(0)->text(0), "Set 20");
        EXPECT_EQ(list->topLevelItem(19)->text(0), "Set 1");
        clickButton(w, "OK");
    });
    many.exec();
}

// From the picture menu with the real modal windows: the Quiz command, a
// wrong answer and its message strip, then Exit and the summary.
TEST_F(QuizDialogTest, TheQuizCommandRunsThroughRealWindows) {
    db.reset();
    criteria(kThreeLetterWords, 1);
    store.writeInt(reg::kSettings, reg::kNoLogon, 1);
    CMainWindow w(&ui, dir.path());
    ASSERT_TRUE(w.startUp());
    ModalDriver driver;
    QString wrong, summary;
    QPointer<CQuizDialog> quiz;
    driver.then([&](QWidget* window) {
        quiz = qobject_cast<CQuizDialog*>(window);
        ASSERT_FALSE(quiz.isNull());
        EXPECT_EQ(quiz->windowTitle(), "Zendraquil Word Quiz [jqxzAllAll:3]");
        QTest::keyClick(quiz->answerRack(), Qt::Key_Return); // an empty answer is wrong
    });
    driver.then([&](QWidget* strip) {
        wrong = qobject_cast<CMessageStrip*>(strip)->label()->text();
        clickButton(strip, "Continue ..");
        // Then Exit, once the quiz has its next question.
        QTimer::singleShot(20, quiz, [&] {
            QTest::mouseClick(quiz->findChild<QPushButton*>("exit"), Qt::LeftButton);
        });
    });
    driver.then([&](QWidget* strip) {
        summary = qobject_cast<CMessageStrip*>(strip)->label()->text();
        clickButton(strip, "Continue ..");
    });
    w.runCommand(res::kIdQuiz);
    EXPECT_EQ(driver.seen(), 3);
    // Which wording depends on the word drawn (the clock seeds the draw): the
    // asked word alone, or with a better play from the same letters.
    EXPECT_TRUE(wrong.startsWith("Incorrect. The correct word is") ||
                wrong.startsWith("Incorrect. The word is"))
        << wrong.toStdString();
    EXPECT_TRUE(summary.startsWith("Of the ")) << summary.toStdString();
    EXPECT_EQ(w.lastResult(), QDialog::Rejected);
}
