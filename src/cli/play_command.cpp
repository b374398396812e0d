#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <memory>
#include <ostream>
#include <random>

#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/game_keeping.h"
#include "cli/match_printer.h"
#include "cli/play.h"
#include "records/pgn_records.h"
#include "cli/position_options.h"
#include "core/fen.h"
#include "core/pgn.h"
#include "core/game.h"
#include "core/game_snapshot.h"
#include "core/manual_timer_host.h"
#include "core/random.h"
#include "platform/store/store.h"

namespace tomelin::cli {

namespace {

constexpr int kMaxGames = 100000;
constexpr int kDefaultMaxMoves = 10000;

struct PlaySettings {
    const BuiltinBoard* board = nullptr;
    std::optional<std::string> boardString;
    Logic logic = Logic::Star;
    std::array<int, 2> levels{2, 2};
    std::optional<std::uint32_t> seed;
    int games = 1;
    bool show = false;
    int maxMoves = kDefaultMaxMoves;
    bool maxMovesGiven = false;
    bool resume = false;
    int moveTimeMs = 1000;  // "PC Velmistr"'s thinking time per move
    bool record = false;    // --record
    std::optional<std::string> pgnPath;  // --pgn FILE
};

// Today's date as PGN writes it ("2024.05.01").
std::string pgnToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y.%m.%d", &local);
    return text;
}

void addPlayOptions(OptionParser& parser, PlaySettings& s) {
    using Error = std::optional<std::string>;
    parser.add("--board", 1, [&s](const std::vector<std::string>& v) -> Error {
        s.board = findBoardByName(v[0]);
        if (!s.board)
            return cliArgs(cliTr("play", "unknown board %1; \"tomelin-cli boards\" lists them"),
                           {quotedArg(v[0])});
        return std::nullopt;
    });
    parser.add("--board-string", 1, [&s](const std::vector<std::string>& v) -> Error {
        if (auto problem = boardStringProblem(v[0]))
            return problem;
        s.boardString = v[0];
        return std::nullopt;
    });
    parser.add("--logic", 1, [&s](const std::vector<std::string>& v) -> Error {
        const auto logic = parseLogic(v[0]);
        if (!logic)
            return cliArgs(cliTr("play", "logic must be star or cross, not %1"), {quotedArg(v[0])});
        s.logic = *logic;
        return std::nullopt;
    });
    for (int p = 1; p <= 2; ++p) {
        parser.add(
            "--p" + std::to_string(p), 1, [&s, p](const std::vector<std::string>& v) -> Error {
                const auto level = parseLevel(v[0]);
                if (!level)
                    return cliArgs(
                        cliTr("play", "level must be beginner, pro, genius or master, not %1"),
                        {quotedArg(v[0])});
                s.levels[static_cast<std::size_t>(p - 1)] = *level;
                return std::nullopt;
            });
    }
    addInteger(parser, "--seed", 0, 4294967295LL,
               [&s](long long n) { s.seed = static_cast<std::uint32_t>(n); });
    parser.add("--games", 1, [&s](const std::vector<std::string>& v) -> Error {
        const auto games = parseInteger(v[0], 1, kMaxGames);
        if (!games)
            return cliArgs(cliTr("play", "games must be a number from 1 to %1"),
                           {std::to_string(kMaxGames)});
        s.games = static_cast<int>(*games);
        return std::nullopt;
    });
    parser.add("--max-moves", 1, [&s](const std::vector<std::string>& v) -> Error {
        const auto moves = parseInteger(v[0], 1, 1000000);
        if (!moves)
            return cliTr("play", "max-moves must be a number from 1 to 1000000");
        s.maxMoves = static_cast<int>(*moves);
        s.maxMovesGiven = true;
        return std::nullopt;
    });
    parser.add("--resume", 0, [&s](const std::vector<std::string>&) -> Error {
        s.resume = true;
        return std::nullopt;
    });
    addInteger(
        parser, "--movetime", 1, 600000,
        [&s](long long ms) { s.moveTimeMs = static_cast<int>(ms); }, IntegerKind::Milliseconds);
    parser.add("--show", 0, [&s](const std::vector<std::string>&) -> Error {
        s.show = true;
        return std::nullopt;
    });
    parser.add("--pgn", 1, [&s](const std::vector<std::string>& v) -> Error {
        if (v[0].empty())
            return cliTr("play", "--pgn needs a file name");
        s.pgnPath = v[0];
        return std::nullopt;
    });
    parser.add("--record", 0, [&s](const std::vector<std::string>&) -> Error {
        s.record = true;
        return std::nullopt;
    });
}

std::uint32_t timeSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(now ^ (now >> 32)) ^ std::random_device{}();
}

}  // namespace

