#include "quiz/StatisticsDialog.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "app/QtHost.h"
#include "core/SettingsStore.h"
#include "core/Strings.h"
#include "quiz/SetStatistics.h"

namespace zq {

CStatisticsDialog::CStatisticsDialog(QWidget* parent)
    : CAppDialog(res::kStatisticsTemplate, parent) {
    paintBackground = 0;
    QTreeWidget* view = list();
    QStringList headers;
    for (const char* column : str::kStatisticsColumns)
        headers << QString::fromUtf8(column);
    view->setColumnCount(static_cast<int>(headers.size()));
    view->setHeaderLabels(headers);
    view->setSortingEnabled(false);
    view->header()->setSectionsClickable(false);
    view->header()->setDefaultAlignment(Qt::AlignLeft);
}

QTreeWidget* CStatisticsDialog::list() const {
    return control<QTreeWidget>(res::kIdStatisticsList);
}

int CStatisticsDialog::fill() {
    SettingsStore& settings = app::settings();
    const std::string user = UserProfile::currentName(settings);
    setWindowTitle(QString::fromUtf8(str::kStatisticsCaption)
                       .replace(QStringLiteral("%s"), QString::fromStdString(user)));
    QTreeWidget* view = list();
    view->clear();
    // The ring is read through the reader that holds a damaged index in range.
    for (const StatisticsRow& row : readStatisticsRecords(settings)) {
        QStringList fields;
        for (const std::string& field : row)
            fields << QString::fromStdString(field);
        view->addTopLevelItem(new QTreeWidgetItem(fields));
    }
    for (int c = 0; c < view->columnCount(); ++c)
        view->resizeColumnToContents(c);
    return view->topLevelItemCount();
}

int CStatisticsDialog::exec() {
    if (fill() == 0) {
        box::plain(this, QString::fromUtf8(str::kNoStatistics));
        setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    return CAppDialog::exec();
}

} // namespace zq
