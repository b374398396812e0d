#include "platform/draw/image_surface.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "platform/draw/picture_box.h"

namespace tomelin {
namespace {

constexpr Rgb kRed = rgb(255, 0, 0);
constexpr Rgb kBlack = rgb(0, 0, 0);

Rgb pixelAt(const ImageSurface& s, int x, int y) {
    return fromQColor(s.image().pixelColor(x, y));
}

// The bounding rectangle of the red pixels and how many there are.
std::pair<QRect, int> redArea(const ImageSurface& s) {
    std::pair<QRect, int> area;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (pixelAt(s, x, y) == kRed) {
                area.first |= QRect(x, y, 1, 1);
                ++area.second;
            }
    return area;
}

TEST(ImageSurface, FilledBoxIncludesBothCornersRoundedHalfToEvenInEitherOrder) {
    const std::pair<std::array<double, 4>, QRect> rows[] = {
        {{2, 3, 5, 7}, QRect(QPoint(2, 3), QPoint(5, 7))},
        {{5, 7, 2, 3}, QRect(QPoint(2, 3), QPoint(5, 7))},
        {{2.5, 3.5, 4.4, 5.6}, QRect(QPoint(2, 4), QPoint(4, 6))},
    };
    for (const auto& [c, rect] : rows) {
        ImageSurface s(20, 20, kBlack);
        s.fillBox(c[0], c[1], c[2], c[3], kRed);
        EXPECT_EQ(redArea(s), std::make_pair(rect, rect.width() * rect.height())) << c[0];
    }
}

TEST(ImageSurface, OutlinesAndLinesAreOnePixelWide) {
    ImageSurface s(20, 20, kBlack);
    s.boxOutline(2, 2, 8, 6, kRed);
    EXPECT_EQ(redArea(s), std::make_pair(QRect(QPoint(2, 2), QPoint(8, 6)), 2 * 7 + 2 * 3));
    ImageSurface t(20, 20, kBlack);
    t.line(1, 10, 10, 10, kRed);
    EXPECT_EQ(redArea(t), std::make_pair(QRect(QPoint(1, 10), QPoint(10, 10)), 10));
}

TEST(ImageSurface, EllipseOutlineFollowsTheAspectRuleAndIsClipped) {
    // Below 1 the radius is horizontal and the vertical one radius * aspect; above 1 it is
    // vertical and the horizontal one radius / aspect.
    const std::pair<double, QRect> rows[] = {{0.5, QRect(QPoint(10, 20), QPoint(50, 40))},
                                             {2, QRect(QPoint(20, 10), QPoint(40, 50))},
                                             {1, QRect(QPoint(10, 10), QPoint(50, 50))}};
    for (const auto& [aspect, bounds] : rows) {
        ImageSurface s(60, 60, kBlack);
        s.ellipse(30, 30, 20, aspect, kRed);
        EXPECT_EQ(redArea(s).first, bounds) << aspect;
        EXPECT_EQ(pixelAt(s, 30, 30), kBlack) << aspect;
        // Closed: every row it spans has outline pixels.
        for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
            int hits = 0;
            for (int x = 0; x < 60; ++x)
                hits += pixelAt(s, x, y) == kRed;
            EXPECT_GE(hits, 1) << aspect << " row " << y;
        }
    }
    // Outlines partly or wholly off the picture are clipped, a radius 0 is a dot.
    ImageSurface edge(10, 10, kBlack);
    edge.ellipse(0, 0, 5, 1, kRed);
    edge.ellipse(-100, -100, 5, 1, kRed);
    edge.ellipse(7, 7, 0, 0.5, kRed);
    EXPECT_EQ(pixelAt(edge, 5, 0), kRed);
    EXPECT_EQ(pixelAt(edge, 7, 7), kRed);
}

TEST(ImageSurface, ResizeKeepsTheDrawingAndOnlyRefreshCallsTheHandler) {
    ImageSurface s(10, 10, rgb(1, 2, 3));
    int calls = 0;
    s.setRefreshHandler([&calls] { ++calls; });
    s.fillBox(0, 0, 9, 9, kRed);
    s.resize(20, 15);
    EXPECT_EQ(redArea(s), std::make_pair(QRect(0, 0, 10, 10), 100));
    EXPECT_EQ(pixelAt(s, 15, 12), rgb(1, 2, 3));
    EXPECT_EQ(calls, 0);
    s.refresh();
    EXPECT_EQ(calls, 1);
    s.clear();
    EXPECT_EQ(redArea(s).second, 0);
    EXPECT_EQ(pixelAt(s, 19, 14), rgb(1, 2, 3));
    // Colours keep red in the low byte.
    EXPECT_EQ(toQColor(rgb(10, 20, 30)), QColor(10, 20, 30));
    EXPECT_EQ(fromQColor(QColor(10, 20, 30)), rgb(10, 20, 30));
}

TEST(PictureBox, KeepsItsDrawingAcrossResizesAndReportsPresses) {
    PictureBox box(nullptr, kBlack);
    box.resize(30, 20);
    box.surface().fillBox(0, 0, 29, 19, kRed);
    box.surface().refresh();
    box.resize(40, 25);
    EXPECT_EQ(fromQColor(box.image().pixelColor(29, 19)), kRed);
    EXPECT_EQ(fromQColor(box.image().pixelColor(35, 22)), kBlack);
    QSignalSpy presses(&box, &PictureBox::pressed);
    QTest::mousePress(&box, Qt::RightButton, {}, QPoint(5, 6));
    ASSERT_EQ(presses.count(), 1);
    EXPECT_EQ(presses[0][1].value<Qt::MouseButton>(), Qt::RightButton);
    box.clearPicture();
    EXPECT_EQ(fromQColor(box.image().pixelColor(5, 5)), kBlack);
}

}  // namespace
}  // namespace tomelin
