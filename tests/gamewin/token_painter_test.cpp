#include "gamewin/token_painter.h"

#include <gtest/gtest.h>

#include "fake_random.h"
#include "platform/draw/recording_surface.h"

namespace tomelin {
namespace {

using Kind = RecordingSurface::Kind;
using test::ScriptedRandom;

constexpr Rgb kOrange = rgb(255, 128, 0);
constexpr Rgb kBlack = rgb(0, 0, 0);

struct Drawn {
    RecordingSurface surface;
    ScriptedRandom random;
};

// Draws one token at cell (0, 0) with cell height 30 (width 40).
void draw(Drawn& d, int shape, Rgb colour, int kind, bool field, int detail) {
    DRWP2(d.surface, 0, 0, shape, colour, 30, kind, field, detail, d.random);
}

TEST(TokenPainterExample, RectangleAloneMatchesTheWorkedExample) {
    Drawn d;
    draw(d, kShapeRectangle, kOrange, 0, false, 1);
    const auto boxes = d.surface.only(Kind::FillBox);
    ASSERT_EQ(boxes.size(), 1u + 6u);  // the clear, then t = 0, 3, … 15
    const auto& clear = boxes.front();
    EXPECT_DOUBLE_EQ(clear.x1, 0);
    EXPECT_DOUBLE_EQ(clear.x2, 40);
    EXPECT_DOUBLE_EQ(clear.y2, 30);
    EXPECT_EQ(clear.colour, kBlack);

    const auto& first = boxes[1];
    EXPECT_DOUBLE_EQ(first.x1, 5);
    EXPECT_DOUBLE_EQ(first.y1, 7.5);
    EXPECT_DOUBLE_EQ(first.x2, 35);
    EXPECT_DOUBLE_EQ(first.y2, 22.5);
    EXPECT_EQ(first.colour, rgb(191, 96, 0));

    const auto& last = boxes.back();
    EXPECT_DOUBLE_EQ(last.x1, 12.5);
    EXPECT_DOUBLE_EQ(last.y1, 11.25);
    EXPECT_DOUBLE_EQ(last.x2, 20);
    EXPECT_DOUBLE_EQ(last.y2, 15);
    EXPECT_EQ(last.colour, rgb(247, 235, 223));

    EXPECT_EQ(d.surface.ops().back().kind, Kind::Refresh);
    EXPECT_EQ(d.surface.count(Kind::Refresh), 1u);
}

TEST(TokenPainterExample, FieldHasGreyBoxAndRaisedSquare) {
    Drawn d;
    draw(d, kShapeRectangle, kOrange, 0, true, 1);
    const auto boxes = d.surface.only(Kind::FillBox);
    // clear, grey box, 11 raised-square boxes (t = 0 … 10), 4 token boxes (t = 0 … 9)
    ASSERT_EQ(boxes.size(), 1u + 1u + 11u + 4u);
    EXPECT_DOUBLE_EQ(boxes[1].x1, 2);
    EXPECT_DOUBLE_EQ(boxes[1].y1, 2);
    EXPECT_DOUBLE_EQ(boxes[1].x2, 38);
    EXPECT_DOUBLE_EQ(boxes[1].y2, 28);
    EXPECT_EQ(boxes[1].colour, rgb(127, 127, 127));
    EXPECT_EQ(boxes[2].colour, rgb(64, 64, 64));
    EXPECT_DOUBLE_EQ(boxes[2].x1, 5);
    EXPECT_DOUBLE_EQ(boxes[2].x2, 35);
    EXPECT_EQ(boxes[12].colour, rgb(142, 142, 142));
    EXPECT_DOUBLE_EQ(boxes[12].x1, 15);

    const auto outlines = d.surface.only(Kind::BoxOutline);
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_DOUBLE_EQ(outlines[0].x1, 6);  // shrunk by one pixel
    EXPECT_DOUBLE_EQ(outlines[0].y2, 24);
    EXPECT_DOUBLE_EQ(outlines[1].x1, 4);  // grown by one pixel
    EXPECT_DOUBLE_EQ(outlines[1].x2, 36);
    EXPECT_EQ(outlines[1].colour, kWhite);

    // On a field the token box is the cell: the first token box sits 10 px in from the left.
    EXPECT_DOUBLE_EQ(boxes[13].x1, 10);
    EXPECT_DOUBLE_EQ(boxes[13].y1, 10);
}

TEST(TokenPainterExample, CellPositionAndFractionalColumnsMoveTheCell) {
    Drawn d;
    DRWP2(d.surface, 2.5, 3, 0, kOrange, 30, 0, false, 1, d.random);
    const auto boxes = d.surface.only(Kind::FillBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_DOUBLE_EQ(boxes[0].x1, 100);
    EXPECT_DOUBLE_EQ(boxes[0].y1, 90);
    EXPECT_DOUBLE_EQ(boxes[0].x2, 140);
    EXPECT_DOUBLE_EQ(boxes[0].y2, 120);
}

struct ShapeCount {
    int shape;
    int detail;
    Kind kind;
    std::size_t count;  // token primitives of that kind (token alone, no marks)
};

class TokenShapes : public ::testing::TestWithParam<ShapeCount> {};

TEST_P(TokenShapes, DrawTheirRunAtEachDetailLevel) {
    const ShapeCount c = GetParam();
    Drawn d;
    draw(d, c.shape, kOrange, 0, false, c.detail);
    std::size_t n = d.surface.count(c.kind);
    if (c.kind == Kind::FillBox)
        --n;  // the clear
    EXPECT_EQ(n, c.count);
}

// Cell height 30, token alone: bw = 60, bh = 45.
INSTANTIATE_TEST_SUITE_P(
    AllShapes, TokenShapes,
    ::testing::Values(
        ShapeCount{1, 1, Kind::FillBox, 6}, ShapeCount{1, 2, Kind::FillBox, 11},
        ShapeCount{1, 3, Kind::FillBox, 16}, ShapeCount{2, 1, Kind::Line, 16 * 3},
        ShapeCount{2, 2, Kind::Line, 31 * 3}, ShapeCount{2, 3, Kind::Line, 46 * 3},
        ShapeCount{3, 1, Kind::Line, 8 * 6}, ShapeCount{3, 2, Kind::Line, 16 * 6},
        ShapeCount{3, 3, Kind::Line, 23 * 6}, ShapeCount{4, 1, Kind::BoxOutline, 5 * 6},
        ShapeCount{4, 2, Kind::BoxOutline, 10 * 6}, ShapeCount{4, 3, Kind::BoxOutline, 15 * 6},
        ShapeCount{5, 1, Kind::Ellipse, 25}, ShapeCount{5, 2, Kind::Ellipse, 49},
        ShapeCount{5, 3, Kind::Ellipse, 73}, ShapeCount{6, 1, Kind::Ellipse, 13 * 4},
        ShapeCount{6, 2, Kind::Ellipse, 25 * 4}, ShapeCount{6, 3, Kind::Ellipse, 37 * 4},
        ShapeCount{7, 1, Kind::Ellipse, 5 * 11}, ShapeCount{7, 2, Kind::Ellipse, 10 * 11},
        ShapeCount{7, 3, Kind::Ellipse, 15 * 11},
        // Shape 8 is not scaled by the detail level: field and tinted field, 11 boxes each.
        ShapeCount{8, 1, Kind::FillBox, 1 + 11 + 11}, ShapeCount{8, 3, Kind::FillBox, 1 + 11 + 11},
        // Unknown shapes draw nothing but the clear.
        ShapeCount{0, 1, Kind::FillBox, 0}, ShapeCount{9, 3, Kind::Ellipse, 0}));

TEST(TokenShapesGeometry, TriangleAndHexagonFirstPass) {
    Drawn d;
    draw(d, kShapeTriangle, kOrange, 0, false, 1);
    const auto lines = d.surface.only(Kind::Line);
    // t = 0: P = (5, 22.5), Q = (35, 22.5), A = (10, 7.5)
    EXPECT_DOUBLE_EQ(lines[0].x1, 5);
    EXPECT_DOUBLE_EQ(lines[0].y1, 22.5);
    EXPECT_DOUBLE_EQ(lines[0].x2, 35);
    EXPECT_DOUBLE_EQ(lines[1].x2, 10);
    EXPECT_DOUBLE_EQ(lines[1].y2, 7.5);
    EXPECT_DOUBLE_EQ(lines[2].x1, 36);
    // last pass t = 15: apex (11.5, 11.25), colour f = 0.875
    EXPECT_DOUBLE_EQ(lines.back().x2, 11.5);
    EXPECT_DOUBLE_EQ(lines.back().y2, 11.25);
    EXPECT_EQ(lines.back().colour, rgb(247, 235, 223));

    Drawn h;
    draw(h, kShapeHexagon, kOrange, 0, false, 1);
    const auto hex = h.surface.only(Kind::Line);
    // t = 0: left corner (5, 15) to (16.25, 3.75)
    EXPECT_DOUBLE_EQ(hex[0].x1, 5);
    EXPECT_DOUBLE_EQ(hex[0].y1, 15);
    EXPECT_DOUBLE_EQ(hex[0].x2, 16.25);
    EXPECT_DOUBLE_EQ(hex[0].y2, 3.75);
    EXPECT_DOUBLE_EQ(hex[4].y1, 4.75);
    EXPECT_DOUBLE_EQ(hex[4].x2, 25.75);
}

TEST(TokenShapesGeometry, OvalAndStarUseTheirAspectsAndClampAtWhite) {
    Drawn d;
    draw(d, kShapeOval, kBlack, 0, false, 1);
    const auto e = d.surface.only(Kind::Ellipse);
    // t = 0: u = 12, centre (17, 13.5), radius 0, f = 1.1 -> every channel clamped to 255
    EXPECT_DOUBLE_EQ(e[0].x1, 17);
    EXPECT_DOUBLE_EQ(e[0].y1, 13.5);
    EXPECT_DOUBLE_EQ(e[0].x2, 0);
    EXPECT_DOUBLE_EQ(e[0].y2, 0.5);
    EXPECT_EQ(e[0].colour, kWhite);
    // t = 12: u = 0, radius 16, f = 0 -> three quarters of the colour
    EXPECT_DOUBLE_EQ(e.back().x2, 16);
    EXPECT_EQ(e.back().colour, kBlack);

    Drawn s;
    draw(s, kShapeStar, kOrange, 0, false, 1);
    const auto star = s.surface.only(Kind::Ellipse);
    EXPECT_DOUBLE_EQ(star[0].x2, 12);  // t starts at bw / 5
    EXPECT_DOUBLE_EQ(star[0].y2, 2.5);
    EXPECT_DOUBLE_EQ(star[2].y2, 0.4);
    EXPECT_EQ(star[0].colour, rgb(191, 96, 0));
    EXPECT_EQ(star.back().colour, kWhite);  // f = 1.1 at t = 0, clamped
}

TEST(TokenShapesGeometry, SquaresAndRingsDrawFreshRandomPlacesEachCall) {
    Drawn d;
    d.random = ScriptedRandom({0.0, 0.5, 0.99});
    draw(d, kShapeSquares, kOrange, 0, false, 1);
    EXPECT_EQ(d.random.draws(), 33u);  // X, Y and size for each of eleven places
    const auto squares = d.surface.only(Kind::BoxOutline);
    // place 0: X = floor(-10 + 20 + 0 * 20) = 10, Y = floor(-7.5 + 15 + 0.5 * 15) = 15,
    // S = 0.99 * 0.2 + 0.3; first pass t = 12, u = 0
    const double s0 = 0.99 * 0.2 + 0.3;
    EXPECT_DOUBLE_EQ(squares[0].x1, 10 - 12 * s0);
    EXPECT_DOUBLE_EQ(squares[0].y1, 15 - 12 * s0);
    EXPECT_DOUBLE_EQ(squares[0].x2, 10 + 12 * s0);

    draw(d, kShapeRings, kOrange, 0, false, 1);
    EXPECT_EQ(d.random.draws(), 33u + 22u);  // X and Y for each of eleven places
    const auto rings = d.surface.only(Kind::Ellipse);
    ASSERT_EQ(rings.size(), 55u);
    EXPECT_DOUBLE_EQ(rings[0].x2, 0.4 * 12);
    EXPECT_DOUBLE_EQ(rings[0].y2, 1);
}

TEST(TokenShapesGeometry, FieldShapeIsTintedAndDrawnEvenWithoutField) {
    Drawn d;
    draw(d, kShapeField, kOrange, 0, false, 1);
    const auto boxes = d.surface.only(Kind::FillBox);
    ASSERT_EQ(boxes.size(), 1u + 1u + 11u + 11u);
    EXPECT_EQ(boxes[1].colour, rgb(127, 127, 127));  // grey field first
    // tinted t = 0: channel c -> 127 * c / 191 + 32
    EXPECT_EQ(boxes[13].colour, rgb(202, 117, 32));
    // t = 10: (78 + 127) * 255 / 191 + 32 = 305.7 -> clamped
    EXPECT_EQ(redOf(boxes.back().colour), 255);
    EXPECT_EQ(d.surface.count(Kind::BoxOutline), 4u);
}

TEST(TokenPainterDetail, LevelZeroOrBelowDrawsAsLevelOne) {
    Drawn zero, one, negative;
    draw(zero, kShapeOval, kOrange, 3, false, 0);
    draw(one, kShapeOval, kOrange, 3, false, 1);
    draw(negative, kShapeOval, kOrange, 3, false, -4);
    EXPECT_EQ(zero.surface.ops().size(), one.surface.ops().size());
    EXPECT_EQ(negative.surface.ops().size(), one.surface.ops().size());
}

TEST(StrengthMarks, PersonHasNoneAndEachStrengthAddsOne) {
    const auto extra = [](int kind) {
        Drawn d;
        draw(d, 0, kOrange, kind, false, 1);
        return std::array<std::size_t, 2>{d.surface.count(Kind::Ellipse),
                                          d.surface.count(Kind::BoxOutline)};
    };
    // bh = 45: eyes t = 0 … 7.2 in 0.45 steps (17 passes, two ellipses each); mouth a = 60 …
    // 300 (49 outlines); nose t = 12.857 … 0.257 (29 ellipses).
    EXPECT_EQ(extra(0), (std::array<std::size_t, 2>{0, 0}));
    EXPECT_EQ(extra(1), (std::array<std::size_t, 2>{34, 0}));
    EXPECT_EQ(extra(2), (std::array<std::size_t, 2>{34, 49}));
    EXPECT_EQ(extra(3), (std::array<std::size_t, 2>{34 + 29, 49}));
    EXPECT_EQ(extra(4), (std::array<std::size_t, 2>{34, 49}));
}

TEST(StrengthMarks, GeometryAndColours) {
    Drawn d;
    draw(d, 0, kOrange, 3, false, 1);
    const auto e = d.surface.only(Kind::Ellipse);
    // eyes: centres (26, 10.5) and (14, 10.5), aspect 2, black centre
    EXPECT_DOUBLE_EQ(e[0].x1, -10 + 60 * 2.4 / 4);
    EXPECT_DOUBLE_EQ(e[0].y1, -7.5 + 45 / 2.5);
    EXPECT_DOUBLE_EQ(e[1].x1, -10 + 60 * 1.6 / 4);
    EXPECT_DOUBLE_EQ(e[0].y2, 2);
    EXPECT_EQ(e[0].colour, kBlack);
    EXPECT_EQ(e[33].colour, kWhite);  // 60 / 45 * 42 * 7.2 > 255
    const auto mouth = d.surface.only(Kind::BoxOutline);
    EXPECT_DOUBLE_EQ(mouth[0].x1, -10 + 60.0 / 720 * 60 + 15);
    EXPECT_EQ(mouth[0].colour, rgb(120, 120, 120));
    EXPECT_EQ(mouth[24].colour, kBlack);  // a = 180
    // nose: inverted token colour, first pass at t = 45 / 3.5
    const auto& nose = e[34];
    EXPECT_DOUBLE_EQ(nose.x1, 20);
    EXPECT_DOUBLE_EQ(nose.y1, -7.5 + 45 / 3.5 + 15);
    EXPECT_DOUBLE_EQ(nose.y2, 0.5);
    const double f = 3 * (45 / 3.5) / 60;
    EXPECT_EQ(redOf(nose.colour), clampChannel(255 - (191.25 + 63.75 * f)));
    EXPECT_EQ(blueOf(nose.colour), clampChannel(255 - 255 * f));
}

TEST(TokenColours, ChannelsRoundHalfToEvenAndClamp) {
    EXPECT_EQ(clampChannel(96.5), 96);
    EXPECT_EQ(clampChannel(97.5), 98);
    EXPECT_EQ(clampChannel(300), 255);
    EXPECT_EQ(clampChannel(-3), 0);
    EXPECT_EQ(gradientChannel(128, 0), 96);
    EXPECT_EQ(gradientChannel(0, 1), 255);
    EXPECT_EQ(gradientColour(kOrange, 0), rgb(191, 96, 0));
}

}  // namespace
}  // namespace tomelin
