#include "core/master_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <chrono>
#include <ctime>
#include <vector>

#include "core/bits.h"

namespace tomelin {

namespace {

using bits::Bits;

constexpr int kMaxPly = 64;
constexpr int kMaxBits = kMaxSide * (kMaxSide + 2);
constexpr int kInfinity = 2 * kWinScore;

// Plies a late move of the selective search (SearchLimits::selective) is first searched less
// deep: more the deeper the node and the later the move.
int lateReduction(int depth, int moveIndex) {
    static const auto table = [] {
        std::array<std::array<std::int8_t, 256>, kMaxPly> t{};
        for (int d = 1; d < kMaxPly; ++d) {
            for (int i = 1; i < 256; ++i)
                t[static_cast<std::size_t>(d)][static_cast<std::size_t>(i)] = static_cast<std::int8_t>(
                    std::lround(1.0 + std::log(d) * std::log(i + 1) * 0.65));
        }
        return t;
    }();
    return table[static_cast<std::size_t>(std::min(depth, kMaxPly - 1))]
                [static_cast<std::size_t>(std::min(moveIndex, 255))];
}

// A move inside the search: target bit, source bit (the target itself for a copy).
using PackedMove = std::uint32_t;
constexpr PackedMove kNoMove = 0;
constexpr PackedMove pack(int from, int to, bool jump) {
    return static_cast<PackedMove>(1 + from) | (static_cast<PackedMove>(to) << 9) |
           (jump ? PackedMove{1} << 18 : 0);
}
constexpr int fromOf(PackedMove m) {
    return static_cast<int>(m & 511U) - 1;
}
constexpr int toOf(PackedMove m) {
    return static_cast<int>((m >> 9) & 511U);
}
constexpr bool isJump(PackedMove m) {
    return (m >> 18) & 1U;
}

enum Bound : std::uint32_t { kExact = 1, kLower = 2, kUpper = 3 };

struct TtEntry {
    std::uint64_t key = 0;
    std::int32_t score = 0;
    // move in bits 0..18, bound in 19..20, depth in 24..31
    std::uint32_t data = 0;

    PackedMove move() const { return data & 0x7FFFFU; }
    std::uint32_t bound() const { return (data >> 19) & 3U; }
    int depth() const { return static_cast<int>(data >> 24); }
};

std::uint64_t splitmix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

struct Zobrist {
    std::uint64_t cell[2][kMaxBits];
    std::uint64_t blackToMove;
    std::uint64_t board[2 * (kMaxSide + 1)];
    std::uint64_t passingRules;
    // The half-move clock under the standard rules, while the limit is within a search's
    // reach: the same board then scores differently with a different clock.
    std::uint64_t clock[kHalfmoveLimit + 1];
    Zobrist() {
        std::uint64_t s = 0x746F6D656C696EULL;
        for (auto& side : cell) {
            for (auto& k : side)
                k = splitmix(s);
        }
        blackToMove = splitmix(s);
        for (auto& k : board)
            k = splitmix(s);
        passingRules = splitmix(s);
        for (auto& k : clock)
            k = splitmix(s);
    }
};

const Zobrist& zobrist() {
    static const Zobrist z;
    return z;
}

int finalScore(int own, int opp) {
    const int margin = own - opp;
    if (margin > 0)
        return kWinScore + 100 * margin;
    if (margin < 0)
        return -kWinScore + 100 * margin;
    return 0;
}

class SteadyClock final : public SearchClock {
public:
    std::int64_t nowMs() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

class ThreadCpuClock final : public SearchClock {
public:
    std::int64_t nowMs() override {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
    }
};

}  // namespace

SearchClock& steadySearchClock() {
    static SteadyClock clock;
    return clock;
}

SearchClock& threadCpuSearchClock() {
    static ThreadCpuClock clock;
    return clock;
}

struct MasterSearch::Tables {
    std::vector<TtEntry> tt;
    std::uint64_t ttMask = 0;
    std::vector<std::int32_t> history;  // [side][from * kMaxBits + to]
    PackedMove killers[kMaxPly][2]{};

