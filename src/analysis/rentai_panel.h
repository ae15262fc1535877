// The trend panel: every weighing on one chart with its moving average.
#pragma once

#include "host/panel.h"

namespace analysis {

class RenTaiPanel : public host::Panel {
  public:
    RenTaiPanel(host::PanelHost& host, const host::PanelInfo& info);

    ui::Frame& fraRenTai = frame;
    ui::ComboBox cboIdou{host_.windowForm(), "cboIdou", &fraRenTai};

    void READ_IDOU();
    void cboIdou_Click();
    void cboIdou_KeyPress(ui::KeyPress& key);

  private:
    void acceptMovingAverageWidth();
};

}  // namespace analysis
