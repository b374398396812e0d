// "PC Velmistr"'s search: fixed depths from the start of "Originál" and "Bitva" under both
// logics (nodes a second in the counters), and one full 16 x 16 position at depth 2.

#include <benchmark/benchmark.h>

#include "core/master_search.h"

namespace {

using tomelin::Logic;
using tomelin::MasterSearch;
using tomelin::Player;
using tomelin::Position;

Position start(const char* board) {
    return *Position::fromBoardString(tomelin::findBuiltinBoard(board)->boardString, Player::One);
}

void searchAt(benchmark::State& state, const Position& p, Logic logic, int depth) {
    MasterSearch search(20);
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        search.clear();
        const tomelin::SearchReport r = search.search(p, logic, {depth, 0});
        nodes += r.nodes;
        benchmark::DoNotOptimize(r.move);
    }
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}

void BM_MasterOriginalStar(benchmark::State& s) {
    searchAt(s, start("Originál"), Logic::Star, static_cast<int>(s.range(0)));
}
void BM_MasterOriginalCross(benchmark::State& s) {
    searchAt(s, start("Originál"), Logic::Cross, static_cast<int>(s.range(0)));
}
void BM_MasterBitvaStar(benchmark::State& s) {
    searchAt(s, start("Bitva"), Logic::Star, static_cast<int>(s.range(0)));
}
void BM_MasterBitvaCross(benchmark::State& s) {
    searchAt(s, start("Bitva"), Logic::Cross, static_cast<int>(s.range(0)));
}
void BM_MasterSixteen(benchmark::State& s) {
    std::string board(256, 'X');
    board[0] = '+';
    board[255] = '-';
    board[15] = '-';
    board[240] = '+';
    for (int i = 0; i < 256; i += 37)
        board[static_cast<std::size_t>(i)] = i % 2 ? '0' : board[static_cast<std::size_t>(i)];
    searchAt(s, *Position::fromBoardString(board, Player::One), Logic::Star, 3);
}

BENCHMARK(BM_MasterOriginalStar)->DenseRange(3, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MasterOriginalCross)->DenseRange(3, 6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MasterBitvaStar)->DenseRange(2, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MasterBitvaCross)->DenseRange(3, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MasterSixteen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
