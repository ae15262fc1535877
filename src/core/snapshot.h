// Snapshots of the data folder: a copy of every file of the program's own,
// made in one step into a folder named by the moment it was made
// ("20240601-073005"), thinned out by a rule that keeps fewer of them the
// older they are, listed with what their logs hold, and written back into the
// data folder on request.
//
// A snapshot is whole or absent: its files are written and flushed in a
// folder of another name, which takes the snapshot's name in one rename. An
// old snapshot leaves the same way, renamed out of the way before anything of
// it is deleted. The leftovers of a step that broke off (a crash, a full
// disk) have names of their own, which are never snapshot names, and go with
// the next snapshot.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_dir.h"
#include "core/dates.h"

namespace core {

// The folder of the snapshots, inside the data folder unless the file
// "バックアップ先.TXT" of the data folder names another.
inline constexpr std::string_view kSnapshotFolderName = "バックアップ";
inline constexpr std::string_view kSnapshotFolderFile = "バックアップ先.TXT";

// The program's own files: the log, the lists and tables, the memo, the
// profile and every settings file. A snapshot holds each of them that the
// data folder has (matched without regard to letter case), under the
// spelling it has there. Never the lock, the exports, the side files of a
// rewrite, the old logs kept as "データbak*.txt" or the legacy log.
inline constexpr std::array<std::string_view, 13> kSnapshotFiles = {
    "データ.txt", "状況リスト.txt", "換算.txt",           "気付きメモ.txt", "ﾌﾟﾗｲﾍﾞｰﾄ.txt",
    "設定.TXT",   "自動時間.TXT",   "移動平均.TXT",       "体重計刻み.TXT", "マーカー.TXT",
    "傾向線.TXT", "傾向の元.TXT",   "バックアップ先.TXT",
};

// True when the name is one of kSnapshotFiles, without regard to letter case.
bool isSnapshotFile(std::string_view name);

// ---- Names

// The moment a snapshot was made by the program's clock, and its place among
// the snapshots of the same second: "yyyymmdd-hhmmss" for the first,
// "yyyymmdd-hhmmss-2", "-3", ... for the ones after it.
struct SnapshotName {
    Date date;
    TimeOfDay time;
    int sequence = 1;

    // By date, time of day, then sequence.
    friend std::strong_ordering operator<=>(const SnapshotName& a, const SnapshotName& b);
    friend bool operator==(const SnapshotName& a, const SnapshotName& b) {
        return std::is_eq(a <=> b);
    }
};

// The snapshot of a folder's name: a real date from the year 1000 on, a real
// time of day (00:00:00 to 23:59:59), and an optional "-N" with N from 2 on,
// written without a leading zero. Nullopt for every other name, so that a
// name tells a snapshot from anything else in the folder.
std::optional<SnapshotName> parseSnapshotName(std::string_view name);
// The folder name of a snapshot, as parseSnapshotName reads it.
std::string snapshotNameText(const SnapshotName& name);

// ---- Which snapshots are kept

// After every snapshot made, the union of these is kept: the newest
// snapshots; the newest of each of the most recent calendar days that have
// one; the newest of each of the most recent weeks (Sunday to Saturday)
// that have one; the newest of each of the most recent calendar months that
// have one.
inline constexpr int kKeepLast = 10;
inline constexpr int kKeepDaily = 14;
inline constexpr int kKeepWeekly = 8;
inline constexpr int kKeepMonthly = 12;

// Of the names of a snapshot folder's entries, the snapshot names that the
// rule keeps, newest first. Other names are neither kept nor removed.
std::vector<std::string> snapshotsToKeep(const std::vector<std::string>& names);
// The snapshot names that the rule removes, newest first.
std::vector<std::string> snapshotsToRemove(const std::vector<std::string>& names);

// ---- Where the snapshots are

// The folder named by the first line of "バックアップ先.TXT" (one quoted path,
// relative ones taken from the data folder); the folder "バックアップ" of the
// data folder when the file is missing, unreadable or empty, or names no
// usable path.
std::filesystem::path snapshotFolder(const DataDir& dir);
// Keeps the choice in "バックアップ先.TXT", written safely as the settings
// are. A path that the file cannot hold (a character Shift-JIS lacks, a
// double quote, a line break or another control character) is refused and
// the file left as it was. An empty path is written as "", which reads as
// the default.
Status writeSnapshotFolder(const DataDir& dir, const std::filesystem::path& folder);

// ---- Making one

// The steps of making a snapshot, so that a test can make any one of them
// fail:
enum class SnapshotStep {
    MakeFolder,  // making the snapshot folder or the new snapshot's own
    Copy,        // writing a copied file: half of it goes out, then the disk is full
    Flush,       // flushing a copied file or a folder to the disk
    Rename,      // giving the new snapshot its name
    Remove,      // an old snapshot renamed out of the way, a file of it or its folder deleted
};

// What making a snapshot did. `status` fails when no snapshot was made (none
// is left behind then, and no old one was removed); `retention` fails when
// an old snapshot that the rule drops could not be removed, which leaves the
// new one whole and made all the same.
struct MadeSnapshot {
    Status status;
    std::string name;  // of the snapshot made
    Status retention;
};

// Makes the snapshots of a snapshot folder.
class SnapshotMaker {
  public:
    explicit SnapshotMaker(std::filesystem::path folder) : folder_(std::move(folder)) {}

