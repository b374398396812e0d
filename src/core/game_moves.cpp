// Move rules (`PLKlik`), board clicks, take-back (`TZ_Click`) and the recount that can end the
// game (`Score`).

#include <algorithm>
#include <cmath>

#include "core/game.h"

namespace tomelin {

void Game::PLKlik(int x, int y) {
    // A move was just made and the turn has not passed yet.
    if (m_timers.isActive(GameTimer::TimCHng))
        return;
    clearHint();
    if (m_selectionState == 2)
        m_selectionState = 0;

    bool moved = false;
    if (m_selectionState == 1) {
        const std::uint8_t m = m_marks.at(x, y);
        if (m == Marks::kJump || m == Marks::kCopy) {
            makeMove({{m_selX, m_selY}, {x, y}, m == Marks::kJump ? MoveKind::Jump : MoveKind::Copy});
            moved = true;
        }
        m_selectionState = (m == Marks::kSelected || moved) ? 2 : 0;
        m_marks.clear();
        // `ShBrd` on the old selection: its cells lose their highlight.
        m_obs->ringsChanged(m_selX, m_selY);
        m_obs->selectionMarkerChanged(nullptr);
    }

    if (m_selectionState != 0)
        return;
    // Only the mover's own tokens can be selected; clicks off the board find no cell.
    if (m_pos.at(x, y) != tokenOf(m_playerToMove))
        return;
    const CellPos cell{x, y};
    m_obs->selectionMarkerChanged(&cell);
    // Marks on the cells the token can reach: a copy or jump onto a free cell.
    const Directions& dirs = *m_dirs;
    for (int d = 0; d < dirs.count(); ++d) {
        const auto du = static_cast<std::size_t>(d);
        const bool copy = dirs.kind[du] == Directions::kCopyKind;
        const Move move{cell, {x + dirs.dx[du], y + dirs.dy[du]},
                        copy ? MoveKind::Copy : MoveKind::Jump};
        if (m_pos.isLegal(m_logic, move))
            m_marks.set(move.to.x, move.to.y, copy ? Marks::kCopy : Marks::kJump);
    }
    m_marks.set(x, y, Marks::kSelected);
    m_selX = x;
    m_selY = y;
    m_selectionState = 1;
    m_obs->ringsChanged(x, y);
}

void Game::makeMove(const Move& move) {
    const int p = m_playerToMove;
    const Played played = m_pos.play(m_logic, move);
    m_redoUpTo = 0;  // a new line of play: nothing to redo any more
    // The turn passes at the turn change, not with the move.
    m_pos.setToMove(playerOf(p));
    syncBoard();
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
            m_players[side]->moveMade(playerOf(p), move, m_pos);
    }
    m_obs->moveMade(p, move.from, move.to);
    recountAndEndIfFull();
    m_timers.start(GameTimer::TimCHng, kTurnChangeInterval);
}

void Game::PL_MouseDown(CellPos cell) {
    if (!personMayClick())
        return;
    PLKlik(cell.x, cell.y);
}

void Game::TZ_Click(int i) {
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
    if (m_timers.isActive(GameTimer::TimCHng) || m_timers.isActive(GameTimer::Timer1))
        return;
    const auto entry = static_cast<std::size_t>(made - i);
    const auto n = static_cast<std::size_t>(m_board.side());
    if (entry >= m_moveList.size() || m_moveList[entry].size() != n * n)
        return;

    // A computer move chosen for the old position must never be played on the new one.
    cancelPendingComputerMove();
    PLKlik(-1, -1);
    m_redoUpTo = std::max(m_redoUpTo, made);
    h = h - i - (2.0 - i) / 2;
    RestoreSnapshot(m_board, m_moveList[entry], [this](int x, int y) { m_obs->cellChanged(x, y); });
    syncPosition();
    tellPositionReset();
    h = h + i / 2.0;
    m_moveNumber = moveNumberOf(h);
    m_obs->moveNumberChanged(m_moveNumber);
    if (i == 2) {
        h -= 0.5;
        setPlayerToMove(3 - m_playerToMove);
    }
    m_moveCounter = h;
    m_timers.start(GameTimer::TimCHng, kTurnChangeInterval);
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
    if (!m_timers.isActive(GameTimer::TimerT))
        m_timers.start(GameTimer::TimerT, m_clockInterval);
    m_takeBackUnavailable = false;  // force the notification below
    setTakeBackUnavailable(true);
    m_resultShown = true;
    setBoardEnabled(false);
    m_gameOver = true;
    releaseSearchTables();
    m_obs->gameEnded(c.tokens1, c.tokens2, m_pos.winner());
}

}  // namespace tomelin
