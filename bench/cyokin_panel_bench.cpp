// The savings panel's whole refresh on the largest log: both grids, the
// history and its chart, read from the files as the panel opens.
#include <benchmark/benchmark.h>

#include "savings/cyokin_panel.h"
#include "window_fixture.h"

namespace {

void BM_DspCyokin(benchmark::State& state) {
    bench::WindowFixture f(static_cast<int>(state.range(0)),
                           {.conversionTable = "\"2000/01/01\",100\r\n\"2024/06/01\",150\r\n"});
    savings::CyokinPanel& panel = f.window.panel<savings::CyokinPanel>();
    for (auto _ : state) {
        panel.fill();
        bench::readShownRows(panel.msgCyokin);
        bench::readShownRows(panel.msgCyokin2);
    }
    state.counters["days"] = panel.msgCyokin2.rows() - 1;
}

BENCHMARK(BM_DspCyokin)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
