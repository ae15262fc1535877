// The main panel's weight entry in the window: a weighing the log or the disk
// refuses, the steps of the weight by the scale step, and a free situation
// that the list cannot take.
#include "weighing/weight_entry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "support/window_fixture.h"
#include "weighing/main_panel.h"

namespace weighing {
namespace {

constexpr TestToday kToday{"2024/06/01"};
constexpr std::string_view kLog = "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n";

std::string fullLog() {
    std::string text;
    for (int i = 0; i < core::kMaxRecords; ++i)
        text += "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n";
    return text;
}

TEST(WeightEntry, ARefusedWriteShowsWhyWritesNothingAndKeepsTheEntry) {
    struct Case {
        const char* what;
        bool fullLog;
        std::optional<core::WriteStep> failing;
    };
    const Case cases[] = {
        {"a full log", true, std::nullopt},
        {"a disk that cannot take the append", false, core::WriteStep::Append},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        folder.putHelpTourOff();
        folder.put("状況リスト.txt", "朝食前\r\n");
        folder.put("データ.txt",
                   c.fullLog ? fullLog() : "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n");
        std::string before = folder.bytes("データ.txt");
        core::DataDir dir = folder.dir();
        if (c.failing)
            dir.setFaultHook([step = *c.failing](core::WriteStep s) { return s == step; });
        TestWindow w(dir, kToday);
        w.window.Form_Load();
        auto& entry = w.panel<MainPanel>().entry;
        entry.lstAct.setListIndex(0);
        entry.lstAct_Click();
        entry.txtTaiInp.setText("61.5");
        entry.cmdTaiHozon_Click();
        auto log = w.dialogs.takeLog();
        ASSERT_EQ(log.size(), 1u) << c.what;
        EXPECT_NE(log[0].find("title=\"保存エラー\""), std::string::npos) << c.what;
        EXPECT_NE(log[0].find("データ.txt"), std::string::npos) << c.what;
        EXPECT_EQ(folder.bytes("データ.txt"), before) << c.what;
        EXPECT_EQ(entry.txtTaiInp.text(), "61.5") << c.what;
        EXPECT_EQ(entry.SelectedSituation, "朝食前") << c.what;
        EXPECT_TRUE(entry.cmdUp.enabled()) << c.what;
    }
}

// ↑ and ↓ add and take the scale step, however many times: the box shows
// the weight as a person would write it, never the rounding noise of the
// sums (60.1 + 0.1 + 0.1 is no exact 60.3).
TEST(WeightEntry, TheStepsMoveTheWeightByTheScaleStepWithoutNoise) {
    struct Case {
        const char* step;
        const char* from;
        int up, down;
        const char* shown;
    };
    const Case cases[] = {
        {"0.1", "60", 3, 0, "60.3"},      {"0.1", "60.3", 0, 3, "60"},
        {"0.1", "59.8", 4, 0, "60.2"},    {"0.2", "59.9", 1, 0, "60.1"},
        {"0.5", "60", 0, 3, "58.5"},      {"0.05", "60", 1, 0, "60.05"},
        {"0.05", "60.05", 0, 2, "59.95"}, {"0.1", "60", 2, 2, "60"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.putHelpTourOff();
        folder.put("状況リスト.txt", "朝食前\r\n");
        folder.put("データ.txt", kLog);
        folder.put("体重計刻み.txt", std::string(c.step) + "\r\n");
        TestWindow w(folder.dir(), kToday);
        w.start();
        WeightEntry& entry = w.open<MainPanel>().entry;
        entry.lstAct.act([&] { entry.lstAct.press(0); });
        entry.txtTaiInp.setText(c.from);
        for (int i = 0; i < c.up; ++i) entry.cmdUp.press();
        for (int i = 0; i < c.down; ++i) entry.cmdDn.press();
        EXPECT_EQ(entry.txtTaiInp.text(), c.shown)
            << c.step << " from " << c.from << ", " << c.up << " up, " << c.down << " down";
    }
}

// A free situation answered Yes on a disk that takes no write to the list:
// the user is told, no list box shows the label, and it is still the
// situation of the weighing being entered, which is saved with it.
TEST(WeightEntry, AFreeSituationTheListCannotTakeIsStillChosen) {
    TempFolder folder;
    folder.putHelpTourOff();
    folder.put("状況リスト.txt", "朝食前\r\n");
    folder.put("データ.txt", kLog);
    bool diskFull = false;
    core::DataDir dir = folder.dir();
    dir.setFaultHook([&](core::WriteStep s) { return diskFull && s != core::WriteStep::Read; });
    TestWindow w(dir, kToday);
    w.start();
    WeightEntry& entry = w.open<MainPanel>().entry;
    diskFull = true;
    w.dialogs.queue(ui::Answer::OK, "ジョギング後");
    w.dialogs.queue(ui::Answer::Yes);
    entry.cmdFree.press();
    auto shown = w.dialogs.takeLog();
    ASSERT_EQ(shown.size(), 3u);  // the input, the question, why nothing was saved
    EXPECT_NE(shown[2].find("title=\"保存エラー\""), std::string::npos) << shown[2];
    EXPECT_EQ(folder.text("状況リスト.txt"), "朝食前\r\n");
    EXPECT_EQ(entry.lstAct.items(), std::vector<std::string>{"朝食前"});
    EXPECT_EQ(entry.SelectedSituation, "ジョギング後");
    EXPECT_EQ(entry.txtTaiInp.text(), "60");

    diskFull = false;
    entry.txtTaiInp.setText("59.5");
    entry.cmdTaiHozon.press();
    EXPECT_EQ(folder.text("データ.txt"),
              std::string(kLog) + "\"2024/06/01\",\"ジョギング後\",59.5,\"\",\"\",\"\"\r\n");
    EXPECT_TRUE(w.dialogs.takeLog().empty());
}

}  // namespace
}  // namespace weighing