std::optional<int> parseLevel(const std::string& text) {
    if (text == "beginner")
        return 1;
    if (text == "pro")
        return 2;
    if (text == "genius")
        return 3;
    if (text == "master")
        return kMasterKind;
    return std::nullopt;
}

namespace {

// Why the arguments cannot go together; nothing when they can.
std::optional<std::string> playArgumentsProblem(const std::vector<std::string>& args,
                                                const PlaySettings& settings) {
    if (settings.board && settings.boardString)
        return cliTr("play", "give either --board or --board-string, not both");
    if (!settings.resume)
        return std::nullopt;
    for (const char* fixed : {"--board", "--board-string", "--logic", "--p1", "--p2", "--games"}) {
        if (std::find(args.begin(), args.end(), fixed) != args.end()) {
            return cliArgs(
                cliTr("play", "--resume plays the kept game as it was; %1 cannot change it"),
                {fixed});
        }
    }
    return std::nullopt;
}

// The kept game --resume plays on, with its board in the settings (by its name when it is a
// built-in one); nothing, after a message, when there is none or a person plays in it.
std::optional<GameSnapshot> loadResumedGame(GameKeeping& keeping, PlaySettings& settings,
                                            std::ostream& err) {
    std::optional<GameSnapshot> resumed = keeping.load(err);
    if (!resumed)
        return std::nullopt;
    for (std::size_t i = 0; i < 2; ++i) {
        if (resumed->setup.players[i].kind == PlayerKind::Person) {
            err << "tomelin-cli: "
                << cliArgs(cliTr("play",
                                 "player %1 of the kept game is a person (%2); the tool plays "
                                 "computers only"),
                           {std::to_string(i + 1), withoutControls(resumed->setup.players[i].name)})
                << "\n";
            return std::nullopt;
        }
    }
    settings.boardString = resumed->setup.board;
    const BuiltinBoard* named = findBuiltinBoard(resumed->boardName);
    if (named && named->boardString == *settings.boardString)
        settings.board = named;
    return resumed;
}

// The board's name for the records and the PGN tags: a built-in board's own name, also for
// a board string that is one.
std::string boardNameOf(const PlaySettings& settings, const std::string& boardString) {
    if (settings.board)
        return settings.board->name;
    for (const BuiltinBoard& builtin : builtinBoards()) {
        if (builtin.boardString == boardString)
            return builtin.name;
    }
    return "Vlastní pole";  // stored, not translated: the records' name of a board of one's own
}

// The --pgn file of a run: every game is written as it ends.
class PgnFile {
public:
    PgnFile(const PlaySettings& settings, const std::string& boardString,
            const std::string& boardName, std::ostream& err)
        : m_settings(settings), m_boardString(boardString), m_boardName(boardName), m_err(err) {}

    // Opens the file when one is asked for; false after a message when it cannot be.
    bool open() {
        if (!m_settings.pgnPath)
            return true;
        m_out.open(*m_settings.pgnPath, std::ios::out | std::ios::trunc);
        if (m_out)
            return true;
        m_err << "tomelin-cli: "
              << cliArgs(cliTr("play", "cannot write the PGN file %1"),
                         {quotedArg(*m_settings.pgnPath)})
              << "\n";
        return false;
    }

