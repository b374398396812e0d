#include "gamewin/score_bar.h"

#include <gtest/gtest.h>

#include <optional>

#include "recorded_op.h"

namespace tomelin {
namespace {

using Kind = RecordingSurface::Kind;
using test::kAny;
using test::opIs;
constexpr Rgb kBlack = rgb(0, 0, 0);
constexpr Rgb kOrange = rgb(255, 128, 0);
constexpr Rgb kBlue = rgb(0, 127, 225);

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

}  // namespace
}  // namespace tomelin
