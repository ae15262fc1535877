// The diary panel's list and a diary save on the largest log.
#include <benchmark/benchmark.h>

#include "notes/memo_panel.h"
#include "window_fixture.h"

namespace {

using MemoFixture = bench::WindowFixture;

void BM_DspMemoList(benchmark::State& state) {
    MemoFixture f(static_cast<int>(state.range(0)));
    notes::MemoPanel& memo = f.window.panel<notes::MemoPanel>();
    for (auto _ : state) {
        memo.INIT_MEMO_GRID();
        memo.DSP_MEMO_LIST();
        bench::readShownRows(memo.msgMemoList);
    }
    state.counters["rows"] = memo.msgMemoList.rows() - 1;
}

// Saving the diary of the middle record: the whole log rewritten safely.
void BM_MemoSave(benchmark::State& state) {
    MemoFixture f(static_cast<int>(state.range(0)));
    notes::MemoPanel& memo = f.window.panel<notes::MemoPanel>();
    memo.fill();
    memo.msgMemoList.clickCell(memo.msgMemoList.rows() / 2, 6);
    int i = 0;
    for (auto _ : state) {
        memo.txtMemo.setText("夕食は野菜中心" + std::to_string(i++ % 10));
        memo.cmdMemoHozon_Click();
    }
    if (!f.scripted.dialogs.takeLog().empty()) state.SkipWithError("a message was shown");
}

BENCHMARK(BM_DspMemoList)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoSave)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
