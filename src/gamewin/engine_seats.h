#pragma once
// External engines seated in the game window's games. `EnginePlayer` is a player of the
// game (core/game_player.h) whose moves come from an engine in a child process: asked for a
// move, it sends the game's start and the moves since (`position fen ... moves ...`) and
// `go` with the side's clock, or a fixed time a move without a limit; the game plays its
// checked answer as it plays the computer's. `EngineSeats` hands such players to the game
// for the sides that have a program and keeps track of them.
//
// A fault of an engine (it does not start, hangs, crashes or plays an illegal move) ends
// every engine of the game and is reported once through `EngineSeats::failed` with its Czech
// message; the request stays unanswered, so that the game stays as it was kept at the turn
// change and can be resumed with another player.

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/game_player.h"
#include "core/player_kinds.h"
#include "platform/engine/engine_client.h"

namespace tomelin {

class EnginePlayer final : public QObject, public GamePlayer {
    Q_OBJECT
public:
    EnginePlayer(const QString& program, const EngineTimeouts& timeouts);
    ~EnginePlayer() override;

    void requestMove(const MoveRequest& request, MoveReply reply) override;
    void cancelMove() override;
    void moveMade(Player mover, const Move& move, const Position& after) override;
    void positionReset(const Position& position) override;

    // Ends the engine (`quit`, then killed); it answers nothing afterwards.
    void end();
    bool thinking() const { return m_asked; }

signals:
    void failed(const QString& message);

private:
    EngineClient m_client;
    std::optional<Position> m_start;  // the position of the last reset
    std::vector<std::string> m_moves;
    MoveReply m_reply;
    bool m_asked = false;
};

class EngineSeats : public QObject {
    Q_OBJECT
public:
    explicit EngineSeats(QObject* parent = nullptr);
    ~EngineSeats() override;

    // The engines' programs of sides 1 and 2 (empty: no engine) for the games seated from
    // now on.
    void setPrograms(const std::array<QString, 2>& programs) { m_programs = programs; }
    void setTimeouts(const EngineTimeouts& timeouts) { m_timeouts = timeouts; }
    // The game's player maker: an engine for a side with a program, `makePlayer` otherwise.
    std::unique_ptr<GamePlayer> makeSeat(PlayerKind kind, const PlayerServices& services);
    // Whether the side is played by a running engine.
    bool seated(Player player) const;
    // The game ended or was left: every engine is ended.
    void endAll();

signals:
    void failed(const QString& message);

private:
    std::array<QString, 2> m_programs;
    std::array<QPointer<EnginePlayer>, 2> m_players;
    EngineTimeouts m_timeouts;
    bool m_failing = false;
};

}  // namespace tomelin
