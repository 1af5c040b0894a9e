#include "wordsets/WordSetWizardDialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QListWidget>

#include <array>

#include "app/AppContext.h"
#include "app/DialogBuilder.h"
#include "app/QtHost.h"
#include "core/Strings.h"
#include "resources/DialogTemplates.h"

namespace zq {

namespace {

// The check box of each letter of WordSetWizard::kLetters, in that order.
constexpr std::array<int, WordSetWizard::kLetterCount> kLetterIds = {
    res::kIdLetterB, res::kIdLetterC, res::kIdLetterD, res::kIdLetterF, res::kIdLetterG,
    res::kIdLetterH, res::kIdLetterJ, res::kIdLetterK, res::kIdLetterM, res::kIdLetterP,
    res::kIdLetterQ, res::kIdLetterU, res::kIdLetterV, res::kIdLetterW, res::kIdLetterX,
    res::kIdLetterY, res::kIdLetterZ};

// The radio buttons of the length page, by choice.
constexpr std::array<int, WordSetWizard::kLengthChoices> kLengthIds = {
    res::kIdAnyLength, res::kIdUpToTwo,  res::kIdUpToThree,
    res::kIdUpToFour,  res::kIdUpToFive, res::kIdUpToSix};

bool isChecked(const COptionPage& page, int id) {
    const auto* button = qobject_cast<QAbstractButton*>(page.control(id));
    return button && button->isChecked();
}

void setChecked(const COptionPage& page, int id, bool on) {
    if (auto* button = qobject_cast<QAbstractButton*>(page.control(id))) button->setChecked(on);
}

QButtonGroup* groupOf(const COptionPage& page, int id) {
    const auto* button = qobject_cast<QAbstractButton*>(page.control(id));
    return button ? button->group() : nullptr;
}

const res::DialogTemplate& templateOf(int templateId) {
    const res::DialogTemplate* t = res::findTemplate(templateId);
    if (!t) qFatal("No dialog template %d", templateId);
    return *t;
}

} // namespace

// ---- The pages ----

COptionPage::COptionPage(WordSetWizard& wizard, int page, int templateId)
    : wizard_(wizard), page_(page), controls_(buildPage(*this, templateOf(templateId))) {}

bool COptionPage::isComplete() const {
    // One flag serves both: a page shows either Next or Finish.
    return buttons_.next || buttons_.finishEnabled;
}

int COptionPage::nextId() const {
    return wizard_.nextPage(page_);
}

void COptionPage::initializePage() {
    showing_ = true;
    showFields();
    showing_ = false;
    refresh();
}

void COptionPage::cleanupPage() {
    // Leaving by Back keeps what the page shows.
    takeControls();
}

bool COptionPage::validatePage() {
    takeControls();
    return true;
}

void COptionPage::refresh() {
    buttons_ = wizard_.buttons(page_);
    // Whether the page ends the wizard can change with a click (the sets
    // list): this makes the wizard ask the page again, which shows Next or
    // Finish as the page now needs and enables them from isComplete().
    setFinalPage(false);
    emit completeChanged();
}

COptionPage1::COptionPage1(WordSetWizard& wizard)
    : COptionPage(wizard, WordSetWizard::kDefinitionsPage, res::kWizardDefinitionsTemplate) {
    if (QButtonGroup* group = groupOf(*this, res::kIdWithDefinitions))
        connect(group, &QButtonGroup::idToggled, this, [this](int, bool on) {
            if (showing_ || !on) return;
            takeControls();
            refresh();
        });
}

void COptionPage1::showFields() {
    setChecked(*this,
               wizard_.definitionsChoice ? res::kIdWithDefinitions : res::kIdWithoutDefinitions,
               true);
}

void COptionPage1::takeControls() {
    wizard_.definitionsChoice = isChecked(*this, res::kIdWithDefinitions) ? 1 : 0;
}

COptionPage2::COptionPage2(WordSetWizard& wizard)
    : COptionPage(wizard, WordSetWizard::kSetsPage, res::kWizardSetsTemplate) {
    if (auto* list = qobject_cast<QListWidget*>(control(res::kIdSetList)))
        connect(list, &QListWidget::currentRowChanged, this, [this](int) {
            if (showing_) return;
            takeControls();
            refresh();
        });
}

void COptionPage2::showFields() {
    auto* list = qobject_cast<QListWidget*>(control(res::kIdSetList));
    if (!list) return;
    list->clear();
    for (const std::string& title : wizard_.setTitles())
        list->addItem(QString::fromStdString(title));
    list->setCurrentRow(wizard_.setChoice);
    list->setFocus();
}

void COptionPage2::takeControls() {
    if (auto* list = qobject_cast<QListWidget*>(control(res::kIdSetList)))
        wizard_.chooseSet(list->currentRow());
}

COptionPage3::COptionPage3(WordSetWizard& wizard)
    : COptionPage(wizard, WordSetWizard::kLettersPage, res::kWizardLettersTemplate) {
    if (auto* any = qobject_cast<QCheckBox*>(control(res::kIdAnyLetters)))
        connect(any, &QCheckBox::toggled, this, [this](bool on) {
            if (showing_) return;
            wizard_.setAnyLetters(on);
            refresh();
        });
    for (int i = 0; i < WordSetWizard::kLetterCount; ++i) {
        auto* box = qobject_cast<QCheckBox*>(control(kLetterIds[static_cast<std::size_t>(i)]));
        if (!box) continue;
        connect(box, &QCheckBox::toggled, this, [this, i](bool on) {
            if (showing_) return;
            wizard_.tickLetter(i, on);
            refresh();
        });
    }
}

void COptionPage3::showFields() {
    setChecked(*this, res::kIdAnyLetters, wizard_.anyLetters);
    for (int i = 0; i < WordSetWizard::kLetterCount; ++i)
        setChecked(*this, kLetterIds[static_cast<std::size_t>(i)],
                   wizard_.letterTicks[static_cast<std::size_t>(i)]);
}

void COptionPage3::takeControls() {
    // The boxes already told the wizard of every change; `letters` is only
    // rebuilt when a letter is clicked, so that stored letters outside the
    // boxes last until then.
    wizard_.setAnyLetters(isChecked(*this, res::kIdAnyLetters));
}

COptionPage4::COptionPage4(WordSetWizard& wizard)
    : COptionPage(wizard, WordSetWizard::kLengthPage, res::kWizardLengthTemplate) {
    if (QButtonGroup* group = groupOf(*this, res::kIdAnyLength))
        connect(group, &QButtonGroup::idToggled, this, [this](int, bool on) {
            if (showing_ || !on) return;
            takeControls();
            refresh();
        });
}

void COptionPage4::showFields() {
    const int choice = wizard_.lengthChoice;
    if (choice >= 0 && choice < WordSetWizard::kLengthChoices)
        setChecked(*this, kLengthIds[static_cast<std::size_t>(choice)], true);
}

void COptionPage4::takeControls() {
    for (int i = 0; i < WordSetWizard::kLengthChoices; ++i)
        if (isChecked(*this, kLengthIds[static_cast<std::size_t>(i)])) wizard_.chooseLength(i);
}

// ---- The wizard ----

WordSetWizardDialog::WordSetWizardDialog(CWordDatabase& database, SettingsStore& settings,
                                         bool forPrinting, QWidget* parent)
    : QWizard(parent), wizard_(database, settings, forPrinting) {
    setWizardStyle(QWizard::ClassicStyle);
    setOptions(QWizard::NoBackButtonOnStartPage);
    setPage(WordSetWizard::kDefinitionsPage, new COptionPage1(wizard_));
    setPage(WordSetWizard::kSetsPage, new COptionPage2(wizard_));
    setPage(WordSetWizard::kLettersPage, new COptionPage3(wizard_));
    setPage(WordSetWizard::kLengthPage, new COptionPage4(wizard_));
    setStartId(WordSetWizard::kDefinitionsPage);
    setWindowTitle(QString::fromUtf8(WordSetWizard::caption(WordSetWizard::kDefinitionsPage)));
    connect(this, &QWizard::currentIdChanged, this,
            [this](int id) { setWindowTitle(QString::fromUtf8(WordSetWizard::caption(id))); });
}

COptionPage* WordSetWizardDialog::optionPage(int page) const {
    return qobject_cast<COptionPage*>(QWizard::page(page));
}

QWidget* WordSetWizardDialog::control(int id) const {
    for (int page = 0; page < WordSetWizard::kPageCount; ++page)
        if (const COptionPage* p = optionPage(page))
            if (QWidget* w = p->control(id)) return w;
    return nullptr;
}

void WordSetWizardDialog::done(int result) {
    if (result == QDialog::Accepted) {
        // Finish is the only way to accept, and only while it is active.
        COptionPage* page = optionPage(currentId());
        if (!page || !validateCurrentPage()) return;
        page->refresh();
        if (!page->buttons().finish || !page->buttons().finishEnabled) return;
        // The set is marked from the choice either way; the user learns
        // that it will not be there next time.
        if (!wizard_.finish()) box::warning(this, QString::fromUtf8(str::kSetNotStored));
    }
    QWizard::done(result);
}

int runWordSetWizard(CWordDatabase& database, bool forPrinting, QWidget* parent,
                     CWordSetCriteria* chosen) {
    WordSetWizardDialog dialog(database, app::settings(), forPrinting, parent);
    const bool finished = dialog.exec() == QDialog::Accepted;
    if (finished && chosen) *chosen = dialog.wizard().finished;
    return finished ? 1 : 2;
}

} // namespace zq
