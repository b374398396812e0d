#include <algorithm>
#include <cmath>
#include <iomanip>
#include <ostream>
#include <sstream>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/position_options.h"
#include "core/computer.h"
#include "core/fen.h"
#include "core/game.h"
#include "core/master_search.h"

namespace tomelin::cli {

namespace {

// A fixed-depth search is run when it is expected to visit at most this many positions
// (under a minute here); the growth is measured while the searches stay this small.
constexpr double kMaxNodes = 5e7;
constexpr std::uint64_t kProbeNodes = 300000;

struct NodeEstimate {
    double expected = 0;      // positions the search to the asked depth would visit
    int largestFeasible = 0;  // the deepest depth expected within kMaxNodes
};

// Searches the shallow depths and extrapolates how the positions visited grow, so that a
// depth that would take hours is refused up front instead of leaving the user waiting.
NodeEstimate estimateSearch(const Position& start, Logic logic, int depth) {
    NodeEstimate result;
    double twoBefore = 1;
    double previous = 1;
    double nodes = 1;
    int reached = 0;
    while (reached < depth && nodes <= static_cast<double>(kProbeNodes)) {
        MasterSearch probe;
        const SearchReport r = probe.search(start, logic, SearchLimits{++reached, 0});
        twoBefore = previous;
        previous = nodes;
        nodes = static_cast<double>(r.nodes);
        if (r.depth < reached || !r.move) {
            result.largestFeasible = depth;  // the game ends within the search: it is done
            return result;
        }
    }
    result.largestFeasible = reached;
    result.expected = nodes;
    // Odd and even depths grow differently: the growth per depth is taken over the last two.
    const double growth = std::max(1.0, std::sqrt(nodes / std::max(1.0, twoBefore)));
    for (int d = reached + 1; d <= depth; ++d) {
        result.expected *= growth;
        if (result.expected <= kMaxNodes)
            result.largestFeasible = d;
    }
    return result;
}

}  // namespace

// Every candidate the computer scores, in its scan order, then the best score and how many
// candidates share it. Strength 4 ("PC Velmistr") searches instead and prints its choice:
// "master SX SY TX TY copy|jump depth D score S nodes N ms T" or "master none".
namespace {

// What `moves` is asked.
struct MovesArgs {
    PositionArgs position;
    std::optional<int> strength;
    std::optional<std::vector<int>> last;  // the last move's source and target cells
    SearchLimits limits;
    std::optional<int> depth;
};

void addMovesOptions(OptionParser& parser, MovesArgs& m) {
    addPositionOptions(parser, m.position);
    parser.add("--strength", 1, [&](const std::vector<std::string>& v) {
        const auto k = parseInteger(v[0], 0, kMasterKind);
        if (!k)
            return std::optional<std::string>(cliArgs(
                cliTr("moves", "strength must be 0, 1, 2, 3 or 4, not %1"), {quotedArg(v[0])}));
        m.strength = static_cast<int>(*k);
        return std::optional<std::string>{};
    });
    parser.add("--last", 4, [&](const std::vector<std::string>& v) {
        std::vector<int> cells;
        for (const auto& word : v) {
            const auto c = parseInteger(word, 0, kMaxSide - 1);
            if (!c) {
                return std::optional<std::string>(
                    cliArgs(cliTr("moves", "--last needs four cell coordinates 0..15, not %1"),
                            {quotedArg(word)}));
            }
            cells.push_back(static_cast<int>(*c));
        }
        m.last = cells;
        return std::optional<std::string>{};
    });
    parser.add("--movetime", 1, [&](const std::vector<std::string>& v) {
        const auto ms = parseInteger(v[0], 1, 600000);
        if (!ms)
            return std::optional<std::string>(cliArgs(
                cliTr("moves", "movetime must be 1..600000 ms, not %1"), {quotedArg(v[0])}));
        m.limits.timeMs = static_cast<int>(*ms);
        return std::optional<std::string>{};
    });
    parser.add("--depth", 1, [&](const std::vector<std::string>& v) {
        const auto d = parseInteger(v[0], 1, 60);
        if (!d)
            return std::optional<std::string>(
                cliArgs(cliTr("moves", "depth must be 1..60, not %1"), {quotedArg(v[0])}));
        m.depth = static_cast<int>(*d);
        return std::optional<std::string>{};
    });
}

// "PC Velmistr"'s move for `start`, at a fixed depth or within the time given.
int masterMove(const Position& start, const PositionArgs& position, SearchLimits limits,
               std::optional<int> depth, CommandIo& io) {
    if (depth) {
        const NodeEstimate guess = estimateSearch(start, position.logic, *depth);
        if (guess.largestFeasible < *depth) {
            std::ostringstream expected;
            expected << std::setprecision(2) << guess.expected;
            return usageError(
                io, cliArgs(cliTr("moves",
                                  "depth %1 would search about %2 positions on this board and "
                                  "not finish in reasonable time; depths up to %3 run here"),
                            {std::to_string(*depth), expected.str(),
                             std::to_string(guess.largestFeasible)}));
        }
        limits.maxDepth = *depth;
        limits.timeMs = 0;  // a fixed depth gives the same answer on every machine
    }
    MasterSearch master;
    const SearchReport r = master.search(start, position.logic, limits);
    // The answer's lines are machine-read, not translated.
    if (!r.move) {
        io.out << "master none\n";
        if (position.fen && start.mustPass(position.logic))
            io.out << "bestmove " << kPassText << '\n';
        return kExitOk;
    }
    io.out << "master " << r.move->from.x << ' ' << r.move->from.y << ' ' << r.move->to.x
           << ' ' << r.move->to.y << ' ' << (r.move->kind == MoveKind::Copy ? "copy" : "jump")
           << " depth " << r.depth << " score " << r.score << " nodes " << r.nodes << " ms "
           << r.elapsedMs << '\n';
    if (position.fen)  // the move as the standard game's tools write it
        io.out << "bestmove " << moveText(start.side(), *r.move) << '\n';
    return kExitOk;
}

// Every candidate of the rule-based computer at `strength` with its score, and the best.
int ruleBasedMoves(const Position& start, Logic logic, int strength,
                   const std::optional<LastMove>& lastMove, CommandIo& io) {
    ComputerSearch search;
    const auto result = search.run(start, logic, strength, lastMove);
    for (const Candidate& c : *result.candidates) {
        io.out << c.move.from.x << ' ' << c.move.from.y << ' ' << c.move.to.x << ' '
               << c.move.to.y << ' ' << c.score << '\n';
    }
    if (result.best->empty()) {
        io.out << "best none 0\n";  // machine-read, not translated
    } else {
        io.out << "best " << result.bestScore << ' ' << result.best->size() << '\n';
    }
    return kExitOk;
}

}  // namespace

int movesCommand(const std::vector<std::string>& args, CommandIo& io) {
    MovesArgs m;
    OptionParser parser;
    addMovesOptions(parser, m);
    if (auto error = parser.parse(args))
        return usageError(io, *error);
    if (auto missing = missingPosition(m.position, "moves"))
        return usageError(io, *missing);
    if (!m.strength)
        return usageError(io, cliTr("moves", "moves needs --strength"));
    const Position start = m.position.start();
    std::optional<LastMove> lastMove;
    if (m.last) {
        for (int c : *m.last) {
            if (c >= start.side()) {
                return usageError(io,
                                  cliArgs(cliTr("moves", "--last cell %1 is off the %2x%2 board"),
                                          {std::to_string(c), std::to_string(start.side())}));
            }
        }
        const std::vector<int>& l = *m.last;
        lastMove = LastMove{{l[0], l[1]}, {l[2], l[3]}};
    }
    if (*m.strength == kMasterKind)
        return masterMove(start, m.position, m.limits, m.depth, io);
    return ruleBasedMoves(start, m.position.logic, *m.strength, lastMove, io);
}

}  // namespace tomelin::cli
