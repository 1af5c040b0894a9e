// The study window as a player drives it: keys first, clicks where a player
// would click, the cardbox on disk checked after each step.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>

#include "app/Commands.h"
#include "app/InfoLabel.h"
#include "app/MainWindow.h"
#include "core/WordDatabase.h"
#include "quiz/TileRack.h"
#include "study/Cardbox.h"
#include "study/Questions.h"
#include "study/StudyDialog.h"
#include "study/StudyIndex.h"
#include "tests/gui/GuiSupport.h"
#include "tests/support/TestSupport.h"

using namespace zq;
using namespace zq::test;

namespace {

const std::vector<std::string> kRecords = {
    "act*to do something*v**~",
    "acts*plural of act*n**~",
    "alerted*warned*v**~",
    "altered*changed*v**~",
    "at*in or near*prep**~",
    "cat*a small feline*n**~",
    "cats*plural of cat*n**~",
    "nastier*more nasty*adj**~",
    "painter*one who paints*n**~",
    "pertain*to belong*v**~",
    "related*told*v**~",
    "retains*keeps*v**~",
    "retinas*plural of retina*n**~",
    "scat*to go away quickly*v**~",
    "stainer*one that stains*n**~",
    "stearin*a fat*n**~",
    "treadle*a foot lever*n**~",
};

class StudyDialogTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        db = databaseWith(dir, ui, kRecords);
        ASSERT_TRUE(db && db->loaded);
    }
    std::unique_ptr<CStudyDialog> window() {
        auto d = std::make_unique<CStudyDialog>(*db, nullptr, nullptr);
        d->show();
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
        return d;
    }
    template <class W> static W* find(QWidget* d, const char* name) {
        W* w = d->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void type(QWidget* d, const QString& text) {
        QWidget* at = QApplication::focusWidget();
        QTest::keyClicks(at ? at : d, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    // A mnemonic: its button is pressed, then released a moment later.
    static void alt(QWidget* d, Qt::Key key) {
        QWidget* at = QApplication::focusWidget();
        QTest::keyClick(at ? at : d, key, Qt::AltModifier);
        const auto buttons = d->findChildren<QAbstractButton*>();
        for (int i = 0; i < 100; ++i) {
            if (std::none_of(buttons.begin(), buttons.end(),
                             [](QAbstractButton* b) { return b->isDown(); }))
                break;
            QTest::qWait(10);
        }
        QApplication::processEvents();
    }
    static QString statusText(QWidget* d, const char* name) {
        return find<CInfoLabel>(d, name)->text();
    }

    TempDir dir;
    RecordingUi ui;
    std::unique_ptr<CWordDatabase> db;
};

} // namespace

// The whole round from the keyboard alone: add the likeliest seven-letter
// racks, answer them, see them move boxes, undo a misjudged answer and see
// tomorrow's forecast; every answer is on disk as soon as it is judged.
TEST_F(StudyDialogTest, AKeyboardRoundAddsAnswersUndoesAndForecasts) {
    auto d = window();
    EXPECT_EQ(find<QTabWidget>(d.get(), "studyTabs")->currentIndex(), 0);
    EXPECT_EQ(find<QLabel>(d.get(), "cardboxSummary")->text(),
              "This cardbox holds no questions yet. Add some below.");
    // Looking creates nothing.
    EXPECT_FALSE(QFile::exists(QString::fromStdString(d->cardboxFile())));

    // The default source: all words of seven letters, the likeliest 100.
    alt(d.get(), Qt::Key_A);
    EXPECT_EQ(find<QLabel>(d.get(), "addResult")->text(), "Added 3 new questions.");
    ASSERT_NE(d->cardbox(), nullptr);
    EXPECT_EQ(d->cardbox()->size(), 3);
    alt(d.get(), Qt::Key_A); // again: nothing new
    EXPECT_EQ(find<QLabel>(d.get(), "addResult")->text(),
              "Added 0 new questions; 3 were there already.");
    EXPECT_TRUE(find<QLabel>(d.get(), "cardboxSummary")->text().contains("Due now: 3"));

    alt(d.get(), Qt::Key_T); // Start quiz
    ASSERT_EQ(find<QTabWidget>(d.get(), "studyTabs")->currentIndex(), 1);
    auto* input = find<QLineEdit>(d.get(), "answerInput");
    EXPECT_EQ(QApplication::focusWidget(), input);
    StudySession* s = d->session();
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->dueTotal(), 3);
    auto* lines = find<QTreeWidget>(d.get(), "answerList");

    // Answer every question right but the last, which is given up.
    std::vector<std::string> asked;
    for (int q = 0; q < 3; ++q) {
        asked.push_back(s->question());
        const auto solutions = solutionsOf(d->index(), QuizType::Anagrams, s->question(), false);
        if (q == 2) {
            type(d.get(), "zzz"); // a wrong word
            EXPECT_EQ(lines->topLevelItemCount(), 0);
            alt(d.get(), Qt::Key_G);
            EXPECT_TRUE(s->judged());
            EXPECT_FALSE(s->judgedRight());
            EXPECT_EQ(lines->topLevelItemCount(), int(solutions.size())); // the missed ones
            break;
        }
        type(d.get(), QString::fromStdString(solutions[0]).toUpper());
        ASSERT_EQ(lines->topLevelItemCount(), 1);
        EXPECT_EQ(lines->topLevelItem(0)->text(1), QString::fromStdString(solutions[0]).toUpper());
        EXPECT_FALSE(lines->topLevelItem(0)->text(3).isEmpty()); // its definition
        type(d.get(), QString::fromStdString(solutions[0]));     // again: no second line
        EXPECT_EQ(lines->topLevelItemCount(), 1);
        for (std::size_t k = 1; k < solutions.size(); ++k)
            type(d.get(), QString::fromStdString(solutions[k]));
        EXPECT_TRUE(s->judged());
        EXPECT_TRUE(s->judgedRight());
        EXPECT_TRUE(statusText(d.get(), "verdict").startsWith("Right. Box 0 \u2192 1, due again"));
        type(d.get(), ""); // Enter on the empty line: the next question
    }
    EXPECT_TRUE(statusText(d.get(), "verdict").startsWith("Missed. Box 0 \u2192 0"));
    EXPECT_TRUE(statusText(d.get(), "verdict").contains("Not right: ZZZ"));

    // Each judgement is in the file already: another copy sees it.
    // (The window's copy holds the file, so it is read through that copy.)
    const auto onDisk = [&](const std::string& q) { return d->cardbox()->card(q); };
    EXPECT_EQ(onDisk(asked[0])->cardbox, 1);
    EXPECT_EQ(onDisk(asked[2])->incorrect, 1);

    // The last was misjudged (a typo): Undo takes it back and it is asked
    // again, unanswered.
    alt(d.get(), Qt::Key_N);
    EXPECT_EQ(onDisk(asked[2])->incorrect, 0);
    EXPECT_EQ(s->question(), asked[2]);
    EXPECT_FALSE(s->judged());
    EXPECT_EQ(lines->topLevelItemCount(), 0);
    EXPECT_FALSE(find<QPushButton>(d.get(), "undo")->isEnabled()); // one step only
    // Given up again, then marked right after all.
    alt(d.get(), Qt::Key_G);
    alt(d.get(), Qt::Key_R);
    EXPECT_TRUE(s->judgedRight());
    EXPECT_EQ(onDisk(asked[2])->cardbox, 1);
    EXPECT_EQ(onDisk(asked[2])->incorrect, 0);
    type(d.get(), "");
    EXPECT_FALSE(s->hasQuestion());
    EXPECT_EQ(statusText(d.get(), "quizStatus"),
              "That was the last question due. The forecast is on the Cardbox tab.");

    // All three now wait in box 1, due in a few days; none today.
    alt(d.get(), Qt::Key_C);
    EXPECT_EQ(find<QTabWidget>(d.get(), "studyTabs")->currentIndex(), 0);
    EXPECT_TRUE(find<QLabel>(d.get(), "cardboxBoxes")->text().contains("1: 3"));
    const auto& forecast = find<ForecastChart>(d.get(), "forecastChart")->counts();
    ASSERT_EQ(forecast.size(), 30u);
    EXPECT_EQ(forecast[0], 0);
    EXPECT_EQ(std::accumulate(forecast.begin(), forecast.end(), 0), 3);
    EXPECT_TRUE(find<QLabel>(d.get(), "cardboxSummary")->text().contains("Due now: 0"));

    // Closing the window at any point keeps what was answered.
    const std::string file = d->cardboxFile();
    d.reset();
    std::string error;
    auto box = Cardbox::open(file, false, error);
    ASSERT_TRUE(box) << error;
    EXPECT_EQ(box->boxCounts(), (std::vector<int>{0, 3}));
}

