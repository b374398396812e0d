// The players in the turn sequence: seating them, asking the one to move for its move,
// taking its answer (played as two timed clicks by `onComputerClickTimer`), the stand-in.

#include <algorithm>
#include <cmath>

#include "core/game.h"
#include "core/game_players.h"

namespace tomelin {

void Game::setPlayerMaker(PlayerMaker maker) {
    m_playerMaker = std::move(maker);
}

void Game::seatPlayers() {
    cancelMoveRequest();
    PlayerServices services;
    services.random = &m_random;
    services.runner = [this]() -> SearchRunner& { return runner(); };
    for (const Player p : {Player::One, Player::Two}) {
        services.side = p;
        const PlayerKind kind = m_setup.player(p).kind;
        std::unique_ptr<GamePlayer> player =
            m_playerMaker ? m_playerMaker(kind, services) : makePlayer(kind, services);
        m_players[index(p)] = player ? std::move(player) : makePlayer(kind, services);
    }
}

void Game::askForMove(Player p, GamePlayer& player, bool standIn) {
    cancelMoveRequest();
    MoveRequest request;
    request.position = m_pos;
    request.position.setToMove(p);
    request.logic = m_logic;
    request.lastMove = lastMoveOnRecord();
    request.secondsLeft = m_clock.timeLeft(p);
    request.moveTimeMs = m_masterMoveMs;
    m_request = request;
    m_asked = &player;
    m_askedSide = p;
    m_askedStandIn = standIn;
    const std::uint64_t id = ++m_requestId;
    m_awaiting = !player.movesByClicks();
    player.requestMove(m_request, MoveReply(this, id));
}

void Game::standInMoves(Player p, int strength) {
    m_standIn = std::make_unique<RuleBasedPlayer>(strength, m_random);
    askForMove(p, *m_standIn, true);
}

void Game::cancelMoveRequest() {
    if (!m_awaiting)
        return;
    m_awaiting = false;
    ++m_requestId;
    m_asked->cancelMove();
    m_obs->progressCleared();
}

void Game::movePlayed(std::uint64_t request, const Move& move) {
    if (!waitingFor(request))
        return;
    m_awaiting = false;
    m_obs->progressCleared();
    // Only a move for the very position on the board is ever played.
    Position now = m_pos;
    now.setToMove(m_request.position.toMove());
    if (now != m_request.position || !now.isLegal(m_logic, move) || m_gameOver)
        return;
    m_pcMove = move;
    m_pcFirstClickGiven = false;
    m_timers.start(GameTimer::ComputerClicks, kComputerFirstClickInterval);
    m_obs->thinkingChanged(false);
}

void Game::moveFailed(std::uint64_t request, const std::string& reason) {
    if (!waitingFor(request))
        return;
    m_awaiting = false;
    m_obs->progressCleared();
    m_obs->thinkingChanged(false);
    if (m_askedStandIn)
        return;
    // Nobody else would move: the weakest rule-based play takes this turn.
    const Player p = m_askedSide;
    m_obs->playerFailed(p, reason);
    if (!m_gameOver && p == m_playerToMove && hasLegalMove(m_pos, m_logic, p))
        standInMoves(p, 0);
}

void Game::thinkingStep(std::uint64_t request, int step, int scale) {
    if (waitingFor(request))
        m_obs->progressStep(step, scale, m_askedSide);
}

void Game::scannedPercent(std::uint64_t request, int percent) {
    if (waitingFor(request))
        m_obs->searchProgressChanged(percent);
}

void Game::depthDone(std::uint64_t request, int depth) {
    if (waitingFor(request))
        m_obs->searchDepthDone(depth);
}

void Game::tellPositionReset() {
    for (std::size_t p = 1; p <= 2; ++p) {
        if (m_players[p])
            m_players[p]->positionReset(m_pos);
    }
}

void Game::onComputerClickTimer() {
    if (!m_pcMove) {
        m_timers.stop(GameTimer::ComputerClicks);
        return;
    }
    if (!m_pcFirstClickGiven) {
        m_timers.start(GameTimer::ComputerClicks, kComputerSecondClickInterval);
        m_pcFirstClickGiven = true;
        clickCell(m_pcMove->from.x, m_pcMove->from.y);
        return;
    }
    const Move move = *m_pcMove;
    m_pcMove.reset();
    m_pcFirstClickGiven = false;
    m_timers.stop(GameTimer::ComputerClicks);
    // A full redraw between the two clicks cancels the selection; select again so that the
    // chosen move is still made and the game does not stop with nobody to move.
    if (m_selection.state() != 1 || m_selection.selected() != move.from) {
        clickCell(move.from.x, move.from.y);
    }
    clickCell(move.to.x, move.to.y);
}

}  // namespace tomelin
