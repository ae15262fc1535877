#include "core/weight_log.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>

#include "core/codepage.h"
#include "core/dates.h"
#include "core/fields.h"
#include "core/numbers.h"
#include "core/structural_index.h"

namespace core {
namespace {

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

Status logChanged() {
    return Status::changed(std::string(kLogFile), std::string(kChangedReason));
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
    if (!isPlainDate(r.Date))
        return refuse("日付「" + r.Date + "」は yyyy/mm/dd の日付ではありません");
    if (!std::isfinite(r.Weight)) return refuse("体重が数値ではありません");
    for (const std::string* text : {&r.Situation, &r.Diary, &r.Spare1, &r.Spare2})
        if (!isStorableText(*text))
            return refuse("「" + *text +
                          "」には記録できない文字（\"、改行、Shift-JIS にない文字）があります");
    return std::nullopt;
}

enum class LineRead { Record, Unreadable, Uncommon };

// A weight as the program writes most of them, one to three digits, a point
// and one digit, read as readWholeFloat reads it (the same division); false
// for any other text.
bool readShortWeight(const char* p, size_t size, float& weight) {
    if (size < 3 || size > 5 || p[size - 2] != '.') return false;
    uint32_t digits = 0;
    for (size_t i = 0; i < size; ++i) {
        if (i == size - 2) continue;
        auto digit = static_cast<uint32_t>(static_cast<unsigned char>(p[i]) - '0');
        if (digit > 9) return false;
        digits = digits * 10 + digit;
    }
    weight = static_cast<float>(digits) / 10.0f;
    return true;
}

bool readBareWeight(std::string_view text, float& weight) {
    if (readShortWeight(text.data(), text.size(), weight)) return true;
    return !text.empty() && text.front() != '+' && readWholeFloat(text, weight) &&
           std::isfinite(weight);
}

// The text of the field of raw bytes `raw` that starts at `from`.
[[gnu::always_inline]] inline std::string_view fieldText(const StructuralIndex& index,
                                                         DecodedTexts& texts, std::string_view raw,
                                                         size_t from, bool& clean, bool& plain) {
    if (raw.empty()) return raw;
    return texts.text(raw, !index.anyHigh(from, from + raw.size()), clean, plain);
}

// The raw bytes of a line in the common form: its weight and its texts
// (situation, diary, spare fields; missing ones empty) as they stand in the
// file, and how many fields it has.
struct RawFields {
    std::string_view weight;
    std::array<std::string_view, 4> texts;
    int count = 0;
    bool plainTexts = false;  // as DecodedTexts::text tells
};

// The common form of a record line, read from the structural index:
// "yyyy/mm/dd","situation",weight and up to three more texts, every text
// quoted right at its commas and the weight bare. On Record and Unreadable (a
// line in this form with a byte that is not Shift-JIS) `pos` is left at the
// line's end; Uncommon leaves the line to parseRecordLine, which reads it the
// same when it is in this form. The byte at the end of `bytes` is readable
// (a std::string's terminating null), and no position the walk gives lies
// beyond it.
// `out` holds the last record read, whose date (a real one) needs no second
// check when the next line repeats it.
LineRead readCommonLine(const StructuralIndex& index, const std::string& bytes, size_t& pos,
                        DecodedTexts& texts, RecordView& out, RawFields& raw) {
    const char* const b = bytes.data();
    const char* q = b + pos;
    if (bytes.size() - pos < 18 || q[0] != '"' || q[11] != '"' || q[12] != ',' || q[13] != '"')
        return LineRead::Uncommon;
    std::string_view date(q + 1, 10);
    if (!sameDateText(date, out.Date) && !isPlainDate(date)) return LineRead::Uncommon;
    StructuralCursor walk = index.at(pos + 14);
    const size_t close = walk.next();  // of the situation
    if (b[close] != '"' || b[close + 1] != ',') return LineRead::Uncommon;
    size_t at = walk.next();         // the next text's opening quote, or the line's end
    const bool more = b[at] == '"';  // after a comma
    const size_t weightEnd = more ? at - 1 : at;
    if ((more && b[weightEnd] != ',') || weightEnd < close + 2) return LineRead::Uncommon;
    if (!readBareWeight(std::string_view(b + close + 2, weightEnd - close - 2), out.Weight))
        return LineRead::Uncommon;
    size_t first[3] = {}, last[3] = {};
    int i = 0;
    for (; b[at] == '"'; ++i) {
        if (i == 3) return LineRead::Uncommon;
        first[i] = at + 1;
        last[i] = walk.next();
        at = walk.next();
        // Closed right before the line's end, or before a comma and the next text.
        if (b[last[i]] != '"' ||
            (at == last[i] + 1 ? b[at] == '"'
                               : at != last[i] + 2 || b[at - 1] != ',' || b[at] != '"'))
            return LineRead::Uncommon;
    }
    bool clean = true, plain = true;
    const size_t situation = pos + 14;
    raw.weight = {b + close + 2, weightEnd - close - 2};
    raw.texts = {std::string_view(b + situation, close - situation),
                 {b + first[0], last[0] - first[0]},
                 {b + first[1], last[1] - first[1]},
                 {b + first[2], last[2] - first[2]}};
    raw.count = 3 + i;
    out.Date = date;
    out.Situation = fieldText(index, texts, raw.texts[0], situation, clean, plain);
    out.Diary = fieldText(index, texts, raw.texts[1], first[0], clean, plain);
    out.Spare1 = fieldText(index, texts, raw.texts[2], first[1], clean, plain);
    out.Spare2 = fieldText(index, texts, raw.texts[3], first[2], clean, plain);
    raw.plainTexts = plain;
    pos = at;
    return clean ? LineRead::Record : LineRead::Unreadable;
}

// The line end at `pos`, which is a line end or the end of the bytes.
std::string_view lineEndAt(std::string_view bytes, size_t pos) {
    if (pos == bytes.size()) return {};
    bool crlf = bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n';
    return bytes.substr(pos, crlf ? 2 : 1);
}

bool isAscii(std::string_view text) {
    unsigned char high = 0;
    for (char c : text) high |= static_cast<unsigned char>(c);
    return high < 0x80;
}

// Reads the lines of a log's raw bytes as every reader of the log reads
// them: a line ends at CR LF, a bare LF, a bare CR (old editors end lines
// so), or the end of an unended last line. The records' texts point into
// `bytes` or `texts`.
class LineReader {
  public:
    LineReader(const std::string& bytes, DecodedTexts& texts)
        : bytes_(bytes), index_(bytes), texts_(texts) {}

