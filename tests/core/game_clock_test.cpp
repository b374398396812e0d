// The players' clocks on their own: the start and resumed labels, the countdown with its
// special codes, and the flashing of a run-out clock.

#include <gtest/gtest.h>

#include <tuple>

#include "core/game_clock.h"
#include "core/manual_timer_host.h"
#include "game_harness.h"

namespace tomelin {
namespace {

using namespace test;

// The clock labels as the window would show them, and how often each colour was told.
struct ClockLabels : GameObserver {
    std::array<std::string, 3> text{"<none>", "<none>", "<none>"};
    std::array<Rgb, 3> colour{0, 0, 0};
    int colourReports = 0;
    void clockTextChanged(Player p, const std::string& t) override {
        text[static_cast<std::size_t>(number(p))] = t;
    }
    void clockColourChanged(Player p, Rgb c) override {
        colour[static_cast<std::size_t>(number(p))] = c;
        ++colourReports;
    }
};

GameSetup setupOf(PlayerKind kind1, TimeLimit limit1, PlayerKind kind2, TimeLimit limit2) {
    GameSetup setup;
    setup.players[0].kind = kind1;
    setup.players[0].timeLimit = limit1;
    setup.players[1].kind = kind2;
    setup.players[1].timeLimit = limit2;
    return setup;
}

TEST(GameClock, StartShowsAPersonsLimitedTimeAndNothingElse) {
    const TimeLimit tenMinutes = TimeLimit::of(std::chrono::minutes(10));
    // Kind and limit of player one; its time left and label after the start.
    const std::tuple<PlayerKind, TimeLimit, int, const char*> cases[] = {
        {PlayerKind::Person, tenMinutes, 600, "0:10:00"},
        {PlayerKind::Person, TimeLimit::none(), kTimeUnlimited, ""},
        {PlayerKind::Genius, tenMinutes, 600, ""},
    };
    for (const auto& [kind, limit, left, label] : cases) {
        SCOPED_TRACE(label);
        GameClock clock;
        ClockLabels labels;
        clock.start(setupOf(kind, limit, PlayerKind::Person, TimeLimit::none()), labels);
        EXPECT_EQ(clock.timeLeft(Player::One), left);
        EXPECT_EQ(labels.text[1], label);
        EXPECT_EQ(labels.text[2], "");
        EXPECT_EQ(clock.colour(Player::One), kWhite);
        EXPECT_EQ(clock.interval(), kClockInterval);
    }
}

TEST(GameClock, TicksCountDownRunOutOnceAndMarkAnUnlimitedClockAsTicked) {
    GameClock clock;
    ClockLabels labels;
    clock.start(setupOf(PlayerKind::Person, listLimit(4), PlayerKind::Genius, TimeLimit::none()),
                labels);
    // An unlimited clock ticks once into its own code and stays there.
    EXPECT_FALSE(clock.tick(Player::Two, labels));
    EXPECT_EQ(clock.timeLeft(Player::Two), kTimeUnlimitedTicked);
    EXPECT_FALSE(clock.tick(Player::Two, labels));
    EXPECT_EQ(clock.timeLeft(Player::Two), kTimeUnlimitedTicked);

    for (int left = 599; left >= 1; --left) {
        ASSERT_FALSE(clock.tick(Player::One, labels));
        ASSERT_EQ(clock.timeLeft(Player::One), left);
    }
    EXPECT_EQ(labels.text[1], "0:00:01");
    EXPECT_TRUE(clock.tick(Player::One, labels));
    EXPECT_EQ(clock.timeLeft(Player::One), kTimeRanOut);
    EXPECT_EQ(clock.timeLeft(Player::Two), kTimeOpponentRanOut);
    EXPECT_EQ(labels.text[1], "0:00:00");
    EXPECT_EQ(labels.text[2], "");
    // A clock that ran out does not run out again.
    EXPECT_FALSE(clock.tick(Player::One, labels));
    EXPECT_EQ(clock.timeLeft(Player::One), kTimeRanOut);
}

TEST(GameClock, ARunOutClockFlashesOnTheFasterIntervalAndOthersDoNot) {
    ManualTimerHost timers;
    GameClock clock;
    ClockLabels labels;
    clock.start(setupOf(PlayerKind::Person, TimeLimit::of(std::chrono::seconds(1)),
                        PlayerKind::Person, listLimit(4)),
                labels);
    const int reportsAtStart = labels.colourReports;
    clock.flash(Player::Two, labels, timers);  // still running: nothing flashes
    EXPECT_EQ(labels.colourReports, reportsAtStart);
    EXPECT_FALSE(timers.isActive(GameTimer::Clock));

    ASSERT_TRUE(clock.tick(Player::One, labels));
    const Rgb expected[] = {kFlashRed, kWhite, kFlashRed};
    for (const Rgb colour : expected) {
        clock.flash(Player::One, labels, timers);
        EXPECT_EQ(clock.colour(Player::One), colour);
        EXPECT_EQ(labels.colour[1], colour);
    }
    EXPECT_EQ(clock.interval(), kClockFlashInterval);
    EXPECT_TRUE(timers.isActive(GameTimer::Clock));
    EXPECT_EQ(labels.colourReports, reportsAtStart + 3);
}

TEST(GameClock, ResumeShowsTheKeptTimesAsTheClockShowedThem) {
    const GameSetup setup =
        setupOf(PlayerKind::Person, listLimit(4), PlayerKind::Genius, listLimit(4));
    // Kept times (one, two); labels; interval.
    const std::tuple<std::array<int, 2>, const char*, const char*, int> cases[] = {
        {{300, 600}, "0:05:00", "", kClockInterval},  // the computer's has not ticked yet
        {{300, 599}, "0:05:00", "0:09:59", kClockInterval},
        {{kTimeRanOut, kTimeOpponentRanOut}, "0:00:00", "", kClockFlashInterval},
    };
    for (const auto& [kept, label1, label2, interval] : cases) {
        SCOPED_TRACE(label2);
        GameClock clock;
        ClockLabels labels;
        clock.resume(setup, kept, labels);
        EXPECT_EQ(clock.timeLeft(Player::One), kept[0]);
        EXPECT_EQ(clock.timeLeft(Player::Two), kept[1]);
        EXPECT_EQ(labels.text[1], label1);
        EXPECT_EQ(labels.text[2], label2);
        EXPECT_EQ(clock.interval(), interval);
    }
}

}  // namespace
}  // namespace tomelin
