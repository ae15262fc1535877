// The main panel: the calendar that selects a day, the day's weighings as a
// list and two charts with the face mark and the totals, the entry of a new
// weighing (a part of its own), and the obesity class of the current weight
// on a small bar.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/panel.h"
#include "weighing/day_view.h"
#include "weighing/weight_entry.h"

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
    // ---- the entry of a new weighing, on the day the calendar shows
    WeightEntry entry{host_, fraMain, mtvmain};
    // ---- the obesity class and the small BMI bar
    ui::Label lblMHyouka{form(), "lblMHyouka", &fraMain};
    ui::ControlArray<ui::Shape> Shape1;
    ui::Picture Image1{form(), "Image1", &fraMain};

    int16_t MarkerStyle = 1;

    // Start-up: today in the calendar, the day list laid out; then the day
    // drawn with the chart's marker.
    void load() override;
    void start() override;
    void situationsChanged(const std::vector<std::string>& labels) override {
        entry.situationsChanged(labels);
    }
    void situationAdded(const std::string& label) override { entry.situationAdded(label); }
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

    void mtvmain_DateClick();
    void mcrMain_Click();

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
    // The BMI of the current weighing, told to every panel.
    void DSP_BMI();
};

}  // namespace weighing
