#pragma once

#include <QString>
#include <QWidget>

namespace zq {

// A text control that paints its own text on the tooltip background: status
// lines, hints and results. Only the text given through setText is shown.
class CInfoLabel : public QWidget {
    Q_OBJECT
  public:
    explicit CInfoLabel(QWidget* parent = nullptr);

    virtual void setText(const QString& text);
    const QString& text() const { return text_; }

    // The font's pixel height: the label's height, but at most 20. A text
    // that would not fit is drawn smaller, down to kMinFontPixels.
    int fontPixelSize() const;
    static constexpr int kMaxFontPixels = 20;
    static constexpr int kMinFontPixels = 9;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
};

} // namespace zq
