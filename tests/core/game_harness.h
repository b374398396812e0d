#pragma once
// Test support: a game on a manual timer host with a seeded random source and an observer
// that records what the window would be told.

#include <string>
#include <vector>

#include "core/game.h"
#include "core/hint_search.h"
#include "core/manual_timer_host.h"
#include "core/person_input.h"
#include "core/random.h"

namespace tomelin::test {

// Board string from its rows, top to bottom, each closed by '/': "+X/X-/".
inline std::string rows(std::string s) {
    std::erase(s, '/');
    return s;
}

// Board holding the given board string (side = its square root).
inline Board boardFrom(const std::string& boardString) {
    Board b;
    LoadBoardDescriptor(b, boardString + "1");
    return b;
}

inline std::string original() {
    return findBuiltinBoard("Originál")->boardString;
}

// Records the events a test looks at: fills and ends as "fill <stuck player> <cells>" and
// "end <tokens 1> <tokens 2> <winner>" in `log`, the last score and clock text per player.
struct RecordingObserver : GameObserver {
    int changedCells = 0, rays = 0;
    std::array<int, 3> score{-1, -1, -1};
    std::vector<int> movers, turns, progressScales, percents;
    std::vector<std::string> log;
    std::array<std::string, 3> clockText{"<none>", "<none>", "<none>"};

    void cellChanged(int, int) override { ++changedCells; }
    void captureRay(CellPos, CellPos) override { ++rays; }
    void moveMade(Player p, CellPos, CellPos) override { movers.push_back(number(p)); }
    void freeCellsFilled(Player stuck, int cells) override {
        log.push_back("fill " + std::to_string(number(stuck)) + " " + std::to_string(cells));
    }
    void scoreChanged(int a, int b, int f) override { score = {a, b, f}; }
    void gameEnded(int a, int b, int w) override {
        log.push_back("end " + std::to_string(a) + " " + std::to_string(b) + " " +
                      std::to_string(w));
    }
    void turnChanged(Player p) override { turns.push_back(number(p)); }
    void progressStep(int, int scale, Player) override { progressScales.push_back(scale); }
    void searchProgressChanged(int percent) override { percents.push_back(percent); }
    void clockTextChanged(Player p, const std::string& t) override {
        clockText.at(static_cast<std::size_t>(number(p))) = t;
    }
};

// The setup window's time list: position 0 no limit, 1..4 1.5 h, 1 h, 30 min, 10 min.
inline TimeLimit listLimit(int position) {
    constexpr int kSeconds[5] = {0, 5400, 3600, 1800, 600};
    return position >= 1 && position <= 4 ? TimeLimit::of(std::chrono::seconds(kSeconds[position]))
                                          : TimeLimit::none();
}

// One game wired to a manual timer host, a fixed-seed (or the given) random source and a
// recorder; started on the given board.
class GameHarness {
public:
    // Without a board nothing is started yet.
    explicit GameHarness(const std::string& boardString = "", const std::string& logic = "1",
                         const std::string& name1 = "Alice", const std::string& name2 = "Bob",
                         std::array<int, 2> times = {0, 0}, RandomSource* other = nullptr)
        : random(7), game(timers, other ? *other : random) {
        setup.logic = logic == "1" ? Logic::Star : Logic::Cross;
        setup.players = {playerNamed(name1, listLimit(times[0])),
                         playerNamed(name2, listLimit(times[1]))};
        timers.setHandler([this](GameTimer t) { game.onTimer(t); });
        game.setObserver(&observer);
        if (!boardString.empty())
            startGame(boardString);
    }

    // Starts a game of the same players on `boardString` and runs the start and the first
    // turn change.
    void startGame(const std::string& boardString) {
        setup.board = boardString;
        if (game.start(setup))
            return;
        timers.fire(GameTimer::Start);
        timers.fire(GameTimer::TurnChange);
    }

    // Two clicks, as a person moving from (sx, sy) to (tx, ty).
    void clicks(int sx, int sy, int tx, int ty) {
        game.clickCell(sx, sy);
        game.clickCell(tx, ty);
    }

    // A person's move: two clicks, then the turn change.
    void move(int sx, int sy, int tx, int ty) {
        clicks(sx, sy, tx, ty);
        if (timers.isActive(GameTimer::TurnChange))
            timers.fire(GameTimer::TurnChange);
    }

    // Runs the computer's two clicks and the following turn change.
    void playComputerMove() {
        timers.fire(GameTimer::ComputerClicks);
        timers.fire(GameTimer::ComputerClicks);
        if (timers.isActive(GameTimer::TurnChange))
            timers.fire(GameTimer::TurnChange);
    }

    // The turn as the window shows it, e.g. "p2 made 1 move 1 take-back" (the full-move
    // number of the move label; the last word only while take-back is offered).
    std::string turn() const {
        return "p" + std::to_string(number(game.playerToMove())) + " made " +
               std::to_string(game.movesMade()) + " move " + std::to_string(game.moveNumber()) +
               (game.takeBackUnavailable() ? "" : " take-back");
    }

    // The running game timers, e.g. "TimCHng TimerT".
    std::string running() const {
        const char* names[] = {"Timer1", "TimCHng", "TimPC", "TimerT"};  // in enum order
        std::string s;
        for (int t = 0; t < 4; ++t) {
            if (timers.isActive(static_cast<GameTimer>(t)))
                s += s.empty() ? names[t] : std::string(" ") + names[t];
        }
        return s;
    }

    GameSetup setup;
    ManualTimerHost timers;
    MtRandomSource random;
    Game game;
    RecordingObserver observer;
};

}  // namespace tomelin::test
