// "PC Velmistr" in the turn sequence: its searches (the computer's move and the hint) and
// the redo of taken-back moves.

#include <algorithm>

#include "core/game.h"

namespace tomelin {

namespace {
// The progress bar counts completed depths on this scale.
constexpr int kProgressDepths = 10;
}  // namespace

Game::~Game() {
    // Stop a search still running, but tell nobody: the observers may already be gone.
    if (m_searchKind != SearchKind::None) {
        m_searchKind = SearchKind::None;
        ++m_searchTicket;
        runner().cancel();
    }
}

void Game::setSearchRunner(SearchRunner* runner) {
    cancelMasterSearch();
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

void Game::startMasterSearch(int player, SearchKind kind) {
    cancelMasterSearch();
    Position position = m_pos;
    position.setToMove(playerOf(player));
    m_searchedPosition = position;
    m_searchKind = kind;
    const std::uint64_t ticket = ++m_searchTicket;
    const int secondsLeft = m_timeLeft[static_cast<std::size_t>(player)];
    const int ms = kind == SearchKind::Move && secondsLeft > 0
                       ? tomelin::masterMoveTimeMs(secondsLeft, m_masterMoveMs)
                       : m_masterMoveMs;
    SearchRequest request;
    request.position = position;
    request.logic = m_logic;
    request.timeMs = ms;
    request.ticket = ticket;
    runner().begin(
        request,
        [this](std::uint64_t t, const SearchReport& report) { masterSearchDone(t, report); },
        [this, player](std::uint64_t t, int depth) {
            if (t != m_searchTicket || m_searchKind == SearchKind::None)
                return;
            if (m_searchKind == SearchKind::Move)
                m_obs->progressStep(std::min(depth, kProgressDepths) - 1, kProgressDepths, player);
            m_searchObs->searchDepthDone(depth);
        });
}

void Game::masterSearchDone(std::uint64_t ticket, const SearchReport& report) {
    if (ticket != m_searchTicket || m_searchKind == SearchKind::None)
        return;
    const SearchKind kind = m_searchKind;
    m_searchKind = SearchKind::None;
    // Only a move found for the very position on the board is ever played or shown.
    Position now = m_pos;
    now.setToMove(m_searchedPosition.toMove());
    const bool valid = now == m_searchedPosition && report.move &&
                       now.isLegal(m_logic, *report.move) && !m_gameOver;
    if (kind == SearchKind::Move) {
        m_obs->progressCleared();
        if (!valid)
            return;
        m_pcMove = report.move;
        m_pcFirstClickGiven = false;
        m_timers.start(GameTimer::TimPC, kPcFirstInterval);
        m_obs->thinkingChanged(false);
        return;
    }
    if (!valid || !personMayClick() || playerOf(m_playerToMove) != m_searchedPosition.toMove())
        return;
    m_hint = report.move;
    m_searchObs->hintChanged(&*m_hint);
}

void Game::cancelMasterSearch() {
    if (m_searchKind == SearchKind::None)
        return;
    const SearchKind kind = m_searchKind;
    m_searchKind = SearchKind::None;
    ++m_searchTicket;
    runner().cancel();
    if (kind == SearchKind::Move)
        m_obs->progressCleared();
}

void Game::releaseSearchTables() {
    cancelMasterSearch();
    // A runner that never searched holds nothing; the inline one is not made just for this.
    if (m_runner)
        m_runner->releaseTables();
    else if (m_inlineRunner)
        m_inlineRunner->releaseTables();
}

void Game::clearHint() {
    if (m_searchKind == SearchKind::Hint)
        cancelMasterSearch();
    if (!m_hint)
        return;
    m_hint.reset();
    m_searchObs->hintChanged(nullptr);
}

void Game::requestHint() {
    if (!personMayClick() || searching())
        return;
    if (m_timers.isActive(GameTimer::TimCHng) || m_timers.isActive(GameTimer::Timer1))
        return;
    if (!hasLegalMove(m_playerToMove))
        return;
    clearHint();
    startMasterSearch(m_playerToMove, SearchKind::Hint);
}

bool Game::redoAvailable() const {
    if (m_gameOver || m_resultShown)
        return false;
    if (m_timers.isActive(GameTimer::TimCHng) || m_timers.isActive(GameTimer::Timer1))
        return false;
    const int entry = movesMade() + 2;
    if (m_redoUpTo < entry || entry >= static_cast<int>(m_moveList.size()))
        return false;
    const auto n = static_cast<std::size_t>(m_board.side());
    return m_moveList[static_cast<std::size_t>(entry)].size() == n * n;
}

void Game::redo() {
    if (!redoAvailable())
        return;
    const auto entry = static_cast<std::size_t>(movesMade() + 2);
    cancelPendingComputerMove();
    PLKlik(-1, -1);
    RestoreSnapshot(m_board, m_moveList[entry], [this](int x, int y) { m_obs->cellChanged(x, y); });
    syncPosition();
    // The mirror of the take-back of two moves: the turn change that follows counts the
    // second move and hands the turn back to the same player.
    const double h = m_moveCounter + 0.5;
    m_moveNumber = moveNumberOf(h + 0.5);
    m_obs->moveNumberChanged(m_moveNumber);
    setPlayerToMove(3 - m_playerToMove);
    m_moveCounter = h;
    m_timers.start(GameTimer::TimCHng, kTurnChangeInterval);
    recountAndEndIfFull();
}

}  // namespace tomelin
