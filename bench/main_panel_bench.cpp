// The main panel's refresh on the largest log, beside the floor.
#include <benchmark/benchmark.h>

#include "app/frm_main.h"
#include "core/dates.h"
#include "generated_log.h"
#include "ui/scripted.h"

namespace {

// DSP_MAIN for the log's last date, with a conversion table of
// state.range(1) dated entries.
void BM_DspMain(benchmark::State& state) {
    auto records = bench::generateRecords(static_cast<int>(state.range(0)));
    bench::BenchFolder folder;
    folder.writeLog(records);
    std::string table;
    auto from = std::chrono::sys_days(std::chrono::year(1990) / 1 / 1);
    for (int i = 0; i < state.range(1); ++i)
        table += "\"" + core::dateText(core::Date(from + std::chrono::days(i * 200))) + "\"," +
                 std::to_string(100 + i) + "\r\n";
    if (!folder.dir().writeText("換算.txt", table)) state.SkipWithError("cannot write the table");
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
    if (window.state.Conversion.entries.size() != static_cast<size_t>(state.range(1)))
        state.SkipWithError("the table did not load");
    for (auto _ : state) window.main().DSP_MAIN();
    state.counters["rows"] = window.main().msgDayList.rows() - 1;
}

BENCHMARK(BM_DspMain)->Args({32767, 1})->Args({32767, 50})->Unit(benchmark::kMillisecond);

}  // namespace
