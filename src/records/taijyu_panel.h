// The range-list panel: every weighing narrowed by period, weekday and
// situation.
#pragma once

#include "host/panel.h"

namespace records {

class TaijyuPanel : public host::Panel {
  public:
    TaijyuPanel(host::PanelHost& host, const host::PanelInfo& info);

    ui::Frame& fraTaijyu = frame;
    ui::ListBox lstAct2{host_.windowForm(), "lstAct2", &fraTaijyu};

    void showSituations(const std::vector<std::string>& labels) override;
};

}  // namespace records
