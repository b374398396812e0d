#pragma once
// A player of a game as the turn sequence sees it: something it asks for a move and tells
// about the moves made. A person, the rule-based computer strengths and "PC Velmistr" are
// each one (core/game_players.h); `makePlayer` (core/player_kinds.h) makes the one a
// `PlayerKind` names.
//
// Contract between the turn sequence (`Game`) and a player:
//   requestMove(request, reply)  the turn passed to this player and it has a legal move. The
//                    player answers through `reply`, exactly once or never: reply.play(move)
//                    with a legal move of request.position, or reply.fail(reason) when no
//                    move will come. It may answer inside requestMove or later, but always
//                    on the thread that drives the game (a player thinking elsewhere hands
//                    its answer back to that thread first). A player that moves through the
//                    board's clicks (a person) answers nothing: the clicks make the move.
//   cancelMove()     the request is withdrawn (take-back, restart, the game left or
//                    destroyed): the player stops thinking and must not use the reply again.
//                    The game also ignores any answer to a request it no longer waits for.
//   moveMade(...)    any move of either player was made on the board.
//   positionReset(...) the position changed otherwise (game start, take-back, redo, resume,
//                    free cells filled): a player keeping its own copy takes this one.
// A failed player's turn is taken over by the weakest rule-based play, so the game never
// waits for a move that cannot come; the observer hears of the failure.

#include <cstdint>
#include <optional>
#include <string>

#include "core/computer.h"
#include "core/directions.h"
#include "core/position.h"

namespace tomelin {

// Everything a player may use to choose its move.
struct MoveRequest {
    Position position;                  // with the player to move
    Logic logic = Logic::Star;
    std::optional<LastMove> lastMove;   // the last-move markers on the board, if shown
    int secondsLeft = -1;               // the mover's clock; not positive: no limit
    int moveTimeMs = 1000;              // thinking time per move without a time limit
};

// Where answers go: the turn sequence implements it. Every call names the request it
// answers; calls for a request no longer waited for are ignored.
class MoveSink {
public:
    virtual void movePlayed(std::uint64_t request, const Move& move) = 0;
    virtual void moveFailed(std::uint64_t request, const std::string& reason) = 0;
    // The thinking indicator's bar: box `step` of `scale`.
    virtual void thinkingStep(std::uint64_t request, int step, int scale) = 0;
    // Cells scanned so far, in percent (the rule-based computer's caption).
    virtual void scannedPercent(std::uint64_t request, int percent) = 0;
    // A searching player completed depth `depth`.
    virtual void depthDone(std::uint64_t request, int depth) = 0;

protected:
    ~MoveSink() = default;
};

// The answer channel of one request; cheap to copy, kept by a player that answers later.
class MoveReply {
public:
    MoveReply() = default;
    MoveReply(MoveSink* sink, std::uint64_t request) : m_sink(sink), m_request(request) {}

    void play(const Move& move) const {
        if (m_sink)
            m_sink->movePlayed(m_request, move);
    }
    void fail(const std::string& reason) const {
        if (m_sink)
            m_sink->moveFailed(m_request, reason);
    }
    void thinkingStep(int step, int scale) const {
        if (m_sink)
            m_sink->thinkingStep(m_request, step, scale);
    }
    void scannedPercent(int percent) const {
        if (m_sink)
            m_sink->scannedPercent(m_request, percent);
    }
    void depthDone(int depth) const {
        if (m_sink)
            m_sink->depthDone(m_request, depth);
    }
    std::uint64_t request() const { return m_request; }

private:
    MoveSink* m_sink = nullptr;
    std::uint64_t m_request = 0;
};

class GamePlayer {
public:
    virtual ~GamePlayer() = default;

    // True for a person: the board's clicks make the moves, requestMove answers nothing,
    // the clock is shown from the start and a run-out clock hands the turn to the stand-in.
    virtual bool movesByClicks() const { return false; }

    virtual void requestMove(const MoveRequest& request, MoveReply reply) = 0;
    virtual void cancelMove() {}
    virtual void moveMade(Player /*mover*/, const Move& /*move*/, const Position& /*after*/) {}
    virtual void positionReset(const Position& /*position*/) {}
};

}  // namespace tomelin
