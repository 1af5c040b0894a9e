#include "tools/WordBuilderDialog.h"

#include <QListWidget>

#include "app/InfoLabel.h"
#include "app/QtHost.h"
#include "core/Strings.h"
#include "quiz/TileRack.h"
#include "tools/WordBuilderSearch.h"

namespace zq {

CWordBuilderDialog::CWordBuilderDialog(QWidget* parent)
    : CAppDialog(res::kWordBuilderTemplate, parent) {
    // A caption bar without the system menu: there is no close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    letters()->link(1, nullptr, 1);
    filter()->link(1, nullptr, 1);
    info()->setText(QString::fromUtf8(str::kBuilderHelp));
    connect(results(), &QListWidget::itemSelectionChanged, this,
            &CWordBuilderDialog::selectionChanged);
}

CTileRack* CWordBuilderDialog::letters() const {
    return control<CTileRack>(res::kIdInput);
}
CTileRack* CWordBuilderDialog::filter() const {
    return control<CTileRack>(res::kIdFilter);
}
QListWidget* CWordBuilderDialog::results() const {
    return control<QListWidget>(res::kIdResultList);
}
CInfoLabel* CWordBuilderDialog::info() const {
    return control<CInfoLabel>(res::kIdInfo);
}

void CWordBuilderDialog::accept() {
    if (!database) return;
    BusyCursor busy;
    const std::vector<std::string> lines = listBuildableWords(
        *database, letters()->rackText().toStdString(), filter()->rackText().toStdString());
    QStringList items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        items.push_back(QString::fromStdString(line));
    QListWidget* list = results();
    list->setUpdatesEnabled(false);
    list->clear();
    list->addItems(items);
    list->setUpdatesEnabled(true);
    info()->setText(QString::fromUtf8(str::kBuilderHelp));
}

void CWordBuilderDialog::selectionChanged() {
    if (!database) return;
    const QList<QListWidgetItem*> selected = results()->selectedItems();
    std::string line;
    if (!selected.isEmpty()) line = selected.front()->text().toStdString();
    if (const auto text = builderLineText(*database, selected.isEmpty() ? nullptr : &line))
        info()->setText(QString::fromUtf8(*text));
}

} // namespace zq
