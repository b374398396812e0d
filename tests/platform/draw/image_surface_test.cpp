#include "platform/draw/image_surface.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

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
            if (pixelAt(s, x, y) == colour)
                ++n;
    return n;
}

TEST(ImageSurface, FilledBoxIncludesBothCornersInEitherOrder) {
    ImageSurface s(20, 20, kBlack);
    s.fillBox(2, 3, 5, 7, kRed);
    EXPECT_EQ(countColour(s, kRed), 4 * 5);
    EXPECT_EQ(pixelAt(s, 2, 3), kRed);
    EXPECT_EQ(pixelAt(s, 5, 7), kRed);
    EXPECT_EQ(pixelAt(s, 6, 7), kBlack);

    ImageSurface t(20, 20, kBlack);
    t.fillBox(5, 7, 2, 3, kRed);
    EXPECT_EQ(countColour(t, kRed), 4 * 5);
}

TEST(ImageSurface, RealCornersGoToTheNearestPixelWithHalvesToEven) {
    ImageSurface s(20, 20, kBlack);
    s.fillBox(2.5, 3.5, 4.4, 5.6, kRed);  // 2.5 -> 2, 3.5 -> 4, 4.4 -> 4, 5.6 -> 6
    EXPECT_EQ(pixelAt(s, 2, 4), kRed);
    EXPECT_EQ(pixelAt(s, 4, 6), kRed);
    EXPECT_EQ(pixelAt(s, 2, 3), kBlack);
    EXPECT_EQ(countColour(s, kRed), 3 * 3);
}

TEST(ImageSurface, BoxOutlineIsOnePixelWideAndLeavesTheInsideAlone) {
    ImageSurface s(20, 20, kBlack);
    s.boxOutline(2, 2, 8, 6, kRed);
    EXPECT_EQ(countColour(s, kRed), 2 * 7 + 2 * 3);
    EXPECT_EQ(pixelAt(s, 8, 6), kRed);
    EXPECT_EQ(pixelAt(s, 5, 4), kBlack);
}

TEST(ImageSurface, EllipseFollowsTheAspectRule) {
    // Aspect below 1: radius horizontal, vertical radius * aspect.
    ImageSurface wide(60, 60, kBlack);
    wide.ellipse(30, 30, 20, 0.5, kRed);
    EXPECT_EQ(pixelAt(wide, 30, 30), kBlack);  // outline only
    EXPECT_EQ(pixelAt(wide, 50, 30), kRed);
    EXPECT_EQ(pixelAt(wide, 30, 40), kRed);
    EXPECT_EQ(pixelAt(wide, 30, 50), kBlack);

    // Aspect above 1: radius vertical, horizontal radius / aspect.
    ImageSurface tall(60, 60, kBlack);
    tall.ellipse(30, 30, 20, 2, kRed);
    EXPECT_EQ(pixelAt(tall, 30, 50), kRed);
    EXPECT_EQ(pixelAt(tall, 40, 30), kRed);
    EXPECT_EQ(pixelAt(tall, 50, 30), kBlack);

    // A circle is closed: every row and column it spans has its two outline pixels.
    ImageSurface round(40, 40, kBlack);
    round.ellipse(20, 20, 12, 1, kRed);
    for (int y = 8; y <= 32; ++y) {
        int hits = 0;
        for (int x = 0; x < 40; ++x)
            hits += pixelAt(round, x, y) == kRed;
        EXPECT_GE(hits, 1) << y;
    }
    EXPECT_EQ(pixelAt(round, 20, 20), kBlack);
    EXPECT_EQ(pixelAt(round, 8, 20), kRed);
    EXPECT_EQ(pixelAt(round, 20, 32), kRed);
    // Outlines partly or wholly off the picture are clipped, a radius 0 is a dot.
    ImageSurface edge(10, 10, kBlack);
    edge.ellipse(0, 0, 5, 1, kRed);
    edge.ellipse(-100, -100, 5, 1, kRed);
    edge.ellipse(7, 7, 0, 0.5, kRed);
    EXPECT_EQ(pixelAt(edge, 5, 0), kRed);
    EXPECT_EQ(pixelAt(edge, 7, 7), kRed);

    const EllipseRadii circle = ellipseRadii(7, 1);
    EXPECT_DOUBLE_EQ(circle.horizontal, 7);
    EXPECT_DOUBLE_EQ(circle.vertical, 7);
}

TEST(ImageSurface, LineJoinsItsEndPoints) {
    ImageSurface s(20, 20, kBlack);
    s.line(1, 1, 10, 1, kRed);
    EXPECT_EQ(pixelAt(s, 1, 1), kRed);
    EXPECT_EQ(pixelAt(s, 6, 1), kRed);
    EXPECT_EQ(pixelAt(s, 6, 2), kBlack);
}

TEST(ImageSurface, ResizeKeepsTheDrawingAndFillsNewAreaWithBackground) {
    ImageSurface s(10, 10, rgb(1, 2, 3));
    s.fillBox(0, 0, 9, 9, kRed);
    s.resize(20, 15);
    EXPECT_EQ(pixelAt(s, 9, 9), kRed);
    EXPECT_EQ(pixelAt(s, 15, 12), rgb(1, 2, 3));
    s.clear();
    EXPECT_EQ(countColour(s, rgb(1, 2, 3)), 20 * 15);
}

TEST(ImageSurface, RefreshCallsItsHandler) {
    ImageSurface s(4, 4);
    int calls = 0;
    s.setRefreshHandler([&calls] { ++calls; });
    s.fillBox(0, 0, 1, 1, kRed);
    EXPECT_EQ(calls, 0);
    s.refresh();
    EXPECT_EQ(calls, 1);
}

TEST(ImageSurface, ColourConversionKeepsRedInTheLowByte) {
    const QColor c = toQColor(rgb(10, 20, 30));
    EXPECT_EQ(c.red(), 10);
    EXPECT_EQ(c.blue(), 30);
    EXPECT_EQ(fromQColor(c), rgb(10, 20, 30));
}

TEST(PictureBox, KeepsItsDrawingAcrossResizesAndReportsPresses) {
    PictureBox box(nullptr, kBlack);
    box.resize(30, 20);
    box.surface().fillBox(0, 0, 29, 19, kRed);
    box.surface().refresh();
    box.resize(40, 25);
    EXPECT_EQ(fromQColor(box.image().pixelColor(29, 19)), kRed);
    EXPECT_EQ(fromQColor(box.image().pixelColor(35, 22)), kBlack);
    box.clearPicture();
    EXPECT_EQ(fromQColor(box.image().pixelColor(5, 5)), kBlack);
}

}  // namespace
}  // namespace tomelin
