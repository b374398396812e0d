// Cost of keeping the running game after a turn change: one durable transaction
// (WAL, synchronous = FULL, as the program opens its store) holding the whole game.

#include <benchmark/benchmark.h>

#include <string>

#include "core/game_snapshot.h"
#include "core/manual_timer_host.h"
#include "core/random.h"
#include "bench_store.h"
#include "records/unfinished_game.h"

namespace {

using namespace tomelin;

// A computer game on `board` kept after `moves` moves, through the real turn sequence.
GameSnapshot playedGame(const char* board, int moves) {
    ManualTimerHost timers;
    MtRandomSource random(3);
    Game game(timers, random);
    timers.setHandler([&game](GameTimer t) { game.onTimer(t); });
    GameSetup setup;
    setup.board = findBuiltinBoard(board)->boardString;
    setup.players = {computerPlayer(PlayerKind::Professional),
                     computerPlayer(PlayerKind::Professional)};
    game.start(setup);
    while (!game.gameOver() && (game.movesMade() < moves || timers.isActive(GameTimer::TurnChange))) {
        if (!timers.fireNext({GameTimer::Clock}))
            break;
    }
    GameSnapshot s = captureSnapshot(game);
    s.boardName = board;
    return s;
}

void keepGame(benchmark::State& state, const char* board) {
    BenchStore bench;
    if (!bench.store) {
        state.SkipWithError("cannot open a store");
        return;
    }
    // Two successive turns, written in turn: every write changes the kept game, as in play.
    const int moves = static_cast<int>(state.range(0));
    const GameSnapshot turns[2] = {playedGame(board, moves), playedGame(board, moves + 1)};
    const GameSnapshot& game = turns[0];
    std::size_t k = 0;
    for (auto _ : state) {
        if (!writeUnfinishedGame(*bench.store, turns[k++ % 2]).ok()) {
            state.SkipWithError("the store refused the write");
            return;
        }
    }
    state.counters["moves"] = game.movesMade();
    state.counters["bytes"] = static_cast<double>(game.moveList.size() * game.moveList[0].size());
}

// Goal: under 2 ms per turn change, whole move list included.
void BM_KeepUnfinishedGameOriginal(benchmark::State& state) {
    keepGame(state, "Originál");
}
BENCHMARK(BM_KeepUnfinishedGameOriginal)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// The largest built-in board, late in a long game.
void BM_KeepUnfinishedGameBitva(benchmark::State& state) {
    keepGame(state, "Bitva");
}
BENCHMARK(BM_KeepUnfinishedGameBitva)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_ReadUnfinishedGameBitva(benchmark::State& state) {
    BenchStore bench;
    if (!bench.store || !writeUnfinishedGame(*bench.store, playedGame("Bitva", 200)).ok()) {
        state.SkipWithError("cannot keep a game");
        return;
    }
    for (auto _ : state) {
        const UnfinishedGameRead read = readUnfinishedGame(*bench.store);
        benchmark::DoNotOptimize(read.outcome);
    }
}
BENCHMARK(BM_ReadUnfinishedGameBitva)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
