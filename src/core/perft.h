#pragma once
// Move-path counting ("perft") over the move rules, for checking and timing the rules.

#include <cstdint>

#include "core/board.h"
#include "core/directions.h"

namespace tomelin {

// Number of distinct move sequences of length `depth` from the position with `player` to
// move. A copy move counts once per target cell (whichever neighbouring token it copies
// from), a jump once per source and target. A side that cannot move ends the line: it
// contributes nothing at deeper plies. The free-cell fill of the turn sequence is not
// played. Depth 0 counts the empty sequence (1).
std::uint64_t perft(const Board& board, const Directions& dirs, int player, int depth);

// Distinct legal moves of `player` (perft at depth 1).
std::uint64_t countMoves(const Board& board, const Directions& dirs, int player);

}  // namespace tomelin