    // Game `round` as the printer saw it; false after a message when writing failed.
    bool write(int round, const MatchPrinter& printer, const GameSetup& setup,
               const std::string& result) {
        if (!m_out.is_open())
            return true;
        const Logic logic = m_settings.logic;
        PgnGame g;
        // The PGN's tags are machine-read, not translated.
        g.tags = {{"Event", "tomelin-cli play"},       {"Site", "Tomelin"},
                  {"Date", pgnToday()},                {"Round", std::to_string(round)},
                  {"Black", setup.players[0].name},    {"White", setup.players[1].name},
                  {"Result", result}};
        const std::optional<std::string> fen = fenForBoard(m_boardString, logic);
        if (fen && *fen != kStandardStartFen) {
            g.tags.emplace_back("SetUp", "1");
            g.tags.emplace_back("FEN", *fen);
        }
        g.tags.emplace_back("Logic", logic == Logic::Star ? "star" : "cross");
        g.tags.emplace_back("TimeControl", "-");
        g.tags.emplace_back("TomelinBoard", m_boardName);
        if (!fen)
            g.tags.emplace_back("TomelinBoardString", m_boardString);
        g.moves = printer.moveTexts();
        g.comment = printer.fill();
        g.result = result;
        m_out << writePgn(g);
        m_out.flush();
        if (m_out)
            return true;
        m_err << "tomelin-cli: "
              << cliArgs(cliTr("play", "writing the PGN file %1 failed"),
                         {quotedArg(*m_settings.pgnPath)})
              << "\n";
        return false;
    }

private:
    const PlaySettings& m_settings;
    const std::string& m_boardString;
    const std::string& m_boardName;
    std::ostream& m_err;
    std::ofstream m_out;
};

// What the games of one run share.
struct PlayRun {
    PlaySettings& settings;
    CommandIo& io;
    GameKeeping* keeping;  // --resume and --max-moves keep the game as it goes
    const std::optional<GameSnapshot>& resumed;
    const std::string& boardString;
    const GameSetup& setup;
    std::uint32_t seed;
    MtRandomSource& random;  // one fixed-seed source: the same seed replays the same match
    std::unique_ptr<Store>& recordStore;  // opened by the first recorded game
    PgnFile& pgn;
};

// The result line of a finished game (or the readable one with --show).
void printResult(const PlayRun& run, const MatchPrinter& printer, const Board::Counts& c,
                 int winner) {
    std::ostream& out = run.io.out;
    if (run.settings.show) {
        const std::string who = winner == 0 ? cliTr("play", "Nerozhodně (draw)")
                                            : cliArgs(cliTr("play", "Vyhrál (winner): %1"),
                                                      {run.setup.player(playerOf(winner)).name}) +
                                                  (winner == 1 ? " (+)" : " (-)");
        out << cliArgs(cliTr("play", "Result %1 : %2 after %3 moves."),
                       {std::to_string(c.tokens1), std::to_string(c.tokens2),
                        std::to_string(printer.moves())})
            << " " << who << "\n";
    } else {
        // Machine-read, not translated: the result line.
        out << "result " << c.tokens1 << ' ' << c.tokens2 << ' ' << winner << ' '
            << printer.moves() << '\n';
    }
    out.flush();
}

// Plays game `g` of the run to its end (or to --max-moves), writes and records it; the exit
// code when the run must stop, nothing to go on.
std::optional<int> playOneGame(PlayRun& run, int g) {
    const PlaySettings& settings = run.settings;
    CommandIo& io = run.io;
    GameKeeping* keeping = run.keeping;
    ManualTimerHost timers;
    Game game(timers, run.random);
    game.setMasterMoveTimeMs(settings.moveTimeMs);
    MatchPrinter printer(io.out, game, settings.show);
    game.setObserver(&printer);
    timers.setHandler([&game](GameTimer t) { game.onTimer(t); });
    printer.keepWith(keeping, &io.err);
    if (run.resumed) {
        printer.setMoves(run.resumed->movesMade());
        if (auto error = resumeGame(game, *run.resumed)) {
            io.err << "tomelin-cli: " << cliTr("play", "the kept game cannot be resumed: ")
                   << snapshotErrorText(*error) << "\n";
            return kExitFailure;
        }
    } else if (game.start(run.setup)) {
        return usageError(io, cliTr("play", "the board cannot be played"));
    }
    if (settings.show) {
        io.out << cliArgs(cliTr("play", "Game %1, start:"), {std::to_string(g)}) << "\n";
        timers.fireNext({GameTimer::Clock});
        printer.drawBoard();
    }
    // The clock is left alone: these games have no time limits.
    const int limit = printer.moves() + settings.maxMoves;
    while (!game.gameOver() && printer.moves() < limit && !printer.keepFailed()) {
        if (!timers.fireNext({GameTimer::Clock}))
            break;
    }
    // The last move's turn change completes it: the kept game then holds that move.
    if (keeping && !game.gameOver() && timers.isActive(GameTimer::TurnChange))
        timers.fire(GameTimer::TurnChange);
    if (printer.keepFailed())
        return kExitFailure;
    // A kept game that is recorded goes in the same transaction as its record.
    const bool recordWithKept = keeping && settings.record && game.gameOver();
    if (keeping && game.gameOver() && !recordWithKept && !keeping->clear(io.err))
        return kExitFailure;
    const auto c = game.position().counts();
    if (!game.gameOver() && c.free > 0 && c.tokens1 + c.tokens2 > 0) {
        // Machine-read, not translated: the line of a game stopped by --max-moves.
        io.out << "unfinished " << c.tokens1 << ' ' << c.tokens2 << ' ' << printer.moves()
               << '\n';
        if (!run.pgn.write(g, printer, run.setup, "*"))
            return kExitFailure;
        return std::nullopt;
    }
    const int winner = game.position().winner();
    if (!run.pgn.write(g, printer, run.setup, game.gameOver() ? pgnResult(winner) : "*"))
        return kExitFailure;
    // The game is stored first: a result line only ever announces a game that is kept
    // (a kill before the commit loses an unannounced game, never an announced one).
    if (settings.record && game.gameOver()) {  // a board without tokens has nothing to record
        const FinishedGame finished{g,
                                    settings.board ? settings.board->name : "",
                                    run.boardString,
                                    settings.logic,
                                    run.setup.names(),
                                    c.tokens1,
                                    c.tokens2,
                                    winner,
                                    printer.moves(),
                                    game.moveCounter(),
                                    run.seed};
        if (recordWithKept ? !keeping->recordAndClear(finished, io.err)
                           : !recordPlayedGame(run.recordStore, finished, io.err))
            return kExitFailure;
    }
    printResult(run, printer, c, winner);
    return std::nullopt;
}

}  // namespace

