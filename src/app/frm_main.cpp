#include "app/frm_main.h"

#include "app/help_texts.h"
#include "core/settings.h"
#include "core/weight_log.h"

namespace app {

using ui::Buttons;
using ui::Icon;

frmMain::frmMain(core::DataDir dir, ui::Services services)
    : dir_(std::move(dir)), services_(services) {
    optKizami.add(1, form, "optKizami", &fraKizami, "０．１ Ｋｇ", 1);
    optKizami.add(2, form, "optKizami", &fraKizami, "０．２ Ｋｇ", 1);
    optKizami.add(3, form, "optKizami", &fraKizami, "０．５ Ｋｇ", 1);
    cmdMain.setToolTip("メイン画面を表示します");
    cmdTaijyu.setToolTip("表示条件を指定できます");
    cmdCale.setToolTip("体重増減把握カレンダーを表示します");
    cmdBunseki.setToolTip("体重分析画面を表示します");
    cmdRentai.setToolTip("現在までの体重グラフを表示します");
    cmdAvgtai.setToolTip("日毎の平均値を表示します");
    cmdCyokin.setToolTip("貯金の推移を表示します");
    cmdMemo.setToolTip("ちょっとした日記を表示します");
    cmdSettei.setToolTip("編集画面を表示します");
    cmdHelp.setToolTip("ヘルプファイルを開きます");
    cmdOwari.setToolTip("プログラムを終了します");
    chkHelp.setToolTip("ヘルプツアーのＯｎ／Ｏｆｆです");
    cmdJikan.setToolTip("状況をその時の時間で保存");
    cmdTaiHozon.setToolTip("体重を保存します");
    layOutBands();
    wireEvents();
    wireEntryEvents();
}

void frmMain::wireEvents() {
    cmdMain.Click = [this] { cmdMain_Click(); };
    cmdTaijyu.Click = [this] { cmdTaijyu_Click(); };
    cmdCale.Click = [this] { cmdCale_Click(); };
    cmdBunseki.Click = [this] { cmdBunseki_Click(); };
    cmdRentai.Click = [this] { cmdRentai_Click(); };
    cmdAvgtai.Click = [this] { cmdAvgtai_Click(); };
    cmdCyokin.Click = [this] { cmdCyokin_Click(); };
    cmdMemo.Click = [this] { cmdMemo_Click(); };
    cmdSettei.Click = [this] { cmdSettei_Click(); };
    cmdHelp.Click = [this] { cmdHelp_Click(); };
    cmdOwari.Click = [this] { cmdOwari_Click(); };
    chkHelp.Click = [this] { chkHelp_Click(); };
    chkJikan.Click = [this] { chkJikan_Click(); };
    cboIdou.Click = [this] { cboIdou_Click(); };
    cboIdou.KeyPressed = [this](ui::KeyPress& k) { cboIdou_KeyPress(k); };
    for (const auto& [index, option] : optKizami.items())
        option->Click = [this, i = index] { optKizami_Click(i); };
    txtKizami.KeyPressed = [this](ui::KeyPress& k) { txtKizami_KeyPress(k); };
    mcrMain.Click = [this] { mcrMain_Click(); };
}

void frmMain::Form_Load() {
    auto started = services_.clock.monotonic();
    services_.shell.showSplash();
    state.Loading = true;
    HIDE_PANELS();
    state.DayMaxWeight = 0;
    mtvmain.setDate(services_.clock.today());
    lblTai.setText("");
    READ_PROFILE();
    READ_JYOUKYOU();
    READ_KANSAN();
    READ_IDOU();
    READ_JIKAN();
    INIT_DAY_LIST();
    CONV_RENZOKU();
    DSP_MAIN();
    READ_MARKER();
    DSP_BMI();
    DSP_BMI_BASE();
    DSP_BMI_METER();
    READ_SETTEI();
    READ_KIZAMI();
    services_.shell.waitUntil(started + std::chrono::milliseconds(1500));
    services_.shell.showMainWindow();
    services_.shell.closeSplash();
    fraMain.setVisible(true);
    chkHelp.setValue(state.HelpTour != 0 ? 1 : 0);
    cmdUp.setEnabled(false);
    cmdDn.setEnabled(false);
    services_.shell.repaint();
    state.Loading = false;
    state.HelpText = kWelcomeText;
    DSP_HELP();
}

// ---- panels and help

void frmMain::HIDE_PANELS() {
    for (ui::Frame* panel : panels) panel->setVisible(false);
}

void frmMain::DSP_HELP() {
    if (state.HelpTour != 0)
        services_.dialogs.message(state.HelpText, "ヘルプツアー", Icon::Information);
}

void frmMain::openPanel(ui::Frame& panel, std::string_view helpText) {
    if (panel.visible()) return;
    HIDE_PANELS();
    panel.setVisible(true);
    services_.shell.repaint();
    state.HelpText = helpText;
    DSP_HELP();
}

void frmMain::cmdMain_Click() {
    if (fraMain.visible()) return;
    HIDE_PANELS();
    fraMain.setVisible(true);
}

void frmMain::cmdTaijyu_Click() {
    openPanel(fraTaijyu, kHelpTaijyu);
}
void frmMain::cmdCale_Click() {
    openPanel(fraCale, kHelpCale);
}
void frmMain::cmdBunseki_Click() {
    openPanel(fraBunseki, kHelpBunseki);
}
void frmMain::cmdRentai_Click() {
    openPanel(fraRenTai, kHelpRenTai);
}
void frmMain::cmdAvgtai_Click() {
    openPanel(fraAvgTai, kHelpAvgTai);
}
void frmMain::cmdCyokin_Click() {
    openPanel(fraCyokin, kHelpCyokin);
}
void frmMain::cmdMemo_Click() {
    openPanel(fraMemo, kHelpMemo);
}
void frmMain::cmdSettei_Click() {
    openPanel(fraSettei, kHelpSettei);
}

void frmMain::chkHelp_Click() {
    if (state.Loading) return;
    if (chkHelp.value()) {
        services_.dialogs.message("ヘルプツアー機能をオンにします。", "ヘルプツアーＯＮ",
                                  Icon::Information);
        state.HelpTour = 1;
    } else {
        services_.dialogs.message("ヘルプツアー機能をオフにします。", "ヘルプツアーＯＦＦ",
                                  Icon::Information);
        state.HelpTour = 0;
    }
    saved(core::writeHelpTour(dir_, state.HelpTour));
}

void frmMain::cmdHelp_Click() {
    services_.help.openStartPage();
}

void frmMain::cmdOwari_Click() {
    services_.help.closeAll();
    services_.shell.quit();
}

bool frmMain::saved(const core::Status& status) {
    if (status) return true;
    services_.dialogs.message(
        "「" + status.fileName() + "」を保存できませんでした。\r\n" + status.reason(), "保存エラー",
        Icon::Exclamation);
    return false;
}

// ---- the legacy log

void frmMain::CONV_RENZOKU() {
    if (!core::legacyLogExists(dir_)) return;
    auto answer = services_.dialogs.message("連続体重.txtを検出しました。変換しますか？",
                                            "データ変換確認", Icon::Question, Buttons::YesNo);
    if (answer != ui::Answer::Yes) return;
    saved(core::CONV_RENZOKU(dir_));
}

}  // namespace app
