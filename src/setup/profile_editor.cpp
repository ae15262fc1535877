#include "setup/profile_editor.h"

#include "core/journal.h"
#include "core/numbers.h"
#include "core/settings.h"

namespace setup {

ProfileEditor::ProfileEditor(host::PanelHost& host, ui::Frame& parent) : PanelPart(host, parent) {
    // Alt and these letters press the buttons.
    ui::setAccessKeys({{&cmdPHozon1, 'U'}, {&cmdNew1, 'R'}, {&cmdStHozon, 'S'}, {&cmdYame, 'X'}});
    txtNowJyou.setText(std::string(kFirstSituation));
    fraNew.setVisible(false);
    wireEvents();
}

void ProfileEditor::fill() {
    const auto& profile = host_.values().get<core::Profile>();
    txtPriData.setText(profile.UserName);
    txtSincyou.setText(core::shortestText(profile.Height));
    txtMokuTai.setText(core::shortestText(profile.TargetWeight));
}

void ProfileEditor::wireEvents() {
    cmdPHozon1.Click = [this] { cmdPHozon1_Click(); };
    cmdNew1.Click = [this] { cmdNew1_Click(); };
    cmdYame.Click = [this] { cmdYame_Click(); };
    cmdStHozon.Click = [this] { cmdStHozon_Click(); };
    txtPriData1.KeyPressed = [this](ui::KeyPress& k) { txtPriData1_KeyPress(k); };
    txtSincyou1.KeyPressed = [this](ui::KeyPress& k) { txtSincyou1_KeyPress(k); };
    txtMokuTai1.KeyPressed = [this](ui::KeyPress& k) { txtMokuTai1_KeyPress(k); };
    txtNowTai.KeyPressed = [this](ui::KeyPress& k) { txtNowTai_KeyPress(k); };
    txtNowJyou.KeyPressed = [this](ui::KeyPress& k) { txtNowJyou_KeyPress(k); };
}

ui::TextBox& ProfileEditor::boxOf(FormBox box, bool newStart) {
    switch (box) {
        case FormBox::Name:
            return newStart ? txtPriData1 : txtPriData;
        case FormBox::Height:
            return newStart ? txtSincyou1 : txtSincyou;
        case FormBox::Target:
            return newStart ? txtMokuTai1 : txtMokuTai;
        case FormBox::Weight:
            return txtNowTai;
        case FormBox::Situation:
            break;
    }
    return txtNowJyou;
}

void ProfileEditor::cmdPHozon1_Click() {
    ProfileForm form{txtPriData.text(), txtSincyou.text(), txtMokuTai.text()};
    if (auto refusal = checkProfile(form)) {
        show(refusal->message);
        boxOf(refusal->box, false).setFocus();
        return;
    }
    core::Profile profile = buildProfile(form);
    core::JournalAct act(host_.dataDir(), "プロフィールの保存");
    if (!host_.saved(core::writeProfile(host_.dataDir(), profile))) return;
    host_.values().set(std::move(profile));
    host_.windowForm().setTitle(profileSavedTitle(host_.values().get<core::Profile>().UserName));
    show(profileSavedMessage());
}

void ProfileEditor::cmdNew1_Click() {
    for (ui::TextBox* box : {&txtPriData1, &txtSincyou1, &txtMokuTai1, &txtNowTai})
        box->setText("");
    fraNew.setVisible(true);
    show(newStartInstructions());
    txtPriData1.setFocus();
}

void ProfileEditor::cmdYame_Click() {
    fraNew.setVisible(false);
}

void ProfileEditor::cmdStHozon_Click() {
    NewStartForm form{txtPriData1.text(), txtSincyou1.text(), txtMokuTai1.text(), txtNowTai.text(),
                      txtNowJyou.text()};
    if (auto refusal = checkNewStart(form)) {
        show(refusal->message);
        boxOf(refusal->box, true).setFocus();
        return;
    }
    if (show(newStartConfirmation()) != ui::Answer::OK) return;
    if (!host_.backUp().goOn) return;
    NewStart start = buildNewStart(form, host_.services().clock.today());
    if (!host_.saved(saveNewStart(host_.dataDir(), start))) return;
    show(newStartDoneMessage());
    host_.services().shell.startAgain();
}

// Enter moves on: name, height, target, weight, situation, 新規登録.
namespace {
void moveOn(ui::KeyPress& key, ui::Control& next) {
    if (!key.enter) return;
    key.handled = true;
    next.setFocus();
}
}  // namespace

void ProfileEditor::txtPriData1_KeyPress(ui::KeyPress& key) {
    moveOn(key, txtSincyou1);
}
void ProfileEditor::txtSincyou1_KeyPress(ui::KeyPress& key) {
    moveOn(key, txtMokuTai1);
}
void ProfileEditor::txtMokuTai1_KeyPress(ui::KeyPress& key) {
    moveOn(key, txtNowTai);
}
void ProfileEditor::txtNowTai_KeyPress(ui::KeyPress& key) {
    moveOn(key, txtNowJyou);
}
void ProfileEditor::txtNowJyou_KeyPress(ui::KeyPress& key) {
    moveOn(key, cmdStHozon);
}

}  // namespace setup
