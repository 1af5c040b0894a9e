#include "tools/EditWordDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/QtHost.h"
#include "core/WordDatabase.h"
#include "tools/EditWord.h"

namespace zq {

namespace {
QString fromBytes(const char* text) {
    return QString::fromUtf8(text);
}
} // namespace

CEditWordDialog::CEditWordDialog(QWidget* parent) : CAppDialog(res::kEditWordTemplate, parent) {
    // The platform's own dialog background.
    paintBackground = 0;
    if (auto* button = control<QPushButton>(res::kIdBack))
        connect(button, &QPushButton::clicked, this, &CEditWordDialog::back);
}

int CEditWordDialog::exec() {
    showEntry();
    return CAppDialog::exec();
}

void CEditWordDialog::showEntry() {
    if (!entry) return;
    const EditFields fields = fieldsOf(*entry);
    control<QLabel>(res::kIdEntryWord)->setText(fromBytes(entry->word()));
    control<QPlainTextEdit>(res::kIdDefinition)
        ->setPlainText(QString::fromStdString(fields.definition));
    control<QLineEdit>(res::kIdPartOfSpeech)->setText(QString::fromStdString(fields.partOfSpeech));
    control<QLineEdit>(res::kIdSynonym)->setText(QString::fromStdString(fields.synonym));
    control<QPushButton>(res::kIdBack)->setEnabled(previous != nullptr);
    control<QLabel>(res::kIdRing)->setText(QString::fromStdString(ringText(*entry)));
    control<QPlainTextEdit>(res::kIdDefinition)->setFocus();
}

void CEditWordDialog::back() {
    if (!previous) return;
    entry = previous;
    previous = nullptr;
    showEntry();
}

void CEditWordDialog::accept() {
    if (!entry || !database) return;
    EditFields fields;
    fields.definition = control<QPlainTextEdit>(res::kIdDefinition)->toPlainText().toStdString();
    fields.partOfSpeech = control<QLineEdit>(res::kIdPartOfSpeech)->text().toStdString();
    fields.synonym = control<QLineEdit>(res::kIdSynonym)->text().toStdString();
    const EditCheck check = checkEdit(*database, *entry, fields);
    switch (check.verdict) {
    case EditVerdict::OwnSynonym:
    case EditVerdict::EmptyField:
    case EditVerdict::SynonymNotFound:
    case EditVerdict::NotStorable:
        // The dialog stays open with the input as typed.
        box::plain(this, QString::fromStdString(check.message));
        return;
    case EditVerdict::Unchanged:
        break;
    case EditVerdict::Store: {
        const std::string notice = storeEdit(*database, *entry, fields);
        if (!notice.empty()) box::plain(this, QString::fromStdString(notice));
        break;
    }
    }
    CAppDialog::accept();
}

} // namespace zq
