// Reading the weight log: its bytes parsed into records, a log that grew at
// its end parsed on from the earlier one, a log split into its lines for a
// rewrite, and the scans and counts over them.
#include "core/log_internal.h"

#include <bit>
#include <cstring>
#include <functional>

#include "core/codepage.h"
#include "core/numbers.h"

namespace core {

using namespace log_internal;

namespace {

bool isBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

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

// The line table of this thread's last split log, kept for the next one: a
// full log's table is megabytes that would otherwise be mapped afresh, page
// by page, on every save. A huge one is not kept.
thread_local std::vector<LogLine> spareLines;
constexpr size_t kKeptLines = size_t{1} << 20;

}  // namespace

namespace log_internal {

SplitLog::SplitLog(const std::string& bytes, FindPlain find)
    : texts(bytes, find == FindPlain::Yes), size(bytes.size()) {
    lines.swap(spareLines);
    lines.clear();
    lines.reserve(bytes.size() / 40);
    PlainLines plain;
    forEachLogLine(bytes, texts,
                   [&](std::string_view line, std::string_view end, const RecordView* r,
                       const RawFields* raw) {
                       const bool isPlain =
                           raw && find == FindPlain::Yes && plain.plain(*raw, *r, end);
                       lines.push_back({line, r ? *r : RecordView{},
                                        static_cast<uint8_t>(end.size()), r != nullptr, isPlain});
                       ++(r ? records : others);
                   });
}

SplitLog::~SplitLog() {
    if (lines.capacity() <= spareLines.capacity() || lines.capacity() > kKeptLines) return;
    lines.clear();
    spareLines.swap(lines);
}

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

}  // namespace log_internal

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

LogExtent logExtent(const std::string& bytes) {
    DecodedTexts texts(bytes);
    LogExtent out;
    // The dates lie in the bytes or in `texts`, which outlive the walk.
    std::string_view last;
    forEachLogLine(bytes, texts,
                   [&](std::string_view, std::string_view, const RecordView* r, const RawFields*) {
                       if (!r) return;
                       if (out.records++ == 0) out.firstDate = r->Date;
                       last = r->Date;
                   });
    out.lastDate = last;
    return out;
}

bool continuesLog(const ParsedLog& earlier, std::string_view bytes) {
    const std::string& before = earlier.bytes;
    // Ended by a line feed, the earlier bytes end a line however the file
    // goes on (a CR alone might be half of a CR LF).
    return earlier.status.ok() && !before.empty() && before.back() == '\n' &&
           bytes.size() > before.size() && bytes.starts_with(before);
}

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

}  // namespace core
