// The whole window started on a generated log, as every panel benchmark
// needs it: the help tour off, the clock at the evening of the last day.
#pragma once

#include <string>
#include <vector>

#include "app/frm_main.h"
#include "generated_log.h"
#include "ui/scripted.h"

namespace bench {

struct WindowSetup {
    std::string conversionTable;  // "換算.txt" in UTF-8, none when empty
    bool profile = false;         // "ﾌﾟﾗｲﾍﾞｰﾄ.txt" with a name, height and target
};

// A window on `count` generated records. The files' time stamps are let age
// before the window starts, so that the log read at the start is the one
// kept: what the loops measure is a refresh with the cache warm.
struct WindowFixture {
    explicit WindowFixture(int count, const WindowSetup& setup = {});

    std::vector<core::WeightRecord> records;
    BenchFolder folder;
    ui::ScriptedServices scripted;
    app::frmMain window;
};

// Reads the cells a view shows after a refresh: the rows around the grid's
// top row, as many as a tall window shows, so that a grid that makes its rows
// when read pays for them here.
void readShownRows(const ui::Grid& grid);

}  // namespace bench
