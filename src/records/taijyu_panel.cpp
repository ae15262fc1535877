#include "records/taijyu_panel.h"

namespace records {

TaijyuPanel::TaijyuPanel(host::PanelHost& host, const host::PanelInfo& info) : Panel(host, info) {}

void TaijyuPanel::showSituations(const std::vector<std::string>& labels) {
    lstAct2.setItems(labels);
}

}  // namespace records
