// The range list's opening and the calendar on the largest log.
#include <benchmark/benchmark.h>

#include "app/frm_main.h"
#include "core/dates.h"
#include "generated_log.h"
#include "ui/scripted.h"

namespace {

// The window started on a log of `count` records, the help tour off.
struct RecordsFixture {
    explicit RecordsFixture(int count)
        : records(bench::generateRecords(count)),
          window(folder.dir(), ui::Services{dialogs, clock, printer, clipboard, help, shell}) {
        folder.writeLog(records);
        (void)folder.dir().writeText("設定.TXT", "\"ヘルプツアー\",0\r\n");
        (void)folder.dir().writeText("ﾌﾟﾗｲﾍﾞｰﾄ.txt",
                                     "\"氏名\",\"花子\"\r\n\"身長\",160\r\n\"目標体重\",55\r\n");
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

// DSP_LIST_ALL: every record into the table, the chart and the period lists.
void BM_DspListAll(benchmark::State& state) {
    RecordsFixture f(static_cast<int>(state.range(0)));
    records::TaijyuPanel& list = f.window.taijyu();
    for (auto _ : state) list.DSP_LIST_ALL();
    state.counters["rows"] = list.msgBunseki.rows() - 1;
}

void BM_DspCale(benchmark::State& state) {
    RecordsFixture f(static_cast<int>(state.range(0)));
    records::CalePanel& cale = f.window.cale();
    for (auto _ : state) {
        cale.INIT_CALE_GRID();
        cale.DSP_CALE();
    }
    state.counters["months"] = cale.msgList2.rows() - 1;
}

BENCHMARK(BM_DspListAll)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DspCale)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
