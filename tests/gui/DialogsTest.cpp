#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/AboutDialog.h"
#include "app/DialogBuilder.h"
#include "app/InfoLabel.h"
#include "app/LogonDialog.h"
#include "app/MessageStrip.h"
#include "app/OptionsDialog.h"
#include "app/QtHost.h"
#include "core/Strings.h"
#include "tests/gui/GuiSupport.h"

using namespace zq;
using namespace zq::test;

namespace {

class DialogsTest : public GuiTest {};

QString typeName(QLineEdit* edit, const QString& name) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, name);
    return edit->text();
}

} // namespace

TEST(DialogUnits, EdgesNotSizesAreConverted) {
    const DialogUnits u{7, 14};
    EXPECT_EQ(u.rect(0, 0, 372, 111).size(), QSize(651, 194));
    // Two controls that touch in dialog units touch in pixels, although their
    // widths round differently.
    const QRect a = u.rect(7, 7, 3, 5), b = u.rect(10, 12, 3, 5);
    EXPECT_EQ(a.right() + 1, b.left());
    EXPECT_EQ(a.bottom() + 1, b.top());
}

TEST_F(DialogsTest, OptionsControlsComeFromTheTemplate) {
    COptionsDialog options;
    const DialogUnits u = DialogUnits::fromFont(options.font());
    EXPECT_EQ(options.windowTitle(), "Zendraquil Options");
    EXPECT_EQ(options.size(), QSize(u.x(153), u.y(82)));
    struct Row {
        int id;
        const char* name;
        const char* text;
        QRect dlu;
    };
    const Row rows[] = {
        {res::kIdHideTimer, "hideTimer", "Hide Timer", {7, 7, 52, 15}},
        {res::kIdSkipLogon, "skipLogon", "Skip Logon", {7, 27, 52, 12}},
        {res::kIdNoSounds, "noSounds", "No Sounds", {7, 44, 52, 15}},
        {res::kIdExpurged, "expurged", "Allow expurged words in WordChecker", {7, 64, 138, 8}}};
    for (const Row& r : rows) {
        auto* box = options.findChild<QCheckBox*>(r.name);
        ASSERT_NE(box, nullptr) << r.name;
        EXPECT_EQ(options.control(r.id), box);
        EXPECT_EQ(box->text(), r.text);
        // At the template's place, grown where needed to show the whole text.
        const QRect expected = u.rect(r.dlu.x(), r.dlu.y(), r.dlu.width(), r.dlu.height());
        EXPECT_EQ(box->x(), expected.x());
        EXPECT_GE(box->width(), std::max(expected.width(), box->sizeHint().width()));
        EXPECT_EQ(box->geometry().center().y(), expected.center().y());
    }
    EXPECT_TRUE(options.control<QPushButton>(res::kIdOk)->isDefault());
    EXPECT_EQ(options.control<QPushButton>(res::kIdCancel)->text(), "Cancel");
}

TEST_F(DialogsTest, LogonOkStoresTheNameAndTheSkipChoice) {
    store.writeString("Settings", "UserName", "alice");
    CLogonDialog logon;
    ModalDriver driver;
    logon.show();
    auto* edit = logon.control<QLineEdit>(res::kIdUserName);
    EXPECT_EQ(edit->text(), "alice");
    EXPECT_EQ(typeName(edit, "Bob"), "Bob");
    QTest::mouseClick(logon.control<QCheckBox>(res::kIdNoLogonCheck), Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_Return); // the default button
    EXPECT_EQ(logon.result(), QDialog::Accepted);
    EXPECT_EQ(store.writeLog,
              (std::vector<std::string>{"Settings\\UserName=alice", "Settings\\UserName=Bob",
                                        "Settings\\NoLogon=1"}));
    EXPECT_EQ(driver.seen(), 0);
}

