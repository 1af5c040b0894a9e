#include "quiz/TileRack.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "app/AppContext.h"
#include "app/AppDialog.h"
#include "quiz/TileBag.h"
#include "core/RegistryNames.h"

namespace zq {

namespace {

const QColor kTileShadow(64, 64, 0);
const QColor kTileFace(192, 192, 0);

bool isRackLetter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char(' ');
}

// Lower case for A-Z only; any other character stays as it is (and is then
// refused), so no character ever turns into two.
QString asciiLower(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + 32);
    return out;
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

CTileRack::CTileRack(int squareCount, QWidget* parent)
    : QLineEdit(parent), squareCount_(std::clamp(squareCount, 1, kMaxSquares)) {
    noSound = UserProfile(app::settings()).readInt(reg::kNoSound, 0);
    setAcceptDrops(false);
    setDragEnabled(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(this, &QLineEdit::textChanged, this, &CTileRack::onEditChanged);
}

void CTileRack::link(int editable, CTileRack* partner, int freeTyping) {
    editable_ = sunken_ = editable ? 1 : 0;
    partner_ = partner;
    freeTyping_ = freeTyping ? 1 : 0;
    // A read-only rack never keeps the focus; what is typed at it goes to
    // its partner.
    setFocusPolicy(editable_ ? Qt::StrongFocus : Qt::NoFocus);
    update();
}

int CTileRack::side() const {
    return width() / (squareCount_ + 1);
}
int CTileRack::rowLeft() const {
    return (width() - squareCount_ * side()) / 2;
}
int CTileRack::rowTop() const {
    return (height() - side()) / 2;
}

QRect CTileRack::squareRect(int k) const {
    return QRect(rowLeft() + k * side(), rowTop(), side(), side());
}

QRect CTileRack::tileFace(int k) const {
    const QRect r = squareRect(k);
    const int dx = r.width() / 20, dy = r.height() / 20;
    return r.adjusted(dx, dy, -dx, -dy);
}

QRect CTileRack::caretRect() const {
    if (!editable_ || !hasFocus()) return {};
    const int e = cursorPosition();
    if (e < 0 || e > squareCount_) return {};
    const int s = side();
    return QRect(rowLeft() + s * e, rowTop() + s * 15 / 100, s > 40 ? 2 : 1, s * 8 / 10);
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

void CTileRack::setRackText(const QString& text) {
    text_ = asciiLower(text);
    for (int k = 0; k < squareCount_; ++k) {
        CTile& t = tiles_[static_cast<std::size_t>(k)];
        t.used = 0;
        t.clicked = 0;
        t.letter = k < text_.size() ? text_[k] : QLatin1Char('?');
    }
    putText(text_, selection());
}

bool CTileRack::consume(QChar letter) {
    auto take = [&](bool clickedOnly) {
        for (int k = 0; k < squareCount_; ++k) {
            CTile& t = tiles_[static_cast<std::size_t>(k)];
            if (!t.used && t.letter == letter && (!clickedOnly || t.clicked)) {
                t.used = 1;
                t.clicked = 0;
                update(squareRect(k));
                return true;
            }
        }
        return false;
    };
    return take(true) || take(false);
}

bool CTileRack::release(QChar letter) {
    for (int k = 0; k < squareCount_; ++k) {
        CTile& t = tiles_[static_cast<std::size_t>(k)];
        if (t.used && t.letter == letter) {
            t.used = 0;
            update(squareRect(k));
            return true;
        }
    }
    return false;
}

bool CTileRack::allowChange(const QString& changed) {
    const QString& old = text_;
    if (changed.size() > squareCount_ && changed.size() > old.size()) return false;
    // The changed stretch: what lies between the common beginning and end.
    qsizetype head = 0;
    const qsizetype shorter = std::min(old.size(), changed.size());
    while (head < shorter && old[head] == changed[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           old[old.size() - 1 - tail] == changed[changed.size() - 1 - tail])
        ++tail;
    const QString removed = old.mid(head, old.size() - head - tail);
    const QString inserted = changed.mid(head, changed.size() - head - tail);
    for (QChar c : inserted)
        if (!isRackLetter(c)) return false;
    if (freeTyping_) return true;
    if (!partner_) return true;
    const auto saved = partner_->tiles_;
    bool ok = true;
    for (QChar c : removed)
        if (ok && !partner_->release(c)) ok = false;
    for (QChar c : inserted)
        if (ok && !partner_->consume(c)) ok = false;
    if (!ok) {
        partner_->tiles_ = saved;
        partner_->update();
    }
    return ok;
}

void CTileRack::onEditChanged(const QString& raw) {
    if (putting_) return;
    const QString changed = asciiLower(raw);
    if (changed != text_) {
        if (!partner_ && !freeTyping_) {
            // An unlinked rack keeps whatever it is given.
            const Selection sel = selection();
            setRackText(changed);
            putText(text_, sel);
        } else if (allowChange(changed)) {
            const Selection sel = selection();
            setRackText(changed);
            putText(text_, sel);
        } else {
            refuse();
        }
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
    putText(text_, sel);
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
    if (!editable_) return;
    before_ = selection();
    insert(typed);
    before_.reset();
    update();
}

void CTileRack::keyPressEvent(QKeyEvent* event) {
    if (!editable_) {
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

int CTileRack::tileAt(QPoint point) const {
    for (int k = 0; k < squareCount_; ++k)
        if (tileFace(k).contains(point)) return k;
    return -1;
}

void CTileRack::mousePressEvent(QMouseEvent* event) {
    // The insertion point moves only through the tiles.
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    const int k = tileAt(event->position().toPoint());
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
    CTile& t = tiles_[static_cast<std::size_t>(k)];
    if (freeTyping_) {
        const int p = t.letter != QLatin1Char('?') ? k + 1 : static_cast<int>(text_.size());
        setFocus(Qt::MouseFocusReason);
        putText(text_, {p, p});
        return;
    }
    // An empty square has no tile to click.
    if (t.used || t.letter == QLatin1Char('?')) return;
    if (editable_) {
        if (k >= text_.size()) return;
        Selection sel = selection();
        before_ = sel;
        if (sel.start > k) --sel.start;
        if (sel.end > k) --sel.end;
        QString changed = text_;
        changed.remove(k, 1);
        if (allowChange(changed)) {
            setRackText(changed);
            putText(text_, sel);
        } else {
            refuse();
        }
        before_.reset();
        tellDialog();
    } else if (partner_) {
        t.clicked = 1;
        partner_->typeCharacter(QString(t.letter));
        // A refused letter leaves no claim on the tile.
        if (!t.used) t.clicked = 0;
    }
}

void CTileRack::focusInEvent(QFocusEvent* event) {
    if (!editable_) {
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
    const CTile& t = tiles_[static_cast<std::size_t>(k)];
    if (t.used || t.letter == QLatin1Char('?')) return;
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
    if (t.letter == QLatin1Char(' ')) return;

    p.setPen(app::colours().infoText);
    const QString letter =
        t.letter == QLatin1Char('_') ? QStringLiteral("?") : QString(t.letter).toUpper();
    p.setFont(tileFont(font(), h * 5 / 6));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, letter);
    p.setFont(tileFont(font(), h / 3));
    p.drawText(face.adjusted(dx, dy, -dx, -dy),
               Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextDontClip,
               QString::number(letterScore(t.letter.toLatin1())));
}

void CTileRack::paintEvent(QPaintEvent*) {
    // The edit's own text and caret are never drawn: only the tiles show.
    QPainter p(this);
    drawBackground(p);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    for (int k = 0; k < squareCount_; ++k)
        drawTile(p, k);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect caret = caretRect();
    if (!caret.isEmpty()) p.fillRect(caret, app::colours().infoText);
}

} // namespace zq
