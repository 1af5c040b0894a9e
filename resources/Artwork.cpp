#include "resources/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>

#include "quiz/TileBag.h"
#include "resources/DialogTemplates.h"

namespace zq::res {

namespace {

// The outlines. Each traces one element; where two elements' bounding boxes
// overlap, one of them is notched so that no pixel belongs to both.

// A wooden rack of tiles, corners bevelled.
constexpr std::array<QPoint, 8> kQuiz = {
    {{4, 0}, {92, 0}, {96, 4}, {96, 62}, {92, 66}, {4, 66}, {0, 62}, {0, 4}}};

// A tile easel: a wide board with a handle on top, clear of the quiz rack on
// its left and of the Word Checker card above its right end.
constexpr std::array<QPoint, 14> kBuilder = {{{100, 59},
                                              {127, 59},
                                              {131, 63},
                                              {131, 85},
                                              {165, 85},
                                              {169, 89},
                                              {169, 127},
                                              {165, 131},
                                              {65, 131},
                                              {61, 127},
                                              {61, 70},
                                              {65, 66},
                                              {96, 66},
                                              {96, 63}}};

// A magnifying glass: a round lens with its handle running to the lower right.
constexpr std::array<QPoint, 35> kChecker = {
    {{166, 0},  {178, 0},  {180, 1},  {187, 3},  {194, 7},  {200, 12}, {205, 18},
     {209, 25}, {211, 32}, {212, 40}, {211, 48}, {209, 55}, {239, 75}, {245, 80},
     {245, 85}, {236, 85}, {192, 75}, {187, 77}, {180, 79}, {172, 80}, {164, 79},
     {157, 77}, {150, 73}, {144, 68}, {139, 62}, {135, 55}, {133, 48}, {132, 40},
     {133, 32}, {135, 25}, {139, 18}, {144, 12}, {150, 7},  {157, 3},  {164, 1}}};
constexpr std::array<QPoint, 6> kCheckerHandle = {
    {{209, 55}, {239, 75}, {245, 80}, {245, 85}, {236, 85}, {192, 75}}};

// An arched door.
constexpr std::array<QPoint, 9> kExit = {{{364, 130},
                                          {364, 75},
                                          {369, 68},
                                          {380, 63},
                                          {401, 63},
                                          {412, 68},
                                          {417, 75},
                                          {417, 130},
                                          {390, 130}}};

// A cog wheel with a slider arm to the right, above the door.
constexpr std::array<QPoint, 34> kOptions = {
    {{364, 46}, {360, 44}, {364, 53}, {356, 61}, {347, 57}, {345, 58}, {342, 67},
     {330, 67}, {327, 58}, {325, 57}, {316, 61}, {308, 53}, {312, 44}, {311, 42},
     {302, 39}, {302, 27}, {311, 24}, {312, 22}, {308, 13}, {316, 5},  {325, 9},
     {327, 8},  {330, 0},  {342, 0},  {345, 8},  {347, 9},  {356, 5},  {364, 13},
     {360, 22}, {364, 22}, {413, 22}, {417, 26}, {417, 42}, {413, 46}}};

// A printer with a sheet coming out of the top, clear of the control panel.
constexpr std::array<QPoint, 12> kPrint = {{{257, 54},
                                            {293, 54},
                                            {293, 70},
                                            {335, 70},
                                            {339, 74},
                                            {339, 127},
                                            {335, 131},
                                            {249, 131},
                                            {245, 127},
                                            {245, 74},
                                            {249, 70},
                                            {257, 70}}};

// A round badge with an "i".
constexpr std::array<QPoint, 8> kAbout = {
    {{11, 96}, {20, 96}, {25, 101}, {25, 112}, {20, 117}, {11, 117}, {6, 112}, {6, 101}}};

// A cardbox: a box of index cards, their tops standing out of it, in the
// space between the magnifying glass, the printer and the cog.
constexpr std::array<QPoint, 12> kStudy = {{{250, 24},
                                            {254, 24},
                                            {254, 10},
                                            {266, 10},
                                            {266, 4},
                                            {284, 4},
                                            {284, 12},
                                            {294, 12},
                                            {294, 24},
                                            {298, 24},
                                            {298, 50},
                                            {250, 50}}};

const std::array<MenuElement, 8> kElements = {{
    {kIdQuiz, "Quiz", kQuiz},
    {kIdWordBuilder, "Word Builder", kBuilder},
    {kIdWordChecker, "Word Checker", kChecker},
    {kIdCancel, "Exit", kExit},
    {kIdOptions, "Options", kOptions},
    {kIdPrint, "Print", kPrint},
    {kIdAbout, "About", kAbout},
    {kIdStudy, "Study", kStudy},
}};

const QColor kTileFace(242, 222, 170);
const QColor kTileEdge(150, 120, 70);
const QColor kTileInk(40, 30, 20);

QPolygon polygonOf(std::span<const QPoint> points) {
    return QPolygon(QList<QPoint>(points.begin(), points.end()));
}

QFont sansFont(int pixelSize, bool bold = false) {
    QFont f(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, pixelSize));
    f.setBold(bold);
    return f;
}

// A lettered tile with its score in the corner.
void drawTile(QPainter& p, const QRectF& r, QChar letter) {
    p.save();
    const qreal radius = r.width() / 7;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(r.translated(r.width() / 14, r.height() / 14), radius, radius);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, kTileFace.lighter(108));
    g.setColorAt(1, kTileFace.darker(108));
    p.setBrush(g);
    p.setPen(QPen(kTileEdge, 1));
    p.drawRoundedRect(r, radius, radius);
    p.setPen(kTileInk);
    p.setFont(sansFont(int(r.height() * 0.62), true));
    p.drawText(r.adjusted(0, -r.height() * 0.06, -r.width() * 0.1, 0), Qt::AlignCenter,
               QString(letter.toUpper()));
    const int score = letterScore(letter.toLower().toLatin1());
    p.setFont(sansFont(int(r.height() * 0.27)));
    p.drawText(r.adjusted(0, 0, -r.width() * 0.1, -r.height() * 0.04),
               Qt::AlignRight | Qt::AlignBottom, QString::number(score));
    p.restore();
}

