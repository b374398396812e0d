#include "gamewin/score_bar.h"

#include <gtest/gtest.h>

#include "platform/draw/recording_surface.h"

namespace tomelin {
namespace {

using Kind = RecordingSurface::Kind;
constexpr Rgb kOrange = rgb(255, 128, 0);
constexpr Rgb kBlue = rgb(0, 127, 225);

TEST(ScoreTexts, DifferenceInTheLeadersColourWithCountsAndSpaces) {
    const ScoreTexts t = scoreTexts(20, 12, kOrange, kBlue);
    EXPECT_EQ(t.difference, "8");
    EXPECT_EQ(t.differenceColour, kOrange);
    EXPECT_TRUE(t.differenceVisible);
    EXPECT_EQ(t.count1, " 20");
    EXPECT_EQ(t.count2, "12 ");
    EXPECT_EQ(scoreTexts(3, 9, kOrange, kBlue).differenceColour, kBlue);
    EXPECT_EQ(scoreTexts(3, 9, kOrange, kBlue).difference, "6");
}

TEST(ScoreTexts, EqualCountsReadVyrovnanoInBlackAndAnEmptySideHidesIt) {
    const ScoreTexts even = scoreTexts(16, 16, kOrange, kBlue);
    EXPECT_EQ(even.difference, "Vyrovnáno");
    EXPECT_EQ(even.differenceColour, rgb(0, 0, 0));
    EXPECT_FALSE(scoreTexts(0, 5, kOrange, kBlue).differenceVisible);
    EXPECT_FALSE(scoreTexts(5, 0, kOrange, kBlue).differenceVisible);
    EXPECT_FALSE(scoreTexts(0, 0, kOrange, kBlue).differenceVisible);
}

TEST(ScoreBar, PartsAreProportionalAndShadeToWhiteAtTheBoundary) {
    RecordingSurface bar;
    // Inner width 324 -> 320 between the insets; 20 : 12 gives w1 = 200, w2 = 120.
    const double boundary = drawScoreBar(bar, 324, 19, 324, 20, 12, kOrange, kBlue);
    EXPECT_DOUBLE_EQ(boundary, 202);
    const auto boxes = bar.only(Kind::FillBox);
    ASSERT_EQ(boxes.size(), 1u + 50u + 1u + 50u);
    EXPECT_DOUBLE_EQ(boxes[0].x1, 0);
    EXPECT_DOUBLE_EQ(boxes[0].x2, 2 + 200 + 324.0 / 50);
    EXPECT_EQ(boxes[0].colour, kOrange);
    EXPECT_DOUBLE_EQ(boxes[1].x1, 2 + 4);  // k = 1
    EXPECT_DOUBLE_EQ(boxes[1].y1, 2);
    EXPECT_DOUBLE_EQ(boxes[1].y2, 17);
    EXPECT_EQ(boxes[50].colour, kWhite);  // k = 50 is white
    EXPECT_DOUBLE_EQ(boxes[50].x1, 202);
    EXPECT_DOUBLE_EQ(boxes[51].x1, 324 - 120 - 2);
    EXPECT_DOUBLE_EQ(boxes[51].x2, 324);
    EXPECT_EQ(boxes[51].colour, kBlue);
    EXPECT_DOUBLE_EQ(boxes[101].x1, 202);  // player 2's k = 50 also at the boundary
    EXPECT_EQ(bar.ops().back().kind, Kind::Refresh);
}

TEST(ScoreBar, NoTokensDrawsOnlyTheEndPieces) {
    RecordingSurface bar;
    EXPECT_DOUBLE_EQ(drawScoreBar(bar, 100, 19, 100, 0, 0, kOrange, kBlue), 2);
    const auto boxes = bar.only(Kind::FillBox);
    EXPECT_DOUBLE_EQ(boxes[0].x2, 2 + 2);
    EXPECT_DOUBLE_EQ(boxes[51].x1, 98);
}

TEST(ScoreBar, ShadeStepsRoundHalfToEven) {
    EXPECT_EQ(scoreShade(rgb(0, 0, 0), 1), rgb(5, 5, 5));             // 5.1
    EXPECT_EQ(scoreShade(rgb(255, 128, 0), 25), rgb(255, 192, 128));  // 191.5 -> 192, 127.5 -> 128
    EXPECT_EQ(scoreShade(kBlue, 50), kWhite);
}

}  // namespace
}  // namespace tomelin
