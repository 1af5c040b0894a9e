#include "print/PrintFrame.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

#include <algorithm>

#include "app/AppContext.h"
#include "app/QtHost.h"
#include "core/RegistryNames.h"
#include "core/Strings.h"
#include "wordsets/WordSetWizardDialog.h"

namespace zq {

namespace {

constexpr const char* kDocumentName = "Zendraquil word list";
// The preview tool bar's page modes.
constexpr const char* kSingleMode = "singleModeAction";
constexpr const char* kFacingMode = "facingModeAction";

QAction* previewAction(QPrintPreviewDialog& dialog, const char* name) {
    return dialog.findChild<QAction*>(QLatin1String(name));
}

} // namespace

CPrintFrame::CPrintFrame(CWordDatabase& database) : document{database}, view(database) {
    printer_.setDocName(QString::fromLatin1(kDocumentName));
    // With no printer installed, printing means a PDF file: offer one in the
    // documents folder rather than an empty name.
    if (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty()) {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
        printer_.setOutputFileName(folder + QLatin1Char('/') + QLatin1String(kDocumentName) +
                                   QLatin1String(".pdf"));
    }
    const int stored = app::settings().readInt(reg::kSettings, reg::kPreviewPages, 1);
    previewPages_ = (stored == 2) ? 2 : 1;
}

CPrintFrame::~CPrintFrame() {
    if (previewPagesChanged_)
        app::settings().writeInt(reg::kSettings, reg::kPreviewPages, previewPages_);
}

void CPrintFrame::showMenu() {
    if (!menu_) return;
    menu_->show();
    menu_->raise();
    menu_->activateWindow();
}

void CPrintFrame::report(CPrintView::Job job) {
    if (job == CPrintView::Job::Failed)
        box::warning(nullptr, QString::fromUtf8(str::kCouldNotStartPrintJob));
}

int CPrintFrame::run(QWidget* menu) {
    menu_ = menu;
    if (menu_) menu_->hide();
    CWordSetCriteria chosen;
    if (runWordSetWizard(document.database, true, nullptr, &chosen) != 1) {
        showMenu();
        return QDialog::Rejected;
    }
    view.chosen = chosen;
    const int pages = view.preparePrinting();

    QPrintDialog dialog(&printer_);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    // The widget dialog of the desktop (not a platform's own) takes one more
    // button: the preview, with the settings chosen in the dialog.
    bool wantPreview = false;
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* previewButton = buttons->addButton(QString::fromUtf8(str::kPrintPreviewButton),
                                                        QDialogButtonBox::ActionRole);
        previewButton->setObjectName(QStringLiteral("printPreview"));
        QObject::connect(previewButton, &QPushButton::clicked, &dialog, [&] {
            wantPreview = true;
            dialog.accept();
        });
    }
    if (dialog.exec() != QDialog::Accepted) {
        showMenu();
        return QDialog::Rejected;
    }
    if (wantPreview) {
        preview();
        showMenu();
        return QDialog::Accepted;
    }
    const CPrintView::Job job = view.print(printer_);
    report(job);
    showMenu();
    return job == CPrintView::Job::Failed ? QDialog::Rejected : QDialog::Accepted;
}

void CPrintFrame::preview() {
    if (!printer_.isValid()) {
        box::warning(nullptr, QString::fromUtf8(str::kCommandFailed));
        return;
    }
    view.previewActive = true;
    QPrintPreviewDialog dialog(&printer_);
    dialog.setWindowTitle(QString::fromUtf8(str::kPrintPreviewCaption));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter* printer) { report(view.print(*printer)); });
    if (QAction* mode = previewAction(dialog, previewPages_ == 2 ? kFacingMode : kSingleMode))
        mode->trigger();
    // Room for a page that can be read, on any screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        dialog.resize(std::min(room.width(), std::max(800, room.width() * 3 / 5)),
                      room.height() * 9 / 10);
    }
    dialog.exec();
    // Only the two modes are remembered; the overview of all pages is not.
    int pagesNow = previewPages_;
    if (QAction* single = previewAction(dialog, kSingleMode); single && single->isChecked())
        pagesNow = 1;
    if (QAction* facing = previewAction(dialog, kFacingMode); facing && facing->isChecked())
        pagesNow = 2;
    if (pagesNow != previewPages_) {
        previewPages_ = pagesNow;
        previewPagesChanged_ = true;
    }
    view.previewActive = false;
}

} // namespace zq
