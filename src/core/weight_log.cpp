#include "core/weight_log.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "core/codepage.h"
#include "core/dates.h"
#include "core/fields.h"
#include "core/numbers.h"

namespace core {
namespace {

// "yyyy/mm/dd" and a real date; checked on every record, so by hand.
bool isLogDate(std::string_view t) {
    if (t.size() != 10 || t[4] != '/' || t[7] != '/') return false;
    auto digits = [&](size_t from, size_t count) {
        unsigned value = 0;
        for (size_t i = from; i < from + count; ++i) {
            if (t[i] < '0' || t[i] > '9') return -1;
            value = value * 10 + static_cast<unsigned>(t[i] - '0');
        }
        return static_cast<int>(value);
    };
    int y = digits(0, 4), m = digits(5, 2), d = digits(8, 2);
    if (y < 1000 || m < 0 || d < 0) return false;
    return Date{std::chrono::year(y), std::chrono::month(static_cast<unsigned>(m)),
                std::chrono::day(static_cast<unsigned>(d))}
        .ok();
}

// A weight as the log writes it; "nan", "inf" and numbers beyond a single's
// range (from_chars refuses those) are no weight.
bool parseWeight(std::string_view text, float& weight) {
    if (text.empty()) return false;
    if (text.front() == '+') text.remove_prefix(1);
    return readWholeFloat(text, weight) && std::isfinite(weight);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Every quoted field closes right before its comma or the end of the line,
// and no bare field holds a quote. A line where a lost line end joined two
// records fails this.
bool wellQuoted(std::string_view line) {
    size_t pos = 0;
    while (true) {
        while (pos < line.size() && isBlank(line[pos])) ++pos;
        if (pos < line.size() && line[pos] == '"') {
            size_t close = line.find('"', pos + 1);
            if (close == std::string_view::npos) return false;
            pos = close + 1;
            while (pos < line.size() && isBlank(line[pos])) ++pos;
            if (pos == line.size()) return true;
            if (line[pos] != ',') return false;
        } else {
            size_t comma = line.find(',', pos);
            if (line.substr(pos, comma - pos).find('"') != std::string_view::npos) return false;
            if (comma == std::string_view::npos) return true;
            pos = comma;
        }
        ++pos;
    }
}

Status logFull() {
    return Status::failure(std::string(kLogFile), "記録できるのは 32767 件までです");
}

Status cannotRead(const Status& read) {
    return Status::failure(std::string(kLogFile),
                           "読み込めないため、書き換えずにそのままにしました。" + read.reason());
}

// Why a record cannot be written as it is, or nullopt when it can.
std::optional<Status> refuseRecord(const WeightRecord& r) {
    auto refuse = [](std::string reason) {
        return Status::failure(std::string(kLogFile), std::move(reason));
    };
    if (!isLogDate(r.Date))
        return refuse("日付「" + r.Date + "」は yyyy/mm/dd の日付ではありません");
    if (!std::isfinite(r.Weight)) return refuse("体重が数値ではありません");
    for (const std::string* text : {&r.Situation, &r.Diary, &r.Spare1, &r.Spare2})
        if (!isStorableText(*text))
            return refuse("「" + *text +
                          "」には記録できない文字（\"、改行、Shift-JIS にない文字）があります");
    return std::nullopt;
}

bool parseCommonLine(std::string_view line, RecordView& out);

// One line of the log as it stands in the file: its bytes, its line end, and
// the record it holds when it is readable (its texts point into the
// SplitLog's decoded text).
struct LogLine {
    std::string_view raw;
    std::string_view end;
    std::optional<RecordView> record;
};

// Filled in place and never moved: a short text's views would not follow it.
struct SplitLog {
    SplitLog() = default;
    SplitLog(const SplitLog&) = delete;
    SplitLog& operator=(const SplitLog&) = delete;
    std::string text;
    std::vector<LogLine> lines;
    int32_t records = 0;
    int32_t others = 0;  // unreadable and blank lines
};

// The lines of the raw bytes and of their decoded text go in step: a line
// end is never part of a two-byte character, and decoding keeps it as it is.
void splitLog(std::string_view bytes, SplitLog& log) {
    bool clean = appendDecodedCp932(bytes, log.text);
    log.lines.reserve(bytes.size() / 40);
    std::vector<std::string_view> fields;
    std::string_view decoded = log.text;
    forEachRawLine(bytes, [&](std::string_view raw, std::string_view end) {
        std::string_view decodedEnd;
        std::string_view text = takeLine(decoded, decodedEnd);
        RecordView view;
        LogLine line{raw, end, std::nullopt};
        if ((clean && parseCommonLine(text, view)) || parseRecordLine(text, fields, view))
            line.record = view;
        ++(line.record ? log.records : log.others);
        log.lines.push_back(line);
    });
}

// The readable records of a log's bytes.
int32_t countRecords(std::string_view bytes) {
    std::string text;
    bool clean = appendDecodedCp932(bytes, text);
    std::vector<std::string_view> fields;
    RecordView view;
    int32_t records = 0;
    forEachLine(text, [&](std::string_view line) {
        records += (clean && parseCommonLine(line, view)) || parseRecordLine(line, fields, view);
    });
    return records;
}

// The new bytes of a rewritten log: kept lines as they were, records in the
// program's form. A kept last line without a line end gets one when more
// follows.
class LogBuilder {
  public:
    void keep(const LogLine& line) {
        separate();
        bytes_ += line.raw;
        bytes_ += line.end;
        open_ = line.end.empty();
    }
    void put(const WeightRecord& r) {
        put(r.Date, r.Situation, r.Weight, r.Diary, r.Spare1, r.Spare2);
    }
    void put(std::string_view date, std::string_view situation, float weight,
             std::string_view diary, std::string_view spare1, std::string_view spare2) {
        separate();
        line_.clear();
        LineWriter(line_)
            .text(date)
            .text(situation)
            .weight(weight)
            .text(diary)
            .text(spare1)
            .text(spare2)
            .end();
        if (!appendEncodedCp932(line_, bytes_)) failed_ = true;
    }
    bool failed() const { return failed_; }
    const std::string& bytes() const { return bytes_; }

  private:
    void separate() {
        if (open_) bytes_ += kLineEnd;
        open_ = false;
    }
    std::string bytes_;
    std::string line_;
    bool open_ = false;
    bool failed_ = false;
};

// Writes a rewritten log after checking that it holds exactly the records
// and other lines it should: a rewrite never loses a line by accident.
Status commitRewrite(const DataDir& dir, const LogBuilder& out, int32_t records, int32_t others,
                     std::string_view side) {
    SplitLog check;
    splitLog(out.bytes(), check);
    if (out.failed() || check.records != records || check.others != others)
        return Status::failure(std::string(kLogFile),
                               "書き換えた内容に記録の欠けが見つかったため、保存しませんでした");
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
    return file.bytes.value_or("");
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

// Rewrites the record at `index` among the readable records: `edit` gives
// its new form, or nullopt to remove it.
template <typename Edit>
Status rewriteRecordAt(const DataDir& dir, int32_t index, Edit&& edit) {
    Status status;
    auto bytes = bytesForRewrite(dir, status);
    if (!bytes) return status;
    SplitLog log;
    splitLog(*bytes, log);
    LogBuilder out;
    int32_t at = 0;
    int32_t records = log.records;
    bool found = false;
    for (const auto& line : log.lines) {
        if (!line.record || at++ != index) {
            out.keep(line);
            continue;
        }
        found = true;
        std::optional<WeightRecord> edited = edit(line.record->toRecord());
        if (edited)
            out.put(*edited);
        else
            --records;
    }
    if (!found)
        return Status::failure(
            std::string(kLogFile),
            std::to_string(static_cast<int64_t>(index) + 1) + " 件目の記録が見つかりません");
    return commitRewrite(dir, out, records, log.others, kInsertSideFile);
}

}  // namespace

WeightRecord RecordView::toRecord() const {
    return WeightRecord{std::string(Date),  std::string(Situation), Weight,
                        std::string(Diary), std::string(Spare1),    std::string(Spare2)};
}

bool parseRecordLine(std::string_view line, std::vector<std::string_view>& fields,
                     RecordView& out) {
    if (line.find(kBadByteMark) != std::string_view::npos || !wellQuoted(line)) return false;
    splitFields(line, fields);
    if (fields.size() < 3 || fields.size() > 6 || !isLogDate(fields[0]) ||
        !parseWeight(fields[2], out.Weight))
        return false;
    auto field = [&](size_t i) { return i < fields.size() ? fields[i] : std::string_view(); };
    out.Date = fields[0];
    out.Situation = fields[1];
    out.Diary = field(3);
    out.Spare1 = field(4);
    out.Spare2 = field(5);
    return true;
}

std::string recordLine(const WeightRecord& r) {
    std::string line;
    LineWriter(line)
        .text(r.Date)
        .text(r.Situation)
        .weight(r.Weight)
        .text(r.Diary)
        .text(r.Spare1)
        .text(r.Spare2)
        .end();
    return line;
}

namespace {

// The common form of a record line, read in one pass: every text quoted
// right at its comma, a bare weight. Returns false for anything else, which
// parseRecordLine then reads; for a line it takes it gives what
// parseRecordLine gives. The text must hold no kBadByteMark.
bool parseCommonLine(std::string_view line, RecordView& out) {
    const size_t n = line.size();
    const char* p = line.data();
    if (n < 18 || p[0] != '"' || p[11] != '"' || p[12] != ',' || p[13] != '"') return false;
    size_t close = line.find('"', 14);
    if (close == std::string_view::npos || close + 1 >= n || p[close + 1] != ',') return false;
    std::string_view date = line.substr(1, 10);
    if (!isLogDate(date)) return false;
    out.Date = date;
    out.Situation = line.substr(14, close - 14);
    size_t pos = close + 2;
    size_t comma = line.find(',', pos);
    std::string_view weight = line.substr(pos, comma - pos);
    if (weight.empty() || weight.front() == '+') return false;
    if (!readWholeFloat(weight, out.Weight) || !std::isfinite(out.Weight)) return false;
    std::string_view* texts[] = {&out.Diary, &out.Spare1, &out.Spare2};
    for (std::string_view* t : texts) *t = {};
    for (std::string_view* t : texts) {
        if (comma == std::string_view::npos) return true;
        pos = comma + 1;
        if (pos >= n || p[pos] != '"') return false;
        close = line.find('"', pos + 1);
        if (close == std::string_view::npos) return false;
        *t = line.substr(pos + 1, close - pos - 1);
        comma = close + 1 == n ? std::string_view::npos : close + 1;
        if (comma != std::string_view::npos && p[comma] != ',') return false;
    }
    return comma == std::string_view::npos;
}

}  // namespace

void parseLogBytes(std::string_view bytes, ParsedLog& out) {
    out.text.clear();
    out.records.clear();
    out.unreadableLines = 0;
    bool clean = appendDecodedCp932(bytes, out.text);
    out.records.reserve(bytes.size() / 40);
    std::vector<std::string_view> fields;
    std::string_view rest = out.text;
    RecordView record;
    while (!rest.empty()) {
        std::string_view end;
        std::string_view line = takeLine(rest, end);
        if ((clean && parseCommonLine(line, record)) || parseRecordLine(line, fields, record))
            out.records.push_back(record);
        else if (line.find_first_not_of(" \t") != std::string_view::npos)
            ++out.unreadableLines;
    }
}

LogScan::LogScan(const DataDir& dir, std::string_view name) : log_(parsedLog(dir, name)) {}

bool LogScan::next(RecordView& record) {
    if (at_ >= log_->records.size()) return false;
    record = log_->records[at_++];
    return true;
}

LogRecords readLogRecords(const DataDir& dir) {
    return *sharedLogRecords(dir);
}

std::optional<WeightRecord> readFirstRecord(const DataDir& dir) {
    std::vector<std::string_view> fields;
    for (size_t size = 4096;; size *= 4) {
        auto head = dir.readHead(kLogFile, size);
        if (!head) return std::nullopt;
        std::string text = decodeCp932(head->bytes);
        std::string_view rest = text;
        while (!rest.empty()) {
            size_t stop = rest.find_first_of("\r\n");
            if (stop == std::string_view::npos && !head->whole) break;  // cut off: read more
            std::string_view line = rest.substr(0, stop);
            RecordView record;
            if (parseRecordLine(line, fields, record)) return record.toRecord();
            rest.remove_prefix(stop == std::string_view::npos ? rest.size() : stop + 1);
        }
        if (head->whole) return std::nullopt;
    }
}

Status APPEND_LOG(const DataDir& dir, const WeightRecord& record) {
    if (auto refused = refuseRecord(record)) return *refused;
    Status status;
    auto bytes = bytesForRewrite(dir, status);
    if (!bytes) return status;
    if (countRecords(*bytes) >= kMaxRecords) return logFull();
    std::string text = recordLine(record);
    // A last line without its line end must not run into the new one.
    if (!bytes->empty() && bytes->back() != '\n' && bytes->back() != '\r') text.insert(0, kLineEnd);
    return dir.appendText(kLogFile, text);
}

Status INSERT_LOG(const DataDir& dir, const WeightRecord& record) {
    if (auto refused = refuseRecord(record)) return *refused;
    Status status;
    auto bytes = bytesForRewrite(dir, status);
    if (!bytes) return status;
    SplitLog log;
    splitLog(*bytes, log);
    if (log.records >= kMaxRecords) return logFull();
    const WeightRecord fresh{record.Date, record.Situation, record.Weight, "", "", ""};
    LogBuilder out;
    bool inserted = false;
    for (const auto& line : log.lines) {
        if (!line.record) {
            out.keep(line);
            continue;
        }
        const RecordView& read = *line.record;
        if (!inserted && read.Date > record.Date) {
            out.put(fresh);
            inserted = true;
        }
        out.put(read.Date, read.Situation, read.Weight, read.Diary, read.Spare2, read.Spare2);
    }
    if (!inserted) out.put(fresh);
    return commitRewrite(dir, out, log.records + 1, log.others, kInsertSideFile);
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
    if (!isStorableText(to))
        return Status::failure(
            std::string(kLogFile),
            "「" + std::string(to) +
                "」には記録できない文字（\"、改行、Shift-JIS にない文字）があります");
    Status status;
    auto bytes = bytesForRewrite(dir, status);
    if (!bytes) return status;
    SplitLog log;
    splitLog(*bytes, log);
    LogBuilder out;
    for (const auto& line : log.lines) {
        if (!line.record) {
            out.keep(line);
            continue;
        }
        const RecordView& read = *line.record;
        std::string_view situation = read.Situation == from ? to : read.Situation;
        out.put(read.Date, situation, read.Weight, read.Diary, "", "");
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

bool legacyLogExists(const DataDir& dir) {
    return dir.exists(kLegacyLogFile);
}

Status CONV_RENZOKU(const DataDir& dir) {
    FileBytes legacy = dir.readFile(kLegacyLogFile);
    if (!legacy.status) return legacy.status;
    if (!legacy.bytes) return Status::failure(std::string(kLegacyLogFile), "ファイルがありません");
    SplitLog log;
    splitLog(*legacy.bytes, log);
    LogBuilder out;
    for (const auto& line : log.lines) {
        if (line.record)
            out.put(line.record->Date, line.record->Situation, line.record->Weight, "", "", "");
        else
            out.keep(line);
    }
    if (out.failed())
        return Status::failure(std::string(kLegacyLogFile), "変換できない行があります");
    if (dir.exists(kLogFile)) {
        Status kept = dir.copy(kLogFile, dir.freeName("データbak", ".txt"));
        if (!kept) return kept;
    }
    Status written = dir.writeBytes(kLogFile, out.bytes());
    if (!written) return written;
    return dir.rename(kLegacyLogFile, dir.freeName("連続体重bak", ".txt"));
}

}  // namespace core
