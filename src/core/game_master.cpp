// "PC Velmistr"'s search runner in the turn sequence (the hint's search is a HintSearch,
// core/hint_search.h) and the redo of taken-back moves.

#include <algorithm>

#include "core/game.h"

namespace tomelin {

Game::~Game() = default;

void Game::setSearchRunner(SearchRunner* runner) {
    cancelMoveRequest();
    m_listener->searchesStopped();
    m_runner = runner;
}

SearchRunner& Game::runner() {
    if (m_runner)
        return *m_runner;
    if (!m_inlineRunner)
        m_inlineRunner = std::make_unique<InlineSearchRunner>();
    return *m_inlineRunner;
}

void Game::releaseSearchTables() {
    cancelMoveRequest();
    m_listener->searchesStopped();
    // A runner that never searched holds nothing; the inline one is not made just for this.
    if (m_runner)
        m_runner->releaseTables();
    else if (m_inlineRunner)
        m_inlineRunner->releaseTables();
}

bool Game::redoAvailable() const {
    if (m_gameOver || m_resultShown)
        return false;
    if (turnPending())
        return false;
    const int entry = movesMade() + 2;
    if (m_redoUpTo < entry || entry >= static_cast<int>(m_moveList.size()))
        return false;
    const auto n = static_cast<std::size_t>(m_pos.side());
    return m_moveList[static_cast<std::size_t>(entry)].size() == n * n;
}

void Game::redo() {
    if (!redoAvailable())
        return;
    const auto entry = static_cast<std::size_t>(movesMade() + 2);
    cancelPendingComputerMove();
    clickCell(-1, -1);
    restoreEntry(m_moveList[entry]);
    clearLastMove();
    tellPositionReset();
    // The mirror of the take-back of two moves: the turn change that follows counts the
    // second move and hands the turn back to the same player.
    const double h = m_moveCounter + 0.5;
    m_moveNumber = moveNumberOf(h + 0.5);
    m_obs->moveNumberChanged(m_moveNumber);
    setPlayerToMove(opponent(m_playerToMove));
    m_moveCounter = h;
    m_timers.start(GameTimer::TurnChange, kTurnChangeInterval);
    recountAndEndIfFull();
}

}  // namespace tomelin
