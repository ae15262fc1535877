// Recording a weighing: choose the situation, set the weight, save.
#include <cmath>

#include "core/journal.h"
#include "core/numbers.h"
#include "core/typed_weight.h"
#include "setup/situation_edit.h"
#include "setup/situation_list.h"
#include "weighing/main_panel.h"

namespace weighing {

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

// A situation typed freely, which the user may also add to the list.
void MainPanel::cmdFree_Click() {
    auto& dialogs = host_.services().dialogs;
    auto answer = dialogs.input(setup::freeSituationPrompt(), setup::kFreeTitle, "");
    if (!answer || answer->empty()) return;
    if (auto refusal = setup::checkTypedLabel(*answer)) {
        dialogs.message(refusal->text, refusal->title, refusal->icon, refusal->buttons);
        return;
    }
    beginEntry(*answer);
    setup::Message question = setup::freeSituationAddQuestion();
    if (dialogs.message(question.text, question.title, question.icon, question.buttons) ==
        ui::Answer::Yes) {
        core::JournalAct act(host_.dataDir(), std::string(setup::kListChanged));
        if (host_.saved(setup::appendSituation(host_.dataDir(), SelectedSituation,
                                               setup::LabelForm::Quoted)))
            host_.situationAdded(SelectedSituation);
    }
    txtTaiInp.selectAll();
    txtTaiInp.setFocus();
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
    if (!core::IsNumeric(step) || !std::isfinite(core::Val(step))) {
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
    auto weight = core::parseTypedWeight(txtTaiInp.text());
    if (auto* refusal = std::get_if<core::WeightRefusal>(&weight)) {
        dialogs.message(refusal->text, refusal->title, Icon::Exclamation);
        return;
    }
    core::WeightRecord record{
        core::dateText(mtvmain.date()), SelectedSituation, std::get<float>(weight), "", "", ""};
    // Appended or inserted as the log on disk is now, whatever another program
    // or a sync did since the day was drawn: no save puts the log out of order.
    std::string time =
        host_.shared().AutoTime ? core::longTimeText(host_.services().clock.timeOfDay()) : "";
    core::JournalAct act(
        host_.dataDir(),
        "体重の保存（" + core::recordCaption(record.Date, record.Situation, record.Weight) + "）");
    if (!host_.saved(core::saveWeighing(host_.dataDir(), std::move(record), time))) return;
    host_.logWritten();
    endEntry();
}

}  // namespace weighing
