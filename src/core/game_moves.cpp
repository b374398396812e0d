// The board's clicks (`clickCell`) and the moves they make, take-back (`takeBack`) and the recount that can end the
// game (`Score`).

#include <algorithm>
#include <cmath>

#include "core/game.h"

namespace tomelin {

void Game::clickCell(int x, int y) {
    // A move was just made and the turn has not passed yet.
    if (m_timers.isActive(GameTimer::TurnChange))
        return;
    m_listener->boardClicked();
    m_selection.click(m_pos, m_logic, x, y, *m_obs, [this](const Move& move) { makeMove(move); });
}

void Game::makeMove(const Move& move) {
    const Player p = m_playerToMove;
    const Played played = m_pos.play(m_logic, move);
    m_redoUpTo = 0;  // a new line of play: nothing to redo any more
    // The turn passes at the turn change, not with the move.
    m_pos.setToMove(p);
    m_lastSource = move.from;
    m_lastTarget = move.to;
    m_lastMove = move;
    m_obs->lastMoveChanged(&move.from, &move.to);
    if (move.kind == MoveKind::Jump)
        m_obs->cellChanged(move.from.x, move.from.y);
    m_obs->cellChanged(move.to.x, move.to.y);
    for (int k = 0; k < played.capturedCount; ++k) {
        const Cell c = played.captured[static_cast<std::size_t>(k)];
        m_obs->captureRay(move.to, c);
        m_obs->cellChanged(c.x, c.y);
    }
    m_obs->rayParked();
    for (std::size_t side = 1; side <= 2; ++side) {
        if (m_players[side])
            m_players[side]->moveMade(p, move, m_pos);
    }
    m_obs->moveMade(p, move.from, move.to);
    recountAndEndIfFull();
    m_timers.start(GameTimer::TurnChange, kTurnChangeInterval);
}

void Game::takeBack(int i) {
    if (i != 1 && i != 2)
        return;
    double h = m_moveCounter;
    const int made = static_cast<int>(2 * h) - 1;
    if (made < i)
        return;
    // A finished game cannot be taken back. During a pending turn change the move counter
    // does not yet count the last move, so the entry read would be the wrong one.
    if (m_gameOver || m_resultShown)
        return;
    if (turnPending())
        return;
    const auto entry = static_cast<std::size_t>(made - i);
    const auto n = static_cast<std::size_t>(m_pos.side());
    if (entry >= m_moveList.size() || m_moveList[entry].size() != n * n)
        return;

    // A computer move chosen for the old position must never be played on the new one.
    cancelPendingComputerMove();
    clickCell(-1, -1);
    m_redoUpTo = std::max(m_redoUpTo, made);
    h = h - i - (2.0 - i) / 2;
    restoreEntry(m_moveList[entry]);
    clearLastMove();
    tellPositionReset();
    h = h + i / 2.0;
    m_moveNumber = moveNumberOf(h);
    m_obs->moveNumberChanged(m_moveNumber);
    if (i == 2) {
        h -= 0.5;
        setPlayerToMove(opponent(m_playerToMove));
    }
    m_moveCounter = h;
    m_timers.start(GameTimer::TurnChange, kTurnChangeInterval);
    recountAndEndIfFull();
}

void Game::recountAndEndIfFull() {
    if (m_gameOver)
        return;
    const Board::Counts c = m_pos.counts();
    m_obs->scoreChanged(c.tokens1, c.tokens2, c.free);
    if (c.free != 0)
        return;
    // A full board without any token records nothing and does not end the game.
    if (c.tokens1 + c.tokens2 == 0)
        return;
    if (!m_timers.isActive(GameTimer::Clock))
        m_timers.start(GameTimer::Clock, m_clock.interval());
    m_takeBackUnavailable = false;  // force the notification below
    setTakeBackUnavailable(true);
    m_resultShown = true;
    setBoardEnabled(false);
    m_gameOver = true;
    releaseSearchTables();
    m_obs->gameEnded(c.tokens1, c.tokens2, m_pos.winner());
}

}  // namespace tomelin
