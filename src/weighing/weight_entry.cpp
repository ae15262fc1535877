#include "weighing/weight_entry.h"

#include <cmath>
#include <utility>

#include "core/journal.h"
#include "core/numbers.h"
#include "core/typed_weight.h"
#include "setup/situation_edit.h"
#include "setup/situation_list.h"

namespace weighing {

using ui::Icon;

WeightEntry::WeightEntry(host::PanelHost& host, ui::Frame& parent,
                         const ui::MonthCalendar& calendar)
    : PanelPart(host, parent), calendar_(calendar) {
    // Alt and these letters press the buttons.
    ui::setAccessKeys({{&cmdTaiHozon, 'S'}, {&cmdJikan, 'T'}, {&cmdFree, 'F'}});
    cmdJikan.setToolTip("状況をその時の時間で保存");
    cmdFree.setToolTip("状況選択リスト外の内容を入力");
    cmdTaiHozon.setToolTip("体重を保存します");
    wireEvents();
}

void WeightEntry::wireEvents() {
    lstAct.Click = [this] { lstAct_Click(); };
    cmdJikan.Click = [this] { cmdJikan_Click(); };
    cmdFree.Click = [this] { cmdFree_Click(); };
    txtTaiInp.GotFocus = [this] { txtTaiInp_GotFocus(); };
    txtTaiInp.KeyPressed = [this](ui::KeyPress& k) { txtTaiInp_KeyPress(k); };
    cmdUp.Click = [this] { cmdUp_Click(); };
    cmdDn.Click = [this] { cmdDn_Click(); };
    cmdTaiHozon.Click = [this] { cmdTaiHozon_Click(); };
}

void WeightEntry::clear() {
    SelectedSituation.clear();
    txtTaiInp.setText("");
}

void WeightEntry::beginEntry(std::string situation) {
    SelectedSituation = std::move(situation);
    txtTaiInp.setText(core::shortestText(host_.shared().CurrentWeight));
    txtTaiInp.setFocus();
    cmdUp.setEnabled(true);
    cmdDn.setEnabled(true);
}

void WeightEntry::endEntry() {
    cmdUp.setEnabled(false);
    cmdDn.setEnabled(false);
}

void WeightEntry::lstAct_Click() {
    if (lstAct.listIndex() < 0) return;
    beginEntry(lstAct.items()[static_cast<size_t>(lstAct.listIndex())]);
}

void WeightEntry::cmdJikan_Click() {
    beginEntry(core::longTimeText(host_.services().clock.timeOfDay()));
}

// A situation typed freely, which the user may also add to the list.
void WeightEntry::cmdFree_Click() {
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

void WeightEntry::txtTaiInp_GotFocus() {
    txtTaiInp.selectAll();
}

void WeightEntry::txtTaiInp_KeyPress(ui::KeyPress& key) {
    if (!key.enter) return;
    cmdTaiHozon_Click();
    lstAct.setFocus();
}

void WeightEntry::stepWeight(double sign) {
    const std::string& step = host_.values().get<host::ScaleStep>().text;
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

void WeightEntry::cmdUp_Click() {
    stepWeight(+1);
}
void WeightEntry::cmdDn_Click() {
    stepWeight(-1);
}

void WeightEntry::cmdTaiHozon_Click() {
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
        core::dateText(calendar_.date()), SelectedSituation, std::get<float>(weight), "", "", ""};
    // Appended or inserted as the log on disk is now, whatever another program
    // or a sync did since the day was drawn: no save puts the log out of order.
    std::string time = host_.values().get<host::AutoTime>().on
                           ? core::longTimeText(host_.services().clock.timeOfDay())
                           : "";
    core::JournalAct act(
        host_.dataDir(),
        "体重の保存（" + core::recordCaption(record.Date, record.Situation, record.Weight) + "）");
    if (!host_.saved(core::saveWeighing(host_.dataDir(), record, time))) return;
    host_.logWritten();
    endEntry();
}

}  // namespace weighing
