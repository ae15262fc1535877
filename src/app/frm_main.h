// frmMain: the one window of the program. It owns the side column and the
// list of the nine panels, runs start-up in its order, switches panels, runs
// the help tour and ends the program; it keeps the values that several panels
// share and lets the panels reach one another only through PanelHost.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "analysis/avgtai_panel.h"
#include "analysis/bunseki_panel.h"
#include "analysis/rentai_panel.h"
#include "app/main_panel.h"
#include "host/panel.h"
#include "notes/memo_panel.h"
#include "records/cale_panel.h"
#include "records/taijyu_panel.h"
#include "savings/cyokin_panel.h"
#include "setup/settei_panel.h"

namespace app {

class frmMain : public host::PanelHost {
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

    MainPanel& main() { return *main_; }
    setup::SetteiPanel& settei() { return *settei_; }
    analysis::RenTaiPanel& rentai() { return *rentai_; }
    analysis::BunsekiPanel& bunseki() { return *bunseki_; }
    analysis::AvgTaiPanel& avgtai() { return *avgtai_; }
    records::TaijyuPanel& taijyu() { return *taijyu_; }
    records::CalePanel& cale() { return *cale_; }
    notes::MemoPanel& memo() { return *memo_; }
    savings::CyokinPanel& cyokin() { return *cyokin_; }

    // ---- the side column below the panel buttons
    ui::Button cmdHelp{form, "cmdHelp", nullptr, "ヘルプ"};
    ui::Button cmdOwari{form, "cmdOwari", nullptr, "終了"};
    ui::CheckBox chkHelp{form, "chkHelp", nullptr, "ヘルプツアー"};

    void HIDE_PANELS();
    void DSP_HELP();
    void cmdMain_Click();
    void chkHelp_Click();
    void cmdHelp_Click();
    // F1: the help page of the panel on view.
    void helpOnPanel();
    void cmdOwari_Click();
    void READ_PROFILE();
    void READ_SETTEI();
    void READ_JYOUKYOU() override;
    void READ_KANSAN();
    void CONV_RENZOKU();
    void DSP_BMI() override;
    void DSP_RENTAI() override;

    // ---- PanelHost
    ui::Form& windowForm() override { return form; }
    host::SharedState& shared() override { return state; }
    const core::DataDir& dataDir() const override { return dir_; }
    const ui::Services& services() const override { return services_; }
    bool saved(const core::Status& status) override;
    void showOnMainPanel(core::Date date) override;
    void logChanged() override;

  private:
    // Registers a panel and makes its side button.
    template <typename P>
    P& add(const host::PanelInfo& info);
    // The contract of a side button: nothing when its panel is shown already;
    // otherwise hide all, fill and show the panel, repaint, explain it.
    void openPanel(host::Panel& panel);
    // No weighing in the log, and the log readable: the first run.
    bool logIsEmpty() const;

    core::DataDir dir_;
    ui::Services services_;
    std::vector<PanelEntry> panels_;
    MainPanel* main_ = nullptr;
    setup::SetteiPanel* settei_ = nullptr;
    analysis::RenTaiPanel* rentai_ = nullptr;
    analysis::BunsekiPanel* bunseki_ = nullptr;
    analysis::AvgTaiPanel* avgtai_ = nullptr;
    records::TaijyuPanel* taijyu_ = nullptr;
    records::CalePanel* cale_ = nullptr;
    notes::MemoPanel* memo_ = nullptr;
    savings::CyokinPanel* cyokin_ = nullptr;
};

}  // namespace app
