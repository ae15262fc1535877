// The profile group (Frame9) and the new start (cmdNew1 and the group fraNew)
// of the editing panel. データ変更 saves the name, the height and the target
// weight; a new start replaces the log by one first weighing and ends the
// program, only when every file it writes was written, the old log kept
// under a backup name first.
#pragma once

#include "host/panel_part.h"
#include "setup/new_start.h"

namespace setup {

class ProfileEditor : public host::PanelPart {
  public:
    ProfileEditor(host::PanelHost& host, ui::Frame& parent);

    // ---- the profile
    ui::Frame Frame9{form(), "Frame9", &parent_, "プライベートデータ"};
    ui::TextBox txtPriData{form(), "txtPriData", &Frame9};
    ui::TextBox txtSincyou{form(), "txtSincyou", &Frame9};
    ui::TextBox txtMokuTai{form(), "txtMokuTai", &Frame9};
    ui::Button cmdPHozon1{form(), "cmdPHozon1", &Frame9, "データ変更"};
    // ---- the new start
    ui::Button cmdNew1{form(), "cmdNew1", &parent_, "新規にスタートするとき"};
    ui::Frame fraNew{form(), "fraNew", &parent_, "新規スタート登録枠"};
    ui::TextBox txtPriData1{form(), "txtPriData1", &fraNew};
    ui::TextBox txtSincyou1{form(), "txtSincyou1", &fraNew};
    ui::TextBox txtMokuTai1{form(), "txtMokuTai1", &fraNew};
    ui::TextBox txtNowTai{form(), "txtNowTai", &fraNew};
    ui::TextBox txtNowJyou{form(), "txtNowJyou", &fraNew};
    ui::Button cmdStHozon{form(), "cmdStHozon", &fraNew, "新規登録"};
    ui::Button cmdYame{form(), "cmdYame", &fraNew, "キャンセル"};

    // As the panel opens: the profile's boxes from the profile read last.
    void fill();
    // A first run: the new start's group, opened as 新規にスタートするとき
    // opens it.
    void firstRun() { cmdNew1_Click(); }

    void cmdPHozon1_Click();
    void cmdNew1_Click();
    void cmdYame_Click();
    void cmdStHozon_Click();
    void txtPriData1_KeyPress(ui::KeyPress& key);
    void txtSincyou1_KeyPress(ui::KeyPress& key);
    void txtMokuTai1_KeyPress(ui::KeyPress& key);
    void txtNowTai_KeyPress(ui::KeyPress& key);
    void txtNowJyou_KeyPress(ui::KeyPress& key);

  private:
    void wireEvents();
    ui::Answer show(const Message& message) {
        return setup::show(host_.services().dialogs, message);
    }
    // The box of the profile, or of the new start, that a refusal names.
    ui::TextBox& boxOf(FormBox box, bool newStart);
};

}  // namespace setup
