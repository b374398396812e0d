#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <memory>
#include <ostream>
#include <random>

#include "cli/commands.h"
#include "cli/game_keeping.h"
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

// Column letter and row number of a cell, as a person reads the board ("c4").
std::string cellName(CellPos c) {
    std::string name(1, static_cast<char>('a' + c.x));
    name.append(std::to_string(c.y + 1));
    return name;
}

// Prints the record lines of a match and, with --show, a readable picture of the board.
class MatchPrinter : public GameObserver {
public:
    MatchPrinter(std::ostream& out, const Game& game, bool show)
        : m_out(out), m_game(game), m_show(show) {}

    // The game is kept after every turn change; the lines then reach the stream at once, so
    // that what was printed never runs ahead of what was kept by more than one move.
    void keepWith(GameKeeping* keeping, std::ostream* err) {
        m_keeping = keeping;
        m_err = err;
    }
    // A resumed game counts on from its moves made.
    void setMoves(int moves) { m_moves = moves; }
    bool keepFailed() const { return m_keepFailed; }

    void turnChanged(int) override {
        if (m_keeping && !m_keepFailed && !m_game.gameOver())
            m_keepFailed = !m_keeping->keep(m_game, *m_err);
    }

    void moveMade(int player, CellPos source, CellPos target) override {
        ++m_moves;
        const bool copy = m_game.lastMove() && m_game.lastMove()->kind == MoveKind::Copy;
        m_moveTexts.push_back(moveText(m_game.board().side(),
                                       {source, target, copy ? MoveKind::Copy : MoveKind::Jump}));
        if (!m_show) {
            m_out << "move " << m_moves << ' ' << player << ' ' << source.x << ' ' << source.y
                  << ' ' << target.x << ' ' << target.y << '\n';
            if (m_keeping)
                m_out.flush();
            return;
        }
        m_out << "Move " << m_moves << ": "
              << m_game.setup().names[static_cast<std::size_t>(player - 1)] << " ("
              << symbol(tokenOf(player)) << ") " << (copy ? "copies" : "jumps") << ' '
              << cellName(source) << " -> " << cellName(target) << '\n';
        drawBoard();
    }
    void freeCellsFilled(int stuckPlayer, int cells) override {
        m_fill = "player " + std::to_string(stuckPlayer) + " cannot move: " + std::to_string(cells) +
                 " free cells go to player " + std::to_string(3 - stuckPlayer);
        if (!m_show) {
            m_out << "fill " << stuckPlayer << ' ' << cells << '\n';
            return;
        }
        m_out << "Player " << stuckPlayer << " cannot move: " << cells
              << " free cells go to player " << 3 - stuckPlayer << '\n';
        drawBoard();
    }
    void gameEnded(int, int, int) override { m_ended = true; }

    int moves() const { return m_moves; }
    // This game's moves in the standard notation, and the fill that ended it, if one did.
    const std::vector<std::string>& moveTexts() const { return m_moveTexts; }
    const std::string& fill() const { return m_fill; }
    bool ended() const { return m_ended; }

    void drawBoard() {
        const Board& b = m_game.board();
        const int n = b.side();
        m_out << "     ";
        for (int x = 0; x < n; ++x)
            m_out << static_cast<char>('a' + x) << ' ';
        m_out << '\n';
        for (int y = 0; y < n; ++y) {
            m_out << "  " << (y + 1 < 10 ? " " : "") << y + 1 << ' ';
            for (int x = 0; x < n; ++x)
                m_out << symbol(b.at(x, y)) << ' ';
            m_out << '\n';
        }
        const auto c = b.count();
        m_out << "  +: " << c.tokens1 << "  -: " << c.tokens2 << "  free: " << c.free << "\n";
        m_out << "  FEN: " << writeFen(m_game.position()) << "\n\n";
    }

private:
    static char symbol(std::uint8_t code) {
        switch (code) {
            case kFreeCell:
                return '.';
            case kToken1:
                return '+';
            case kToken2:
                return '-';
            default:
                return ' ';
        }
    }

    std::ostream& m_out;
    const Game& m_game;
    bool m_show;
    int m_moves = 0;
    bool m_ended = false;
    GameKeeping* m_keeping = nullptr;
    std::ostream* m_err = nullptr;
    bool m_keepFailed = false;
    std::vector<std::string> m_moveTexts;
    std::string m_fill;
};

