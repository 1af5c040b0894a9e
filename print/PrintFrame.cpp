#include "print/PrintFrame.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
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

// The print dialog's choices: all pages or a range of 1..pages, copies and
// collation, the page size, and printing to a file where the dialog is Qt's.
void offerPages(QPrintDialog& dialog, int pages, bool toFile) {
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintPageRange |
                                                       QAbstractPrintDialog::PrintCollateCopies |
                                                       QAbstractPrintDialog::PrintShowPageSize;
    if (toFile) options |= QAbstractPrintDialog::PrintToFile;
    dialog.setOptions(options);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
}

bool anyPrinterInstalled() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
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
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    platformDialog = true;
#endif
    printersInstalled = anyPrinterInstalled;
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
    view.entries.clear();
    return printChosen();
}

int CPrintFrame::printEntries(const std::vector<CWordNode*>& entries,
                              const CWordSetCriteria& criteria, const std::string& title) {
    menu_ = nullptr;
    view.chosen = criteria;
    view.entries = entries;
    view.entriesTitle = title;
    const int result = printChosen();
    view.entries.clear();
    view.chosen.reset();
    return result;
}

int CPrintFrame::printChosen() {
    if (platformDialog) return runWithPlatformDialog();
    const int pages = view.preparePrinting();

    QPrintDialog dialog(&printer_);
    offerPages(dialog, pages, true);
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
    const int result = printJob();
    showMenu();
    return result;
}

int CPrintFrame::runWithPlatformDialog() {
    const int pages = view.preparePrinting();
    const bool printers = printersInstalled && printersInstalled();
    // Without a printer the preview's Print button saves a PDF file.
    if (!printers) printer_.setOutputFormat(QPrinter::PdfFormat);
    if (box::yesNo(nullptr, QString::fromUtf8(str::kPrintPreviewFirst))) {
        preview();
        showMenu();
        return QDialog::Accepted;
    }
    if (!printers) {
        box::plain(nullptr, QString::fromUtf8(str::kNoPrinterSavePdf));
        const int result = saveAsPdf();
        showMenu();
        return result;
    }
    QPrintDialog dialog(&printer_);
    offerPages(dialog, pages, false);
    if (dialog.exec() != QDialog::Accepted) {
        // A dialog that could not even open leaves no valid printer behind.
        if (!printer_.isValid()) box::warning(nullptr, QString::fromUtf8(str::kCommandFailed));
        showMenu();
        return QDialog::Rejected;
    }
    const int result = printJob();
    showMenu();
    return result;
}

int CPrintFrame::saveAsPdf() {
    QFileDialog files(nullptr, QString::fromUtf8(str::kSavePdfCaption), printer_.outputFileName(),
                      QString::fromUtf8(str::kPdfFilter));
    files.setObjectName(QStringLiteral("savePdf"));
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setDefaultSuffix(QStringLiteral("pdf"));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
        return QDialog::Rejected;
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(files.selectedFiles().constFirst());
    printer_.setPrintRange(QPrinter::AllPages);
    return printJob();
}

int CPrintFrame::printJob() {
    const CPrintView::Job job = view.print(printer_);
    report(job);
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
