// Snapshots of the data folder: a copy of every file of the program's own,
// kept in a folder named by the moment it was made ("20240601-073005"), and
// the rule that thins them out, keeping fewer of them the older they are.
#pragma once

#include <array>
#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    friend bool operator==(const SnapshotName& a, const SnapshotName& b) { return (a <=> b) == 0; }
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

}  // namespace core