int playCommand(const std::vector<std::string>& args, CommandIo& io) {
    PlaySettings settings;
    OptionParser parser;
    addPlayOptions(parser, settings);
    if (auto error = parser.parse(args))
        return usageError(io, *error);
    if (auto problem = playArgumentsProblem(args, settings))
        return usageError(io, *problem);
    // --max-moves may stop a game before its end: it is kept as the game window keeps one.
    std::unique_ptr<GameKeeping> keeping;
    std::optional<GameSnapshot> resumed;
    if (settings.resume || settings.maxMovesGiven) {
        keeping = GameKeeping::open(io.err);
        if (!keeping)
            return kExitFailure;
    }
    if (settings.resume) {
        resumed = loadResumedGame(*keeping, settings, io.err);
        if (!resumed)
            return kExitFailure;
    }
    if (!settings.board && !settings.boardString)
        settings.board = findBuiltinBoard("Originál");
    const std::string boardString =
        settings.board ? settings.board->boardString : *settings.boardString;
    const std::uint32_t seed = settings.seed.value_or(timeSeed());
    const std::string boardName = boardNameOf(settings, boardString);
    if (keeping && !resumed) {
        keeping->setBoardName(boardName);
        keeping->setTokens(defaultKeptTokens());
    }
    PgnFile pgn(settings, boardString, boardName, io.err);
    if (!pgn.open())
        return kExitFailure;

    GameSetup setup;
    setup.board = boardString;
    for (std::size_t i = 0; i < 2; ++i)
        setup.players[i] = computerPlayer(playerKindOf(settings.levels[i]));
    setup.logic = settings.logic;
    if (resumed) {
        setup = resumed->setup;
        settings.logic = setup.logic;
        settings.games = 1;
    }
    if (settings.show) {
        io.out << cliArgs(cliTr("play", "Tomelin: %1 (+) against %2 (-) on %3, %4 logic, seed %5"),
                          {setup.players[0].name, setup.players[1].name,
                           settings.board ? settings.board->name : cliTr("play", "a custom board"),
                           settings.logic == Logic::Star ? cliTr("play", "Hvězda (star)")
                                                         : cliTr("play", "Kříž (cross)"),
                           std::to_string(seed)})
               << "\n";
    }
    MtRandomSource random(seed);
    std::unique_ptr<Store> recordStore;
    PlayRun run{settings, io,     keeping.get(), resumed, boardString,
                setup,    seed,   random,        recordStore, pgn};
    for (int g = 1; g <= settings.games; ++g) {
        if (const auto stop = playOneGame(run, g))
            return *stop;
    }
    return kExitOk;
}

}  // namespace tomelin::cli
