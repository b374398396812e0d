// Perft on the 7 x 7 start and on "Bitva": the raw speed of the move rules.

#include <benchmark/benchmark.h>

#include "core/perft.h"

namespace {

using tomelin::Logic;

// Corners held by each side, everything else free.
const std::string kStart7 = "+XXXXX-" + std::string(35, 'X') + "-XXXXX+";

std::uint64_t countPaths(const std::string& boardString, Logic logic, int depth) {
    const auto start = tomelin::Position::fromBoardString(boardString, tomelin::Player::One);
    return tomelin::perft(*start, logic, depth);
}

void perftRate(benchmark::State& state, const std::string& boardString, int depth) {
    const auto logic = static_cast<Logic>(state.range(0));
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        nodes = countPaths(boardString, logic, depth);
        benchmark::DoNotOptimize(nodes);
    }
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void BM_Perft7x7Depth4(benchmark::State& state) {
    perftRate(state, kStart7, 4);
}
// 141,865,520 paths under the star logic.
void BM_Perft7x7Depth6(benchmark::State& state) {
    perftRate(state, kStart7, 6);
}
// Star: 6,313,730,249 paths; cross: 47,713,078.
void BM_PerftBitvaDepth4(benchmark::State& state) {
    perftRate(state, tomelin::findBuiltinBoard("Bitva")->boardString, 4);
}

}  // namespace

BENCHMARK(BM_Perft7x7Depth4)
    ->Arg(static_cast<int>(Logic::Star))
    ->Arg(static_cast<int>(Logic::Cross))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Perft7x7Depth6)
    ->Arg(static_cast<int>(Logic::Star))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_PerftBitvaDepth4)
    ->Arg(static_cast<int>(Logic::Star))
    ->Arg(static_cast<int>(Logic::Cross))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
