// The computer's decision on "Bitva" at strengths 1-3 under both logics, at the start and
// on a crowded mid-game position, and one whole computer-against-computer game.

#include <benchmark/benchmark.h>

#include "core/computer.h"
#include "core/game.h"
#include "core/manual_timer_host.h"
#include "core/random.h"

namespace {

using tomelin::ComputerSearch;
using tomelin::Game;
using tomelin::GameSetup;
using tomelin::GameTimer;
using tomelin::LastMove;
using tomelin::Logic;
using tomelin::ManualTimerHost;
using tomelin::MtRandomSource;

struct Position {
    tomelin::Position position;
    std::optional<LastMove> last;
};

const std::string& bitva() {
    return tomelin::findBuiltinBoard("Bitva")->boardString;
}

GameSetup computerSetup(Logic logic, int level1, int level2) {
    GameSetup s;
    s.board = std::string(bitva());
    s.players = {tomelin::computerPlayer(tomelin::playerKindOf(level1)),
                 tomelin::computerPlayer(tomelin::playerKindOf(level2))};
    s.logic = logic;
    return s;
}

Position startPosition() {
    return {*tomelin::Position::fromBoardString(bitva(), tomelin::Player::One), std::nullopt};
}

// Plays a seeded game until at least `moves` moves are made and player 1 is to move.
Position midGame(Logic logic, int moves) {
    ManualTimerHost timers;
    MtRandomSource random(2024);
    Game game(timers, random);
    timers.setHandler([&game](GameTimer t) { game.onTimer(t); });
    game.start(computerSetup(logic, 2, 2));
    while (!game.gameOver()) {
        const bool ready = game.movesMade() >= moves && game.playerToMove() == tomelin::Player::One &&
                           game.computerMovePending() && !timers.isActive(GameTimer::TurnChange);
        if (ready)
            break;
        if (!timers.fireNext({GameTimer::Clock}))
            break;
    }
    Position p{game.position(), std::nullopt};
    if (game.lastMoveSource())
        p.last = LastMove{*game.lastMoveSource(), *game.lastMoveTarget()};
    return p;
}

void decide(benchmark::State& state, const Position& position, Logic logic) {
    const int strength = static_cast<int>(state.range(0));
    ComputerSearch search;
    std::size_t candidates = 0;
    for (auto _ : state) {
        const auto r = search.run(position.position, logic, strength, position.last);
        candidates = r.candidates->size();
        benchmark::DoNotOptimize(r.bestScore);
    }
    state.counters["candidates"] = static_cast<double>(candidates);
    state.counters["free"] = position.position.counts().free;
}

void BM_DecisionBitvaStartStar(benchmark::State& state) {
    decide(state, startPosition(), Logic::Star);
}
void BM_DecisionBitvaStartCross(benchmark::State& state) {
    decide(state, startPosition(), Logic::Cross);
}
void BM_DecisionBitvaMidGameStar(benchmark::State& state) {
    static const Position p = midGame(Logic::Star, 120);
    decide(state, p, Logic::Star);
}
void BM_DecisionBitvaMidGameCross(benchmark::State& state) {
    static const Position p = midGame(Logic::Cross, 120);
    decide(state, p, Logic::Cross);
}

// The whole game through the real turn sequence, its timers stepped at once.
void BM_WholeGameBitva(benchmark::State& state) {
    const auto logic = static_cast<Logic>(state.range(0));
    int moves = 0;
    std::uint32_t seed = 1;
    for (auto _ : state) {
        ManualTimerHost timers;
        MtRandomSource random(seed++);
        Game game(timers, random);
        timers.setHandler([&game](GameTimer t) { game.onTimer(t); });
        game.start(computerSetup(logic, 3, 2));
        while (!game.gameOver() && timers.fireNext({GameTimer::Clock})) {
        }
        moves = game.movesMade();
        benchmark::DoNotOptimize(game.position().toBoard());
    }
    state.counters["moves"] = moves;
}

}  // namespace

BENCHMARK(BM_DecisionBitvaStartStar)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecisionBitvaStartCross)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecisionBitvaMidGameStar)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecisionBitvaMidGameCross)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WholeGameBitva)
    ->Arg(static_cast<int>(Logic::Star))
    ->Arg(static_cast<int>(Logic::Cross))
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
