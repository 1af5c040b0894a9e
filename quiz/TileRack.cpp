#include "quiz/TileRack.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "app/AppContext.h"
#include "app/AppDialog.h"
#include "core/RegistryNames.h"
#include "quiz/TileBag.h"

namespace zq {

namespace {

const QColor kTileShadow(64, 64, 0);
const QColor kTileFace(192, 192, 0);

// The edit control's text as the rack's rules see it: a character outside
// Latin-1 becomes '?', which no rack accepts, so it is refused like any other
// character that is not a letter; nothing is ever turned into two characters.
std::string rackBytes(const QString& text) {
    return text.toLatin1().toStdString();
}

QRect toQRect(const RackRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

// A one-pixel polyline through axis-parallel points that, like the
// platform's line drawing, stops just before its last point.
void lineTo(QPainter& p, const QColor& colour, std::initializer_list<QPoint> points) {
    p.setPen(QPen(colour, 1));
    const QPoint* prev = nullptr;
    for (const QPoint& pt : points) {
        if (prev) {
            const QPoint step((pt.x() > prev->x()) - (pt.x() < prev->x()),
                              (pt.y() > prev->y()) - (pt.y() < prev->y()));
            if (step != QPoint(0, 0)) p.drawLine(*prev, pt - step);
        }
        prev = &pt;
    }
}

// A font whose cell (ascent plus descent) is `height` pixels.
QFont tileFont(const QFont& base, int height) {
    QFont f(base);
    // No face name: the system's sans-serif family.
    f.setFamily(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setWeight(QFont::Normal);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    f.setPixelSize(std::max(1, height));
    const int cell = QFontMetrics(f).height();
    if (cell > 0) f.setPixelSize(std::max(1, height * height / cell));
    return f;
}

} // namespace

CTileRack::CTileRack(int squareCount, QWidget* parent) : QLineEdit(parent), model_(squareCount) {
    noSound = UserProfile(app::settings()).readInt(reg::kNoSound, 0);
    setAcceptDrops(false);
    setDragEnabled(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(this, &QLineEdit::textChanged, this, &CTileRack::onEditChanged);
}

void CTileRack::link(int editable, CTileRack* partner, int freeTyping) {
    model_.link(editable, partner ? &partner->model_ : nullptr, freeTyping);
    sunken_ = model_.editable();
    partner_ = partner;
    // A read-only rack never keeps the focus; what is typed at it goes to
    // its partner.
    setFocusPolicy(model_.editable() ? Qt::StrongFocus : Qt::NoFocus);
    update();
}

int CTileRack::side() const {
    return geometry().side();
}
int CTileRack::rowLeft() const {
    return geometry().left();
}
int CTileRack::rowTop() const {
    return geometry().top();
}

QRect CTileRack::squareRect(int k) const {
    return toQRect(geometry().square(k));
}

QRect CTileRack::tileFace(int k) const {
    return toQRect(geometry().face(k));
}

QRect CTileRack::caretRect() const {
    if (!model_.editable() || !hasFocus()) return {};
    return toQRect(geometry().caret(cursorPosition()));
}

CTileRack::Selection CTileRack::selection() const {
    Selection s;
    s.end = cursorPosition();
    s.start =
        hasSelectedText() ? (selectionStart() == s.end ? selectionEnd() : selectionStart()) : s.end;
    return s;
}

void CTileRack::putText(const QString& text, Selection sel) {
    putting_ = true;
    if (QLineEdit::text() != text) QLineEdit::setText(text);
    const int size = static_cast<int>(text.size());
    sel.start = std::clamp(sel.start, 0, size);
    sel.end = std::clamp(sel.end, 0, size);
    if (sel.start == sel.end)
        setCursorPosition(sel.end);
    else
        setSelection(sel.start, sel.end - sel.start);
    putting_ = false;
    update();
}

void CTileRack::showText(Selection sel) {
    putText(QString::fromLatin1(model_.text()), sel);
}

void CTileRack::setRackText(const QString& text) {
    model_.setText(rackBytes(text));
    showText(selection());
    // The program's own change is a change like any other: the Word Checker
    // shows its prompt when its input is emptied this way.
    tellDialog();
}

void CTileRack::repaintPartnerSquare(int square) {
    if (partner_ && square >= 0) partner_->update(partner_->squareRect(square));
}

bool CTileRack::consume(char letter) {
    int square = -1;
    if (!model_.consume(letter, &square)) return false;
    update(squareRect(square));
    return true;
}

bool CTileRack::release(char letter) {
    int square = -1;
    if (!model_.release(letter, &square)) return false;
    update(squareRect(square));
    return true;
}

void CTileRack::onEditChanged(const QString& raw) {
    if (putting_) return;
    const Selection sel = selection();
    switch (model_.change(rackBytes(raw))) {
    case RackModel::Change::Unchanged:
        break;
    case RackModel::Change::Accepted:
        showText(sel);
        if (partner_) partner_->update();
        break;
    case RackModel::Change::Refused:
        refuse();
        break;
    }
    before_.reset();
    tellDialog();
}

void CTileRack::refuse() {
    ++refusals_;
    Selection sel;
    if (before_) {
        sel = *before_;
    } else {
        // A change that did not come from the keyboard or a tile: the
        // insertion point goes back over the refused character.
        sel = selection();
        sel.start -= 1;
        sel.end -= 1;
    }
    showText(sel);
    if (!noSound) {
        ++beeps_;
        QApplication::beep();
    }
}

void CTileRack::tellDialog() {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* dialog = qobject_cast<CAppDialog*>(w)) {
            dialog->onRackChanged(1);
            return;
        }
    }
}

void CTileRack::typeCharacter(const QString& typed) {
    if (!model_.editable()) return;
    before_ = selection();
    insert(typed);
    before_.reset();
    update();
}

void CTileRack::keyPressEvent(QKeyEvent* event) {
    if (!model_.editable()) {
        if (partner_ && !event->text().isEmpty() && event->text().at(0).isPrint())
            partner_->typeCharacter(event->text());
        event->accept();
        return;
    }
    before_ = selection();
    QLineEdit::keyPressEvent(event);
    before_.reset();
    update();
}

void CTileRack::mousePressEvent(QMouseEvent* event) {
    // The insertion point moves only through the tiles.
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    const int k = geometry().tileAt(at.x(), at.y());
    if (k >= 0) onTileClicked(k);
}

void CTileRack::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second click on a tile is one more click on it.
    mousePressEvent(event);
}

void CTileRack::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}
void CTileRack::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}
void CTileRack::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

