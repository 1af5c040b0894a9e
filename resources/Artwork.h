#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <span>

namespace zq::res {

// One element of the picture menu that is also a command: the outline that is
// both drawn and hit-tested, the command id it gives and its label.
struct MenuElement {
    int command;
    const char* label;
    std::span<const QPoint> outline; // client pixels; edges, so the right and
                                     // bottom vertices lie one past the last pixel
};

// The eight elements in hit-test order: the seven commands of old, then
// Study, which lies apart from all of them.
std::span<const MenuElement> menuElements();

// The pictures are drawn, not stored: `ratio` device pixels to the logical
// pixel (2 on a screen scaled to 200%) gives a sharp picture of the same
// logical size on any screen.

// The picture menu's picture (417 x 131), drawn from the same outlines.
inline constexpr QSize kMenuPictureSize{417, 131};
QImage menuPicture(qreal ratio = 1);

// The about box's picture, drawn to fill the given size.
QImage aboutPicture(QSize size, qreal ratio = 1);

// The application icon: a single tile.
QImage appIconImage(int side, qreal ratio = 1);
QIcon appIcon();

// The cursor over a hot region of the picture menu.
QCursor handCursor();

} // namespace zq::res
