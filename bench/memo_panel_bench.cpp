// The diary panel's list and a diary save on the largest log.
#include <benchmark/benchmark.h>

#include "app/frm_main.h"
#include "core/dates.h"
#include "generated_log.h"
#include "ui/scripted.h"

namespace {

// The window started on a log of `count` records, the help tour off.
struct MemoFixture {
    explicit MemoFixture(int count)
        : records(bench::generateRecords(count)),
          window(folder.dir(), ui::Services{dialogs, clock, printer, clipboard, help, shell}) {
        folder.writeLog(records);
        (void)folder.dir().writeText("設定.TXT", "\"ヘルプツアー\",0\r\n");
        clock.set(*core::parseDate(records.back().Date), {21, 0, 0});
        window.Form_Load();
    }
    std::vector<core::WeightRecord> records;
    bench::BenchFolder folder;
    ui::ScriptedDialogs dialogs;
    ui::FixedClock clock;
    ui::RecordingPrinter printer;
    ui::RecordingClipboard clipboard;
    ui::RecordingHelp help;
    ui::ScriptShell shell;
    app::frmMain window;
};

void BM_DspMemoList(benchmark::State& state) {
    MemoFixture f(static_cast<int>(state.range(0)));
    notes::MemoPanel& memo = f.window.memo();
    for (auto _ : state) {
        memo.INIT_MEMO_GRID();
        memo.DSP_MEMO_LIST();
    }
    state.counters["rows"] = memo.msgMemoList.rows() - 1;
}

// Saving the diary of the middle record: the whole log rewritten safely.
void BM_MemoSave(benchmark::State& state) {
    MemoFixture f(static_cast<int>(state.range(0)));
    notes::MemoPanel& memo = f.window.memo();
    memo.fill();
    memo.msgMemoList.clickCell(memo.msgMemoList.rows() / 2, 6);
    int i = 0;
    for (auto _ : state) {
        memo.txtMemo.setText("夕食は野菜中心" + std::to_string(i++ % 10));
        memo.cmdMemoHozon_Click();
    }
    if (!f.dialogs.takeLog().empty()) state.SkipWithError("a message was shown");
}

BENCHMARK(BM_DspMemoList)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoSave)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
