#include "core/weight_log.h"

#include <charconv>

#include "core/codepage.h"
#include "core/dates.h"
#include "core/fields.h"

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

bool parseWeight(std::string_view text, float& weight) {
    if (text.empty()) return false;
    if (text.front() == '+') text.remove_prefix(1);
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), weight);
    return ec == std::errc() && end == text.data() + text.size();
}

bool isBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// The records a log's bytes hold, counted as its lines that are not blank.
int countLines(std::string_view bytes) {
    int lines = 0;
    forEachLine(bytes, [&](std::string_view line) { lines += !isBlankLine(line); });
    return lines;
}

Status logFull() {
    return Status::failure(std::string(kLogFile), "記録できるのは 32767 件までです");
}

std::string joinLines(const std::vector<WeightRecord>& records) {
    std::string text;
    text.reserve(records.size() * 64);
    for (const auto& r : records) {
        WeightRecord copy{r.Date, r.Situation, r.Weight, r.Diary, "", ""};
        text += recordLine(copy);
    }
    return text;
}

// Rewrites the log line by line: `edit` turns each readable record into the
// text that replaces its line; unreadable lines are kept as they are.
template <typename Edit>
std::string rewriteLines(const std::string& text, Edit&& edit) {
    std::string out;
    out.reserve(text.size() + 128);
    std::vector<std::string_view> fields;
    forEachLine(text, [&](std::string_view line) {
        RecordView record;
        if (parseRecordLine(line, fields, record)) {
            edit(record, out);
        } else if (!isBlankLine(line)) {
            out += line;
            out += kLineEnd;
        }
    });
    return out;
}

}  // namespace

WeightRecord RecordView::toRecord() const {
    return WeightRecord{std::string(Date),  std::string(Situation), Weight,
                        std::string(Diary), std::string(Spare1),    std::string(Spare2)};
}

bool parseRecordLine(std::string_view line, std::vector<std::string_view>& fields,
                     RecordView& out) {
    if (line.find(kBadByteMark) != std::string_view::npos) return false;
    splitFields(line, fields);
    if (fields.size() < 3 || !isLogDate(fields[0]) || !parseWeight(fields[2], out.Weight))
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

LogScan::LogScan(const DataDir& dir, std::string_view name) {
    auto text = dir.readText(name);
    missing_ = !text.has_value();
    if (text) text_ = std::move(*text);
    rest_ = text_;
}

bool LogScan::next(RecordView& record) {
    while (!rest_.empty()) {
        size_t nl = rest_.find('\n');
        std::string_view line = rest_.substr(0, nl);
        rest_.remove_prefix(nl == std::string_view::npos ? rest_.size() : nl + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (parseRecordLine(line, fields_, record)) return true;
        if (!isBlankLine(line)) ++unreadable_;
    }
    return false;
}

std::optional<WeightRecord> readFirstRecord(const DataDir& dir) {
    std::vector<std::string_view> fields;
    for (size_t size = 4096;; size *= 4) {
        auto head = dir.readHead(kLogFile, size);
        if (!head) return std::nullopt;
        std::string text = decodeCp932(head->bytes);
        std::string_view rest = text;
        while (!rest.empty()) {
            size_t nl = rest.find('\n');
            if (nl == std::string_view::npos && !head->whole) break;  // cut off: read more
            std::string_view line = rest.substr(0, nl);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            RecordView record;
            if (parseRecordLine(line, fields, record)) return record.toRecord();
            rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
        }
        if (head->whole) return std::nullopt;
    }
}

Status APPEND_LOG(const DataDir& dir, const WeightRecord& record) {
    auto bytes = dir.readBytes(kLogFile);
    std::string text = recordLine(record);
    if (bytes) {
        if (countLines(*bytes) >= kMaxRecords) return logFull();
        // A last line without its line end must not run into the new one.
        if (!bytes->empty() && bytes->back() != '\n') text.insert(0, kLineEnd);
    }
    return dir.appendText(kLogFile, text);
}

Status INSERT_LOG(const DataDir& dir, const WeightRecord& record) {
    std::string text = dir.readText(kLogFile).value_or("");
    bool inserted = false;
    int count = 0;
    std::string out = rewriteLines(text, [&](const RecordView& read, std::string& out) {
        ++count;
        if (!inserted && read.Date > record.Date) {
            out +=
                recordLine(WeightRecord{record.Date, record.Situation, record.Weight, "", "", ""});
            inserted = true;
        }
        out += recordLine(WeightRecord{std::string(read.Date), std::string(read.Situation),
                                       read.Weight, std::string(read.Diary),
                                       std::string(read.Spare2), std::string(read.Spare2)});
    });
    if (count >= kMaxRecords) return logFull();
    if (!inserted)
        out += recordLine(WeightRecord{record.Date, record.Situation, record.Weight, "", "", ""});
    return dir.writeText(kLogFile, out, kInsertSideFile);
}

Status REWRITE_LOG(const DataDir& dir, const std::vector<WeightRecord>& records) {
    return dir.writeText(kLogFile, joinLines(records));
}

Status RESET_LOG(const DataDir& dir, const WeightRecord& first) {
    return dir.writeText(kLogFile, joinLines({first}));
}

Status renameSituationInLog(const DataDir& dir, std::string_view from, std::string_view to) {
    std::string text = dir.readText(kLogFile).value_or("");
    std::string out = rewriteLines(text, [&](const RecordView& read, std::string& out) {
        std::string_view situation = read.Situation == from ? to : read.Situation;
        out += recordLine(WeightRecord{std::string(read.Date), std::string(situation), read.Weight,
                                       std::string(read.Diary), "", ""});
    });
    return dir.writeText(kLogFile, out, kRenameSideFile);
}

bool legacyLogExists(const DataDir& dir) {
    return dir.exists(kLegacyLogFile);
}

Status CONV_RENZOKU(const DataDir& dir) {
    auto legacy = dir.readText(kLegacyLogFile);
    if (!legacy) return Status::failure(std::string(kLegacyLogFile), "ファイルを読めません");
    std::string out = rewriteLines(*legacy, [](const RecordView& read, std::string& out) {
        out += recordLine(WeightRecord{std::string(read.Date), std::string(read.Situation),
                                       read.Weight, "", "", ""});
    });
    if (dir.exists(kLogFile)) {
        Status kept = dir.copy(kLogFile, dir.freeName("データbak", ".txt"));
        if (!kept) return kept;
    }
    Status written = dir.writeText(kLogFile, out);
    if (!written) return written;
    return dir.rename(kLegacyLogFile, dir.freeName("連続体重bak", ".txt"));
}

}  // namespace core
