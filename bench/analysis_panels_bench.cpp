// The trend, the four analysis lists and the daily averages on the largest log.
#include <benchmark/benchmark.h>

#include "app/frm_main.h"
#include "core/dates.h"
#include "generated_log.h"
#include "ui/scripted.h"

namespace {

// The window started on a log of `count` records, the help tour off.
struct AnalysisFixture {
    explicit AnalysisFixture(int count)
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

// DSP_RENTAI: the log read, the series, both lines of the chart and the texts.
void BM_DspRentai(benchmark::State& state) {
    AnalysisFixture f(static_cast<int>(state.range(0)));
    analysis::RenTaiPanel& rentai = f.window.rentai();
    for (auto _ : state) rentai.DSP_RENTAI();
    state.counters["rows"] = rentai.mcrRentai.rowCount();
}

// The opening of the analysis panel: the trend rebuilt, then the four lists.
void BM_DspBunseki(benchmark::State& state) {
    AnalysisFixture f(static_cast<int>(state.range(0)));
    analysis::BunsekiPanel& bunseki = f.window.bunseki();
    for (auto _ : state) bunseki.cmdBunseki_Click();
    state.counters["rows"] = bunseki.msgB1.rows() - 1;
}

// INIT_AVGTAI and DSP_AVGTAI: every day from the first record to the last.
void BM_DspAvgtai(benchmark::State& state) {
    AnalysisFixture f(static_cast<int>(state.range(0)));
    analysis::AvgTaiPanel& avgtai = f.window.avgtai();
    for (auto _ : state) avgtai.DSP_AVGTAI();
    state.counters["days"] = avgtai.msgAvgtai.rows() - 1;
}

BENCHMARK(BM_DspRentai)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DspBunseki)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DspAvgtai)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
