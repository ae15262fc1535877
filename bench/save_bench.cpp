// Every way a save changes the log, timed from the call to the log safely on
// disk: a weighing saved at the end (also right after the day was drawn, as
// the window saves) or back-dated, a diary, a corrected
// weight and a removal (by index and as shown), a situation renamed and the
// new start; a back-dated weighing journalled, and its undo. The log is written afresh, untimed,
// before each save that leaves it different.
#include <benchmark/benchmark.h>

#include <functional>
#include <utility>

#include "core/dates.h"
#include "core/journal.h"
#include "generated_log.h"
#include "setup/new_start.h"

namespace {

// A generated log of state.range(0) records (less `spare`, room for what a
// save adds) in a folder of its own.
struct SaveFixture {
    SaveFixture(const benchmark::State& state, int spare)
        : records(bench::generateRecords(static_cast<int>(state.range(0)) - spare)) {
        folder.writeLog(records);
    }
    core::DataDir dir() const { return folder.dir(); }
    // The record in the middle of the log, as a panel shows it.
    core::ShownRecord middle() const {
        auto index = static_cast<int32_t>(records.size() / 2);
        return core::ShownRecord::of(index, records[static_cast<size_t>(index)]);
    }

    std::vector<core::WeightRecord> records;
    bench::BenchFolder folder;
};

// Times `save` alone; `reset`, untimed, puts the folder back before each.
void timeSaves(benchmark::State& state, const std::function<core::Status()>& save,
               const std::function<void()>& reset) {
    for (auto _ : state) {
        if (reset) {
            state.PauseTiming();
            reset();
            state.ResumeTiming();
        }
        if (!save()) state.SkipWithError("the save failed");
    }
}

// saveWeighing as the main panel saves: appended after the last date, or
// inserted when the log already holds a later one.
void BM_SaveWeighing(benchmark::State& state) {
    SaveFixture f(state, 1);
    core::WeightRecord weighing = f.records.back();
    weighing.Situation = "就寝前";
    timeSaves(
        state, [&] { return core::saveWeighing(f.dir(), weighing, "21:00:00"); },
        [&] { f.folder.writeLog(f.records); });
}

// The same, as the window saves: the day on screen was drawn from the log
// just before.
void BM_SaveWeighingDrawn(benchmark::State& state) {
    SaveFixture f(state, 1);
    core::DataDir dir = f.dir();
    core::WeightRecord weighing = f.records.back();
    weighing.Situation = "就寝前";
    timeSaves(
        state, [&] { return core::saveWeighing(dir, weighing, "21:00:00"); },
        [&] {
            f.folder.writeLog(f.records);
            core::parsedLog(dir);
        });
}

void BM_SaveWeighingBackdated(benchmark::State& state) {
    SaveFixture f(state, 1);
    core::WeightRecord weighing = f.records[1];  // near the start: the whole log moves
    weighing.Situation = "後から入力";
    timeSaves(
        state, [&] { return core::saveWeighing(f.dir(), weighing, ""); },
        [&] { f.folder.writeLog(f.records); });
}

// The diary of the middle record, written back and forth: every save is a
// change and leaves the log as the next one expects it.
void BM_ReplaceDiary(benchmark::State& state) {
    SaveFixture f(state, 0);
    int32_t index = f.middle().index;
    int i = 0;
    timeSaves(state,
              [&] { return core::replaceDiary(f.dir(), index, i++ % 2 ? "散歩" : "野菜中心"); },
              {});
}

void BM_ReplaceDiaryShown(benchmark::State& state) {
    SaveFixture f(state, 0);
    core::ShownRecord shown = f.middle();
    timeSaves(state,
              [&] {
                  std::string diary = shown.Diary == "野菜中心" ? "散歩" : "野菜中心";
                  core::Status status = core::replaceDiary(f.dir(), shown, diary);
                  shown.Diary = diary;
                  return status;
              },
              {});
}

void BM_ReplaceWeight(benchmark::State& state) {
    SaveFixture f(state, 0);
    int32_t index = f.middle().index;
    int i = 0;
    timeSaves(state, [&] { return core::replaceWeight(f.dir(), index, i++ % 2 ? 61.5f : 62.5f); },
              {});
}

void BM_ReplaceWeightShown(benchmark::State& state) {
    SaveFixture f(state, 0);
    core::ShownRecord shown = f.middle();
    timeSaves(state,
              [&] {
                  float weight = shown.Weight == 62.5f ? 61.5f : 62.5f;
                  core::Status status = core::replaceWeight(f.dir(), shown, weight);
                  shown.Weight = weight;
                  return status;
              },
              {});
}

void BM_RemoveRecord(benchmark::State& state) {
    SaveFixture f(state, 0);
    int32_t index = f.middle().index;
    timeSaves(
        state, [&] { return core::removeRecord(f.dir(), index); },
        [&] { f.folder.writeLog(f.records); });
}

void BM_RemoveRecordShown(benchmark::State& state) {
    SaveFixture f(state, 0);
    core::ShownRecord shown = f.middle();
    timeSaves(
        state, [&] { return core::removeRecord(f.dir(), shown); },
        [&] { f.folder.writeLog(f.records); });
}

// One situation renamed across the log and back.
void BM_RenameSituationInLog(benchmark::State& state) {
    SaveFixture f(state, 0);
    bool forth = true;
    timeSaves(state,
              [&] {
                  bool now = std::exchange(forth, !forth);
                  return now ? core::renameSituationInLog(f.dir(), "朝食前", "朝ごはん前")
                             : core::renameSituationInLog(f.dir(), "朝ごはん前", "朝食前");
              },
              {});
}

// The new start: the old log kept as its backup, the log replaced by the
// first weighing, the profile written.
void BM_NewStart(benchmark::State& state) {
    SaveFixture f(state, 0);
    setup::NewStart start =
        setup::buildNewStart({"花子", "160", "55", "74.5", std::string(setup::kFirstSituation)},
                             *core::parseDate("2026/12/07"));
    timeSaves(
        state, [&] { return setup::saveNewStart(f.dir(), start); },
        [&] {
            (void)f.dir().remove("データbak.txt");
            f.folder.writeLog(f.records);
        });
}

// A back-dated weighing saved as the window saves it, as one act of the
// journal of the folder.
struct JournalledSave {
    explicit JournalledSave(const benchmark::State& state) : f(state, 1), weighing(f.records[1]) {
        dir.setJournal(&journal);
        weighing.Situation = "後から入力";
    }
    core::Status save() {
        core::JournalAct act(dir, "体重の保存");
        return core::saveWeighing(dir, weighing, "");
    }