    explicit Tables(std::size_t entries) {
        tt.resize(entries);
        ttMask = tt.size() - 1;
        history.assign(2 * static_cast<std::size_t>(kMaxBits) * kMaxBits, 0);
    }
    std::int32_t& historyOf(int side, PackedMove m) {
        const int from = isJump(m) ? fromOf(m) : toOf(m);
        return history[static_cast<std::size_t>((side * kMaxBits + from) * kMaxBits + toOf(m))];
    }
};

namespace {

#define TOMELIN_ENGINE "core/master_engine.h"
#include "core/popcount_copies.h"

template <int W>
void dispatch(MasterSearch::Tables& tables, const Position& position, Logic logic,
              const EvalWeights& weights, const SearchLimits& limits,
              const std::atomic<bool>* stop, SearchClock& c, std::int64_t start,
              std::int64_t deadline, const MasterSearch::DepthListener& onDepth,
              SearchReport& report) {
#if TOMELIN_POPCOUNT_COPY
    if (bits::hasPopcountInstruction()) {
        withPopcount::runSearch<W>(tables, position, logic, weights, limits, stop, c, start,
                                   deadline, onDepth, report);
        return;
    }
#endif
    generic::runSearch<W>(tables, position, logic, weights, limits, stop, c, start, deadline,
                          onDepth, report);
}

}  // namespace

MasterSearch::MasterSearch(int ttBits) : m_ttBits(std::clamp(ttBits, 4, 26)) {}

MasterSearch::~MasterSearch() = default;

std::size_t MasterSearch::tableEntriesFor(int side, int ttBits) {
    const int n = std::clamp(side, kMinSide, kMaxSide);
    const std::size_t wanted = std::size_t{16384} * static_cast<std::size_t>(n * n);
    std::size_t entries = 16;
    while (entries < wanted)
        entries *= 2;
    return std::min(entries, std::size_t{1} << std::clamp(ttBits, 4, 26));
}

MasterSearch::Tables& MasterSearch::tablesFor(int side) {
    // A table made for a smaller board grows; one made for a larger board serves as it is.
    const std::size_t entries = tableEntriesFor(side, m_ttBits);
    if (!m_tables || m_tables->tt.size() < entries)
        m_tables = std::make_unique<Tables>(entries);
    return *m_tables;
}

void MasterSearch::release() {
    m_tables.reset();
}

std::size_t MasterSearch::tableBytes() const {
    if (!m_tables)
        return 0;
    return m_tables->tt.size() * sizeof(TtEntry) +
           m_tables->history.size() * sizeof(std::int32_t) + sizeof(Tables);
}

void MasterSearch::clear() {
    if (!m_tables)
        return;
    std::fill(m_tables->tt.begin(), m_tables->tt.end(), TtEntry{});
    std::fill(m_tables->history.begin(), m_tables->history.end(), 0);
    for (auto& k : m_tables->killers)
        k[0] = k[1] = kNoMove;
}

SearchReport MasterSearch::search(const Position& position, Logic logic, const SearchLimits& limits,
                                  const std::atomic<bool>* stop, SearchClock* clock,
                                  const DepthListener& onDepth) {
    SearchClock& c = clock ? *clock : steadySearchClock();
    const std::int64_t start = c.nowMs();
    const std::int64_t deadline = limits.timeMs > 0 ? start + limits.timeMs : 0;
    SearchReport report;
    if (position.side() < kMinSide)
        return report;
    Tables& tables = tablesFor(position.side());
    // Older history says less about this position.
    for (auto& h : tables.history)
        h /= 8;
    for (auto& k : tables.killers)
        k[0] = k[1] = kNoMove;

    bits::withWords(position.words(), [&]<int W>() {
        dispatch<W>(tables, position, logic, m_weights, limits, stop, c, start, deadline,
                    onDepth, report);
    });
    report.elapsedMs = c.nowMs() - start;
    return report;
}

int masterEvaluate(const Position& position, Logic logic, const EvalWeights& weights) {
    const Board::Counts c = position.counts();
    const Player me = position.toMove();
    const int own = me == Player::One ? c.tokens1 : c.tokens2;
    const int opp = me == Player::One ? c.tokens2 : c.tokens1;
    if (c.free == 0)
        return finalScore(own, opp);
    if (position.rules() == Rules::Ataxx) {
        Position them = position;
        them.setToMove(other(me));
        if (own == 0 || opp == 0 || (!position.canMove(logic) && !them.canMove(logic)))
            return finalScore(own, opp);
        if (position.halfmoveClock() >= kHalfmoveLimit)
            return 0;
    } else if (!position.canMove(logic)) {
        return finalScore(own, opp + c.free);
    }
    // The terms cell by cell, independent of the bit tricks of the search.
    const Directions& dirs = Directions::of(logic);
    const int n = position.side();
    const std::uint8_t ownCode = tokenOf(me), oppCode = tokenOf(other(me));
    int frontierOwn = 0, frontierOpp = 0, reachOwn = 0, reachOpp = 0, rimOwn = 0, rimOpp = 0;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const std::uint8_t code = position.at(x, y);
            bool nearFree = false, nearOwn = false, nearOpp = false;
            int playableAround = 0;
            for (int e = 0; e < dirs.neighbourCount(); ++e) {
                const auto eu = static_cast<std::size_t>(e);
                const std::uint8_t nb = position.at(x + dirs.dx[eu], y + dirs.dy[eu]);
                nearFree |= nb == kFreeCell;
                nearOwn |= nb == ownCode;
                nearOpp |= nb == oppCode;
                playableAround += nb != kNoCell ? 1 : 0;
            }
            if (playableAround < dirs.neighbourCount()) {
                rimOwn += code == ownCode ? 1 : 0;
                rimOpp += code == oppCode ? 1 : 0;
            }
            if (code == ownCode && nearFree)
                ++frontierOwn;
            if (code == oppCode && nearFree)
                ++frontierOpp;
            if (code == kFreeCell && nearOwn)
                ++reachOwn;
            if (code == kFreeCell && nearOpp)
                ++reachOpp;
        }
    }
    return weights.material * (own - opp) + weights.frontier * (frontierOwn - frontierOpp) +
           weights.copyReach * (reachOwn - reachOpp) + weights.rim * (rimOwn - rimOpp);
}

EvalWeights standardGameWeights() {
    // tomelin-cli tune fit over all 46527 positions of `tune generate --games 600 --nodes 3000
    // --random-plies 6 --seed 1000`: loss 0.20912 -> 0.20855 from the weights fitted to the
    // first 14000 of them (100, -97, 27, 60), which these beat by 49/2/29 in 80 games.
    EvalWeights w;
    w.material = 100;
    w.frontier = -76;
    w.copyReach = 8;
    w.rim = 53;
    return w;
}

int masterMoveTimeMs(int secondsLeft, int defaultMs) {
    if (secondsLeft < 0)
        return defaultMs;
    return std::max(20, std::min(defaultMs, secondsLeft * 1000 / 30));
}

}  // namespace tomelin
