// The Word Checker, Edit Word and the Word Builder as a user drives them: keys
// and clicks on real dialogs, message boxes answered from the queue, and a few
// runs through the real modal windows.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "app/InfoLabel.h"
#include "app/MainWindow.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "quiz/TileRack.h"
#include "tests/gui/GuiSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/EditWordDialog.h"
#include "tools/WordBuilderDialog.h"
#include "tools/WordCheckerDialog.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;
using namespace zq::test;

namespace {

const std::vector<std::string> kRecords = {
    "cat*a small feline*n*kitty*~",
    "kitty*a young cat*n*cat*~",
    "mate*a friend*n**~",
    "chum*a pal*n**~",
    "meat*animal flesh*n**~",
    "team*a side*n**~",
    "stem*a stalk*n**~",
    "nets*plural of net*n**~",
    "bare****~",
    "meta*about itself*adj**~",
    "zebra*a striped horse*n**~",
};

class WordToolsDialogTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        db = databaseWith(dir, ui, kRecords);
        markWordSet(*db, store, true, false);
    }
    void editorMode() { store.writeInt(reg::kSettings, reg::kEditWords, 1); }
    // A checker on the test lexicon, shown and ready for keys.
    std::unique_ptr<CWordCheckerDialog> checker() {
        auto d = std::make_unique<CWordCheckerDialog>();
        d->database = db.get();
        d->show();
        return d;
    }
    static QString result(CWordCheckerDialog& d) { return d.resultLabel()->text(); }
    static QPushButton* button(QWidget& d, const char* name) {
        return d.findChild<QPushButton*>(name);
    }

    TempDir dir;
    RecordingUi ui;
    std::unique_ptr<CWordDatabase> db;
};

} // namespace

TEST_F(WordToolsDialogTest, TheCheckerOpensWithThePromptAndJudgesAsYouType) {
    auto d = checker();
    EXPECT_EQ(d->windowTitle(), "Zendraquil Word Checker");
    EXPECT_EQ(result(*d), str::kCheckerPrompt);
    EXPECT_EQ(d->alternatesLabel()->text(), "");
    QTest::keyClicks(d->input(), "Cat");
    EXPECT_EQ(result(*d), "cat is a word:\nn.  a small feline");
    EXPECT_EQ(d->alternatesLabel()->text(), "Alternate: KITTY");
    QTest::keyClick(d->input(), Qt::Key_Backspace);
    EXPECT_EQ(result(*d), "ca is NOT a word.");
    EXPECT_EQ(d->alternatesLabel()->text(), "");
    // Enter never closes the checker, in editor mode or not.
    QTest::keyClick(d->input(), Qt::Key_Return);
    EXPECT_TRUE(d->isVisible());
    QTest::keyClick(d->input(), Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Rejected);
}

TEST_F(WordToolsDialogTest, EditorButtonsShowOnlyInEditorMode) {
    {
        auto d = checker();
        for (const char* name : {"edit", "update", "backup"})
            EXPECT_FALSE(button(*d, name)->isVisible()) << name;
        EXPECT_TRUE(button(*d, "exit")->isVisible());
    }
    editorMode();
    auto d = checker();
    for (const char* name : {"edit", "update", "backup"})
        EXPECT_TRUE(button(*d, name)->isVisible()) << name;
    EXPECT_FALSE(button(*d, "edit")->isEnabled()); // nothing typed yet
    QTest::keyClicks(d->input(), "zebra");
    EXPECT_TRUE(button(*d, "edit")->isEnabled());
    QTest::keyClick(d->input(), Qt::Key_S);
    EXPECT_FALSE(button(*d, "edit")->isEnabled());
}

TEST_F(WordToolsDialogTest, EditFromTheCheckerStoresTheChangeAndShowsIt) {
    editorMode();
    auto d = checker();
    QTest::keyClicks(d->input(), "cat");
    ModalDriver driver;
    driver.then([&](QWidget* w) {
        auto* edit = qobject_cast<CEditWordDialog*>(w);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(w->windowTitle(), "Zendraquil Edit Word");
        EXPECT_EQ(w->findChild<QLabel*>("word")->text(), "cat");
        EXPECT_EQ(w->findChild<QLabel*>("ring")->text(), "->kitty");
        EXPECT_FALSE(button(*w, "back")->isEnabled());
        auto* definition = w->findChild<QPlainTextEdit*>("definition");
        // The Enter that opened it types nothing into it.
        EXPECT_EQ(definition->toPlainText(), "a small feline");
        definition->selectAll();
        QTest::keyClicks(definition, "a house cat");
        // Capitals typed into the part of speech become small letters.
        auto* pos = w->findChild<QLineEdit*>("partOfSpeech");
        pos->selectAll();
        QTest::keyClicks(pos, "N");
        QTest::mouseClick(button(*w, "ok"), Qt::LeftButton);
    });
    QTest::keyClick(d->input(), Qt::Key_Return);
    EXPECT_EQ(driver.seen(), 1);
    EXPECT_EQ(result(*d), "cat is a word:\nn.  a house cat");
    EXPECT_EQ(db->modified, 1);
}

