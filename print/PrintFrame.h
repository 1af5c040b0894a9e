#pragma once

#include <QPointer>
#include <QPrinter>
#include <QWidget>

#include "print/PrintView.h"

namespace zq {

class CWordDatabase;

// What a print job prints from: the main window's word database.
struct CPrintDoc {
    CWordDatabase& database;
};

// Runs the Print command: the word set wizard for printing, the print dialog
// with its page range and a Print Preview button, then the job or the
// preview. The picture menu is hidden meanwhile and shown again at every
// exit. Made on the first Print command and kept until the program ends, so
// the chosen printer or file and the preview's page mode carry over from one
// job to the next; when it goes, it stores the preview's page mode if the
// user changed it.
class CPrintFrame {
  public:
    explicit CPrintFrame(CWordDatabase& database);
    ~CPrintFrame();
    CPrintFrame(const CPrintFrame&) = delete;
    CPrintFrame& operator=(const CPrintFrame&) = delete;

    CPrintDoc document;
    CPrintView view;

    // The Print command, `menu` being the picture menu's window (may be
    // null). QDialog::Accepted after a job or a preview, Rejected when the
    // wizard or the print dialog was cancelled or the job could not start.
    int run(QWidget* menu);
    // Prints these entries (a word search's list) as a set with `criteria`:
    // the print dialog (or the platform's road) without the wizard; nothing
    // is hidden. The next run() prints a set again.
    int printEntries(const std::vector<CWordNode*>& entries, const CWordSetCriteria& criteria,
                     const std::string& title);
    // The print preview of the marked set; the preview's Print button prints
    // (to a printer or a PDF file) as the print dialog does.
    void preview();

    QPrinter& printer() { return printer_; }

    // Whether the platform's own print dialog is in use (Windows, macOS): it
    // cannot take the Print Preview button, so the command offers the
    // preview before it. Tests set it to walk that road on any platform.
    bool platformDialog = false;
    // Whether any printer is installed; tests replace it.
    bool (*printersInstalled)() = nullptr;
    // Pages side by side in the preview: 1 or 2.
    int previewPages() const { return previewPages_; }

  private:
    void showMenu();
    void report(CPrintView::Job job);
    // The print dialog and the job or preview, once the set is chosen.
    int printChosen();
    // The platform dialog's road once the set is chosen.
    int runWithPlatformDialog();
    // The whole set to a PDF file the user names; Rejected when cancelled.
    int saveAsPdf();
    // The job on the printer as set, reported when it fails.
    int printJob();

    QPrinter printer_{QPrinter::HighResolution};
    QPointer<QWidget> menu_;
    int previewPages_ = 1;
    bool previewPagesChanged_ = false;
};

} // namespace zq
