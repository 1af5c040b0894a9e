#pragma once

#include <QAbstractButton>
#include <QPolygon>

namespace zq {

// The keyboard's and the screen reader's way into one element of the picture
// menu: an invisible button over the element's outline. Tab and Shift+Tab,
// or the arrow keys, move among the seven; Space runs the focused one; the
// focused element is outlined. The mouse passes through to the main window,
// which hit-tests the picture itself; Enter and Escape go on to the main
// window too.
class MenuElementButton : public QAbstractButton {
  public:
    MenuElementButton(int command, const QString& label, const QPolygon& outline, QWidget* parent);
    int command() const { return command_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    int command_;
    QPolygon outline_; // in the button's own coordinates
};

} // namespace zq