void CTileRack::onTileClicked(int k) {
    const CTile& t = model_.tile(k);
    if (model_.freeTyping()) {
        const int p = model_.insertionAfter(k);
        setFocus(Qt::MouseFocusReason);
        showText({p, p});
        return;
    }
    // An empty square has no tile to click.
    if (t.used || t.letter == '?') return;
    if (model_.editable()) {
        if (k >= static_cast<int>(model_.text().size())) return;
        Selection sel = selection();
        before_ = sel;
        if (sel.start > k) --sel.start;
        if (sel.end > k) --sel.end;
        if (model_.change(model_.without(k)) == RackModel::Change::Refused) {
            refuse();
        } else {
            showText(sel);
            if (partner_) partner_->update();
        }
        before_.reset();
        tellDialog();
    } else if (partner_) {
        model_.tile(k).clicked = 1;
        partner_->typeCharacter(QString(QLatin1Char(t.letter)));
        // A refused letter leaves no claim on the tile.
        if (!t.used) model_.tile(k).clicked = 0;
    }
}

void CTileRack::focusInEvent(QFocusEvent* event) {
    if (!model_.editable()) {
        if (partner_ && partner_->isVisible() && partner_->isEnabled())
            partner_->setFocus(Qt::OtherFocusReason);
        else
            clearFocus();
        return;
    }
    QLineEdit::focusInEvent(event);
    // Focus never arrives with letters selected: typing would replace them.
    if (hasSelectedText()) setCursorPosition(cursorPosition());
    update();
}

void CTileRack::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    update();
}

void CTileRack::drawBackground(QPainter& p) const {
    const SystemColours c = app::colours();
    const int L = 0, T = 0, R = width(), B = height();
    const QColor& outline = sunken_ ? c.light3d : c.darkShadow3d;
    p.fillRect(rect(), c.infoBackground);
    p.setPen(QPen(outline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(L, T, R - L - 1, B - T - 1));
    lineTo(p, sunken_ ? c.darkShadow3d : c.light3d, {{L, B - 1}, {L, T}, {R - 1, T}});
    lineTo(p, sunken_ ? c.shadow : c.highlight, {{L + 1, B - 3}, {L + 1, T + 1}, {R - 2, T + 1}});
    lineTo(p, sunken_ ? c.highlight : c.shadow, {{L + 1, B - 2}, {R - 2, B - 2}, {R - 2, T}});
}

void CTileRack::drawTile(QPainter& p, int k) const {
    const CTile& t = model_.tile(k);
    if (t.used || t.letter == '?') return;
    const QRect r = squareRect(k);
    const int w = r.width(), h = r.height();
    const int dx = w / 20, dy = h / 20;
    const QRect face = r.adjusted(dx, dy, -dx, -dy);
    p.setPen(QPen(Qt::black, 1));
    const auto rounded = [&](const QRect& box, const QColor& fill) {
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(box).adjusted(0, 0, -1, -1), 2.0 * dx, 2.0 * dy);
    };
    rounded(face.translated(dx, dy), kTileShadow);
    rounded(face, kTileFace);
    if (t.letter == ' ') return;

    p.setPen(app::colours().infoText);
    const QString letter =
        t.letter == '_' ? QStringLiteral("?") : QString(QLatin1Char(t.letter)).toUpper();
    p.setFont(tileFont(font(), h * 5 / 6));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, letter);
    p.setFont(tileFont(font(), h / 3));
    p.drawText(face.adjusted(dx, dy, -dx, -dy),
               Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextDontClip,
               QString::number(letterScore(t.letter)));
}

void CTileRack::paintEvent(QPaintEvent*) {
    // The edit's own text and caret are never drawn: only the tiles show.
    QPainter p(this);
    drawBackground(p);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    for (int k = 0; k < squareCount(); ++k)
        drawTile(p, k);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect caret = caretRect();
    if (!caret.isEmpty()) p.fillRect(caret, app::colours().infoText);
}

} // namespace zq
