#include <gtest/gtest.h>

#include <set>

#include "gamewin/title_strip.h"
#include "gamewin/toolbar_pictures.h"
#include "platform/draw/image_surface.h"
#include "platform/draw/recording_surface.h"

namespace tomelin {
namespace {

using Kind = RecordingSurface::Kind;

TEST(TitleStrip, DrawsTwoLinesPerPixelFromStartToEndColour) {
    RecordingSurface s;
    PaintTitleStrip(s, 100, 27, rgb(0, 0, 100), rgb(200, 100, 0));
    const auto lines = s.only(Kind::Line);
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_EQ(lines.front().colour, rgb(0, 0, 100));
    EXPECT_EQ(lines.back().colour, rgb(200, 100, 0));
    EXPECT_DOUBLE_EQ(lines[1].x1, 0.5);
    EXPECT_DOUBLE_EQ(lines[1].y2, 27);
    // x = 0.5 of 100: 200 * 0.005 = 1, 100 * 0.005 = 0.5 -> 0, 100 - 0.5 = 99.5 -> 100
    EXPECT_EQ(lines[1].colour, rgb(1, 0, 100));
}

TEST(TitleStrip, EqualColoursGiveOneFlatColour) {
    RecordingSurface s;
    PaintTitleStrip(s, 40, 10, rgb(9, 9, 9), rgb(9, 9, 9));
    for (const auto& op : s.only(Kind::Line))
        EXPECT_EQ(op.colour, rgb(9, 9, 9));
    EXPECT_EQ(s.count(Kind::Line), 81u);
}

TEST(ToolbarPictures, AreTwoHalvesInKeyColoursOnly) {
    const std::set<Rgb> keys{keycolour::kAccent, keycolour::kFace, keycolour::kHighlight,
                             keycolour::kText, keycolour::kDarkShadow};
    for (int i = 0; i < kToolbarPictureCount; ++i) {
        const QImage img = toolbarPicture(i);
        ASSERT_EQ(img.size(), QSize(24, 44));
        for (int y = 0; y < 44; ++y)
            for (int x = 0; x < 24; ++x)
                ASSERT_TRUE(keys.count(fromQColor(img.pixelColor(x, y))))
                    << i << " " << x << "," << y;
        // The halves differ: the pressed look is sunken (dark edge at the top left).
        // The overlay never moves, so both its halves are raised.
        EXPECT_EQ(fromQColor(img.pixelColor(0, 0)), keycolour::kHighlight);
        EXPECT_EQ(fromQColor(img.pixelColor(0, 22)),
                  i == 7 ? keycolour::kHighlight : keycolour::kDarkShadow);
    }
}

}  // namespace
}  // namespace tomelin
