// The situation rename across the largest log: the log rewritten through its
// side file, then the list, every weighing of one label changed.
#include <benchmark/benchmark.h>

#include "generated_log.h"
#include "setup/situation_list.h"

namespace {

void BM_SituationRename(benchmark::State& state) {
    bench::BenchFolder folder;
    folder.writeLog(bench::generateRecords(static_cast<int>(state.range(0))));
    core::DataDir dir = folder.dir();
    if (!dir.writeText(setup::kSituationFile, "起床後\r\n朝食前\r\n"))
        state.SkipWithError("cannot write the list");
    bool forth = true;
    for (auto _ : state) {
        auto status = forth ? setup::renameSituationInFiles(dir, "朝食前", "朝ごはん前")
                            : setup::renameSituationInFiles(dir, "朝ごはん前", "朝食前");
        if (!status) state.SkipWithError("the rename failed");
        forth = !forth;
    }
}

BENCHMARK(BM_SituationRename)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