    struct Line {
        std::string_view raw, end;
        const RecordView* record;  // the record it holds, or nullptr
        const RawFields* common;   // its raw fields when it is a record in the common form
    };
    // The line that starts at `pos`; what it points to lasts until the next read.
    Line read(size_t pos) {
        const size_t start = pos;
        LineRead read = readCommonLine(index_, bytes_, pos, texts_, record_, raw_);
        const bool common = read == LineRead::Record;
        std::string_view line, lineEnd;
        if (read == LineRead::Uncommon) {
            std::string_view rest = std::string_view(bytes_).substr(start);
            line = takeLine(rest, lineEnd);
            bool clean = true, plain = true;
            std::string_view text = texts_.text(line, isAscii(line), clean, plain);
            read =
                parseRecordLine(text, fields_, record_) ? LineRead::Record : LineRead::Unreadable;
        } else {
            line = std::string_view(bytes_).substr(start, pos - start);
            lineEnd = lineEndAt(bytes_, pos);
        }
        return {line, lineEnd, read == LineRead::Record ? &record_ : nullptr,
                common ? &raw_ : nullptr};
    }

  private:
    const std::string& bytes_;
    StructuralIndex index_;
    DecodedTexts& texts_;
    std::vector<std::string_view> fields_;
    RecordView record_;
    RawFields raw_;
};

// Walks the lines of a log's raw bytes: f(line, its line end, the record it
// holds or nullptr, its raw fields when it is a record in the common form or
// nullptr).
template <typename F>
void forEachLogLine(const std::string& bytes, DecodedTexts& texts, F&& f) {
    LineReader reader(bytes, texts);
    for (size_t pos = 0; pos < bytes.size();) {
        const LineReader::Line line = reader.read(pos);
        f(line.raw, line.end, line.record, line.common);
        pos += line.raw.size() + line.end.size();
    }
}

bool isBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// One line of the log as it stands in the file: its bytes, the size of its
// line end (which follows them), the record it holds when it is readable, and
// whether its bytes are exactly what writing that record again gives
// (`plain`), so that a rewrite that keeps the record as it is copies the
// bytes instead. A save goes through a whole log's table of them twice,
// so a line is kept small.
struct LogLine {
    std::string_view raw;
    RecordView held;
    uint8_t endSize = 0;
    bool readable = false;
    bool plain = false;

