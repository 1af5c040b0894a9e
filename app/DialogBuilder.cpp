#include "app/DialogBuilder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QWizardPage>

#include <cstdint>

#include "app/InfoLabel.h"
#include "quiz/TileRack.h"
#include "resources/Artwork.h"

namespace zq {

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c) {
    const std::int64_t n = std::int64_t(a) * b;
    const std::int64_t r = (n >= 0 ? n + c / 2 : n - c / 2) / c;
    return static_cast<int>(r);
}

// Drawn for the sharpest screen there is: the application's device pixel
// ratio is the highest of its screens'.
QImage pictureFor(int resource, QSize size) {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    switch (resource) {
    case res::kMenuPicture:
        return res::menuPicture(ratio);
    case res::kAboutPicture:
        return res::aboutPicture(size, ratio);
    case res::kAppIcon:
        return res::appIconImage(32, ratio);
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

DialogUnits unitsFor(const QWidget& dialog, const res::DialogTemplate& t) {
    if (const res::ControlTemplate* picture = pictureControl(t)) {
        // The units at which the picture's rectangle is the picture's own size.
        const QSize size = picture->resource == res::kMenuPicture
                               ? res::kMenuPictureSize
                               : pictureFor(picture->resource, {}).deviceIndependentSize().toSize();
        if (!size.isEmpty())
            return {size.width() * 4 / picture->width, size.height() * 8 / picture->height};
    }
    return DialogUnits::fromFont(dialog.font());
}

namespace {

// An edit that turns A-Z into a-z as they are typed or pasted, keeping the
// insertion point where it was.
QLineEdit* lowerCaseEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        QString lower = text;
        for (QChar& c : lower)
            if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + 32);
        if (lower == text) return;
        const int at = edit->cursorPosition();
        edit->setText(lower);
        edit->setCursorPosition(at);
    });
    return edit;
}

[[noreturn]] void refuseTemplate(const res::DialogTemplate& t, const res::ControlTemplate& c,
                                 const char* what) {
    qFatal("Dialog template %d, control %d: %s", t.id, c.id, what);
}

} // namespace

QHash<int, QWidget*> buildControls(QWidget& host, const res::DialogTemplate& t,
                                   const DialogUnits& units) {
    QHash<int, QWidget*> controls;
    QPushButton* defaultButton = nullptr;
    QButtonGroup* radioGroup = nullptr;
    for (const res::ControlTemplate& c : t.controls) {
        const QString text = QString::fromUtf8(c.text ? c.text : "");
        QWidget* w = nullptr;
        if (c.kind != res::ControlKind::RadioButton) radioGroup = nullptr;
        switch (c.kind) {
        case res::ControlKind::Static:
        case res::ControlKind::CentredStatic: {
            auto* label = new QLabel(text, &host);
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
            w = new CInfoLabel(&host);
            break;
        case res::ControlKind::Edit:
            w = new QLineEdit(&host);
            break;
        case res::ControlKind::LowerCaseEdit:
            w = lowerCaseEdit(&host);
            break;
        case res::ControlKind::MultiLineEdit: {
            auto* edit = new QPlainTextEdit(&host);
            edit->setTabChangesFocus(true);
            edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            w = edit;
            break;
        }
        case res::ControlKind::CheckBox:
            w = new QCheckBox(text, &host);
            break;
        case res::ControlKind::RadioButton: {
            auto* radio = new QRadioButton(text, &host);
            if (!radioGroup || (c.flags & res::kGroup)) {
                radioGroup = new QButtonGroup(&host);
                radioGroup->setObjectName(QString::fromUtf8(c.name ? c.name : "") +
                                          QStringLiteral("Group"));
            }
            radioGroup->addButton(radio, c.id);
            w = radio;
            break;
        }
        case res::ControlKind::PushButton:
        case res::ControlKind::DefaultButton: {
            auto* button = new QPushButton(text, &host);
            button->setAutoDefault(false);
            if (c.kind == res::ControlKind::DefaultButton) defaultButton = button;
            w = button;
            break;
        }
        case res::ControlKind::GroupBox:
            w = new QGroupBox(text, &host);
            break;
        case res::ControlKind::ProgressBar: {
            auto* bar = new QProgressBar(&host);
            bar->setTextVisible(false);
            w = bar;
            break;
        }
        case res::ControlKind::ListBox: {
            auto* list = new QListWidget(&host);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            w = list;
            break;
        }
        case res::ControlKind::ListView: {
            auto* view = new QTreeWidget(&host);
            view->setRootIsDecorated(false);
            view->setUniformRowHeights(true);
            view->setAllColumnsShowFocus(true);
            view->setSelectionBehavior(QAbstractItemView::SelectRows);
            view->setSelectionMode(QAbstractItemView::SingleSelection);
            view->header()->setSectionsMovable(false);
            w = view;
            break;
        }
        case res::ControlKind::TileRack:
            if (c.resource < 1 || c.resource > CTileRack::kMaxSquares)
                refuseTemplate(t, c, "a tile rack needs 1 to 20 squares");
            w = new CTileRack(c.resource, &host);
            break;
        case res::ControlKind::Picture:
        case res::ControlKind::Icon: {
            auto* label = new QLabel(&host);
            label->setPixmap(QPixmap::fromImage(pictureFor(c.resource, {})));
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            w = label;
            break;
        }
        case res::ControlKind::SunkenPicture: {
            auto* label = new QLabel(&host);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setLineWidth(2);
            const QRect r = units.rect(c.x, c.y, c.width, c.height);
            label->setPixmap(QPixmap::fromImage(pictureFor(c.resource, r.size() - QSize(4, 4))));
            label->setAlignment(Qt::AlignCenter);
            w = label;
            break;
        }
        }
        // A kind added to the templates but not to this builder must not
        // quietly leave a hole in a dialog.
        if (!w) refuseTemplate(t, c, "the builder does not know this kind of control");
        w->setGeometry(units.rect(c.x, c.y, c.width, c.height));
        if (c.kind == res::ControlKind::CheckBox || c.kind == res::ControlKind::RadioButton) {
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
        if (c.flags & res::kHidden) w->setVisible(false);
        if (c.flags & res::kDisabled) w->setEnabled(false);
        if (c.id != res::kIdStatic) {
            if (!c.name || !*c.name) refuseTemplate(t, c, "a control with an id needs a name");
            if (controls.contains(c.id)) refuseTemplate(t, c, "two controls share this id");
            w->setObjectName(QString::fromUtf8(c.name));
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
    return controls;
}

QHash<int, QWidget*> buildDialog(QDialog& dialog, const res::DialogTemplate& t) {
    const DialogUnits units = unitsFor(dialog, t);
    QHash<int, QWidget*> controls = buildControls(dialog, t, units);
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

QHash<int, QWidget*> buildPage(QWizardPage& page, const res::DialogTemplate& t) {
    const DialogUnits units = unitsFor(page, t);
    QHash<int, QWidget*> controls = buildControls(page, t, units);
    if (t.caption) page.setTitle(QString::fromUtf8(t.caption));
    page.setMinimumSize(units.x(t.width), units.y(t.height));
    return controls;
}

} // namespace zq
