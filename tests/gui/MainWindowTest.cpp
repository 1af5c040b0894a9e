#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/AboutDialog.h"
#include "app/Answers.h"
#include "app/InfoLabel.h"
#include "app/LogonDialog.h"
#include "app/MainWindow.h"
#include "core/RegistryNames.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "study/LexiconsDialog.h"
#include "study/StudyDialog.h"
#include "tests/gui/GuiSupport.h"
#include "tests/support/TestSupport.h"

using namespace zq;
using namespace zq::test;

namespace {

class MainWindowTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        dir.write(kWordListName, wordListBytes({"cat*a small feline*n**~", "dog*a hound*n**~",
                                                "quiz*a short test*n**~"}));
    }

    // A main window that has loaded the lexicon and shows the picture menu.
    std::unique_ptr<CMainWindow> menu() {
        store.writeInt("Settings", reg::kNoLogon, 1);
        auto w = std::make_unique<CMainWindow>(&ui, dir.path());
        EXPECT_TRUE(w->startUp());
        EXPECT_TRUE(w->menuShown());
        return w;
    }

    TempDir dir;
    RecordingUi ui;
};

} // namespace

TEST_F(MainWindowTest, StartUpLoadsThenShowsThePictureOverTheStartUpScreen) {
    auto w = menu();
    ASSERT_NE(w->database(), nullptr);
    EXPECT_TRUE(w->database()->loaded);
    EXPECT_NE(w->database()->find("quiz"), nullptr);
    EXPECT_EQ(w->windowTitle(), "Zendraquil v1.0");
    EXPECT_EQ(w->size(), QSize(417, 131));
    EXPECT_FALSE(w->control(res::kIdStatusLine)->isVisible());
    EXPECT_FALSE(w->control(res::kIdProgress)->isVisible());
    EXPECT_TRUE(w->control(res::kIdPicture)->isVisible());
    EXPECT_EQ(w->control(res::kIdPicture)->geometry(), QRect(0, 0, 417, 131));
    EXPECT_TRUE(ui.messages.empty());
}

// The lexicon named in the settings is the one loaded; a setting that names
// nothing usable is said once, and the working folder's own list is loaded.
TEST_F(MainWindowTest, StartUpLoadsTheLexiconTheSettingsName) {
    std::filesystem::create_directories(dir.file("lexicons/mine"));
    dir.write("lexicons/mine/word.lst", wordListBytes({"zyzzyva*a tropical weevil*n**~"}));
    store.writeString("Settings", reg::kLexicon, "mine");
    {
        auto w = menu();
        EXPECT_NE(w->database()->find("zyzzyva"), nullptr);
        EXPECT_EQ(w->database()->find("quiz"), nullptr);
        EXPECT_EQ(w->database()->setup().lexiconName, "mine");
        EXPECT_TRUE(ui.messages.empty());
    }
    store.writeString("Settings", reg::kLexicon, "../../elsewhere");
    {
        auto w = menu();
        EXPECT_NE(w->database()->find("quiz"), nullptr);
        EXPECT_EQ(w->database()->setup().lexiconName, "");
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0], str::withText(str::kLexiconBadName, "../../elsewhere"));
    }
    // A lexicon whose list cannot be read gives way to the working folder's.
    std::filesystem::create_directories(dir.file("lexicons/broken/word.lst"));
    store.writeString("Settings", reg::kLexicon, "broken");
    ui.messages.clear();
    auto w = menu();
    EXPECT_NE(w->database()->find("quiz"), nullptr);
    EXPECT_EQ(w->database()->setup().lexiconName, "");
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back(), str::withText(str::kLexiconNotLoaded, "broken"));
}

