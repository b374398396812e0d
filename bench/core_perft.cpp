// Perft depth 4 on a 7 x 7 board: the raw speed of the move rules.

#include <benchmark/benchmark.h>

#include "core/perft.h"

namespace {

using tomelin::Directions;
using tomelin::Logic;

void BM_Perft7x7Depth4(benchmark::State& state) {
    const auto logic = static_cast<Logic>(state.range(0));
    tomelin::Board board;
    // Corners held by each side, everything else free.
    tomelin::LoadBoardDescriptor(board, "+XXXXX-" + std::string(35, 'X') + "-XXXXX+" + "1");
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        nodes = tomelin::perft(board, Directions::of(logic), 1, 4);
        benchmark::DoNotOptimize(nodes);
    }
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_Perft7x7Depth4)
    ->Arg(static_cast<int>(Logic::Star))
    ->Arg(static_cast<int>(Logic::Cross))
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
