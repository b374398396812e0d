#include <gtest/gtest.h>

#include "game_harness.h"

namespace tomelin {
namespace {

using test::GameHarness;
using test::rows;

// 7 x 7 free board with one token of each player, both people.
std::string freeBoard7(int x1, int y1, int x2, int y2) {
    std::string s(49, 'X');
    s[static_cast<std::size_t>(y1 * 7 + x1)] = '+';
    s[static_cast<std::size_t>(y2 * 7 + x2)] = '-';
    return s;
}

TEST(CrossLogic, SelectionMarksFourCopiesAndEightJumps) {
    GameHarness h;
    h.startGame(freeBoard7(3, 3, 6, 6), "2");
    h.game.PLKlik(3, 3);
    const Marks& m = h.game.marks();
    EXPECT_EQ(h.game.selectionState(), 1);
    EXPECT_EQ(m.at(3, 3), Marks::kSelected);
    for (auto [x, y] : {std::pair{3, 2}, {4, 3}, {3, 4}, {2, 3}})
        EXPECT_EQ(m.at(x, y), 2);
    for (auto [x, y] : {std::pair{2, 2}, {4, 2}, {4, 4}, {2, 4}, {3, 1}, {5, 3}, {3, 5}, {1, 3}}) {
        EXPECT_EQ(m.at(x, y), 1);
    }
    int marked = 0;
    for (int x = 0; x < 7; ++x) {
        for (int y = 0; y < 7; ++y)
            marked += m.at(x, y) != 0;
    }
    EXPECT_EQ(marked, 13);
}

TEST(StarLogic, CornerTokenKeepsOnlyMarksOnTheBoard) {
    GameHarness h;
    h.startGame(freeBoard7(0, 0, 6, 6), "1");
    h.game.PLKlik(0, 0);
    const Marks& m = h.game.marks();
    int copies = 0, jumps = 0;
    for (int x = -2; x <= 17; ++x) {
        for (int y = -2; y <= 17; ++y) {
            if (m.at(x, y) == 2)
                ++copies;
            if (m.at(x, y) == 1)
                ++jumps;
            if (m.at(x, y) != 0) {
                EXPECT_TRUE(x >= 0 && y >= 0) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(copies, 3);
    EXPECT_EQ(jumps, 5);
}

TEST(StarLogic, HolesAndTokensAreNotMarked) {
    GameHarness h;
    // Player 1 at (1,1); a hole at (2,1), an own token at (1,2), opponent at (0,0).
    h.startGame(rows({"-XXX", "X+0X", "X+XX", "XXXX"}), "1");
    h.game.PLKlik(1, 1);
    const Marks& m = h.game.marks();
    EXPECT_EQ(m.at(2, 1), 0);
    EXPECT_EQ(m.at(1, 2), 0);
    EXPECT_EQ(m.at(0, 0), 0);
    EXPECT_EQ(m.at(2, 2), 2);
    EXPECT_EQ(m.at(3, 1), 1);
    EXPECT_EQ(m.at(1, 1), 3);
}

TEST(MoveRules, CopyKeepsTheSourceAndJumpFreesIt) {
    GameHarness h;
    h.startGame(freeBoard7(3, 3, 6, 6), "1");
    h.move(3, 3, 4, 4);  // copy
    EXPECT_EQ(h.game.board().at(3, 3), kToken1);
    EXPECT_EQ(h.game.board().at(4, 4), kToken1);
    h.move(6, 6, 6, 4);  // jump of player 2, captures nothing
    EXPECT_EQ(h.game.board().at(6, 6), kFreeCell);
    EXPECT_EQ(h.game.board().at(6, 4), kToken2);
    EXPECT_EQ(h.game.board().count().tokens1, 2);
    EXPECT_EQ(h.game.board().count().tokens2, 1);
    ASSERT_EQ(h.observer.moves.size(), 2u);
    EXPECT_EQ(h.observer.moves[1].player, 2);
    EXPECT_EQ(h.game.lastMoveSource(), (CellPos{6, 6}));
    EXPECT_EQ(h.game.lastMoveTarget(), (CellPos{6, 4}));
}

TEST(CrossLogic, CopyConvertsEdgeNeighboursButNoDiagonal) {
    GameHarness h;
    h.startGame(rows({"XXXXX", "X---X", "--X-X", "X-+-X", "XXXXX"}), "2");
    // Player 1 copies from (2,3) up to (2,2): its other edge neighbours (2,1), (1,2) and
    // (3,2) convert; the diagonals and (0,2), two steps away, stay with player 2.
    h.move(2, 3, 2, 2);
    const Board& b = h.game.board();
    EXPECT_EQ(b.at(2, 2), kToken1);
    EXPECT_EQ(b.at(2, 1), kToken1);
    EXPECT_EQ(b.at(1, 2), kToken1);
    EXPECT_EQ(b.at(3, 2), kToken1);
    for (auto [x, y] : {std::pair{1, 1}, {3, 1}, {1, 3}, {3, 3}, {0, 2}}) {
        EXPECT_EQ(b.at(x, y), kToken2) << x << "," << y;
    }
    EXPECT_EQ(h.observer.rays.size(), 3u);
    EXPECT_EQ(h.observer.lastA, 5);
    EXPECT_EQ(h.observer.lastB, 5);
}

TEST(StarLogic, CopyConvertsDiagonalNeighboursToo) {
    GameHarness h;
    h.startGame(rows({"-X-", "X+X", "-X-"}), "1");
    // Player 1 copies from (1,1) to (1,0): neighbours (0,0) and (2,0) convert, the
    // bottom corners are two rows away.
    h.move(1, 1, 1, 0);
    const Board& b = h.game.board();
    EXPECT_EQ(b.at(0, 0), kToken1);
    EXPECT_EQ(b.at(2, 0), kToken1);
    EXPECT_EQ(b.at(0, 2), kToken2);
    EXPECT_EQ(b.at(2, 2), kToken2);
}

TEST(MoveRules, JumpCapturesAtTheTargetNotAtTheSource) {
    GameHarness h;
    h.startGame(rows({"-XXXX", "+XXXX", "-XX-X", "XXXX-", "XXXXX"}), "1");
    // Player 1 jumps two cells right, from (0,1) to (2,1).
    h.move(0, 1, 2, 1);
    const Board& b = h.game.board();
    EXPECT_EQ(b.at(0, 1), kFreeCell);
    EXPECT_EQ(b.at(3, 2), kToken1);  // next to the target
    EXPECT_EQ(b.at(0, 0), kToken2);  // next to the source only
    EXPECT_EQ(b.at(0, 2), kToken2);
    EXPECT_EQ(b.at(2, 1), kToken1);
}

TEST(MoveRules, MoveNextToOwnTokensChangesOnlyTheTarget) {
    GameHarness h;
    h.startGame(rows({"++X", "++X", "XX-"}), "1");
    const Board before = h.game.board();
    h.game.PLKlik(1, 0);
    h.game.PLKlik(2, 0);  // a copy next to four own tokens
    Board expected = before;
    expected.set(2, 0, kToken1);
    EXPECT_EQ(h.game.board(), expected);
}

TEST(Selection, SecondClickOnTheTokenCancelsAndClickOnOtherOwnTokenMovesIt) {
    GameHarness h;
    h.startGame(rows({"+X+", "XXX", "XX-"}), "1");
    h.game.PLKlik(0, 0);
    EXPECT_EQ(h.game.selectionState(), 1);
    h.game.PLKlik(0, 0);
    EXPECT_EQ(h.game.selectionState(), 2);
    EXPECT_EQ(h.game.marks().at(1, 0), 0);
    // From state 2 a click on an own token selects again.
    h.game.PLKlik(0, 0);
    EXPECT_EQ(h.game.selectionState(), 1);
    // A click on another own token moves the selection in one click.
    h.game.PLKlik(2, 0);
    EXPECT_EQ(h.game.selectionState(), 1);
    EXPECT_EQ(h.game.selected(), (CellPos{2, 0}));
    EXPECT_EQ(h.game.marks().at(2, 0), 3);
    EXPECT_EQ(h.game.marks().at(0, 0), 0);
    // A click on the opponent's token or outside cancels and selects nothing.
    h.game.PLKlik(2, 2);
    EXPECT_EQ(h.game.selectionState(), 0);
    h.game.PLKlik(0, 0);
    h.game.PLKlik(-1, -1);
    EXPECT_EQ(h.game.selectionState(), 0);
    EXPECT_EQ(h.game.marks().at(1, 0), 0);
    // Clicks far beyond the grids are harmless.
    h.game.PLKlik(5000, -5000);
    EXPECT_EQ(h.game.selectionState(), 0);
}

TEST(Selection, ClicksDuringTheTurnChangeAreIgnored) {
    GameHarness h;
    h.startGame(rows({"+XX", "XXX", "XX-"}), "1");
    h.game.PLKlik(0, 0);
    h.game.PLKlik(1, 1);
    ASSERT_TRUE(h.timers.isActive(GameTimer::TimCHng));
    EXPECT_EQ(h.game.selectionState(), 2);
    h.game.PLKlik(1, 1);
    EXPECT_EQ(h.game.selectionState(), 2);
    EXPECT_EQ(h.game.marks().at(2, 2), 0);
}

TEST(MouseInput, PositionMapsToTheCellUnderThePointerOnlyForAPersonToMove) {
    GameHarness h;
    h.startGame(rows({"+XXX", "XXXX", "XXXX", "XXX-"}), "1");
    h.game.PL_MouseDown(39.9, 29.9, 40, 30);
    EXPECT_EQ(h.game.selectionState(), 1);
    EXPECT_EQ(h.game.selected(), (CellPos{0, 0}));
    h.game.PL_MouseDown(40.0, 30.0, 40, 30);  // cell (1,1): a copy target
    EXPECT_EQ(h.game.board().at(1, 1), kToken1);
    h.timers.fire(GameTimer::TimCHng);
    // Negative positions are the cell -1 (Int rounds down), never (0,0).
    h.game.PL_MouseDown(-0.5, 70, 40, 30);
    EXPECT_EQ(h.game.selectionState(), 0);
    // Nonsense sizes are ignored.
    h.game.PL_MouseDown(100, 70, 0, 30);
    EXPECT_EQ(h.game.selectionState(), 0);

    GameHarness pc;
    pc.startGame(rows({"+XX", "XXX", "XX-"}), "1", "PC Profesionál", "Bob");
    pc.game.PL_MouseDown(1, 1, 40, 30);
    EXPECT_EQ(pc.game.selectionState(), 0);  // the computer is to move
}

}  // namespace
}  // namespace tomelin