// A player adds a list of their own from the study window (UTF-16, CRLF, a
// bad line), sees the report, starts again into it, and goes back to ENABLE
// with its cardbox where it was.
TEST_F(MainWindowTest, APlayersOwnListIsAddedThenLoadedAtTheNextStartAndLeftAgain) {
    std::string text = "\xFF\xFE";
    for (char c : std::string("CAT\r\nzyzzyva\r\nqi\r\nbad line\r\n"))
        text += std::string{c, '\0'};
    dir.write("my list.txt", text);
    std::filesystem::create_directories(dir.file("study/Guest"));
    dir.write("study/Guest/anagrams.db", std::string("kept as it was"));
    dir.write("pets.wordset", std::string("pets\r\nPets\r\n-\r\ncat\r\ndog\r\n"));
    {
        auto w = menu();
        CStudyDialog study(*w->database(), &w->studyIndex(), nullptr);
        study.show();
        ModalDriver driver;
        QString report;
        driver.then([&](QWidget* window) {
            auto* file = window->findChild<QLineEdit*>(QStringLiteral("lexiconFile"));
            ASSERT_NE(file, nullptr);
            file->setFocus();
            QTest::keyClicks(file, QString::fromStdString(dir.file("my list.txt")));
            auto* name = window->findChild<QLineEdit*>(QStringLiteral("lexiconNewName"));
            EXPECT_EQ(name->text(), "mylist");
            answers::queue({Answer::Yes});
            name->setFocus();
            QTest::keyClick(name, Qt::Key_Return);
            report =
                window->findChild<QPlainTextEdit*>(QStringLiteral("lexiconReport"))->toPlainText();
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("lexiconClose")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(study.findChild<QPushButton*>(QStringLiteral("studyLexicons")),
                          Qt::LeftButton);
        EXPECT_EQ(driver.seen(), 1);
        const QStringList lines = report.split(QLatin1Char('\n'));
        ASSERT_GE(lines.size(), 10) << report.toStdString();
        EXPECT_EQ(lines[0], "The lexicon \"mylist\" was added from my list.txt.");
        EXPECT_TRUE(lines.contains("Words kept: 3"));
        EXPECT_TRUE(lines.contains("  line 4: bad line"));
        EXPECT_TRUE(lines.contains("With definitions: 1"));
        EXPECT_TRUE(lines.contains("New against ENABLE: 2"));
        EXPECT_EQ(answers::asked(),
                  QStringList({"Load \"mylist\" the next time Zendraquil starts?"}));
        EXPECT_EQ(store.readString("Settings", reg::kLexicon, ""), "mylist");
        EXPECT_EQ(w->database()->setup().lexiconName, "");
    }
    {
        auto w = menu();
        EXPECT_EQ(w->database()->setup().lexiconName, "mylist");
        ASSERT_NE(w->database()->find("cat"), nullptr);
        EXPECT_STREQ(w->database()->find("cat")->definition(), "a small feline");
        EXPECT_NE(w->database()->find("zyzzyva"), nullptr);
        EXPECT_NE(w->database()->find("qi"), nullptr);
        EXPECT_EQ(w->database()->find("dog"), nullptr);
        // The working folder's word sets serve every lexicon.
        EXPECT_EQ(w->database()->userWordSets.size(), 1u);
        EXPECT_TRUE(ui.messages.empty());
        auto* named = w->findChild<QLabel*>(QStringLiteral("startupLexicon"));
        ASSERT_NE(named, nullptr);
        EXPECT_EQ(named->text(), "Lexicon: mylist");
        EXPECT_FALSE(named->isVisible());
        CAboutDialog about(nullptr, w->database()->setup().lexiconName);
        auto* line = about.findChild<QLabel*>(QStringLiteral("aboutLexicon"));
        ASSERT_NE(line, nullptr);
        EXPECT_TRUE(line->text().startsWith("Lexicon loaded: mylist"));

        CLexiconsDialog lexicons(realFileSystem(), dir.path(), "mylist");
        // The loaded lexicon is not replaced under the program's feet.
        lexicons.findChild<QLineEdit*>(QStringLiteral("lexiconFile"))
            ->setText(QString::fromStdString(dir.file("my list.txt")));
        lexicons.findChild<QLineEdit*>(QStringLiteral("lexiconNewName"))->setText("mylist");
        EXPECT_FALSE(lexicons.addFromFields());
        EXPECT_EQ(
            lexicons.findChild<QPlainTextEdit*>(QStringLiteral("lexiconReport"))->toPlainText(),
            QString::fromStdString(str::withText(str::kLexiconsReplaceLoaded, "mylist")));
        auto* list = lexicons.findChild<QListWidget*>(QStringLiteral("lexiconList"));
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(0)->text(), "ENABLE");
        EXPECT_EQ(list->item(1)->text(), "mylist  (loaded now and at the next start)");
        list->setCurrentRow(0);
        EXPECT_TRUE(lexicons.startWithSelected());
        EXPECT_EQ(list->item(0)->text(), "ENABLE  (at the next start)");
    }
    auto w = menu();
    EXPECT_EQ(w->database()->setup().lexiconName, "");
    EXPECT_NE(w->database()->find("dog"), nullptr);
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("startupLexicon")), nullptr);
    EXPECT_EQ(dir.read("study/Guest/anagrams.db"), bytesOf("kept as it was"));
    EXPECT_TRUE(ui.messages.empty());
}

