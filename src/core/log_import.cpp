// Records brought into the weight log from elsewhere: records merged in
// among its lines, and the old program's log "連続体重.txt" converted.
#include "core/log_internal.h"

#include <algorithm>

namespace core {

using namespace log_internal;

namespace {

// An imported record as the log keeps it.
WeightRecord imported(const WeightRecord& r) {
    return WeightRecord{r.Date, r.Situation, r.Weight, "", "", ""};
}

// The merged log: every line of `log` as it was, the added records between
// them as inserted one after another.
void mergeInto(const SplitLog& log, const std::vector<WeightRecord>& added, LogBuilder& out) {
    std::vector<const WeightRecord*> byDate;
    byDate.reserve(added.size());
    for (const auto& r : added) byDate.push_back(&r);
    std::stable_sort(
        byDate.begin(), byDate.end(),
        [](const WeightRecord* a, const WeightRecord* b) { return a->Date < b->Date; });
    auto next = byDate.begin();
    for (const auto& line : log.lines) {
        for (; line.record() && next != byDate.end() && (*next)->Date < line.record()->Date; ++next)
            out.put(imported(**next));
        out.keep(line);
    }
    for (; next != byDate.end(); ++next) out.put(imported(**next));
}

// The merged log holds every line of the old one, byte for byte and in its
// order, and besides them only the added records.
bool keepsEveryLine(const SplitLog& before, const SplitLog& after, size_t added) {
    size_t kept = 0, records = 0;
    for (const auto& line : after.lines) {
        if (kept < before.lines.size() && line.raw == before.lines[kept].raw)
            ++kept;
        else if (line.record())
            ++records;
        else
            return false;
    }
    return kept == before.lines.size() && records == added;
}

// Keeps the log's bytes under a free backup name; the name, or nullopt with
// the reason in `status`.
std::optional<std::string> keepBackup(const DataDir& dir, std::string_view bytes, Status& status) {
    std::string name = dir.freeName(kBackupBase, ".txt");
    status = dir.writeBytes(name, bytes);
    if (!status) return std::nullopt;
    return name;
}

}  // namespace

Status mergeRecords(const DataDir& dir, const std::vector<WeightRecord>& added) {
    for (const auto& r : added)
        if (auto refused = refuseRecord(imported(r))) return *refused;
    Status status;
    auto disk = readLogOnDisk(dir, status);
    if (!disk || added.empty()) return status;
    SplitLog log(disk->bytes);
    if (static_cast<int64_t>(log.records) + static_cast<int64_t>(added.size()) > kMaxRecords)
        return logFull();
    LogBuilder out(log.size + added.size() * 64);
    mergeInto(log, added, out);
    SplitLog check(out.bytes());
    if (out.failed() || !keepsEveryLine(log, check, added.size())) return lostLines();
    std::optional<std::string> backup;
    if (!disk->missing && !(backup = keepBackup(dir, disk->bytes, status))) return status;
    status = dir.replaceBytes(kLogFile, out.bytes(), kInsertSideFile, disk->stamp);
    // A backup of a log that was not replaced would be a change of its own.
    if (!status && backup && dir.readBytes(kLogFile) != out.bytes()) (void)dir.remove(*backup);
    return status;
}

bool legacyLogExists(const DataDir& dir) {
    return dir.exists(kLegacyLogFile);
}

Status CONV_RENZOKU(const DataDir& dir) {
    FileBytes legacy = dir.readFile(kLegacyLogFile);
    if (!legacy.status) return legacy.status;
    if (!legacy.bytes) return Status::failure(std::string(kLegacyLogFile), "ファイルがありません");
    SplitLog log(*legacy.bytes);
    LogBuilder out(log.size);
    for (const auto& line : log.lines) {
        if (line.record())
            out.put(line.record()->Date, line.record()->Situation, line.record()->Weight, "", "",
                    "");
        else
            out.keep(line);
    }
    if (out.failed())
        return Status::failure(std::string(kLegacyLogFile), "変換できない行があります");
    if (dir.exists(kLogFile)) {
        Status kept = dir.copy(kLogFile, dir.freeName(kBackupBase, ".txt"));
        if (!kept) return kept;
    }
    Status written = dir.writeBytes(kLogFile, out.bytes());
    if (!written) return written;
    return dir.rename(kLegacyLogFile, dir.freeName("連続体重bak", ".txt"));
}

}  // namespace core
