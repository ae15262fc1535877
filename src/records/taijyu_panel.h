// The range-list panel: every weighing narrowed by period, weekday and
// situation, as a table with its differences and a chart of the listed
// weights, and the printout of what it shows.
#pragma once

#include <memory>

#include <cstdint>
#include <optional>
#include <vector>

#include "core/weight_log.h"
#include "host/panel.h"
#include "records/list_filter.h"
#include "records/periods.h"
#include "records/range_list.h"
#include "ui/print_job.h"

namespace records {

class TaijyuPanel : public host::Panel {
  public:
    static const host::PanelInfo kInfo;
    explicit TaijyuPanel(host::PanelHost& host);

    ui::Frame& fraTaijyu = frame;
    // ---- the list and its chart
    ui::Grid msgBunseki{form(), "msgBunseki", &fraTaijyu, kListColumns};
    ui::Chart mcrBunseki{form(), "mcrBunseki", &fraTaijyu};
    ui::Button cmdPriData{form(), "cmdPriData", &fraTaijyu};
    // ---- situation
    ui::Button cmdAllact{form(), "cmdAllact", &fraTaijyu, "全部"};
    ui::ListBox lstAct2{form(), "lstAct2", &fraTaijyu};
    ui::TextBox txtKey{form(), "txtKey", &fraTaijyu};
    ui::Button cmdKensaku{form(), "cmdKensaku", &fraTaijyu, "検索"};
    // ---- period
    ui::Button cmdAllDay{form(), "cmdAllDay", &fraTaijyu, "全部"};
    ui::Button cmdKikan1{form(), "cmdKikan1", &fraTaijyu, "前日"};
    ui::Button cmdKikan8{form(), "cmdKikan8", &fraTaijyu, "３日"};
    ui::Button cmdKikan2{form(), "cmdKikan2", &fraTaijyu, "１週間"};
    ui::Button cmdKikan3{form(), "cmdKikan3", &fraTaijyu, "２週間"};
    ui::Button cmdKikan4{form(), "cmdKikan4", &fraTaijyu, "１ヶ月"};
    ui::Button cmdKikan5{form(), "cmdKikan5", &fraTaijyu, "３ヶ月"};
    ui::Button cmdKikan6{form(), "cmdKikan6", &fraTaijyu, "半年"};
    ui::Button cmdKikan7{form(), "cmdKikan7", &fraTaijyu, "１年"};
    ui::Button cmdKikanF{form(), "cmdKikanF", &fraTaijyu, "任意"};
    ui::ComboBox cboStdate{form(), "cboStdate", &fraTaijyu};
    ui::Label lblKara{form(), "lblKara", &fraTaijyu, "～"};
    ui::ComboBox cboEddate{form(), "cboEddate", &fraTaijyu};
    // ---- weekday
    ui::Button cmdAllWeek{form(), "cmdAllWeek", &fraTaijyu, "全部"};
    ui::ControlArray<ui::Button> cmdWeek;

    // The chosen weekday button, kNoWeekday when none.
    int16_t SelectedWeekday = kNoWeekday;

    // Opening the panel (cmdTaijyu): the whole log, the three "全部" chosen.
    void fill() override;
    // On view, the list is made again with the filters as they are.
    void logChanged(bool) override {
        if (fraTaijyu.visible()) REFRESH_LIST();
    }
    void situationsChanged(const std::vector<std::string>& labels) override;
    void situationAdded(const std::string& label) override { lstAct2.addItem(label); }

    void INIT_LIST_GRID();
    void DSP_LIST_ALL();
    void DSP_LIST_PERIOD();
    void DSP_LIST_KEY();
    void DSP_LIST_WEEK();
    void DSP_LIST_WEEK_KEY();
    void REFRESH_LIST();
    void RESET_KIKAN_BUTTONS();

    // The button of a period, in the order of kPeriodButtons.
    ui::Button& periodButton(PeriodButton which);
    void cmdKikan_Click(PeriodButton which);
    void cmdWeek_Click(int index);
    void cmdAllWeek_Click();
    void cmdAllact_Click();
    void lstAct2_Click();
    void txtKey_GotFocus();
    void txtKey_KeyPress(ui::KeyPress& key);
    void cmdKensaku_Click();
    void cmdPriData_Click();

  private:
    ui::Form& form() { return host_.windowForm(); }
    void wireEvents();
    // Lists what the builder's filter passes; false when the log cannot be read.
    bool build(ListBuilder builder);
    void fillRows(const std::shared_ptr<const RangeList>& list,
                  std::shared_ptr<const std::vector<core::WeightRecord>> records);
    void fillChart(const RangeList& list);
    void fillPeriodLists(const std::vector<core::WeightRecord>& records);
    // HIDE_PANELS, the work, the panel shown again: the list is rebuilt out
    // of sight.
    template <typename Work>
    void rebuildHidden(Work work);
    void highlight(ui::Button& button);
    void plainWeekButtons();
};

}  // namespace records
