// The analysis panel: four lists worked out from the trend series, two by
// two, each in its own group with a small picture: the weighings with their
// differences, the half-kilogram milestones, the running average and the
// ranking of weight bands.
#pragma once

#include "analysis/analysis_lists.h"
#include "host/panel.h"

namespace analysis {

class BunsekiPanel : public host::Panel {
  public:
    static const host::PanelInfo kInfo;
    explicit BunsekiPanel(host::PanelHost& host);

    ui::Frame& fraBunseki = frame;
    // Frame8(0) time series, Frame8(1) milestones, Frame8(2) running average.
    ui::ControlArray<ui::Frame> Frame8 = makeFrame8();
    ui::Frame fraB4{form(), "fraB4", &fraBunseki, "    体重推移累積番付 < 0.5Kg刻み >"};
    ui::ControlArray<ui::Picture> Image3;
    ui::Grid msgB1{form(), "msgB1", &Frame8(0), 4};
    ui::Grid msgB2{form(), "msgB2", &Frame8(1), 4};
    ui::Grid msgB3{form(), "msgB3", &Frame8(2), 4};
    ui::Grid msgB4{form(), "msgB4", &fraB4, 4};
    // Option1(0) "前回との差", Option1(1) "初回との差".
    ui::ControlArray<ui::OptionButton> Option1;
    // Option2(0) 1.0 kg bands, Option2(1) 0.5 kg bands.
    ui::ControlArray<ui::OptionButton> Option2;
    // Label5(0) under the milestones, Label5(1) under the running average.
    ui::ControlArray<ui::Label> Label5;

    // Start-up: the grids laid out.
    void load() override { INIT_BUNSEKI(); }
    // The opening of the panel, after the window hid the others.
    void fill() override { cmdBunseki_Click(); }
    void logChanged(bool) override {
        if (fraBunseki.visible()) cmdBunseki_Click();
    }
    // The four grids' headers, widths and alignments, once at start-up.
    void INIT_BUNSEKI();
    void cmdBunseki_Click();
    void DSP_JIKEI();
    void DSP_KUGIRI();
    void DSP_HEIKIN();
    void DSP_BANZUKE();
    void Option1_Click();
    void Option2_Click();

  private:
    ui::Form& form() { return host_.windowForm(); }
    const Trend& series() const { return *trend_; }
    std::shared_ptr<const Trend> sharedSeries() const { return trend_; }
    bool empty() const { return series().recordCount() == 0; }
    ui::ControlArray<ui::Frame> makeFrame8();
    void makeGroupControls();

    // The series the lists work on: the trend of the log as last read.
    std::shared_ptr<const Trend> trend_ = std::make_shared<const Trend>();
};

}  // namespace analysis
