#include "core/perft.h"

#include <vector>

#include "core/bits.h"

namespace tomelin {

namespace {

using bits::Bits;

#define TOMELIN_ENGINE "core/perft_walker.h"
#include "core/popcount_copies.h"

template <int W>
std::uint64_t dispatch(const Position& p, const Geometry& g, Logic logic, int depth) {
    const bool star = logic == Logic::Star;
#if TOMELIN_POPCOUNT_COPY
    if (bits::hasPopcountInstruction()) {
        return star ? withPopcount::run<W, true>(p, g, depth)
                    : withPopcount::run<W, false>(p, g, depth);
    }
#endif
    return star ? generic::run<W, true>(p, g, depth) : generic::run<W, false>(p, g, depth);
}

// The standard rules walk the position's own moves: passes and the end of the game are its
// business, and these counts are for checking rather than timing.
std::uint64_t passingPerft(const Position& p, Logic logic, int depth, std::vector<Move>& scratch) {
    if (p.isOver(logic))
        return 0;
    if (!p.canMove(logic)) {
        if (depth == 1)
            return 1;
        Position after = p;
        after.pass(logic);
        return passingPerft(after, logic, depth - 1, scratch);
    }
    if (depth == 1)
        return p.moveCount(logic);
    p.legalMoves(logic, scratch);
    const std::vector<Move> moves = scratch;
    std::uint64_t total = 0;
    for (const Move& m : moves) {
        Position after = p;
        after.play(logic, m);
        total += passingPerft(after, logic, depth - 1, scratch);
    }
    return total;
}

}  // namespace

std::uint64_t perft(const Position& position, Logic logic, int depth) {
    if (depth <= 0)
        return 1;
    if (position.side() < kMinSide)
        return 0;
    if (position.rules() == Rules::Ataxx) {
        std::vector<Move> scratch;
        return passingPerft(position, logic, depth, scratch);
    }
    const Geometry& g = geometry(position.side(), logic);
    return bits::withWords(position.words(),
                           [&]<int W>() { return dispatch<W>(position, g, logic, depth); });
}

}  // namespace tomelin
