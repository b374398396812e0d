// "PC Velmistr" against an older strength over the real turn sequence: seeded games on the
// built-in boards, both logics, both sides; wins, draws and losses with a 95 % interval.

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <thread>
#include <vector>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/play.h"
#include "cli/position_options.h"
#include "core/game.h"
#include "core/manual_timer_host.h"
#include "core/random.h"

namespace tomelin::cli {

namespace {

// Searches in place and keeps the depth and speed of every search.
class CountingRunner final : public SearchRunner {
public:
    explicit CountingRunner(SearchClock* clock = nullptr, const EvalWeights& weights = {})
        : m_inner(clock) {
        m_inner.search().setWeights(weights);
    }
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
    void releaseTables() override { m_inner.releaseTables(); }
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

namespace {

struct MatchPlan {
    int games = 200;
    int moveTimeMs = 1000;
    std::uint32_t seed = 1;
    int opponent = 3;
    int jobs = 1;
    bool cpuClock = true;  // time the searches by the thread's processor time
    EvalWeights weights;   // of Velmistr's evaluation (for tuning it)
    // The board and logic combinations in the order they take turns.
    std::vector<std::pair<const BuiltinBoard*, Logic>> pairings;
};

struct GameOutcome {
    std::string line;
    int masterResult = 0;  // 1 win, 0 draw, -1 loss
};

// Plays game `g` of the plan; `runner` keeps the search figures of its board.
GameOutcome playMatchGame(const MatchPlan& plan, int g, CountingRunner& runner) {
    const auto count = static_cast<int>(plan.pairings.size());
    const auto& [board, logic] = plan.pairings[static_cast<std::size_t>(g % count)];
    const int masterSide = (g / count) % 2 == 0 ? 1 : 2;
    MtRandomSource random(plan.seed + static_cast<std::uint32_t>(g));
    ManualTimerHost timers;
    Game game(timers, random);
    game.setSearchRunner(&runner);
    game.setMasterMoveTimeMs(plan.moveTimeMs);
    runner.setBoard(board->name);
    timers.setHandler([&game](GameTimer t) { game.onTimer(t); });
    GameSetup setup;
    setup.board = board->boardString;
    setup.players[static_cast<std::size_t>(masterSide - 1)] = computerPlayer(PlayerKind::Master);
    setup.players[static_cast<std::size_t>(2 - masterSide)] =
        computerPlayer(playerKindOf(plan.opponent));
    setup.logic = logic;
    GameOutcome outcome;
    if (game.start(setup)) {
        // The game lines are machine-read, not translated.
        outcome.line = "game " + std::to_string(g + 1) + ' ' + board->name + " cannot be played";
        return outcome;
    }
    constexpr int kMaxMoves = 2000;
    int fired = 0;
    while (!game.gameOver() && fired < 8 * kMaxMoves && timers.fireNext({GameTimer::Clock}))
        ++fired;
    const auto c = game.position().counts();
    const int winner = game.gameOver() ? game.position().winner() : 0;
    outcome.masterResult = winner == 0 ? 0 : (winner == masterSide ? 1 : -1);
    // The game lines are machine-read, not translated.
    const char* word =
        outcome.masterResult == 0 ? "draw" : (outcome.masterResult > 0 ? "win" : "loss");
    outcome.line = "game " + std::to_string(g + 1) + ' ' + board->name + ' ' +
                   (logic == Logic::Star ? "star" : "cross") +
                   " master=" + std::to_string(masterSide) + ' ' + std::to_string(c.tokens1) + ':' +
                   std::to_string(c.tokens2) + ' ' + word +
                   (game.gameOver() ? "" : " (unfinished)");
    return outcome;
}

}  // namespace

namespace {

// The games of a match as the master side saw them.
struct MatchTally {
    int wins = 0;
    int draws = 0;
    int losses = 0;
    bool broken = false;  // a board could not be played
};

// The board and logic a match may be narrowed to.
struct MatchFilter {
    std::optional<std::string> board;
    std::optional<Logic> logic;
};

void addMatchOptions(OptionParser& parser, MatchPlan& plan, MatchFilter& filter) {
    using Error = std::optional<std::string>;
    addInteger(parser, "--games", 1, 100000,
               [&](long long n) { plan.games = static_cast<int>(n); });
    addInteger(
        parser, "--movetime", 1, 600000,
        [&](long long ms) { plan.moveTimeMs = static_cast<int>(ms); }, IntegerKind::Milliseconds);
    addInteger(parser, "--seed", 0, 4294967295LL,
               [&](long long n) { plan.seed = static_cast<std::uint32_t>(n); });
    parser.add("--opponent", 1, [&](const std::vector<std::string>& v) -> Error {
        const auto level = parseOpponent(v[0]);
        if (!level)
            return cliArgs(cliTr("match", "opponent must be beginner, pro or genius, not %1"),
                           {quotedArg(v[0])});
        plan.opponent = *level;
        return std::nullopt;
    });
    addInteger(parser, "--jobs", 1, 64, [&](long long n) { plan.jobs = static_cast<int>(n); });
    parser.add("--clock", 1, [&](const std::vector<std::string>& v) -> Error {
        if (v[0] != "cpu" && v[0] != "wall")
            return cliArgs(cliTr("match", "clock must be cpu or wall, not %1"), {quotedArg(v[0])});
        plan.cpuClock = v[0] == "cpu";
        return std::nullopt;
    });
    parser.add("--weights", 3, [&](const std::vector<std::string>& v) -> Error {
        int* fields[] = {&plan.weights.material, &plan.weights.frontier, &plan.weights.copyReach};
        for (std::size_t i = 0; i < 3; ++i) {
            const auto w = parseInteger(v[i], -10000, 10000);
            if (!w)
                return cliArgs(
                    cliTr("match", "weights must be three numbers from -10000 to 10000, not %1"),
                    {quotedArg(v[i])});
            *fields[i] = static_cast<int>(*w);
        }
        return std::nullopt;
    });
    parser.add("--board", 1, [&](const std::vector<std::string>& v) -> Error {
        for (const BuiltinBoard& b : builtinBoards()) {
            if (b.name == v[0]) {
                filter.board = v[0];
                return std::nullopt;
            }
        }
        return cliArgs(cliTr("match", "board must be the name of a built-in board, not %1"),
                       {quotedArg(v[0])});
    });
    parser.add("--logic", 1, [&](const std::vector<std::string>& v) -> Error {
        filter.logic = parseLogic(v[0]);
        if (!filter.logic)
            return cliArgs(cliTr("match", "logic must be star or cross, not %1"),
                           {quotedArg(v[0])});
        return std::nullopt;
    });
}

// Every board, then every logic, then every side, before any combination repeats.
std::vector<std::pair<const BuiltinBoard*, Logic>> matchPairings(const MatchFilter& filter) {
    std::vector<std::pair<const BuiltinBoard*, Logic>> pairings;
    for (const Logic logic : {Logic::Star, Logic::Cross}) {
        if (filter.logic && *filter.logic != logic)
            continue;
        for (const BuiltinBoard& board : builtinBoards()) {
            if (!filter.board || *filter.board == board.name)
                pairings.emplace_back(&board, logic);
        }
    }
    return pairings;
}

// Plays every game of the plan on `runners.size()` workers; each game's line is printed in
// game order as soon as it and all before it are ready.
MatchTally playMatchGames(const MatchPlan& plan,
                          std::vector<std::unique_ptr<CountingRunner>>& runners,
                          CommandIo& io) {
    const int jobs = static_cast<int>(runners.size());
    std::vector<std::optional<GameOutcome>> outcomes(static_cast<std::size_t>(plan.games));
    std::mutex mutex;
    std::condition_variable ready;
    std::atomic<int> next{0};
    std::vector<std::thread> workers;
    for (int j = 0; j < jobs; ++j) {
        workers.emplace_back([&, j] {
            for (int g = next++; g < plan.games; g = next++) {
                GameOutcome o = playMatchGame(plan, g, *runners[static_cast<std::size_t>(j)]);
                const std::lock_guard lock(mutex);
                outcomes[static_cast<std::size_t>(g)] = std::move(o);
                ready.notify_one();
            }
        });
    }
    MatchTally tally;
    for (int g = 0; g < plan.games; ++g) {
        std::unique_lock lock(mutex);
        ready.wait(lock, [&] { return outcomes[static_cast<std::size_t>(g)].has_value(); });
        const GameOutcome& o = *outcomes[static_cast<std::size_t>(g)];
        lock.unlock();
        io.out << o.line << '\n';
        io.out.flush();
        if (o.line.ends_with("cannot be played"))  // the game line's own words, not translated
            tally.broken = true;
        tally.wins += o.masterResult > 0;
        tally.draws += o.masterResult == 0;
        tally.losses += o.masterResult < 0;
    }
    for (std::thread& w : workers)
        w.join();
    return tally;
}

// The score line and one line of search figures per searching side.
void printMatchSummary(const MatchTally& tally, int games,
                       const std::vector<std::unique_ptr<CountingRunner>>& runners,
                       CommandIo& io) {
    const int wins = tally.wins;
    const double score = wins + 0.5 * tally.draws;
    const auto [lo, hi] = wilsonInterval(wins, games);
    // The summary's lines are machine-read, not translated.
    io.out << "wins " << wins << " draws " << tally.draws << " losses " << tally.losses
           << " of " << games << "; win rate " << percent(static_cast<double>(wins) / games)
           << " (95% CI " << percent(lo) << " - " << percent(hi) << "), score "
           << percent(score / games) << '\n';
    std::map<std::string, CountingRunner::Totals> totals;
    for (const auto& r : runners) {
        for (const auto& [name, t] : r->totals()) {
            CountingRunner::Totals& sum = totals[name];
            sum.searches += t.searches;
            sum.depthSum += t.depthSum;
            sum.nodes += t.nodes;
            sum.ms += t.ms;
        }
    }
    for (const auto& [name, t] : totals) {
        if (t.searches == 0)
            continue;
        const double seconds = static_cast<double>(t.ms) / 1000.0;
        char line[200];
        // Machine-read, not translated.
        std::snprintf(line, sizeof line,
                      "search %s: %d moves, average depth %.2f, %.0f ms a move, %.0f nodes/s\n",
                      name.c_str(), t.searches, static_cast<double>(t.depthSum) / t.searches,
                      static_cast<double>(t.ms) / t.searches,
                      seconds > 0 ? static_cast<double>(t.nodes) / seconds : 0.0);
        io.out << line;
    }
}

}  // namespace

int matchCommand(const std::vector<std::string>& args, CommandIo& io) {
    MatchPlan plan;
    MatchFilter filter;
    OptionParser parser;
    addMatchOptions(parser, plan, filter);
    if (auto error = parser.parse(args))
        return usageError(io, *error);
    plan.pairings = matchPairings(filter);

    // Workers take the next game; the lines come out in game order as they are ready.
    const int jobs = std::min(plan.jobs, plan.games);
    std::vector<std::unique_ptr<CountingRunner>> runners;
    for (int j = 0; j < jobs; ++j) {
        runners.push_back(std::make_unique<CountingRunner>(
            plan.cpuClock ? &threadCpuSearchClock() : &steadySearchClock(), plan.weights));
    }
    const MatchTally tally = playMatchGames(plan, runners, io);
    if (tally.broken)
        return usageError(io, cliTr("match", "a built-in board cannot be played"));
    printMatchSummary(tally, plan.games, runners, io);
    return kExitOk;
}

}  // namespace tomelin::cli
