// Recording a weighing: choose the situation, set the weight, save.
#include "app/frm_main.h"
#include "core/codepage.h"
#include "core/numbers.h"

namespace app {

using ui::Icon;

void frmMain::wireEntryEvents() {
    mtvmain.DateClick = [this] { mtvmain_DateClick(); };
    lstAct.Click = [this] { lstAct_Click(); };
    cmdJikan.Click = [this] { cmdJikan_Click(); };
    txtTaiInp.GotFocus = [this] { txtTaiInp_GotFocus(); };
    txtTaiInp.KeyPressed = [this](ui::KeyPress& k) { txtTaiInp_KeyPress(k); };
    cmdUp.Click = [this] { cmdUp_Click(); };
    cmdDn.Click = [this] { cmdDn_Click(); };
    cmdTaiHozon.Click = [this] { cmdTaiHozon_Click(); };
    HScroll1.Change = [this] { HScroll1_Change(); };
    HScroll1.Scroll = [this] { HScroll1_Scroll(); };
}

void frmMain::beginEntry(std::string situation) {
    state.SelectedSituation = std::move(situation);
    txtTaiInp.setText(core::shortestText(state.CurrentWeight));
    txtTaiInp.setFocus();
    cmdUp.setEnabled(true);
    cmdDn.setEnabled(true);
}

void frmMain::lstAct_Click() {
    if (lstAct.listIndex() < 0) return;
    beginEntry(lstAct.items()[static_cast<size_t>(lstAct.listIndex())]);
}

void frmMain::cmdJikan_Click() {
    beginEntry(core::longTimeText(services_.clock.timeOfDay()));
}

void frmMain::txtTaiInp_GotFocus() {
    txtTaiInp.selectAll();
}

void frmMain::txtTaiInp_KeyPress(ui::KeyPress& key) {
    if (!key.enter) return;
    cmdTaiHozon_Click();
    lstAct.setFocus();
}

void frmMain::stepWeight(double sign) {
    if (!core::IsNumeric(state.ScaleStep)) {
        services_.dialogs.message(
            "体重計の刻み「" + state.ScaleStep +
                "」が数値ではありません。\r\n編集画面で刻みを指定し直してください。",
            "刻み指定エラー", Icon::Exclamation);
        return;
    }
    double weight = core::Val(txtTaiInp.text()) + sign * core::Val(state.ScaleStep);
    txtTaiInp.setText(core::text15(weight));
}

void frmMain::cmdUp_Click() {
    stepWeight(+1);
}
void frmMain::cmdDn_Click() {
    stepWeight(-1);
}

void frmMain::cmdTaiHozon_Click() {
    if (state.SelectedSituation.empty()) {
        services_.dialogs.message("行動が指定されていません", "行動未入力", Icon::Exclamation);
        return;
    }
    if (txtTaiInp.text().empty()) {
        services_.dialogs.message("体重が入力されていません", "体重未入力", Icon::Exclamation);
        return;
    }
    if (!core::IsNumeric(txtTaiInp.text())) {
        services_.dialogs.message("数値を入力してください", "数値以外入力", Icon::Exclamation);
        return;
    }
    core::WeightRecord record{core::dateText(mtvmain.date()),
                              state.SelectedSituation,
                              static_cast<float>(core::Val(txtTaiInp.text())),
                              "",
                              "",
                              ""};
    core::Status status;
    if (state.Summary.LastDate > record.Date) {
        status = core::INSERT_LOG(dir_, record);
    } else {
        if (chkJikan.value()) record.Diary = core::longTimeText(services_.clock.timeOfDay());
        status = core::APPEND_LOG(dir_, record);
    }
    if (!saved(status)) return;
    DSP_MAIN();
    cmdUp.setEnabled(false);
    cmdDn.setEnabled(false);
}

}  // namespace app
