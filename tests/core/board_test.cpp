// The board model and its text forms, the five built-in boards and move counting.

#include <gtest/gtest.h>

#include "core/perft.h"
#include "game_harness.h"

namespace tomelin {
namespace {

using namespace test;

TEST(BoardDescriptor, LoadsRowByRowAndRoundsTheSideOfOddLengths) {
    Board b;
    EXPECT_EQ(LoadBoardDescriptor(b, "+XX-2").startDigit, 2);
    EXPECT_EQ(b.at(1, 0), kFreeCell);
    EXPECT_EQ(b.at(1, 1), kToken2);
    for (auto [x, y] : {std::pair{-3, -3}, {2, 0}, {0, 2}, {18, 18}})
        EXPECT_EQ(b.at(x, y), kNoCell) << x << "," << y;
    // "?" is no board character; 12 characters round to side 3 (only 9 are read), 14 to
    // side 4 (cells past the end have no field).
    const std::pair<const char*, std::string> loads[] = {{"X?XXXXXXX2", "X0XXXXXXX"},
                                                         {"XXXXXXXXX+++1", "XXXXXXXXX"},
                                                         {"XXXXXXXXXXXXXX1", "XXXXXXXXXXXXXX00"}};
    for (const auto& [descriptor, loaded] : loads) {
        ASSERT_TRUE(LoadBoardDescriptor(b, descriptor).ok()) << descriptor;
        EXPECT_EQ(boardString(b), loaded);
    }
}

TEST(BoardDescriptor, SidesOutsideTheGridsAndBadDigitsAreRefusedAndTouchNothing) {
    Board b = boardFrom("+XX-");
    const Board before = b;
    const std::pair<std::string, BoardError> refused[] = {
        {std::string(17 * 17, 'X') + "1", BoardError::BadLength},
        {std::string(100 * 100, '+') + "1", BoardError::BadLength},
        {"X1", BoardError::BadLength},
        {"", BoardError::BadLength},
        {"+XX-3", BoardError::BadStartDigit},
        {"+XX-", BoardError::BadStartDigit}};
    for (const auto& [descriptor, error] : refused)
        EXPECT_EQ(LoadBoardDescriptor(b, descriptor).error, error) << descriptor.size();
    EXPECT_EQ(b, before);
    ASSERT_TRUE(LoadBoardDescriptor(b, std::string(16 * 16, 'X') + "2").ok());
    EXPECT_EQ(b.at(15, 15), kFreeCell);
    EXPECT_EQ(b.at(16, 15), kNoCell);
}

TEST(BoardDescriptor, LoadingASmallerBoardLeavesNoStaleCells) {
    Board b = boardFrom(findBuiltinBoard("Bitva")->boardString);
    ASSERT_TRUE(LoadBoardDescriptor(b, findBuiltinBoard("Dáma")->boardString + "1").ok());
    for (int x = 0; x <= 18; ++x) {
        for (int y = 8; y <= 18; ++y)
            EXPECT_TRUE(b.at(x, y) == kNoCell && b.at(y, x) == kNoCell) << x << "," << y;
    }
}

TEST(Snapshot, GoesColumnByColumnAndRestoreReportsOnlyChangedCells) {
    EXPECT_EQ(MakeSnapshot(boardFrom("+XX-")), "KBBU");
    const Board b = boardFrom(rows("+X0/XX-/XXX/"));
    Board changed = b;
    changed.set(1, 0, kToken1);
    changed.set(2, 1, kToken1);
    std::vector<CellPos> redrawn;
    ASSERT_TRUE(RestoreSnapshot(changed, MakeSnapshot(b), [&](int x, int y) {
        redrawn.push_back({x, y});
    }));
    EXPECT_EQ(changed, b);
    EXPECT_EQ(redrawn, (std::vector<CellPos>{{1, 0}, {2, 1}}));
    // Wrong length or codes that are no cell: refused before anything is written.
    changed.set(1, 0, kToken1);
    EXPECT_FALSE(RestoreSnapshot(changed, "KBB", nullptr));
    EXPECT_FALSE(RestoreSnapshot(changed, "BBBBBBBBZ", nullptr));
    EXPECT_EQ(changed.at(1, 0), kToken1);
}

TEST(BuiltinBoards, FiveValidBoardsWithTheTabledSidesTokensAndHoles) {
    std::string summary;
    for (const BuiltinBoard& bb : builtinBoards()) {
        EXPECT_FALSE(checkBoardString(bb.boardString).has_value()) << bb.name;
        const Board b = boardFrom(bb.boardString);
        const auto c = b.count();
        summary += bb.name + " " + std::to_string(b.side()) + " " + std::to_string(c.tokens1) +
                   "/" + std::to_string(c.tokens2) + " " +
                   std::to_string(b.side() * b.side() - c.free - c.tokens1 - c.tokens2) + "; ";
    }
    EXPECT_EQ(summary,
              "Originál 11 2/2 0; Dáma 8 12/12 0; Čelem vzad 7 5/5 7; Bitva 15 28/28 6; "
              "Špionáž 8 9/9 10; ");
    EXPECT_EQ(findBuiltinBoard("Neznámá"), nullptr);
    // "Bitva": player 1 on the left, player 2 on the right; row 7 is its own row.
    const Board bitva = boardFrom(findBuiltinBoard("Bitva")->boardString);
    EXPECT_TRUE(bitva.at(0, 2) == kToken1 && bitva.at(14, 2) == kToken2);
    EXPECT_EQ(bitva.at(1, 7), kNoCell);
}

TEST(Perft, SumsTheRepliesToEveryMoveAsTheGamePlaysItAndEndsLinesWithoutMoves) {
    const std::string board = rows("+XX/XXX/XX-/");
    std::uint64_t expected = 0;
    for (int target = 0; target < 9; ++target) {
        GameHarness h(board, "2");
        h.clicks(0, 0, target % 3, target / 3);
        if (h.timers.isActive(GameTimer::TurnChange))  // the click made a move
            expected += Position::fromBoard(h.game.position().toBoard(), Player::Two)
                            ->moveCount(Logic::Cross);
    }
    EXPECT_GT(expected, 0u);
    const Position start = *Position::fromBoardString(board, Player::One);
    EXPECT_EQ(perft(start, Logic::Cross, 2), expected);
    EXPECT_EQ(perft(start, Logic::Cross, 0), 1u);
    EXPECT_EQ(perft(*Position::fromBoardString(rows("+0/0-/"), Player::One), Logic::Star, 3), 0u);
}

}  // namespace
}  // namespace tomelin
