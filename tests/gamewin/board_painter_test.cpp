#include "gamewin/board_painter.h"

#include <gtest/gtest.h>

#include "fake_random.h"
#include "recorded_op.h"

namespace tomelin {
namespace {

using Kind = RecordingSurface::Kind;
using test::opIs;

constexpr Rgb kGrey = rgb(127, 127, 127);

// A 4 x 4 board from rows top to bottom ("0" hole, "X" free, "+" player 1, "-" player 2).
Board boardOf(const std::string& rows) {
    Board b;
    LoadBoardDescriptor(b, rows + "1");
    return b;
}

struct Fixture {
    RecordingSurface pic;
    test::ScriptedRandom random;
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
    EXPECT_DOUBLE_EQ(f.painter.boardPicW(), 192);
    EXPECT_DOUBLE_EQ(f.painter.boardPicH(), 144);
    f.painter.setGeometry(1076, 807, 15);
    EXPECT_NEAR(f.painter.cellH(), 53.8, 1e-9);
    EXPECT_EQ(rayWidths(48), (std::array<int, 3>{6, 3, 1}));
    EXPECT_EQ(rayWidths(40), (std::array<int, 3>{5, 2, 1}));  // 2.5 -> 2
    EXPECT_EQ(rayWidths(4), (std::array<int, 3>{0, 0, 1}));
}

TEST(BoardPainterCells, FullDrawGoesRowsOuterAndFillsHolesBlackOnePixelInside) {
    Fixture f;
    f.painter.drawAll(boardOf("0XXX"
                              "XXXX"
                              "XXXX"
                              "XXX0"),
                      f.look);
    const auto boxes = f.pic.only(Kind::FillBox);
    EXPECT_TRUE(opIs(boxes.front(), {1, 1, 47, 35}, rgb(0, 0, 0)));
    EXPECT_TRUE(opIs(boxes.back(), {145, 109, 191, 143}, rgb(0, 0, 0)));
    EXPECT_EQ(f.pic.count(Kind::Refresh), 14u);  // one per field, none per hole
}

TEST(BoardPainterCells, FreeFieldAndTokensShareTheFieldLook) {
    Fixture f;
    const Board b = boardOf(
        "+XXX"
        "XXXX"
        "XXXX"
        "XXX-");
    f.look.kinds = {0, 0, 3};
    f.painter.DRWP(b, f.look, 1, 0);
    const auto freeBoxes = f.pic.only(Kind::FillBox);
    // clear, grey rim, 13 raised-square boxes (t = 0 … 12), no token
    ASSERT_EQ(freeBoxes.size(), 1u + 1u + 13u);
    EXPECT_DOUBLE_EQ(freeBoxes[0].x1, 48);
    EXPECT_EQ(f.pic.count(Kind::Ellipse), 0u);

    f.pic.clear();
    f.painter.DRWP(b, f.look, 0, 0);  // player 1: shape 1, a person
    const auto tokenBoxes = f.pic.only(Kind::FillBox);
    ASSERT_GT(tokenBoxes.size(), freeBoxes.size());
    for (std::size_t i = 1; i < freeBoxes.size(); ++i)
        EXPECT_EQ(tokenBoxes[i].colour, freeBoxes[i].colour) << i;
    EXPECT_EQ(tokenBoxes[15].colour, gradientColour(kDefaultStyle1.colour, 0));
    EXPECT_EQ(f.pic.count(Kind::Ellipse), 0u);

    f.pic.clear();
    f.painter.DRWP(b, f.look, 3, 3);  // player 2: oval, computer at strength 3 -> marks
    EXPECT_GT(f.pic.count(Kind::Ellipse), 0u);
    EXPECT_EQ(f.pic.count(Kind::BoxOutline), 2u + 49u);  // field lines + mouth
    EXPECT_DOUBLE_EQ(f.pic.only(Kind::FillBox)[0].x1, 144);
    EXPECT_DOUBLE_EQ(f.pic.only(Kind::FillBox)[0].y1, 108);
}

TEST(BoardPainterRings, ColoursFollowTheMarksOfEachNeighbour) {
    Fixture f;
    // Player 1 selected at (1, 1); (2, 1) free copy target, (3, 3) free jump target,
    // (0, 0) a token of player 2 that still carries a stale mark, (1, 0) a hole.
    const Board b = boardOf(
        "-0XX"
        "X+XX"
        "XXXX"
        "XXXX");
    Marks m;
    m.set(2, 1, Marks::kCopy);
    m.set(3, 3, Marks::kJump);
    m.set(0, 0, Marks::kCopy);
    const PlayerStyle mover{rgb(200, 10, 10), 1, rgb(10, 200, 10)};
    f.painter.ShBrd(b, m, Directions::star(), mover, 1, 1);

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
