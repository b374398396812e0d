#include <chrono>
#include <iomanip>
#include <ostream>

#include "cli/commands.h"
#include "cli/position_options.h"
#include "core/perft.h"

namespace tomelin::cli {

namespace {
constexpr int kMaxDepth = 12;
}

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
            return std::optional<std::string>("depth must be a number from 0 to " +
                                              std::to_string(kMaxDepth) + ", not \"" + v[0] + "\"");
        }
        depth = static_cast<int>(*d);
        return std::optional<std::string>{};
    });
    if (auto error = parser.parse(args))
        return usageError(io, *error);
    if (auto missing = missingPosition(position, "perft"))
        return usageError(io, *missing);
    if (!depth)
        return usageError(io, "perft needs --depth");
    const Position start =
        *Position::fromBoardString(*position.boardString, playerOf(*position.player));
    const auto started = std::chrono::steady_clock::now();
    const std::uint64_t nodes = perft(start, position.logic, *depth);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    io.out << nodes << '\n';
    const double rate = seconds > 0 ? static_cast<double>(nodes) / seconds : 0.0;
    io.err << std::fixed << std::setprecision(6) << "time " << seconds << " s, "
           << std::setprecision(0) << rate << " nodes/s\n";
    return kExitOk;
}

}  // namespace tomelin::cli
