#include <gtest/gtest.h>

#include "game_harness.h"

namespace tomelin {
namespace {

using test::GameHarness;
using test::rows;

std::string original() {
    return findBuiltinBoard("Originál")->boardString;
}

TEST(GameStart, RefusesUnplayableDescriptorsAndStartsNothing) {
    GameHarness h;
    GameSetup s;
    s.names = {"A", "B"};
    s.descriptor = std::string(17 * 17, 'X') + "1";
    EXPECT_EQ(h.game.start(s), BoardError::BadLength);
    s.descriptor = "X1";
    EXPECT_EQ(h.game.start(s), BoardError::BadLength);
    s.descriptor = "+XX-9";
    EXPECT_EQ(h.game.start(s), BoardError::BadStartDigit);
    EXPECT_FALSE(h.timers.isActive(GameTimer::Timer1));
    s.descriptor = "+XX-1";
    EXPECT_FALSE(h.game.start(s).has_value());
    EXPECT_TRUE(h.timers.isActive(GameTimer::Timer1));
    EXPECT_EQ(h.timers.interval(GameTimer::Timer1), 100);
}

TEST(GameStart, TwoPeopleOnOriginalFirstTurnChange) {
    GameHarness h;
    h.startGame(original());
    EXPECT_EQ(h.game.playerToMove(), 1);
    EXPECT_EQ(h.game.opponent(), 2);
    EXPECT_EQ(h.game.moveLabel(), " 1. TAH");
    EXPECT_DOUBLE_EQ(h.game.moveCounter(), 0.5);
    ASSERT_GE(h.game.moveList().size(), 1u);
    EXPECT_EQ(h.game.moveList()[0], MakeSnapshot(test::boardFrom(original())));
    EXPECT_TRUE(h.game.takeBackUnavailable());
    EXPECT_TRUE(h.timers.isActive(GameTimer::TimerT));
    EXPECT_EQ(h.timers.interval(GameTimer::TimerT), 1000);
    EXPECT_FALSE(h.timers.isActive(GameTimer::TimCHng));
    EXPECT_FALSE(h.timers.isActive(GameTimer::Timer1));
    EXPECT_TRUE(h.game.boardEnabled());
    EXPECT_FALSE(h.game.gameOver());
    EXPECT_EQ(h.observer.turns, std::vector<int>{1});
    EXPECT_EQ(h.observer.lastA, 2);
    EXPECT_EQ(h.observer.lastF, 117);
    EXPECT_EQ(h.game.playerKind(1), 0);
    EXPECT_EQ(h.timers.interval(GameTimer::TimCHng), 200);
}

TEST(TurnChange, MoveLabelCountsFullMovesAndTakeBackBecomesAvailable) {
    GameHarness h;
    h.startGame(original());
    const std::vector<std::array<int, 4>> moves = {
        {0, 0, 1, 1}, {10, 0, 9, 1}, {1, 1, 2, 2}, {9, 1, 8, 2}, {2, 2, 3, 3}};
    const char* labels[] = {" 1. TAH", " 2. TAH", " 2. TAH", " 3. TAH", " 3. TAH"};
    for (std::size_t i = 0; i < moves.size(); ++i) {
        h.move(moves[i][0], moves[i][1], moves[i][2], moves[i][3]);
        EXPECT_EQ(h.game.moveLabel(), labels[i]) << i;
        EXPECT_EQ(h.game.movesMade(), static_cast<int>(i) + 1);
        EXPECT_EQ(h.game.takeBackUnavailable(), i == 0) << i;
        EXPECT_EQ(h.game.moveList()[i + 1], MakeSnapshot(h.game.board()));
    }
    EXPECT_DOUBLE_EQ(h.game.moveCounter(), 3.0);
    EXPECT_EQ(h.observer.turns, (std::vector<int>{1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(moveLabelText(0), " 1. TAH");
    EXPECT_EQ(moveLabelText(2.5), " 3. TAH");
}

TEST(TurnChange, PlayerWithoutMoveLosesAllFreeCellsAndTheGameEnds) {
    GameHarness h;
    // Player 1's only token is walled in by holes: the first turn change fills the board.
    h.startGame(rows({"+00X", "000X", "000X", "XXX-"}));
    EXPECT_EQ(h.observer.fills, 1);
    EXPECT_EQ(h.observer.fillStuckPlayer, 1);
    EXPECT_EQ(h.observer.fillCells, 6);
    EXPECT_EQ(h.game.board().count().tokens2, 7);
    EXPECT_TRUE(h.game.gameOver());
    EXPECT_EQ(h.observer.ended, 1);
    EXPECT_EQ(h.observer.endWinner, 2);
    EXPECT_EQ(h.observer.endA, 1);
    EXPECT_EQ(h.observer.endB, 7);
    EXPECT_FALSE(h.game.boardEnabled());
    EXPECT_TRUE(h.game.takeBackUnavailable());
    EXPECT_TRUE(h.game.resultShown());
    EXPECT_TRUE(h.timers.isActive(GameTimer::TimerT));
    // Scan order: column by column, each from the top; progress covers every cell.
    EXPECT_EQ(h.observer.progressSteps.size(), 16u);
    EXPECT_EQ(h.observer.progressScales.front(), 12);
}

TEST(TurnChange, CapturingTheLastOpponentTokenLetsTheMoverFillTheBoard) {
    GameHarness h;
    h.startGame(rows({"+-XX", "XXXX", "XXXX", "XXXX"}));
    h.move(0, 0, 0, 1);  // copy next to (1,0): player 2's only token converts
    EXPECT_EQ(h.game.board().count().tokens2, 0);
    EXPECT_EQ(h.observer.fillStuckPlayer, 2);
    EXPECT_EQ(h.game.board().count().tokens1, 16);
    EXPECT_TRUE(h.game.gameOver());
    EXPECT_EQ(h.observer.endWinner, 1);
    // Clicks after the end do not reach the board.
    EXPECT_FALSE(h.game.personMayClick());
}

TEST(TurnChange, MoveOntoTheLastFreeCellEndsTheGameWithoutAFill) {
    GameHarness h;
    h.startGame(rows({"+X0", "000", "00-"}), "2");
    h.move(0, 0, 1, 0);
    EXPECT_TRUE(h.game.gameOver());
    EXPECT_EQ(h.observer.ended, 1);
    EXPECT_EQ(h.observer.endWinner, 1);
    EXPECT_EQ(h.observer.fills, 0);
    EXPECT_EQ(h.game.movesMade(), 1);
    // The turn change after the end still ran: the game stays over, nothing else happens.
    EXPECT_FALSE(h.timers.isActive(GameTimer::TimCHng));
    EXPECT_FALSE(h.timers.isActive(GameTimer::TimPC));
    EXPECT_TRUE(h.game.takeBackUnavailable());
}

TEST(TurnChange, FullBoardWithoutTokensNeverEnds) {
    GameHarness h;
    h.startGame(rows({"00", "00"}));
    EXPECT_FALSE(h.game.gameOver());
    EXPECT_EQ(h.observer.ended, 0);
}

TEST(Restart, DuringATurnChangeTheOldTurnChangeNeverRuns) {
    GameHarness h;
    h.startGame(original());
    h.game.PLKlik(0, 0);
    h.game.PLKlik(1, 1);
    ASSERT_TRUE(h.timers.isActive(GameTimer::TimCHng));
    h.game.NG_Click();
    EXPECT_FALSE(h.timers.isActive(GameTimer::TimCHng));
    h.observer.turns.clear();
    ASSERT_EQ(h.timers.fireNext(), GameTimer::Timer1);
    ASSERT_EQ(h.timers.fireNext(), GameTimer::TimCHng);
    EXPECT_EQ(h.observer.turns, std::vector<int>{1});
    EXPECT_EQ(h.game.board(), test::boardFrom(original()));
}

TEST(Restart, SameSetupFreshCounterAndNothingSelected) {
    GameHarness h;
    h.startGame(original(), "1", "Alice", "Bob", {4, 1});
    h.move(0, 0, 1, 1);
    h.move(10, 0, 9, 1);
    h.game.PLKlik(1, 1);
    ASSERT_EQ(h.game.selectionState(), 1);
    h.game.NG_Click();
    EXPECT_EQ(h.game.selectionState(), 0);
    EXPECT_EQ(h.game.board().count().tokens1, 0);  // cleared until the start runs
    EXPECT_TRUE(h.timers.isActive(GameTimer::Timer1));
    EXPECT_FALSE(h.timers.isActive(GameTimer::TimerT));
    h.timers.fire(GameTimer::Timer1);
    h.timers.fire(GameTimer::TimCHng);
    EXPECT_EQ(h.game.board(), test::boardFrom(original()));
    EXPECT_DOUBLE_EQ(h.game.moveCounter(), 0.5);
    EXPECT_EQ(h.game.timeLeft(1), 600);
    EXPECT_EQ(h.game.timeLeft(2), 5400);
    EXPECT_FALSE(h.game.lastMoveSource().has_value());
    for (int x = 0; x < 11; ++x) {
        for (int y = 0; y < 11; ++y)
            EXPECT_EQ(h.game.marks().at(x, y), 0);
    }
}

TEST(NewGame, StripsTheStartingDigitAndStopsEveryTimer) {
    GameHarness h;
    h.startGame(original());
    h.game.PLKlik(0, 0);
    h.game.UNG_Click();
    EXPECT_EQ(h.game.setup().descriptor, original());
    EXPECT_EQ(h.game.selectionState(), 0);
    for (auto t : {GameTimer::Timer1, GameTimer::TimCHng, GameTimer::TimPC, GameTimer::TimerT}) {
        EXPECT_FALSE(h.timers.isActive(t));
    }
    EXPECT_EQ(h.game.board().count().free, 0);
    // The next start has nothing selected and no marks.
    h.startGame(rows({"+XX", "XXX", "XX-"}));
    EXPECT_EQ(h.game.selectionState(), 0);
    EXPECT_EQ(h.game.marks().at(1, 0), 0);
}

TEST(PlayerKind, FromExactComputerNamesOnly) {
    EXPECT_EQ(playerKindFromName("PC Začátečník"), 1);
    EXPECT_EQ(playerKindFromName("PC Profesionál"), 2);
    EXPECT_EQ(playerKindFromName("PC Génius"), 3);
    EXPECT_EQ(playerKindFromName("pc génius"), 0);
    EXPECT_EQ(playerKindFromName("PC Genius"), 0);
    EXPECT_EQ(playerKindFromName(""), 0);
}

TEST(TakeBack, NothingToTakeBackAtTheStart) {
    GameHarness h;
    h.startGame(original());
    const Board before = h.game.board();
    h.game.TZ_Click(1);
    h.game.TZ_Click(2);
    EXPECT_FALSE(h.timers.isActive(GameTimer::TimCHng));
    EXPECT_EQ(h.game.board(), before);
    EXPECT_DOUBLE_EQ(h.game.moveCounter(), 0.5);
}

TEST(TakeBack, OneMoveAfterTheFirstMoveRestoresTheStart) {
    GameHarness h;
    h.startGame(original());
    h.move(0, 0, 1, 1);
    h.game.TZ_Click(2);  // fewer than two moves: nothing
    EXPECT_FALSE(h.timers.isActive(GameTimer::TimCHng));
    EXPECT_EQ(h.game.playerToMove(), 2);
    h.game.TZ_Click(1);
    EXPECT_EQ(h.game.board(), test::boardFrom(original()));
    h.timers.fire(GameTimer::TimCHng);
    EXPECT_EQ(h.game.playerToMove(), 1);
    EXPECT_DOUBLE_EQ(h.game.moveCounter(), 0.5);
    EXPECT_EQ(h.game.moveLabel(), " 1. TAH");
    EXPECT_TRUE(h.game.takeBackUnavailable());
}

TEST(TakeBack, TwoMovesAfterThreeRestoresEntryOneWithPlayerTwoToMove) {
    GameHarness h;
    h.startGame(original());
    h.move(0, 0, 1, 1);
    const std::string afterFirst = MakeSnapshot(h.game.board());
    h.move(10, 0, 9, 1);
    h.move(1, 1, 2, 2);
    ASSERT_EQ(h.game.playerToMove(), 2);
    h.game.TZ_Click(2);
    EXPECT_EQ(h.game.moveLabel(), " 2. TAH");  // written by the take-back
    h.timers.fire(GameTimer::TimCHng);
    EXPECT_EQ(MakeSnapshot(h.game.board()), afterFirst);
    EXPECT_EQ(h.game.playerToMove(), 2);
    EXPECT_EQ(h.game.moveLabel(), " 1. TAH");
    EXPECT_EQ(h.game.movesMade(), 1);
    EXPECT_EQ(h.game.moveList()[1], afterFirst);
}

TEST(TakeBack, OneMoveReturnsCapturedTokensAndRedrawsOnlyChangedCells) {
    GameHarness h;
    h.startGame(rows({"X-XX", "-X-X", "X+XX", "XXX-"}));
    h.move(1, 2, 1, 1);  // the copy onto (1,1) captures (1,0), (0,1) and (2,1)
    const int captured = h.game.board().count().tokens1;
    ASSERT_EQ(captured, 5);
    h.observer.changedCells.clear();
    h.game.TZ_Click(1);
    EXPECT_EQ(h.observer.changedCells.size(), 4u);
    h.timers.fire(GameTimer::TimCHng);
    EXPECT_EQ(h.game.board(), test::boardFrom(rows({"X-XX", "-X-X", "X+XX", "XXX-"})));
    EXPECT_EQ(h.game.playerToMove(), 1);
}

TEST(TakeBack, RefusedDuringATurnChangeAndAfterTheEnd) {
    GameHarness h;
    h.startGame(original());
    h.move(0, 0, 1, 1);
    h.move(10, 0, 9, 1);
    h.game.PLKlik(1, 1);
    h.game.PLKlik(2, 2);
    ASSERT_TRUE(h.timers.isActive(GameTimer::TimCHng));
    const Board before = h.game.board();
    h.game.TZ_Click(1);
    EXPECT_EQ(h.game.board(), before);
    h.timers.fire(GameTimer::TimCHng);
    EXPECT_EQ(h.game.playerToMove(), 2);

    GameHarness ended;
    ended.startGame(rows({"+-XX", "XXXX", "XXXX", "XXXX"}));
    ended.move(0, 0, 0, 1);
    ASSERT_TRUE(ended.game.gameOver());
    const Board full = ended.game.board();
    ended.game.TZ_Click(1);
    EXPECT_EQ(ended.game.board(), full);
}

}  // namespace
}  // namespace tomelin
