#include "core/hint_search.h"

#include "core/person_input.h"

namespace tomelin {

HintSearch::HintSearch(Game& game, SearchRunner& runner) : m_game(game), m_runner(runner) {
    m_game.setListener(this);
}

HintSearch::~HintSearch() {
    // Stop a search still running, but tell nobody: the observer may already be gone.
    if (m_searching) {
        m_searching = false;
        ++m_ticket;
        m_runner.cancel();
    }
    m_game.setListener(nullptr);
}

void HintSearch::setObserver(SearchObserver* observer) {
    m_obs = observer ? observer : &m_nullObserver;
}

void HintSearch::request() {
    if (!personMayClick(m_game) || m_game.searching() || m_searching)
        return;
    if (m_game.turnPending())
        return;
    if (!hasLegalMove(m_game.position(), m_game.logic(), m_game.playerToMove()))
        return;
    clear();
    start();
}

void HintSearch::start() {
    cancel();
    Position position = m_game.position();
    position.setToMove(m_game.playerToMove());
    m_position = position;
    m_searching = true;
    SearchRequest request;
    request.position = position;
    request.logic = m_game.logic();
    request.timeMs = m_game.masterMoveTimeMs();
    request.ticket = ++m_ticket;
    m_runner.begin(
        request, [this](std::uint64_t t, const SearchReport& report) { done(t, report); },
        [this](std::uint64_t t, int depth) {
            if (t != m_ticket || !m_searching)
                return;
            m_obs->searchDepthDone(depth);
        });
}

void HintSearch::done(std::uint64_t ticket, const SearchReport& report) {
    if (ticket != m_ticket || !m_searching)
        return;
    m_searching = false;
    // Only a move found for the very position on the board is ever shown.
    Position now = m_game.position();
    now.setToMove(m_position.toMove());
    const bool valid = now == m_position && report.move &&
                       now.isLegal(m_game.logic(), *report.move) && !m_game.gameOver();
    if (!valid || !personMayClick(m_game) || m_game.playerToMove() != m_position.toMove())
        return;
    m_hint = report.move;
    m_obs->hintChanged(&*m_hint);
}

void HintSearch::cancel() {
    if (!m_searching)
        return;
    m_searching = false;
    ++m_ticket;
    m_runner.cancel();
}

void HintSearch::clear() {
    cancel();
    if (!m_hint)
        return;
    m_hint.reset();
    m_obs->hintChanged(nullptr);
}

}  // namespace tomelin
