#include "window_fixture.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "core/dates.h"

namespace bench {

namespace {
void put(const core::DataDir& dir, std::string_view name, std::string_view text) {
    if (!dir.writeText(name, text)) throw std::runtime_error("cannot write " + std::string(name));
}
}  // namespace

WindowFixture::WindowFixture(int count, const WindowSetup& setup)
    : records(generateRecords(count)), window(folder.dir(), scripted.services()) {
    folder.writeLog(records);
    core::DataDir dir = folder.dir();
    put(dir, "設定.TXT", "\"ヘルプツアー\",0\r\n");
    if (!setup.conversionTable.empty()) put(dir, "換算.txt", setup.conversionTable);
    if (setup.profile)
        put(dir, "ﾌﾟﾗｲﾍﾞｰﾄ.txt", "\"氏名\",\"花子\"\r\n\"身長\",160\r\n\"目標体重\",55\r\n");
    scripted.clock.set(*core::parseDate(records.back().Date), {21, 0, 0});
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    window.Form_Load();
}

void readShownRows(const ui::Grid& grid) {
    constexpr int kShown = 40;
    int last = std::min(grid.rows() - 1, grid.topRow() + kShown - 1);
    int first = std::max(1, last - kShown + 1);
    for (int r = first; r <= last; ++r)
        for (int c = 0; c < grid.cols(); ++c) {
            benchmark::DoNotOptimize(grid.text(r, c).data());
            benchmark::DoNotOptimize(grid.cellColor(r, c).has_value());
        }
}

}  // namespace bench
