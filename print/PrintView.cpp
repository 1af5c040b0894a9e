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
    lineHeight = std::max(lineHeight, 1);
    // The height asked for is the character cell's, ascent and descent
    // together; the font's size is the smaller em.
    font.setPixelSize(lineHeight);
    const qreal cell = QFontMetricsF(font).height();
    if (cell > 0) font.setPixelSize(std::max(1, static_cast<int>(lineHeight * lineHeight / cell)));
    return font;
}

int CPrintView::preparePrinting() {
    BusyCursor busy;
    // The size does not change the page count; any printable area will do.
    const CPageLayout layout(database, markForPrinting(database, app::settings()), 1, 1);
    entriesPerPage = layout.entriesPerPage;
    return layout.pageCount();
}

void CPrintView::drawPage(QPainter& painter, const CPageLayout& layout, int page, bool preview) {
    const PrintedPage drawn = layout.page(page);
    if (drawn.texts.empty()) return; // an empty set: a blank page
    painter.save();
    painter.setFont(pageFont(layout.lineHeight));
    painter.setBrush(Qt::NoBrush);
    if (preview) {
        // One device pixel, whatever the zoom.
        QPen frame(Qt::red, 1, Qt::DashLine);
        frame.setCosmetic(true);
        painter.setPen(frame);
        painter.drawRect(0, 0, layout.pageWidth - 1, layout.pageHeight - 1);
    }
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const int columnWidth = layout.pageWidth / CPageLayout::kColumns;
    // A word of the columns keeps a little space before the next one.
    const qreal gap = layout.lineHeight / 2.0;
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
    for (const PrintedText& t : drawn.texts) {
        const QString text = qs(t.text);
        const bool inColumn = t.row >= 0 && !layout.definitions();
        if (inColumn) {
            const qreal room = columnWidth - gap;
            const qreal width = metrics.horizontalAdvance(text);
            if (width > room && room > 0) {
                painter.save();
                painter.translate(t.x, t.y);
                painter.scale(room / width, 1.0);
                painter.drawText(QRectF(0, 0, width, layout.lineHeight), kFlags, text);
                painter.restore();
                continue;
            }
            painter.drawText(QRectF(t.x, t.y, room, layout.lineHeight), kFlags, text);
        } else {
            const qreal room = layout.pageWidth - t.x;
            const QString shown = metrics.horizontalAdvance(text) > room
                                      ? metrics.elidedText(text, Qt::ElideRight, room)
                                      : text;
            painter.drawText(QRectF(t.x, t.y, room, layout.lineHeight), kFlags, shown);
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
        layout = std::make_unique<CPageLayout>(database, markForPrinting(database, app::settings()),
                                               static_cast<int>(area.width() * 100),
                                               static_cast<int>(area.height() * 100));
    }
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
