#include "app/frm_main.h"

#include "analysis/bmi.h"
#include "app/help_texts.h"
#include "core/settings.h"
#include "core/weight_log.h"
#include "setup/situation_list.h"

namespace app {

using ui::Buttons;
using ui::Icon;

namespace {

// The nine panels, each with its frame, its side button and its explanation.
const host::PanelInfo kMain{"fraMain", "メイン", "cmdMain", "メイン", "メイン画面を表示します",
                            "main",    {}};
const host::PanelInfo kTaijyu{
    "fraTaijyu", "範囲指定", "cmdTaijyu", "範囲指定", "表示条件を指定できます",
    "taijyu",    kHelpTaijyu};
const host::PanelInfo kCale{"fraCale",
                            "体重増減把握カレンダー",
                            "cmdCale",
                            "カレンダー",
                            "体重増減把握カレンダーを表示します",
                            "cale",
                            kHelpCale};
const host::PanelInfo kBunseki{
    "fraBunseki", "分析リスト", "cmdBunseki", "分析リスト", "体重分析画面を表示します",
    "bunseki",    kHelpBunseki};
const host::PanelInfo kRenTai{
    "fraRenTai", "全グラフ", "cmdRentai", "全グラフ", "現在までの体重グラフを表示します",
    "rentai",    kHelpRenTai};
const host::PanelInfo kAvgTai{
    "fraAvgTai", "日平均",   "cmdAvgtai", "日平均", "日毎の平均値を表示します",
    "avgtai",    kHelpAvgTai};
const host::PanelInfo kCyokin{
    "fraCyokin", "貯金推移", "cmdCyokin", "貯金推移", "貯金の推移を表示します",
    "cyokin",    kHelpCyokin};
const host::PanelInfo kMemo{
    "fraMemo", "一言日記", "cmdMemo", "一言日記", "ちょっとした日記を表示します",
    "memo",    kHelpMemo};
const host::PanelInfo kSettei{"fraSettei", "編集",     "cmdSettei", "編集", "編集画面を表示します",
                              "settei",    kHelpSettei};

}  // namespace

frmMain::frmMain(core::DataDir dir, ui::Services services)
    : dir_(std::move(dir)), services_(services) {
    // The one list of panels, in the order of the side column.
    main_ = &add<MainPanel>(kMain);
    taijyu_ = &add<records::TaijyuPanel>(kTaijyu);
    cale_ = &add<records::CalePanel>(kCale);
    bunseki_ = &add<analysis::BunsekiPanel>(kBunseki);
    rentai_ = &add<analysis::RenTaiPanel>(kRenTai);
    avgtai_ = &add<analysis::AvgTaiPanel>(kAvgTai);
    cyokin_ = &add<savings::CyokinPanel>(kCyokin);
    memo_ = &add<notes::MemoPanel>(kMemo);
    settei_ = &add<setup::SetteiPanel>(kSettei);

    cmdHelp.setToolTip("ヘルプファイルを開きます");
    cmdOwari.setToolTip("プログラムを終了します");
    chkHelp.setToolTip("ヘルプツアーのＯｎ／Ｏｆｆです");
    cmdHelp.Click = [this] { cmdHelp_Click(); };
    cmdOwari.Click = [this] { cmdOwari_Click(); };
    chkHelp.Click = [this] { chkHelp_Click(); };
}

template <typename P>
P& frmMain::add(const host::PanelInfo& info) {
    auto panel = std::make_unique<P>(*this, info);
    auto button = std::make_unique<ui::Button>(form, std::string(info.button), nullptr,
                                               std::string(info.buttonCaption));
    button->setToolTip(std::string(info.toolTip));
    P& ref = *panel;
    button->Click = [this, &ref] {
        if (&ref == static_cast<host::Panel*>(main_))
            cmdMain_Click();
        else
            openPanel(ref);
    };
    panels_.push_back({std::move(panel), std::move(button)});
    return ref;
}

void frmMain::Form_Load() {
    auto started = services_.clock.monotonic();
    services_.shell.showSplash();
    state.Loading = true;
    HIDE_PANELS();
    main_->mtvmain.setDate(services_.clock.today());
    settei_->lblTai.setText("");
    READ_PROFILE();
    READ_JYOUKYOU();
    READ_KANSAN();
    rentai_->READ_IDOU();
    settei_->READ_JIKAN();
    bunseki_->INIT_BUNSEKI();
    main_->INIT_DAY_LIST();
    CONV_RENZOKU();
    main_->DSP_MAIN();
    main_->READ_MARKER();
    DSP_BMI();
    settei_->DSP_BMI_BASE();
    settei_->DSP_BMI_METER();
    memo_->READ_KIZUKI();
    READ_SETTEI();
    settei_->READ_KIZAMI();
    services_.shell.waitUntil(started + std::chrono::milliseconds(1500));
    services_.shell.showMainWindow();
    services_.shell.closeSplash();
    main_->frame.setVisible(true);
    chkHelp.setValue(HelpTour != 0 ? 1 : 0);
    main_->endEntry();
    services_.shell.repaint();
    state.Loading = false;
    HelpText = kWelcomeText;
    DSP_HELP();
    if (logIsEmpty()) {
        // A first run, or a log with no weighing: lead the user to a new start.
        openPanel(*settei_);
        settei_->cmdNew1_Click();
    }
}

bool frmMain::logIsEmpty() const {
    if (state.Summary.RecordCount != 0) return false;
    // An unreadable log is not an empty one: no new start may replace it.
    auto log = core::parsedLog(dir_);
    return log->status.ok() && log->records.empty() && log->unreadableLines == 0;
}

// ---- panels and help

void frmMain::HIDE_PANELS() {
    for (const PanelEntry& entry : panels_) entry.panel->frame.setVisible(false);
}

void frmMain::DSP_HELP() {
    if (HelpTour != 0) services_.dialogs.message(HelpText, "ヘルプツアー", Icon::Information);
}

void frmMain::openPanel(host::Panel& panel) {
    if (panel.frame.visible()) return;
    HIDE_PANELS();
    panel.fill();
    panel.frame.setVisible(true);
    services_.shell.repaint();
    HelpText = panel.info().helpText;
    DSP_HELP();
}

void frmMain::showOnMainPanel(core::Date date) {
    main_->mtvmain.setDate(date);
    main_->DSP_MAIN();
    HIDE_PANELS();
    main_->frame.setVisible(true);
}

void frmMain::cmdMain_Click() {
    if (main_->frame.visible()) return;
    HIDE_PANELS();
    main_->frame.setVisible(true);
}

void frmMain::chkHelp_Click() {
    if (state.Loading) return;
    if (chkHelp.value()) {
        services_.dialogs.message("ヘルプツアー機能をオンにします。", "ヘルプツアーＯＮ",
                                  Icon::Information);
        HelpTour = 1;
    } else {
        services_.dialogs.message("ヘルプツアー機能をオフにします。", "ヘルプツアーＯＦＦ",
                                  Icon::Information);
        HelpTour = 0;
    }
    saved(core::writeHelpTour(dir_, HelpTour));
}

void frmMain::cmdHelp_Click() {
    services_.help.openStartPage();
}

void frmMain::helpOnPanel() {
    for (const PanelEntry& entry : panels_)
        if (entry.panel->frame.visible()) return services_.help.openPage(entry.panel->info().view);
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

void frmMain::logChanged() {
    main_->DSP_MAIN();
}

// ---- shared settings and lists

void frmMain::READ_PROFILE() {
    core::Profile p = core::readProfile(dir_);
    state.UserName = p.UserName;
    state.Height = p.Height;
    state.TargetWeight = p.TargetWeight;
    form.setTitle(state.UserName.empty() ? " ヤセルンバ" : " " + state.UserName + " の ヤセルンバ");
}

void frmMain::READ_SETTEI() {
    HelpTour = core::readHelpTour(dir_);
}

void frmMain::READ_JYOUKYOU() {
    auto labels = setup::readSituationList(dir_);
    for (const PanelEntry& entry : panels_) entry.panel->showSituations(labels);
}

void frmMain::READ_KANSAN() {
    state.Conversion = savings::READ_KANSAN(dir_);
    if (state.Loading && state.Conversion.SkippedLines > 0)
        services_.dialogs.message("換算.txt に読めない行が " +
                                      std::to_string(state.Conversion.SkippedLines) +
                                      " 行あります。\r\nその行は罰金の計算に使われません。",
                                  "データ確認", Icon::Exclamation);
}

void frmMain::DSP_BMI() {
    if (state.Summary.RecordCount == 0) return;
    if (state.hasHeight()) state.CurrentBmi = analysis::bmiOf(state.CurrentWeight, state.Height);
    main_->showBmiClass();
    settei_->showBmi();
}

void frmMain::DSP_RENTAI() {
    rentai_->DSP_RENTAI();
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