namespace {

// Records the status line's text each time it is painted.
class PaintRecorder : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            if (auto* label = qobject_cast<CInfoLabel*>(watched)) painted.push_back(label->text());
        return false;
    }
    std::vector<QString> painted;
};

} // namespace

// No event loop runs during the load: the start-up screen must paint each
// new status text at once, while the load is still going.
TEST_F(MainWindowTest, TheStartUpScreenPaintsTheLoadsProgressAsItGoes) {
    store.writeInt("Settings", reg::kNoLogon, 1);
    CMainWindow w(&ui, dir.path());
    PaintRecorder recorder;
    w.control(res::kIdStatusLine)->installEventFilter(&recorder);
    ASSERT_TRUE(w.startUp());
    const auto& seen = recorder.painted;
    EXPECT_NE(std::find(seen.begin(), seen.end(), str::kLoadingWords), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), str::kIndexingWords), seen.end());
    auto* bar = qobject_cast<QProgressBar*>(w.control(res::kIdProgress));
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(MainWindowTest, AFailedLoadEndsThroughTheCancelPathWithoutLogon) {
    TempDir empty;
    ModalDriver driver; // any logon would be an unexpected modal
    CMainWindow w(&ui, empty.path());
    EXPECT_FALSE(w.startUp());
    EXPECT_EQ(w.database(), nullptr);
    EXPECT_EQ(w.result(), QDialog::Rejected);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], str::kNoWordList);
    EXPECT_EQ(driver.seen(), 0);
}

TEST_F(MainWindowTest, LogonRunsUnlessSkippedAndItsCancelEndsTheProgram) {
    {
        ModalDriver driver;
        driver.then([](QWidget* logon) {
            auto* edit = logon->findChild<QLineEdit*>("userName");
            EXPECT_EQ(edit->text(), "Default");
            EXPECT_FALSE(logon->findChild<QCheckBox*>("noLogon")->isChecked());
            clickButton(logon, "OK");
        });
        CMainWindow w(&ui, dir.path());
        EXPECT_TRUE(w.startUp());
        EXPECT_TRUE(w.menuShown());
        ASSERT_EQ(driver.seen(), 1);
        EXPECT_EQ(driver.titles[0], "Zendraquil Logon");
        EXPECT_EQ(store.readString("Settings", "UserName", ""), "Default");
        EXPECT_EQ(store.readInt("Settings", reg::kNoLogon, -1), 0);
    }
    {
        ModalDriver driver;
        driver.then([](QWidget* logon) { QTest::keyClick(logon, Qt::Key_Escape); });
        CMainWindow w(&ui, dir.path());
        EXPECT_FALSE(w.startUp());
        EXPECT_EQ(w.database(), nullptr);
        EXPECT_EQ(driver.seen(), 1);
    }
    {
        store.writeInt("Settings", reg::kNoLogon, 1);
        ModalDriver driver;
        CMainWindow w(&ui, dir.path());
        EXPECT_TRUE(w.startUp());
        EXPECT_EQ(driver.seen(), 0);
    }
}

TEST_F(MainWindowTest, HandCursorOverRegionsArrowElsewhere) {
    auto w = menu();
    QTest::mouseMove(w.get(), QPoint(40, 20)); // Quiz
    EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(w.get(), QPoint(150, 40)); // Word Checker
    EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(w.get(), QPoint(200, 120)); // the board
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(w.get(), QPoint(390, 100)); // Exit
    EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MainWindowTest, HitTestAtRegionBordersAndOutside) {
    auto w = menu();
    struct Probe {
        int x, y, command;
    };
    const Probe probes[] = {
        {95, 30, 1041},   {96, 30, 0},      {40, 65, 1041},  {40, 66, 0},     {61, 100, 1042},
        {60, 100, 0},     {168, 100, 1042}, {169, 100, 0},   {110, 59, 1042}, {110, 58, 0},
        {132, 40, 1043},  {131, 40, 0},     {244, 83, 1043}, {244, 40, 0},    {240, 84, 1043},
        {240, 85, 0},     {172, 0, 1043},   {200, 84, 0},    {364, 100, 2},   {363, 100, 0},
        {416, 129, 2},    {390, 63, 2},     {390, 62, 0},    {390, 45, 3},    {390, 46, 0},
        {302, 30, 3},     {301, 30, 0},     {416, 30, 3},    {330, 66, 3},    {245, 100, 1044},
        {338, 100, 1044}, {339, 100, 0},    {275, 54, 1044}, {275, 53, 0},    {15, 96, 153},
        {15, 95, 0},      {15, 116, 153},   {15, 117, 0},    {200, 120, 0},   {350, 90, 0},
        {30, 80, 0},      {-1, 10, 0},      {417, 10, 0}};
    for (const Probe& p : probes)
        EXPECT_EQ(w->hitTest(QPoint(p.x, p.y)), p.command) << p.x << "," << p.y;
}

