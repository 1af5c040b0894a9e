#include "app/MenuElementButton.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace zq {

MenuElementButton::MenuElementButton(int command, const QString& label, const QPolygon& outline,
                                     QWidget* parent)
    : QAbstractButton(parent), command_(command) {
    // Room around the outline for the focus mark's width.
    const QRect area = outline.boundingRect().adjusted(-2, -2, 2, 2);
    setGeometry(area);
    outline_ = outline.translated(-area.topLeft());
    setText(label);
    setAccessibleName(label);
    setObjectName(QStringLiteral("menuElement%1").arg(command));
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void MenuElementButton::paintEvent(QPaintEvent*) {
    if (!hasFocus()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    // A light line with dark dashes over it shows on every colour of the
    // picture.
    p.setPen(QPen(QColor(255, 255, 255), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(outline_);
    p.setPen(QPen(QColor(0, 0, 0), 1.5, Qt::DashLine));
    p.drawPolygon(outline_);
}

void MenuElementButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Up: {
        const bool forward = event->key() == Qt::Key_Right || event->key() == Qt::Key_Down;
        const QList<MenuElementButton*> all =
            parentWidget()->findChildren<MenuElementButton*>(Qt::FindDirectChildrenOnly);
        const qsizetype at = all.indexOf(this);
        if (at >= 0 && !all.isEmpty()) {
            const qsizetype n = all.size();
            all[(at + (forward ? 1 : n - 1)) % n]->setFocus(forward ? Qt::TabFocusReason
                                                                    : Qt::BacktabFocusReason);
        }
        event->accept();
        return;
    }
    case Qt::Key_Space:
        QAbstractButton::keyPressEvent(event);
        return;
    default:
        // Enter, Escape and the rest belong to the main window.
        event->ignore();
    }
}

void MenuElementButton::focusInEvent(QFocusEvent* event) {
    QAbstractButton::focusInEvent(event);
    update();
}

void MenuElementButton::focusOutEvent(QFocusEvent* event) {
    QAbstractButton::focusOutEvent(event);
    update();
}

} // namespace zq
