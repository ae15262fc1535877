// frmMain: the one window of the program. It owns the controls of the nine
// panels and the side column, the shared state, the start-up sequence, panel
// switching and the help tour; the panels' routines work on its controls.
#pragma once

#include <string_view>

#include "app/main_window_state.h"
#include "core/data_dir.h"
#include "ui/controls.h"
#include "ui/services.h"

namespace app {

class frmMain {
  public:
    frmMain(core::DataDir dir, ui::Services services);
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // The start-up sequence (the window's load handler).
    void Form_Load();

    ui::Form form;
    MainWindowState state;

    // ---- side column
    ui::Button cmdMain{form, "cmdMain", nullptr, "メイン"};
    ui::Button cmdTaijyu{form, "cmdTaijyu", nullptr, "範囲指定"};
    ui::Button cmdCale{form, "cmdCale", nullptr, "カレンダー"};
    ui::Button cmdBunseki{form, "cmdBunseki", nullptr, "分析リスト"};
    ui::Button cmdRentai{form, "cmdRentai", nullptr, "全グラフ"};
    ui::Button cmdAvgtai{form, "cmdAvgtai", nullptr, "日平均"};
    ui::Button cmdCyokin{form, "cmdCyokin", nullptr, "貯金推移"};
    ui::Button cmdMemo{form, "cmdMemo", nullptr, "一言日記"};
    ui::Button cmdSettei{form, "cmdSettei", nullptr, "編集"};
    ui::Button cmdHelp{form, "cmdHelp", nullptr, "ヘルプ"};
    ui::Button cmdOwari{form, "cmdOwari", nullptr, "終了"};
    ui::CheckBox chkHelp{form, "chkHelp", nullptr, "ヘルプツアー"};

    // ---- the nine panels
    ui::Frame fraMain{form, "fraMain", nullptr, "メイン"};
    ui::Frame fraTaijyu{form, "fraTaijyu", nullptr, "範囲指定"};
    ui::Frame fraCale{form, "fraCale", nullptr, "体重増減把握カレンダー"};
    ui::Frame fraBunseki{form, "fraBunseki", nullptr, "分析リスト"};
    ui::Frame fraRenTai{form, "fraRenTai", nullptr, "全グラフ"};
    ui::Frame fraAvgTai{form, "fraAvgTai", nullptr, "日平均"};
    ui::Frame fraCyokin{form, "fraCyokin", nullptr, "貯金推移"};
    ui::Frame fraMemo{form, "fraMemo", nullptr, "一言日記"};
    ui::Frame fraSettei{form, "fraSettei", nullptr, "編集"};

    // ---- main panel
    ui::MonthCalendar mtvmain{form, "mtvmain", &fraMain};
    ui::Chart mcrMain{form, "mcrMain", &fraMain, true};

    // ---- trend panel
    ui::ComboBox cboIdou{form, "cboIdou", &fraRenTai};

    // ---- editing panel: scale step and automatic time
    ui::Frame fraKizami{form, "fraKizami", &fraSettei, "体重入力 刻み指定　（体重計の刻み）"};
    ui::ControlArray<ui::OptionButton> optKizami;
    ui::TextBox txtKizami{form, "txtKizami", &fraKizami};
    ui::CheckBox chkJikan{form, "chkJikan", &fraSettei, "一言日記に自動的に時間を記録"};

    // The nine panels in the order in which HIDE_PANELS hides them.
    ui::Frame* const panels[9] = {&fraTaijyu, &fraBunseki, &fraRenTai, &fraMain,  &fraSettei,
                                  &fraCale,   &fraMemo,    &fraAvgTai, &fraCyokin};

    // ---- panel switching and help
    void HIDE_PANELS();
    void DSP_HELP();
    void cmdMain_Click();
    void cmdTaijyu_Click();
    void cmdCale_Click();
    void cmdBunseki_Click();
    void cmdRentai_Click();
    void cmdAvgtai_Click();
    void cmdCyokin_Click();
    void cmdMemo_Click();
    void cmdSettei_Click();
    void chkHelp_Click();
    void cmdHelp_Click();
    void cmdOwari_Click();

    // ---- settings
    void READ_PROFILE();
    void READ_SETTEI();
    void READ_JIKAN();
    void READ_IDOU();
    void READ_KIZAMI();
    void READ_MARKER();
    void SET_MARKER();
    void chkJikan_Click();
    void cboIdou_Click();
    void cboIdou_KeyPress(ui::KeyPress& key);
    void optKizami_Click(int index);
    void txtKizami_KeyPress(ui::KeyPress& key);
    void mcrMain_Click();

    // ---- the legacy log
    void CONV_RENZOKU();

  private:
    void wireEvents();
    // The contract of a side button: nothing when its panel is shown already;
    // otherwise hide all, show the panel, repaint, explain it.
    void openPanel(ui::Frame& panel, std::string_view helpText);
    void acceptMovingAverageWidth();
    // Shows what was not saved when a write failed; true when it succeeded.
    bool saved(const core::Status& status);

    core::DataDir dir_;
    ui::Services services_;
};

}  // namespace app
