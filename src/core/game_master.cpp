// "PC Velmistr" in the turn sequence: its searches (the computer's move and the hint) and
// the redo of taken-back moves.

#include <algorithm>

#include "core/game.h"

namespace tomelin {

Game::~Game() {
    // Stop a hint search still running, but tell nobody: the observers may already be gone.
    // A seated player still thinking stops its own search as it goes.
    if (m_hintSearching) {
        m_hintSearching = false;
        ++m_hintTicket;
        runner().cancel();
    }
}

void Game::setSearchRunner(SearchRunner* runner) {
    cancelMoveRequest();
    cancelHintSearch();
    m_runner = runner;
}

void Game::setSearchObserver(SearchObserver* observer) {
    m_searchObs = observer ? observer : &m_nullSearchObserver;
}

SearchRunner& Game::runner() {
    if (m_runner)
        return *m_runner;
    if (!m_inlineRunner)
        m_inlineRunner = std::make_unique<InlineSearchRunner>();
    return *m_inlineRunner;
}

void Game::startHintSearch() {
    cancelHintSearch();
    Position position = m_pos;
    position.setToMove(m_playerToMove);
    m_hintPosition = position;
    m_hintSearching = true;
    SearchRequest request;
    request.position = position;
    request.logic = m_logic;
    request.timeMs = m_masterMoveMs;
    request.ticket = ++m_hintTicket;
    runner().begin(
        request, [this](std::uint64_t t, const SearchReport& report) { hintSearchDone(t, report); },
        [this](std::uint64_t t, int depth) {
            if (t != m_hintTicket || !m_hintSearching)
                return;
            m_searchObs->searchDepthDone(depth);
        });
}

void Game::hintSearchDone(std::uint64_t ticket, const SearchReport& report) {
    if (ticket != m_hintTicket || !m_hintSearching)
        return;
    m_hintSearching = false;
    // Only a move found for the very position on the board is ever shown.
    Position now = m_pos;
    now.setToMove(m_hintPosition.toMove());
    const bool valid =
        now == m_hintPosition && report.move && now.isLegal(m_logic, *report.move) && !m_gameOver;
    if (!valid || !personMayClick() || m_playerToMove != m_hintPosition.toMove())
        return;
    m_hint = report.move;
    m_searchObs->hintChanged(&*m_hint);
}

void Game::cancelHintSearch() {
    if (!m_hintSearching)
        return;
    m_hintSearching = false;
    ++m_hintTicket;
    runner().cancel();
}

void Game::releaseSearchTables() {
    cancelMoveRequest();
    cancelHintSearch();
    // A runner that never searched holds nothing; the inline one is not made just for this.
    if (m_runner)
        m_runner->releaseTables();
    else if (m_inlineRunner)
        m_inlineRunner->releaseTables();
}

void Game::clearHint() {
    cancelHintSearch();
    if (!m_hint)
        return;
    m_hint.reset();
    m_searchObs->hintChanged(nullptr);
}

void Game::requestHint() {
    if (!personMayClick() || searching())
        return;
    if (m_timers.isActive(GameTimer::TurnChange) || m_timers.isActive(GameTimer::Start))
        return;
    if (!hasLegalMove(m_playerToMove))
        return;
    clearHint();
    startHintSearch();
}

bool Game::redoAvailable() const {
    if (m_gameOver || m_resultShown)
        return false;
    if (m_timers.isActive(GameTimer::TurnChange) || m_timers.isActive(GameTimer::Start))
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
