// What the scenarios cannot show of the savings panel: a disk that fails
// while the conversion table or the history is written.
#include <gtest/gtest.h>

#include <memory>

#include "savings/cyokin_panel.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"
#include "weighing/main_panel.h"

namespace savings {
namespace {

constexpr std::string_view kTable = "\"2000/01/01\",100\r\n\"2024/01/06\",200\r\n";

// The window on `dir`, started, the savings panel open at its conversion
// table.
struct TableWindow : TestWindow {
    explicit TableWindow(core::DataDir dir)
        : TestWindow(std::move(dir), {"2024/01/06", {21, 0, 0}}) {
        start();
        open<CyokinPanel>().cmdKansan.click();
    }
    CyokinPanel& panel() { return window.panel<CyokinPanel>(); }
};

void putData(const TempFolder& folder) {
    folder.putHelpTourOff();
    folder.put("換算.txt", kTable);
    folder.put("データ.txt",
               "\"2024/01/05\",\"朝食前\",60,\"\",\"\",\"\"\r\n"
               "\"2024/01/06\",\"朝食前\",60.4,\"\",\"\",\"\"\r\n");
}

// Each edit as the user makes it, up to the question, which is answered OK.
enum class Edit { Add, Change, Delete };

void makeEdit(TableWindow& w, Edit edit) {
    CyokinPanel& p = w.panel();
    if (edit != Edit::Add) p.msgCyokin.clickCell(2, 0);
    p.txtKanbi.setText("2024/01/06");
    p.txtKansan.setText("300");
    w.scripted.dialogs.queue(ui::Answer::OK);
    switch (edit) {
        case Edit::Add:
            p.cmdKanNew.click();
            break;
        case Edit::Change:
            p.cmdKanHen.click();
            break;
        case Edit::Delete:
            p.cmdKanDel.click();
            break;
    }
}

std::string gridText(const ui::Grid& grid) {
    std::string text;
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c) text += grid.text(r, c) + "|";
    return text;
}

TEST(CyokinPanel, AFailedTableWriteKeepsTheFileTheTableAndTheScreen) {
    const core::WriteStep steps[] = {core::WriteStep::OpenSide, core::WriteStep::WriteSide,
                                     core::WriteStep::SyncSide, core::WriteStep::Rename};
    for (Edit edit : {Edit::Add, Edit::Change, Edit::Delete}) {
        for (core::WriteStep step : steps) {
            SCOPED_TRACE(testing::Message() << "edit " << static_cast<int>(edit) << " step "
                                            << static_cast<int>(step));
            TempFolder folder;
            putData(folder);
            core::DataDir dir = folder.dir();
            dir.setFaultHook([step](core::WriteStep s) { return s == step; });
            TableWindow w(dir);
            std::string table = gridText(w.panel().msgCyokin);
            std::string history = gridText(w.panel().msgCyokin2);
            makeEdit(w, edit);
            auto log = w.scripted.dialogs.takeLog();
            ASSERT_EQ(log.size(), 2u);  // the question, then what was not saved
            EXPECT_NE(log[1].find("title=\"保存エラー\""), std::string::npos);
            EXPECT_NE(log[1].find("換算.txt"), std::string::npos);
            EXPECT_EQ(folder.text("換算.txt"), kTable);
            EXPECT_EQ(w.window.values().get<savings::ConversionTable>().entries.size(), 2u);
            EXPECT_EQ(w.window.values().get<savings::ConversionTable>().entries[1].Rate, 200);
            EXPECT_EQ(gridText(w.panel().msgCyokin), table);
            EXPECT_EQ(gridText(w.panel().msgCyokin2), history);
            // The chosen entry stays chosen, to try again.
            EXPECT_EQ(w.panel().cmdKanHen.enabled(), edit != Edit::Add);
        }
    }
}

TEST(CyokinPanel, TheExportSaysSavedOnlyAfterAWriteThatSucceeded) {
    struct Case {
        const char* what;
        std::optional<core::WriteStep> failing;
        const char* title;
    };
    const Case cases[] = {
        {"a working disk", std::nullopt, "保存終了"},
        {"a full disk", core::WriteStep::WriteSide, "保存エラー"},
        {"a failing rename", core::WriteStep::Rename, "保存エラー"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        putData(folder);
        folder.put("貯金推移.txt", "old\r\n");
        core::DataDir dir = folder.dir();
        if (c.failing)
            dir.setFaultHook([step = *c.failing](core::WriteStep s) { return s == step; });
        TableWindow w(dir);
        w.panel().cmdModori.click();
        w.panel().cmdCyokinHozon.click();
        auto log = w.scripted.dialogs.takeLog();
        ASSERT_EQ(log.size(), 1u) << c.what;
        EXPECT_NE(log[0].find(std::string("title=\"") + c.title + "\""), std::string::npos)
            << c.what;
        EXPECT_EQ(folder.text("貯金推移.txt"),
                  c.failing ? "old\r\n" : "\"24/01/05\",0,0\r\n\"24/01/06\",80,80\r\n")
            << c.what;
    }
}

TEST(CyokinPanel, ALogThatCannotBeReadShowsWhyAndIsNotExported) {
    TempFolder folder;
    putData(folder);
    folder.put("貯金推移.txt", "old\r\n");
    core::DataDir dir = folder.dir();
    auto unreadable = std::make_shared<bool>(false);
    dir.setFaultHook(
        [unreadable](core::WriteStep s) { return *unreadable && s == core::WriteStep::Read; });
    TableWindow w(dir);
    w.panel().cmdModori.click();
    w.open<weighing::MainPanel>();
    *unreadable = true;
    w.open<CyokinPanel>();
    auto log = w.scripted.dialogs.takeLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("title=\"読み込みエラー\""), std::string::npos);
    EXPECT_NE(log[0].find("データ.txt"), std::string::npos);
    EXPECT_EQ(w.panel().msgCyokin2.rows(), 1);
    EXPECT_EQ(w.panel().mcrSub2.rowCount(), 1);
    EXPECT_FALSE(w.panel().mcrSub2.value(1, 1).has_value());
    EXPECT_FALSE(w.panel().cmdCyokinHozon.enabled());
    EXPECT_EQ(folder.text("貯金推移.txt"), "old\r\n");
}

}  // namespace
}  // namespace savings