TEST_F(WordToolsDialogTest, EditWordRefusesWhatCannotBeStoredAndKeepsTheInput) {
    CEditWordDialog edit;
    edit.database = db.get();
    edit.entry = db->find("zebra");
    ModalDriver driver;
    driver.then([&](QWidget* w) {
        auto* definition = w->findChild<QPlainTextEdit*>("definition");
        // A line break can still arrive by pasting.
        definition->setPlainText("a striped\nhorse");
        answers::queue({Answer::Ok, Answer::Ok, Answer::Ok});
        QTest::mouseClick(button(*w, "ok"), Qt::LeftButton);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(definition->toPlainText(), "a striped\nhorse");
        // The own synonym, then an unknown one.
        definition->setPlainText("a striped horse");
        auto* synonym = w->findChild<QLineEdit*>("synonym");
        QTest::keyClicks(synonym, "zebra");
        QTest::mouseClick(button(*w, "ok"), Qt::LeftButton);
        synonym->clear();
        QTest::keyClicks(synonym, "horse");
        QTest::mouseClick(button(*w, "ok"), Qt::LeftButton);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(answers::asked(),
                  QStringList({"This entry cannot be stored: the definition may not contain a "
                               "line break. Please change it and press OK again.",
                               str::kOwnSynonym, str::kSynonymNotFound}));
        // OK without a change closes and stores nothing.
        synonym->clear();
        QTest::mouseClick(button(*w, "ok"), Qt::LeftButton);
    });
    EXPECT_EQ(edit.exec(), QDialog::Accepted);
    EXPECT_EQ(db->modified, 0);
    EXPECT_STREQ(db->find("zebra")->definition(), "a striped horse");
}

// Enter in the definition presses OK, as everywhere else in the dialog.
TEST_F(WordToolsDialogTest, EnterInTheDefinitionPressesOk) {
    CEditWordDialog edit;
    edit.database = db.get();
    edit.entry = db->find("zebra");
    ModalDriver driver;
    driver.then([&](QWidget* w) {
        auto* definition = w->findChild<QPlainTextEdit*>("definition");
        definition->moveCursor(QTextCursor::End);
        QTest::keyClicks(definition, " of Africa");
        QTest::keyClick(definition, Qt::Key_Return);
    });
    EXPECT_EQ(edit.exec(), QDialog::Accepted);
    EXPECT_STREQ(db->find("zebra")->definition(), "a striped horse of Africa");
    EXPECT_EQ(db->modified, 1);
}

// Fields that the user does not touch keep the entry's bytes, whatever they
// are: OK changes nothing, and an edit of one field leaves the others as the
// file had them. Latin-1 text shows as its letters, not as replacement marks.
TEST_F(WordToolsDialogTest, EditWordKeepsTheBytesOfUntouchedFields) {
    const std::string definition = "a caf\xe9 word,\xc2\xa0with a no-break space";
    const std::string synonym = "kitty";
    CWordNode* cat = db->find("cat");
    cat->setContent("cat", definition.c_str(), "n", synonym.c_str(), true);
    CEditWordDialog edit;
    edit.database = db.get();
    edit.entry = cat;
    ModalDriver driver;
    driver.then([&](QWidget* w) {
        auto* field = w->findChild<QPlainTextEdit*>("definition");
        EXPECT_TRUE(field->toPlainText().startsWith(QString::fromUtf8("a caf\xc3\xa9 word,")));
        QTest::keyClick(field, Qt::Key_Return);
    });
    EXPECT_EQ(edit.exec(), QDialog::Accepted);
    EXPECT_EQ(db->modified, 0);
    EXPECT_EQ(std::string(cat->definition()), definition);

    driver.then([&](QWidget* w) {
        auto* pos = w->findChild<QLineEdit*>("partOfSpeech");
        pos->selectAll();
        QTest::keyClicks(pos, "v");
        QTest::keyClick(pos, Qt::Key_Return);
    });
    EXPECT_EQ(edit.exec(), QDialog::Accepted);
    EXPECT_EQ(db->modified, 1);
    EXPECT_EQ(std::string(cat->definition()), definition);
    EXPECT_EQ(std::string(cat->synonym()), synonym);
    EXPECT_STREQ(cat->partOfSpeech(), "v");

    // An edited Latin-1 field stays Latin-1.
    driver.then([&](QWidget* w) {
        auto* field = w->findChild<QPlainTextEdit*>("definition");
        field->moveCursor(QTextCursor::Start);
        QTest::keyClicks(field, "just ");
        QTest::keyClick(field, Qt::Key_Enter);
    });
    EXPECT_EQ(edit.exec(), QDialog::Accepted);
    EXPECT_EQ(std::string(cat->definition()), "just " + definition);
}

