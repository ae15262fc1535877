#include "analysis/rentai_panel.h"

#include "core/numbers.h"
#include "core/settings.h"

namespace analysis {

RenTaiPanel::RenTaiPanel(host::PanelHost& host, const host::PanelInfo& info) : Panel(host, info) {
    cboIdou.Click = [this] { cboIdou_Click(); };
    cboIdou.KeyPressed = [this](ui::KeyPress& k) { cboIdou_KeyPress(k); };
}

void RenTaiPanel::READ_IDOU() {
    cboIdou.clear();
    for (int i = 1; i <= 30; ++i) cboIdou.addItem(std::to_string(i));
    cboIdou.setText(core::readMovingAverageWidth(host_.dataDir()));
}

void RenTaiPanel::acceptMovingAverageWidth() {
    if (cboIdou.text().empty()) return;
    if (!core::IsNumeric(cboIdou.text()) || core::Val(cboIdou.text()) < 1) {
        cboIdou.setText("");
        return;
    }
    host_.saved(core::writeMovingAverageWidth(host_.dataDir(), cboIdou.text()));
    host_.services().shell.repaint();
}

void RenTaiPanel::cboIdou_Click() {
    acceptMovingAverageWidth();
}

void RenTaiPanel::cboIdou_KeyPress(ui::KeyPress& key) {
    if (key.enter) acceptMovingAverageWidth();
}

}  // namespace analysis
