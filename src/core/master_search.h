#pragma once
// "PC Velmistr": an iterative-deepening principal-variation search with a transposition
// table, for every board side 2..16 with holes and both movement logics.
//
// The search plays by the position's rules: under Tomelin's a side that cannot move hands
// every free cell to its opponent, which ends the game; under the standard rules it passes,
// and a side without tokens or two sides without moves end the game. A full board ends it
// under both. Scores are from the side to
// move, in hundredths of a token; a finished game scores kWinScore plus the final margin.
//
// Time: the caller gives a budget in milliseconds and, for tests, its own clock. The stop
// flag and the clock are looked at every few hundred nodes, so a stop takes effect within
// well under a millisecond. Depth 1 is always finished unless the stop flag is raised, so a
// search that was not stopped always names a legal move when one exists.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/position.h"

namespace tomelin {

// Milliseconds from some fixed point; the search only ever subtracts two readings.
class SearchClock {
public:
    virtual ~SearchClock() = default;
    virtual std::int64_t nowMs() = 0;
};

// The steady clock of the machine.
SearchClock& steadySearchClock();
// The processor time of the calling thread: a search timed by it thinks as long on a busy
// machine as on an idle one (matches use it; a person waits by the steady clock).
SearchClock& threadCpuSearchClock();

struct SearchLimits {
    int maxDepth = 64;
    // Budget for the whole search; 0 or less means no limit (depth or stop ends it).
    int timeMs = 1000;
    // Nodes for the whole search, looked at like the clock; 0 means no limit.
    std::uint64_t maxNodes = 0;
    // Go on deepening until the budget runs out instead of not starting a depth that is
    // expected not to finish: the unfinished depth still improves the move (its first move
    // is the last depth's best). An engine on a per-move time gains by it; the game's own
    // players keep the thriftier rule.
    bool useWholeBudget = false;
    // A selective search: late moves are first searched less deep, and jumps that take
    // nothing are left out once two moves are searched and one does not lose. It sees much
    // deeper in the same time but no longer gives the full-width value of a depth; the
    // UAI engine uses it, the game's own players keep the full width.
    bool selective = false;
};

// Weights of the evaluation, in hundredths of a token.
struct EvalWeights {
    int material = 100;
    // Per own token that stands next to a free cell (it can still be taken), minus the
    // same for the opponent.
    int frontier = -6;
    // Per free cell the side can copy into, minus the same for the opponent.
    int copyReach = 4;
    // Per own token on a cell with fewer cells around it than a cell inside the board (on
    // the rim or next to a hole: fewer sides to be taken from), minus the same for the
    // opponent.
    int rim = 0;
};

struct SearchReport {
    std::optional<Move> move;  // the move to play (a copy names an own neighbour as source)
    int score = 0;             // of the last completed depth, from the mover's side
    int depth = 0;             // last completed depth
    std::uint64_t nodes = 0;
    std::int64_t elapsedMs = 0;
    bool stopped = false;  // the stop flag ended it
    int seldepth = 0;      // deepest ply reached
    // The expected line from the table, the move first; filled only for a depth listener.
    // It ends before a pass.
    std::vector<Move> pv;
};

inline constexpr int kWinScore = 1000000;

class MasterSearch {
public:
    // The tables (a transposition table of at most 2^ttBits entries of 16 bytes, the
    // history and the killers) are made by the first search, sized to its board, and kept
    // until release(): a caller that keeps the MasterSearch keeps what it learnt.
    explicit MasterSearch(int ttBits = 20);
    ~MasterSearch();
    MasterSearch(const MasterSearch&) = delete;
    MasterSearch& operator=(const MasterSearch&) = delete;

    void setWeights(const EvalWeights& weights) { m_weights = weights; }
    const EvalWeights& weights() const { return m_weights; }

    // Called after every completed depth (on the searching thread).
    using DepthListener = std::function<void(const SearchReport&)>;

    SearchReport search(const Position& position, Logic logic, const SearchLimits& limits,
                        const std::atomic<bool>* stop = nullptr, SearchClock* clock = nullptr,
                        const DepthListener& onDepth = {});

    // Forgets the table, the killers and the history (a fresh search gives the same result
    // for the same position and depth as a new MasterSearch).
    void clear();
    // Gives the tables' memory back; the next search makes them anew (as clear() would
    // leave them).
    void release();
    // The memory the tables hold now (0 before the first search and after release()).
    std::size_t tableBytes() const;

    // The transposition table's entries for a board of `side` cells a side: enough for what
    // a search of a few seconds visits there, at most 2^ttBits.
    static std::size_t tableEntriesFor(int side, int ttBits = 20);

    struct Tables;

private:
    Tables& tablesFor(int side);

    EvalWeights m_weights;
    int m_ttBits;
    std::unique_ptr<Tables> m_tables;
};

// The weights PC Velmistr plays the standard 7x7 game with (the UAI engine), fitted with
// `tomelin-cli tune` to self-play games.
EvalWeights standardGameWeights();

// The static evaluation the search uses at its leaves, from the side to move: the final
// margin for a finished game (under Tomelin's rule after the fill when the side to move
// cannot move; under the standard rules without a fill, and 0 for the half-move limit), the
// weighted terms otherwise.
int masterEvaluate(const Position& position, Logic logic, const EvalWeights& weights = {});

// The time budget of one move: `defaultMs` without a time limit; with `secondsLeft` on the
// clock at most a thirtieth of it (never under 20 ms).
int masterMoveTimeMs(int secondsLeft, int defaultMs = 1000);

}  // namespace tomelin
