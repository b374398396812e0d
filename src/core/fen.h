#pragma once
// The text forms the standard game's tools exchange: positions as FEN and moves in the
// notation of the engine protocol. Pure text in and out; no I/O.
//
// FEN: rows from the top, separated by '/'; in a row 'x' is a token of player One (who moves
// first), 'o' a token of player Two, '-' a cell that is not on the board, and a number that
// many free cells. Then the side to move ('x' or 'o'), the half-move clock and the full-move
// number, e.g. "x5o/7/7/7/7/7/o5x x 0 1" for the standard start. Any square board of side
// 2..16 can be written; the counters may be left out on reading (0 and 1).
//
// Moves: files a, b, c ... from the left, ranks 1, 2, 3 ... from the bottom. A copy is its
// target square ("f2"), a jump its source and target ("g1e3"), a pass "0000".

#include <optional>
#include <string>
#include <string_view>

#include "core/position.h"

namespace tomelin {

inline constexpr std::string_view kStandardStartFen = "x5o/7/7/7/7/7/o5x x 0 1";
inline constexpr std::string_view kPassText = "0000";

struct FenResult {
    std::optional<Position> position;  // under the standard rules
    std::string error;                 // why not, when there is no position
};

// Reads a FEN; the position plays by the standard rules (Rules::Ataxx).
FenResult readFen(std::string_view fen);
// Writes any position (its counters included) as FEN.
std::string writeFen(const Position& position);

// "a1" style name of a cell on a board of side `side`.
std::string squareName(int side, Cell cell);
// The cell a square name names on a board of side `side`; nothing for anything else.
std::optional<Cell> parseSquare(int side, std::string_view text);

// A move in the protocol's notation (a copy names only its target).
std::string moveText(int side, const Move& move);

struct MoveParse {
    enum class Kind { Invalid, Pass, Move };
    Kind kind = Kind::Invalid;
    Move move;  // for Kind::Move
};
// Reads a move for `position`: a copy's source becomes its first own neighbour (a copy given
// as source and target keeps the source). Says nothing about legality: the caller asks
// isLegal() or mustPass().
MoveParse parseMoveText(const Position& position, Logic logic, std::string_view text);

}  // namespace tomelin
