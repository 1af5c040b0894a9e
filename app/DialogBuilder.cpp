#include "app/DialogBuilder.h"

#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>

#include <cstdint>

#include "app/InfoLabel.h"
#include "resources/Artwork.h"

namespace zq {

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c) {
    const std::int64_t n = std::int64_t(a) * b;
    const std::int64_t r = (n >= 0 ? n + c / 2 : n - c / 2) / c;
    return static_cast<int>(r);
}

QImage pictureFor(int resource, QSize size) {
    switch (resource) {
    case res::kMenuPicture:
        return res::menuPicture();
    case res::kAboutPicture:
        return res::aboutPicture(size);
    case res::kAppIcon:
        return res::appIconImage(32);
    default:
        return {};
    }
}

const res::ControlTemplate* pictureControl(const res::DialogTemplate& t) {
    for (const res::ControlTemplate& c : t.controls)
        if (c.id == t.unitsFromPicture) return &c;
    return nullptr;
}

} // namespace

DialogUnits DialogUnits::fromFont(const QFont& font) {
    const QFontMetrics m(font);
    DialogUnits u;
    u.cx = (m.horizontalAdvance(
                QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                26 +
            1) /
           2;
    u.cy = m.height();
    return u;
}

int DialogUnits::x(int dlu) const {
    return mulDiv(dlu, cx, 4);
}
int DialogUnits::y(int dlu) const {
    return mulDiv(dlu, cy, 8);
}

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    const int l = x(left), t = y(top);
    return QRect(l, t, x(left + width) - l, y(top + height) - t);
}

DialogUnits unitsFor(const QDialog& dialog, const res::DialogTemplate& t) {
    if (const res::ControlTemplate* picture = pictureControl(t)) {
        // The units at which the picture's rectangle is the picture's own size.
        const QSize size = picture->resource == res::kMenuPicture
                               ? res::kMenuPictureSize
                               : pictureFor(picture->resource, {}).size();
        if (!size.isEmpty())
            return {size.width() * 4 / picture->width, size.height() * 8 / picture->height};
    }
    return DialogUnits::fromFont(dialog.font());
}

QHash<int, QWidget*> buildDialog(QDialog& dialog, const res::DialogTemplate& t) {
    const DialogUnits units = unitsFor(dialog, t);
    QHash<int, QWidget*> controls;
    QPushButton* defaultButton = nullptr;
    for (const res::ControlTemplate& c : t.controls) {
        const QString text = QString::fromUtf8(c.text);
        QWidget* w = nullptr;
        switch (c.kind) {
        case res::ControlKind::Static:
        case res::ControlKind::CentredStatic: {
            auto* label = new QLabel(text, &dialog);
            label->setWordWrap(true);
            label->setAlignment(
                (c.kind == res::ControlKind::CentredStatic ? Qt::AlignHCenter : Qt::AlignLeft) |
                Qt::AlignTop);
            w = label;
            break;
        }
        case res::ControlKind::InfoLabel:
            // The template's text is never shown: the label paints only what
            // the program gives it.
            w = new CInfoLabel(&dialog);
            break;
        case res::ControlKind::Edit:
            w = new QLineEdit(&dialog);
            break;
        case res::ControlKind::CheckBox:
            w = new QCheckBox(text, &dialog);
            break;
        case res::ControlKind::PushButton:
        case res::ControlKind::DefaultButton: {
            auto* button = new QPushButton(text, &dialog);
            button->setAutoDefault(false);
            if (c.kind == res::ControlKind::DefaultButton) defaultButton = button;
            w = button;
            break;
        }
        case res::ControlKind::GroupBox:
            w = new QGroupBox(text, &dialog);
            break;
        case res::ControlKind::ProgressBar: {
            auto* bar = new QProgressBar(&dialog);
            bar->setTextVisible(false);
            w = bar;
            break;
        }
        case res::ControlKind::Picture:
        case res::ControlKind::Icon: {
            auto* label = new QLabel(&dialog);
            label->setPixmap(QPixmap::fromImage(pictureFor(c.resource, {})));
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            w = label;
            break;
        }
        case res::ControlKind::SunkenPicture: {
            auto* label = new QLabel(&dialog);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setLineWidth(2);
            const QRect r = units.rect(c.x, c.y, c.width, c.height);
            label->setPixmap(QPixmap::fromImage(pictureFor(c.resource, r.size() - QSize(4, 4))));
            label->setAlignment(Qt::AlignCenter);
            w = label;
            break;
        }
        }
        w->setGeometry(units.rect(c.x, c.y, c.width, c.height));
        if (c.kind == res::ControlKind::CheckBox) {
            // The toolkit's box and spacing can be wider than the template
            // allowed for: a check box grows to show its whole text, and is
            // kept centred on its row.
            const QSize hint = w->sizeHint();
            QRect r = w->geometry();
            if (hint.width() > r.width()) r.setWidth(hint.width());
            if (hint.height() > r.height()) r.adjust(0, -(hint.height() - r.height()) / 2, 0, 0);
            if (hint.height() > r.height()) r.setHeight(hint.height());
            w->setGeometry(r);
        }
        if (c.kind == res::ControlKind::Picture || c.kind == res::ControlKind::Icon)
            w->resize(w->sizeHint().expandedTo(QSize(1, 1)));
        if (c.id != res::kIdStatic) {
            w->setObjectName(QStringLiteral("control%1").arg(c.id));
            controls.insert(c.id, w);
        }
    }
    // Tab order follows the template's order, as it does for the keyboard.
    QWidget* previous = nullptr;
    for (const res::ControlTemplate& c : t.controls) {
        QWidget* w = controls.value(c.id);
        if (!w || w->focusPolicy() == Qt::NoFocus) continue;
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
    if (defaultButton) defaultButton->setDefault(true);

    if (t.caption) {
        dialog.setWindowTitle(QString::fromUtf8(t.caption));
    } else {
        dialog.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    }
    QSize client(units.x(t.width), units.y(t.height));
    if (const res::ControlTemplate* picture = pictureControl(t))
        client = controls.value(picture->id)->size();
    dialog.setFixedSize(client);
    return controls;
}

} // namespace zq