TEST_F(MainWindowTest, ClicksRunTheirCommandsAndTheBoardDoesNothing) {
    auto w = menu();
    ModalDriver driver;
    driver.then([](QWidget* about) { clickButton(about, "OK"); });
    driver.then([](QWidget* options) { clickButton(options, "Cancel"); });
    QTest::mouseClick(w.get(), Qt::LeftButton, {}, QPoint(15, 106));
    QTest::mouseClick(w.get(), Qt::LeftButton, {}, QPoint(330, 30));
    ASSERT_EQ(driver.seen(), 2);
    EXPECT_EQ(driver.classNames[0], "zq::CAboutDialog");
    EXPECT_EQ(driver.titles[0], "Zendraquil v1.0");
    EXPECT_EQ(driver.classNames[1], "zq::COptionsDialog");

    // The quiz: Exit, and the summary strip.
    driver.then([](QWidget* quiz) { clickButton(quiz, "Exit"); });
    driver.then([](QWidget* strip) { clickButton(strip, "Continue .."); });
    QTest::mouseClick(w.get(), Qt::LeftButton, {}, QPoint(40, 20));
    EXPECT_EQ(w->lastCommand(), 1041);
    EXPECT_EQ(driver.seen(), 4);
    EXPECT_EQ(driver.classNames[2], "zq::CQuizDialog");
    // Printing: the wizard for printing first.
    driver.then([](QWidget* wizard) { clickButton(wizard, "Cancel"); });
    QTest::mouseClick(w.get(), Qt::LeftButton, {}, QPoint(290, 100));
    EXPECT_EQ(w->lastCommand(), 1044);
    EXPECT_EQ(driver.seen(), 5);
    EXPECT_EQ(driver.classNames[4], "zq::WordSetWizardDialog");
    QTest::mouseClick(w.get(), Qt::LeftButton, {}, QPoint(200, 120));
    EXPECT_EQ(w->lastCommand(), 1044); // the board is no command
    // Only the left button runs commands.
    QTest::mouseClick(w.get(), Qt::RightButton, {}, QPoint(390, 100));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(driver.seen(), 5);
    EXPECT_NE(w->database(), nullptr);
}

// Escape, the Exit region and the close box all offer to save an edited
// database before the window closes; Enter does nothing.
TEST_F(MainWindowTest, EscapeExitAndCloseBoxOfferToSaveEnterDoesNothing) {
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        ui.questions.clear();
        auto w = menu();
        w->database()->modified = 1;
        QTest::keyClick(w.get(), Qt::Key_Return);
        QTest::keyClick(w.get(), Qt::Key_Enter);
        EXPECT_TRUE(w->isVisible());
        EXPECT_NE(w->database(), nullptr);
        EXPECT_TRUE(ui.questions.empty());
        if (way == 0) QTest::keyClick(w.get(), Qt::Key_Escape);
        if (way == 1) QTest::mouseClick(w.get(), Qt::LeftButton, {}, QPoint(390, 110));
        if (way == 2) w->close();
        EXPECT_EQ(w->database(), nullptr);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->result(), QDialog::Rejected);
        ASSERT_EQ(ui.questions.size(), 1u);
        EXPECT_EQ(ui.questions[0], str::kSaveQuestion);
    }
    EXPECT_FALSE(dir.exists("word.lst.bak")); // every answer was No
}

TEST_F(MainWindowTest, YesInTheSaveOfferRewritesTheWordList) {
    auto w = menu();
    w->database()->modified = 1;
    ui.answer = true;
    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_TRUE(dir.exists("word.lst.bak"));
    EXPECT_TRUE(ui.messages.empty());
}

