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

    // ---- main panel: the selected day
    ui::MonthCalendar mtvmain{form, "mtvmain", &fraMain};
    ui::Grid msgDayList{form, "msgDayList", &fraMain, 10};
    ui::Chart mcrMain{form, "mcrMain", &fraMain, true};
    ui::Chart mcrSub{form, "mcrSub", &fraMain};
    ui::Picture imgwara{form, "imgwara", &fraMain};
    ui::Picture imgniko{form, "imgniko", &fraMain};
    ui::Picture imgkana{form, "imgkana", &fraMain};
    ui::Picture imgNashi{form, "imgNashi", &fraMain};
    ui::Label lblDspNissuu{form, "lblDspNissuu", &fraMain};
    ui::Label lblDspTai{form, "lblDspTai", &fraMain};
    ui::Label lblDspBmi{form, "lblDspBmi", &fraMain};
    ui::Label lblDspHiman{form, "lblDspHiman", &fraMain};
    // ---- main panel: weight entry
    ui::ListBox lstAct{form, "lstAct", &fraMain};
    ui::Button cmdJikan{form, "cmdJikan", &fraMain};
    ui::TextBox txtTaiInp{form, "txtTaiInp", &fraMain};
    ui::Button cmdUp{form, "cmdUp", &fraMain, "↑"};
    ui::Button cmdDn{form, "cmdDn", &fraMain, "↓"};
    ui::Button cmdTaiHozon{form, "cmdTaiHozon", &fraMain};
    // ---- main panel: the obesity class and the small BMI bar
    ui::Label lblMHyouka{form, "lblMHyouka", &fraMain};
    ui::ControlArray<ui::Shape> Shape1;
    ui::Picture Image1{form, "Image1", &fraMain};

    // ---- range-list panel
    ui::ListBox lstAct2{form, "lstAct2", &fraTaijyu};

    // ---- trend panel
    ui::ComboBox cboIdou{form, "cboIdou", &fraRenTai};

    // ---- editing panel: scale step and automatic time
    ui::Frame fraKizami{form, "fraKizami", &fraSettei, "体重入力 刻み指定　（体重計の刻み）"};
    ui::ControlArray<ui::OptionButton> optKizami;
    ui::TextBox txtKizami{form, "txtKizami", &fraKizami};
    ui::CheckBox chkJikan{form, "chkJikan", &fraSettei, "一言日記に自動的に時間を記録"};
    // ---- editing panel: the situation list
    ui::Frame Frame12{form, "Frame12", &fraSettei, "状況リスト編集"};
    ui::ListBox lstKoumoku{form, "lstKoumoku", &Frame12};
    // ---- editing panel: the BMI meter
    ui::Frame Frame1{form, "Frame1", &fraSettei,
                     "　ＢＭＩメーター (Body Mass Index)　と　肥満度　"};
    ui::ControlArray<ui::Shape> Shape2;
    ui::Picture Image2{form, "Image2", &Frame1};
    ui::Slider HScroll1{form, "HScroll1", &Frame1, 170, 320};
    ui::Label Label19{form, "Label19", &Frame1};
    ui::ControlArray<ui::Label> Label9;  // (25) BMI, (28) weight, (30) height
    ui::Label lblHiman{form, "lblHiman", &Frame1};
    ui::Label lblTai{form, "lblTai", &Frame1};
    ui::ControlArray<ui::Label> lblHyojun;
    ui::Label lblHyouka{form, "lblHyouka", &Frame1};

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

    // ---- the main panel
    void READ_JYOUKYOU();
    void READ_KANSAN();
    void INIT_DAY_LIST();
    void DSP_MAIN();
    void mtvmain_DateClick();

    // ---- weight entry
    void lstAct_Click();
    void cmdJikan_Click();
    void txtTaiInp_GotFocus();
    void txtTaiInp_KeyPress(ui::KeyPress& key);
    void cmdUp_Click();
    void cmdDn_Click();
    void cmdTaiHozon_Click();

    // ---- BMI
    void DSP_BMI();
    void DSP_BMI_BASE();
    void DSP_BMI_METER();
    void HScroll1_Change();
    void HScroll1_Scroll();

  private:
    void layOutBands();
    void wireEvents();
    void wireEntryEvents();
    // Day-list row of one weighing of the selected date.
    void addDayRow(const core::RecordView& record, float weightBefore, float rate,
                   int32_t& dayTotal, std::string& face);
    // The main panel's labels after the scan.
    void showSummaryLabels(int32_t dayTotal, int32_t grandTotal, const std::string& face);
    // Pre-fills the weight box for a chosen situation.
    void beginEntry(std::string situation);
    void stepWeight(double sign);
    bool hasHeight() const { return state.Height > 0; }
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
