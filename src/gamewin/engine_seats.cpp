#include "gamewin/engine_seats.h"

#include <QTimer>

#include "core/fen.h"

namespace tomelin {

// ---- EnginePlayer -------------------------------------------------------------------------

EnginePlayer::EnginePlayer(const QString& program, const EngineTimeouts& timeouts) {
    m_client.setTimeouts(timeouts);
    connect(&m_client, &EngineClient::moveChosen, this, [this](Move move, bool pass) {
        if (!m_asked)
            return;
        m_asked = false;
        const MoveReply reply = m_reply;
        m_reply = {};
        if (pass) {
            // The game asks only a side that has a move: a pass is no answer to it.
            m_client.stop();
            emit failed(EngineClient::faultText(
                EngineFault::IllegalMove, m_client.name(),
                QString::fromLatin1(kPassText.data(), static_cast<qsizetype>(kPassText.size()))));
            return;
        }
        reply.play(move);
    });
    connect(&m_client, &EngineClient::failed, this, [this](EngineFault, const QString& message) {
        m_asked = false;
        m_reply = {};
        emit failed(message);
    });
    m_client.start(program);
}

EnginePlayer::~EnginePlayer() {
    m_client.disconnect(this);
}

void EnginePlayer::requestMove(const MoveRequest& request, MoveReply reply) {
    m_reply = reply;
    m_asked = true;
    EngineMoveRequest ask;
    if (!m_start) {
        ask.startFen = writeFen(request.position);
    } else {
        // The game hands the turn over after a reset, so the start's side to move is not
        // the one it was reported with: it follows from the moves since, which alternate.
        Position start = *m_start;
        const Player mover = request.position.toMove();
        start.setToMove(m_moves.size() % 2 == 0 ? mover : other(mover));
        ask.startFen = writeFen(start);
        ask.moves = m_moves;
    }
    ask.position = request.position;
    ask.logic = request.logic;
    ask.movetimeMs = request.moveTimeMs;
    if (request.secondsLeft > 0) {
        // The protocol wants both sides' clocks; the other side's is not the engine's
        // concern here and is given as its own.
        const int ms = request.secondsLeft * 1000;
        ask.blackMs = ms;
        ask.whiteMs = ms;
    }
    m_client.requestMove(ask);
}

void EnginePlayer::cancelMove() {
    m_asked = false;
    m_reply = {};
    m_client.cancelMove();
}

void EnginePlayer::moveMade(Player /*mover*/, const Move& move, const Position& after) {
    if (m_start)
        m_moves.push_back(moveText(after.side(), move));
}

void EnginePlayer::positionReset(const Position& position) {
    m_start = position;
    m_moves.clear();
}

void EnginePlayer::end() {
    m_asked = false;
    m_reply = {};
    m_client.stop();
}

// ---- EngineSeats --------------------------------------------------------------------------

EngineSeats::EngineSeats(QObject* parent) : QObject(parent) {}

EngineSeats::~EngineSeats() {
    endAll();
}

std::unique_ptr<GamePlayer> EngineSeats::makeSeat(PlayerKind kind, const PlayerServices& services) {
    {
        const auto i = static_cast<std::size_t>(number(services.side) - 1);
        if (m_players[i])
            m_players[i]->end();  // the game replaces it; the game owns and deletes it
        m_players[i] = nullptr;
        if (!m_programs[i].isEmpty()) {
            auto player = std::make_unique<EnginePlayer>(m_programs[i], m_timeouts);
            m_players[i] = player.get();
            m_failing = false;
            // Told after the engine's own signal has returned: the window then leaves the
            // game, which deletes this player.
            connect(player.get(), &EnginePlayer::failed, this, [this](const QString& message) {
                if (m_failing)
                    return;
                m_failing = true;
                endAll();
                QTimer::singleShot(0, this, [this, message] { emit failed(message); });
            });
            return player;
        }
    }
    return makePlayer(kind, services);
}

bool EngineSeats::seated(Player player) const {
    return m_players[static_cast<std::size_t>(number(player) - 1)] != nullptr;
}

void EngineSeats::endAll() {
    for (QPointer<EnginePlayer>& player : m_players) {
        if (player)
            player->end();
    }
}

}  // namespace tomelin
