// Snapshots of a full data folder: one made (every file copied and flushed,
// the new folder renamed into place, the snapshots that the rule drops
// removed), and the list of about forty snapshots of a full log, the first
// time and again.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <stdexcept>

#include "core/platform.h"
#include "core/settings.h"
#include "core/snapshot.h"
#include "generated_log.h"

namespace {

const core::Date kFirstDay = core::Date(std::chrono::year(2026) / 12 / 1);

// The small files beside the log, as a user's folder has them.
void writeSmallFiles(const core::DataDir& dir) {
    const core::Status written[] = {
        dir.writeText("状況リスト.txt",
                      "起床後\r\n朝食前\r\n朝食後\r\n昼食後\r\n夕食前\r\n夕食後\r\n入浴後\r\n"
                      "就寝前\r\n"),
        dir.writeText("換算.txt", "\"1990/01/01\",100\r\n\"2000/01/01\",200\r\n"),
        dir.writeText("気付きメモ.txt", "夜はご飯を半分に。\r\n"),
        core::writeProfile(dir, {"花子", 160, 55}),
        core::writeHelpTour(dir, 0),
        core::writeAutoTime(dir, 1),
        core::writeMovingAverageWidth(dir, "10"),
        core::writeScaleStep(dir, "0.1"),
        core::writeMarkerStyle(dir, 1),
        core::writeTrendLine(dir, 1),
        dir.writeText("傾向の元.TXT", "\"朝食前\"\r\n"),
        core::writeSnapshotFolder(dir, core::platform::pathOf(core::kSnapshotFolderName)),
    };
    for (const core::Status& s : written)
        if (!s) throw std::runtime_error("cannot write " + s.fileName());
}

// The moment `minutes` minutes after midnight of the first day.
core::Date dayAt(int minutes) {
    return core::Date(std::chrono::sys_days(kFirstDay) + std::chrono::days(minutes / 1440));
}
core::TimeOfDay timeAt(int minutes) {
    return {minutes % 1440 / 60, minutes % 60, 0};
}

// One snapshot a minute from 07:00 on a day after a handful of snapshots
// of the days before: from the eleventh on, each drops the oldest of its
// day.
void BM_Snapshot(benchmark::State& state) {
    bench::BenchFolder folder;
    folder.writeLog(bench::generateRecords(static_cast<int>(state.range(0))));
    const core::DataDir dir = folder.dir();
    writeSmallFiles(dir);
    const core::SnapshotMaker maker(core::snapshotFolder(dir));
    for (int i = 0; i < 5; ++i)
        if (!maker.make(dir, dayAt(i * 1440), timeAt(7 * 60)).status)
            throw std::runtime_error("cannot make a snapshot");
    int minutes = 5 * 1440 + 7 * 60;
    for (auto _ : state) {
        core::MadeSnapshot made = maker.make(dir, dayAt(minutes), timeAt(minutes));
        if (!made.status || !made.retention) state.SkipWithError("the snapshot failed");
        ++minutes;
    }
}

// Forty snapshots of a full log, a day apart: one made, the others copies
// of it. Made once for both lists.
struct ListFixture {
    ListFixture() {
        folder.writeLog(bench::generateRecords(core::kMaxRecords));
        const core::DataDir dir = folder.dir();
        writeSmallFiles(dir);
        snapshots = core::snapshotFolder(dir);
        core::MadeSnapshot made = core::SnapshotMaker(snapshots).make(dir, kFirstDay, {7, 0, 0});
        if (!made.status) throw std::runtime_error("cannot make a snapshot");
        const std::filesystem::path first = snapshots / made.name;
        for (int i = 1; i < kSnapshots; ++i)
            std::filesystem::copy(first,
                                  snapshots / core::snapshotNameText({dayAt(i * 1440), {7, 0, 0}}),
                                  std::filesystem::copy_options::recursive);
    }
    static constexpr int kSnapshots = 40;
    bench::BenchFolder folder;
    std::filesystem::path snapshots;
};

// `again`: as the panel shows the list a second time in a run; otherwise
// as the first time (what was read before forgotten, the files in the
// system's cache).
void BM_SnapshotList(benchmark::State& state, bool again) {
    static const auto fixture = std::make_unique<ListFixture>();
    core::forgetSnapshotSummaries();
    if (again) (void)core::listSnapshots(fixture->snapshots);
    for (auto _ : state) {
        if (!again) core::forgetSnapshotSummaries();
        std::vector<core::SnapshotInfo> list = core::listSnapshots(fixture->snapshots);
        if (list.size() != ListFixture::kSnapshots || list.front().recordCount != core::kMaxRecords)
            state.SkipWithError("the list is wrong");
        benchmark::DoNotOptimize(list);
    }
}

BENCHMARK(BM_Snapshot)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SnapshotList, first, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SnapshotList, again, true)->Unit(benchmark::kMillisecond);

}  // namespace
