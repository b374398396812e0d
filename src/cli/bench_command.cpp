#include <chrono>
#include <iomanip>
#include <ostream>
#include <sstream>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "core/behaviour_signature.h"
#include "core/board.h"
#include "core/fen.h"
#include "core/master_search.h"

namespace tomelin::cli {

namespace {

// One position of the search bench: searched to a fixed depth with fresh tables.
struct MasterBenchCase {
    const char* name;
    Logic logic;
    int depth;
    Position position;
    // Searched as the UAI engine searches: selective, with the standard game's weights.
    bool uai = false;
};

Position fenPosition(std::string_view fen) {
    return readFen(fen).position.value();
}

Position builtinPosition(std::string_view name, Player toMove) {
    return Position::fromBoardString(findBuiltinBoard(name)->boardString, toMove).value();
}

// Standard-rules positions (start, an opening, a middle game with holes, an ending near the
// move limit) and Tomelin's own boards under both logics, the big one included; then two
// standard positions searched as the UAI engine searches them.
std::vector<MasterBenchCase> masterBenchCases() {
    // The names are the --verbose lines' first field: machine-read, not translated.
    return {
        {"start", Logic::Star, 7, fenPosition(kStandardStartFen)},
        {"opening", Logic::Star, 6, fenPosition("x5o/7/2x4/3o3/7/7/o5x x 2 3")},
        {"middle", Logic::Star, 5, fenPosition("xxo3o/1xx1-oo/2xo3/1-xoo-1/3x3/xx2oo1/o4xx o 0 14")},
        {"ending", Logic::Star, 6, fenPosition("xxxxooo/xxoooo1/xxxoo2/oooxxx1/xooxxx1/xxoxo2/oooxxxx x 96 60")},
        {"Čelem vzad", Logic::Star, 5, builtinPosition("Čelem vzad", Player::One)},
        {"Dáma (cross)", Logic::Cross, 6, builtinPosition("Dáma", Player::Two)},
        {"Špionáž (cross)", Logic::Cross, 5, builtinPosition("Špionáž", Player::One)},
        {"Bitva", Logic::Star, 3, builtinPosition("Bitva", Player::One)},
        {"start (uai)", Logic::Star, 9, fenPosition(kStandardStartFen), true},
        {"middle (uai)", Logic::Star, 7,
         fenPosition("xxo3o/1xx1-oo/2xo3/1-xoo-1/3x3/xx2oo1/o4xx o 0 14"), true},
    };
}

// Searches every bench position to its depth and prints the sum of the nodes: any change
// to the search shows as a different number. The time goes to the error stream.
int masterBench(bool verbose, CommandIo& io) {
    const auto started = std::chrono::steady_clock::now();
    std::uint64_t total = 0;
    for (const MasterBenchCase& c : masterBenchCases()) {
        MasterSearch search;
        SearchLimits limits;
        limits.maxDepth = c.depth;
        limits.timeMs = 0;
        if (c.uai) {
            search.setWeights(standardGameWeights());
            limits.selective = true;
        }
        const SearchReport r = search.search(c.position, c.logic, limits);
        total += r.nodes;
        if (verbose) {  // machine-read, not translated
            io.out << c.name << ": depth " << r.depth << ", nodes " << r.nodes << ", move "
                   << (r.move ? moveText(c.position.side(), *r.move) : std::string(kPassText))
                   << '\n';
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    io.out << total << '\n';
    std::ostringstream time, speed;
    time << std::fixed << std::setprecision(3) << seconds;
    speed << std::fixed << std::setprecision(0)
          << (seconds > 0 ? static_cast<double>(total) / seconds : 0.0);
    io.err << cliArgs(cliTr("bench", "time %1 s, %2 nodes/s"), {time.str(), speed.str()}) << "\n";
    return kExitOk;
}

}  // namespace

// Without options: plays the fixed set of seeded computer games and prints the one number
// that stands for them; the counts go to the error stream. With --master: the node count of
// PC Velmistr's search over a fixed set of positions (--verbose adds a line per position).
int benchCommand(const std::vector<std::string>& args, CommandIo& io) {
    bool master = false, verbose = false;
    OptionParser parser;
    parser.add("--master", 0, [&](const std::vector<std::string>&) {
        master = true;
        return std::optional<std::string>{};
    });
    parser.add("--verbose", 0, [&](const std::vector<std::string>&) {
        verbose = true;
        return std::optional<std::string>{};
    });
    if (auto error = parser.parse(args))
        return usageError(
            io, cliTr("bench", "bench takes no arguments but --master [--verbose]: ") + *error);
    if (verbose && !master)
        return usageError(io, cliTr("bench", "bench --verbose goes with --master"));
    if (master)
        return masterBench(verbose, io);
    const BehaviourSignature sig = behaviourSignature();
    io.out << sig.hash << '\n';
    io.err << cliArgs(cliTr("bench", "%1 games, %2 moves"),
                      {std::to_string(sig.games), std::to_string(sig.moves)})
           << "\n";
    return kExitOk;
}

}  // namespace tomelin::cli
