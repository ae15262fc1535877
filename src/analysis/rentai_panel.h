// The trend panel: every weighing on one chart with its moving average, the
// first and last weighing, the lowest record, and the distance to the target
// that can also become the chart's floor.
#pragma once

#include "analysis/trend.h"
#include "host/panel.h"

namespace analysis {

// The pale orange of cmdMokuChk while the target is the chart's floor.
inline constexpr ui::Color kTargetFloorColor{255, 224, 192};

class RenTaiPanel : public host::Panel {
  public:
    RenTaiPanel(host::PanelHost& host, const host::PanelInfo& info);

    ui::Frame& fraRenTai = frame;
    ui::Button cmdMokuChk{form(), "cmdMokuChk", &fraRenTai};
    ui::Label lblNichis{form(), "lblNichis", &fraRenTai};
    ui::Chart mcrRentai{form(), "mcrRentai", &fraRenTai};
    ui::Label lblKiro{form(), "lblKiro", &fraRenTai};
    ui::ComboBox cboIdou{form(), "cboIdou", &fraRenTai};
    // The legend: the two lines on a pale ivory rectangle.
    ui::Shape Shape6{form(), "Shape6", &fraRenTai};
    ui::ControlArray<ui::Label> Label3;

    // The state of cmdMokuChk, kept for the whole run.
    bool TargetFloorOn = false;

    void fill() override { DSP_RENTAI(); }
    void READ_IDOU();
    void DSP_RENTAI();
    void DSP_IDOU();
    void cmdMokuChk_Click();
    void cboIdou_Click();
    void cboIdou_KeyPress(ui::KeyPress& key);

  private:
    ui::Form& form() { return host_.windowForm(); }
    const Trend& series() const { return *host_.shared().Trend; }
    void showTexts();
    void setAxis();
    void acceptMovingAverageWidth();
};

}  // namespace analysis
