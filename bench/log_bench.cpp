// The log's reads and writes beside their floors: reading the same file and
// nothing else, decoding it, and making and walking the structural masks that
// the reader works from.
#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "core/codepage.h"
#include "core/structural_index.h"
#include "generated_log.h"

namespace {

// Reading the file's bytes and nothing more: every view is judged against it.
void BM_ReadBytes(benchmark::State& state) {
    bench::BenchFolder folder;
    folder.writeLog(bench::generateRecords(static_cast<int>(state.range(0))));
    core::DataDir dir = folder.dir();
    for (auto _ : state) benchmark::DoNotOptimize(dir.readBytes(core::kLogFile));
}

// Reading and decoding.
void BM_Floor(benchmark::State& state) {
    bench::BenchFolder folder;
    folder.writeLog(bench::generateRecords(static_cast<int>(state.range(0))));
    core::DataDir dir = folder.dir();
    for (auto _ : state) {
        auto bytes = dir.readBytes(core::kLogFile);
        benchmark::DoNotOptimize(core::decodeCp932(*bytes));
    }
}

// The bytes of a generated log of state.range(0) records.
std::string generatedLogBytes(const benchmark::State& state) {
    bench::BenchFolder folder;
    folder.writeLog(bench::generateRecords(static_cast<int>(state.range(0))));
    return *folder.dir().readBytes(core::kLogFile);
}

// What any reader that works from the structural masks pays before it looks
// at a field: making the masks, and then going through every structural
// position once.
void BM_StructuralMasks(benchmark::State& state) {
    const std::string bytes = generatedLogBytes(state);
    for (auto _ : state) {
        core::StructuralIndex index(bytes);
        benchmark::DoNotOptimize(index.anyHigh(0, bytes.size()));
    }
}

void BM_StructuralWalk(benchmark::State& state) {
    const std::string bytes = generatedLogBytes(state);
    for (auto _ : state) {
        core::StructuralIndex index(bytes);
        core::StructuralCursor walk = index.at(0);
        size_t positions = 0;
        while (walk.next() < bytes.size()) ++positions;
        benchmark::DoNotOptimize(positions);
    }
}

void BM_ReadLog(benchmark::State& state) {
    bench::BenchFolder folder;
    folder.writeLog(bench::generateRecords(static_cast<int>(state.range(0))));
    core::DataDir dir = folder.dir();
    for (auto _ : state) {
        core::forgetCachedLogs();  // cold: read, decoded and parsed each time
        core::LogScan scan = core::READ_LOG(dir);
        core::RecordView record;
        float sum = 0;
        while (scan.next(record)) sum += record.Weight;
        benchmark::DoNotOptimize(sum);
    }
}

// The scan when the log has not changed since it was last read: one stat.
void BM_ReadLogWarm(benchmark::State& state) {
    bench::BenchFolder folder;
    folder.writeLog(bench::generateRecords(static_cast<int>(state.range(0))));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));  // a stamp the cache trusts
    core::DataDir dir = folder.dir();
    for (auto _ : state) {
        core::LogScan scan = core::READ_LOG(dir);
        core::RecordView record;
        float sum = 0;
        while (scan.next(record)) sum += record.Weight;
        benchmark::DoNotOptimize(sum);
    }
}

// Appending and inserting the last record that the log can take.
void BM_AppendLog(benchmark::State& state) {
    auto records = bench::generateRecords(static_cast<int>(state.range(0)));
    core::WeightRecord last = records.back();
    records.pop_back();
    bench::BenchFolder folder;
    core::DataDir dir = folder.dir();
    for (auto _ : state) {
        state.PauseTiming();
        folder.writeLog(records);
        state.ResumeTiming();
        if (!core::APPEND_LOG(dir, last)) state.SkipWithError("append failed");
    }
}

void BM_InsertLog(benchmark::State& state) {
    auto records = bench::generateRecords(static_cast<int>(state.range(0)));
    records.pop_back();
    core::WeightRecord early = records[1];  // lands near the start: the worst case
    early.Situation = "後から入力";
    bench::BenchFolder folder;
    core::DataDir dir = folder.dir();
    for (auto _ : state) {
        state.PauseTiming();
        folder.writeLog(records);
        state.ResumeTiming();
        if (!core::INSERT_LOG(dir, early)) state.SkipWithError("insert failed");
    }
}

void BM_RewriteLog(benchmark::State& state) {
    auto records = bench::generateRecords(static_cast<int>(state.range(0)));
    bench::BenchFolder folder;
    core::DataDir dir = folder.dir();
    for (auto _ : state)
        if (!core::REWRITE_LOG(dir, records)) state.SkipWithError("rewrite failed");
}

void logSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(32767)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ReadBytes)->Apply(logSizes);
BENCHMARK(BM_Floor)->Apply(logSizes);
BENCHMARK(BM_StructuralMasks)->Apply(logSizes);
BENCHMARK(BM_StructuralWalk)->Apply(logSizes);
BENCHMARK(BM_ReadLog)->Apply(logSizes);
BENCHMARK(BM_ReadLogWarm)->Apply(logSizes);
BENCHMARK(BM_AppendLog)->Apply(logSizes);
BENCHMARK(BM_InsertLog)->Apply(logSizes);
BENCHMARK(BM_RewriteLog)->Apply(logSizes);

}  // namespace

BENCHMARK_MAIN();
