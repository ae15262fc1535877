#include "core/snapshot.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <set>
#include <utility>

#include "core/codepage.h"
#include "core/fields.h"
#include "core/platform.h"
#include "core/weight_log.h"

namespace core {
namespace fs = std::filesystem;
using platform::OpenFor;

namespace {

// Every folder and file of a snapshot is its user's alone.
constexpr unsigned kFolderMode = 0700;
constexpr unsigned kFileMode = 0600;

// A snapshot being written, and one on its way out: names that no snapshot
// has (a snapshot name starts with a digit), the snapshot's name after them.
constexpr std::string_view kMakingPrefix = ".making-";
constexpr std::string_view kRemovingPrefix = ".removing-";

std::string nameOf(const fs::path& path) {
    return platform::utf8Of(path.filename());
}

// The value of a run of decimal digits, all of them; false for anything else.
bool readDigits(std::string_view text, int& value) {
    if (text.empty()) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

Status failure(std::string name, std::string_view what, int err) {
    return Status::failure(std::move(name), std::string(what) + ": " + reasonText(err));
}

// The entries of a folder by their names in UTF-8, and whether each is a
// folder (a symbolic link to one counts); none when it cannot be listed.
std::vector<std::pair<std::string, bool>> entriesOf(const fs::path& folder) {
    std::vector<std::pair<std::string, bool>> out;
    std::error_code ec;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        std::error_code typeError;
        out.emplace_back(nameOf(it->path()), it->is_directory(typeError));
    }
    return out;
}

// The snapshots of a folder: its folders with snapshot names.
std::vector<std::pair<SnapshotName, std::string>> snapshotsIn(const fs::path& folder) {
    std::vector<std::pair<SnapshotName, std::string>> out;
    for (auto& [name, isFolder] : entriesOf(folder)) {
        if (!isFolder) continue;
        if (auto parsed = parseSnapshotName(name)) out.emplace_back(*parsed, std::move(name));
    }
    return out;
}

// The snapshot names among `names`, each once, newest first.
std::vector<std::pair<SnapshotName, std::string>> newestFirst(
    const std::vector<std::string>& names) {
    std::vector<std::pair<SnapshotName, std::string>> out;
    for (const std::string& name : names)
        if (auto parsed = parseSnapshotName(name)) out.emplace_back(*parsed, name);
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a > b; });
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// Whether the rule keeps each of the snapshots, given newest first: each
// part of the rule goes down the list and keeps the first snapshot of each
// new day (week, month) until it has kept its count; the last-snapshots
// part takes every snapshot as a new one.
std::vector<bool> keptByRule(const std::vector<std::pair<SnapshotName, std::string>>& snapshots) {
    using std::chrono::sys_days;
    auto dayOf = [](const SnapshotName& s) {
        return static_cast<int64_t>(sys_days(s.date).time_since_epoch().count());
    };
    struct Part {
        int left;
        std::function<int64_t(const SnapshotName&, size_t)> period;
        std::optional<int64_t> last = std::nullopt;
    };
    Part parts[] = {
        {kKeepLast, [](const SnapshotName&, size_t i) { return static_cast<int64_t>(i); }},
        {kKeepDaily, [&](const SnapshotName& s, size_t) { return dayOf(s); }},
        // A week is known by its Sunday.
        {kKeepWeekly,
         [&](const SnapshotName& s, size_t) {
             const std::chrono::weekday weekday{sys_days(s.date)};
             return dayOf(s) - static_cast<int64_t>(weekday.c_encoding());
         }},
        {kKeepMonthly,
         [](const SnapshotName& s, size_t) {
             return int64_t{static_cast<int>(s.date.year())} * 12 +
                    static_cast<unsigned>(s.date.month());
         }},
    };
    std::vector<bool> kept(snapshots.size(), false);
    for (size_t i = 0; i < snapshots.size(); ++i) {
        for (Part& part : parts) {
            const int64_t period = part.period(snapshots[i].first, i);
            if (part.left == 0 || part.last == period) continue;
            part.last = period;
            --part.left;
            kept[i] = true;
        }
    }
    return kept;
}

std::vector<std::string> keptOrRemoved(const std::vector<std::string>& names, bool keptOnes) {
    const auto snapshots = newestFirst(names);
    const std::vector<bool> kept = keptByRule(snapshots);
    std::vector<std::string> out;
    for (size_t i = 0; i < snapshots.size(); ++i)
        if (kept[i] == keptOnes) out.push_back(snapshots[i].second);
    return out;
}

// A path kept in "バックアップ先.TXT" that can name a folder: text without
// bad bytes or control characters, and, where paths have drives, not one
// that is relative to a drive or to the root of the current drive.
bool usableFolderText(std::string_view text) {
    if (text.empty() || text.find(kBadByteMark) != std::string_view::npos) return false;
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    const fs::path path = platform::pathOf(text);
    return path.is_absolute() || (!path.has_root_name() && !path.has_root_directory());
}

// What a list shows of a snapshot's log, kept by the folder's path itself
// and the snapshot's name, with the stamp of the log it was read from.
struct Summary {
    FileStamp stamp;
    LogExtent extent;
};

struct SummaryCache {
    std::mutex lock;
    std::map<std::pair<fs::path, std::string>, Summary> entries;
};

SummaryCache& summaries() {
    static SummaryCache cache;
    return cache;
}

// The snapshot's log as the list shows it. A snapshot never changes once
// made, so the stamp guards only against a hand that changed it since.
LogExtent extentOf(const fs::path& folder, const std::string& name) {
    const DataDir snapshot(folder / platform::pathOf(name));
    const std::optional<FileStamp> now = snapshot.stamp(kLogFile);
    if (!now) return {};
    SummaryCache& cache = summaries();
    auto key = std::make_pair(folder, name);
    {
        std::lock_guard guard(cache.lock);
        auto found = cache.entries.find(key);
        if (found != cache.entries.end() && found->second.stamp == *now)
            return found->second.extent;
    }
    std::optional<FileStamp> read;
    FileBytes file = snapshot.readFile(kLogFile, &read);
    if (!file.bytes) return {};
    LogExtent extent = logExtent(*file.bytes);
    if (read) {
        std::lock_guard guard(cache.lock);
        cache.entries[key] = {*read, extent};
    }
    return extent;
}

// Forgets the snapshots of the folder that are no longer there.
void forgetGoneSnapshots(const fs::path& folder, const std::set<std::string>& present) {
    SummaryCache& cache = summaries();
    std::lock_guard guard(cache.lock);
    for (auto it = cache.entries.lower_bound({folder, std::string()});
         it != cache.entries.end() && it->first.first == folder;) {
        if (present.count(it->first.second))
            ++it;
        else
            it = cache.entries.erase(it);
    }
}

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

}  // namespace

