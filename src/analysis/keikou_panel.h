// The 傾向分析 panel: the choice of what feeds the smoothed trend (which the
// trend chart follows as well), the trend's change by period with the
// calories a day it means, what each situation weighs against the mean of
// its day, the swing within a day and the change overnight.
#pragma once

#include <string>
#include <vector>

#include "analysis/trend_source.h"
#include "host/panel.h"

namespace analysis {

class KeikouPanel : public host::Panel {
  public:
    static const host::PanelInfo kInfo;
    explicit KeikouPanel(host::PanelHost& host);

    ui::Frame& fraKeikou = frame;
    // ---- the source: optMoto(0) to (3) in the order of TrendBasis
    ui::Frame fraMoto{form(), "fraMoto", &fraKeikou, "傾向の元"};
    ui::ControlArray<ui::OptionButton> optMoto;
    ui::ComboBox cboMoto{form(), "cboMoto", &fraMoto};
    ui::Label lblMotoNone{form(), "lblMotoNone", &fraKeikou};
    // ---- the trend by period, and what its calories mean
    ui::Grid msgKeikou{form(), "msgKeikou", &fraKeikou, 6};
    ui::Label lblKcal{form(), "lblKcal", &fraKeikou};
    // ---- every weighing: by situation, within a day and overnight
    ui::Grid msgJyoukyouBetsu{form(), "msgJyoukyouBetsu", &fraKeikou, 5};
    ui::Label lblHendou{form(), "lblHendou", &fraKeikou};
    ui::Label lblYoruAsa{form(), "lblYoruAsa", &fraKeikou};

    // Start-up: the source remembered, for this panel and the trend chart.
    void load() override;
    void fill() override { DSP_KEIKOU(); }
    void logChanged(bool) override {
        if (fraKeikou.visible()) DSP_KEIKOU();
    }
    void situationsChanged(const std::vector<std::string>& labels) override;
    void situationAdded(const std::string& label) override;
    void DSP_KEIKOU();
    void optMoto_Click(int index);
    void cboMoto_Click();

  private:
    ui::Form& form() { return host_.windowForm(); }
    const TrendSource& source();
    // The options and the combo box as the source stands.
    void showSource();
    // The user's choice: remembered, then shown.
    void choose(TrendSource source);
    void showPeriods(const std::shared_ptr<const core::LogRecords>& log);
    void showSituations(const std::shared_ptr<const core::LogRecords>& log);

    std::vector<std::string> situations_;
    // True while the panel sets its options itself, not the user.
    bool showingSource_ = false;
};

}  // namespace analysis