// Typed lists (words and racks), the quiz's missed words and the hooks type
// each fill their own cardbox; unknown entries are named and left out.
TEST_F(StudyDialogTest, SourcesAndTheHooksCardbox) {
    auto d = window();
    auto* source = find<QComboBox>(d.get(), "addSource");
    source->setCurrentIndex(3);
    auto* typed = d->findChild<QPlainTextEdit*>(QStringLiteral("addTyped"));
    ASSERT_NE(typed, nullptr);
    typed->setPlainText("cat, AEINRST qqq\nscat");
    find<QPushButton>(d.get(), "addButton")->click();
    EXPECT_EQ(find<QLabel>(d.get(), "addResult")->text(),
              "Added 3 new questions. Not words of the lexicon, left out: qqq");
    EXPECT_TRUE(d->cardbox()->card("AEINRST").has_value());
    EXPECT_TRUE(d->cardbox()->card("ACT").has_value());

    // The hooks cardbox is another file; CAT is asked as a word.
    auto* typeBox = find<QComboBox>(d.get(), "studyType");
    typeBox->setFocus();
    QTest::keyClick(typeBox, Qt::Key_Down);
    EXPECT_EQ(d->quizType(), QuizType::Hooks);
    EXPECT_EQ(store.readInt("Default", "StudyType", 0), 1);
    EXPECT_EQ(d->cardbox(), nullptr);
    typed->setPlainText("cat");
    find<QPushButton>(d.get(), "addButton")->click();
    ASSERT_NE(d->cardbox(), nullptr);
    EXPECT_EQ(d->cardbox()->size(), 1);
    d->startQuiz();
    ASSERT_TRUE(d->session()->hasQuestion());
    EXPECT_EQ(d->session()->question(), "CAT");
    type(d.get(), "scat");
    type(d.get(), "cats");
    EXPECT_TRUE(d->session()->judgedRight());
}