void drawTiles(QPainter& p, QPointF at, qreal side, qreal gap, const char* word) {
    for (int i = 0; word[i]; ++i)
        drawTile(p, QRectF(at.x() + i * (side + gap), at.y(), side, side), QChar(word[i]));
}

// The board the elements lie on: squares with a few premium ones.
void drawBoard(QPainter& p, const QRect& area) {
    p.fillRect(area, QColor(22, 92, 70));
    const int cell = 13;
    const QColor premium[] = {QColor(170, 60, 60), QColor(60, 100, 170), QColor(200, 150, 150),
                              QColor(120, 170, 210)};
    for (int y = area.top(), row = 0; y < area.bottom(); y += cell, ++row) {
        for (int x = area.left(), col = 0; x < area.right(); x += cell, ++col) {
            const int kind = (row * 7 + col * 3) % 11;
            if (kind < 4 && (row + col) % 3 == 0)
                p.fillRect(QRect(x + 1, y + 1, cell - 1, cell - 1), premium[kind].darker(130));
        }
    }
    p.setPen(QColor(14, 70, 52));
    for (int x = area.left(); x <= area.right(); x += cell)
        p.drawLine(x, area.top(), x, area.bottom());
    for (int y = area.top(); y <= area.bottom(); y += cell)
        p.drawLine(area.left(), y, area.right(), y);
}

void fillElement(QPainter& p, const QPolygon& outline, const QColor& top, const QColor& bottom) {
    const QRect box = outline.boundingRect();
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPolygon(outline, Qt::WindingFill);
    p.restore();
    // The outline just inside the element's edge.
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(bottom.darker(160), 1.2));
    p.setBrush(Qt::NoBrush);
    QPolygonF inner;
    for (const QPoint& pt : outline)
        inner << QPointF(pt) + QPointF(pt.x() > box.center().x() ? -0.6 : 0.6,
                                       pt.y() > box.center().y() ? -0.6 : 0.6);
    p.drawPolygon(inner);
    p.restore();
}

void label(QPainter& p, const QRect& r, const char* text, const QColor& colour, int size) {
    p.save();
    p.setFont(sansFont(size, true));
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(r.translated(1, 1), Qt::AlignCenter, QString::fromUtf8(text));
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, QString::fromUtf8(text));
    p.restore();
}

