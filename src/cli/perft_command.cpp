#include <chrono>
#include <algorithm>
#include <iomanip>
#include <optional>
#include <sstream>
#include <ostream>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/position_options.h"
#include "core/perft.h"

namespace tomelin::cli {

namespace {

constexpr int kMaxDepth = 12;
// Counts up to this many sequences are run; at several hundred million a second here, well
// under a minute.
constexpr double kMaxSequences = 1e10;
// Depths are counted exactly while their counts stay this small, to see how fast they grow.
constexpr std::uint64_t kProbeSequences = 200000;

struct DepthEstimate {
    std::optional<std::uint64_t> exact;  // the count itself, when the probe reached the depth
    double estimate = 0;                 // else the expected count
    int largestFeasible = 0;             // the deepest depth expected within kMaxSequences
};

// Counts the shallow depths exactly and extrapolates their growth to `depth`, so that a depth
// whose count would take hours is refused up front instead of leaving the user waiting.
DepthEstimate estimateDepth(const Position& start, Logic logic, int depth) {
    DepthEstimate result;
    std::uint64_t previous = 1;  // depth 0
    int reached = 0;
    std::uint64_t count = 1;
    while (reached < depth && count <= kProbeSequences) {
        previous = count;
        count = perft(start, logic, ++reached);
        if (count == 0) {
            result.exact = 0;  // no sequence that long: none longer either
            return result;
        }
    }
    result.largestFeasible = reached;
    if (reached == depth) {
        result.exact = count;
        return result;
    }
    const double growth = std::max(1.0, static_cast<double>(count) / static_cast<double>(previous));
    double expected = static_cast<double>(count);
    for (int d = reached + 1; d <= depth; ++d) {
        expected *= growth;
        if (expected <= kMaxSequences)
            result.largestFeasible = d;
    }
    result.estimate = expected;
    return result;
}

}  // namespace

// Counts the move sequences of the given length; the timing goes to the error stream so
// that the standard output stays one number.
int perftCommand(const std::vector<std::string>& args, CommandIo& io) {
    PositionArgs position;
    std::optional<int> depth;
    OptionParser parser;
    addPositionOptions(parser, position);
    parser.add("--depth", 1, [&](const std::vector<std::string>& v) {
        const auto d = parseInteger(v[0], 0, kMaxDepth);
        if (!d) {
            return std::optional<std::string>(
                cliArgs(cliTr("perft", "depth must be a number from 0 to %1, not %2"),
                        {std::to_string(kMaxDepth), quotedArg(v[0])}));
        }
        depth = static_cast<int>(*d);
        return std::optional<std::string>{};
    });
    if (auto error = parser.parse(args))
        return usageError(io, *error);
    if (auto missing = missingPosition(position, "perft"))
        return usageError(io, *missing);
    if (!depth)
        return usageError(io, cliTr("perft", "perft needs --depth"));
    const Position start = position.start();
    const auto started = std::chrono::steady_clock::now();
    const DepthEstimate guess = estimateDepth(start, position.logic, *depth);
    if (!guess.exact && guess.estimate > kMaxSequences) {
        std::ostringstream estimate;
        estimate << std::setprecision(2) << guess.estimate;
        return usageError(
            io, cliArgs(cliTr("perft",
                              "depth %1 would count about %2 move sequences on this board and "
                              "not finish in reasonable time; depths up to %3 run here"),
                        {std::to_string(*depth), estimate.str(),
                         std::to_string(guess.largestFeasible)}));
    }
    const std::uint64_t nodes = guess.exact ? *guess.exact : perft(start, position.logic, *depth);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    io.out << nodes << '\n';
    const double rate = seconds > 0 ? static_cast<double>(nodes) / seconds : 0.0;
    std::ostringstream time, speed;
    time << std::fixed << std::setprecision(6) << seconds;
    speed << std::fixed << std::setprecision(0) << rate;
    io.err << cliArgs(cliTr("perft", "time %1 s, %2 nodes/s"), {time.str(), speed.str()}) << "\n";
    return kExitOk;
}

}  // namespace tomelin::cli
