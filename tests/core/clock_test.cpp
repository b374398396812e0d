#include <gtest/gtest.h>

#include "game_harness.h"

namespace tomelin {
namespace {

using test::GameHarness;

std::string original() {
    return findBuiltinBoard("Originál")->boardString;
}

std::string lastClockText(const test::RecordingObserver& o, int player) {
    for (auto it = o.clockTexts.rbegin(); it != o.clockTexts.rend(); ++it) {
        if (it->first == player)
            return it->second;
    }
    return "<none>";
}

TEST(CoCas, FormatsHoursMinutesSeconds) {
    EXPECT_EQ(CoCas(5400), "1:30:00");
    EXPECT_EQ(CoCas(599), "0:09:59");
    EXPECT_EQ(CoCas(0), "0:00:00");
    EXPECT_EQ(CoCas(36000 + 61), "10:01:01");
    EXPECT_EQ(CoCas(-5), "0:00:00");
}

TEST(TimeLimits, ListPositionsToSeconds) {
    EXPECT_EQ(timeLimitSeconds(0), kTimeUnlimited);
    EXPECT_EQ(timeLimitSeconds(1), 5400);
    EXPECT_EQ(timeLimitSeconds(2), 3600);
    EXPECT_EQ(timeLimitSeconds(3), 1800);
    EXPECT_EQ(timeLimitSeconds(4), 600);
    EXPECT_EQ(timeLimitSeconds(7), kTimeUnlimited);
}

TEST(GameClock, TenMinutesShowsAndCountsDownForThePlayerToMove) {
    GameHarness h;
    h.startGame(original(), "1", "Alice", "Bob", {4, 0});
    EXPECT_EQ(lastClockText(h.observer, 1), "0:10:00");
    EXPECT_EQ(lastClockText(h.observer, 2), "");
    h.timers.fire(GameTimer::TimerT);
    EXPECT_EQ(h.game.timeLeft(1), 599);
    EXPECT_EQ(lastClockText(h.observer, 1), "0:09:59");
    EXPECT_EQ(h.game.timeLeft(2), kTimeUnlimited);
    // Player 2's unlimited clock turns into -3 at its first tick.
    h.move(0, 0, 1, 1);
    h.timers.fire(GameTimer::TimerT);
    EXPECT_EQ(h.game.timeLeft(2), kTimeUnlimitedTicked);
    EXPECT_EQ(h.game.timeLeft(1), 599);
}

TEST(GameClock, ComputerWithLimitShowsNothingAtTheStart) {
    GameHarness h;
    h.startGame(original(), "1", "Alice", "PC Génius", {0, 4});
    EXPECT_EQ(lastClockText(h.observer, 2), "");
    EXPECT_EQ(h.game.timeLeft(2), 600);
}

TEST(GameClock, MinimizedWindowAndFinishedGameStopTheClock) {
    GameHarness h;
    h.startGame(original(), "1", "Alice", "Bob", {4, 4});
    h.game.setMinimized(true);
    h.timers.fire(GameTimer::TimerT);
    EXPECT_EQ(h.game.timeLeft(1), 600);
    h.game.setMinimized(false);
    h.timers.fire(GameTimer::TimerT);
    EXPECT_EQ(h.game.timeLeft(1), 599);

    GameHarness ended;
    ended.startGame(test::rows({"+-XX", "XXXX", "XXXX", "XXXX"}), "1", "A", "B", {4, 4});
    ended.move(0, 0, 0, 1);
    ASSERT_TRUE(ended.game.gameOver());
    const int left = ended.game.timeLeft(ended.game.playerToMove());
    ended.timers.fire(GameTimer::TimerT);
    EXPECT_EQ(ended.game.timeLeft(ended.game.playerToMove()), left);
}

TEST(GameClock, BothUnlimitedStayEmptyAndEndAsMinusThree) {
    GameHarness h;
    h.startGame(original());
    h.timers.fire(GameTimer::TimerT);
    h.move(0, 0, 1, 1);
    h.timers.fire(GameTimer::TimerT);
    EXPECT_EQ(h.game.timeLeft(1), kTimeUnlimitedTicked);
    EXPECT_EQ(h.game.timeLeft(2), kTimeUnlimitedTicked);
    for (const auto& [p, text] : h.observer.clockTexts)
        EXPECT_EQ(text, "") << p;
}

// Runs player 1's clock down to `seconds` left.
void tickDownTo(GameHarness& h, int seconds) {
    while (h.game.timeLeft(1) > seconds)
        h.timers.fire(GameTimer::TimerT);
}

TEST(GameClock, RunningOutSetsTheCodesFlashesAndLetsTheComputerMoveAtOnce) {
    GameHarness h;
    h.startGame(original(), "1", "Alice", "Bob", {4, 0});
    tickDownTo(h, 1);
    h.game.PLKlik(0, 0);  // a half-made move when the time runs out
    ASSERT_EQ(h.game.selectionState(), 1);
    h.timers.fire(GameTimer::TimerT);
    EXPECT_EQ(h.game.timeLeft(1), kTimeRanOut);
    EXPECT_EQ(h.game.timeLeft(2), kTimeOpponentRanOut);
    EXPECT_EQ(lastClockText(h.observer, 1), "0:00:00");
    EXPECT_EQ(lastClockText(h.observer, 2), "");
    EXPECT_EQ(h.timers.interval(GameTimer::TimerT), 100);
    EXPECT_EQ(h.game.clockColour(1), kFlashRed);
    h.timers.fire(GameTimer::TimerT);
    EXPECT_EQ(h.game.clockColour(1), kWhite);
    h.timers.fire(GameTimer::TimerT);
    EXPECT_EQ(h.game.clockColour(1), kFlashRed);
    // The person can no longer click; the computer already holds a move for them.
    EXPECT_FALSE(h.game.personMayClick());
    EXPECT_EQ(h.game.selectionState(), 0);
    ASSERT_TRUE(h.game.computerMovePending());
    h.playComputerMove();
    EXPECT_EQ(h.game.playerToMove(), 2);
    EXPECT_EQ(h.game.board().count().tokens1 + h.game.board().count().tokens2, 4)
        << "strength 0 prefers a jump without capture";
    // Bob's clock is stopped (-4) and the computer plays for him at strength 2.
    EXPECT_TRUE(h.game.computerMovePending());
    h.playComputerMove();
    EXPECT_EQ(h.game.playerToMove(), 1);
    EXPECT_TRUE(h.game.computerMovePending());  // Alice again, at strength 0
}

TEST(GameClock, ComputerPlayerKeepsItsOwnStrengthAfterRunningOut) {
    GameHarness h;
    h.startGame(original(), "1", "PC Profesionál", "Bob", {4, 0});
    h.timers.fire(GameTimer::TimPC);
    tickDownTo(h, 0);
    EXPECT_EQ(h.game.timeLeft(1), kTimeRanOut);
    // The computer's own move is still the one it chose; nothing else was started.
    h.timers.fire(GameTimer::TimPC);
    h.timers.fire(GameTimer::TimCHng);
    EXPECT_EQ(h.game.board().count().tokens1, 3);
    EXPECT_EQ(h.game.playerToMove(), 2);
}

}  // namespace
}  // namespace tomelin