    const RecordView* record() const { return readable ? &held : nullptr; }
};

// Tells whether a record line in the common form is already exactly as the
// program writes that record: six fields, CR LF, the weight in its shortest
// form, and plain texts (DecodedTexts::text). The answers for the weights
// seen are kept, for a log repeats them on line after line.
class PlainLines {
  public:
    bool plain(const RawFields& raw, const RecordView& r, std::string_view end) {
        // A line end of two bytes is CR LF.
        return raw.count == 6 && raw.plainTexts && end.size() == kLineEnd.size() &&
               plainWeight(raw.weight, r.Weight);
    }

  private:
    bool plainWeight(std::string_view raw, float weight) {
        if (raw.size() > 8) return false;
        uint64_t text = 0;
        std::memcpy(&text, raw.data(), raw.size());
        const auto bits = std::bit_cast<uint32_t>(weight);
        WeightSeen& seen = weights_[(bits * 0x9E3779B1u) >> 22];
        if (!seen.used || seen.bits != bits || seen.text != text)
            seen = {bits, text, shortestText(weight) == raw, true};
        return seen.plain;
    }
    struct WeightSeen {
        uint32_t bits = 0;
        uint64_t text = 0;
        bool plain = false;
        bool used = false;
    };
    std::array<WeightSeen, 1024> weights_{};
};

// The line table of this thread's last split log, kept for the next one: a
// full log's table is megabytes that would otherwise be mapped afresh, page
// by page, on every save. A huge one is not kept.
thread_local std::vector<LogLine> spareLines;
constexpr size_t kKeptLines = size_t{1} << 20;

// A log's bytes split into lines, each with the record it holds, and, for
// a rewrite that may copy records as they are, whether each is plain.
enum class FindPlain { No, Yes };

struct SplitLog {
    explicit SplitLog(const std::string& bytes, FindPlain find = FindPlain::No)
        : texts(bytes, find == FindPlain::Yes), size(bytes.size()) {
        lines.swap(spareLines);
        lines.clear();
        lines.reserve(bytes.size() / 40);
        PlainLines plain;
        forEachLogLine(
            bytes, texts,
            [&](std::string_view line, std::string_view end, const RecordView* r,
                const RawFields* raw) {
                const bool isPlain = raw && find == FindPlain::Yes && plain.plain(*raw, *r, end);
                lines.push_back({line, r ? *r : RecordView{}, static_cast<uint8_t>(end.size()),
                                 r != nullptr, isPlain});
                ++(r ? records : others);
            });
    }
    ~SplitLog() {
        if (lines.capacity() <= spareLines.capacity() || lines.capacity() > kKeptLines) return;
        lines.clear();
        spareLines.swap(lines);
    }
    SplitLog(const SplitLog&) = delete;
    SplitLog& operator=(const SplitLog&) = delete;
    DecodedTexts texts;
    size_t size;  // of the bytes
    std::vector<LogLine> lines;
    int32_t records = 0;
    int32_t others = 0;  // unreadable and blank lines
};

// The readable records of a log's bytes and its other lines, blank ones
// included.
struct LineCounts {
    int32_t records = 0;
    int32_t others = 0;
};

LineCounts countLines(const std::string& bytes) {
    DecodedTexts texts(bytes);
    LineCounts counts;
    forEachLogLine(bytes, texts,
                   [&](std::string_view, std::string_view, const RecordView* r, const RawFields*) {
                       ++(r ? counts.records : counts.others);
                   });
    return counts;
}

int32_t countRecords(const std::string& bytes) {
    return countLines(bytes).records;
}

// The new bytes of a rewritten log: kept lines as they were, records in the
// program's form. A kept last line without a line end gets one when more
// follows.
class LogBuilder {
  public:
    // Room for the bytes of a log of `size` bytes rewritten, and a few lines more.
    explicit LogBuilder(size_t size) { bytes_.reserve(size + 1024); }
    // Kept lines that follow one another in the old bytes are copied in one
    // piece, when a line written anew or the end comes.
    void keep(const LogLine& line) {
        const size_t size = line.raw.size() + line.endSize;
        if (keptSize_ > 0 && kept_ + keptSize_ == line.raw.data()) {
            keptSize_ += size;
        } else {
            copyKept();
            separate();
            kept_ = line.raw.data();
            keptSize_ = size;
        }
        open_ = line.endSize == 0;
    }
    void put(const WeightRecord& r) {
        put(r.Date, r.Situation, r.Weight, r.Diary, r.Spare1, r.Spare2);
    }
    void put(std::string_view date, std::string_view situation, float weight,
             std::string_view diary, std::string_view spare1, std::string_view spare2) {
        copyKept();
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
        const size_t start = bytes_.size();
        if (appendEncodedCp932(line_, bytes_))
            written_.emplace_back(start, bytes_.size() - start - kLineEnd.size());
        else
            failed_ = true;
    }
    // A plain line with the bytes [at, at + size) of its raw line replaced by
    // `bytes`; the record it then holds is written anew.
    void splice(const LogLine& line, size_t at, size_t size, std::string_view bytes) {
        copyKept();
        separate();
        const size_t start = bytes_.size();
        bytes_.append(line.raw.substr(0, at)).append(bytes).append(line.raw.substr(at + size));
        written_.emplace_back(start, bytes_.size() - start);
        bytes_ += kLineEnd;
    }
    bool failed() const { return failed_; }
    const std::string& bytes() {
        copyKept();
        return bytes_;
    }
    // Where the lines written anew stand in the bytes, without their line ends.
    const std::vector<std::pair<size_t, size_t>>& written() const { return written_; }

