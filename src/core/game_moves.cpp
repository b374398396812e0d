// Move rules (`PLKlik`), board clicks, take-back (`TZ_Click`) and the score (`Score`).

#include <cmath>

#include "core/game.h"

namespace tomelin {

void Game::PLKlik(int x, int y) {
    // A move was just made and the turn has not passed yet.
    if (m_timers.isActive(GameTimer::TimCHng))
        return;
    if (m_selectionState == 2)
        m_selectionState = 0;

    const Directions& dirs = *m_dirs;
    bool moved = false;
    if (m_selectionState == 1) {
        const std::uint8_t m = m_marks.at(x, y);
        if (m == Marks::kJump || m == Marks::kCopy) {
            const int p = m_playerToMove;
            const std::uint8_t own = tokenOf(p);
            const std::uint8_t opp = tokenOf(3 - p);
            const CellPos source{m_selX, m_selY};
            const CellPos target{x, y};
            m_board.set(x, y, own);
            m_lastSource = source;
            m_lastTarget = target;
            m_obs->lastMoveChanged(&source, &target);
            if (m == Marks::kJump) {
                m_board.set(m_selX, m_selY, kFreeCell);
                m_obs->cellChanged(m_selX, m_selY);
            }
            m_obs->cellChanged(x, y);
            // Captures: only opponent tokens on neighbours of the target change sides.
            for (int d = 0; d < dirs.neighbourCount(); ++d) {
                const auto du = static_cast<std::size_t>(d);
                const int cx = x + dirs.dx[du];
                const int cy = y + dirs.dy[du];
                if (m_board.at(cx, cy) == opp && dirs.kind[du] == Directions::kCopyKind) {
                    m_board.set(cx, cy, own);
                    m_obs->captureRay(target, {cx, cy});
                    m_obs->cellChanged(cx, cy);
                }
            }
            m_obs->rayParked();
            m_obs->moveMade(p, source, target);
            Score();
            m_timers.start(GameTimer::TimCHng, kTurnChangeInterval);
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
    // Only the mover's own tokens can be selected; clicks far off the grids find no cell.
    if (m_board.safeAt(x, y) != tokenOf(m_playerToMove))
        return;
    const CellPos cell{x, y};
    m_obs->selectionMarkerChanged(&cell);
    for (int d = 0; d < dirs.count(); ++d) {
        const auto du = static_cast<std::size_t>(d);
        m_marks.set(x + dirs.dx[du], y + dirs.dy[du], dirs.kind[du]);
    }
    m_marks.set(x, y, Marks::kSelected);
    m_selX = x;
    m_selY = y;
    m_selectionState = 1;
    // `ShBrd`'s rule on the marks: only free cells (and the selected token) keep theirs.
    for (int d = 0; d < dirs.count(); ++d) {
        const auto du = static_cast<std::size_t>(d);
        const int tx = x + dirs.dx[du];
        const int ty = y + dirs.dy[du];
        if (m_board.at(tx, ty) != kFreeCell && m_marks.at(tx, ty) != Marks::kSelected) {
            m_marks.set(tx, ty, Marks::kNone);
        }
    }
    m_obs->ringsChanged(x, y);
}

void Game::PL_MouseDown(double px, double py, double cellW, double cellH) {
    if (!personMayClick())
        return;
    if (!(cellW > 0) || !(cellH > 0))
        return;
    const double cx = std::floor(px / cellW);
    const double cy = std::floor(py / cellH);
    // Positions far outside the board (or not numbers at all) address no cell.
    constexpr double kFar = 1000;
    if (!(std::fabs(cx) < kFar) || !(std::fabs(cy) < kFar))
        return;
    PLKlik(static_cast<int>(cx), static_cast<int>(cy));
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
    h = h - i - (2.0 - i) / 2;
    RestoreSnapshot(m_board, m_moveList[entry], [this](int x, int y) { m_obs->cellChanged(x, y); });
    h = h + i / 2.0;
    m_moveLabel = moveLabelText(h);
    m_obs->moveLabelChanged(m_moveLabel);
    if (i == 2) {
        h -= 0.5;
        m_playerToMove = 3 - m_playerToMove;
        m_opponent = 3 - m_playerToMove;
    }
    m_moveCounter = h;
    m_timers.start(GameTimer::TimCHng, kTurnChangeInterval);
    Score();
}

void Game::Score() {
    if (m_gameOver)
        return;
    const Board::Counts c = m_board.count();
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
    const int winner = c.tokens1 > c.tokens2 ? 1 : (c.tokens2 > c.tokens1 ? 2 : 0);
    m_obs->gameEnded(c.tokens1, c.tokens2, winner);
}

}  // namespace tomelin
