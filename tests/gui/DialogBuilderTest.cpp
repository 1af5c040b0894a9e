// The template builder: every kind of control the tools need, named after its
// template, and a loud stop for a template it cannot carry out.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <QWizardPage>

#include "app/DialogBuilder.h"
#include "quiz/TileRack.h"
#include "tests/gui/GuiSupport.h"

using namespace zq;
using namespace zq::test;
using K = res::ControlKind;

namespace {

constexpr res::ControlTemplate kToolControls[] = {
    {10, "rack", K::TileRack, "", 7, 7, 200, 20, 15},
    {11, "words", K::ListBox, "", 7, 30, 100, 60},
    {12, "passes", K::ListView, "", 110, 30, 100, 60},
    {res::kIdStatic, nullptr, K::GroupBox, "Length", 7, 95, 100, 50},
    {13, "two", K::RadioButton, "Two", 12, 105, 40, 10, 0, res::kGroup},
    {14, "three", K::RadioButton, "Three", 12, 117, 40, 10},
    {15, "yes", K::RadioButton, "Yes", 60, 105, 40, 10, 0, res::kGroup},
    {16, "no", K::RadioButton, "No", 60, 117, 40, 10},
    {17, "definition", K::MultiLineEdit, "", 110, 95, 100, 40},
    {18, "synonym", K::LowerCaseEdit, "", 110, 140, 100, 12},
};
constexpr res::DialogTemplate kTool{9001, "Tool", 220, 160, kToolControls};

class DialogBuilderTest : public GuiTest {};

} // namespace

TEST_F(DialogBuilderTest, BuildsTheToolsKindsNamedAfterTheirTemplates) {
    QDialog dialog;
    const auto controls = buildDialog(dialog, kTool);
    EXPECT_EQ(controls.size(), 9);
    auto* rack = dialog.findChild<CTileRack*>("rack");
    ASSERT_NE(rack, nullptr);
    EXPECT_EQ(rack->squareCount(), 15);
    EXPECT_EQ(controls.value(10), rack);
    EXPECT_NE(dialog.findChild<QListWidget*>("words"), nullptr);
    auto* view = dialog.findChild<QTreeWidget*>("passes");
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->rootIsDecorated());
    EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_NE(dialog.findChild<QPlainTextEdit*>("definition"), nullptr);

    // Two groups of radio buttons, each answering as one, by control id.
    auto* two = dialog.findChild<QRadioButton*>("two");
    auto* yes = dialog.findChild<QRadioButton*>("yes");
    ASSERT_TRUE(two && yes);
    ASSERT_NE(two->group(), yes->group());
    EXPECT_EQ(two->group()->id(dialog.findChild<QRadioButton*>("three")), 14);
    dialog.show();
    QTest::mouseClick(two, Qt::LeftButton);
    QTest::mouseClick(yes, Qt::LeftButton);
    EXPECT_TRUE(two->isChecked());
    QTest::mouseClick(dialog.findChild<QRadioButton*>("three"), Qt::LeftButton);
    EXPECT_FALSE(two->isChecked());
    EXPECT_TRUE(yes->isChecked());
}

TEST_F(DialogBuilderTest, ALowerCaseEditTurnsTypedCapitalsIntoSmallLetters) {
    QDialog dialog;
    buildDialog(dialog, kTool);
    auto* edit = dialog.findChild<QLineEdit*>("synonym");
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "Kitty Cat");
    EXPECT_EQ(edit->text(), "kitty cat");
    edit->setCursorPosition(5);
    QTest::keyClicks(edit, "X");
    EXPECT_EQ(edit->text(), "kittyx cat");
    EXPECT_EQ(edit->cursorPosition(), 6);
}

TEST_F(DialogBuilderTest, AWizardPageTakesItsTitleAndSizeFromItsTemplate) {
    QWizardPage page;
    const auto controls = buildPage(page, kTool);
    EXPECT_EQ(page.title(), "Tool");
    EXPECT_EQ(controls.value(11)->parentWidget(), &page);
    const DialogUnits u = unitsFor(page, kTool);
    EXPECT_EQ(page.minimumSize(), QSize(u.x(220), u.y(160)));
}

using DialogBuilderDeathTest = DialogBuilderTest;

TEST_F(DialogBuilderDeathTest, ATemplateTheBuilderCannotCarryOutStopsLoudly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    static constexpr res::ControlTemplate unknown[] = {
        {20, "odd", static_cast<K>(250), "", 0, 0, 10, 10}};
    static constexpr res::ControlTemplate nameless[] = {{21, nullptr, K::Edit, "", 0, 0, 10, 10}};
    static constexpr res::ControlTemplate twice[] = {{22, "a", K::Edit, "", 0, 0, 10, 10},
                                                     {22, "b", K::Edit, "", 0, 20, 10, 10}};
    static constexpr res::ControlTemplate emptyRack[] = {
        {23, "rack", K::TileRack, "", 0, 0, 10, 10, 0}};
    const auto build = [](std::span<const res::ControlTemplate> controls) {
        QDialog dialog;
        buildDialog(dialog, res::DialogTemplate{9002, "Bad", 50, 50, controls});
    };
    EXPECT_DEATH(build(unknown), "template 9002, control 20: the builder does not know");
    EXPECT_DEATH(build(nameless), "control 21: a control with an id needs a name");
    EXPECT_DEATH(build(twice), "control 22: two controls share this id");
    EXPECT_DEATH(build(emptyRack), "control 23: a tile rack needs 1 to 20 squares");
}
