// Speed of the records survey over 999 records and of writing one record durably.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "bench_store.h"
#include "records/game_record.h"
#include "records/survey.h"

namespace {

using namespace tomelin;

GameRecord sampleRecord(int i) {
    GameRecord record;
    record.board = i % 3 ? "Originál" : "Bitva";
    record.names = {"Hráč " + std::to_string(i % 17), i % 2 ? "PC Génius" : "Eva"};
    record.logic = 1 + i % 2;
    record.times = 24;
    record.counts = {40 + i % 7, 24};
    record.tokens = {"ACE1", "ECA5"};
    record.winner = 1;
    record.moves = 60 + i % 30;
    return record;
}

void BM_SurveyOf999Records(benchmark::State& state) {
    BenchStore bench;
    if (!bench.store) {
        state.SkipWithError("cannot open a store");
        return;
    }
    {
        StoreTransaction transaction(*bench.store);
        for (int i = 0; i < 999; ++i)
            writeGameRecord(*bench.store, sampleRecord(i));
        transaction.commit();
    }
    for (auto _ : state) {
        Survey survey = readSurvey(*bench.store);
        if (survey.recordCount() != 999)
            state.SkipWithError("records missing");
        benchmark::DoNotOptimize(survey);
    }
}
BENCHMARK(BM_SurveyOf999Records)->Unit(benchmark::kMillisecond);

// The part of the survey that reads the store: every record as a typed row.
void BM_ReadOf999Records(benchmark::State& state) {
    BenchStore bench;
    if (!bench.store) {
        state.SkipWithError("cannot open a store");
        return;
    }
    {
        StoreTransaction transaction(*bench.store);
        for (int i = 0; i < 999; ++i)
            writeGameRecord(*bench.store, sampleRecord(i));
        transaction.commit();
    }
    for (auto _ : state) {
        const std::vector<StoredGameRecord> rows = readGameRecords(*bench.store);
        if (rows.size() != 999)
            state.SkipWithError("records missing");
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_ReadOf999Records)->Unit(benchmark::kMillisecond);

// Finding the number the next record takes among 999.
void BM_FreeNumberAmong999Records(benchmark::State& state) {
    BenchStore bench;
    if (!bench.store) {
        state.SkipWithError("cannot open a store");
        return;
    }
    {
        StoreTransaction transaction(*bench.store);
        for (int i = 0; i < 999; ++i)
            writeGameRecord(*bench.store, sampleRecord(i));
        transaction.commit();
    }
    for (auto _ : state) {
        if (lowestFreeRecordNumber(*bench.store) != 1000)
            state.SkipWithError("wrong number");
    }
}
BENCHMARK(BM_FreeNumberAmong999Records)->Unit(benchmark::kMicrosecond);

// One record, committed to disk, into a store already holding `range(0)` records.
void BM_WriteOneRecordDurably(benchmark::State& state) {
    BenchStore bench;
    if (!bench.store) {
        state.SkipWithError("cannot open a store");
        return;
    }
    {
        StoreTransaction transaction(*bench.store);
        for (int i = 0; i < state.range(0); ++i)
            writeGameRecord(*bench.store, sampleRecord(i));
        transaction.commit();
    }
    const int number = static_cast<int>(state.range(0)) + 1;
    for (auto _ : state) {
        const RecordWrite write = writeGameRecord(*bench.store, sampleRecord(number));
        if (write.number != number)
            state.SkipWithError("unexpected record number");
        state.PauseTiming();
        bench.store->DeleteRegKey(recordKeyPath(number));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WriteOneRecordDurably)->Arg(0)->Arg(999)->Unit(benchmark::kMillisecond);

// The floor for any durable write: one 4 KB write and fsync of a file on the same disk.
void BM_FsyncBaseline(benchmark::State& state) {
    BenchStore bench;
    const std::string path = bench.store->path() + ".probe";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        state.SkipWithError("cannot create a file");
        return;
    }
    const std::string block(4096, 'x');
    for (auto _ : state) {
        if (::write(fd, block.data(), block.size()) != static_cast<ssize_t>(block.size()) ||
            ::fsync(fd) != 0) {
            state.SkipWithError("write failed");
        }
    }
    ::close(fd);
}
BENCHMARK(BM_FsyncBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
