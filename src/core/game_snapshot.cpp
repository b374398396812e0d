// Taking a running game as a value and putting it back into a Game.

#include "core/game_snapshot.h"

#include <algorithm>

namespace tomelin {

namespace {

// The player to move after k moves when `start` begins: the turn alternates at every turn
// change, and a take-back goes back by whole turns, so the count alone decides.
Player moverAfter(int moves, Player start) {
    return moves % 2 == 0 ? start : opponent(start);
}

bool clockValueFits(int value, int limit) {
    if (value == kTimeOpponentRanOut)
        return true;
    if (limit > 0)
        return value == kTimeRanOut || (value >= 1 && value <= limit);
    return value == kTimeUnlimited || value == kTimeUnlimitedTicked;
}

bool onBoard(const CellPos& c, int n) {
    return c.x >= 0 && c.y >= 0 && c.x < n && c.y < n;
}

std::optional<SnapshotError> checkPlayers(const GameSnapshot& s) {
    for (const PlayerSetup& player : s.setup.players) {
        if (kindNumber(player.kind) != playerKindFromName(player.name))
            return SnapshotError::BadPlayers;
    }
    if (s.setup.logic != Logic::Star && s.setup.logic != Logic::Cross)
        return SnapshotError::BadPlayers;
    return std::nullopt;
}

std::optional<SnapshotError> checkClocks(const GameSnapshot& s) {
    for (std::size_t i = 0; i < 2; ++i) {
        if (!clockValueFits(s.timeLeft[i], s.setup.players[i].timeLimit.clockStart()))
            return SnapshotError::BadClock;
    }
    // Running out sets both values in the same tick.
    const bool ranOut0 = s.timeLeft[0] == kTimeRanOut;
    const bool ranOut1 = s.timeLeft[1] == kTimeRanOut;
    const bool other0 = s.timeLeft[0] == kTimeOpponentRanOut;
    const bool other1 = s.timeLeft[1] == kTimeOpponentRanOut;
    if (ranOut0 != other1 || ranOut1 != other0)
        return SnapshotError::BadClock;
    return std::nullopt;
}

// Every entry is a position of the board, entry 0 the start, and each next entry follows
// from the one before by a legal move of the player to move there.
std::optional<SnapshotError> checkMoveList(const GameSnapshot& s, const Board& start,
                                           Player starting, Logic logic) {
    if (s.moveList.empty() || s.moveList.front() != MakeSnapshot(start))
        return SnapshotError::BadMoveList;
    std::vector<Move> moves;
    Board board = start;
    std::optional<Position> before = Position::fromBoard(board, starting);
    for (std::size_t k = 1; k < s.moveList.size(); ++k) {
        if (!RestoreSnapshot(board, s.moveList[k], nullptr))
            return SnapshotError::BadMoveList;
        const std::optional<Position> after =
            Position::fromBoard(board, moverAfter(static_cast<int>(k), starting));
        if (!before || !after || after->playable() != before->playable())
            return SnapshotError::BadMoveList;
        moves.clear();
        before->legalMoves(logic, moves);
        bool reached = false;
        for (const Move& m : moves) {
            Position p = *before;
            p.play(logic, m);
            if (p == *after) {
                reached = true;
                break;
            }
        }
        if (!reached)
            return SnapshotError::BadMoveList;
        before = after;
    }
    return std::nullopt;
}

std::optional<SnapshotError> checkMarkers(const GameSnapshot& s, int n, Logic logic) {
    if (s.lastSource.has_value() != s.lastTarget.has_value())
        return SnapshotError::BadMarkers;
    if (!s.lastSource)
        return std::nullopt;
    if (!onBoard(*s.lastSource, n) || !onBoard(*s.lastTarget, n))
        return SnapshotError::BadMarkers;
    const Directions& dirs = Directions::of(logic);
    for (int d = 0; d < dirs.count(); ++d) {
        const auto du = static_cast<std::size_t>(d);
        if (s.lastSource->x + dirs.dx[du] == s.lastTarget->x &&
            s.lastSource->y + dirs.dy[du] == s.lastTarget->y)
            return std::nullopt;
    }
    return SnapshotError::BadMarkers;
}

// The move the markers stand for, with its kind from the offset.
std::optional<Move> markedMove(const GameSnapshot& s, Logic logic) {
    if (!s.lastSource || !s.lastTarget)
        return std::nullopt;
    const Directions& dirs = Directions::of(logic);
    for (int d = 0; d < dirs.count(); ++d) {
        const auto du = static_cast<std::size_t>(d);
        if (s.lastSource->x + dirs.dx[du] == s.lastTarget->x &&
            s.lastSource->y + dirs.dy[du] == s.lastTarget->y) {
            return Move{*s.lastSource, *s.lastTarget,
                        dirs.kind[du] == Directions::kCopyKind ? MoveKind::Copy : MoveKind::Jump};
        }
    }
    return std::nullopt;
}

}  // namespace

const char* snapshotErrorText(SnapshotError error) {
    switch (error) {
        case SnapshotError::BadBoard:
            return "the board cannot be played";
        case SnapshotError::BadPlayers:
            return "the players do not agree with their names";
        case SnapshotError::BadMoveList:
            return "the move list is no game on this board";
        case SnapshotError::BadTurn:
            return "the wrong player is to move";
        case SnapshotError::BadClock:
            return "a clock holds an impossible time";
        case SnapshotError::BadMarkers:
            return "the last-move markers are no move";
        case SnapshotError::Finished:
            return "the game has already ended";
    }
    return "damaged";
}

GameSnapshot captureSnapshot(const Game& game) {
    GameSnapshot s;
    s.setup = game.setup();
    for (const Player p : {Player::One, Player::Two})
        s.timeLeft[static_cast<std::size_t>(number(p) - 1)] = game.clock().timeLeft(p);
    const auto entries = static_cast<std::size_t>(game.movesMade()) + 1;
    const std::vector<std::string>& list = game.moveList();
    s.moveList.assign(list.begin(),
                      list.begin() + static_cast<std::ptrdiff_t>(std::min(entries, list.size())));
    s.playerToMove = game.playerToMove();
    s.lastSource = game.lastMoveSource();
    s.lastTarget = game.lastMoveTarget();
    return s;
}

std::optional<SnapshotError> checkSnapshot(const GameSnapshot& s) {
    if (s.setup.board.empty() || checkBoardString(s.setup.board))
        return SnapshotError::BadBoard;
    Board start;
    if (LoadBoardString(start, s.setup.board))
        return SnapshotError::BadBoard;
    const auto startCounts = start.count();
    if (startCounts.tokens1 + startCounts.tokens2 == 0)
        return SnapshotError::BadBoard;
    if (auto e = checkPlayers(s))
        return e;
    if (auto e = checkClocks(s))
        return e;
    const Logic logic = s.setup.logic;
    if (auto e = checkMoveList(s, start, s.setup.starting, logic))
        return e;
    if (s.playerToMove != moverAfter(s.movesMade(), s.setup.starting))
        return SnapshotError::BadTurn;
    if (auto e = checkMarkers(s, start.side(), logic))
        return e;
    Board now = start;
    RestoreSnapshot(now, s.moveList.back(), nullptr);
    const auto c = now.count();
    if (c.free == 0 || c.tokens1 + c.tokens2 == 0)
        return SnapshotError::Finished;
    return std::nullopt;
}

// Writes a checked snapshot into the game's own state.
struct GameResumer {
    static void resume(Game& g, const GameSnapshot& s) {
        g.cancelPendingComputerMove();
        g.m_timers.stop(GameTimer::Start);
        g.m_timers.stop(GameTimer::TurnChange);
        g.m_timers.stop(GameTimer::Clock);
        g.m_setup = s.setup;
        g.m_resultShown = false;
        g.m_gameOver = false;
        g.setBoardEnabled(true);
        g.m_random.seedFromTime();

        g.m_moveNumber = 0;
        g.m_obs->moveNumberChanged(g.m_moveNumber);
        g.m_clock.resume(s.setup, s.timeLeft, *g.m_obs);

        Board board;
        LoadBoardString(board, s.setup.board);
        RestoreSnapshot(board, s.moveList.back(), nullptr);
        g.m_moveList = s.moveList;
        g.m_logic = s.setup.logic;
        // The state just before the turn change that hands the move to the player to move:
        // the turn change adds its half to the counter and records the position again.
        g.m_moveCounter = s.movesMade() / 2.0;
        const Player before = opponent(s.playerToMove);
        g.m_pos = Position::fromBoard(board, before).value_or(Position{});
        g.setPlayerToMove(before);
        g.seatPlayers();
        g.tellPositionReset();

        g.cancelSelection();
        g.m_lastSource = s.lastSource;
        g.m_lastTarget = s.lastTarget;
        g.m_lastMove = markedMove(s, g.m_logic);
        g.m_obs->selectionMarkerChanged(nullptr);
        g.m_obs->rayParked();
        g.m_obs->boardReset();
        if (s.lastSource && s.lastTarget) {
            g.m_obs->lastMoveChanged(&*s.lastSource, &*s.lastTarget);
        } else {
            g.m_obs->lastMoveChanged(nullptr, nullptr);
        }
        g.recountAndEndIfFull();
        g.m_obs->progressCleared();
        g.m_timers.start(GameTimer::TurnChange, kTurnChangeInterval);
    }
};

std::optional<SnapshotError> resumeGame(Game& game, const GameSnapshot& snapshot) {
    if (auto error = checkSnapshot(snapshot))
        return error;
    GameResumer::resume(game, snapshot);
    return std::nullopt;
}

}  // namespace tomelin
