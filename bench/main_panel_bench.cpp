// The main panel's refresh on the largest log, beside the floor.
#include <benchmark/benchmark.h>

#include "core/dates.h"
#include "weighing/main_panel.h"
#include "window_fixture.h"

namespace {

// A conversion table of `count` dated entries, 200 days apart.
std::string conversionTable(int64_t count) {
    std::string table;
    auto from = std::chrono::sys_days(std::chrono::year(1990) / 1 / 1);
    for (int64_t i = 0; i < count; ++i)
        table += "\"" + core::dateText(core::Date(from + std::chrono::days(i * 200))) + "\"," +
                 std::to_string(100 + i) + "\r\n";
    return table;
}

// DSP_MAIN for the log's last date, with a conversion table of
// state.range(1) dated entries.
void BM_DspMain(benchmark::State& state) {
    bench::WindowFixture f(static_cast<int>(state.range(0)),
                           {.conversionTable = conversionTable(state.range(1))});
    if (f.window.values().get<savings::ConversionTable>().entries.size() !=
        static_cast<size_t>(state.range(1)))
        state.SkipWithError("the table did not load");
    for (auto _ : state) {
        f.window.panel<weighing::MainPanel>().DSP_MAIN();
        bench::readShownRows(f.window.panel<weighing::MainPanel>().msgDayList);
    }
    state.counters["rows"] = f.window.panel<weighing::MainPanel>().msgDayList.rows() - 1;
}

BENCHMARK(BM_DspMain)->Args({32767, 1})->Args({32767, 50})->Unit(benchmark::kMillisecond);

}  // namespace
