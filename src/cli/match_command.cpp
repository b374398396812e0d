// "PC Velmistr" against an older strength over the real turn sequence: seeded games on the
// built-in boards, both logics, both sides; wins, draws and losses with a 95 % interval.

#include <cmath>
#include <cstdio>
#include <map>
#include <ostream>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/play.h"
#include "core/game.h"
#include "core/manual_timer_host.h"
#include "core/random.h"

namespace tomelin::cli {

namespace {

// Searches in place and keeps the depth and speed of every search.
class CountingRunner final : public SearchRunner {
public:
    struct Totals {
        int searches = 0;
        long long depthSum = 0;
        std::uint64_t nodes = 0;
        std::int64_t ms = 0;
    };
    void begin(const SearchRequest& request, Done done, Progress progress) override {
        m_inner.begin(
            request,
            [&](std::uint64_t ticket, const SearchReport& r) {
                Totals& t = m_totals[m_board];
                ++t.searches;
                t.depthSum += r.depth;
                t.nodes += r.nodes;
                t.ms += r.elapsedMs;
                done(ticket, r);
            },
            std::move(progress));
    }
    void cancel() override { m_inner.cancel(); }
    void setBoard(const std::string& name) { m_board = name; }
    const std::map<std::string, Totals>& totals() const { return m_totals; }

private:
    InlineSearchRunner m_inner;
    std::string m_board;
    std::map<std::string, Totals> m_totals;
};

// The old strengths only: Velmistr does not play itself.
std::optional<int> parseOpponent(const std::string& text) {
    const auto level = parseLevel(text);
    if (level && *level == kMasterKind)
        return std::nullopt;
    return level;
}

std::string percent(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f%%", 100.0 * v);
    return buf;
}

}  // namespace

// Wilson's interval for a share of successes: the 95 % range of the true rate.
std::pair<double, double> wilsonInterval(double successes, int games) {
    if (games <= 0)
        return {0.0, 1.0};
    const double z = 1.959964;
    const double n = games, p = successes / n;
    const double centre = (p + z * z / (2 * n)) / (1 + z * z / n);
    const double half = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / (1 + z * z / n);
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

int matchCommand(const std::vector<std::string>& args, CommandIo& io) {
    int games = 200;
    int moveTimeMs = 1000;
    std::uint32_t seed = 1;
    int opponent = 3;
    OptionParser parser;
    using Error = std::optional<std::string>;
    parser.add("--games", 1, [&](const std::vector<std::string>& v) -> Error {
        const auto n = parseInteger(v[0], 1, 100000);
        if (!n)
            return "games must be a number from 1 to 100000, not " + quotedArg(v[0]);
        games = static_cast<int>(*n);
        return std::nullopt;
    });
    parser.add("--movetime", 1, [&](const std::vector<std::string>& v) -> Error {
        const auto ms = parseInteger(v[0], 1, 600000);
        if (!ms)
            return "movetime must be a number of milliseconds from 1 to 600000, not " +
                   quotedArg(v[0]);
        moveTimeMs = static_cast<int>(*ms);
        return std::nullopt;
    });
    parser.add("--seed", 1, [&](const std::vector<std::string>& v) -> Error {
        const auto s = parseInteger(v[0], 0, 4294967295LL);
        if (!s)
            return "seed must be a number from 0 to 4294967295, not " + quotedArg(v[0]);
        seed = static_cast<std::uint32_t>(*s);
        return std::nullopt;
    });
    parser.add("--opponent", 1, [&](const std::vector<std::string>& v) -> Error {
        const auto level = parseOpponent(v[0]);
        if (!level)
            return "opponent must be beginner, pro or genius, not " + quotedArg(v[0]);
        opponent = *level;
        return std::nullopt;
    });
    if (auto error = parser.parse(args))
        return usageError(io, *error);

    const auto& boards = builtinBoards();
    const int boardCount = static_cast<int>(boards.size());
    CountingRunner runner;
    int wins = 0, draws = 0, losses = 0;
    constexpr int kMaxMoves = 2000;
    for (int g = 0; g < games; ++g) {
        // Every board, then every logic, then every side, before any combination repeats.
        const BuiltinBoard& board = boards[static_cast<std::size_t>(g % boardCount)];
        const Logic logic = (g / boardCount) % 2 == 0 ? Logic::Star : Logic::Cross;
        const int masterSide = (g / (2 * boardCount)) % 2 == 0 ? 1 : 2;
        MtRandomSource random(seed + static_cast<std::uint32_t>(g));
        ManualTimerHost timers;
        Game game(timers, random);
        game.setSearchRunner(&runner);
        game.setMasterMoveTimeMs(moveTimeMs);
        runner.setBoard(board.name);
        timers.setHandler([&game](GameTimer t) { game.onTimer(t); });
        GameSetup setup;
        setup.descriptor = board.boardString + "1";
        setup.names[static_cast<std::size_t>(masterSide - 1)] = kComputerNames[kMasterKind - 1];
        setup.names[static_cast<std::size_t>(2 - masterSide)] = kComputerNames[opponent - 1];
        setup.person = {false, false};
        setup.logicLabel = logicLabel(logic);
        if (game.start(setup))
            return usageError(io, "built-in board " + board.name + " cannot be played");
        int fired = 0;
        while (!game.gameOver() && fired < 8 * kMaxMoves && timers.fireNext({GameTimer::TimerT}))
            ++fired;
        const auto c = game.position().counts();
        const int winner = game.gameOver() ? game.position().winner() : 0;
        const char* outcome = winner == 0 ? "draw" : (winner == masterSide ? "win" : "loss");
        if (winner == 0)
            ++draws;
        else if (winner == masterSide)
            ++wins;
        else
            ++losses;
        io.out << "game " << g + 1 << ' ' << board.name << ' '
               << (logic == Logic::Star ? "star" : "cross") << " master=" << masterSide << ' '
               << c.tokens1 << ':' << c.tokens2 << ' ' << outcome
               << (game.gameOver() ? "" : " (unfinished)") << '\n';
        io.out.flush();
    }
    const double score = wins + 0.5 * draws;
    const auto [lo, hi] = wilsonInterval(wins, games);
    io.out << "wins " << wins << " draws " << draws << " losses " << losses << " of " << games
           << "; win rate " << percent(static_cast<double>(wins) / games) << " (95% CI "
           << percent(lo) << " - " << percent(hi) << "), score " << percent(score / games)
           << '\n';
    for (const auto& [name, t] : runner.totals()) {
        if (t.searches == 0)
            continue;
        const double seconds = static_cast<double>(t.ms) / 1000.0;
        char line[200];
        std::snprintf(line, sizeof line, "search %s: %d moves, average depth %.2f, %.0f nodes/s\n",
                      name.c_str(), t.searches, static_cast<double>(t.depthSum) / t.searches,
                      seconds > 0 ? static_cast<double>(t.nodes) / seconds : 0.0);
        io.out << line;
    }
    return kExitOk;
}

}  // namespace tomelin::cli