// Without a stand-in, the question is a Yes/No message box captioned with
// the application title.
TEST_F(MainWindowTest, TheSaveOfferIsAMessageBox) {
    store.writeInt("Settings", reg::kNoLogon, 1);
    CMainWindow w(nullptr, dir.path());
    ASSERT_TRUE(w.startUp());
    w.database()->modified = 1;
    ModalDriver driver;
    QString text;
    driver.then([&](QWidget* box) {
        text = messageText(box);
        clickButton(box, "No");
    });
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_EQ(driver.seen(), 1);
    EXPECT_EQ(driver.titles[0], "Zendraquil");
    EXPECT_EQ(text, str::kSaveQuestion);
    EXPECT_EQ(w.database(), nullptr);
    EXPECT_FALSE(dir.exists("word.lst.bak"));
}

TEST_F(MainWindowTest, ASystemColourChangeReachesDialogsOpenedAfterIt) {
    auto w = menu();
    const QPalette original = QApplication::palette();
    QPalette changed = original;
    changed.setColor(QPalette::ToolTipBase, QColor(200, 40, 40));
    QApplication::setPalette(changed);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->colours().infoBackground, QColor(200, 40, 40));
    EXPECT_EQ(app::colours().infoBackground, QColor(200, 40, 40));
    // A dialog that paints its background shows the new colour.
    CAppDialog strip(res::kMessageStripTemplate);
    const QImage shot = strip.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(shot.width() - 2, 2)), QColor(200, 40, 40));
    // One that does not shows the platform's dialog background.
    CLogonDialog logon;
    const QImage plain = logon.grab().toImage();
    EXPECT_NE(QColor(plain.pixel(2, plain.height() - 2)), QColor(200, 40, 40));
    QApplication::setPalette(original);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->colours().infoBackground, original.color(QPalette::ToolTipBase));
}

// The keyboard's way through the picture menu: Tab and the arrows move among
// the eight elements, each with its accessible name and a visible mark; Space
// runs the focused one; Enter does nothing.
TEST_F(MainWindowTest, TheKeyboardReachesAndRunsEveryElement) {
    auto w = menu();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    auto focused = [&]() -> QAbstractButton* {
        return qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    };
    EXPECT_EQ(focused(), nullptr); // nothing marked at first
    const QImage unmarked = w->grab().toImage();

    QStringList names;
    for (int i = 0; i < 9; ++i) {
        QWidget* at = QApplication::focusWidget();
        QTest::keyClick(at ? at : w.get(), Qt::Key_Tab);
        ASSERT_NE(focused(), nullptr);
        names << focused()->accessibleName();
    }
    EXPECT_EQ(names.join(','),
              "Quiz,Word Builder,Word Checker,Exit,Options,Print,About,Study,Quiz"); // Tab wraps
    EXPECT_NE(w->grab().toImage(), unmarked);
    QTest::keyClick(focused(), Qt::Key_Left);
    EXPECT_EQ(focused()->accessibleName(), "Study");
    QTest::keyClick(focused(), Qt::Key_Right);
    QTest::keyClick(focused(), Qt::Key_Down);
    EXPECT_EQ(focused()->accessibleName(), "Word Builder");
    QTest::keyClick(focused(), Qt::Key_Backtab);
    EXPECT_EQ(focused()->accessibleName(), "Quiz");

    // Enter does nothing; Space runs About.
    QTest::keyClick(focused(), Qt::Key_Left);
    QTest::keyClick(focused(), Qt::Key_Left);
    ASSERT_EQ(focused()->accessibleName(), "About");
    QTest::keyClick(focused(), Qt::Key_Return);
    QTest::keyClick(focused(), Qt::Key_Enter);
    EXPECT_TRUE(w->isVisible());
    ModalDriver driver;
    driver.then([](QWidget* about) { clickButton(about, "OK"); });
    QAbstractButton* aboutElement = focused();
    QTest::keyClick(aboutElement, Qt::Key_Space);
    EXPECT_EQ(driver.seen(), 1);
    EXPECT_EQ(driver.classNames[0], "zq::CAboutDialog");
    EXPECT_EQ(w->lastCommand(), res::kIdAbout);
    // Escape from a focused element is the window's: the exit path.
    QTest::keyClick(aboutElement, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->database(), nullptr);
}
