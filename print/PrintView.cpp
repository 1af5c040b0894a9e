#include "print/PrintView.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>

#include <algorithm>
#include <memory>

#include "app/AppContext.h"
#include "app/QtHost.h"
#include "core/Strings.h"
#include "print/PageLayout.h"

namespace zq {

namespace {

constexpr const char* kFace = "Arial";
constexpr const char* kMetricTwin = "Liberation Sans";
// The cell height, in drawing units, that the page font is drawn at.
constexpr int kCell = 40;

QString qs(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The pages of a job as the printer asks for them. 0 in the printer's range
// means "from the first" and "to the last".
std::vector<int> pagesOfJob(const QPrinter& printer, int count, bool preview) {
    if (preview) return printSequence(1, count, 1, true, false);
    int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    int to = printer.toPage() > 0 ? printer.toPage() : count;
    from = std::clamp(from, 1, count);
    to = std::clamp(to, from, count);
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    return printSequence(from, to, copies, printer.collateCopies(),
                         printer.pageOrder() == QPrinter::LastPageFirst);
}

} // namespace

QString CPrintView::fontFamily() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        if (families.contains(QLatin1String(kFace))) return QString::fromLatin1(kFace);
        if (families.contains(QLatin1String(kMetricTwin))) return QString::fromLatin1(kMetricTwin);
        return QString();
    }();
    return family;
}

QFont CPrintView::pageFont(int lineHeight) {
    QFont font;
    const QString family = fontFamily();
    if (!family.isEmpty()) font.setFamily(family);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Medium); // 500
    // Advances as the font designs them, not fitted to a screen's pixels.
    font.setHintingPreference(QFont::PreferNoHinting);
    lineHeight = std::max(lineHeight, 1);
    // The height asked for is the character cell's, ascent and descent
    // together; the font's size is the smaller em.
    font.setPixelSize(lineHeight);
    const qreal cell = QFontMetricsF(font).height();
    if (cell > 0) font.setPixelSize(std::max(1, static_cast<int>(lineHeight * lineHeight / cell)));
    return font;
}

CWordSetCriteria CPrintView::markSet() {
    if (!entries.empty()) {
        markOnly(database, entries);
        return chosen.value_or(CWordSetCriteria{});
    }
    if (!chosen) return markForPrinting(database, app::settings());
    markWordSet(database, *chosen, false, false);
    return *chosen;
}

int CPrintView::preparePrinting() {
    BusyCursor busy;
    // The size does not change the page count; any printable area will do.
    const CPageLayout layout(database, markSet(), 1, 1);
    entriesPerPage = layout.entriesPerPage;
    return layout.pageCount();
}

void CPrintView::drawPage(QPainter& painter, const CPageLayout& layout, int page, bool preview) {
    const PrintedPage drawn = layout.page(page);
    if (drawn.texts.empty()) return; // an empty set: a blank page
    painter.save();
    painter.setBrush(Qt::NoBrush);
    if (preview) {
        // One device pixel, whatever the zoom.
        QPen frame(Qt::red, 1, Qt::DashLine);
        frame.setCosmetic(true);
        painter.setPen(frame);
        painter.drawRect(0, 0, layout.pageWidth - 1, layout.pageHeight - 1);
    }
    painter.setPen(Qt::black);
    // Glyphs of a font set in hundredths of a millimetre would be some 450
    // units high, too large for the font engine to cache them, and every
    // word would be shaped from the outlines again. The texts are drawn in
    // units of 1/kCell of a line instead, with the painter scaled to match.
    const qreal unit = layout.lineHeight > kCell ? layout.lineHeight / qreal(kCell) : 1.0;
    painter.scale(unit, unit);
    painter.setFont(pageFont(static_cast<int>(layout.lineHeight / unit + 0.5)));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal ascent = metrics.ascent();
    // No text of fewer characters than this can be wider than `room`: most
    // are drawn without being measured.
    const qreal widest = std::max<qreal>(metrics.maxWidth(), 1);
    const qreal columnWidth = (layout.pageWidth / CPageLayout::kColumns) / unit;
    // A word of the columns keeps a little space before the next one.
    const qreal gap = layout.lineHeight / 2.0 / unit;
    const qreal pageWidth = layout.pageWidth / unit;
    for (const PrintedText& t : drawn.texts) {
        const QString text = qs(t.text);
        const bool inColumn = t.row >= 0 && !layout.definitions();
        const qreal x = t.x / unit;
        const qreal room = inColumn ? columnWidth - gap : pageWidth - x;
        const bool mayNotFit = text.size() * widest > room;
        const qreal width = mayNotFit ? metrics.horizontalAdvance(text) : 0;
        // Texts are placed by their top-left corner: the baseline is an
        // ascent lower.
        const QPointF at(x, t.y / unit + ascent);
        if (width <= room || room <= 0) {
            painter.drawText(at, text);
        } else if (inColumn) {
            painter.save();
            painter.translate(at);
            painter.scale(room / width, 1.0);
            painter.drawText(QPointF(0, 0), text);
            painter.restore();
        } else {
            painter.drawText(at, metrics.elidedText(text, Qt::ElideRight, room));
        }
    }
    painter.restore();
}

CPrintView::Job CPrintView::print(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return Job::Failed;
    // The preview records the pages as pictures; a printer or a file does not.
    const bool preview =
        painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Picture;
    const QRectF area = printer.pageRect(QPrinter::Millimeter);
    std::unique_ptr<CPageLayout> layout;
    {
        BusyCursor busy;
        layout =
            std::make_unique<CPageLayout>(database, markSet(), static_cast<int>(area.width() * 100),
                                          static_cast<int>(area.height() * 100));
    }
    if (!entries.empty()) layout->title = entriesTitle;
    lineHeight = layout->lineHeight;
    entriesPerPage = layout->entriesPerPage;
    const int count = layout->pageCount();
    const std::vector<int> pages = pagesOfJob(printer, count, preview);
    const qreal scale = printer.resolution() / 2540.0;

    std::unique_ptr<QProgressDialog> progress;
    if (!preview) {
        progress = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancel"), 0,
                                                     static_cast<int>(pages.size()));
        progress->setWindowTitle(QString::fromUtf8(str::kPrintingCaption));
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(400);
        progress->setAutoReset(false);
        progress->setAutoClose(false);
    }
    Job result = Job::Printed;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (progress) {
            progress->setLabelText(QString::fromUtf8(
                str::withText(str::kPrintingPage,
                              std::to_string(i + 1) + " of " + std::to_string(pages.size()))));
            progress->setValue(static_cast<int>(i));
            if (progress->wasCanceled()) {
                result = Job::Cancelled;
                break;
            }
        }
        if (i > 0 && !printer.newPage()) {
            result = Job::Failed;
            break;
        }
        painter.save();
        painter.scale(scale, scale);
        drawPage(painter, *layout, pages[i], preview);
        painter.restore();
    }
    if (result == Job::Cancelled) printer.abort();
    painter.end();
    return result;
}

} // namespace zq
