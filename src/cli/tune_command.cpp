// tomelin-cli tune: the data and the fit behind the evaluation weights PC Velmistr plays the
// standard game with (standardGameWeights()).
//   tune generate --games N [--nodes M] [--seed S] [--random-plies R]
//       self-play games, every position a line "FEN;result" (result of the side to move)
//   tune fit FILE [--epochs E]
//       the weights that predict the file's results best, starting from the current ones

#include <cmath>
#include <fstream>
#include <iomanip>
#include <ostream>
#include <sstream>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "core/eval_tuner.h"
#include "core/fen.h"

namespace tomelin::cli {

namespace {

using Error = std::optional<std::string>;

OptionParser::Handler integerInto(long long& target, long long lo, long long hi, std::string what) {
    return [&target, lo, hi, what](const std::vector<std::string>& v) -> Error {
        const std::optional<long long> n = parseInteger(v[0], lo, hi);
        if (!n)
            return cliArgs(cliTr("tune", "%1 must be a number from %2 to %3, not %4"),
                           {what, std::to_string(lo), std::to_string(hi), quotedArg(v[0])});
        target = *n;
        return std::nullopt;
    };
}

int generate(const std::vector<std::string>& args, CommandIo& io) {
    long long games = 0, nodes = 20000, seed = 1, randomPlies = 4;
    OptionParser parser;
    parser.add("--games", 1, integerInto(games, 1, 1000000, "--games"));
    parser.add("--nodes", 1, integerInto(nodes, 100, 100000000, "--nodes"));
    parser.add("--seed", 1, integerInto(seed, 0, 1LL << 62, "--seed"));
    parser.add("--random-plies", 1, integerInto(randomPlies, 0, 40, "--random-plies"));
    if (auto error = parser.parse(args))
        return usageError(io, "tune generate: " + *error);
    if (games == 0)
        return usageError(io, cliTr("tune", "tune generate needs --games N"));
    std::size_t positions = 0;
    for (long long g = 0; g < games; ++g) {
        const auto game = selfPlayGame(static_cast<std::uint64_t>(seed + g), static_cast<int>(randomPlies),
                                       static_cast<std::uint64_t>(nodes), standardGameWeights());
        for (const LabelledPosition& p : game)
            io.out << p.fen << ';' << p.result << '\n';
        positions += game.size();
    }
    io.err << cliArgs(cliTr("tune", "%1 games, %2 positions"),
                      {std::to_string(games), std::to_string(positions)})
           << "\n";
    return io.out ? kExitOk : kExitFailure;
}

int fit(const std::vector<std::string>& args, CommandIo& io) {
    if (args.empty())
        return usageError(io, cliTr("tune", "tune fit needs a file of \"FEN;result\" lines"));
    const std::string path = args[0];
    long long epochs = 2000;
    OptionParser parser;
    parser.add("--epochs", 1, integerInto(epochs, 1, 1000000, "--epochs"));
    if (auto error = parser.parse({args.begin() + 1, args.end()}))
        return usageError(io, "tune fit: " + *error);
    std::ifstream in(path);
    if (!in)
        return usageError(
            io, "tune fit: " + cliArgs(cliTr("tune", "cannot read %1"), {quotedArg(path)}));
    std::vector<TunerSample> samples;
    std::string line;
    std::size_t lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const auto semicolon = line.rfind(';');
        std::optional<Position> p;
        double result = -1;
        if (semicolon != std::string::npos) {
            p = readFen(std::string_view(line).substr(0, semicolon)).position;
            std::istringstream r(line.substr(semicolon + 1));
            r >> result;
        }
        if (!p || !(result == 0 || result == 0.5 || result == 1))
            return usageError(
                io, "tune fit: " +
                        cliArgs(cliTr("tune", "line %1 of %2 is not \"FEN;result\" with a result "
                                              "0, 0.5 or 1"),
                                {std::to_string(lineNumber), quotedArg(path)}));
        if (const std::optional<EvalTerms> t = evalTerms(*p, Logic::Star))
            samples.push_back({*t, result});
    }
    if (samples.empty())
        return usageError(io, "tune fit: " + cliArgs(cliTr("tune", "no position to fit in %1"),
                                                     {quotedArg(path)}));
    const EvalWeights start = standardGameWeights();
    const double k = fitScale(samples, start);
    const TunerResult r = tuneWeights(samples, start, k, static_cast<int>(epochs),
                                      [&](int epoch, double loss) {
                                          std::ostringstream value;
                                          value << std::setprecision(8) << loss;
                                          io.err << cliArgs(cliTr("tune", "epoch %1 loss %2"),
                                                            {std::to_string(epoch), value.str()})
                                                 << '\n';
                                      });
    // The fit's report is machine-read, not translated.
    io.out << samples.size() << " positions, k " << std::setprecision(6) << k << ", loss "
           << std::setprecision(8) << r.lossBefore << " -> " << r.lossAfter << '\n';
    static const char* const kNames[kEvalTermCount] = {"material", "frontier", "copyReach", "rim"};
    // Scaled so that a token stays 100: the curve's k absorbs the scale.
    const double scale = r.weights[0] != 0 ? 100.0 / r.weights[0] : 1.0;
    for (std::size_t i = 0; i < kEvalTermCount; ++i)
        io.out << kNames[i] << ' ' << std::lround(r.weights[i] * scale) << '\n';
    return kExitOk;
}

}  // namespace

int tuneCommand(const std::vector<std::string>& args, CommandIo& io) {
    if (!args.empty() && args[0] == "generate")
        return generate({args.begin() + 1, args.end()}, io);
    if (!args.empty() && args[0] == "fit")
        return fit({args.begin() + 1, args.end()}, io);
    return usageError(io,
                      cliTr("tune", "tune generate --games N [...] | tune fit FILE [--epochs E]"));
}

}  // namespace tomelin::cli
