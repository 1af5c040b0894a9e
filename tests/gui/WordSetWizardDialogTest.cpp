// The word set wizard as a user drives it: clicks and keys on the real
// wizard, its captions and buttons page by page, and what Finish and Cancel
// leave behind.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <cstring>
#include <memory>

#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "resources/DialogTemplates.h"
#include "tests/gui/GuiSupport.h"
#include "tests/support/TestSupport.h"
#include "wordsets/UserWordSet.h"
#include "wordsets/WordSetCriteria.h"
#include "wordsets/WordSetWizardDialog.h"

using namespace zq;
using namespace zq::test;

namespace {

// The consonant heavy words have no definition, as in the shipped lexicon.
const std::vector<std::string> kRecords = {
    "retains*keeps*v**~",
    "strings****~",
    "births****~",
    "queue*a line*n**~",
    "jukebox****~",
    "red*a colour*adj**~",
    "zebra*a striped horse*n**~",
    "bonze*a monk*n**~",
    "blue*a colour*adj**~",
    "green*a colour*adj**~",
    "alpha*a letter*letter**~",
};

class WizardDialogTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        dir.write(kWordListName, wordListBytes(kRecords));
        dir.write("a.wordset", "Colours\nA few colours\n-\nred green\n");
        db = std::make_unique<CWordDatabase>(programSetup(&ui, dir.path()));
        ASSERT_TRUE(db->loaded);
    }
    // A wizard from the quiz (or for printing), shown and ready for clicks.
    std::unique_ptr<WordSetWizardDialog> shown(bool forPrinting = false) {
        auto w = std::make_unique<WordSetWizardDialog>(*db, store, forPrinting);
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        return w;
    }
    static QAbstractButton* button(WordSetWizardDialog& w, QWizard::WizardButton which) {
        return w.button(which);
    }
    // Clicks a button; a check box or radio button on its box, which is
    // where it answers whatever the width of its text.
    static void click(QWidget* widget) {
        ASSERT_NE(widget, nullptr);
        ASSERT_TRUE(widget->isVisible());
        QPoint at = widget->rect().center();
        if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget))
            at.setX(qMin(8, widget->width() / 2));
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    }
    static void next(WordSetWizardDialog& w) { click(w.button(QWizard::NextButton)); }
    static QListWidget* list(WordSetWizardDialog& w) {
        return w.control<QListWidget>(res::kIdSetList);
    }
    // Which buttons show and which of those can be pressed: "Next", "Back*"
    // (a star for one that cannot), in the order Back, Next, Finish.
    static QString buttons(WordSetWizardDialog& w) {
        QStringList shown;
        const std::pair<QWizard::WizardButton, const char*> all[] = {
            {QWizard::BackButton, "Back"},
            {QWizard::NextButton, "Next"},
            {QWizard::FinishButton, "Finish"}};
        for (const auto& [which, name] : all) {
            QAbstractButton* b = w.button(which);
            if (!b->isVisible()) continue;
            shown << QString::fromLatin1(name) + (b->isEnabled() ? "" : "*");
        }
        return shown.join(' ');
    }
    CWordSetCriteria stored() {
        CWordSetCriteria c;
        c.load(store, db.get());
        return c;
    }
    CWordNode* node(const char* word) {
        for (CWordNode* n : db->inOrder())
            if (std::strcmp(n->word(), word) == 0) return n;
        return nullptr;
    }

    TempDir dir;
    RecordingUi ui;
    std::unique_ptr<CWordDatabase> db;
};

} // namespace

