#include "tools/EditWordDialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include "app/QtHost.h"
#include "core/WordDatabase.h"
#include "tools/EditWord.h"

namespace zq {

namespace {
// The definition as typed. The plain-text view of the document would turn a
// no-break space into a space; the raw text keeps every character and only
// marks line ends its own way.
QString definitionText(const QPlainTextEdit& field) {
    QString text = field.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}
} // namespace

CEditWordDialog::CEditWordDialog(QWidget* parent) : CAppDialog(res::kEditWordTemplate, parent) {
    // The platform's own dialog background.
    paintBackground = 0;
    if (auto* button = control<QPushButton>(res::kIdBack))
        connect(button, &QPushButton::clicked, this, &CEditWordDialog::back);
    if (auto* definition = control<QPlainTextEdit>(res::kIdDefinition))
        definition->installEventFilter(this);
}

bool CEditWordDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        watched == control<QPlainTextEdit>(res::kIdDefinition)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return CAppDialog::eventFilter(watched, event);
}

int CEditWordDialog::exec() {
    showEntry();
    return CAppDialog::exec();
}

void CEditWordDialog::showEntry() {
    if (!entry) return;
    const EditFields fields = fieldsOf(*entry);
    control<QLabel>(res::kIdEntryWord)->setText(textFromBytes(entry->word()));
    auto* definition = control<QPlainTextEdit>(res::kIdDefinition);
    auto* partOfSpeech = control<QLineEdit>(res::kIdPartOfSpeech);
    auto* synonym = control<QLineEdit>(res::kIdSynonym);
    definition->setPlainText(textFromBytes(fields.definition));
    partOfSpeech->setText(textFromBytes(fields.partOfSpeech));
    synonym->setText(textFromBytes(fields.synonym));
    // Read back rather than kept as set: the fields may have changed the text
    // (line ends, the lower-case filter) without the user touching them.
    shownDefinition_ = definitionText(*definition);
    shownPartOfSpeech_ = partOfSpeech->text();
    shownSynonym_ = synonym->text();
    control<QPushButton>(res::kIdBack)->setEnabled(previous != nullptr);
    control<QLabel>(res::kIdRing)->setText(textFromBytes(ringText(*entry)));
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
    // A field the user left alone keeps the entry's own bytes.
    const EditFields before = fieldsOf(*entry);
    auto field = [](const QString& now, const QString& shown, const std::string& bytes) {
        return now == shown ? bytes : bytesFromText(now, bytes);
    };
    EditFields fields;
    fields.definition = field(definitionText(*control<QPlainTextEdit>(res::kIdDefinition)),
                              shownDefinition_, before.definition);
    fields.partOfSpeech = field(control<QLineEdit>(res::kIdPartOfSpeech)->text(),
                                shownPartOfSpeech_, before.partOfSpeech);
    fields.synonym =
        field(control<QLineEdit>(res::kIdSynonym)->text(), shownSynonym_, before.synonym);
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
