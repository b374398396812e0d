#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/game_harness.h"
#include "drawing/board_painter.h"
#include "drawing/token_painter.h"
#include "recorded_op.h"

namespace tomelin {
namespace {

using Kind = RecordingSurface::Kind;
using test::opIs;

// A random source that returns its values in turn and counts the draws.
struct ScriptedRandom : RandomSource {
    std::vector<double> values{0.5};
    std::size_t draws = 0;
    double next() override { return values[draws++ % values.size()]; }
};

constexpr Rgb kOrange = rgb(255, 128, 0);
constexpr Rgb kBlack = rgb(0, 0, 0);
constexpr Rgb kGrey = rgb(127, 127, 127);

struct Drawn {
    RecordingSurface surface;
    ScriptedRandom random;
    std::vector<RecordingSurface::Op> only(Kind kind) const { return surface.only(kind); }
};

// Draws one token at cell (0, 0) with cell height 30 (width 40).
void draw(Drawn& d, int shape, Rgb colour = kOrange, int kind = 0, bool field = false,
          int detail = 1) {
    drawToken(d.surface, {0, 0, 30},
              {.shape = shape, .colour = colour, .playerKind = kind,
               .detailLevel = detail, .drawField = field},
              d.random);
}

TEST(TokenPainterExample, RectangleAloneMatchesTheWorkedExample) {
    Drawn d;
    draw(d, kShapeRectangle);
    const auto boxes = d.only(Kind::FillBox);
    ASSERT_EQ(boxes.size(), 1u + 6u);  // the clear, then t = 0, 3, … 15
    EXPECT_TRUE(opIs(boxes.front(), {0, 0, 40, 30}, kBlack));
    EXPECT_TRUE(opIs(boxes[1], {5, 7.5, 35, 22.5}, rgb(191, 96, 0)));
    EXPECT_TRUE(opIs(boxes.back(), {12.5, 11.25, 20, 15}, rgb(247, 235, 223)));
    EXPECT_EQ(d.surface.ops().back().kind, Kind::Refresh);
    EXPECT_EQ(d.surface.count(Kind::Refresh), 1u);
}

TEST(TokenShapes, EachShapeDrawsItsRunAtEachDetailLevel) {
    struct Row {
        int shape;
        Kind kind;
        std::array<std::size_t, 3> perLevel;  // token primitives at detail 1, 2, 3
    };
    // Cell height 30, token alone: bw = 60, bh = 45. Shape 8 is not scaled by the detail
    // level (field and tinted field, 11 boxes each); unknown shapes draw nothing. Outline
    // runs whose passes lie more than half a pixel apart get in-between outlines in the
    // pass's colour up to the run's end: the triangle's 16 passes at level 1 move Q by 1.5
    // pixels, so each gets two more (15 * 3 + 1 = 46 triangles of three lines); the star's
    // 13 passes shrink the radius by 1, two more each (12 * 3 + 1, four ellipses).
    const Row rows[] = {
        {kShapeRectangle, Kind::FillBox, {6, 11, 16}},
        {kShapeTriangle, Kind::Line, {46 * 3, 61 * 3, 46 * 3}},
        {kShapeHexagon, Kind::Line, {23 * 6, 31 * 6, 23 * 6}},
        {kShapeSquares, Kind::BoxOutline, {20 * 6, 20 * 6, 29 * 6}},
        {kShapeOval, Kind::Ellipse, {49, 49, 73}},
        {kShapeStar, Kind::Ellipse, {37 * 4, 49 * 4, 37 * 4}},
        {kShapeRings, Kind::Ellipse, {15 * 11, 20 * 11, 15 * 11}},
        {kShapeField, Kind::FillBox, {23, 23, 23}},
        {0, Kind::FillBox, {0, 0, 0}},
        {9, Kind::Ellipse, {0, 0, 0}},
    };
    // A detail level of zero or below draws as level one.
    for (const Row& row : rows)
        for (int level : {-4, 0, 1, 2, 3}) {
            SCOPED_TRACE(testing::Message() << "shape " << row.shape << " detail " << level);
            Drawn d;
            draw(d, row.shape, kOrange, 0, false, level);
            const std::size_t clear = row.kind == Kind::FillBox ? 1 : 0;
            EXPECT_EQ(d.surface.count(row.kind) - clear,
                      row.perLevel[static_cast<std::size_t>(std::max(level, 1) - 1)]);
        }
    // The cell position, fractional columns included, moves the cell.
    Drawn moved;
    drawToken(moved.surface, {2.5, 3, 30},
              {.shape = 0, .colour = kOrange, .detailLevel = 1}, moved.random);
    ASSERT_EQ(moved.surface.count(Kind::FillBox), 1u);
    EXPECT_TRUE(opIs(moved.surface.ops()[0], {100, 90, 140, 120}, kBlack));
}

TEST(TokenShapes, PassesLieWhereTheShapeRulesPutThemInTheirShades) {
    enum Drawing { kRectOnField, kTriangle, kHexagon, kOval, kStar, kFieldShape, kMarks };
    std::array<Drawn, 7> drawn;
    draw(drawn[kRectOnField], kShapeRectangle, kOrange, 0, true);
    draw(drawn[kTriangle], kShapeTriangle);
    draw(drawn[kHexagon], kShapeHexagon);
    draw(drawn[kOval], kShapeOval, kBlack);
    draw(drawn[kStar], kShapeStar);
    draw(drawn[kFieldShape], kShapeField);
    draw(drawn[kMarks], 0, kOrange, 3);  // a computer at strength 3: eyes, mouth and nose
    struct Row {
        const char* what;
        Drawing drawing;
        Kind primitive;
        int index;  // from the end if negative
        std::array<double, 4> at;
        Rgb shade;
    };
    const Rgb dark = rgb(191, 96, 0);  // three quarters of orange
    const double noseF = 3 * (45 / 3.5) / 60;
    const Rgb nose =
        rgb(clampChannel(255 - (191.25 + 63.75 * noseF)), 57, clampChannel(255 - 255 * noseF));
    const double kAny = test::kAny;
    const Row rows[] = {
        // On a field: grey box, raised square t = 0 … 10, its two edge lines one pixel in
        // and out; the token box is the cell itself (10 px in at t = 0).
        {"field box", kRectOnField, Kind::FillBox, 1, {2, 2, 38, 28}, kGrey},
        {"raised t=0", kRectOnField, Kind::FillBox, 2, {5, 5, 35, 25}, rgb(64, 64, 64)},
        {"token on field", kRectOnField, Kind::FillBox, 13, {10, 10, 30, 20}, dark},
        {"inner line", kRectOnField, Kind::BoxOutline, 0, {6, 6, 34, 24}, kWhite},
        {"outer line", kRectOnField, Kind::BoxOutline, 1, {4, 4, 36, 26}, kWhite},
        // Triangle t = 0: P = (5, 22.5), Q = (35, 22.5), A = (10, 7.5); t = 15: f = 0.875
        {"triangle base", kTriangle, Kind::Line, 0, {5, 22.5, 35, 22.5}, dark},
        {"triangle right", kTriangle, Kind::Line, 2, {36, 22.5, 10, 7.5}, dark},
        {"triangle last", kTriangle, Kind::Line, -1, {13.5, 15, 11.5, 11.25}, rgb(247, 235, 223)},
        {"hexagon corner", kHexagon, Kind::Line, 0, {5, 15, 16.25, 3.75}, dark},
        // Oval t = 0: u = 12, radius 0, f = 1.1 clamps to white; t = 12: radius 16, f = 0
        {"oval first", kOval, Kind::Ellipse, 0, {17, 13.5, 0, 0.5}, kWhite},
        {"oval last", kOval, Kind::Ellipse, -1, {20, 15, 16, 0.5}, kBlack},
        // Star: t starts at bw / 5, aspects 2.5 then 0.4; f = 1.1 at t = 0 clamps
        {"star first", kStar, Kind::Ellipse, 0, {22, 15, 12, 2.5}, dark},
        {"star last", kStar, Kind::Ellipse, -1, {17, 15.75, 0, 0.4}, kWhite},
        // Field shape, even off a field: grey, then tinted c -> 127 * c / 191 + 32;
        // t = 10: (78 + 127) * 255 / 191 + 32 = 305.7 clamps the red channel
        {"field shape", kFieldShape, Kind::FillBox, 1, {2, 2, 38, 28}, kGrey},
        {"tint t=0", kFieldShape, Kind::FillBox, 13, {5, 5, 35, 25}, rgb(202, 117, 32)},
        {"tint t=10", kFieldShape, Kind::FillBox, -1, {15, 15, 25, 15}, rgb(255, 169, 32)},
        // bh = 45: eyes at (26, 10.5) and (14, 10.5), aspect 2, black centre, white rim
        // (60 / 45 * 42 * 7.2 > 255); mouth grey, black at a = 180; nose inverted.
        {"right eye", kMarks, Kind::Ellipse, 0, {26, 10.5, 0, 2}, kBlack},
        {"eye rim", kMarks, Kind::Ellipse, 33, {14, 10.5, 7.2, 2}, kWhite},
        {"nose", kMarks, Kind::Ellipse, 34, {20, -7.5 + 45 / 3.5 + 15, kAny, 0.5}, nose},
        {"mouth first", kMarks, Kind::BoxOutline, 0, {10, kAny, kAny, kAny}, rgb(120, 120, 120)},
    };
    for (const Row& row : rows) {
        const auto ops = drawn[row.drawing].only(row.primitive);
        const int i = row.index < 0 ? static_cast<int>(ops.size()) + row.index : row.index;
        ASSERT_LT(i, static_cast<int>(ops.size())) << row.what;
        EXPECT_TRUE(opIs(ops[static_cast<std::size_t>(i)], row.at, row.shade)) << row.what;
    }
    // Counts the field adds: clear, grey box, 11 raised-square boxes and 4 token boxes
    // (t = 0 … 9) and two lines; the field shape has two pairs of lines.
    EXPECT_EQ(drawn[kRectOnField].surface.count(Kind::FillBox), 1u + 1u + 11u + 4u);
    EXPECT_EQ(drawn[kRectOnField].surface.count(Kind::BoxOutline), 2u);
    EXPECT_EQ(drawn[kFieldShape].surface.count(Kind::BoxOutline), 4u);
}

TEST(TokenShapes, SquaresAndRingsDrawFreshRandomPlacesEachCall) {
    Drawn d;
    d.random.values = {0.0, 0.5, 0.99};
    draw(d, kShapeSquares);
    EXPECT_EQ(d.random.draws, 33u);  // X, Y and size for each of eleven places
    const auto squares = d.only(Kind::BoxOutline);
    // place 0: X = floor(-10 + 20 + 0 * 20) = 10, Y = floor(-7.5 + 15 + 0.5 * 15) = 15,
    // S = 0.99 * 0.2 + 0.3; first pass t = 12, u = 0
    const double s0 = 0.99 * 0.2 + 0.3;
    EXPECT_TRUE(opIs(squares[0], {10 - 12 * s0, 15 - 12 * s0, 10 + 12 * s0, test::kAny}));

    draw(d, kShapeRings);
    EXPECT_EQ(d.random.draws, 33u + 22u);  // X and Y for each of eleven places
    const auto rings = d.only(Kind::Ellipse);
    ASSERT_EQ(rings.size(), 165u);  // five passes of eleven rings, two more between each
    EXPECT_TRUE(opIs(rings[0], {test::kAny, test::kAny, 0.4 * 12, 1}));
}

TEST(StrengthMarks, PersonHasNoneAndEachStrengthAddsOne) {
    // bh = 45: eyes t = 0 … 7.2 in 0.45 steps (17 passes, two ellipses each); mouth a = 60 …
    // 300 (49 outlines); nose t = 12.857 … 0.257 (29 ellipses); at 4 ("PC Velmistr") a brow
    // of two dark outlines under a light one.
    const std::array<std::size_t, 2> expected[] = {
        {0, 0}, {34, 0}, {34, 49}, {34 + 29, 49}, {34 + 29, 49 + 3}};
    for (int kind = 0; kind <= 4; ++kind) {
        Drawn d;
        draw(d, 0, kOrange, kind);
        EXPECT_EQ((std::array<std::size_t, 2>{d.surface.count(Kind::Ellipse),
                                              d.surface.count(Kind::BoxOutline)}),
                  expected[kind])
            << "kind " << kind;
    }
}

TEST(TokenColours, ChannelsRoundHalfToEvenAndClamp) {
    const std::pair<double, int> clamped[] = {{96.5, 96}, {97.5, 98}, {300, 255}, {-3, 0}};
    for (const auto& [value, channel] : clamped)
        EXPECT_EQ(clampChannel(value), channel) << value;
    EXPECT_EQ(gradientChannel(0, 1), 255);  // the gradient clamps too
}

struct Fixture {
    RecordingSurface pic;
    ScriptedRandom random;
    BoardPainter painter{pic, random};
    BoardLook look;
    Fixture() {
        painter.setGeometry(192, 144, 4);  // cells 48 x 36
        look.detail = 1;
    }
};

TEST(BoardPainterGeometry, CellSizeAndRayWidthsFollowThePictureAndTheSide) {
    Fixture f;
    EXPECT_DOUBLE_EQ(f.painter.cellW(), 48);
    EXPECT_DOUBLE_EQ(f.painter.cellH(), 36);
    f.painter.setGeometry(1076, 807, 15);
    EXPECT_NEAR(f.painter.cellH(), 53.8, 1e-9);
    EXPECT_EQ(rayWidths(48), (std::array<int, 3>{6, 3, 1}));
    EXPECT_EQ(rayWidths(40), (std::array<int, 3>{5, 2, 1}));  // 2.5 -> 2
    EXPECT_EQ(rayWidths(4), (std::array<int, 3>{0, 0, 1}));
}

TEST(BoardPainterCells, FullDrawGoesRowsOuterAndFillsHolesBlackOnePixelInside) {
    Fixture f;
    f.painter.drawAll(test::boardFrom(test::rows("0XXX/XXXX/XXXX/XXX0/")), f.look);
    const auto boxes = f.pic.only(Kind::FillBox);
    EXPECT_TRUE(opIs(boxes.front(), {1, 1, 47, 35}, rgb(0, 0, 0)));
    EXPECT_TRUE(opIs(boxes.back(), {145, 109, 191, 143}, rgb(0, 0, 0)));
    EXPECT_EQ(f.pic.count(Kind::Refresh), 14u);  // one per field, none per hole
}

TEST(BoardPainterCells, FreeFieldAndTokensShareTheFieldLook) {
    Fixture f;
    const Board b = test::boardFrom(test::rows("+XXX/XXXX/XXXX/XXX-/"));
    f.look.kinds = {0, 0, 3};
    f.painter.drawCell(b, f.look, 1, 0);
    const auto freeBoxes = f.pic.only(Kind::FillBox);
    // clear, grey rim, 13 raised-square boxes (t = 0 … 12), no token
    ASSERT_EQ(freeBoxes.size(), 1u + 1u + 13u);
    EXPECT_DOUBLE_EQ(freeBoxes[0].x1, 48);

    f.pic.clear();
    f.painter.drawCell(b, f.look, 0, 0);  // player 1: shape 1, a person
    const auto tokenBoxes = f.pic.only(Kind::FillBox);
    ASSERT_GT(tokenBoxes.size(), freeBoxes.size());
    for (std::size_t i = 1; i < freeBoxes.size(); ++i)
        EXPECT_EQ(tokenBoxes[i].colour, freeBoxes[i].colour) << i;
    EXPECT_EQ(tokenBoxes[15].colour, gradientColour(kDefaultStyle1.colour, 0));
    EXPECT_EQ(f.pic.count(Kind::Ellipse), 0u);

    f.pic.clear();
    f.painter.drawCell(b, f.look, 3, 3);  // player 2: oval, computer at strength 3 -> marks
    EXPECT_GT(f.pic.count(Kind::Ellipse), 0u);
    EXPECT_EQ(f.pic.count(Kind::BoxOutline), 2u + 49u);  // field lines + mouth
    EXPECT_DOUBLE_EQ(f.pic.only(Kind::FillBox)[0].x1, 144);
    EXPECT_DOUBLE_EQ(f.pic.only(Kind::FillBox)[0].y1, 108);
}

TEST(BoardPainterRings, ColoursFollowTheMarksOfEachNeighbour) {
    Fixture f;
    // Player 1 selected at (1, 1); (2, 1) free copy target, (3, 3) free jump target,
    // (0, 0) a token of player 2 that still carries a stale mark, (1, 0) a hole.
    const Board b = test::boardFrom(test::rows("-0XX/X+XX/XXXX/XXXX/"));
    Marks m;
    m.set(2, 1, Marks::kCopy);
    m.set(3, 3, Marks::kJump);
    m.set(0, 0, Marks::kCopy);
    const PlayerStyle mover{rgb(200, 10, 10), 1, rgb(10, 200, 10)};
    f.painter.drawRings(b, m, Directions::star(), mover, 1, 1);

    // ch = 36: ring outlines for i = 2.4 … 6.4 (5 passes) plus two lines per cell, for the
    // 15 cells around (1, 1) that lie on the board, less the hole.
    const std::size_t perCell = 5 + 2;
    const auto outlines = f.pic.only(Kind::BoxOutline);
    ASSERT_EQ(outlines.size(), perCell * 14);
    const auto ringOf = [&](int x, int y) {
        for (std::size_t i = 0; i < outlines.size(); i += perCell)
            if (outlines[i].x1 == x * 48 + 36.0 / 15 && outlines[i].y1 == y * 36 + 36.0 / 15)
                return std::array<Rgb, 2>{outlines[i].colour, outlines[i + 5].colour};
        return std::array<Rgb, 2>{1, 1};
    };
    EXPECT_EQ(ringOf(2, 1), (std::array<Rgb, 2>{mover.secondColour, kWhite}));
    EXPECT_EQ(ringOf(3, 3), (std::array<Rgb, 2>{mover.colour, mover.secondColour}));
    EXPECT_EQ(ringOf(0, 0), (std::array<Rgb, 2>{kGrey, kWhite}));  // a token: no ring
    EXPECT_EQ(ringOf(2, 2), (std::array<Rgb, 2>{kGrey, kWhite}));
    EXPECT_EQ(ringOf(1, 0), (std::array<Rgb, 2>{1, 1}));  // the hole is left alone
    // The two lines lie one pixel either side of the raised square's edge.
    EXPECT_DOUBLE_EQ(outlines[5].x1, 0 * 48 + 6 + 1);
    EXPECT_DOUBLE_EQ(outlines[6].x1, 0 * 48 + 6 - 1);
    EXPECT_EQ(f.pic.ops().back().kind, Kind::Refresh);
}

}  // namespace
}  // namespace tomelin
