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

int countColour(const ImageSurface& s, Rgb colour) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            n += pixelAt(s, x, y) == colour;
    return n;
}

TEST(ImageSurface, FilledBoxIncludesBothCornersRoundedHalfToEvenInEitherOrder) {
    struct Row {
        std::array<double, 4> corners;
        int pixels;
        QPoint first, last;  // the filled corner pixels; one beyond `last` stays empty
    };
    const Row rows[] = {
        {{2, 3, 5, 7}, 4 * 5, {2, 3}, {5, 7}},
        {{5, 7, 2, 3}, 4 * 5, {2, 3}, {5, 7}},
        {{2.5, 3.5, 4.4, 5.6}, 3 * 3, {2, 4}, {4, 6}},  // 2.5 -> 2, 3.5 -> 4, 5.6 -> 6
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.corners[0]);
        ImageSurface s(20, 20, kBlack);
        s.fillBox(row.corners[0], row.corners[1], row.corners[2], row.corners[3], kRed);
        EXPECT_EQ(countColour(s, kRed), row.pixels);
        EXPECT_EQ(pixelAt(s, row.first.x(), row.first.y()), kRed);
        EXPECT_EQ(pixelAt(s, row.last.x(), row.last.y()), kRed);
        EXPECT_EQ(pixelAt(s, row.last.x() + 1, row.last.y()), kBlack);
    }
}

TEST(ImageSurface, OutlinesAndLinesAreOnePixelWide) {
    ImageSurface s(20, 20, kBlack);
    s.boxOutline(2, 2, 8, 6, kRed);
    EXPECT_EQ(countColour(s, kRed), 2 * 7 + 2 * 3);
    EXPECT_EQ(pixelAt(s, 8, 6), kRed);
    EXPECT_EQ(pixelAt(s, 5, 4), kBlack);
    s.line(1, 10, 10, 10, kRed);
    EXPECT_EQ(countColour(s, kRed), 2 * 7 + 2 * 3 + 10);
    EXPECT_EQ(pixelAt(s, 6, 11), kBlack);
}

TEST(ImageSurface, EllipseFollowsTheAspectRuleAndIsClipped) {
    // Below 1 the radius is horizontal and the vertical one radius * aspect; above 1 it is
    // vertical and the horizontal one radius / aspect. Only the outline is drawn.
    struct Row {
        double aspect;
        std::vector<QPoint> on, off;
    };
    const Row rows[] = {
        {0.5, {{50, 30}, {30, 40}}, {{30, 30}, {30, 50}}},
        {2, {{30, 50}, {40, 30}}, {{30, 30}, {50, 30}}},
        {1, {{10, 30}, {30, 50}, {30, 10}}, {{30, 30}}},
    };
    for (const Row& row : rows) {
        ImageSurface s(60, 60, kBlack);
        s.ellipse(30, 30, 20, row.aspect, kRed);
        for (const QPoint p : row.on)
            EXPECT_EQ(pixelAt(s, p.x(), p.y()), kRed) << row.aspect << " " << p.x() << "," << p.y();
        for (const QPoint p : row.off)
            EXPECT_EQ(pixelAt(s, p.x(), p.y()), kBlack)
                << row.aspect << " " << p.x() << "," << p.y();
    }
    // A circle is closed: every row it spans has outline pixels.
    ImageSurface round(60, 60, kBlack);
    round.ellipse(30, 30, 20, 1, kRed);
    for (int y = 10; y <= 50; ++y) {
        int hits = 0;
        for (int x = 0; x < 60; ++x)
            hits += pixelAt(round, x, y) == kRed;
        EXPECT_GE(hits, 1) << y;
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
    EXPECT_EQ(pixelAt(s, 9, 9), kRed);
    EXPECT_EQ(pixelAt(s, 15, 12), rgb(1, 2, 3));
    EXPECT_EQ(calls, 0);
    s.refresh();
    EXPECT_EQ(calls, 1);
    s.clear();
    EXPECT_EQ(countColour(s, rgb(1, 2, 3)), 20 * 15);
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
