#include "gamewin/window_layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tomelin {
namespace {

TEST(WindowLayout, EveryHeightGivesAFourToThreeBoardAndAWidthOfItsOwn) {
    int previousWidth = 0;
    for (int h = 300; h <= 1400; h += 37) {
        SCOPED_TRACE(h);
        const WindowLayout l = Rozmery(h);
        EXPECT_EQ(l.window.height(), h);
        EXPECT_EQ(l.board.height(), h - design::kChromeHeight);
        EXPECT_LE(std::abs(l.board.width() * 3 - l.board.height() * 4), 2);
        // The board, the strips and the borders share one column.
        EXPECT_EQ(l.statusStrip.width(), l.board.width());
        EXPECT_EQ(l.scoreBar.left(), l.board.left());
        EXPECT_EQ(l.scoreBar.top(), l.board.bottom() + 1 + design::kSeparatorHeight);
        EXPECT_EQ(l.board.top(), l.statusStrip.bottom() + 1 + design::kSeparatorHeight);
        EXPECT_LE(l.bottomBorder.bottom(), h - 1);
        // Side picture (keeping its 144 : 637 proportion), borders, board and 4 pixels.
        EXPECT_EQ(l.window.width(), 4 + l.sidePicture.width() + 11 + l.board.width() + 11 + 4);
        EXPECT_NEAR(l.sidePicture.width() / double(l.sidePicture.height()), 144.0 / 637, 0.005);
        EXPECT_EQ(l.titleBar.width(), l.window.width() - 4);
        EXPECT_GT(l.window.width(), previousWidth);
        previousWidth = l.window.width();
    }
}

TEST(WindowLayout, ToolbarOrderFromTheRightIs0216543) {
    const WindowLayout l = Rozmery(700);
    const int w = l.titleBar.width();
    const std::array<int, 7> lefts{w - 24, w - 75, w - 48, w - 177, w - 153, w - 126, w - 99};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(l.toolButtons[i].left(), lefts[i]) << i;
        EXPECT_EQ(l.toolButtons[i].size(), QSize(24, 22)) << i;
    }
}

TEST(WindowLayout, PanelsSitOnTheBoard) {
    const WindowLayout l = Rozmery(936);
    EXPECT_EQ(l.resultPanel.size(), QSize(225, 284));
    EXPECT_EQ(l.resultPanel.left(), (l.board.width() - 225) / 2);
    EXPECT_EQ(l.resultPanel.top(), (l.board.height() - 284) / 2);
    EXPECT_EQ(l.thinking.top(), static_cast<int>(std::nearbyint((l.board.height() - 84) / 12.0)));
    EXPECT_EQ(thinkingLeft(1, 1076), static_cast<int>(std::nearbyint((1076 - 238) / 10.0)));
    EXPECT_EQ(thinkingLeft(2, 1076), static_cast<int>(std::nearbyint(9 * (1076 - 238) / 10.0)));
    // The size corner closes the 5-pixel gap under the right border.
    EXPECT_EQ(l.sizeCorner.top(), l.bottomBorder.top() - 5);
    EXPECT_EQ(l.rightBorder.bottom() + 1, l.sizeCorner.top());
    EXPECT_EQ(l.edges[2], QLine(0, 935, l.window.width(), 935));
}

TEST(WindowLayout, CentredSixteenPixelsAboveTheScreenCentre) {
    EXPECT_EQ(Vycentrovat(QRect(0, 0, 1920, 1080), QSize(1300, 936)), QPoint(310, 56));
    EXPECT_EQ(Vycentrovat(QRect(1920, 0, 1280, 1024), QSize(1001, 601)), QPoint(1920 + 140, 196));
}

TEST(WindowHeightSteps, StartAtThirteenFifteenthsAndStepByTwo) {
    EXPECT_EQ(startHeight(1080), 936);
    EXPECT_EQ(heightStep(1080), 144);
    EXPECT_FALSE(mayGrow(936, 1080));  // taller than 12.5/15 = 900
    EXPECT_TRUE(mayShrink(936, 1080));
    EXPECT_TRUE(mayGrow(792, 1080));
    EXPECT_TRUE(mayShrink(564, 1080));  // 144 + 420 = 564 does not exceed
    EXPECT_FALSE(mayShrink(563, 1080));
}

}  // namespace
}  // namespace tomelin