void drawQuiz(QPainter& p, const QPolygon& o) {
    fillElement(p, o, QColor(176, 120, 64), QColor(122, 76, 34));
    drawTiles(p, QPointF(8, 8), 18, 3, "quiz");
    // The rack's lip under the tiles.
    p.fillRect(QRect(5, 28, 87, 4), QColor(90, 55, 25));
    label(p, QRect(0, 34, 96, 30), "Quiz", QColor(255, 246, 220), 19);
}

void drawBuilder(QPainter& p, const QPolygon& o) {
    fillElement(p, o, QColor(150, 98, 52), QColor(96, 58, 26));
    p.fillRect(QRect(104, 61, 20, 3), QColor(80, 48, 20));
    // Spare tiles leaning on the easel's handle.
    drawTile(p, QRectF(70, 69, 15, 15), QChar('a'));
    drawTile(p, QRectF(108, 69, 15, 15), QChar('e'));
    drawTiles(p, QPointF(66, 88), 18, 2, "build");
    p.fillRect(QRect(64, 108, 102, 3), QColor(80, 48, 20));
    label(p, QRect(61, 111, 108, 19), "Word Builder", QColor(255, 246, 220), 13);
}

void drawChecker(QPainter& p, const QPolygon& o) {
    fillElement(p, o, QColor(236, 246, 252), QColor(186, 214, 232));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(60, 40, 24), 1));
    p.setBrush(QColor(120, 74, 36));
    p.drawPolygon(polygonOf(kCheckerHandle));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 60, 50), 3));
    p.drawEllipse(QPointF(172, 40), 38.5, 38.5);
    // A check mark over a tile.
    drawTile(p, QRectF(150, 9, 18, 18), QChar('w'));
    p.setPen(QPen(QColor(30, 140, 60), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(174, 18), QPointF(180, 25), QPointF(194, 10)}));
    p.restore();
    label(p, QRect(132, 31, 80, 17), "Word", QColor(50, 40, 30), 13);
    label(p, QRect(132, 47, 80, 17), "Checker", QColor(50, 40, 30), 13);
}

void drawExit(QPainter& p, const QPolygon& o) {
    fillElement(p, o, QColor(170, 60, 50), QColor(110, 30, 26));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(90, 24, 20), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(370.5, 90.5, 40, 34));
    p.setBrush(QColor(240, 200, 90));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(406, 104), 2.5, 2.5);
    p.restore();
    label(p, QRect(364, 68, 53, 20), "Exit", QColor(255, 240, 220), 15);
}

void drawOptions(QPainter& p, const QPolygon& o) {
    fillElement(p, o, QColor(120, 150, 190), QColor(60, 84, 124));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(30, 44, 70), 1));
    p.setBrush(QColor(84, 110, 150));
    p.drawEllipse(QPointF(336, 33), 22, 22);
    // The slider on the arm.
    p.setPen(QPen(QColor(30, 40, 60), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(372, 34, 410, 34);
    p.setPen(QPen(QColor(30, 40, 60), 1));
    p.setBrush(QColor(240, 220, 150));
    p.drawEllipse(QPointF(396, 34), 5, 5);
    p.restore();
    label(p, QRect(310, 24, 52, 18), "Options", QColor(250, 250, 255), 12);
}

void drawPrint(QPainter& p, const QPolygon& o) {
    fillElement(p, o, QColor(215, 215, 210), QColor(150, 150, 145));
    // The sheet: white, with lines of words.
    p.fillRect(QRect(258, 55, 34, 16), QColor(255, 255, 255));
    p.setPen(QColor(120, 120, 120));
    for (int y = 58; y < 70; y += 3)
        p.drawLine(261, y, 288, y);
    // The paper slot and the output tray.
    p.fillRect(QRect(252, 74, 82, 4), QColor(60, 60, 60));
    p.fillRect(QRect(256, 116, 74, 8), QColor(110, 110, 105));
    p.fillRect(QRect(320, 82, 10, 4), QColor(60, 170, 80));
    label(p, QRect(245, 86, 94, 26), "Print", QColor(40, 40, 40), 17);
}

void drawAbout(QPainter& p, const QPolygon& o) {
    fillElement(p, o, QColor(70, 120, 200), QColor(36, 70, 140));
    label(p, QRect(6, 96, 19, 21), "i", QColor(255, 255, 255), 15);
    label(p, QRect(27, 98, 34, 16), "About", QColor(255, 255, 255), 11);
}

void drawStudy(QPainter& p, const QPolygon& o) {
    fillElement(p, o, QColor(236, 232, 220), QColor(150, 110, 70));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    // The cards' tops, each a little apart, ruled like index cards.
    const QRect cards[] = {QRect(255, 11, 11, 14), QRect(267, 5, 17, 20), QRect(285, 13, 9, 12)};
    const QColor card[] = {QColor(250, 246, 228), QColor(255, 255, 255), QColor(232, 240, 250)};
    for (int i = 0; i < 3; ++i) {
        p.fillRect(cards[i], card[i]);
        p.setPen(QColor(200, 80, 70));
        p.drawLine(cards[i].left() + 1, cards[i].top() + 3, cards[i].right() - 1,
                   cards[i].top() + 3);
        p.setPen(QColor(150, 180, 210));
        for (int y = cards[i].top() + 6; y < cards[i].bottom(); y += 3)
            p.drawLine(cards[i].left() + 1, y, cards[i].right() - 1, y);
    }
    // The box's front.
    QLinearGradient front(QPointF(0, 24), QPointF(0, 50));
    front.setColorAt(0, QColor(170, 118, 66));
    front.setColorAt(1, QColor(118, 76, 38));
    p.fillRect(QRect(251, 25, 46, 24), front);
    p.fillRect(QRect(251, 25, 46, 2), QColor(96, 60, 28));
    p.restore();
    label(p, QRect(250, 28, 48, 20), "Study", QColor(255, 246, 220), 12);
}

} // namespace

