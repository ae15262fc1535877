#include "app/frm_main.h"

#include <algorithm>

#include "app/help_texts.h"
#include "core/settings.h"
#include "core/weight_log.h"
#include "savings/penalty.h"
#include "setup/situation_list.h"

namespace app {

using ui::Buttons;
using ui::Icon;

frmMain::frmMain(core::DataDir dir, ui::Services services)
    : dir_(std::move(dir)), services_(services) {
    dir_.setJournal(&journal_);
    addPanels();
    cmdHelp.setToolTip("ヘルプファイルを開きます");
    cmdOwari.setToolTip("プログラムを終了します");
    chkHelp.setToolTip("ヘルプツアーのＯｎ／Ｏｆｆです");
    cmdHelp.Click = [this] { cmdHelp_Click(); };
    cmdOwari.Click = [this] { cmdOwari_Click(); };
    chkHelp.Click = [this] { chkHelp_Click(); };
    cmdUndo.Click = [this] { cmdUndo_Click(); };
    cmdRedo.Click = [this] { cmdRedo_Click(); };
    form.BeforeAct = [this] { lookAtLog(); };
    form.AfterAct = [this] {
        noteLog();
        showJournal();
    };
    showJournal();
}

void frmMain::Form_Load() {
    if (!lockFolder()) return;
    auto started = services_.clock.monotonic();
    services_.shell.showSplash();
    state.Loading = true;
    HIDE_PANELS();
    READ_PROFILE();
    READ_JYOUKYOU();
    READ_KANSAN();
    forEachPanel([](host::Panel& p) { p.load(); });
    CONV_RENZOKU();
    forEachPanel([](host::Panel& p) { p.start(); });
    READ_SETTEI();
    services_.shell.waitUntil(started + std::chrono::milliseconds(1500));
    services_.shell.showMainWindow();
    services_.shell.closeSplash();
    panels_.front().panel->frame.setVisible(true);
    chkHelp.setValue(HelpTour != 0 ? 1 : 0);
    services_.shell.repaint();
    state.Loading = false;
    firstSnapshotOfTheDay();
    HelpText = kWelcomeText;
    DSP_HELP();
    // A first run, or a log with no weighing: lead the user to a new start.
    if (logIsEmpty()) forEachPanel([](host::Panel& p) { p.firstRun(); });
    noteLog();
}

bool frmMain::lockFolder() {
    lock_ = core::FolderLock::take(dir_);
    if (lock_->state() == core::FolderLock::State::HeldByOther) {
        services_.dialogs.message(
            "このデータフォルダーは別のヤセルンバで使用中です。\r\n" + lock_->detail() +
                "\r\n\r\n先に起動したヤセルンバを使うか、終了してからもう一度起動してください。"
                "\r\nほかのパソコンでも使っていないのにこの表示が出るときは、データフォルダーの "
                "yaserunba.lock を削除してから起動してください。",
            "ヤセルンバ", Icon::Exclamation);
        services_.shell.quit();
        return false;
    }
    if (lock_->held()) services_.shell.folderHeld();
    // A folder where no lock can be made (read-only, say) is still opened:
    // the user is told that a second window would not be stopped.
    if (!lock_->held())
        services_.dialogs.message(
            "データフォルダーに使用中の印を付けられませんでした。\r\n" + lock_->detail() +
                "\r\n同じフォルダーでヤセルンバを二つ同時に使わないでください。",
            "ヤセルンバ", Icon::Exclamation);
    return true;
}

void frmMain::lookAtLog() {
    std::optional<core::FileStamp> now = dir_.stamp(core::kLogFile);
    if (now == logSeen_) return;
    logSeen_ = now;
    forEachPanel([](host::Panel& p) { p.logChanged(true); });
}

void frmMain::noteLog() {
    logSeen_ = dir_.stamp(core::kLogFile);
    saidUnreadable_.clear();
}

bool frmMain::logIsEmpty() const {
    if (state.summary.RecordCount != 0) return false;
    // An unreadable log is not an empty one: no new start may replace it.
    auto log = core::parsedLog(dir_);
    return log->status.ok() && log->records.empty() && log->unreadableLines == 0;
}

// ---- panels and help

void frmMain::HIDE_PANELS() {
    forEachPanel([](host::Panel& p) { p.frame.setVisible(false); });
}

void frmMain::DSP_HELP() {
    if (HelpTour != 0) services_.dialogs.message(HelpText, "ヘルプツアー", Icon::Information);
}

void frmMain::open(host::Panel& panel) {
    if (panel.frame.visible()) return;
    HIDE_PANELS();
    panel.fill();
    panel.frame.setVisible(true);
    services_.shell.repaint();
    if (panel.info().helpText.empty()) return;
    HelpText = panel.info().helpText;
    DSP_HELP();
}

void frmMain::logWritten() {
    forEachPanel([](host::Panel& p) { p.logChanged(false); });
}

void frmMain::situationAdded(const std::string& label) {
    forEachPanel([&](host::Panel& p) { p.situationAdded(label); });
}

void frmMain::currentWeighingChanged() {
    forEachPanel([](host::Panel& p) { p.currentWeighingChanged(); });
}

void frmMain::chooseDay(core::Date date) {
    forEachPanel([date](host::Panel& p) { p.dayChosen(date); });
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
        if (entry.panel->frame.visible())
            return services_.help.openPage(entry.panel->info().helpPage);
    services_.help.openStartPage();
}

void frmMain::cmdOwari_Click() {
    services_.help.closeAll();
    services_.shell.quit();
}

void frmMain::endSession() {
    cmdOwari_Click();
    lock_.reset();
}

bool frmMain::saved(const core::Status& status) {
    if (status) return true;
    services_.dialogs.message(
        "「" + status.fileName() + "」を保存できませんでした。\r\n" + status.reason(), "保存エラー",
        Icon::Exclamation);
    return false;
}

bool frmMain::readable(const core::Status& status) {
    if (status) return true;
    // Every panel that reads the file may find it so: the user hears it once.
    if (!saidUnreadable_.insert(status.fileName() + '\n' + status.reason()).second) return false;
    services_.dialogs.message("「" + status.fileName() + "」を読めませんでした。\r\n" +
                                  status.reason() + "\r\nファイルには何も書き込んでいません。",
                              "読み込みエラー", Icon::Exclamation);
    return false;
}

// ---- snapshots

namespace {
// Why a snapshot could not be made, in the words of a message.
std::string whyNot(const core::Status& status) {
    return status.fileName().empty() ? status.reason()
                                     : status.reason() + "\r\n（" + status.fileName() + "）";
}
}  // namespace

core::MadeSnapshot frmMain::makeSnapshot(const std::filesystem::path& folder) {
    core::SnapshotMaker maker(folder);
    core::MadeSnapshot made =
        maker.make(dir_, services_.clock.today(), services_.clock.timeOfDay());
    if (made.status) forEachPanel([](host::Panel& p) { p.snapshotMade(); });
    return made;
}

void frmMain::firstSnapshotOfTheDay() {
    if (!dir_.exists(core::kLogFile)) return;
    const std::filesystem::path folder = core::snapshotFolder(dir_);
    if (core::hasSnapshotOn(folder, services_.clock.today())) return;
    core::MadeSnapshot made = makeSnapshot(folder);
    if (!made.status)
        services_.dialogs.message("バックアップを作れませんでした。\r\n" + whyNot(made.status),
                                  "バックアップ", Icon::Information);
}

host::BackUp frmMain::backUp() {
    core::MadeSnapshot made = makeSnapshot(core::snapshotFolder(dir_));
    if (made.status) return {true, made.name};
    auto answer =
        services_.dialogs.message("バックアップを作れませんでした。\r\n" + whyNot(made.status) +
                                      "\r\n\r\nこのまま続けますか？",
                                  "バックアップ", Icon::Exclamation, Buttons::OKCancel);
    return {answer == ui::Answer::OK, {}};
}

// ---- undo and redo

void frmMain::showJournal() {
    cmdUndo.setEnabled(journal_.canUndo());
    cmdUndo.setToolTip(journal_.canUndo() ? "元に戻す：" + journal_.undoDescription()
                                          : "元に戻せる変更はありません");
    cmdRedo.setEnabled(journal_.canRedo());
    cmdRedo.setToolTip(journal_.canRedo() ? "やり直す：" + journal_.redoDescription()
                                          : "やり直せる変更はありません");
}

void frmMain::cmdUndo_Click() {
    replay(true);
}

void frmMain::cmdRedo_Click() {
    replay(false);
}

void frmMain::replay(bool undo) {
    const std::string title = undo ? "元に戻す" : "やり直す";
    core::Journal::Outcome outcome = undo ? journal_.undo(dir_) : journal_.redo(dir_);
    using Kind = core::Journal::Outcome::Kind;
    switch (outcome.kind) {
        case Kind::Done:
            filesWritten(outcome.files);
            services_.dialogs.message(
                (undo ? "元に戻しました：" : "やり直しました：") + outcome.description, title,
                Icon::Information);
            break;
        case Kind::Changed:
            services_.dialogs.message("「" + outcome.fileName +
                                          "」はこの変更のあとでほかのプログラムに変更されたため、" +
                                          (undo ? "元に戻せません。" : "やり直せません。"),
                                      title, Icon::Exclamation);
            break;
        case Kind::Failed:
            saved(outcome.status);
            break;
    }
    showJournal();
}

void frmMain::filesWritten(const std::vector<std::string>& names) {
    auto wrote = [&](std::string_view name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    if (wrote(core::kProfileFile)) READ_PROFILE();
    if (wrote(savings::kConversionFile)) READ_KANSAN();
    if (wrote(setup::kSituationFile)) READ_JYOUKYOU();
    if (wrote(core::kLogFile)) logWritten();
    for (const std::string& name : names)
        forEachPanel([&](host::Panel& p) { p.fileWritten(name); });
    for (const PanelEntry& entry : panels_)
        if (entry.panel->frame.visible()) entry.panel->fill();
}

// ---- shared settings and lists

void frmMain::READ_PROFILE() {
    values_.set(core::readProfile(dir_));
    const std::string& name = values_.get<core::Profile>().UserName;
    form.setTitle(name.empty() ? " ヤセルンバ" : " " + name + " の ヤセルンバ");
}

void frmMain::READ_SETTEI() {
    HelpTour = core::readHelpTour(dir_);
}

void frmMain::READ_JYOUKYOU() {
    auto labels = setup::readSituationList(dir_);
    forEachPanel([&](host::Panel& p) { p.situationsChanged(labels); });
}

void frmMain::READ_KANSAN() {
    auto table = savings::READ_KANSAN(dir_);
    if (state.Loading && table.skippedLines > 0)
        services_.dialogs.message("換算.txt に読めない行が " + std::to_string(table.skippedLines) +
                                      " 行あります。\r\nその行は罰金の計算に使われません。",
                                  "データ確認", Icon::Exclamation);
    values_.set(std::move(table));
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
