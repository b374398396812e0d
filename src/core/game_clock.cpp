// The game clock: `onClockTimer`'s countdown (`TimerT_Timer`) with its special codes, and
// `clockText` (`CoCas`).

#include "core/game.h"

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

void Game::onClockTimer() {
    // No game running, the game over, or the window minimized (the way to pause).
    if (!m_boardEnabled || m_minimized)
        return;
    const Player p = m_playerToMove;
    const Player o = opponent(p);
    int& mine = m_timeLeft[index(p)];
    if (mine > 0) {
        --mine;
        m_obs->clockTextChanged(p, clockText(mine));
    }
    if (mine == 0) {
        mine = kTimeRanOut;
        m_timeLeft[index(o)] = kTimeOpponentRanOut;
        m_obs->clockTextChanged(p, "0:00:00");
        m_obs->clockTextChanged(o, "");
        clockRanOut(p);
    }
    if (mine == kTimeUnlimited) {
        mine = kTimeUnlimitedTicked;
        m_obs->clockTextChanged(p, "");
    }
    if (mine == kTimeRanOut) {
        if (m_clockInterval != kClockFlashInterval) {
            m_clockInterval = kClockFlashInterval;
            m_timers.start(GameTimer::Clock, m_clockInterval);
        }
        Rgb& colour = m_clockColour[index(p)];
        if (colour == kWhite) {
            colour = kFlashRed;
            m_obs->clockColourChanged(p, colour);
        } else if (colour == kFlashRed) {
            colour = kWhite;
            m_obs->clockColourChanged(p, colour);
        }
    }
}

void Game::clockRanOut(Player player) {
    // A person whose time runs out in the middle of their own turn could no longer click,
    // and nobody else would move: the computer takes this turn over at once, at the weakest
    // strength, as the turn change does for such a person.
    const GamePlayer* seated = m_players[index(player)].get();
    const bool waitingForPerson =
        seated && seated->movesByClicks() && !m_gameOver && !computerMovePending() &&
        !m_timers.isActive(GameTimer::TurnChange) && !m_timers.isActive(GameTimer::Start);
    if (!waitingForPerson || !hasLegalMove(player))
        return;
    cancelSelection();
    standInMoves(player, 0);
}

}  // namespace tomelin