TEST_F(WizardDialogTest, ACustomSetGoesThroughAllFourPagesAndFinishStoresIt) {
    auto w = shown();
    EXPECT_EQ(w->windowTitle(), "Zendraquil Word Set Selection [Definitions]");
    EXPECT_EQ(buttons(*w), "Next");
    EXPECT_TRUE(w->control<QRadioButton>(res::kIdWithDefinitions)->isChecked());
    // The hidden note about which words have definitions.
    bool hiddenNote = false;
    for (QLabel* label : w->optionPage(0)->findChildren<QLabel*>())
        if (label->text().startsWith("Currently definitions")) hiddenNote = label->isHidden();
    EXPECT_TRUE(hiddenNote);

    next(*w);
    EXPECT_EQ(w->windowTitle(), "Zendraquil Word Set Selection [Sets]");
    QListWidget* sets = list(*w);
    ASSERT_EQ(sets->count(), 13);
    EXPECT_EQ(sets->item(12)->text(), "Colours: A few colours");
    EXPECT_EQ(sets->currentRow(), 0);
    EXPECT_TRUE(sets->hasFocus());
    EXPECT_EQ(buttons(*w), "Back Finish");
    QTest::keyClick(sets, Qt::Key_Down);
    EXPECT_EQ(sets->currentRow(), kCustomSet);
    EXPECT_EQ(buttons(*w), "Back Next");

    next(*w);
    EXPECT_EQ(w->windowTitle(), "Zendraquil Word Set Selection [Letters]");
    auto* any = w->control<QCheckBox>(res::kIdAnyLetters);
    EXPECT_TRUE(any->isChecked());
    EXPECT_EQ(w->control<QCheckBox>(res::kIdLetterJ)->text(), "J's");
    EXPECT_TRUE(w->control<QCheckBox>(res::kIdLetterJ)->isChecked());
    EXPECT_FALSE(w->control<QCheckBox>(res::kIdLetterB)->isChecked());
    click(any);
    click(w->control(res::kIdLetterJ));
    click(w->control(res::kIdLetterX));
    EXPECT_EQ(buttons(*w), "Back Next"); // q and z are still ticked
    click(w->control(res::kIdLetterQ));
    click(w->control(res::kIdLetterZ));
    EXPECT_EQ(buttons(*w), "Back Next*");
    click(w->control(res::kIdLetterZ));
    click(w->control(res::kIdLetterQ));
    EXPECT_EQ(w->wizard().letters, "qz");
    EXPECT_EQ(buttons(*w), "Back Next");

    next(*w);
    EXPECT_EQ(w->windowTitle(), "Zendraquil Word Set Selection [Word Length]");
    EXPECT_TRUE(w->control<QRadioButton>(res::kIdAnyLength)->isChecked());
    EXPECT_EQ(buttons(*w), "Back Finish"); // queue, zebra, bonze
    click(w->control(res::kIdUpToFour));
    EXPECT_EQ(buttons(*w), "Back Finish*"); // no word of up to four letters has q or z
    click(w->control(res::kIdUpToFive));
    EXPECT_EQ(buttons(*w), "Back Finish");
    EXPECT_TRUE(store.writeLog.empty());

    click(w->button(QWizard::FinishButton));
    EXPECT_EQ(w->result(), QDialog::Accepted);
    const CWordSetCriteria c = stored();
    EXPECT_EQ(c.cannedWordSet, kCustomSet);
    EXPECT_EQ(c.maxWordLength, 5);
    EXPECT_EQ(c.validLetters, "qz");
    EXPECT_EQ(c.allLetters, 0);
    EXPECT_EQ(c.definitions, 1);
    EXPECT_EQ(db->setSize, 3);
    EXPECT_TRUE(node("zebra")->has(CWordNode::InWordSet));
}

TEST_F(WizardDialogTest, FinishStaysInactiveForASetThatWouldBeEmpty) {
    auto w = shown();
    next(*w);
    QListWidget* sets = list(*w);
    sets->setCurrentRow(kErrors);
    EXPECT_EQ(buttons(*w), "Back Finish*");
    // Neither Enter nor a click gets past an inactive Finish.
    QTest::keyClick(sets, Qt::Key_Return);
    click(w->button(QWizard::FinishButton));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->result(), 0);
    QTest::keyClick(sets, Qt::Key_Up);
    EXPECT_EQ(sets->currentRow(), kUnits);
    EXPECT_EQ(buttons(*w), "Back Finish"); // li, a built-in unit
    sets->setCurrentRow(kConsonantHeavy);
    EXPECT_EQ(buttons(*w), "Back Finish*");

    // Without definitions the consonant heavy words are there.
    click(w->button(QWizard::BackButton));
    EXPECT_EQ(w->windowTitle(), "Zendraquil Word Set Selection [Definitions]");
    click(w->control(res::kIdWithoutDefinitions));
    next(*w);
    EXPECT_EQ(list(*w)->currentRow(), kConsonantHeavy);
    EXPECT_EQ(buttons(*w), "Back Finish");
    QTest::keyClick(list(*w), Qt::Key_Return);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(stored().cannedWordSet, kConsonantHeavy);
    EXPECT_EQ(stored().definitions, 0);
    EXPECT_EQ(db->setSize, 2);
}

