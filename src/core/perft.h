#pragma once
// Move-path counting ("perft") over the rule set, for checking and timing the rules.

#include <cstdint>

#include "core/position.h"

namespace tomelin {

// Number of distinct move sequences of length `depth` from the position. A copy move counts
// once per target cell (whichever neighbouring token it copies from), a jump once per source
// and target. A side that cannot move ends the line: it contributes nothing at deeper plies.
// The free-cell fill of the turn sequence is not played. Depth 0 counts the empty sequence.
// Under the standard rules (Rules::Ataxx) a side that must pass has the pass as its one move,
// and a finished game (Position::isOver(logic)) has none.
std::uint64_t perft(const Position& position, Logic logic, int depth);

}  // namespace tomelin