// A cardbox file that is not one is reported and never touched.
TEST_F(StudyDialogTest, ADamagedCardboxIsReportedAndLeftAsItWas) {
    const std::string file = cardboxPath(dir.path(), "Default", QuizType::Anagrams);
    {
        CStudyDialog probe(*db, nullptr, nullptr);
        EXPECT_EQ(probe.cardboxFile(), file);
    }
    QDir().mkpath(QString::fromStdString(file).section('/', 0, -2));
    {
        std::ofstream out(file, std::ios::binary);
        out << "this is not a database, but it is the player's file";
    }
    auto d = window();
    EXPECT_TRUE(
        find<QLabel>(d.get(), "cardboxSummary")->text().startsWith("The cardbox cannot be used:"));
    alt(d.get(), Qt::Key_A);
    EXPECT_TRUE(
        find<QLabel>(d.get(), "addResult")->text().startsWith("The questions could not be added:"));
    alt(d.get(), Qt::Key_T);
    EXPECT_EQ(d->session(), nullptr);
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "this is not a database, but it is the player's file");
}

// The search form, the sortable list, copying and both exports.
TEST_F(StudyDialogTest, SearchListsSortsCopiesAndExports) {
    auto d = window();
    alt(d.get(), Qt::Key_S);
    ASSERT_EQ(find<QTabWidget>(d.get(), "studyTabs")->currentIndex(), 2);
    auto* anagram = find<QLineEdit>(d.get(), "searchAnagram");
    anagram->setFocus();
    type(d.get(), "aeinrst");
    auto* view = find<QTreeView>(d.get(), "searchResults");
    ASSERT_EQ(view->model()->rowCount(), 5);
    EXPECT_EQ(find<QLabel>(d.get(), "searchCount")->text(), "5 words found");
    EXPECT_EQ(view->model()->index(0, ResultModel::Word).data().toString(), "NASTIER");
    // Sorted by word, descending, through the header.
    view->sortByColumn(ResultModel::Word, Qt::DescendingOrder);
    EXPECT_EQ(view->model()->index(0, ResultModel::Word).data().toString(), "STEARIN");

    // Nothing selected copies all; a selection copies itself.
    view->clearSelection();
    EXPECT_EQ(d->selectedText().count('\n'), 5);
    view->selectionModel()->select(view->model()->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    d->copyResults();
    const QStringList copied = QApplication::clipboard()->text().split('\t');
    ASSERT_EQ(copied.size(), 5);
    EXPECT_EQ(copied[0], "STAINER");
    EXPECT_GT(copied[3].toInt(), 0); // its rank
    EXPECT_EQ(copied[4], "n. one that stains\n");

    // A bad pattern says why and keeps the list.
    auto* pattern = find<QLineEdit>(d.get(), "searchPattern");
    pattern->setFocus();
    type(d.get(), "[ab");
    EXPECT_TRUE(find<QLabel>(d.get(), "searchCount")->text().startsWith("The search cannot run:"));
    EXPECT_EQ(view->model()->rowCount(), 5);
    pattern->clear();
    anagram->setText("act");
    d->runSearch();

    const QString csv = QString::fromStdString(dir.path()) + "/found.csv";
    ASSERT_TRUE(d->exportResults(csv));
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "word,definition,front hooks,back hooks,probability rank\r\n"
                           "ACT,v. to do something,,s,1\r\nCAT,n. a small feline,s,s,2\r\n");
    // A folder that cannot be written: a message, no file.
    answers::queue({Answer::Ok});
    EXPECT_FALSE(d->exportResults(QString::fromStdString(dir.path()) + "/no/such/folder/x.txt"));
}

