// The calendar panel: a year at a glance, one row of 31 day cells per month,
// each day coloured by how the weight moved within it, with the count of
// each kind of day and the comparison of good and bad days.
#pragma once

#include <vector>

#include "core/weight_log.h"
#include "host/panel.h"
#include "records/calendar.h"

namespace records {

class CalePanel : public host::Panel {
  public:
    static const host::PanelInfo kInfo;
    explicit CalePanel(host::PanelHost& host);

    ui::Frame& fraCale = frame;
    ui::Grid msgList2{form(), "msgList2", &fraCale, kCaleColumns};
    ui::ControlArray<ui::Button> cmdSel1;
    // ---- the counts, each beside the colour of its days
    ui::Label lblDn_c{form(), "lblDn_c", &fraCale};
    ui::Label lblUp_c{form(), "lblUp_c", &fraCale};
    ui::Label lblSm_c{form(), "lblSm_c", &fraCale};
    ui::Label lblOne_c{form(), "lblOne_c", &fraCale};
    ui::Label lblNon_c{form(), "lblNon_c", &fraCale};
    // The legend's colour swatches: they follow the mode.
    ui::Label lblIroDn{form(), "lblIroDn", &fraCale};
    ui::Label lblIroUp{form(), "lblIroUp", &fraCale};
    ui::Label lblIroSm{form(), "lblIroSm", &fraCale};
    ui::Label lblIroOne{form(), "lblIroOne", &fraCale};
    ui::Label lblIroNon{form(), "lblIroNon", &fraCale};
    // ---- good days against bad days
    ui::Label lblGenT{form(), "lblGenT", &fraCale};
    ui::Label lblHugou{form(), "lblHugou", &fraCale};
    ui::Label lblZouT{form(), "lblZouT", &fraCale};
    ui::Picture imgWara2{form(), "imgWara2", &fraCale};
    ui::Picture imgNiko2{form(), "imgNiko2", &fraCale};
    ui::Picture imgKana2{form(), "imgKana2", &fraCale};

    // `CaleSameColor` and `CaleOnceColor` follow the mode.
    CaleMode mode() const { return mode_; }

    // Opening the panel (cmdCale): detail mode.
    void fill() override;
    void logChanged(bool) override {
        if (fraCale.visible()) DSP_CALE();
    }
    void INIT_CALE_GRID();
    void DSP_CALE();
    void cmdSel1_Click(int index);
    void msgList2_DblClick();

  private:
    ui::Form& form() { return host_.windowForm(); }
    void setMode(CaleMode mode);
    void fillGrid(Calendar cal);
    void fillSummary(const CaleCounts& counts);

    CaleMode mode_ = CaleMode::Detail;
};

}  // namespace records
