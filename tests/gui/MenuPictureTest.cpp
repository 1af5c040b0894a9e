#include <gtest/gtest.h>

#include <QImage>
#include <QPolygon>
#include <QRegion>

#include "resources/Artwork.h"
#include "resources/DialogTemplates.h"

using namespace zq;

namespace {

// The vertex sum of the seven outlines the menu has had from the start.
constexpr long long kOlderOutlineSum = 1587334214;

QRegion regionOf(const res::MenuElement& e) {
    return QRegion(QPolygon(QList<QPoint>(e.outline.begin(), e.outline.end())), Qt::WindingFill);
}

} // namespace

// The hit-test order, the command ids and the inclusive bounding boxes the
// menu relies on.
TEST(MenuPicture, RegionsHaveTheirCommandsAndBoundingBoxesInHitTestOrder) {
    struct Expected {
        int command, x0, x1, y0, y1;
    };
    const Expected expected[] = {{1041, 0, 95, 0, 65},    {1042, 61, 168, 59, 130},
                                 {1043, 132, 244, 0, 84}, {2, 364, 416, 63, 129},
                                 {3, 302, 416, 0, 66},    {1044, 245, 338, 54, 130},
                                 {153, 6, 24, 96, 116},   {1046, 250, 297, 4, 49}};
    const auto elements = res::menuElements();
    ASSERT_EQ(elements.size(), 8u);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        SCOPED_TRACE(elements[i].label);
        EXPECT_EQ(elements[i].command, expected[i].command);
        const QRect box = regionOf(elements[i]).boundingRect();
        EXPECT_EQ(box.left(), expected[i].x0);
        EXPECT_EQ(box.right(), expected[i].x1);
        EXPECT_EQ(box.top(), expected[i].y0);
        EXPECT_EQ(box.bottom(), expected[i].y1);
    }
}

// The Study element came after the other seven: their outlines are the ones
// they always had (pinned by a sum over their vertices), and every pixel
// still gives the command it gave before.
TEST(MenuPicture, TheSevenOlderRegionsAreUnchanged) {
    const auto elements = res::menuElements();
    ASSERT_EQ(elements.size(), 8u);
    const int vertices[] = {8, 14, 35, 9, 34, 12, 8};
    long long sum = 0;
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(elements[i].outline.size(), std::size_t(vertices[i])) << elements[i].label;
        for (std::size_t k = 0; k < elements[i].outline.size(); ++k)
            sum += (k + 1) * (elements[i].outline[k].x() * 1000LL + elements[i].outline[k].y()) *
                   (i + 1);
    }
    EXPECT_EQ(sum, kOlderOutlineSum);
    const QRegion study = regionOf(elements[7]);
    for (int y = 0; y < res::kMenuPictureSize.height(); ++y)
        for (int x = 0; x < res::kMenuPictureSize.width(); ++x) {
            bool older = false;
            for (std::size_t i = 0; i < 7; ++i)
                older = older || regionOf(elements[i]).contains(QPoint(x, y));
            if (older) {
                ASSERT_FALSE(study.contains(QPoint(x, y))) << x << "," << y;
            }
        }
}

TEST(MenuPicture, NoTwoRegionsShareAPixelAndMuchOfThePictureIsNoCommand) {
    const auto elements = res::menuElements();
    QRegion all;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        for (std::size_t j = i + 1; j < elements.size(); ++j)
            EXPECT_TRUE(regionOf(elements[i]).intersected(regionOf(elements[j])).isEmpty())
                << elements[i].label << " and " << elements[j].label;
        all += regionOf(elements[i]);
    }
    long covered = 0;
    for (const QRect& r : all)
        covered += long(r.width()) * r.height();
    const long total = long(res::kMenuPictureSize.width()) * res::kMenuPictureSize.height();
    EXPECT_GT(covered, total * 3 / 10);
    EXPECT_LT(covered, total * 2 / 3);
}

// Each region is painted as its element: hardly any pixel inside an outline
// shows the bare board, so the picture and the hit test cannot drift apart.
TEST(MenuPicture, EveryRegionIsCoveredByItsElement) {
    const QImage picture = res::menuPicture();
    ASSERT_EQ(picture.size(), res::kMenuPictureSize);
    // The board's squares and grid lines.
    const QRgb boardColours[] = {qRgb(22, 92, 70), qRgb(14, 70, 52)};
    for (const res::MenuElement& e : res::menuElements()) {
        long inside = 0, bare = 0;
        for (const QRect& r : regionOf(e)) {
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) {
                    ++inside;
                    if (picture.pixel(x, y) == boardColours[0] ||
                        picture.pixel(x, y) == boardColours[1])
                        ++bare;
                }
        }
        EXPECT_LT(bare * 50, inside) << e.label;
    }
}

// At twice the pixels the picture is drawn again, not enlarged: the same
// logical size, and finer detail than any upscale of the plain picture (an
// upscale has every 2 x 2 block of one colour).
TEST(MenuPicture, DrawnSharpAtScaleTwo) {
    const QImage plain = res::menuPicture();
    const QImage sharp = res::menuPicture(2);
    EXPECT_EQ(sharp.size(), res::kMenuPictureSize * 2);
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_EQ(sharp.deviceIndependentSize().toSize(), res::kMenuPictureSize);
    long blocksWithDetail = 0, sameColour = 0;
    for (int y = 0; y + 1 < sharp.height(); y += 2)
        for (int x = 0; x + 1 < sharp.width(); x += 2) {
            const QRgb a = sharp.pixel(x, y);
            if (a != sharp.pixel(x + 1, y) || a != sharp.pixel(x, y + 1) ||
                a != sharp.pixel(x + 1, y + 1))
                ++blocksWithDetail;
            // Away from edges the two pictures agree.
            if (plain.pixel(x / 2, y / 2) == a) ++sameColour;
        }
    EXPECT_GT(blocksWithDetail, 2000);
    EXPECT_GT(sameColour * 2, long(plain.width()) * plain.height());
    const QImage icon = res::appIconImage(32, 2);
    EXPECT_EQ(icon.size(), QSize(64, 64));
    EXPECT_EQ(icon.deviceIndependentSize().toSize(), QSize(32, 32));
}
