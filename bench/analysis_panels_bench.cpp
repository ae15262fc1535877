// The trend, the four analysis lists and the daily averages on the largest log.
#include <benchmark/benchmark.h>

#include "analysis/avgtai_panel.h"
#include "analysis/bunseki_panel.h"
#include "analysis/keikou.h"
#include "analysis/keikou_panel.h"
#include "analysis/rentai_panel.h"
#include "analysis/smoothed_trend.h"
#include "window_fixture.h"

namespace {

// The window with the profile: the charts draw the target line.
struct AnalysisFixture : bench::WindowFixture {
    explicit AnalysisFixture(int count)
        : WindowFixture(count, {.conversionTable = {}, .profile = true}) {}
};

// DSP_RENTAI: the log read, the series, both lines of the chart and the texts.
void BM_DspRentai(benchmark::State& state) {
    AnalysisFixture f(static_cast<int>(state.range(0)));
    analysis::RenTaiPanel& rentai = f.window.panel<analysis::RenTaiPanel>();
    for (auto _ : state) rentai.DSP_RENTAI();
    state.counters["rows"] = rentai.mcrRentai.rowCount();
}

// The opening of the analysis panel: the trend rebuilt, then the four lists.
void BM_DspBunseki(benchmark::State& state) {
    AnalysisFixture f(static_cast<int>(state.range(0)));
    analysis::BunsekiPanel& bunseki = f.window.panel<analysis::BunsekiPanel>();
    for (auto _ : state) {
        bunseki.cmdBunseki_Click();
        for (const ui::Grid* g : {&bunseki.msgB1, &bunseki.msgB2, &bunseki.msgB3, &bunseki.msgB4})
            bench::readShownRows(*g);
    }
    state.counters["rows"] = bunseki.msgB1.rows() - 1;
}

// INIT_AVGTAI and DSP_AVGTAI: every day from the first record to the last.
void BM_DspAvgtai(benchmark::State& state) {
    AnalysisFixture f(static_cast<int>(state.range(0)));
    analysis::AvgTaiPanel& avgtai = f.window.panel<analysis::AvgTaiPanel>();
    for (auto _ : state) {
        avgtai.DSP_AVGTAI();
        bench::readShownRows(avgtai.msgAvgtai);
    }
    state.counters["days"] = avgtai.msgAvgtai.rows() - 1;
}

// The same with the trend line drawn as a third series.
void BM_DspRentaiTrendLine(benchmark::State& state) {
    AnalysisFixture f(static_cast<int>(state.range(0)));
    analysis::RenTaiPanel& rentai = f.window.panel<analysis::RenTaiPanel>();
    rentai.chkKeikou.setValue(1);
    for (auto _ : state) rentai.DSP_RENTAI();
    state.counters["series"] = rentai.mcrRentai.seriesCount();
}

// DSP_RENTAI with the trend fed by one situation's weighings alone.
void BM_DspRentaiSituation(benchmark::State& state) {
    AnalysisFixture f(static_cast<int>(state.range(0)));
    f.window.panel<analysis::KeikouPanel>().optMoto(3).click();
    analysis::RenTaiPanel& rentai = f.window.panel<analysis::RenTaiPanel>();
    rentai.chkKeikou.setValue(1);
    for (auto _ : state) rentai.DSP_RENTAI();
    state.counters["series"] = rentai.mcrRentai.seriesCount();
}

// DSP_KEIKOU: the log read, the period table and the situation table with
// the swing and the change overnight.
void BM_DspKeikou(benchmark::State& state) {
    AnalysisFixture f(static_cast<int>(state.range(0)));
    analysis::KeikouPanel& keikou = f.window.panel<analysis::KeikouPanel>();
    for (auto _ : state) {
        keikou.DSP_KEIKOU();
        bench::readShownRows(keikou.msgKeikou);
        bench::readShownRows(keikou.msgJyoukyouBetsu);
    }
    state.counters["situations"] = keikou.msgJyoukyouBetsu.rows() - 1;
}

// The smoothed trend, its pace and forecast worked out from the records, as
// after each change of the log: from every weighing of the day, and from one
// situation's weighings.
void BM_Keikou(benchmark::State& state) {
    auto records = bench::generateRecords(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(analysis::smoothedTrend(records, 55).lastTrend);
}
void BM_KeikouSituation(benchmark::State& state) {
    auto records = bench::generateRecords(static_cast<int>(state.range(0)));
    const analysis::TrendSource source{analysis::TrendBasis::Situation, "起床後"};
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::smoothedTrend(records, 55, source).lastTrend);
}

// The situation table, the swing and the change overnight worked out from the
// records, as after each change of the log.
void BM_SituationReport(benchmark::State& state) {
    auto records = bench::generateRecords(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(analysis::situationReport(records).rows.size());
}

// The weekly and the monthly view of the daily averages.
void BM_DspAvgtaiUnit(benchmark::State& state, bool weeks) {
    AnalysisFixture f(static_cast<int>(state.range(0)));
    analysis::AvgTaiPanel& avgtai = f.window.panel<analysis::AvgTaiPanel>();
    (weeks ? avgtai.optWeek : avgtai.optMonth).click();
    for (auto _ : state) {
        avgtai.showUnit();
        bench::readShownRows(avgtai.msgAvgtai);
    }
    state.counters["rows"] = avgtai.msgAvgtai.rows() - 1;
}
void BM_DspAvgtaiWeek(benchmark::State& state) {
    BM_DspAvgtaiUnit(state, true);
}
void BM_DspAvgtaiMonth(benchmark::State& state) {
    BM_DspAvgtaiUnit(state, false);
}

BENCHMARK(BM_DspRentai)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DspRentaiTrendLine)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DspRentaiSituation)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DspKeikou)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keikou)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeikouSituation)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SituationReport)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DspAvgtaiWeek)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DspAvgtaiMonth)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DspBunseki)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DspAvgtai)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
