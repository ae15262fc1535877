// What the scenarios cannot set up: an export that the disk refuses, a log
// that cannot be read, and the panels on the largest log.
#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/avgtai_panel.h"
#include "analysis/bunseki_panel.h"
#include "analysis/rentai_panel.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace analysis {
namespace {

bool saidSaved(TestWindow& w) {
    for (const std::string& line : w.dialogs.takeLog())
        if (line.find("保存終了") != std::string::npos) return true;
    return false;
}

constexpr std::string_view kLog =
    "\"2003/11/01\",\"朝食前\",70,\"\",\"\",\"\"\r\n"
    "\"2003/11/03\",\"朝食前\",69.8,\"\",\"\",\"\"\r\n";

// Each way the export can fail: the message names the file, no success is
// claimed, and what was on disk before is still there.
TEST(AvgTaiExport, AFailedWriteIsReportedAndChangesNothing) {
    const std::function<void(const TempFolder&)> blockers[] = {
        [](const TempFolder& f) {  // a file the user made read-only
            f.put("日毎平均.txt", "old\r\n");
            std::filesystem::permissions(f.path() / "日毎平均.txt",
                                         std::filesystem::perms::owner_read);
        },
        [](const TempFolder& f) {  // a folder where the file should be
            std::filesystem::create_directory(f.path() / "日毎平均.txt");
        },
    };
    for (const auto& block : blockers) {
        TempFolder folder;
        folder.put("データ.txt", kLog);
        folder.putHelpTourOff();
        TestWindow w(folder.dir(), {"2003/11/03"});
        w.start();
        w.open<AvgTaiPanel>();
        block(folder);
        auto path = folder.path() / "日毎平均.txt";
        auto before = std::filesystem::is_regular_file(path) ? folder.bytes("日毎平均.txt") : "";
        w.window.panel<analysis::AvgTaiPanel>().cmdAvgHozon.click();
        auto log = w.scripted.dialogs.takeLog();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_NE(log[0].find("保存エラー"), std::string::npos) << log[0];
        EXPECT_NE(log[0].find("日毎平均.txt"), std::string::npos) << log[0];
        if (std::filesystem::is_regular_file(path))
            EXPECT_EQ(folder.bytes("日毎平均.txt"), before);
        else
            EXPECT_TRUE(std::filesystem::is_directory(path));
    }
}

// A log that exists but cannot be read: each panel says so once and shows
// no rows rather than an empty diet.
TEST(AnalysisPanels, AnUnreadableLogShowsWhyAndFillsNothing) {
    struct Case {
        const char* frame;
        void (*open)(TestWindow&);
    };
    const Case cases[] = {
        {"fraRenTai", [](TestWindow& w) { w.open<RenTaiPanel>(); }},
        {"fraBunseki", [](TestWindow& w) { w.open<BunsekiPanel>(); }},
        {"fraAvgTai", [](TestWindow& w) { w.open<AvgTaiPanel>(); }},
    };
    for (const auto& [frame, open] : cases) {
        TempFolder folder;
        folder.putHelpTourOff();
        TestWindow w(folder.dir(), {"2003/11/03"});
        std::filesystem::create_directory(folder.path() / "データ.txt");
        w.start();
        open(w);
        auto log = w.scripted.dialogs.takeLog();
        ASSERT_EQ(log.size(), 1u) << frame;
        EXPECT_NE(log[0].find("データ.txt"), std::string::npos) << log[0];
        EXPECT_EQ(w.window.panel<analysis::RenTaiPanel>().mcrRentai.rowCount(), 0) << frame;
        EXPECT_EQ(w.window.panel<analysis::BunsekiPanel>().msgB1.rows(), 1) << frame;
        EXPECT_EQ(w.window.panel<analysis::AvgTaiPanel>().msgAvgtai.rows(), 1) << frame;
    }
}

// The largest log: every list as long as the log, the newest rows in view.
TEST(AnalysisPanels, TheLargestLogFillsEveryRow) {
    TempFolder folder;
    std::string log;
    auto day = std::chrono::sys_days(std::chrono::year(1990) / 1 / 1);
    for (int i = 0; i < 32767; ++i) {
        auto date = core::dateText(core::Date(day + std::chrono::days(i / 3)));
        log += "\"" + date + "\",\"朝食前\"," + std::to_string(60 + (i % 50) * 0.1) +
               ",\"\",\"\",\"\"\r\n";
    }
    folder.put("データ.txt", log);
    folder.putHelpTourOff();
    TestWindow w(folder.dir(), {"2003/11/03"});
    w.start();
    w.open<BunsekiPanel>();
    EXPECT_EQ(w.window.panel<analysis::BunsekiPanel>().msgB1.rows(), 32768);
    EXPECT_EQ(w.window.panel<analysis::BunsekiPanel>().msgB1.topRow(), 32767);
    EXPECT_EQ(w.window.panel<analysis::BunsekiPanel>().msgB3.text(32767, 0), "32767回目");
    EXPECT_EQ(w.window.panel<analysis::RenTaiPanel>().mcrRentai.rowCount(), 32767);
    w.open<AvgTaiPanel>();
    EXPECT_EQ(w.window.panel<analysis::AvgTaiPanel>().msgAvgtai.rows(), 32767 / 3 + 2);
    w.window.panel<analysis::AvgTaiPanel>().cmdAvgHozon.click();
    EXPECT_TRUE(saidSaved(w));
}

}  // namespace
}  // namespace analysis
