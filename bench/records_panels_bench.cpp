// The range list's opening and the calendar on the largest log.
#include <benchmark/benchmark.h>

#include "records/cale_panel.h"
#include "records/taijyu_panel.h"
#include "window_fixture.h"

namespace {

struct RecordsFixture : bench::WindowFixture {
    explicit RecordsFixture(int count)
        : WindowFixture(count, {.conversionTable = {}, .profile = true}) {}
};

// DSP_LIST_ALL: every record into the table, the chart and the period lists.
void BM_DspListAll(benchmark::State& state) {
    RecordsFixture f(static_cast<int>(state.range(0)));
    records::TaijyuPanel& list = f.window.panel<records::TaijyuPanel>();
    for (auto _ : state) {
        list.DSP_LIST_ALL();
        bench::readShownRows(list.msgBunseki);
    }
    state.counters["rows"] = list.msgBunseki.rows() - 1;
}

void BM_DspCale(benchmark::State& state) {
    RecordsFixture f(static_cast<int>(state.range(0)));
    records::CalePanel& cale = f.window.panel<records::CalePanel>();
    for (auto _ : state) {
        cale.INIT_CALE_GRID();
        cale.DSP_CALE();
        bench::readShownRows(cale.msgList2);
    }
    state.counters["months"] = cale.msgList2.rows() - 1;
}

BENCHMARK(BM_DspListAll)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DspCale)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