TEST_F(DialogsTest, BlankAndSpacedNamesAreRefusedAndNothingIsWritten) {
    // The first through the real message box, the others through queued answers.
    {
        CLogonDialog logon;
        logon.show();
        ModalDriver driver;
        QString text;
        QMessageBox::Icon icon = QMessageBox::Warning;
        driver.then([&](QWidget* box) {
            text = messageText(box);
            icon = qobject_cast<QMessageBox*>(box)->icon();
            clickButton(box, "OK");
        });
        typeName(logon.control<QLineEdit>(res::kIdUserName), "");
        QTest::mouseClick(logon.control<QPushButton>(res::kIdOk), Qt::LeftButton);
        ASSERT_EQ(driver.seen(), 1);
        EXPECT_EQ(driver.titles[0], "Zendraquil");
        EXPECT_EQ(text, str::kBadUserName);
        EXPECT_EQ(icon, QMessageBox::NoIcon);
        EXPECT_TRUE(logon.isVisible());
    }
    for (const QString& name :
         {QStringLiteral("B ob"), QStringLiteral(" "), QStringLiteral("a ")}) {
        SCOPED_TRACE(name.toStdString());
        CLogonDialog logon;
        logon.show();
        answers::queue({Answer::Ok});
        auto* edit = logon.control<QLineEdit>(res::kIdUserName);
        typeName(edit, name);
        QTest::mouseClick(logon.control<QPushButton>(res::kIdOk), Qt::LeftButton);
        EXPECT_EQ(answers::asked().value(0), str::kBadUserName);
        EXPECT_TRUE(logon.isVisible()); // still open, with the input
        EXPECT_EQ(edit->text(), name);
        answers::reset();
    }
    EXPECT_TRUE(store.writeLog.empty());
}

// Queued answers stand in for message boxes and strips, in order; each takes
// only an answer it has a button for.
TEST_F(DialogsTest, QueuedAnswersAnswerMessageBoxesAndStripsInTurn) {
    answers::queue({Answer::Yes, Answer::Ok, Answer::Continue, Answer::No});
    EXPECT_TRUE(box::yesNo(nullptr, "First?"));
    box::warning(nullptr, "Second");
    CMessageStrip strip;
    EXPECT_EQ(strip.run("Third"), QDialog::Accepted);
    EXPECT_EQ(strip.label()->text(), "Third");
    EXPECT_FALSE(box::yesNo(nullptr, "Fourth?"));
    EXPECT_EQ(answers::asked(), QStringList({"First?", "Second", "Third", "Fourth?"}));
    EXPECT_EQ(answers::pending(), 0);
}

TEST(AnswersDeathTest, AnAnswerTheWindowHasNoButtonForStopsTheRun) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            answers::queue({Answer::Yes});
            box::plain(nullptr, "Only OK here");
        },
        "The queued answer Yes does not fit the message \"Only OK here\"");
    answers::reset();
}

TEST_F(DialogsTest, LogonCancelAndATabbedNameAreHandledAsIs) {
    {
        CLogonDialog logon;
        logon.show();
        typeName(logon.control<QLineEdit>(res::kIdUserName), "carol");
        QTest::mouseClick(logon.control<QPushButton>(res::kIdCancel), Qt::LeftButton);
        EXPECT_EQ(logon.result(), QDialog::Rejected);
        EXPECT_TRUE(store.writeLog.empty());
    }
    CLogonDialog logon;
    logon.show();
    logon.control<QLineEdit>(res::kIdUserName)->setText("tab\there");
    QTest::mouseClick(logon.control<QPushButton>(res::kIdOk), Qt::LeftButton);
    EXPECT_EQ(store.readString("Settings", "UserName", ""), "tab\there");
}

