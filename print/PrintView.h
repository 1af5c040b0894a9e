#pragma once

#include <QFont>
#include <QString>

#include <optional>

#include "wordsets/WordSetCriteria.h"

class QPainter;
class QPrinter;
class QWidget;

namespace zq {

class CPageLayout;
class CWordDatabase;

// Draws the word list on a printer, a PDF file or the print preview: the
// marked word set's pages as CPageLayout lays them out, in hundredths of a
// millimetre from the top-left corner of the printable area.
class CPrintView {
  public:
    explicit CPrintView(CWordDatabase& database) : database(database) {}

    CWordDatabase& database;
    int lineHeight = 0;      // hundredths of a millimetre
    int entriesPerPage = 60; // 60 with definitions, else 360
    bool previewActive = false;
    // The set to print, as the wizard chose it (the store may not have kept
    // it); the stored criteria when unset.
    std::optional<CWordSetCriteria> chosen;
    // Entries chosen another way (a word search's list) to print in place of
    // a set, with `chosen` for the page header and the layout; empty: a set.
    std::vector<CWordNode*> entries;
    std::string entriesTitle; // their name in the page header

    // Marks the set as the stored criteria ask and returns its page count
    // (at least 1), the print dialog's page range.
    int preparePrinting();

    enum class Job { Printed, Cancelled, Failed };
    // One job on `printer` (Failed when it cannot start or a page cannot be
    // added): marks the set again, then draws the pages the
    // printer asks for (all of them in the preview, which also gets the red
    // frame), making copies when the printer cannot. A real job shows a
    // progress window whose Cancel stops after the current page.
    Job print(QPrinter& printer);

    // Draws page `page` (1-based) of `layout` on a painter already scaled to
    // hundredths of a millimetre. Texts wider than their room are fitted: a
    // line is cut short with an ellipsis at the right edge, a word of the
    // six columns is narrowed to its column.
    static void drawPage(QPainter& painter, const CPageLayout& layout, int page, bool preview);

    // "Arial" when it is installed, else the metric-compatible "Liberation
    // Sans"; either way a sans-serif.
    static QString fontFamily();
    // The page font: a cell of `lineHeight`, weight 500.
    static QFont pageFont(int lineHeight);

  private:
    // Marks the set to print and returns its criteria.
    CWordSetCriteria markSet();
};

} // namespace zq