bool isSnapshotFile(std::string_view name) {
    return std::any_of(kSnapshotFiles.begin(), kSnapshotFiles.end(),
                       [&](std::string_view file) { return equalIgnoringAsciiCase(file, name); });
}

std::strong_ordering operator<=>(const SnapshotName& a, const SnapshotName& b) {
    if (auto c = a.date <=> b.date; std::is_neq(c)) return c;
    if (auto c = a.time.hours <=> b.time.hours; std::is_neq(c)) return c;
    if (auto c = a.time.minutes <=> b.time.minutes; std::is_neq(c)) return c;
    if (auto c = a.time.seconds <=> b.time.seconds; std::is_neq(c)) return c;
    return a.sequence <=> b.sequence;
}

std::optional<SnapshotName> parseSnapshotName(std::string_view name) {
    // "yyyymmdd-hhmmss", then "-N" with N from 2 to nine digits.
    if (name.size() < 15 || name[8] != '-') return std::nullopt;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (!readDigits(name.substr(0, 4), y) || !readDigits(name.substr(4, 2), mo) ||
        !readDigits(name.substr(6, 2), d) || !readDigits(name.substr(9, 2), h) ||
        !readDigits(name.substr(11, 2), mi) || !readDigits(name.substr(13, 2), s))
        return std::nullopt;
    SnapshotName out;
    out.date = Date{std::chrono::year(y), std::chrono::month(static_cast<unsigned>(mo)),
                    std::chrono::day(static_cast<unsigned>(d))};
    if (y < 1000 || !out.date.ok() || h > 23 || mi > 59 || s > 59) return std::nullopt;
    out.time = {h, mi, s};
    std::string_view rest = name.substr(15);
    if (rest.empty()) return out;
    if (rest.size() < 2 || rest.size() > 10 || rest[0] != '-' || rest[1] == '0' ||
        !readDigits(rest.substr(1), out.sequence) || out.sequence < 2)
        return std::nullopt;
    return out;
}

