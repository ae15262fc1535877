// Recording a weighing: choose the situation, set the weight, save.
#include "app/main_panel.h"
#include "core/numbers.h"

namespace app {

using ui::Icon;

void MainPanel::beginEntry(std::string situation) {
    SelectedSituation = std::move(situation);
    txtTaiInp.setText(core::shortestText(host_.shared().CurrentWeight));
    txtTaiInp.setFocus();
    cmdUp.setEnabled(true);
    cmdDn.setEnabled(true);
}

void MainPanel::endEntry() {
    cmdUp.setEnabled(false);
    cmdDn.setEnabled(false);
}

void MainPanel::lstAct_Click() {
    if (lstAct.listIndex() < 0) return;
    beginEntry(lstAct.items()[static_cast<size_t>(lstAct.listIndex())]);
}

void MainPanel::cmdJikan_Click() {
    beginEntry(core::longTimeText(host_.services().clock.timeOfDay()));
}

void MainPanel::txtTaiInp_GotFocus() {
    txtTaiInp.selectAll();
}

void MainPanel::txtTaiInp_KeyPress(ui::KeyPress& key) {
    if (!key.enter) return;
    cmdTaiHozon_Click();
    lstAct.setFocus();
}

void MainPanel::stepWeight(double sign) {
    const std::string& step = host_.shared().ScaleStep;
    if (!core::IsNumeric(step)) {
        host_.services().dialogs.message(
            "体重計の刻み「" + step +
                "」が数値ではありません。\r\n編集画面で刻みを指定し直してください。",
            "刻み指定エラー", Icon::Exclamation);
        return;
    }
    double weight = core::Val(txtTaiInp.text()) + sign * core::Val(step);
    txtTaiInp.setText(core::text15(weight));
}

void MainPanel::cmdUp_Click() {
    stepWeight(+1);
}
void MainPanel::cmdDn_Click() {
    stepWeight(-1);
}

void MainPanel::cmdTaiHozon_Click() {
    auto& dialogs = host_.services().dialogs;
    if (SelectedSituation.empty()) {
        dialogs.message("行動が指定されていません", "行動未入力", Icon::Exclamation);
        return;
    }
    if (txtTaiInp.text().empty()) {
        dialogs.message("体重が入力されていません", "体重未入力", Icon::Exclamation);
        return;
    }
    if (!core::IsNumeric(txtTaiInp.text())) {
        dialogs.message("数値を入力してください", "数値以外入力", Icon::Exclamation);
        return;
    }
    core::WeightRecord record{core::dateText(mtvmain.date()),
                              SelectedSituation,
                              static_cast<float>(core::Val(txtTaiInp.text())),
                              "",
                              "",
                              ""};
    const core::DataDir& dir = host_.dataDir();
    core::Status status;
    if (host_.shared().Summary.LastDate > record.Date) {
        status = core::INSERT_LOG(dir, record);
    } else {
        if (host_.shared().AutoTime)
            record.Diary = core::longTimeText(host_.services().clock.timeOfDay());
        status = core::APPEND_LOG(dir, record);
    }
    if (!host_.saved(status)) return;
    DSP_MAIN();
    endEntry();
}

}  // namespace app
