// The settings controls of the window: profile and title, help tour, scale
// step, automatic time, moving-average width and the main chart's marker.
#include "app/frm_main.h"
#include "core/numbers.h"
#include "core/settings.h"

namespace app {
namespace {
// The scale steps of the option buttons optKizami(1) to (3).
constexpr std::string_view kSteps[] = {"0.1", "0.2", "0.5"};
}  // namespace

void frmMain::READ_PROFILE() {
    core::Profile p = core::readProfile(dir_);
    state.UserName = p.UserName;
    state.Height = p.Height;
    state.TargetWeight = p.TargetWeight;
    form.setTitle(state.UserName.empty() ? " ヤセルンバ" : " " + state.UserName + " の ヤセルンバ");
}

void frmMain::READ_SETTEI() {
    state.HelpTour = core::readHelpTour(dir_);
}

void frmMain::READ_JIKAN() {
    chkJikan.setValue(core::readAutoTime(dir_) != 0 ? 1 : 0);
}

void frmMain::chkJikan_Click() {
    if (state.Loading) return;
    saved(core::writeAutoTime(dir_, chkJikan.value()));
}

void frmMain::READ_IDOU() {
    cboIdou.clear();
    for (int i = 1; i <= 30; ++i) cboIdou.addItem(std::to_string(i));
    cboIdou.setText(core::readMovingAverageWidth(dir_));
}

void frmMain::acceptMovingAverageWidth() {
    if (cboIdou.text().empty()) return;
    if (!core::IsNumeric(cboIdou.text()) || core::Val(cboIdou.text()) < 1) {
        cboIdou.setText("");
        return;
    }
    saved(core::writeMovingAverageWidth(dir_, cboIdou.text()));
    services_.shell.repaint();
}

void frmMain::cboIdou_Click() {
    acceptMovingAverageWidth();
}

void frmMain::cboIdou_KeyPress(ui::KeyPress& key) {
    if (key.enter) acceptMovingAverageWidth();
}

void frmMain::READ_KIZAMI() {
    state.ScaleStep = core::readScaleStep(dir_);
    for (int i = 1; i <= 3; ++i) {
        if (state.ScaleStep == kSteps[i - 1]) {
            optKizami(i).setValue(true);
            return;
        }
    }
    for (int i = 1; i <= 3; ++i) optKizami(i).setValue(false);
    txtKizami.setText(state.ScaleStep);
}

void frmMain::optKizami_Click(int index) {
    if (state.Loading) return;
    state.ScaleStep = kSteps[index - 1];
    saved(core::writeScaleStep(dir_, state.ScaleStep));
}

void frmMain::txtKizami_KeyPress(ui::KeyPress& key) {
    if (!key.enter) return;
    state.ScaleStep = txtKizami.text();
    saved(core::writeScaleStep(dir_, state.ScaleStep));
}

void frmMain::READ_MARKER() {
    state.MarkerStyle = core::readMarkerStyle(dir_);
    SET_MARKER();
}

void frmMain::SET_MARKER() {
    mcrMain.setMarkerStyle(state.MarkerStyle == 0 || state.MarkerStyle == 1 ? state.MarkerStyle
                                                                            : 2);
}

void frmMain::mcrMain_Click() {
    state.MarkerStyle = static_cast<int16_t>(state.MarkerStyle >= 2 ? 0 : state.MarkerStyle + 1);
    SET_MARKER();
    saved(core::writeMarkerStyle(dir_, state.MarkerStyle));
}

}  // namespace app
