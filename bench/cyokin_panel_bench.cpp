// The savings panel's whole refresh on the largest log: both grids, the
// history and its chart, read from the files as the panel opens.
#include <benchmark/benchmark.h>

#include "app/frm_main.h"
#include "generated_log.h"
#include "ui/scripted.h"

namespace {

void BM_DspCyokin(benchmark::State& state) {
    auto records = bench::generateRecords(static_cast<int>(state.range(0)));
    bench::BenchFolder folder;
    folder.writeLog(records);
    if (!folder.dir().writeText("換算.txt", "\"2000/01/01\",100\r\n\"2024/06/01\",150\r\n"))
        state.SkipWithError("cannot write the table");
    if (!folder.dir().writeText("設定.TXT", "\"ヘルプツアー\",0\r\n"))
        state.SkipWithError("settings");

    ui::ScriptedDialogs dialogs;
    ui::FixedClock clock;
    clock.set(*core::parseDate(records.back().Date), {21, 0, 0});
    ui::RecordingPrinter printer;
    ui::RecordingClipboard clipboard;
    ui::RecordingHelp help;
    ui::ScriptShell shell;
    app::frmMain window(folder.dir(),
                        ui::Services{dialogs, clock, printer, clipboard, help, shell});
    window.Form_Load();
    savings::CyokinPanel& panel = window.cyokin();
    for (auto _ : state) panel.fill();
    state.counters["days"] = panel.msgCyokin2.rows() - 1;
}

BENCHMARK(BM_DspCyokin)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
