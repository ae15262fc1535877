// The entry of a new weighing on the main panel: the situation (chosen in
// lstAct, the time of day with cmdJikan, or typed freely with cmdFree), the
// weight in txtTaiInp with its steps up and down by the scale step, and the
// save (cmdTaiHozon), which writes the weighing on the day the calendar
// shows and has the day drawn again.
#pragma once

#include <string>
#include <vector>

#include "host/panel_part.h"

namespace weighing {

class WeightEntry : public host::PanelPart {
  public:
    // `calendar` shows the day a weighing is saved on; a weighing written is
    // announced as every write of the log is, and the main panel draws the
    // day again on hearing it.
    WeightEntry(host::PanelHost& host, ui::Frame& parent, const ui::MonthCalendar& calendar);

    ui::ListBox lstAct{form(), "lstAct", &parent_};
    ui::Button cmdJikan{form(), "cmdJikan", &parent_};
    ui::Button cmdFree{form(), "cmdFree", &parent_};
    ui::TextBox txtTaiInp{form(), "txtTaiInp", &parent_};
    ui::Button cmdUp{form(), "cmdUp", &parent_, "↑"};
    ui::Button cmdDn{form(), "cmdDn", &parent_, "↓"};
    ui::Button cmdTaiHozon{form(), "cmdTaiHozon", &parent_};

    // The situation chosen for the next weighing, empty when none.
    std::string SelectedSituation;

    void situationsChanged(const std::vector<std::string>& labels) { lstAct.setItems(labels); }
    void situationAdded(const std::string& label) { lstAct.addItem(label); }
    // The day drawn anew: no situation chosen, the weight box empty.
    void clear();
    // Until the first weighing is chosen the up and down buttons are off.
    void endEntry();

    void lstAct_Click();
    void cmdJikan_Click();
    void cmdFree_Click();
    void txtTaiInp_GotFocus();
    void txtTaiInp_KeyPress(ui::KeyPress& key);
    void cmdUp_Click();
    void cmdDn_Click();
    void cmdTaiHozon_Click();

  private:
    void wireEvents();
    void beginEntry(std::string situation);
    void stepWeight(double sign);

    const ui::MonthCalendar& calendar_;
};

}  // namespace weighing
