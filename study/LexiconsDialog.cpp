#include "study/LexiconsDialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/QtHost.h"
#include "core/LexiconImport.h"
#include "core/Lexicons.h"
#include "core/RegistryNames.h"
#include "core/SettingsStore.h"
#include "core/Strings.h"

namespace zq {

namespace {

QString qs(const std::string& text) {
    return QString::fromUtf8(text.c_str());
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

CLexiconsDialog::CLexiconsDialog(FileSystem& fs, std::string workingFolder, std::string loadedName,
                                 QWidget* parent)
    : QDialog(parent), fs_(fs), folder_(std::move(workingFolder)), loaded_(std::move(loadedName)) {
    setWindowTitle(qs(str::kLexiconsCaption));
    auto* intro = new QLabel(qs(str::kLexiconsIntro));
    intro->setWordWrap(true);
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("lexiconList"));
    startWith_ = new QPushButton(qs(str::kLexiconsStartWith));
    startWith_->setObjectName(QStringLiteral("lexiconStartWith"));
    startWith_->setAutoDefault(false);

    auto* group = new QGroupBox(qs(str::kLexiconsAddGroup));
    file_ = new QLineEdit;
    file_->setObjectName(QStringLiteral("lexiconFile"));
    auto* browseButton = new QPushButton(qs(str::kLexiconsBrowse));
    browseButton->setObjectName(QStringLiteral("lexiconBrowse"));
    browseButton->setAutoDefault(false);
    name_ = new QLineEdit;
    name_->setObjectName(QStringLiteral("lexiconNewName"));
    name_->setMaxLength(static_cast<int>(kMaxLexiconName));
    auto* add = new QPushButton(qs(str::kLexiconsAdd));
    add->setObjectName(QStringLiteral("lexiconAdd"));
    add->setAutoDefault(false);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browseButton);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(name_, 1);
    nameRow->addWidget(add);
    auto* form = new QFormLayout;
    auto* fileLabel = new QLabel(qs(str::kLexiconsFileLabel));
    fileLabel->setBuddy(file_);
    auto* nameLabel = new QLabel(qs(str::kLexiconsNameLabel));
    nameLabel->setBuddy(name_);
    form->addRow(fileLabel, fileRow);
    form->addRow(nameLabel, nameRow);
    report_ = new QPlainTextEdit;
    report_->setObjectName(QStringLiteral("lexiconReport"));
    report_->setReadOnly(true);
    report_->setMinimumHeight(fontMetrics().lineSpacing() * 12);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(form);
    groupLayout->addWidget(report_, 1);

    auto* close = new QPushButton(qs(str::kLexiconsClose));
    close->setObjectName(QStringLiteral("lexiconClose"));
    close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(startWith_);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    layout->addWidget(group, 2);
    resize(560, 640);

    connect(startWith_, &QPushButton::clicked, this, [this] { startWithSelected(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { startWithSelected(); });
    connect(browseButton, &QPushButton::clicked, this, &CLexiconsDialog::browse);
    connect(add, &QPushButton::clicked, this, [this] { addFromFields(); });
    connect(name_, &QLineEdit::returnPressed, this, [this] { addFromFields(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(file_, &QLineEdit::textEdited, this, [this](const QString& path) {
        name_->setText(qs(suggestedLexiconName(localPath(path))));
    });
    refresh();
}

void CLexiconsDialog::refresh() {
    const std::string selected =
        list_->currentItem() ? list_->currentItem()->data(Qt::UserRole).toString().toStdString()
                             : loaded_;
    list_->clear();
    const std::string setting = app::settings().readString(reg::kSettings, reg::kLexicon, "");
    for (const LexiconRow& row : lexiconRows(fs_, folder_, loaded_, setting)) {
        auto* item = new QListWidgetItem(qs(row.text), list_);
        item->setData(Qt::UserRole, qs(row.name));
        if (row.name == selected) list_->setCurrentItem(item);
    }
}

void CLexiconsDialog::browse() {
    QFileDialog files(this, qs(str::kLexiconsFileCaption), QString(),
                      qs(str::kLexiconsFileFilters));
    files.setObjectName(QStringLiteral("lexiconFileDialog"));
    files.setAcceptMode(QFileDialog::AcceptOpen);
    files.setFileMode(QFileDialog::ExistingFile);
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) return;
    const QString path = files.selectedFiles().constFirst();
    file_->setText(path);
    name_->setText(qs(suggestedLexiconName(localPath(path))));
    name_->setFocus();
}

bool CLexiconsDialog::setStartUp(const std::string& name) {
    if (!app::settings().writeString(reg::kSettings, reg::kLexicon, name)) {
        report_->setPlainText(qs(str::kLexiconsNotSaved));
        return false;
    }
    report_->appendPlainText(qs(str::withText(str::kLexiconsStartsWith, lexiconLabel(name))));
    refresh();
    return true;
}

bool CLexiconsDialog::startWithSelected() {
    if (!list_->currentItem()) return false;
    const std::string name = list_->currentItem()->data(Qt::UserRole).toString().toStdString();
    report_->clear();
    return setStartUp(name);
}

bool CLexiconsDialog::addFromFields() {
    const std::string path = localPath(file_->text().trimmed());
    const std::string name = name_->text().trimmed().toStdString();
    if (path.empty()) {
        report_->setPlainText(qs(str::kLexiconsNoFile));
        file_->setFocus();
        return false;
    }
    // The loaded lexicon is written back at exit when edited, which would
    // undo a new list put in its place.
    if (!name.empty() && name == loaded_) {
        report_->setPlainText(qs(str::withText(str::kLexiconsReplaceLoaded, name)));
        name_->setFocus();
        return false;
    }
    // A name already taken is replaced only when the player says so.
    const std::string problem = newLexiconProblem(fs_, folder_, name, true);
    const bool replace = problem.empty() && hasLexicon(fs_, folder_, name);
    if (replace && !box::yesNo(this, qs(str::withText(str::kLexiconsReplace, name)))) return false;
    if (!problem.empty()) {
        report_->setPlainText(qs(problem));
        name_->setFocus();
        return false;
    }

    QProgressDialog progress(qs(str::kLexiconReading), QString(), 0, 100, this);
    progress.setObjectName(QStringLiteral("lexiconProgress"));
    progress.setWindowTitle(qs(str::kLexiconsProgressCaption));
    progress.setCancelButtonText(QApplication::translate("QProgressDialog", "Cancel"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    const LexiconImport result =
        addLexicon(fs_, folder_, name, path, replace, [&progress](int percent, const char* phase) {
            progress.setLabelText(qs(phase));
            progress.setValue(percent);
            return !progress.wasCanceled();
        });
    progress.close();

    // What happened first, then what the list held when it was read.
    const bool added = result.error.empty();
    QStringList lines;
    lines << qs(added ? str::withText(str::withText(str::kLexiconAdded, name).c_str(),
                                      localPath(QFileInfo(file_->text()).fileName()))
                      : result.error);
    if (!result.cancelled && !result.list.words.empty())
        for (const std::string& line :
             importReportLines(result.list, result.comparison, result.referenceRead))
            lines << qs(line);
    if (!result.warning.empty()) lines << qs(result.warning);
    report_->setPlainText(lines.join(QLatin1Char('\n')));
    if (!added) return false;
    refresh();
    if (box::yesNo(this, qs(str::withText(str::kLexiconsUseNext, name)))) setStartUp(name);
    return true;
}

} // namespace zq