    SaveFixture f;
    core::Journal journal;
    core::DataDir dir = f.dir();
    core::WeightRecord weighing;
};

// What the journal adds to the save: the reads before and after and the part
// that changed.
void BM_SaveWeighingJournalled(benchmark::State& state) {
    JournalledSave j(state);
    timeSaves(
        state, [&] { return j.save(); }, [&] { j.f.folder.writeLog(j.f.records); });
}

// The undo of that save: the log checked against what the save left and
// written back, safely, as it was.
void BM_Undo(benchmark::State& state) {
    JournalledSave j(state);
    for (auto _ : state) {
        state.PauseTiming();
        j.journal.clear();
        j.f.folder.writeLog(j.f.records);
        if (!j.save()) state.SkipWithError("the save failed");
        state.ResumeTiming();
        if (j.journal.undo(j.dir).kind != core::Journal::Outcome::Kind::Done)
            state.SkipWithError("the undo failed");
    }
}

void logSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_SaveWeighing)->Apply(logSizes);
BENCHMARK(BM_SaveWeighingDrawn)->Apply(logSizes);
BENCHMARK(BM_SaveWeighingBackdated)->Apply(logSizes);
BENCHMARK(BM_ReplaceDiary)->Apply(logSizes);
BENCHMARK(BM_ReplaceDiaryShown)->Apply(logSizes);
BENCHMARK(BM_ReplaceWeight)->Apply(logSizes);
BENCHMARK(BM_ReplaceWeightShown)->Apply(logSizes);
BENCHMARK(BM_RemoveRecord)->Apply(logSizes);
BENCHMARK(BM_RemoveRecordShown)->Apply(logSizes);
BENCHMARK(BM_RenameSituationInLog)->Apply(logSizes);
BENCHMARK(BM_NewStart)->Apply(logSizes);
BENCHMARK(BM_SaveWeighingJournalled)->Apply(logSizes);
BENCHMARK(BM_Undo)->Apply(logSizes);

}  // namespace
