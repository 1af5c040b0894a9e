#include "tools/WordCheckerDialog.h"

#include <QKeyEvent>
#include <QPushButton>

#include "app/InfoLabel.h"
#include "app/QtHost.h"
#include "core/RegistryNames.h"
#include "core/SettingsStore.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "quiz/TileRack.h"
#include "tools/EditWordDialog.h"
#include "tools/WordChecker.h"
#include "wordsets/WordSetCriteria.h"

namespace zq {

CWordCheckerDialog::CWordCheckerDialog(QWidget* parent)
    : CAppDialog(res::kWordCheckerTemplate, parent) {
    editWordsEnabled = app::settings().readInt(reg::kSettings, reg::kEditWords, 0);
    if (CTileRack* rack = input()) rack->link(1, nullptr, 1);
    if (auto* button = control<QPushButton>(res::kIdUpdate))
        connect(button, &QPushButton::clicked, this, &CWordCheckerDialog::update);
    if (auto* button = control<QPushButton>(res::kIdBackup))
        connect(button, &QPushButton::clicked, this, &CWordCheckerDialog::backup);
}

CTileRack* CWordCheckerDialog::input() const {
    return control<CTileRack>(res::kIdInput);
}
CInfoLabel* CWordCheckerDialog::resultLabel() const {
    return control<CInfoLabel>(res::kIdResult);
}
CInfoLabel* CWordCheckerDialog::alternatesLabel() const {
    return control<CInfoLabel>(res::kIdAlternates);
}

void CWordCheckerDialog::initDialog() {
    CAppDialog::initDialog();
    if (editWordsEnabled) {
        for (int id : {res::kIdOk, res::kIdUpdate, res::kIdBackup})
            if (QWidget* button = control(id)) button->show();
    }
    // Emptying the input is what shows the prompt: the rack tells the dialog.
    input()->setRackText(QString());
    input()->setFocus();
    alternatesLabel()->setText(QString());
}

void CWordCheckerDialog::onRackChanged(int code) {
    if (code == 1) lookupWord();
}

void CWordCheckerDialog::lookupWord() {
    if (!database) return;
    const CheckerLookup found = zq::lookupWord(*database, input()->rackText().toStdString());
    if (editWordsEnabled) control(res::kIdOk)->setEnabled(found.entry != nullptr);
    alternatesLabel()->setText(QString::fromUtf8(found.alternates));
    resultLabel()->setText(QString::fromUtf8(found.result));
}

void CWordCheckerDialog::keyPressEvent(QKeyEvent* event) {
    // Enter is the dialog's OK command, which is Edit; it never closes the
    // checker.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    CAppDialog::keyPressEvent(event);
}

void CWordCheckerDialog::accept() {
    if (!editWordsEnabled || !database) return;
    CWordNode* entry = database->find(rackLower(input()->rackText().toStdString()));
    if (!entry) return;
    CEditWordDialog edit(this);
    edit.database = database;
    edit.entry = entry;
    if (edit.exec() == QDialog::Accepted) lookupWord();
}

void CWordCheckerDialog::update() {
    if (!editWordsEnabled || !database) return;
    SettingsStore& settings = app::settings();
    markWordSet(*database, settings, false, false);
    CWordNode* start = updateWalkStart(*database, input()->rackText().toStdString());
    CEditWordDialog edit(this);
    edit.database = database;
    CWordNode* previous = nullptr;
    bool firstPass = true;
    for (;;) {
        if (!start) start = nextSetMember(*database, firstPass ? nullptr : previous);
        if (!start) break;
        edit.entry = start;
        edit.previous = previous;
        const int result = edit.exec();
        previous = edit.entry;
        start = nullptr;
        firstPass = false;
        if (result != QDialog::Accepted) break;
    }
    markWordSet(*database, settings, true, false);
    lookupWord();
}

void CWordCheckerDialog::backup() {
    if (!database) return;
    if (box::yesNo(this, QString::fromUtf8(str::kBackupQuestion), true)) database->backupText();
}

} // namespace zq
