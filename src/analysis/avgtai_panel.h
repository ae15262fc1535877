// The daily-average panel: the weighings of each day reduced to one average,
// as a list and a chart, for all days or a chosen period, with the list's
// export to "日毎平均.txt" and its printout.
#pragma once

#include <memory>
#include <vector>

#include "analysis/day_averages.h"
#include "host/panel.h"

namespace analysis {

class AvgTaiPanel : public host::Panel {
  public:
    static const host::PanelInfo kInfo;
    explicit AvgTaiPanel(host::PanelHost& host);

    ui::Frame& fraAvgTai = frame;
    ui::Chart mcrAvgtai{form(), "mcrAvgtai", &fraAvgTai};
    ui::ComboBox cboStdate2{form(), "cboStdate2", &fraAvgTai};
    ui::ControlArray<ui::Label> Label4;
    ui::ComboBox cboEddate2{form(), "cboEddate2", &fraAvgTai};
    ui::Button cmdKikanF2{form(), "cmdKikanF2", &fraAvgTai};
    ui::Grid msgAvgtai{form(), "msgAvgtai", &fraAvgTai, 3};
    ui::Button cmdAvgHozon{form(), "cmdAvgHozon", &fraAvgTai};
    ui::Button cmdAvgPri{form(), "cmdAvgPri", &fraAvgTai};
    // ---- the unit of the rows: a day (the panel as it opens), a week from
    // Sunday, a calendar month
    ui::Frame fraTani{form(), "fraTani", &fraAvgTai, "単位"};
    ui::OptionButton optDay{form(), "optDay", &fraTani, "日"};
    ui::OptionButton optWeek{form(), "optWeek", &fraTani, "週"};
    ui::OptionButton optMonth{form(), "optMonth", &fraTani, "月"};

    void fill() override;
    void logChanged(bool) override {
        if (fraAvgTai.visible()) showUnit();
    }
    void INIT_AVGTAI();
    void DSP_AVGTAI();
    void DSP_AVGTAI_KIKAN();
    void cmdKikanF2_Click();
    void cmdAvgHozon_Click();
    void cmdAvgPri_Click();
    // A unit chosen: its rows; the period applies to days only.
    void optTani_Click();
    // The rows of the unit chosen.
    void showUnit();

  private:
    ui::Form& form() { return host_.windowForm(); }
    // Shows why a fill was refused; true when it was not.
    bool accepted(const DayAveragesResult& result);
    void show(const DayAverages& table);
    // The grid's data rows as they are shown.
    std::vector<DayRow> shownRows() const;
    // The weeks or months of the whole log.
    void showPeriods(Unit unit);

    // True while the panel sets its unit itself, not the user.
    bool choosingUnit_ = false;
};

}  // namespace analysis
