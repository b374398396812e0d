// The game clock: the countdown (`TimerT_Timer`) with its special codes, and `clockText`
// (`CoCas`).

#include "core/game_clock.h"

namespace tomelin {

std::string clockText(int seconds) {
    const int t = seconds < 0 ? 0 : seconds;
    const int h = t / 3600;
    const int m = t / 60 - 60 * h;
    const int s = t - 3600 * h - 60 * m;
    auto appendTwo = [](std::string& out, int v) {
        if (v < 10)
            out.push_back('0');
        out.append(std::to_string(v));
    };
    std::string text = std::to_string(h);
    text.push_back(':');
    appendTwo(text, m);
    text.push_back(':');
    appendTwo(text, s);
    return text;
}

void GameClock::start(const GameSetup& setup, GameObserver& observer) {
    for (const Player p : {Player::One, Player::Two}) {
        const PlayerSetup& player = setup.player(p);
        m_timeLeft[index(p)] = player.timeLimit.clockStart();
        const bool shown = player.kind == PlayerKind::Person && player.timeLimit.limited();
        observer.clockTextChanged(p, shown ? clockText(m_timeLeft[index(p)]) : "");
        m_colour[index(p)] = kWhite;
        observer.clockColourChanged(p, kWhite);
    }
    m_interval = kClockInterval;
}

void GameClock::resume(const GameSetup& setup, const std::array<int, 2>& timeLeft,
                       GameObserver& observer) {
    m_interval = kClockInterval;
    for (const Player p : {Player::One, Player::Two}) {
        const auto i = static_cast<std::size_t>(number(p) - 1);
        const int t = timeLeft[i];
        m_timeLeft[index(p)] = t;
        // As the clock showed it: a person's limited time from the start on, a computer's
        // once it has ticked, the "0:00:00" of a time that ran out.
        std::string text;
        const PlayerSetup& player = setup.players[i];
        if (t > 0 && (player.kind == PlayerKind::Person || t < player.timeLimit.clockStart()))
            text = clockText(t);
        if (t == kTimeRanOut) {
            text = "0:00:00";
            m_interval = kClockFlashInterval;
        }
        observer.clockTextChanged(p, text);
        m_colour[index(p)] = kWhite;
        observer.clockColourChanged(p, kWhite);
    }
}

bool GameClock::tick(Player mover, GameObserver& observer) {
    const Player other = opponent(mover);
    int& mine = m_timeLeft[index(mover)];
    if (mine > 0) {
        --mine;
        observer.clockTextChanged(mover, clockText(mine));
    }
    if (mine == 0) {
        mine = kTimeRanOut;
        m_timeLeft[index(other)] = kTimeOpponentRanOut;
        observer.clockTextChanged(mover, "0:00:00");
        observer.clockTextChanged(other, "");
        return true;
    }
    if (mine == kTimeUnlimited) {
        mine = kTimeUnlimitedTicked;
        observer.clockTextChanged(mover, "");
    }
    return false;
}

void GameClock::flash(Player mover, GameObserver& observer, TimerHost& timers) {
    if (m_timeLeft[index(mover)] != kTimeRanOut)
        return;
    if (m_interval != kClockFlashInterval) {
        m_interval = kClockFlashInterval;
        timers.start(GameTimer::Clock, m_interval);
    }
    Rgb& colour = m_colour[index(mover)];
    if (colour == kWhite) {
        colour = kFlashRed;
        observer.clockColourChanged(mover, colour);
    } else if (colour == kFlashRed) {
        colour = kWhite;
        observer.clockColourChanged(mover, colour);
    }
}

}  // namespace tomelin