std::string snapshotNameText(const SnapshotName& name) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02u%02u-%02d%02d%02d",
                  static_cast<int>(name.date.year()), static_cast<unsigned>(name.date.month()),
                  static_cast<unsigned>(name.date.day()), name.time.hours, name.time.minutes,
                  name.time.seconds);
    std::string out = text;
    if (name.sequence != 1) out.append("-").append(std::to_string(name.sequence));
    return out;
}

std::vector<std::string> snapshotsToKeep(const std::vector<std::string>& names) {
    return keptOrRemoved(names, true);
}

std::vector<std::string> snapshotsToRemove(const std::vector<std::string>& names) {
    return keptOrRemoved(names, false);
}

fs::path snapshotFolder(const DataDir& dir) {
    fs::path fallback = dir.folder() / platform::pathOf(kSnapshotFolderName);
    auto text = dir.readText(kSnapshotFolderFile);
    if (!text) return fallback;
    std::string_view rest = *text, end;
    const std::string_view line = takeLine(rest, end);
    std::vector<std::string_view> fields;
    splitFields(line, fields);
    if (fields.empty() || !usableFolderText(fields[0])) return fallback;
    const fs::path path = platform::pathOf(fields[0]);
    return path.is_absolute() ? path : dir.folder() / path;
}

Status writeSnapshotFolder(const DataDir& dir, const fs::path& folder) {
    const std::string text = platform::utf8Of(folder);
    const std::string file(kSnapshotFolderFile);
    if (!encodeCp932(text))
        return Status::failure(
            file,
            "フォルダー名に Shift-JIS で書けない文字があるため、バックアップ先を保存できません");
    const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (!isStorableText(text) || !plain)
        return Status::failure(
            file, "フォルダー名に引用符や制御文字があるため、バックアップ先を保存できません");
    if (!text.empty() && !usableFolderText(text))
        return Status::failure(
            file, "ドライブだけを基準にしたパスは、バックアップ先として保存できません");
    std::string line;
    LineWriter(line).text(text).end();
    return dir.writeText(kSnapshotFolderFile, line);
}

// ---- Making one

int SnapshotMaker::flushFolder(const fs::path& folder) const {
    if (fails(SnapshotStep::Flush)) return EIO;
    return platform::flushFolder(folder);
}

// The snapshot folder and each missing folder above it, each flushed into
// the folder above it.
Status SnapshotMaker::makeFolders() const {
    const std::string name = platform::utf8Of(folder_);
    std::vector<fs::path> missing;
    platform::FileInfo found;
    for (fs::path at = folder_; !at.empty(); at = at.parent_path()) {
        int err = platform::info(at, found);
        if (err == 0 && found.folder) break;
        if (err == 0)
            return Status::failure(
                name, "同じ名前のファイルがあり、バックアップのフォルダーを作れません");
        if (err != ENOENT) return failure(name, "バックアップのフォルダーを確かめられません", err);
        missing.push_back(at);
        if (at.parent_path() == at) break;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        int err = fails(SnapshotStep::MakeFolder) ? EACCES : platform::makeFolder(*it, kFolderMode);
        // Made a moment ago by another hand: as good.
        if (err == EEXIST && platform::info(*it, found) == 0 && found.folder) continue;
        if (err != 0) return failure(name, "バックアップのフォルダーを作れません", err);
        if (!it->parent_path().empty()) {
            if (int flushed = flushFolder(it->parent_path()))
                return failure(name, "バックアップのフォルダーをディスクに書き込めません", flushed);
        }
    }
    return {};
}

