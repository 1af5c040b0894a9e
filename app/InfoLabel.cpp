#include "app/InfoLabel.h"

#include <QFontMetrics>
#include <QPainter>

#include "app/AppContext.h"

namespace zq {

CInfoLabel::CInfoLabel(QWidget* parent) : QWidget(parent) {}

void CInfoLabel::setText(const QString& text) {
    text_ = text;
    update();
}

int CInfoLabel::fontPixelSize() const {
    return std::clamp(height(), 1, kMaxFontPixels);
}

void CInfoLabel::paintEvent(QPaintEvent*) {
    const SystemColours colours = SystemColours::current();
    QPainter p(this);
    p.fillRect(rect(), colours.infoBackground);
    QFont font = this->font();
    font.setPixelSize(fontPixelSize());
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    // The platform's fonts run wider and taller than the ones the layout was
    // made for: a text that would not fit at that size is drawn smaller,
    // down to 9 pixels, so that it is never cut off at the bottom.
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    while (font.pixelSize() > kMinFontPixels &&
           QFontMetrics(font).boundingRect(rect(), flags, text_).height() > height())
        font.setPixelSize(font.pixelSize() - 1);
    p.setFont(font);
    p.setPen(colours.infoText);
    p.drawText(rect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextDontClip,
               text_);
}

} // namespace zq
