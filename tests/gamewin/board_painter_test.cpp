#include "gamewin/board_painter.h"

#include <gtest/gtest.h>

#include "fake_random.h"
#include "platform/draw/recording_surface.h"

namespace tomelin {
namespace {

using Kind = RecordingSurface::Kind;

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

TEST(BoardPainterGeometry, CellSizeFollowsThePictureAndTheSide) {
    Fixture f;
    EXPECT_DOUBLE_EQ(f.painter.cellW(), 48);
    EXPECT_DOUBLE_EQ(f.painter.cellH(), 36);
    EXPECT_DOUBLE_EQ(f.painter.boardPicW(), 192);
    EXPECT_DOUBLE_EQ(f.painter.boardPicH(), 144);
    f.painter.setGeometry(1076, 807, 15);
    EXPECT_NEAR(f.painter.cellH(), 53.8, 1e-9);
}

TEST(BoardPainterGeometry, RayWidthsFollowTheCellWidth) {
    EXPECT_EQ(rayWidths(48), (std::array<int, 3>{6, 3, 1}));
    EXPECT_EQ(rayWidths(40), (std::array<int, 3>{5, 2, 1}));  // 2.5 -> 2
    EXPECT_EQ(rayWidths(4), (std::array<int, 3>{0, 0, 1}));
}

TEST(BoardPainterCells, HoleIsFilledBlackOnePixelInsideItsCell) {
    Fixture f;
    const Board b = boardOf(
        "+XXX"
        "X0XX"
        "XXXX"
        "XXX-");
    f.painter.DRWP(b, f.look, 1, 1);
    ASSERT_EQ(f.pic.ops().size(), 1u);
    const auto& op = f.pic.ops()[0];
    EXPECT_EQ(op.kind, Kind::FillBox);
    EXPECT_DOUBLE_EQ(op.x1, 49);
    EXPECT_DOUBLE_EQ(op.y1, 37);
    EXPECT_DOUBLE_EQ(op.x2, 95);
    EXPECT_DOUBLE_EQ(op.y2, 71);
    EXPECT_EQ(op.colour, rgb(0, 0, 0));
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
    EXPECT_GT(tokenBoxes.size(), freeBoxes.size());
    for (std::size_t i = 1; i < freeBoxes.size(); ++i)
        EXPECT_EQ(tokenBoxes[i].colour, freeBoxes[i].colour);
    EXPECT_EQ(tokenBoxes[15].colour, gradientColour(kDefaultStyle1.colour, 0));
    EXPECT_EQ(f.pic.count(Kind::Ellipse), 0u);

    f.pic.clear();
    f.painter.DRWP(b, f.look, 3, 3);  // player 2: oval, computer at strength 3 -> marks
    EXPECT_GT(f.pic.count(Kind::Ellipse), 0u);
    EXPECT_EQ(f.pic.count(Kind::BoxOutline), 2u + 49u);  // field lines + mouth
    EXPECT_DOUBLE_EQ(f.pic.only(Kind::FillBox)[0].x1, 144);
    EXPECT_DOUBLE_EQ(f.pic.only(Kind::FillBox)[0].y1, 108);
}

TEST(BoardPainterCells, FullDrawVisitsEveryCellRowsOuter) {
    Fixture f;
    const Board b = boardOf(
        "0XXX"
        "XXXX"
        "XXXX"
        "XXX0");
    f.painter.drawAll(b, f.look);
    const auto boxes = f.pic.only(Kind::FillBox);
    // the first hole comes first, the last hole last
    EXPECT_DOUBLE_EQ(boxes.front().x1, 1);
    EXPECT_DOUBLE_EQ(boxes.back().x1, 145);
    EXPECT_DOUBLE_EQ(boxes.back().y1, 109);
    EXPECT_EQ(f.pic.count(Kind::Refresh), 14u);  // one per field
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

    const auto outlines = f.pic.only(Kind::BoxOutline);
    // ch = 36: ring outlines for i = 2.4 … 6.4 (up to ch / 6 + 1 = 7: 5 passes) plus two
    // lines, per existing cell.
    const std::size_t perCell = 5 + 2;
    // Star logic from (1, 1): 8 neighbours and 16 farther cells; 13 of them are on the
    // board, minus the hole at (1, 0).
    int cells = 0;
    for (int d = 0; d <= Directions::star().lastDir; ++d) {
        const int x = 1 + Directions::star().dx[static_cast<std::size_t>(d)];
        const int y = 1 + Directions::star().dy[static_cast<std::size_t>(d)];
        if (b.safeAt(x, y) != kNoCell)
            ++cells;
    }
    ASSERT_EQ(outlines.size(), perCell * static_cast<std::size_t>(cells));

    const auto ringOf = [&](int x, int y) {
        for (std::size_t i = 0; i < outlines.size(); i += perCell)
            if (outlines[i].x1 == x * 48 + 36.0 / 15 && outlines[i].y1 == y * 36 + 36.0 / 15)
                return std::array<Rgb, 2>{outlines[i].colour, outlines[i + 5].colour};
        return std::array<Rgb, 2>{1, 1};
    };
    EXPECT_EQ(ringOf(2, 1), (std::array<Rgb, 2>{mover.secondColour, kWhite}));
    EXPECT_EQ(ringOf(3, 3), (std::array<Rgb, 2>{mover.colour, mover.secondColour}));
    EXPECT_EQ(ringOf(0, 0), (std::array<Rgb, 2>{rgb(127, 127, 127), kWhite}));  // token: no ring
    EXPECT_EQ(ringOf(2, 2), (std::array<Rgb, 2>{rgb(127, 127, 127), kWhite}));
    EXPECT_EQ(ringOf(1, 0), (std::array<Rgb, 2>{1, 1}));  // the hole is left alone

    // The two lines lie one pixel either side of the raised square's edge.
    EXPECT_DOUBLE_EQ(outlines[5].x1, 0 * 48 + 6 + 1);
    EXPECT_DOUBLE_EQ(outlines[6].x1, 0 * 48 + 6 - 1);
    EXPECT_EQ(f.pic.ops().back().kind, Kind::Refresh);
}

}  // namespace
}  // namespace tomelin