// Removes a folder and everything in it, from the inside out; a symbolic
// link, the folder itself or one in it, is removed, never followed. Gives the first error, going on
// past it; `hooked` lets the fault hook fail each removal.
int SnapshotMaker::removeTree(const fs::path& folder, bool hooked) const {
    std::error_code linkError;
    if (fs::symlink_status(folder, linkError).type() == fs::file_type::symlink) {
        if (hooked && fails(SnapshotStep::Remove)) return EACCES;
        int err = platform::removeFile(folder);
        return err == 0 ? 0 : platform::removeFolder(folder);
    }
    std::vector<std::pair<fs::path, fs::file_type>> entries;
    std::error_code ec;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        std::error_code typeError;
        entries.emplace_back(it->path(), it->symlink_status(typeError).type());
    }
    int first = ec && ec.value() != ENOENT ? ec.value() : 0;
    auto note = [&](int err) {
        if (first == 0) first = err;
    };
    for (const auto& [path, type] : entries) {
        if (type == fs::file_type::directory) {
            note(removeTree(path, hooked));
            continue;
        }
        if (hooked && fails(SnapshotStep::Remove)) {
            note(EACCES);
            continue;
        }
        int err = platform::removeFile(path);
        // Windows removes a link to a folder as a folder.
        if (err != 0 && type == fs::file_type::symlink) err = platform::removeFolder(path);
        if (err != 0 && err != ENOENT) note(err);
    }
    if (first != 0) return first;
    if (hooked && fails(SnapshotStep::Remove)) return EACCES;
    int err = platform::removeFolder(folder);
    return err == ENOENT ? 0 : err;
}

// What a making or a removal that broke off left behind. A folder on its
// way out may have been renamed just before; the rename goes to the disk
// before any of it is deleted, so that a crash never brings it back under
// its snapshot name with files missing.
void SnapshotMaker::removeLeftovers() const {
    std::vector<fs::path> leftovers;
    for (const auto& [name, isFolder] : entriesOf(folder_))
        if (name.starts_with(kMakingPrefix) || name.starts_with(kRemovingPrefix))
            leftovers.push_back(folder_ / platform::pathOf(name));
    if (leftovers.empty() || platform::flushFolder(folder_) != 0) return;
    for (const fs::path& leftover : leftovers) {
        platform::FileInfo found;
        if (platform::info(leftover, found) == 0 && found.folder)
            (void)removeTree(leftover, false);
        else
            (void)platform::removeFile(leftover);
    }
}

// Removes the snapshots that the rule drops, but never `made`: each is
// renamed out of the way first, the renames go to the disk, and only then
// are their files deleted. A snapshot that cannot be renamed stays whole.
Status SnapshotMaker::removeDropped(const std::string& made) const {
    std::vector<std::string> names;
    for (auto& [when, name] : snapshotsIn(folder_)) names.push_back(std::move(name));
    Status status;
    auto note = [&](std::string name, std::string_view what, int err) {
        if (status) status = failure(std::move(name), what, err);
    };
    std::vector<std::pair<std::string, fs::path>> renamed;
    for (const std::string& name : snapshotsToRemove(names)) {
        if (name == made) continue;
        fs::path away = folder_ / platform::pathOf(std::string(kRemovingPrefix) + name);
        int err = fails(SnapshotStep::Remove)
                      ? EACCES
                      : platform::renameFolder(folder_ / platform::pathOf(name), away);
        if (err != 0)
            note(name, "古いバックアップを削除できません", err);
        else
            renamed.emplace_back(name, std::move(away));
    }
    if (renamed.empty()) return status;
    if (int err = flushFolder(folder_)) {
        // Left for the next snapshot, which flushes the renames first.
        note(renamed.front().first, "古いバックアップの削除をディスクに書き込めません", err);
        return status;
    }
    for (const auto& [name, away] : renamed)
        if (int err = removeTree(away, true)) note(name, "古いバックアップを削除しきれません", err);
    return status;
}

