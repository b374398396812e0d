#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>

#include "drawing/recorded_op.h"
#include "drawing/title_strip.h"
#include "gamewin/score_bar.h"
#include "gamewin/toolbar_pictures.h"
#include "gamewin/window_layout.h"
#include "platform/draw/image_surface.h"

namespace tomelin {
namespace {

using Kind = RecordingSurface::Kind;
using test::kAny;
using test::opIs;
constexpr Rgb kBlack = rgb(0, 0, 0);
constexpr Rgb kOrange = rgb(255, 128, 0);
constexpr Rgb kBlue = rgb(0, 127, 225);

TEST(TitleStrip, DrawsTwoLinesPerPixelFromStartToEndColourOrOneFlatColour) {
    RecordingSurface s;
    PaintTitleStrip(s, 100, 27, rgb(0, 0, 100), rgb(200, 100, 0));
    const auto lines = s.only(Kind::Line);
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_EQ(lines.front().colour, rgb(0, 0, 100));
    EXPECT_EQ(lines.back().colour, rgb(200, 100, 0));
    // x = 0.5 of 100: 200 * 0.005 = 1, 100 * 0.005 = 0.5 -> 0, 100 - 0.5 = 99.5 -> 100
    EXPECT_TRUE(opIs(lines[1], {0.5, kAny, kAny, 27}, rgb(1, 0, 100)));

    RecordingSurface flat;  // equal colours give one flat colour
    PaintTitleStrip(flat, 40, 10, rgb(9, 9, 9), rgb(9, 9, 9));
    EXPECT_EQ(flat.count(Kind::Line), 81u);
    for (const auto& op : flat.only(Kind::Line))
        EXPECT_EQ(op.colour, rgb(9, 9, 9));
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

TEST(ScoreTexts, DifferenceInTheLeadersColourVyrovnanoWhenEvenHiddenWhenASideIsEmpty) {
    const ScoreTexts t = scoreTexts(20, 12, kOrange, kBlue);
    EXPECT_EQ(t.count1, " 20");
    EXPECT_EQ(t.count2, "12 ");
    struct Row {
        int count1, count2;
        const char* difference;  // shown only if a colour is given
        std::optional<Rgb> colour;
    };
    const Row rows[] = {{20, 12, "8", kOrange}, {3, 9, "6", kBlue}, {16, 16, "Vyrovnáno", kBlack},
                        {0, 5, "", {}},         {5, 0, "", {}},     {0, 0, "", {}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.count1 << " : " << row.count2);
        const ScoreTexts texts = scoreTexts(row.count1, row.count2, kOrange, kBlue);
        EXPECT_EQ(texts.differenceVisible, row.colour.has_value());
        if (row.colour) {
            EXPECT_EQ(texts.difference, row.difference);
            EXPECT_EQ(texts.differenceColour, *row.colour);
        }
    }
}

TEST(ScoreBar, PartsAreProportionalAndShadeToWhiteAtTheBoundary) {
    RecordingSurface bar;
    // Inner width 324 -> 320 between the insets; 20 : 12 gives w1 = 200, w2 = 120.
    EXPECT_DOUBLE_EQ(drawScoreBar(bar, 324, 19, 324, 20, 12, kOrange, kBlue), 202);
    const auto boxes = bar.only(Kind::FillBox);
    ASSERT_EQ(boxes.size(), 1u + 50u + 1u + 50u);
    EXPECT_TRUE(opIs(boxes[0], {0, 0, 2 + 200 + 324.0 / 50, 19}, kOrange));
    EXPECT_TRUE(opIs(boxes[1], {2 + 4, 2, kAny, 17}));         // k = 1
    EXPECT_TRUE(opIs(boxes[50], {202, 2, kAny, 17}, kWhite));  // k = 50 is white
    EXPECT_TRUE(opIs(boxes[51], {324 - 120 - 2, 0, 324, 19}, kBlue));
    EXPECT_TRUE(opIs(boxes[101], {202, 2, kAny, 17}, kWhite));  // player 2's k = 50 too
    EXPECT_EQ(bar.ops().back().kind, Kind::Refresh);

    // No tokens: only the end pieces.
    RecordingSurface empty;
    EXPECT_DOUBLE_EQ(drawScoreBar(empty, 100, 19, 100, 0, 0, kOrange, kBlue), 2);
    EXPECT_DOUBLE_EQ(empty.only(Kind::FillBox)[0].x2, 2 + 2);
    EXPECT_DOUBLE_EQ(empty.only(Kind::FillBox)[51].x1, 98);
}

TEST(ScoreBar, ShadeStepsRoundHalfToEven) {
    EXPECT_EQ(scoreShade(rgb(0, 0, 0), 1), rgb(5, 5, 5));             // 5.1
    EXPECT_EQ(scoreShade(rgb(255, 128, 0), 25), rgb(255, 192, 128));  // 191.5 -> 192, 127.5 -> 128
    EXPECT_EQ(scoreShade(kBlue, 50), kWhite);
}

TEST(WindowLayout, EveryHeightGivesAFourToThreeBoardAndAWidthOfItsOwn) {
    int previousWidth = 0;
    for (int h = 300; h <= 1400; h += 37) {
        SCOPED_TRACE(h);
        const WindowLayout l = layoutForHeight(h);
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
    const WindowLayout l = layoutForHeight(700);
    const int w = l.titleBar.width();
    const std::array<int, 7> lefts{w - 24, w - 75, w - 48, w - 177, w - 153, w - 126, w - 99};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(l.toolButtons[i].left(), lefts[i]) << i;
        EXPECT_EQ(l.toolButtons[i].size(), QSize(24, 22)) << i;
    }
}

TEST(WindowLayout, PanelsSitOnTheBoard) {
    const WindowLayout l = layoutForHeight(936);
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
