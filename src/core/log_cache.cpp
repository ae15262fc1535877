// The parsed log kept between views, keyed by the file's stamp.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <utility>

#include "core/fields.h"
#include "core/weight_log.h"

namespace core {
namespace {

// A file time stamp within this much of the moment the read began may be
// shared by a later write in the same clock tick; such a read is not trusted.
constexpr int64_t kRacyNanoseconds = 100'000'000;

// A log is known by its folder's path itself (on Windows its UTF-16 name: a
// narrow copy in the ANSI code page would give two Japanese folders one key)
// and its name without regard to letter case.
using CacheKey = std::pair<std::filesystem::path, std::string>;

CacheKey keyOf(const std::filesystem::path& folder, std::string_view name) {
    return {folder, foldAsciiCase(name)};
}

int64_t nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

int64_t latestTime(const FileStamp& s) {
    return std::max(s.modifiedSeconds * 1'000'000'000 + s.modifiedNanoseconds,
                    s.changedSeconds * 1'000'000'000 + s.changedNanoseconds);
}

struct Entry {
    FileStamp stamp;
    bool trusted = false;
    std::shared_ptr<const ParsedLog> log;
    std::shared_ptr<const LogRecords> records;  // made on first request
};

struct Cache {
    std::mutex lock;
    std::map<CacheKey, Entry> entries;
};

Cache& cache() {
    static Cache c;
    return c;
}

// The file read and parsed. When it holds the very bytes of `earlier` (read
// again because its stamp could not vouch for them), `earlier` is the parse;
// when it is `earlier` with lines added at its end (a weighing appended, by
// this program or by a sync), only they are parsed.
std::shared_ptr<const ParsedLog> readParsed(const DataDir& dir, std::string_view name,
                                            std::optional<FileStamp>* stamp,
                                            const std::shared_ptr<const ParsedLog>& earlier = {}) {
    FileBytes file = dir.readFile(name, stamp);
    if (file.bytes && earlier && earlier->status.ok() && !earlier->missing &&
        *file.bytes == earlier->bytes)
        return earlier;
    auto log = std::make_shared<ParsedLog>();
    log->missing = file.missing();
    log->status = file.status;
    if (!file.bytes) return log;
    if (earlier && continuesLog(*earlier, *file.bytes))
        parseAppendedLog(std::move(*file.bytes), *earlier, *log);
    else
        parseLogBytes(std::move(*file.bytes), *log);
    return log;
}

// The log, kept in `entry` unless the file is not to be kept (missing,
// unreadable, changing while read, or in a folder with a test's fault
// hook); read again unless its stamp is the one kept and trusted.
std::shared_ptr<const ParsedLog> freshLog(Cache& c, const DataDir& dir, std::string_view name,
                                          Entry*& entry) {
    entry = nullptr;
    if (dir.hasFaultHook()) return readParsed(dir, name, nullptr);
    CacheKey key = keyOf(dir.folder(), name);
    std::optional<FileStamp> now = dir.stamp(name);
    auto found = c.entries.find(key);
    if (now && found != c.entries.end() && found->second.trusted && found->second.stamp == *now) {
        entry = &found->second;
        return entry->log;
    }
    std::shared_ptr<const ParsedLog> earlier;
    std::shared_ptr<const LogRecords> earlierRecords;
    if (found != c.entries.end()) {
        earlier = found->second.log;
        earlierRecords = found->second.records;
        c.entries.erase(found);
    }
    int64_t began = nowNanoseconds();
    std::optional<FileStamp> read;
    std::shared_ptr<const ParsedLog> log = readParsed(dir, name, &read, earlier);
    if (!now || !read || !log->status.ok()) return log;
    entry = &c.entries[key];
    entry->stamp = *read;
    entry->trusted = dir.soleWriter() || latestTime(*read) < began - kRacyNanoseconds;
    entry->log = log;
    if (log == earlier) entry->records = earlierRecords;
    return log;
}

}  // namespace

// The file is read again on its next request; its parse stays, for the
// lines it shares with the file as written (an append adds to them).
void forgetCachedFile(const std::filesystem::path& folder, std::string_view name) {
    Cache& c = cache();
    std::lock_guard guard(c.lock);
    auto found = c.entries.find(keyOf(folder, name));
    if (found == c.entries.end()) return;
    found->second.trusted = false;
    found->second.records.reset();
}

void forgetCachedLogs() {
    Cache& c = cache();
    std::lock_guard guard(c.lock);
    c.entries.clear();
}

std::shared_ptr<const ParsedLog> parsedLog(const DataDir& dir, std::string_view name) {
    Cache& c = cache();
    std::lock_guard guard(c.lock);
    Entry* entry = nullptr;
    return freshLog(c, dir, name, entry);
}

std::shared_ptr<const ParsedLog> keptLog(const DataDir& dir, std::string_view bytes) {
    if (dir.hasFaultHook()) return nullptr;
    Cache& c = cache();
    std::lock_guard guard(c.lock);
    auto found = c.entries.find(keyOf(dir.folder(), kLogFile));
    // The bytes themselves, not the stamp: a parse kept from a read too
    // close to a write, which the stamp cannot vouch for, serves as well.
    if (found == c.entries.end() || found->second.log->bytes != bytes) return nullptr;
    return found->second.log;
}

namespace {
std::shared_ptr<const LogRecords> recordsOf(const ParsedLog& log) {
    auto out = std::make_shared<LogRecords>();
    out->records.reserve(log.records.size());
    for (const RecordView& r : log.records) out->records.push_back(r.toRecord());
    out->unreadableLines = log.unreadableLines;
    out->missing = log.missing;
    out->status = log.status;
    return out;
}
}  // namespace

std::shared_ptr<const LogRecords> sharedLogRecords(const DataDir& dir) {
    Cache& c = cache();
    std::lock_guard guard(c.lock);
    Entry* entry = nullptr;
    std::shared_ptr<const ParsedLog> log = freshLog(c, dir, kLogFile, entry);
    if (!entry) return recordsOf(*log);
    if (!entry->records) entry->records = recordsOf(*log);
    return entry->records;
}

}  // namespace core
