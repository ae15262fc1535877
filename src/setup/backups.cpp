#include "setup/backups.h"

#include "core/dates.h"
#include "core/platform.h"

namespace setup {
namespace {

using ui::Icon;

constexpr std::string_view kTitle = "バックアップ";

}  // namespace

Backups::Backups(host::PanelHost& host, ui::Frame& parent) : PanelPart(host, parent) {
    cmdBackupDir.Click = [this] { cmdBackupDir_Click(); };
    cmdOpenBackup.Click = [this] { cmdOpenBackup_Click(); };
    lstBackup.Click = [this] { lstBackup_Click(); };
    cmdRestore.Click = [this] { cmdRestore_Click(); };
    cmdBackupDir.setToolTip("バックアップを作るフォルダーを選びます");
    cmdOpenBackup.setToolTip("バックアップのフォルダーを開きます");
    cmdRestore.setToolTip("選んだバックアップの時のデータに戻します");
}

void Backups::fill() {
    folder_ = core::snapshotFolder(host_.dataDir());
    lblBackupDir.setText(core::platform::utf8Of(folder_));
    shown_ = core::listSnapshots(folder_);
    std::vector<std::string> items;
    items.reserve(shown_.size());
    for (const core::SnapshotInfo& snapshot : shown_)
        items.push_back(core::snapshotItemText(snapshot));
    lstBackup.setItems(std::move(items));
    cmdRestore.setEnabled(false);
}

void Backups::cmdBackupDir_Click() {
    auto chosen = host_.services().dialogs.chooseFolder("バックアップの保存先",
                                                        core::platform::utf8Of(folder_));
    if (!chosen) return;
    if (!host_.saved(core::writeSnapshotFolder(host_.dataDir(), core::platform::pathOf(*chosen))))
        return;
    fill();
}

// The folder is made first when no snapshot has been made there yet.
void Backups::cmdOpenBackup_Click() {
    if (!host_.saved(core::makeDataFolder(folder_))) return;
    host_.services().shell.openFolder(core::platform::utf8Of(folder_));
}

void Backups::lstBackup_Click() {
    cmdRestore.setEnabled(lstBackup.listIndex() >= 0);
}

// The data of a snapshot comes back whole, the data of now kept in a new
// snapshot first; the window then starts again on the folder, as after a new
// start, with nothing to undo.
void Backups::cmdRestore_Click() {
    const int index = lstBackup.listIndex();
    if (index < 0 || static_cast<size_t>(index) >= shown_.size()) return;
    const core::SnapshotInfo chosen = shown_[static_cast<size_t>(index)];
    auto& dialogs = host_.services().dialogs;
    if (dialogs.message(
            core::snapshotTimeText(chosen.made) +
                " のバックアップに戻します。\r\n\r\n今のデータもバックアップに残します。"
                "よろしいですか？",
            kTitle, Icon::Question, ui::Buttons::OKCancel) != ui::Answer::OK)
        return;
    host::BackUp before = host_.backUp();
    if (!before.goOn) return;
    core::Status restored = core::restoreSnapshot(host_.dataDir(), folder_, chosen.name);
    if (host_.saved(restored)) {
        std::string text = "バックアップに戻しました。";
        if (auto made = core::parseSnapshotName(before.made))
            text += "\r\n\r\n戻す前のデータは " + core::snapshotTimeText(*made) +
                    " のバックアップに残してあります。";
        dialogs.message(text, kTitle, Icon::Information);
    }
    // Whatever came back, the window shows the folder as it now is.
    host_.services().shell.startAgain();
}

}  // namespace setup