MadeSnapshot SnapshotMaker::make(const DataDir& dir, Date date, TimeOfDay time) const {
    MadeSnapshot out;
    const std::string folderName = platform::utf8Of(folder_);
    SnapshotName when{date, time, 1};
    if (!parseSnapshotName(snapshotNameText(when))) {
        out.status = Status::failure(folderName, "日時が正しくないため、バックアップを作れません");
        return out;
    }
    if (Status made = makeFolders(); !made) {
        out.status = made;
        return out;
    }
    removeLeftovers();

    // A name after every snapshot of that second, so that the newest is
    // always named as the newest (not in the place of one that retention
    // removed), and that nothing in the folder has.
    std::set<std::string> taken;
    for (auto& [entry, isFolder] : entriesOf(folder_)) {
        if (auto other = parseSnapshotName(entry);
            other && other->date == when.date && other->time.hours == when.time.hours &&
            other->time.minutes == when.time.minutes && other->time.seconds == when.time.seconds)
            when.sequence = std::max(when.sequence, other->sequence + 1);
        taken.insert(std::move(entry));
    }
    std::string name = snapshotNameText(when);
    while (taken.count(name) || taken.count(std::string(kMakingPrefix) + name)) {
        ++when.sequence;
        name = snapshotNameText(when);
    }
    const fs::path making = folder_ / platform::pathOf(std::string(kMakingPrefix) + name);
    auto abandon = [&](Status why) {
        (void)removeTree(making, false);
        out.status = std::move(why);
        return out;
    };
    auto fail = [&](std::string file, std::string_view what, int err) {
        return abandon(failure(std::move(file), what, err));
    };
    // A copy is closed before its folder goes: Windows removes no open file.
    auto failCopy = [&](platform::File& copy, std::string file, std::string_view what, int err) {
        (void)copy.close();
        return fail(std::move(file), what, err);
    };

    int err = fails(SnapshotStep::MakeFolder) ? EACCES : platform::makeFolder(making, kFolderMode);
    if (err != 0) {
        // A folder that the failed call did not make is not ours to remove.
        out.status = failure(folderName, "バックアップのフォルダーを作れません", err);
        return out;
    }
    for (std::string_view file : kSnapshotFiles) {
        const std::optional<fs::path> source = dir.find(file);
        if (!source) continue;
        const std::string spelling = nameOf(*source);
        FileBytes bytes = dir.readFile(spelling);
        if (!bytes.status) return abandon(bytes.status);
        if (!bytes.bytes) continue;  // removed a moment ago
        platform::File copy;
        if (int opened = copy.open(making / platform::pathOf(spelling), OpenFor::CreateNew))
            return fail(spelling, "バックアップに書き込めません", opened);
        // Cancels a stricter umask, where the file system has modes at all.
        (void)copy.setMode(kFileMode);
        if (fails(SnapshotStep::Copy)) {
            (void)copy.writeAll(std::string_view(*bytes.bytes).substr(0, bytes.bytes->size() / 2));
            return failCopy(copy, spelling, "バックアップに書き込めません", ENOSPC);
        }
        if (int written = copy.writeAll(*bytes.bytes))
            return failCopy(copy, spelling, "バックアップに書き込めません", written);
        if (int flushed = fails(SnapshotStep::Flush) ? EIO : copy.flush())
            return failCopy(copy, spelling, "バックアップをディスクに書き込めません", flushed);
        if (int closed = copy.close())
            return fail(spelling, "バックアップをディスクに書き込めません", closed);
    }
    if (int flushed = flushFolder(making))
        return fail(folderName, "バックアップをディスクに書き込めません", flushed);

    const fs::path target = folder_ / platform::pathOf(name);
    err = fails(SnapshotStep::Rename) ? EACCES : platform::renameFolder(making, target);
    if (err != 0) return fail(folderName, "バックアップに名前を付けられません", err);
    if (int flushed = flushFolder(folder_)) {
        // Not known to be on the disk: taken back, so that a snapshot reported
        // as failed is not listed either.
        if (platform::renameFolder(target, making) == 0) (void)removeTree(making, false);
        out.status = failure(folderName, "バックアップをディスクに書き込めません", flushed);
        return out;
    }
    out.name = name;
    out.retention = removeDropped(name);
    return out;
}