// The picture menu's Study element opens the window; Escape closes it.
TEST_F(StudyDialogTest, TheMenuOpensTheStudyWindow) {
    db.reset();
    CMainWindow w(&ui, dir.path());
    store.writeInt(reg::kSettings, reg::kNoLogon, 1);
    ASSERT_TRUE(w.startUp());
    ModalDriver driver;
    driver.then([](QWidget* study) { QTest::keyClick(study, Qt::Key_Escape); });
    w.runCommand(res::kIdStudy);
    ASSERT_EQ(driver.seen(), 1);
    EXPECT_EQ(driver.classNames[0], "zq::CStudyDialog");
    EXPECT_EQ(driver.titles[0], "Zendraquil Study");
    EXPECT_EQ(w.lastCommand(), res::kIdStudy);
    // Only looking builds no study index; a search does, and the main window
    // keeps it for the next time.
    EXPECT_EQ(w.studyIndex(), nullptr);
    driver.then([](QWidget* study) {
        static_cast<CStudyDialog*>(study)->runSearch();
        QTest::keyClick(study, Qt::Key_Escape);
    });
    w.runCommand(res::kIdStudy);
    ASSERT_EQ(driver.seen(), 2);
    ASSERT_NE(w.studyIndex(), nullptr);
    EXPECT_GT(w.studyIndex()->size(), 0u);
    w.reject();
    EXPECT_EQ(w.studyIndex(), nullptr); // gone before the database
}