// Options are per user: each user's ticks stay with that user, and the
// shared ones are shared.
TEST_F(DialogsTest, TwoUsersOptionsAreKeptApart) {
    store.writeString("Settings", "UserName", "alice");
    {
        COptionsDialog options;
        options.show();
        EXPECT_FALSE(options.control<QCheckBox>(res::kIdHideTimer)->isChecked());
        QTest::mouseClick(options.control<QCheckBox>(res::kIdHideTimer), Qt::LeftButton);
        QTest::mouseClick(options.control<QCheckBox>(res::kIdExpurged), Qt::LeftButton);
        store.writeLog.clear();
        QTest::mouseClick(options.control<QPushButton>(res::kIdOk), Qt::LeftButton);
        EXPECT_EQ(store.writeLog,
                  (std::vector<std::string>{"alice\\NoSound=0", "alice\\NoTimer=1",
                                            "Settings\\NoLogon=0", "Settings\\Expurged=1"}));
    }
    store.writeString("Settings", "UserName", "bob");
    {
        COptionsDialog options;
        EXPECT_EQ(options.noTimer, 0);
        EXPECT_EQ(options.expurged, 1);
        options.show();
        QTest::mouseClick(options.control<QCheckBox>(res::kIdNoSounds), Qt::LeftButton);
        QTest::mouseClick(options.control<QPushButton>(res::kIdOk), Qt::LeftButton);
    }
    store.writeString("Settings", "UserName", "alice");
    COptionsDialog alice;
    EXPECT_EQ(alice.noTimer, 1);
    EXPECT_EQ(alice.noSound, 0);
    alice.show();
    EXPECT_TRUE(alice.control<QCheckBox>(res::kIdHideTimer)->isChecked());
    store.writeLog.clear();
    QTest::keyClick(&alice, Qt::Key_Escape);
    EXPECT_EQ(alice.result(), QDialog::Rejected);
    EXPECT_TRUE(store.writeLog.empty());
}

TEST_F(DialogsTest, InfoLabelFontIsItsHeightButAtMostTwentyPixels) {
    CInfoLabel tall, low;
    tall.resize(200, 35);
    low.resize(200, 12);
    EXPECT_EQ(tall.fontPixelSize(), 20);
    EXPECT_EQ(low.fontPixelSize(), 12);
    tall.setText(str::kLoadingWords);
    EXPECT_EQ(tall.text(), str::kLoadingWords);
    // It shows only its own text on the tooltip colour, never a template's.
    CInfoLabel blank;
    blank.resize(60, 14);
    const QImage shot = blank.grab().toImage();
    const QColor tip = QApplication::palette().color(QPalette::ToolTipBase);
    for (int x = 0; x < shot.width(); x += 5)
        EXPECT_EQ(QColor(shot.pixel(x, 7)), tip);
}

TEST_F(DialogsTest, MessageStripSitsTwoPixelsAboveItsOwnersBottomEdge) {
    QDialog owner;
    owner.setGeometry(100, 150, 600, 400);
    owner.show();
    CMessageStrip strip(&owner);
    strip.setText("The word was QUIZ.");
    ModalDriver driver;
    QRect ownerFrame, stripFrame;
    driver.then([&](QWidget* w) {
        ownerFrame = owner.frameGeometry();
        stripFrame = w->frameGeometry();
        clickButton(w, "Continue ..");
    });
    EXPECT_EQ(strip.exec(), QDialog::Accepted);
    ASSERT_EQ(driver.seen(), 1);
    EXPECT_EQ(stripFrame.bottom(), ownerFrame.bottom() - 2);
    EXPECT_TRUE(strip.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(strip.label()->text(), "The word was QUIZ.");

    CMessageStrip again(&owner);
    driver.then([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(again.exec(), QDialog::Rejected);
}

TEST_F(DialogsTest, CaptionsKeepTheProductNameFromTheTitle) {
    EXPECT_EQ(CAppDialog::rebuildCaption("Zendraquil Logon"), "Zendraquil Logon");
    EXPECT_EQ(CAppDialog::rebuildCaption("Zendraquil v1.0"), "Zendraquil v1.0");
    EXPECT_EQ(CAppDialog::rebuildCaption("Word list"), "Word list");
}

TEST_F(DialogsTest, AboutBoxCreditsItsSourcesAndClosesWithOk) {
    CAboutDialog about;
    EXPECT_EQ(about.windowTitle(), "Zendraquil v1.0");
    QString credits;
    for (QLabel* l : about.findChildren<QLabel*>())
        credits += l->text() + "\n";
    for (const char* part : {"ENABLE", "public domain", "WordNet 3.0", "Princeton University",
                             "GCIDE", "naughty-words", "badwords-list", "bad-words", "Qt"})
        EXPECT_TRUE(credits.contains(part)) << part;
    ASSERT_NE(about.findChild<QGroupBox*>(), nullptr);
    EXPECT_EQ(about.findChild<QGroupBox*>()->title(), "Zendraquil v1.0");
    EXPECT_FALSE(about.control<QLabel>(res::kIdAboutFrame)->pixmap().isNull());
    about.show();
    QTest::mouseClick(about.control<QPushButton>(res::kIdOk), Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
}
