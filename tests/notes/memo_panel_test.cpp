// The diary and the notice memo when another program changes their files
// while the panel shows them: nothing the user did not see is changed, the
// user is told, and the panel shows the files afresh.
#include "notes/memo_panel.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace notes {
namespace {

constexpr std::string_view kLog =
    "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n"
    "\"2024/06/01\",\"夕食後\",60.5,\"\",\"\",\"\"\r\n"
    "\"2024/06/02\",\"朝食前\",60.2,\"\",\"\",\"\"\r\n";
// Another program inserted a weighing before the chosen one.
constexpr std::string_view kInsertedBefore =
    "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n"
    "\"2024/06/01\",\"昼食後\",61,\"\",\"\",\"\"\r\n"
    "\"2024/06/01\",\"夕食後\",60.5,\"\",\"\",\"\"\r\n"
    "\"2024/06/02\",\"朝食前\",60.2,\"\",\"\",\"\"\r\n";

// The log, a notice memo and the help tour off.
void putFiles(const TempFolder& folder) {
    folder.putHelpTourOff();
    folder.put("データ.txt", kLog);
    folder.put("気付きメモ.txt", "水を飲む\r\n");
}

// The window on the log's last day in the evening.
constexpr TestToday kEvening{"2024/06/02", {21, 0, 0}};

// Each rewrite of the chosen weighing, with the file changed between the
// window's look at it before the act and the rewrite (the handlers run
// without the look): the rewrite finds the record moved and writes nothing.
TEST(MemoPanel, ARecordChangedUnderneathIsNeitherChangedNorRemoved) {
    for (std::string_view act : {"diary", "weight", "delete"}) {
        TempFolder folder;
        putFiles(folder);
        TestWindow w(folder.dir(), kEvening);
        w.start();
        MemoPanel& panel = w.open<MemoPanel>();
        panel.msgMemoList.act([&] { panel.msgMemoList.clickCell(2, 2); });
        ASSERT_EQ(panel.chosenRow, 2);
        folder.putBytes("データ.txt", core::encodeCp932(kInsertedBefore).value());
        if (act == "diary") {
            panel.txtMemo.setText("食べ過ぎた");
            panel.cmdMemoHozon.click();
        } else if (act == "weight") {
            w.scripted.dialogs.queue(ui::Answer::OK, "60.4");
            panel.cmdTaiSyusei.click();
        } else {
            w.scripted.dialogs.queue(ui::Answer::OK);
            panel.cmdKirokuDel.click();
        }
        EXPECT_EQ(folder.text("データ.txt"), kInsertedBefore) << act;
        auto shown = w.scripted.dialogs.takeLog();
        ASSERT_FALSE(shown.empty()) << act;
        EXPECT_NE(shown.back().find(std::string(core::kChangedReason)), std::string::npos)
            << act << ": " << shown.back();
        EXPECT_EQ(panel.msgMemoList.rows(), 5) << act;  // the list as the file now is
        EXPECT_EQ(panel.chosenRow, 0) << act;
    }
}

// The log changed by another program out of sight: the panel on view reads
// it again at the user's next act, before acting on it. A row chosen before
// is given up, and the user is told; the typed diary stays in its box.
TEST(MemoPanel, TheListFollowsAChangeMadeOutside) {
    TempFolder folder;
    putFiles(folder);
    TestWindow w(folder.dir(), kEvening);
    w.start();
    MemoPanel& panel = w.open<MemoPanel>();
    folder.putBytes("データ.txt", core::encodeCp932(kInsertedBefore).value());
    panel.msgMemoList.act([&] { panel.msgMemoList.clickCell(2, 2); });
    EXPECT_EQ(panel.msgMemoList.rows(), 5);
    EXPECT_EQ(panel.msgMemoList.text(2, 2), "昼食後");
    EXPECT_EQ(panel.chosenRow, 2);
    EXPECT_TRUE(w.scripted.dialogs.takeLog().empty());  // nothing was chosen yet

    panel.txtMemo.setText("食べ過ぎた");
    folder.putBytes("データ.txt", core::encodeCp932(kLog).value());
    panel.cmdMemoHozon.press();
    EXPECT_EQ(folder.text("データ.txt"), kLog);
    EXPECT_EQ(panel.chosenRow, 0);
    EXPECT_EQ(panel.txtMemo.text(), "食べ過ぎた");
    auto shown = w.scripted.dialogs.takeLog();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("title=\"データ変更\""), std::string::npos) << shown[0];
}

// The notice memo is saved only over the text it was read as; the typed text
// stays in the box, the user sees the file's text, and a second save writes.
TEST(MemoPanel, AMemoChangedElsewhereIsNotOverwritten) {
    TempFolder folder;
    putFiles(folder);
    TestWindow w(folder.dir(), kEvening);
    w.start();
    MemoPanel& panel = w.open<MemoPanel>();
    folder.put("気付きメモ.txt", "もう一つの窓で書いた\r\n");
    panel.txtKizuki.setText("夜は食べない");
    panel.cmdKizukiHozon.press();
    EXPECT_EQ(folder.text("気付きメモ.txt"), "もう一つの窓で書いた\r\n");
    EXPECT_EQ(panel.txtKizuki.text(), "夜は食べない");
    auto shown = w.scripted.dialogs.takeLog();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("もう一つの窓で書いた"), std::string::npos) << shown[0];
    panel.cmdKizukiHozon.press();
    EXPECT_EQ(folder.text("気付きメモ.txt"), "夜は食べない\r\n");
    EXPECT_TRUE(w.scripted.dialogs.takeLog().empty());
}

}  // namespace
}  // namespace notes