// ---- The list

std::vector<SnapshotInfo> listSnapshots(const fs::path& folder) {
    auto snapshots = snapshotsIn(folder);
    std::sort(snapshots.begin(), snapshots.end(),
              [](const auto& a, const auto& b) { return a > b; });
    std::vector<SnapshotInfo> out;
    out.reserve(snapshots.size());
    std::set<std::string> present;
    for (auto& [when, name] : snapshots) {
        SnapshotInfo info;
        info.made = when;
        const LogExtent extent = extentOf(folder, name);
        info.recordCount = extent.records;
        if (extent.records > 0) {
            info.firstDate = parseDate(extent.firstDate);
            info.lastDate = parseDate(extent.lastDate);
        }
        present.insert(name);
        info.name = std::move(name);
        out.push_back(std::move(info));
    }
    forgetGoneSnapshots(folder, present);
    return out;
}

std::string snapshotTimeText(const SnapshotName& made) {
    const TimeOfDay& t = made.time;
    return dateText(made.date) + " " + twoDigits(t.hours) + ":" + twoDigits(t.minutes) + ":" +
           twoDigits(t.seconds);
}

std::string snapshotItemText(const SnapshotInfo& snapshot) {
    std::string text = snapshotTimeText(snapshot.made) + "\u3000";
    if (snapshot.recordCount == 0 || !snapshot.firstDate || !snapshot.lastDate)
        return text + "記録なし";
    return text + std::to_string(snapshot.recordCount) + " 件（" + dateText(*snapshot.firstDate) +
           "\uFF5E" + dateText(*snapshot.lastDate) + "）";
}

bool hasSnapshotOn(const fs::path& folder, Date date) {
    const auto snapshots = snapshotsIn(folder);
    return std::any_of(snapshots.begin(), snapshots.end(),
                       [&](const auto& s) { return s.first.date == date; });
}

void forgetSnapshotSummaries() {
    SummaryCache& cache = summaries();
    std::lock_guard guard(cache.lock);
    cache.entries.clear();
}

// ---- Restoring one

Status restoreSnapshot(const DataDir& dir, const fs::path& folder, std::string_view name) {
    const fs::path where = folder / platform::pathOf(name);
    platform::FileInfo found;
    if (!parseSnapshotName(name) || platform::info(where, found) != 0 || !found.folder)
        return Status::failure(std::string(name), "このバックアップが見つかりません");
    const DataDir snapshot(where);
    for (std::string_view file : kSnapshotFiles) {
        // Where the snapshots are kept is no data to go back to: the snapshot
        // of before the restore, and every later one, stay where they are
        // listed.
        if (file == kSnapshotFolderFile) continue;
        const std::optional<fs::path> source = snapshot.find(file);
        if (!source) continue;
        const std::string spelling = nameOf(*source);
        FileBytes bytes = snapshot.readFile(spelling);
        if (!bytes.status) return bytes.status;
        if (!bytes.bytes) continue;
        // The data folder's own spelling of the file, when it has one, is
        // kept by the rewrite.
        if (Status written = dir.writeBytes(spelling, *bytes.bytes); !written) return written;
    }
    return {};
}

}  // namespace core