void addPlayOptions(OptionParser& parser, PlaySettings& s) {
    using Error = std::optional<std::string>;
    parser.add("--board", 1, [&s](const std::vector<std::string>& v) -> Error {
        s.board = findBoardByName(v[0]);
        if (!s.board)
            return "unknown board " + quotedArg(v[0]) + "; \"tomelin-cli boards\" lists them";
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
            return "logic must be star or cross, not " + quotedArg(v[0]);
        s.logic = *logic;
        return std::nullopt;
    });
    for (int p = 1; p <= 2; ++p) {
        parser.add(
            "--p" + std::to_string(p), 1, [&s, p](const std::vector<std::string>& v) -> Error {
                const auto level = parseLevel(v[0]);
                if (!level)
                    return "level must be beginner, pro, genius or master, not " + quotedArg(v[0]);
                s.levels[static_cast<std::size_t>(p - 1)] = *level;
                return std::nullopt;
            });
    }
    addInteger(parser, "--seed", 0, 4294967295LL,
               [&s](long long n) { s.seed = static_cast<std::uint32_t>(n); });
    parser.add("--games", 1, [&s](const std::vector<std::string>& v) -> Error {
        const auto games = parseInteger(v[0], 1, kMaxGames);
        if (!games)
            return "games must be a number from 1 to " + std::to_string(kMaxGames);
        s.games = static_cast<int>(*games);
        return std::nullopt;
    });
    parser.add("--max-moves", 1, [&s](const std::vector<std::string>& v) -> Error {
        const auto moves = parseInteger(v[0], 1, 1000000);
        if (!moves)
            return "max-moves must be a number from 1 to 1000000";
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
        [&s](long long ms) { s.moveTimeMs = static_cast<int>(ms); }, "a number of milliseconds");
    parser.add("--show", 0, [&s](const std::vector<std::string>&) -> Error {
        s.show = true;
        return std::nullopt;
    });
    parser.add("--pgn", 1, [&s](const std::vector<std::string>& v) -> Error {
        if (v[0].empty())
            return std::string("--pgn needs a file name");
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

int playCommand(const std::vector<std::string>& args, CommandIo& io) {
    PlaySettings settings;
    OptionParser parser;
    addPlayOptions(parser, settings);
    if (auto error = parser.parse(args))
        return usageError(io, *error);
    if (settings.board && settings.boardString) {
        return usageError(io, "give either --board or --board-string, not both");
    }
    if (settings.resume) {
        for (const char* fixed :
             {"--board", "--board-string", "--logic", "--p1", "--p2", "--games"}) {
            if (std::find(args.begin(), args.end(), fixed) != args.end()) {
                return usageError(io, std::string("--resume plays the kept game as it was; ") +
                                          fixed + " cannot change it");
            }
        }
    }
    // --max-moves may stop a game before its end: it is kept as the game window keeps one.
    std::unique_ptr<GameKeeping> keeping;
    std::optional<GameSnapshot> resumed;
    if (settings.resume || settings.maxMovesGiven) {
        keeping = GameKeeping::open(io.err);
        if (!keeping)
            return kExitFailure;
    }
    if (settings.resume) {
        resumed = keeping->load(io.err);
        if (!resumed)
            return kExitFailure;
        for (std::size_t i = 0; i < 2; ++i) {
            if (resumed->kinds[i] == 0) {
                io.err << "tomelin-cli: player " << i + 1 << " of the kept game is a person ("
                       << withoutControls(resumed->setup.names[i])
                       << "); the tool plays computers only\n";
                return kExitFailure;
            }
        }
    }
    if (resumed) {
        // The kept board, by its name when it is a built-in one.
        const std::string& d = resumed->setup.descriptor;
        settings.boardString = d.substr(0, d.size() - 1);
        const BuiltinBoard* named = findBuiltinBoard(resumed->boardName);
        if (named && named->boardString == *settings.boardString)
            settings.board = named;
    }
    if (!settings.board && !settings.boardString)
        settings.board = findBuiltinBoard("Originál");
    const std::string boardString =
        settings.board ? settings.board->boardString : *settings.boardString;
    const std::uint32_t seed = settings.seed.value_or(timeSeed());
    std::unique_ptr<Store> recordStore;  // opened by the first recorded game

    // One fixed-seed source for the whole run: the same seed replays the same match.
    MtRandomSource random(seed);
    std::string boardName = settings.board ? settings.board->name : std::string();
    if (!settings.board) {
        boardName = "Vlastní pole";
        for (const BuiltinBoard& builtin : builtinBoards()) {
            if (builtin.boardString == boardString)
                boardName = builtin.name;
        }
    }
    if (keeping && !resumed) {
        keeping->setBoardName(boardName);
        keeping->setTokens(defaultKeptTokens());
    }
    std::ofstream pgn;
    if (settings.pgnPath) {
        pgn.open(*settings.pgnPath, std::ios::out | std::ios::trunc);
        if (!pgn) {
            io.err << "tomelin-cli: cannot write the PGN file " << quotedArg(*settings.pgnPath) << "\n";
            return kExitFailure;
        }
    }
    const auto writeGamePgn = [&](int round, const MatchPrinter& printer, const GameSetup& names,
                                  const std::string& result) {
        if (!pgn.is_open())
            return true;
        PgnGame g;
        g.tags = {{"Event", "tomelin-cli play"},  {"Site", "Tomelin"},
                  {"Date", pgnToday()},           {"Round", std::to_string(round)},
                  {"Black", names.names[0]},      {"White", names.names[1]},
                  {"Result", result}};
        const std::optional<std::string> fen = fenForBoard(boardString, settings.logic);
        if (fen && *fen != kStandardStartFen) {
            g.tags.emplace_back("SetUp", "1");
            g.tags.emplace_back("FEN", *fen);
        }
        g.tags.emplace_back("Logic", settings.logic == Logic::Star ? "star" : "cross");
        g.tags.emplace_back("TimeControl", "-");
        g.tags.emplace_back("TomelinBoard", boardName);
        if (!fen)
            g.tags.emplace_back("TomelinBoardString", boardString);
        g.moves = printer.moveTexts();
        g.comment = printer.fill();
        g.result = result;
        pgn << writePgn(g);
        pgn.flush();
        if (!pgn) {
            io.err << "tomelin-cli: writing the PGN file " << quotedArg(*settings.pgnPath) << " failed\n";
            return false;
        }
        return true;
    };
    GameSetup setup;
    setup.descriptor = boardString + "1";
    for (std::size_t i = 0; i < 2; ++i) {
        setup.names[i] = kComputerNames[settings.levels[i] - 1];
        setup.person[i] = false;
    }
    setup.logicLabel = std::string(logicLabel(settings.logic));
    if (resumed) {
        setup = resumed->setup;
        settings.logic = logicFromLabel(setup.logicLabel);
        settings.games = 1;
    }

    if (settings.show) {
        io.out << "Tomelin: " << setup.names[0] << " (+) against " << setup.names[1] << " (-) on "
               << (settings.board ? settings.board->name : std::string("a custom board")) << ", "
               << (settings.logic == Logic::Star ? "Hvězda (star)" : "Kříž (cross)")
               << " logic, seed " << seed << "\n";
    }
    for (int g = 1; g <= settings.games; ++g) {
        ManualTimerHost timers;
        Game game(timers, random);
        game.setMasterMoveTimeMs(settings.moveTimeMs);
        MatchPrinter printer(io.out, game, settings.show);
        game.setObserver(&printer);
        timers.setHandler([&game](GameTimer t) { game.onTimer(t); });
        printer.keepWith(keeping.get(), &io.err);
        if (resumed) {
            printer.setMoves(resumed->movesMade());
            if (auto error = resumeGame(game, *resumed)) {
                io.err << "tomelin-cli: the kept game cannot be resumed: "
                       << snapshotErrorText(*error) << "\n";
                return kExitFailure;
            }
        } else if (game.start(setup)) {
            return usageError(io, "the board cannot be played");
        }
        if (settings.show) {
            io.out << "Game " << g << ", start:\n";
            timers.fireNext({GameTimer::TimerT});
            printer.drawBoard();
        }
        // The clock is left alone: these games have no time limits.
        const int limit = printer.moves() + settings.maxMoves;
        while (!game.gameOver() && printer.moves() < limit && !printer.keepFailed()) {
            if (!timers.fireNext({GameTimer::TimerT}))
                break;
        }
        // The last move's turn change completes it: the kept game then holds that move.
        if (keeping && !game.gameOver() && timers.isActive(GameTimer::TimCHng))
            timers.fire(GameTimer::TimCHng);
        if (printer.keepFailed())
            return kExitFailure;
        // A kept game that is recorded goes in the same transaction as its record.
        const bool recordWithKept = keeping && settings.record && game.gameOver();
        if (keeping && game.gameOver() && !recordWithKept && !keeping->clear(io.err))
            return kExitFailure;
        const auto c = game.position().counts();
        if (!game.gameOver() && c.free > 0 && c.tokens1 + c.tokens2 > 0) {
            io.out << "unfinished " << c.tokens1 << ' ' << c.tokens2 << ' ' << printer.moves()
                   << '\n';
            if (!writeGamePgn(g, printer, setup, "*"))
                return kExitFailure;
            continue;
        }
        const int winner = game.position().winner();
        if (!writeGamePgn(g, printer, setup, game.gameOver() ? pgnResult(winner) : "*"))
            return kExitFailure;
        // The game is stored first: a result line only ever announces a game that is kept
        // (a kill before the commit loses an unannounced game, never an announced one).
        if (settings.record && game.gameOver()) {  // a board without tokens has nothing to record
            const FinishedGame finished{g,
                                        settings.board ? settings.board->name : "",
                                        boardString,
                                        settings.logic,
                                        setup.names,
                                        c.tokens1,
                                        c.tokens2,
                                        winner,
                                        printer.moves(),
                                        game.moveCounter(),
                                        seed};
            if (recordWithKept ? !keeping->recordAndClear(finished, io.err)
                               : !recordPlayedGame(recordStore, finished, io.err))
                return kExitFailure;
        }
        if (settings.show) {
            const std::string who =
                winner == 0
                    ? "Nerozhodně (draw)"
                    : "Vyhrál (winner): " + setup.names[static_cast<std::size_t>(winner - 1)] +
                          (winner == 1 ? " (+)" : " (-)");
            io.out << "Result " << c.tokens1 << " : " << c.tokens2 << " after " << printer.moves()
                   << " moves. " << who << "\n";
        } else {
            io.out << "result " << c.tokens1 << ' ' << c.tokens2 << ' ' << winner << ' '
                   << printer.moves() << '\n';
        }
        io.out.flush();
    }
    return kExitOk;
}

}  // namespace tomelin::cli
