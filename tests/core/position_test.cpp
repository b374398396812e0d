// The position value and its rule set: text forms, legal moves, making moves with their
// captures, the fill of a stuck side and the end of the game, on boards of every width the
// bit sets use (one to five words).

#include <gtest/gtest.h>

#include <algorithm>

#include "core/position.h"
#include "game_harness.h"

namespace tomelin {
namespace {

using namespace test;

Position pos(const std::string& rowsText, Player toMove = Player::One) {
    return *Position::fromBoardString(rows(rowsText), toMove);
}

Move copyTo(int x, int y) {
    return {{-1, -1}, {x, y}, MoveKind::Copy};
}

TEST(Position, ReadsBoardStringsOfEverySideAndRefusesOthers) {
    for (int n = 2; n <= 16; ++n) {
        std::string s(static_cast<std::size_t>(n * n), 'X');
        s.front() = '+';
        s.back() = '-';
        s[static_cast<std::size_t>(n)] = '0';  // (0, 1) is a hole
        const auto p = Position::fromBoardString(s, Player::Two);
        ASSERT_TRUE(p) << n;
        EXPECT_EQ(p->side(), n);
        EXPECT_EQ(p->boardString(), s);
        EXPECT_EQ(p->toMove(), Player::Two);
        EXPECT_EQ(p->at(0, 0), kToken1);
        EXPECT_EQ(p->at(n - 1, n - 1), kToken2);
        EXPECT_EQ(p->at(0, 1), kNoCell);
        EXPECT_EQ(p->at(n, 0), kNoCell);
        EXPECT_EQ(p->at(-1, 0), kNoCell);
        const Board::Counts c = p->counts();
        EXPECT_EQ(c.free, n * n - 3);
        EXPECT_EQ(c.tokens1 + c.tokens2, 2);
        EXPECT_EQ(Position::fromBoard(p->toBoard(), Player::Two), p);
    }
    EXPECT_FALSE(Position::fromBoardString("+X-", Player::One));
    EXPECT_FALSE(Position::fromBoardString("+XY-", Player::One));
    EXPECT_FALSE(Position::fromBoardString(std::string(17 * 17, 'X'), Player::One));
}

TEST(Position, CopiesCountOncePerTargetAndJumpsOncePerSourceAndTarget) {
    // Star logic, two tokens side by side in a corner of 3 x 3: the four cells next to
    // both or either are one copy each; (2, 0) .. (2, 2) and (0, 2) .. (1, 2) are jumps.
    const Position p = pos("++X/XXX/XX-/");
    std::vector<Move> moves;
    p.legalMoves(Logic::Star, moves);
    const std::vector<Move> want = {
        {{0, 0}, {0, 1}, MoveKind::Copy}, {{0, 0}, {1, 1}, MoveKind::Copy},
        {{1, 0}, {2, 0}, MoveKind::Copy}, {{1, 0}, {2, 1}, MoveKind::Copy},
        {{0, 0}, {0, 2}, MoveKind::Jump}, {{0, 0}, {1, 2}, MoveKind::Jump},
        {{0, 0}, {2, 0}, MoveKind::Jump}, {{0, 0}, {2, 1}, MoveKind::Jump},
        {{1, 0}, {0, 2}, MoveKind::Jump}, {{1, 0}, {1, 2}, MoveKind::Jump}};
    EXPECT_EQ(moves, want);
    EXPECT_EQ(p.moveCount(Logic::Star), 10u);
    // Cross: copies to the edge neighbours, jumps diagonal or two straight.
    p.legalMoves(Logic::Cross, moves);
    EXPECT_EQ(p.moveCount(Logic::Cross), moves.size());
    EXPECT_EQ(moves.size(), 3u + 6u);
}

TEST(Position, LegalityNeedsOwnSourceFreeTargetAndTheKindOfTheOffset) {
    const Position p = pos("+X-/XXX/0XX/");
    EXPECT_TRUE(p.isLegal(Logic::Star, {{0, 0}, {1, 1}, MoveKind::Copy}));
    EXPECT_FALSE(p.isLegal(Logic::Star, {{0, 0}, {1, 1}, MoveKind::Jump}));
    EXPECT_FALSE(p.isLegal(Logic::Cross, {{0, 0}, {1, 1}, MoveKind::Copy}));
    EXPECT_TRUE(p.isLegal(Logic::Cross, {{0, 0}, {1, 1}, MoveKind::Jump}));
    EXPECT_FALSE(p.isLegal(Logic::Star, {{0, 0}, {0, 2}, MoveKind::Jump}));  // a hole
    EXPECT_FALSE(p.isLegal(Logic::Star, {{0, 0}, {2, 0}, MoveKind::Jump}));  // taken
    EXPECT_FALSE(p.isLegal(Logic::Star, {{2, 0}, {2, 1}, MoveKind::Copy}));  // not own
    EXPECT_FALSE(p.isLegal(Logic::Star, {{0, 0}, {-1, 0}, MoveKind::Copy}));
    EXPECT_FALSE(p.isLegal(Logic::Star, {{0, 0}, {3, 0}, MoveKind::Jump}));
}

TEST(Position, PlayConvertsOnlyTargetNeighboursInDirectionOrderAndPassesTheMove) {
    // Star copy onto (1, 1) surrounded by the opponent: all eight convert, listed from the
    // top left clockwise.
    Position p = pos("---/-X-/--+/");
    Played played = p.play(Logic::Star, {{2, 2}, {1, 1}, MoveKind::Copy});
    EXPECT_EQ(p.boardString(), std::string(9, '+'));
    ASSERT_EQ(played.capturedCount, 7);
    EXPECT_EQ(played.captured[0], (Cell{0, 0}));
    EXPECT_EQ(played.captured[3], (Cell{2, 1}));
    EXPECT_EQ(played.captured[6], (Cell{0, 1}));
    EXPECT_EQ(p.toMove(), Player::Two);
    EXPECT_TRUE(p.isOver());
    EXPECT_EQ(p.winner(), 1);
    // Cross: a jump frees its source; only the edge neighbours of the target convert, not
    // the diagonal one nor the one next to the source.
    p = pos("--XX/-XX-/XX+-/-XXX/", Player::One);
    played = p.play(Logic::Cross, {{2, 2}, {1, 1}, MoveKind::Jump});
    EXPECT_EQ(p.boardString(), rows("-+XX/++X-/XXX-/-XXX/"));
    EXPECT_EQ(played.capturedCount, 2);
    // An illegal move changes nothing, the player to move included.
    const Position before = p;
    EXPECT_EQ(p.play(Logic::Cross, {{0, 0}, {0, 1}, MoveKind::Copy}).capturedCount, 0);
    EXPECT_EQ(p, before);
}

TEST(Position, StuckSideLosesTheFreeCellsAndAFullBoardEndsTheGame) {
    // Player 1 walled in by holes; player 2 can still move.
    Position p = pos("+00X/000X/000X/XXX-/");
    EXPECT_FALSE(p.canMove(Logic::Star));
    EXPECT_FALSE(p.canMove(Logic::Cross));
    p.setToMove(Player::Two);
    EXPECT_TRUE(p.canMove(Logic::Star));
    EXPECT_FALSE(p.isOver());
    EXPECT_EQ(p.fillFree(Player::Two), 6);
    EXPECT_EQ(p.counts().tokens2, 7);
    EXPECT_EQ(p.counts().free, 0);
    EXPECT_TRUE(p.isOver());
    EXPECT_EQ(p.winner(), 2);
    // Equal counts are a draw; a full board without a token is no end.
    EXPECT_EQ(pos("+-/-+/").winner(), 0);
    EXPECT_FALSE(pos("00/00/").isOver());
}

TEST(Position, CopyMovesWithTheSameTargetHaveTheSameEffect) {
    const Position start = pos("+X+/XXX/XX-/");
    Position a = start, b = start;
    a.play(Logic::Star, {{0, 0}, {1, 0}, MoveKind::Copy});
    b.play(Logic::Star, {{2, 0}, {1, 0}, MoveKind::Copy});
    EXPECT_EQ(a, b);
    EXPECT_TRUE(copyTo(1, 0).sameEffect({{2, 0}, {1, 0}, MoveKind::Copy}));
    EXPECT_FALSE(Move({{0, 0}, {2, 1}, MoveKind::Jump})
                     .sameEffect({{0, 0}, {2, 2}, MoveKind::Jump}));
}

}  // namespace
}  // namespace tomelin
