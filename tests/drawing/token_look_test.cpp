// Tokens as pixels: the nested outlines of every shape close up into a solid token.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "core/random.h"
#include "drawing/token_painter.h"
#include "platform/draw/image_surface.h"

namespace tomelin {
namespace {

constexpr Rgb kBackground = rgb(0, 0, 0);

// Every spot of shapes 4 and 7 at one place, so that they make one closed figure.
struct SameSpot : RandomSource {
    double next() override { return 0.5; }
};

// A token of the given look alone in a cell of height `h` (4:3), every spot in one place.
QImage tokenImage(int h, int shape, int level, int kind = 0) {
    ImageSurface cell(h / 3 * 4, h, kBackground);
    SameSpot random;
    drawToken(cell, {0, 0, static_cast<double>(h)},
              {.shape = shape, .colour = rgb(15, 135, 255), .playerKind = kind,
               .detailLevel = level},
              random);
    return cell.image();
}

// Background pixels lying between token pixels on both sides, across or down: the
// pinholes and stripes that outlines too far apart leave inside a token.
int gapsInside(const QImage& image) {
    const QRgb bg = toQColor(kBackground).rgb();
    const auto paint = [&](int x, int y) { return image.pixel(x, y) != bg; };
    int gaps = 0;
    for (int y = 1; y + 1 < image.height(); ++y) {
        for (int x = 1; x + 1 < image.width(); ++x) {
            if (paint(x, y))
                continue;
            if ((paint(x - 1, y) && paint(x + 1, y)) || (paint(x, y - 1) && paint(x, y + 1)))
                ++gaps;
        }
    }
    return gaps;
}

TEST(TokenLook, EveryShapeIsSolidAtEachDetailLevelAndSize) {
    // One row per detail level, one column per shape, at two cell heights; kept as a picture
    // beside the test for a person to look at.
    const int sizes[] = {38, 90};
    QImage sheet(8 * 120, 3 * 2 * 90, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    QPainter sheetPainter(&sheet);
    for (int level = 1; level <= 3; ++level) {
        for (int shape = 1; shape <= 7; ++shape) {
            for (std::size_t s = 0; s < 2; ++s) {
                SCOPED_TRACE(testing::Message()
                             << "shape " << shape << " detail " << level << " height " << sizes[s]);
                const QImage image = tokenImage(sizes[s], shape, level);
                // The star's outline has four sharp notches where its points meet, whose
                // tips count here; before the runs were closed it had 21 and 111 gaps.
                EXPECT_LE(gapsInside(image), shape == kShapeStar ? 4 : 0);
                sheetPainter.drawImage((shape - 1) * 120,
                                       ((level - 1) * 2 + static_cast<int>(s)) * 90, image);
            }
        }
    }
    sheetPainter.end();
    sheet.save(QStringLiteral("token-looks.png"));
}

// Painted pixels of row y.
int paintedIn(const QImage& image, int y) {
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
        n += image.pixel(x, y) != toQColor(kBackground).rgb();
    return n;
}

// An oval's outline is smooth at its top and bottom at every size: no short run of a few
// pixels standing above (or below) a much wider row.
TEST(TokenLook, OvalsHaveNoNubAtTopOrBottom) {
    for (int h = 12; h <= 120; ++h) {
        for (int level = 1; level <= 3; ++level) {
            SCOPED_TRACE(testing::Message() << "height " << h << " detail " << level);
            const QImage image = tokenImage(h, kShapeOval, level);
            int top = 0;
            while (top < image.height() && paintedIn(image, top) == 0)
                ++top;
            int bottom = image.height() - 1;
            while (bottom > top && paintedIn(image, bottom) == 0)
                --bottom;
            ASSERT_LT(top + 1, bottom);
            for (const auto& [edge, next] : {std::pair{top, top + 1}, std::pair{bottom, bottom - 1}}) {
                const int edgeRun = paintedIn(image, edge);
                const int nextRun = paintedIn(image, next);
                EXPECT_FALSE(edgeRun <= 3 && nextRun >= 3 * edgeRun + 3)
                    << "row " << edge << ": " << edgeRun << " pixels over " << nextRun;
            }
        }
    }
}

// PC Velmistr's brow stands out from the black background where it lies above the token.
TEST(TokenLook, TheMastersBrowShowsOnBlack) {
    for (const int h : {38, 54, 90}) {
        SCOPED_TRACE(h);
        const QImage image = tokenImage(h, kShapeOval, 2, 4);  // PC Velmistr
        const int browY = static_cast<int>(h / 2.5 - h / 6.0 - 2);
        int light = 0;
        for (int y = browY - 2; y <= browY + 2; ++y)
            for (int x = 0; x < image.width(); ++x)
                light += qGray(image.pixel(x, y)) >= 150;
        EXPECT_GE(light, image.width() / 4);
    }
}

}  // namespace
}  // namespace tomelin
