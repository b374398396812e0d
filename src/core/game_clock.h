#pragma once
// The two players' clocks (`TimeLeft`, the countdown of `TimerT_Timer`): the seconds left or
// one of the special codes of core/game_setup.h, the clock labels' colours and the tick
// interval. The turn sequence ticks the mover's clock and decides what a run-out time means
// for the game; the clock only counts and tells the labels.

#include <array>
#include <string>

#include "core/game_setup.h"
#include "core/player.h"
#include "core/ports.h"
#include "core/rgb.h"

namespace tomelin {

// The clock's tick interval in milliseconds, and the faster one of the flashing label once a
// time has run out.
inline constexpr int kClockInterval = 1000;
inline constexpr int kClockFlashInterval = 100;

// Seconds as "h:mm:ss" (`CoCas`).
std::string clockText(int seconds);

class GameClock {
public:
    // Seconds left, or kTimeUnlimited, kTimeUnlimitedTicked, kTimeRanOut, kTimeOpponentRanOut.
    int timeLeft(Player player) const { return m_timeLeft[index(player)]; }
    // The clock label's text colour: white, or the flashing red once the time ran out.
    Rgb colour(Player player) const { return m_colour[index(player)]; }
    int interval() const { return m_interval; }

    // A game starts: each clock from its player's limit. A person sees a limited time from
    // the start; a computer's clock shows once it ticks.
    void start(const GameSetup& setup, GameObserver& observer);
    // A kept game goes on: the kept times (player one's, player two's), shown as the clock
    // showed them.
    void resume(const GameSetup& setup, const std::array<int, 2>& timeLeft, GameObserver& observer);
    // One tick of the mover's clock; true when its time ran out with this tick (the
    // opponent's clock then stops for good).
    bool tick(Player mover, GameObserver& observer);
    // After a tick: a run-out clock flashes its label, on the faster interval, which it
    // sets on `timers`.
    void flash(Player mover, GameObserver& observer, TimerHost& timers);

private:
    static constexpr std::size_t index(Player p) { return static_cast<std::size_t>(number(p)); }

    std::array<int, 3> m_timeLeft{0, kTimeUnlimited, kTimeUnlimited};
    std::array<Rgb, 3> m_colour{kWhite, kWhite, kWhite};
    int m_interval = kClockInterval;
};

}  // namespace tomelin