  private:
    void separate() {
        if (open_) bytes_ += kLineEnd;
        open_ = false;
    }
    void copyKept() {
        if (keptSize_ == 0) return;
        bytes_.append(kept_, keptSize_);
        keptSize_ = 0;
    }
    std::string bytes_;
    const char* kept_ = nullptr;  // the kept lines not copied yet
    size_t keptSize_ = 0;
    std::string line_;
    std::vector<std::pair<size_t, size_t>> written_;  // start, size
    bool open_ = false;
    bool failed_ = false;
};

Status lostLines() {
    return Status::failure(std::string(kLogFile),
                           "書き換えた内容に記録の欠けが見つかったため、保存しませんでした");
}

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

// The log as it is on disk, for a rewrite that must not overwrite a change
// made after it was read: its bytes ("" when it is missing) and their stamp
// (nullopt when it is missing). Nullopt, with the reason in `status`, when it
// cannot be read or changed while it was read.
struct LogOnDisk {
    std::string bytes;
    std::optional<FileStamp> stamp;
    bool missing = false;
};

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

// An imported record as the log keeps it.
WeightRecord imported(const WeightRecord& r) {
    return WeightRecord{r.Date, r.Situation, r.Weight, "", "", ""};
}

// The merged log: every line of `log` as it was, the added records between
// them as inserted one after another.
void mergeInto(const SplitLog& log, const std::vector<WeightRecord>& added, LogBuilder& out) {
    std::vector<const WeightRecord*> byDate;
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

WeightRecord RecordView::toRecord() const {
    return WeightRecord{std::string(Date),  std::string(Situation), Weight,
                        std::string(Diary), std::string(Spare1),    std::string(Spare2)};
}

bool parseRecordLine(std::string_view line, std::vector<std::string_view>& fields,
                     RecordView& out) {
    if (line.find(kBadByteMark) != std::string_view::npos || !wellQuoted(line)) return false;
    splitFields(line, fields);
    if (fields.size() < 3 || fields.size() > 6 || !isPlainDate(fields[0]) ||
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

DecodedTexts::DecodedTexts(std::string_view bytes, bool findPlain)
    : begin_(bytes.data()),
      buffer_(new char[decodedCp932Bound(bytes.size())]),
      end_(buffer_.get()),
      keepsAscii_(cp932KeepsAscii()),
      findPlain_(findPlain) {}

DecodedTexts::Key DecodedTexts::keyOf(std::string_view raw) const {
    Key key;
    const size_t size = raw.size();
    if (size >= 8) {
        std::memcpy(&key.head, raw.data(), 8);
        std::memcpy(&key.tail, raw.data() + size - 8, 8);
    } else if (size > 0 && raw.data() + size - begin_ >= 8) {
        // The eight bytes that end with the text, the bytes before it shifted out.
        std::memcpy(&key.head, raw.data() + size - 8, 8);
        key.head = std::endian::native == std::endian::little ? key.head >> (8 * (8 - size))
                                                              : key.head << (8 * (8 - size));
    } else {
        for (size_t i = 0; i < size; ++i)
            key.head |= uint64_t{static_cast<unsigned char>(raw[i])} << (8 * i);
    }
    return key;
}

std::string_view DecodedTexts::decoded(std::string_view raw, bool& clean, bool& plain) {
    const Key key = keyOf(raw);
    uint64_t hash = (key.head ^ (key.tail * 31) ^ raw.size()) * 0x9E3779B97F4A7C15ull;
    Decoding* pair = &recent_[(hash >> 56) & ~uint64_t{1}];
    auto same = [&](const Decoding& d) {
        return d.raw.size() == raw.size() && d.key == key &&
               (raw.size() <= 16 || std::memcmp(raw.data(), d.raw.data(), raw.size()) == 0);
    };
    bool seen = same(pair[0]);
    if (!seen && same(pair[1])) {
        std::swap(pair[0], pair[1]);
        seen = true;
    }
    if (seen) {
        plain = plain && pair[0].plain;
        return pair[0].text;
    }
    char* first = end_;
    bool ok = true;
    end_ = decodeCp932Into(raw, first, ok);
    std::string_view text(first, static_cast<size_t>(end_ - first));
    encoded_.clear();
    const bool written = ok && findPlain_ && appendEncodedCp932(text, encoded_) && encoded_ == raw;
    if (ok) {
        pair[1] = pair[0];
        pair[0] = {raw, text, key, written};
    }
    clean = clean && ok;
    plain = plain && written;
    return text;
}

void parseLogBytes(std::string bytes, ParsedLog& out) {
    out.bytes = std::move(bytes);
    out.records.clear();
    out.unreadableLines = 0;
    auto texts = std::make_shared<DecodedTexts>(out.bytes);
    out.texts = {texts};
    out.records.reserve(out.bytes.size() / 40);
    forEachLogLine(
        out.bytes, *texts,
        [&](std::string_view line, std::string_view, const RecordView* r, const RawFields*) {
            if (r)
                out.records.push_back(*r);
            else if (!isBlankLine(line))
                ++out.unreadableLines;
        });
}

bool continuesLog(const ParsedLog& earlier, std::string_view bytes) {
    const std::string& before = earlier.bytes;
    // Ended by a line feed, the earlier bytes end a line however the file
    // goes on (a CR alone might be half of a CR LF).
    return earlier.status.ok() && !before.empty() && before.back() == '\n' &&
           bytes.size() > before.size() && bytes.starts_with(before);
}

namespace {

// A record's texts that lie in `from` moved to the same places in a copy of
// those bytes at `to`; texts that lie elsewhere (decoded ones) stay.
RecordView moved(RecordView r, std::string_view from, const char* to) {
    auto move = [&](std::string_view& text) {
        const std::less<const char*> before;
        if (!before(text.data(), from.data()) && !before(from.data() + from.size(), text.data()))
            text = {to + (text.data() - from.data()), text.size()};
    };
    for (std::string_view* text : {&r.Date, &r.Situation, &r.Diary, &r.Spare1, &r.Spare2})
        move(*text);
    return r;
}

}  // namespace

void parseAppendedLog(std::string bytes, const ParsedLog& earlier, ParsedLog& out) {
    const size_t kept = earlier.bytes.size();
    ParsedLog added;
    parseLogBytes(bytes.substr(kept), added);
    out.bytes = std::move(bytes);
    out.records.clear();
    out.records.reserve(earlier.records.size() + added.records.size());
    for (const RecordView& r : earlier.records)
        out.records.push_back(moved(r, earlier.bytes, out.bytes.data()));
    for (const RecordView& r : added.records)
        out.records.push_back(moved(r, added.bytes, out.bytes.data() + kept));
    out.texts = earlier.texts;
    out.texts.insert(out.texts.end(), added.texts.begin(), added.texts.end());
    out.unreadableLines = earlier.unreadableLines + added.unreadableLines;
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

Status saveWeighing(const DataDir& dir, WeightRecord record, std::string_view timeIfAppended) {
    Status status;
    for (int attempt = 0; attempt < 3; ++attempt) {
        status = saveWeighingOnce(dir, record, timeIfAppended);
        if (!status.changedUnderneath()) break;
    }
    return status;
}

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