std::span<const MenuElement> menuElements() {
    return kElements;
}

namespace {

// An image of `size` logical pixels holding `ratio` device pixels each, with
// a painter scaled to draw in logical pixels.
QImage canvas(QSize size, qreal ratio, QImage::Format format) {
    ratio = std::clamp<qreal>(ratio, 1, 8);
    QImage image(size * ratio, format);
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace

QImage menuPicture(qreal ratio) {
    QImage image = canvas(kMenuPictureSize, ratio, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    drawBoard(p, QRect(QPoint(0, 0), kMenuPictureSize));
    p.save();
    label(p, QRect(172, 92, 70, 16), "Zendraquil", QColor(250, 230, 160), 12);
    p.restore();
    using Draw = void (*)(QPainter&, const QPolygon&);
    const Draw draws[] = {drawQuiz,    drawBuilder, drawChecker, drawExit,
                          drawOptions, drawPrint,   drawAbout,   drawStudy};
    for (std::size_t i = 0; i < kElements.size(); ++i)
        draws[i](p, polygonOf(kElements[i].outline));
    return image;
}

QImage aboutPicture(QSize size, qreal ratio) {
    size = size.expandedTo(QSize(1, 1));
    QImage image = canvas(size, ratio, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    drawBoard(p, QRect(QPoint(0, 0), size));
    const char* word = "zendraquil";
    const int n = 10;
    const qreal side = std::min(size.height() * 0.5, size.width() / (n + 2.0));
    const qreal gap = side / 10;
    const qreal width = n * side + (n - 1) * gap;
    const QPointF at((size.width() - width) / 2, (size.height() - side) / 2 - side * 0.15);
    // The rack under the tiles.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(122, 76, 34));
    p.drawRoundedRect(QRectF(at.x() - gap * 2, at.y() + side * 0.7, width + gap * 4, side * 0.5), 3,
                      3);
    drawTiles(p, at, side, gap, word);
    p.setFont(sansFont(int(side * 0.32), true));
    p.setPen(QColor(250, 236, 190));
    p.drawText(QRectF(0, at.y() + side * 1.25, size.width(), side * 0.5), Qt::AlignCenter,
               QStringLiteral("a study tool for the tile word game"));
    return image;
}

QImage appIconImage(int side, qreal ratio) {
    QImage image = canvas(QSize(side, side), ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    drawTile(p, QRectF(side * 0.04, side * 0.04, side * 0.86, side * 0.86), QChar('z'));
    return image;
}

QIcon appIcon() {
    QIcon icon;
    for (int side : {16, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(appIconImage(side)));
    return icon;
}

QCursor handCursor() {
    return QCursor(Qt::PointingHandCursor);
}

} // namespace zq::res
