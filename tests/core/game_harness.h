#pragma once
// Test support: a game on a manual timer host with a seeded random source and an observer
// that records what the window would be told.

#include <initializer_list>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/manual_timer_host.h"
#include "core/random.h"

namespace tomelin::test {

// Joins rows given top to bottom into a board string.
inline std::string rows(std::initializer_list<const char*> lines) {
    std::string s;
    for (const char* l : lines)
        s += l;
    return s;
}

// Board holding the given board string (side = its square root).
inline Board boardFrom(const std::string& boardString) {
    Board b;
    LoadBoardDescriptor(b, boardString + "1");
    return b;
}

struct RecordingObserver : GameObserver {
    struct Move {
        int player;
        CellPos source;
        CellPos target;
    };
    std::vector<CellPos> changedCells;
    std::vector<CellPos> rays;
    std::vector<Move> moves;
    std::vector<std::string> moveLabels;
    std::vector<std::string> percents;
    std::vector<std::string> captions;
    std::vector<int> progressSteps;
    std::vector<int> progressScales;
    std::vector<int> turns;
    std::vector<bool> takeBackFlags;
    std::vector<std::pair<int, std::string>> clockTexts;
    std::vector<std::pair<int, Rgb>> clockColours;
    int fills = 0;
    int fillStuckPlayer = 0;
    int fillCells = 0;
    int ended = 0;
    int endA = -1, endB = -1, endWinner = -1;
    int lastA = -1, lastB = -1, lastF = -1;
    int resets = 0;

    void cellChanged(int x, int y) override { changedCells.push_back({x, y}); }
    void captureRay(CellPos, CellPos to) override { rays.push_back(to); }
    void moveMade(int p, CellPos s, CellPos t) override { moves.push_back({p, s, t}); }
    void freeCellsFilled(int stuck, int cells) override {
        ++fills;
        fillStuckPlayer = stuck;
        fillCells = cells;
    }
    void scoreChanged(int a, int b, int f) override {
        lastA = a;
        lastB = b;
        lastF = f;
    }
    void gameEnded(int a, int b, int w) override {
        ++ended;
        endA = a;
        endB = b;
        endWinner = w;
    }
    void boardReset() override { ++resets; }
    void moveLabelChanged(const std::string& t) override { moveLabels.push_back(t); }
    void turnChanged(int p) override { turns.push_back(p); }
    void takeBackUnavailableChanged(bool u) override { takeBackFlags.push_back(u); }
    void progressStep(int step, int scale, int) override {
        progressSteps.push_back(step);
        progressScales.push_back(scale);
    }
    void percentChanged(const std::string& t) override { percents.push_back(t); }
    void captionChanged(const std::string& t) override { captions.push_back(t); }
    void clockTextChanged(int p, const std::string& t) override { clockTexts.push_back({p, t}); }
    void clockColourChanged(int p, Rgb c) override { clockColours.push_back({p, c}); }
};

// One game wired to a manual timer host, a fixed-seed random source and a recorder.
class GameHarness {
public:
    explicit GameHarness(std::uint32_t seed = 7) : random(seed), game(timers, random) {
        timers.setHandler([this](GameTimer t) { game.onTimer(t); });
        game.setObserver(&observer);
    }

    // Starts a game on `boardString` and runs the start and the first turn change.
    void startGame(const std::string& boardString, const std::string& logic = "1",
                   const std::string& name1 = "Alice", const std::string& name2 = "Bob",
                   std::array<int, 2> times = {0, 0}) {
        GameSetup s;
        s.descriptor = boardString + "1";
        s.names = {name1, name2};
        s.logicLabel = logic;
        s.timeListPos = times;
        s.person = {playerKindFromName(name1) == 0, playerKindFromName(name2) == 0};
        auto err = game.start(s);
        if (err)
            return;
        timers.fire(GameTimer::Timer1);
        timers.fire(GameTimer::TimCHng);
    }

    // A person's move: two clicks, then the turn change.
    void move(int sx, int sy, int tx, int ty) {
        game.PLKlik(sx, sy);
        game.PLKlik(tx, ty);
        if (timers.isActive(GameTimer::TimCHng))
            timers.fire(GameTimer::TimCHng);
    }

    // Runs the computer's two clicks and the following turn change.
    void playComputerMove() {
        timers.fire(GameTimer::TimPC);
        timers.fire(GameTimer::TimPC);
        if (timers.isActive(GameTimer::TimCHng))
            timers.fire(GameTimer::TimCHng);
    }

    ManualTimerHost timers;
    MtRandomSource random;
    Game game;
    RecordingObserver observer;
};

}  // namespace tomelin::test
