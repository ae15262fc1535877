// The main panel: the calendar that selects a day, the day's weighings as a
// list and two charts with the face mark and the totals, the entry of a new
// weighing, and the obesity class of the current weight on a small bar.
#pragma once

#include <string>

#include "host/panel.h"
#include "weighing/day_view.h"

namespace weighing {

class MainPanel : public host::Panel {
  public:
    static const host::PanelInfo kInfo;
    explicit MainPanel(host::PanelHost& host);

    ui::Frame& fraMain = frame;
    // ---- the selected day
    ui::MonthCalendar mtvmain{form(), "mtvmain", &fraMain};
    ui::Grid msgDayList{form(), "msgDayList", &fraMain, 10};
    ui::Chart mcrMain{form(), "mcrMain", &fraMain, true};
    ui::Chart mcrSub{form(), "mcrSub", &fraMain};
    ui::Picture imgwara{form(), "imgwara", &fraMain};
    ui::Picture imgniko{form(), "imgniko", &fraMain};
    ui::Picture imgkana{form(), "imgkana", &fraMain};
    ui::Picture imgNashi{form(), "imgNashi", &fraMain};
    ui::Label lblDspNissuu{form(), "lblDspNissuu", &fraMain};
    ui::Label lblDspTai{form(), "lblDspTai", &fraMain};
    ui::Label lblDspBmi{form(), "lblDspBmi", &fraMain};
    ui::Label lblDspHiman{form(), "lblDspHiman", &fraMain};
    // ---- weight entry
    ui::ListBox lstAct{form(), "lstAct", &fraMain};
    ui::Button cmdJikan{form(), "cmdJikan", &fraMain};
    ui::Button cmdFree{form(), "cmdFree", &fraMain};
    ui::TextBox txtTaiInp{form(), "txtTaiInp", &fraMain};
    ui::Button cmdUp{form(), "cmdUp", &fraMain, "↑"};
    ui::Button cmdDn{form(), "cmdDn", &fraMain, "↓"};
    ui::Button cmdTaiHozon{form(), "cmdTaiHozon", &fraMain};
    // ---- the obesity class and the small BMI bar
    ui::Label lblMHyouka{form(), "lblMHyouka", &fraMain};
    ui::ControlArray<ui::Shape> Shape1;
    ui::Picture Image1{form(), "Image1", &fraMain};

    // The situation chosen for the next weighing, empty when none.
    std::string SelectedSituation;
    int16_t MarkerStyle = 1;

    // Start-up: today in the calendar, the day list laid out; then the day
    // drawn with the chart's marker.
    void load() override;
    void start() override;
    void situationsChanged(const std::vector<std::string>& labels) override;
    void situationAdded(const std::string& label) override { lstAct.addItem(label); }
    // The day is drawn again from the log as it now is; a change from outside
    // also says once that it has lines that cannot be read.
    void logChanged(bool outside) override;
    // The class of the current weight on the bar.
    void currentWeighingChanged() override;
    // The day chosen elsewhere is drawn and the panel opened.
    void dayChosen(core::Date date) override;

    void INIT_DAY_LIST();
    void DSP_MAIN();
    void READ_MARKER();
    void SET_MARKER();
    // Until the first weighing is chosen the up and down buttons are off.
    void endEntry();

    void mtvmain_DateClick();
    void mcrMain_Click();
    void lstAct_Click();
    void cmdJikan_Click();
    void cmdFree_Click();
    void txtTaiInp_GotFocus();
    void txtTaiInp_KeyPress(ui::KeyPress& key);
    void cmdUp_Click();
    void cmdDn_Click();
    void cmdTaiHozon_Click();

  private:
    // The next drawing of the day says that the log has unreadable lines.
    bool noticeUnreadable_ = false;

    ui::Form& form() { return host_.windowForm(); }
    void wireEvents();
    // The day's rows into the list and the charts.
    void fillDay(const DayView& day);
    void addDayRow(int row, const DayRow& values);
    // The labels of the day and of the whole log.
    void showSummaryLabels(const DayView& day);
    void beginEntry(std::string situation);
    void stepWeight(double sign);
    // The BMI of the current weighing, told to every panel.
    void DSP_BMI();
};

}  // namespace weighing