// Update walks the current word set (here the four-letter words with a
// definition) through Edit Word, Back returns once to the word before, and
// the walk ends by itself after the last word.
TEST_F(WordToolsDialogTest, UpdateWalksTheSetWithBackAndStopsAfterTheLast) {
    editorMode();
    store.writeInt(reg::kDefaultUser, reg::kCannedWordSet, kFourLetterWords);
    auto d = checker();
    ModalDriver driver;
    QStringList shown;
    const auto okOn = [&](const char* word) {
        return [&, word](QWidget* w) {
            shown << w->findChild<QLabel*>("word")->text();
            EXPECT_EQ(shown.back(), word);
            QTest::mouseClick(button(*w, "ok"), Qt::LeftButton);
        };
    };
    driver.then(okOn("chum"));
    driver.then([&](QWidget* w) {
        shown << w->findChild<QLabel*>("word")->text();
        EXPECT_EQ(shown.back(), "mate");
        ASSERT_TRUE(button(*w, "back")->isEnabled());
        QTest::mouseClick(button(*w, "back"), Qt::LeftButton);
        EXPECT_EQ(w->findChild<QLabel*>("word")->text(), "chum");
        EXPECT_FALSE(button(*w, "back")->isEnabled());
        QTest::mouseClick(button(*w, "ok"), Qt::LeftButton);
    });
    for (const char* word : {"mate", "meat", "meta", "nets", "stem", "team"})
        driver.then(okOn(word));
    QTest::mouseClick(button(*d, "update"), Qt::LeftButton);
    EXPECT_EQ(driver.seen(), 8);
    // Afterwards every word but the expurged ones is marked again.
    EXPECT_NE(db->find("zebra"), nullptr);
    EXPECT_EQ(db->find(kExpurgedWords[0]), nullptr);
}

TEST_F(WordToolsDialogTest, BackupAsksFirstAndWritesTheTextBackup) {
    editorMode();
    auto d = checker();
    answers::queue({Answer::No});
    QTest::mouseClick(button(*d, "backup"), Qt::LeftButton);
    EXPECT_FALSE(dir.exists(kBackupName));
    answers::queue({Answer::Yes});
    QTest::mouseClick(button(*d, "backup"), Qt::LeftButton);
    EXPECT_TRUE(dir.exists(kBackupName));
    EXPECT_EQ(answers::asked().value(0), str::kBackupQuestion);
}

TEST_F(WordToolsDialogTest, TheBuilderListsBestFirstAndShowsTheSelectedWord) {
    CWordBuilderDialog d;
    d.database = db.get();
    d.show();
    EXPECT_EQ(d.windowTitle(), "Zendraquil Word Builder");
    EXPECT_FALSE(d.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(d.info()->text(), str::kBuilderHelp);
    QTest::keyClicks(d.letters(), "AETSMN");
    d.filter()->setFocus();
    QTest::keyClicks(d.filter(), " ET ");
    QTest::keyClick(d.filter(), Qt::Key_Return); // Enter is Find
    QStringList lines;
    for (int i = 0; i < d.results()->count(); ++i)
        lines << d.results()->item(i)->text();
    EXPECT_EQ(lines, QStringList({"meta : 6", "nets : 4"}));
    d.results()->setCurrentRow(0);
    EXPECT_EQ(d.info()->text(), "meta\nadj.  about itself");

    // Nothing found: the label keeps its text when the line is selected.
    d.filter()->setRackText("zzzzzz");
    QTest::mouseClick(button(d, "find"), Qt::LeftButton);
    ASSERT_EQ(d.results()->count(), 1);
    EXPECT_EQ(d.results()->item(0)->text(), str::kNoWordFound);
    d.info()->setText("kept");
    d.results()->setCurrentRow(0);
    EXPECT_EQ(d.info()->text(), "kept");
    EXPECT_TRUE(d.isVisible());
}

// From the picture menu: the Word Checker command, an edit, Exit, and the
// save offer when the program ends; the saved word.lst has the change.
TEST_F(WordToolsDialogTest, AnEditIsOfferedForSavingAndLoadsAgain) {
    db.reset();
    editorMode();
    store.writeInt(reg::kSettings, reg::kNoLogon, 1);
    {
        CMainWindow w(&ui, dir.path());
        ASSERT_TRUE(w.startUp());
        ModalDriver driver;
        driver.then([&](QWidget* checker) {
            auto* d = qobject_cast<CWordCheckerDialog*>(checker);
            ASSERT_NE(d, nullptr);
            QTest::keyClicks(d->input(), "chum");
            QTest::keyClick(d->input(), Qt::Key_Return);
            QTest::mouseClick(button(*d, "exit"), Qt::LeftButton);
        });
        driver.then([&](QWidget* edit) {
            auto* pos = edit->findChild<QLineEdit*>("partOfSpeech");
            pos->selectAll();
            QTest::keyClicks(pos, "noun");
            QTest::mouseClick(button(*edit, "ok"), Qt::LeftButton);
        });
        w.runCommand(res::kIdWordChecker);
        EXPECT_EQ(driver.seen(), 2);
        ui.answer = true;
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_EQ(ui.questions, std::vector<std::string>{str::kSaveQuestion});
    }
    auto again = openDatabase(dir, ui);
    ASSERT_TRUE(again->loaded);
    EXPECT_STREQ(again->find("chum")->partOfSpeech(), "noun");
}
