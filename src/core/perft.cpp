#include "core/perft.h"

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

}  // namespace

std::uint64_t perft(const Position& position, Logic logic, int depth) {
    if (depth <= 0)
        return 1;
    if (position.side() < kMinSide)
        return 0;
    const Geometry& g = geometry(position.side(), logic);
    return bits::withWords(position.words(),
                           [&]<int W>() { return dispatch<W>(position, g, logic, depth); });
}

}  // namespace tomelin
