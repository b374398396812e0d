// The computer's turn: `PcIQ` chooses a move, `TimPC_Timer` plays it as two clicks.

#include <algorithm>
#include <cmath>

#include "core/game.h"

namespace tomelin {

void Game::PcIQ(int p, int strength) {
    if (p != 1 && p != 2)
        return;
    if (strength < 0 || strength > 3)
        strength = 2;
    m_random.seedFromTime();
    Position position = m_pos;
    position.setToMove(playerOf(p));
    const ComputerSearch::Result found =
        m_search.run(position, m_logic, strength, lastMoveOnRecord());

    // Progress as the scan goes column by column: the bar's scale is n^2 - n - 1, so it is
    // full before the last cells are scanned; the percentage runs up to 100 n^2 / (n^2 - 1).
    const int n = m_board.side();
    const int cells = n * n;
    const int scale = cells - n - 1;
    for (int i = 0; i < cells; ++i) {
        m_obs->progressStep(i, scale, p);
        const double progress = (i + 1) * 100.0 / (cells - 1);
        m_obs->searchProgressChanged(static_cast<int>(std::floor(progress)));
    }

    const std::vector<int>& best = *found.best;
    if (!best.empty()) {
        double u = m_random.next();
        // A faulty source (NaN, below 0, 1 or more) must never pick outside the list.
        if (!(u >= 0.0))
            u = 0.0;
        if (u > 1.0)
            u = 1.0;
        const auto r = static_cast<std::size_t>(std::floor(u * static_cast<double>(best.size())));
        m_pcMove =
            (*found.candidates)[static_cast<std::size_t>(best[std::min(r, best.size() - 1)])].move;
        m_pcFirstClickGiven = false;
        m_timers.start(GameTimer::TimPC, kPcFirstInterval);
    }
    m_obs->progressCleared();
    m_obs->thinkingChanged(false);
}

void Game::TimPC_Timer() {
    if (!m_pcMove) {
        m_timers.stop(GameTimer::TimPC);
        return;
    }
    if (!m_pcFirstClickGiven) {
        m_timers.start(GameTimer::TimPC, kPcSecondInterval);
        m_pcFirstClickGiven = true;
        PLKlik(m_pcMove->from.x, m_pcMove->from.y);
        return;
    }
    const Move move = *m_pcMove;
    m_pcMove.reset();
    m_pcFirstClickGiven = false;
    m_timers.stop(GameTimer::TimPC);
    // A full redraw between the two clicks cancels the selection; select again so that the
    // chosen move is still made and the game does not stop with nobody to move.
    if (m_selectionState != 1 || m_selX != move.from.x || m_selY != move.from.y) {
        PLKlik(move.from.x, move.from.y);
    }
    PLKlik(move.to.x, move.to.y);
}

}  // namespace tomelin
