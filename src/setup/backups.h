// The snapshots of the data folder on the editing panel (fraBackup): where
// they are kept and the choice of that place, the list of them, newest
// first, with the records each holds, and the way back to one of them.
#pragma once

#include <filesystem>
#include <vector>

#include "core/snapshot.h"
#include "host/panel_part.h"

namespace setup {

class Backups : public host::PanelPart {
  public:
    Backups(host::PanelHost& host, ui::Frame& parent);

    ui::Frame fraBackup{form(), "fraBackup", &parent_, "バックアップ"};
    ui::Label lblBackupDir{form(), "lblBackupDir", &fraBackup};
    ui::Button cmdBackupDir{form(), "cmdBackupDir", &fraBackup, "保存先を変える"};
    ui::Button cmdOpenBackup{form(), "cmdOpenBackup", &fraBackup, "フォルダーを開く"};
    ui::ListBox lstBackup{form(), "lstBackup", &fraBackup};
    ui::Button cmdRestore{form(), "cmdRestore", &fraBackup, "このバックアップに戻す"};

    // The place and the list as they are on disk.
    void fill();
    void cmdBackupDir_Click();
    void cmdOpenBackup_Click();
    void lstBackup_Click();
    void cmdRestore_Click();

  private:
    std::filesystem::path folder_;
    // The snapshots the list shows, in its order.
    std::vector<core::SnapshotInfo> shown_;
};

}  // namespace setup
