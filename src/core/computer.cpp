#include "core/computer.h"

#include "core/bits.h"

namespace tomelin {

namespace {

using bits::Bits;

#define TOMELIN_ENGINE "core/computer_scorer.h"
#include "core/popcount_copies.h"

template <int W>
int score(const Position& p, Logic logic, int strength, const std::optional<LastMove>& last,
          std::vector<Candidate>& out, std::vector<int>& best) {
#if TOMELIN_POPCOUNT_COPY
    if (bits::hasPopcountInstruction())
        return withPopcount::Scorer<W>(p, logic, strength, last, out, best).run();
#endif
    return generic::Scorer<W>(p, logic, strength, last, out, best).run();
}

}  // namespace

ComputerSearch::ComputerSearch() {
    // A board of 16 x 16 has at most 24 targets for each of its 256 cells.
    constexpr std::size_t kMaxCandidates = 24 * kMaxSide * kMaxSide;
    m_candidates.reserve(kMaxCandidates);
    m_best.reserve(kMaxCandidates);
}

ComputerSearch::Result ComputerSearch::run(const Position& position, Logic logic, int strength,
                                           const std::optional<LastMove>& lastMove) {
    m_candidates.clear();
    m_best.clear();
    if (position.side() < kMinSide)
        return {&m_candidates, &m_best, 0};
    const int best = bits::withWords(position.words(), [&]<int W>() {
        return score<W>(position, logic, strength, lastMove, m_candidates, m_best);
    });
    return {&m_candidates, &m_best, best};
}

}  // namespace tomelin