TEST_F(WizardDialogTest, OpensOnValidChoicesWhateverIsStored) {
    store.writeString(reg::kDefaultUser, reg::kCannedWordSet, "12");
    {
        auto w = shown();
        next(*w);
        EXPECT_EQ(list(*w)->currentRow(), 12);
    }
    store.writeString(reg::kDefaultUser, reg::kCannedWordSet, "40");
    store.writeString(reg::kDefaultUser, reg::kMaxWordLength, "9");
    {
        auto w = shown();
        next(*w);
        EXPECT_EQ(list(*w)->currentRow(), kAllWords);
        list(*w)->setCurrentRow(kCustomSet);
        next(*w);
        next(*w);
        EXPECT_TRUE(w->control<QRadioButton>(res::kIdAnyLength)->isChecked());
        EXPECT_EQ(buttons(*w), "Back Finish");
    }
    store.writeString(reg::kDefaultUser, reg::kMaxWordLength, "4");
    {
        auto w = shown();
        next(*w);
        list(*w)->setCurrentRow(kCustomSet);
        next(*w);
        next(*w);
        EXPECT_TRUE(w->control<QRadioButton>(res::kIdUpToFour)->isChecked());
    }
    EXPECT_EQ(store.writeLog.size(), 4u); // only the test's own writes
}

TEST_F(WizardDialogTest, RunFromTheQuizAndForPrinting) {
    markWordSet(*db, store, false, false);
    const int size = db->setSize;
    for (bool forPrinting : {false, true}) {
        ModalDriver driver;
        driver.then([](QWidget* window) { finishOnSet(window, kTwoLetterWords); });
        EXPECT_EQ(runWordSetWizard(*db, forPrinting), 1);
        EXPECT_EQ(driver.seen(), 1);
        EXPECT_EQ(driver.titles[0], "Zendraquil Word Set Selection [Definitions]");
        EXPECT_EQ(stored().cannedWordSet, kTwoLetterWords);
        EXPECT_EQ(stored().maxWordLength, forPrinting ? 0 : 7);
        EXPECT_NE(db->setSize, size);
    }
}

// A store that takes no writes: Finish says that the choice is not kept,
// closes, and hands the choice to its caller, who plays or prints by it.
TEST_F(WizardDialogTest, FinishSaysSoWhenTheChoiceCannotBeStored) {
    store.failWrites = true;
    ModalDriver driver;
    driver.then([](QWidget* window) { finishOnSet(window, kTwoLetterWords); });
    answers::queue({Answer::Ok});
    CWordSetCriteria chosen;
    EXPECT_EQ(runWordSetWizard(*db, false, nullptr, &chosen), 1);
    EXPECT_EQ(answers::asked(), QStringList{QString::fromUtf8(str::kSetNotStored)});
    EXPECT_EQ(chosen.cannedWordSet, kTwoLetterWords);
    EXPECT_EQ(chosen.maxWordLength, 7);
    EXPECT_EQ(stored().cannedWordSet, kAllWords);
    EXPECT_TRUE(node("ox")->has(CWordNode::InWordSet));
    EXPECT_FALSE(node("zebra")->has(CWordNode::InWordSet));
}

TEST_F(WizardDialogTest, CancelOnAnyPageStoresAndMarksNothing) {
    markWordSet(*db, store, false, false);
    node("red")->set(CWordNode::Drawn);
    db->drawnCount = 1;
    std::vector<std::uint16_t> before;
    for (CWordNode* n : db->inOrder())
        before.push_back(n->flags);
    store.writeLog.clear();
    for (int page = 0; page < 4; ++page) {
        ModalDriver driver;
        driver.then([page](QWidget* window) {
            auto* w = qobject_cast<WordSetWizardDialog*>(window);
            ASSERT_NE(w, nullptr);
            if (page >= 1) QTest::mouseClick(w->button(QWizard::NextButton), Qt::LeftButton);
            if (page >= 2) {
                w->control<QListWidget>(res::kIdSetList)->setCurrentRow(kCustomSet);
                QTest::mouseClick(w->button(QWizard::NextButton), Qt::LeftButton);
                QTest::mouseClick(w->control(res::kIdLetterB), Qt::LeftButton, {}, QPoint(8, 8));
            }
            if (page >= 3) QTest::mouseClick(w->button(QWizard::NextButton), Qt::LeftButton);
            EXPECT_EQ(w->currentId(), page);
            if (page % 2)
                QTest::keyClick(w, Qt::Key_Escape);
            else
                QTest::mouseClick(w->button(QWizard::CancelButton), Qt::LeftButton);
        });
        EXPECT_EQ(runWordSetWizard(*db, false), 2) << page;
        EXPECT_EQ(driver.seen(), 1);
    }
    EXPECT_TRUE(store.writeLog.empty());
    std::vector<std::uint16_t> after;
    for (CWordNode* n : db->inOrder())
        after.push_back(n->flags);
    EXPECT_EQ(after, before);
    EXPECT_EQ(db->drawnCount, 1);
}