// Shuffle keeps the tiles' letters; Alphabetise puts them in order.
TEST_F(StudyDialogTest, TheTilesShuffleAndGoBackInOrder) {
    auto d = window();
    auto* typed = d->findChild<QPlainTextEdit*>(QStringLiteral("addTyped"));
    find<QComboBox>(d.get(), "addSource")->setCurrentIndex(3);
    typed->setPlainText("retains");
    find<QPushButton>(d.get(), "addButton")->click();
    d->startQuiz();
    auto* rack = find<CTileRack>(d.get(), "quizTiles");
    EXPECT_EQ(rack->rackText(), "aeinrst");
    bool moved = false;
    for (int i = 0; i < 20 && !moved; ++i) {
        alt(d.get(), Qt::Key_H);
        QString sorted = rack->rackText();
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, "aeinrst");
        moved = rack->rackText() != "aeinrst";
    }
    EXPECT_TRUE(moved);
    alt(d.get(), Qt::Key_B);
    EXPECT_EQ(rack->rackText(), "aeinrst");
    EXPECT_EQ(QApplication::focusWidget(), find<QLineEdit>(d.get(), "answerInput"));
}

// A long add shows its progress; Cancel leaves the cardbox as it was.
TEST_F(StudyDialogTest, ALongAddShowsItsProgressAndCanBeCancelled) {
    db.reset();
    db = databaseWith(dir, ui, fourLetterRecords(3000, false));
    ASSERT_TRUE(db && db->loaded);
    auto d = window();
    auto* hooks = find<QComboBox>(d.get(), "studyType");
    hooks->setCurrentIndex(1);
    d->setQuizType(QuizType::Hooks);
    find<QSpinBox>(d.get(), "addMinLength")->setValue(4);
    find<QSpinBox>(d.get(), "addMaxLength")->setValue(4);
    find<QSpinBox>(d.get(), "addFirst")->setValue(0);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto* p = d->findChild<QProgressDialog*>(QStringLiteral("addProgress"))) {
            shown = p->isVisible();
            p->cancel();
        }
    });
    find<QPushButton>(d.get(), "addButton")->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(find<QLabel>(d.get(), "addResult")->text(),
              "Adding was cancelled; nothing was added.");
    ASSERT_NE(d->cardbox(), nullptr);
    EXPECT_EQ(d->cardbox()->size(), 0);
    find<QPushButton>(d.get(), "addButton")->click();
    EXPECT_EQ(find<QLabel>(d.get(), "addResult")->text(), "Added 3000 new questions.");
}

// The window fits a screen of 1400 x 1080 pixels at 200%, with long word
// set titles and every tab.
TEST_F(StudyDialogTest, TheWindowFitsASmallScreenAtTwoHundredPercent) {
    auto d = window();
    auto* sets = find<QComboBox>(d.get(), "searchSet");
    sets->addItem(QString(120, QLatin1Char('x')));
    const QSize least = d->minimumSizeHint();
    EXPECT_LE(least.width(), 700);
    EXPECT_LE(least.height(), 540);
}

// The window names the lexicon it studies, and each lexicon keeps its own
// cardboxes beside its word list; the working folder's own list keeps them
// where they always were.
TEST_F(StudyDialogTest, EachLexiconHasItsOwnCardboxesAndIsNamed) {
    {
        CStudyDialog d(*db, nullptr, nullptr);
        EXPECT_EQ(find<QLabel>(&d, "studyLexicon")->text(), "Lexicon: ENABLE");
        EXPECT_EQ(d.cardboxFile(), cardboxPath(dir.path(), "Default", QuizType::Anagrams));
    }
    std::filesystem::create_directories(dir.file("lexicons/mine"));
    dir.write("lexicons/mine/word.lst", wordListBytes(kRecords));
    DatabaseSetup setup;
    setup.folder = dir.path();
    setup.lexiconFolder = dir.file("lexicons/mine");
    setup.lexiconName = "mine";
    setup.ui = &ui;
    CWordDatabase mine(setup);
    ASSERT_TRUE(mine.loaded);
    CStudyDialog d(mine, nullptr, nullptr);
    EXPECT_EQ(find<QLabel>(&d, "studyLexicon")->text(), "Lexicon: mine");
    EXPECT_EQ(d.cardboxFile(),
              cardboxPath(dir.file("lexicons/mine"), "Default", QuizType::Anagrams));
}
