// frmMain: the one window of the program. It owns the side column and the
// list of the panels, runs start-up in its order, switches panels, runs the
// help tour and ends the program; it keeps the values that several panels
// share and passes on to every panel what one of them changed.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/folder_lock.h"
#include "core/journal.h"
#include "core/snapshot.h"
#include "host/panel.h"

namespace app {

class frmMain final : public host::PanelHost {
  public:
    frmMain(core::DataDir dir, ui::Services services);
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // The start-up sequence (the window's load handler).
    void Form_Load();

    ui::Form form;
    host::SharedState state;
    int16_t HelpTour = 1;
    std::string HelpText;

    // A panel and the side button that opens it, in the order of the column.
    struct PanelEntry {
        std::unique_ptr<host::Panel> panel;
        std::unique_ptr<ui::Button> button;
    };
    const std::vector<PanelEntry>& panels() const { return panels_; }
    // The panel of that class.
    template <typename P>
    P& panel() const {
        for (const PanelEntry& entry : panels_)
            if (auto* p = dynamic_cast<P*>(entry.panel.get())) return *p;
        throw std::logic_error("no such panel");
    }

    // ---- the side column below the panel buttons
    ui::Button cmdUndo{form, "cmdUndo", nullptr, "元に戻す"};
    ui::Button cmdRedo{form, "cmdRedo", nullptr, "やり直す"};
    ui::Button cmdHelp{form, "cmdHelp", nullptr, "ヘルプ"};
    ui::Button cmdOwari{form, "cmdOwari", nullptr, "終了"};
    ui::CheckBox chkHelp{form, "chkHelp", nullptr, "ヘルプツアー"};

    void HIDE_PANELS();
    void DSP_HELP();
    void chkHelp_Click();
    void cmdHelp_Click();
    // F1: the help page of the panel on view.
    void helpOnPanel();
    void cmdOwari_Click();
    // Takes back the newest change of the person's files, or does again the
    // newest one taken back.
    void cmdUndo_Click();
    void cmdRedo_Click();
    // The session ends (a logout, a shutdown): the program ends as 終了 ends
    // it, and lets go of the data folder at once, since the system may stop
    // the process before it returns.
    void endSession();
    void READ_PROFILE();
    void READ_SETTEI();
    void READ_JYOUKYOU();
    void READ_KANSAN();
    void CONV_RENZOKU();

    // ---- PanelHost
    ui::Form& windowForm() override { return form; }
    host::SharedState& shared() override { return state; }
    host::Values& values() override { return values_; }
    const core::DataDir& dataDir() const override { return dir_; }
    const ui::Services& services() const override { return services_; }
    bool saved(const core::Status& status) override;
    bool readable(const core::Status& status) override;
    void logWritten() override;
    void situationsWritten() override { READ_JYOUKYOU(); }
    void situationAdded(const std::string& label) override;
    void currentWeighingChanged() override;
    void chooseDay(core::Date date) override;
    host::BackUp backUp() override;
    // The contract of a side button: nothing when its panel is shown already;
    // otherwise hide all, fill and show the panel, repaint, explain it.
    void open(host::Panel& panel) override;

  private:
    // The panels in the order of the side column (panel_list.cpp).
    void addPanels();
    // Registers a panel and makes its side button.
    template <typename P>
    void add();
    // Runs `f` on every panel in the order of the column.
    template <typename F>
    void forEachPanel(F&& f) {
        for (const PanelEntry& entry : panels_) f(*entry.panel);
    }
    // No weighing in the log, and the log readable: the first run.
    bool logIsEmpty() const;
    // Before each act of the user: a log that changed since the last act
    // (another program, a sync, a hand edit) is shown afresh. After it: the
    // log as the act left it.
    void lookAtLog();
    void noteLog();
    // A snapshot at the first start of each day, once the window is up.
    void firstSnapshotOfTheDay();
    core::MadeSnapshot makeSnapshot(const std::filesystem::path& folder);
    // The undo buttons as the journal stands.
    void showJournal();
    void replay(bool undo);
    // Every panel hears of the files written back, and the one on view shows
    // them.
    void filesWritten(const std::vector<std::string>& names);
    // Holds the data folder against a second start; false, after saying so,
    // when another program has it.
    bool lockFolder();

    // The changes of this run, heard of by every write through dir_.
    core::Journal journal_;
    core::DataDir dir_;
    ui::Services services_;
    std::optional<core::FolderLock> lock_;
    std::optional<core::FileStamp> logSeen_;
    // What could not be read, said once during one act or the start-up.
    std::set<std::string> saidUnreadable_;
    host::Values values_;
    std::vector<PanelEntry> panels_;
};

template <typename P>
void frmMain::add() {
    auto panel = std::make_unique<P>(*this);
    const host::SideButton& side = panel->info().button;
    auto button = std::make_unique<ui::Button>(form, std::string(side.name), nullptr,
                                               std::string(side.caption));
    button->setToolTip(std::string(side.toolTip));
    host::Panel& ref = *panel;
    button->Click = [this, &ref] { open(ref); };
    panels_.push_back({std::move(panel), std::move(button)});
}

}  // namespace app
