// Writing the weight log: a weighing appended or inserted in date order, a
// record edited or removed, a situation renamed, the whole log written anew,
// each rewrite checked to hold every line it should before it is written.
#include "core/log_internal.h"

#include <bit>
#include <cmath>

#include "core/codepage.h"

namespace core {

using namespace log_internal;

namespace {

// Whether the rewritten bytes hold `records` records and `others` other
// lines. The lines copied keep what they were as long as each still stands
// alone: a line end is never split, and two copied lines run together only
// when a bare CR meets the LF of an empty line, which the number of lines
// tells. The lines written anew are read again one by one, by the full
// reader. A rewrite that wrote a quarter of its lines anew or more is read
// again whole.
bool holdsEveryLine(LogBuilder& out, int32_t records, int32_t others) {
    if (out.written().size() * 4 > static_cast<size_t>(records) + static_cast<size_t>(others)) {
        LineCounts counts = countLines(out.bytes());
        return counts.records == records && counts.others == others;
    }
    const std::string& bytes = out.bytes();
    if (countLogLines(bytes) != static_cast<size_t>(records) + static_cast<size_t>(others))
        return false;
    // Each line written anew is read back as the log's readers will read it.
    DecodedTexts texts(bytes);
    LineReader reader(bytes, texts);
    for (auto [start, size] : out.written()) {
        const LineReader::Line line = reader.read(start);
        if (!line.record || line.raw.size() != size) return false;
    }
    return true;
}

// Writes a rewritten log after checking that it holds exactly the records
// and other lines it should: a rewrite never loses a line by accident. With
// `whenRead`, only while the log is still as it was read.
Status commitRewrite(const DataDir& dir, LogBuilder& out, int32_t records, int32_t others,
                     std::string_view side, const std::optional<FileStamp>* whenRead = nullptr) {
    if (out.failed() || !holdsEveryLine(out, records, others)) return lostLines();
    if (whenRead) return dir.replaceBytes(kLogFile, out.bytes(), side, *whenRead);
    return dir.writeBytes(kLogFile, out.bytes(), side);
}

// The log's bytes for a rewrite: "" when it is missing, nullopt (with the
// reason in `status`) when it exists but cannot be read.
std::optional<std::string> bytesForRewrite(const DataDir& dir, Status& status) {
    FileBytes file = dir.readFile(kLogFile);
    if (!file.status.ok()) {
        status = cannotRead(file.status);
        return std::nullopt;
    }
    return std::move(file.bytes).value_or("");
}

std::string joinLines(const std::vector<WeightRecord>& records) {
    std::string text;
    text.reserve(records.size() * 64);
    for (const auto& r : records)
        LineWriter(text)
            .text(r.Date)
            .text(r.Situation)
            .weight(r.Weight)
            .text(r.Diary)
            .text("")
            .text("")
            .end();
    return text;
}

std::optional<Status> refuseAny(const std::vector<WeightRecord>& records) {
    for (const auto& r : records)
        if (auto refused = refuseRecord(r)) return refused;
    return std::nullopt;
}

// The record still holds what was shown of it; the weight is the same float.
bool isShown(const RecordView& r, const ShownRecord& shown) {
    return r.Date == shown.Date && r.Situation == shown.Situation && r.Diary == shown.Diary &&
           std::bit_cast<uint32_t>(r.Weight) == std::bit_cast<uint32_t>(shown.Weight);
}

// Rewrites the record at `index` among the readable records: `edit` gives
// its new form, or nullopt to remove it. With `shown`, the record must still
// hold what was shown of it, and the log must still be as read (`whenRead`)
// when the new one takes its name.
template <typename Edit>
Status rewriteLines(const DataDir& dir, const SplitLog& log, int32_t index, Edit&& edit,
                    const ShownRecord* shown, const std::optional<FileStamp>* whenRead) {
    LogBuilder out(log.size);
    int32_t at = 0;
    int32_t records = log.records;
    bool found = false;
    for (const auto& line : log.lines) {
        if (!line.record() || at++ != index) {
            out.keep(line);
            continue;
        }
        if (shown && !isShown(*line.record(), *shown)) return logChanged();
        found = true;
        std::optional<WeightRecord> edited = edit(line.record()->toRecord());
        if (edited)
            out.put(*edited);
        else
            --records;
    }
    if (!found && shown) return logChanged();
    if (!found)
        return Status::failure(
            std::string(kLogFile),
            std::to_string(static_cast<int64_t>(index) + 1) + " 件目の記録が見つかりません");
    return commitRewrite(dir, out, records, log.others, kInsertSideFile, whenRead);
}

template <typename Edit>
Status rewriteRecordAt(const DataDir& dir, int32_t index, Edit&& edit) {
    Status status;
    auto bytes = bytesForRewrite(dir, status);
    if (!bytes) return status;
    SplitLog log(*bytes);
    return rewriteLines(dir, log, index, edit, nullptr, nullptr);
}

template <typename Edit>
Status rewriteShownRecord(const DataDir& dir, const ShownRecord& shown, Edit&& edit) {
    Status status;
    auto disk = readLogOnDisk(dir, status);
    if (!disk) return status;
    SplitLog log(disk->bytes);
    return rewriteLines(dir, log, shown.index, edit, &shown, &disk->stamp);
}

// Adds a record at the end of a log of these bytes holding `records` records.
Status appendAfter(const DataDir& dir, std::string_view bytes, int32_t records,
                   const WeightRecord& record) {
    if (auto refused = refuseRecord(record)) return *refused;
    if (records >= kMaxRecords) return logFull();
    std::string text = recordLine(record);
    // A last line without its line end must not run into the new one.
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') text.insert(0, kLineEnd);
    return dir.appendText(kLogFile, text);
}

// Inserts a back-dated record into the log read as `log`.
Status insertInto(const DataDir& dir, const SplitLog& log, const WeightRecord& record,
                  const std::optional<FileStamp>* whenRead) {
    if (auto refused = refuseRecord(record)) return *refused;
    if (log.records >= kMaxRecords) return logFull();
    const WeightRecord fresh{record.Date, record.Situation, record.Weight, "", "", ""};
    LogBuilder out(log.size);
    bool inserted = false;
    for (const auto& line : log.lines) {
        if (!line.record()) {
            out.keep(line);
            continue;
        }
        const RecordView& read = *line.record();
        if (!inserted && read.Date > record.Date) {
            out.put(fresh);
            inserted = true;
        }
        if (line.plain && read.Spare1 == read.Spare2)
            out.keep(line);
        else
            out.put(read.Date, read.Situation, read.Weight, read.Diary, read.Spare2, read.Spare2);
    }
    if (!inserted) out.put(fresh);
    return commitRewrite(dir, out, log.records + 1, log.others, kInsertSideFile, whenRead);
}

const RecordView* lastRecord(const SplitLog& log) {
    for (auto line = log.lines.rbegin(); line != log.lines.rend(); ++line)
        if (line->record()) return line->record();
    return nullptr;
}

// One attempt at saveWeighing; changedUnderneath when the log changed while
// it was saved.
Status saveWeighingOnce(const DataDir& dir, WeightRecord record, std::string_view time) {
    Status status;
    auto disk = readLogOnDisk(dir, status);
    if (!disk) return status;
    auto append = [&](int32_t records) {
        record.Diary = std::string(time);
        if (dir.stamp(kLogFile) != disk->stamp) return logChanged();
        return appendAfter(dir, disk->bytes, records, record);
    };
    // The bytes just read are the ones last parsed (the usual case: the day
    // was drawn from them): their records tell that the weighing goes at the
    // end, and how many there are, without parsing them again.
    if (auto kept = keptLog(dir, disk->bytes);
        kept && (kept->records.empty() || kept->records.back().Date <= record.Date))
        return append(static_cast<int32_t>(kept->records.size()));
    SplitLog log(disk->bytes, FindPlain::Yes);
    const RecordView* last = lastRecord(log);
    if (last && last->Date > record.Date) return insertInto(dir, log, record, &disk->stamp);
    return append(log.records);
}

}  // namespace

namespace log_internal {

Status logFull() {
    return Status::failure(std::string(kLogFile), "記録できるのは 32767 件までです");
}

Status logChanged() {
    return Status::changed(std::string(kLogFile), std::string(kChangedReason));
}

Status cannotRead(const Status& read) {
    return Status::failure(std::string(kLogFile),
                           "読み込めないため、書き換えずにそのままにしました。" + read.reason());
}

Status lostLines() {
    return Status::failure(std::string(kLogFile),
                           "書き換えた内容に記録の欠けが見つかったため、保存しませんでした");
}

std::optional<LogOnDisk> readLogOnDisk(const DataDir& dir, Status& status) {
    std::optional<FileStamp> stamp;
    FileBytes file = dir.readFile(kLogFile, &stamp);
    if (!file.status.ok()) {
        status = cannotRead(file.status);
        return std::nullopt;
    }
    if (file.bytes && !stamp) {
        status = logChanged();
        return std::nullopt;
    }
    const bool missing = file.missing();
    return LogOnDisk{std::move(file.bytes).value_or(""), stamp, missing};
}

}  // namespace log_internal

Status APPEND_LOG(const DataDir& dir, const WeightRecord& record) {
    if (auto refused = refuseRecord(record)) return *refused;
    Status status;
    auto bytes = bytesForRewrite(dir, status);
    if (!bytes) return status;
    return appendAfter(dir, *bytes, countRecords(*bytes), record);
}

Status INSERT_LOG(const DataDir& dir, const WeightRecord& record) {
    if (auto refused = refuseRecord(record)) return *refused;
    Status status;
    auto bytes = bytesForRewrite(dir, status);
    if (!bytes) return status;
    SplitLog log(*bytes, FindPlain::Yes);
    return insertInto(dir, log, record, nullptr);
}

Status saveWeighing(const DataDir& dir, const WeightRecord& record,
                    std::string_view timeIfAppended) {
    Status status;
    for (int attempt = 0; attempt < 3; ++attempt) {
        status = saveWeighingOnce(dir, record, timeIfAppended);
        if (!status.changedUnderneath()) break;
    }
    return status;
}

Status REWRITE_LOG(const DataDir& dir, const std::vector<WeightRecord>& records) {
    if (auto refused = refuseAny(records)) return *refused;
    return dir.writeText(kLogFile, joinLines(records));
}

Status RESET_LOG(const DataDir& dir, const WeightRecord& first) {
    if (auto refused = refuseRecord(first)) return *refused;
    return dir.writeText(kLogFile, joinLines({first}));
}

Status renameSituationInLog(const DataDir& dir, std::string_view from, std::string_view to) {
    std::optional<std::string> toBytes = encodeCp932(to);
    if (!toBytes || !isStorableText(to))
        return Status::failure(
            std::string(kLogFile),
            "「" + std::string(to) +
                "」には記録できない文字（\"、改行、Shift-JIS にない文字）があります");
    Status status;
    auto bytes = bytesForRewrite(dir, status);
    if (!bytes) return status;
    SplitLog log(*bytes, FindPlain::Yes);
    // A plain line's situation stands right after "yyyy/mm/dd"," in the
    // bytes of its text.
    constexpr size_t kSituationAt = 14;
    const size_t fromSize = encodeCp932(from).value_or("").size();
    LogBuilder out(log.size);
    for (const auto& line : log.lines) {
        if (!line.record()) {
            out.keep(line);
            continue;
        }
        const RecordView& read = *line.record();
        const bool spareEmpty = read.Spare1.empty() && read.Spare2.empty();
        if (line.plain && spareEmpty && read.Situation != from)
            out.keep(line);
        else if (line.plain && spareEmpty)
            out.splice(line, kSituationAt, fromSize, *toBytes);
        else
            out.put(read.Date, read.Situation == from ? to : read.Situation, read.Weight,
                    read.Diary, "", "");
    }
    return commitRewrite(dir, out, log.records, log.others, kRenameSideFile);
}

Status replaceDiary(const DataDir& dir, int32_t index, std::string_view diary) {
    if (!isStorableText(diary))
        return Status::failure(std::string(kLogFile),
                               "一言日記には \"、改行、Shift-JIS にない文字は使えません");
    return rewriteRecordAt(dir, index, [&](WeightRecord r) -> std::optional<WeightRecord> {
        r.Diary = std::string(diary);
        return r;
    });
}

Status replaceWeight(const DataDir& dir, int32_t index, float weight) {
    if (!std::isfinite(weight))
        return Status::failure(std::string(kLogFile), "体重が数値ではありません");
    return rewriteRecordAt(dir, index, [&](WeightRecord r) -> std::optional<WeightRecord> {
        r.Weight = weight;
        return r;
    });
}

Status removeRecord(const DataDir& dir, int32_t index) {
    return rewriteRecordAt(dir, index,
                           [](const WeightRecord&) -> std::optional<WeightRecord> { return {}; });
}

Status replaceDiary(const DataDir& dir, const ShownRecord& shown, std::string_view diary) {
    if (!isStorableText(diary))
        return Status::failure(std::string(kLogFile),
                               "一言日記には \"、改行、Shift-JIS にない文字は使えません");
    return rewriteShownRecord(dir, shown, [&](WeightRecord r) -> std::optional<WeightRecord> {
        r.Diary = std::string(diary);
        return r;
    });
}

Status replaceWeight(const DataDir& dir, const ShownRecord& shown, float weight) {
    if (!std::isfinite(weight))
        return Status::failure(std::string(kLogFile), "体重が数値ではありません");
    return rewriteShownRecord(dir, shown, [&](WeightRecord r) -> std::optional<WeightRecord> {
        r.Weight = weight;
        return r;
    });
}

Status removeRecord(const DataDir& dir, const ShownRecord& shown) {
    return rewriteShownRecord(
        dir, shown, [](const WeightRecord&) -> std::optional<WeightRecord> { return {}; });
}

}  // namespace core
