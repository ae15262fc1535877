// The trend panel: every weighing on one chart with its moving average, the
// first and last weighing, the lowest record, and the distance to the target
// that can also become the chart's floor.
#pragma once

#include <memory>

#include "analysis/smoothed_trend.h"
#include "analysis/trend.h"
#include "host/panel.h"

namespace analysis {

// The pale orange of cmdMokuChk while the target is the chart's floor.
inline constexpr ui::Color kTargetFloorColor{255, 224, 192};

class RenTaiPanel : public host::Panel {
  public:
    static const host::PanelInfo kInfo;
    explicit RenTaiPanel(host::PanelHost& host);

    ui::Frame& fraRenTai = frame;
    ui::Button cmdMokuChk{form(), "cmdMokuChk", &fraRenTai};
    ui::Label lblNichis{form(), "lblNichis", &fraRenTai};
    ui::Chart mcrRentai{form(), "mcrRentai", &fraRenTai};
    ui::Label lblKiro{form(), "lblKiro", &fraRenTai};
    ui::ComboBox cboIdou{form(), "cboIdou", &fraRenTai};
    // The legend: the two lines on a pale ivory rectangle.
    ui::Shape Shape6{form(), "Shape6", &fraRenTai};
    ui::ControlArray<ui::Label> Label3;
    // ---- the smoothed trend: its line on the chart, its weight, its pace
    // over four weeks and the day the target is reached at that pace
    ui::CheckBox chkKeikou{form(), "chkKeikou", &fraRenTai, "傾向線"};
    ui::Label lblKeikou{form(), "lblKeikou", &fraRenTai};
    ui::Label lblPace{form(), "lblPace", &fraRenTai};
    ui::Label lblYosou{form(), "lblYosou", &fraRenTai};

    // The state of cmdMokuChk, kept for the whole run.
    bool TargetFloorOn = false;

    // Start-up: the widths of the moving average and the one last chosen,
    // and whether the trend line is drawn.
    void load() override;
    void fill() override { DSP_RENTAI(); }
    void logChanged(bool) override {
        if (fraRenTai.visible()) DSP_RENTAI();
    }
    // The trend built as the analysis panel opened: the chart shows it.
    void trendBuilt(const std::shared_ptr<const Trend>& built);
    void READ_IDOU();
    void DSP_RENTAI();
    void DSP_IDOU();
    void cmdMokuChk_Click();
    void cboIdou_Click();
    void cboIdou_KeyPress(ui::KeyPress& key);
    void chkKeikou_Click();

  private:
    ui::Form& form() { return host_.windowForm(); }
    const Trend& series() const { return *trend_; }
    // The chart, its axis and its texts from trend_.
    void showTrend();
    void showTexts();
    void acceptMovingAverageWidth();

    // The series of the last build, and the smoothed trend of the same log.
    std::shared_ptr<const Trend> trend_ = std::make_shared<const Trend>();
    std::shared_ptr<const SmoothedTrend> smoothed_ = std::make_shared<const SmoothedTrend>();
};

}  // namespace analysis