    const std::filesystem::path& folder() const { return folder_; }

    // Copies the program's files of the data folder into a new snapshot
    // named by `date` and `time` (the program's clock), then removes the old
    // snapshots that the rule drops (never the one just made). The snapshot
    // folder is made, with its parents, when it is missing. Every folder made
    // is its owner's alone (0700), every file too (0600).
    MadeSnapshot make(const DataDir& dir, Date date, TimeOfDay time) const;

    // A test hook: called before each step; returning true makes that step
    // fail as SnapshotStep describes.
    void setFaultHook(std::function<bool(SnapshotStep)> hook) { faultHook_ = std::move(hook); }

  private:
    bool fails(SnapshotStep step) const { return faultHook_ && faultHook_(step); }
    Status makeFolders() const;
    int flushFolder(const std::filesystem::path& folder) const;
    int removeTree(const std::filesystem::path& folder, bool hooked) const;
    void removeLeftovers() const;
    Status removeDropped(const std::string& made) const;

    std::filesystem::path folder_;
    std::function<bool(SnapshotStep)> faultHook_;
};

// ---- The list

// A snapshot as the list shows it: when it was made, the count of readable
// records of its "データ.txt" and the dates of the first and the last of them
// in file order (nullopt without records).
struct SnapshotInfo {
    std::string name;
    SnapshotName made;
    int32_t recordCount = 0;
    std::optional<Date> firstDate;
    std::optional<Date> lastDate;
};

// The snapshots of a folder, newest first; none when the folder is missing.
// What a snapshot's log holds is kept in memory by the folder's path and the
// snapshot's name, and read again only when the log's stamp differs, so that
// a list shown again costs a stat a snapshot.
std::vector<SnapshotInfo> listSnapshots(const std::filesystem::path& folder);
// "2024/06/01 07:30:05": when a snapshot was made, as the program names it.
std::string snapshotTimeText(const SnapshotName& made);
// "2024/06/01 07:30:05　123 件（2023/01/05～2024/06/01）", or
// "2024/06/01 07:30:05　記録なし" without records.
std::string snapshotItemText(const SnapshotInfo& snapshot);
// True when the folder has a snapshot made on that date.
bool hasSnapshotOn(const std::filesystem::path& folder, Date date);
// Empties what the lists keep (for measuring a first list).
void forgetSnapshotSummaries();

// ---- Restoring one

// Writes every file of the snapshot back into the data folder, each through
// the data folder's safe rewrite (a side file, flushed, renamed over the
// old one), under the spelling that the data folder has for it or else the
// snapshot's. Program files that the snapshot lacks are left as they are,
// and so is the choice of the snapshot folder. Stops at the first failure and
// returns it.
Status restoreSnapshot(const DataDir& dir, const std::filesystem::path& folder,
                       std::string_view name);

}  // namespace core
