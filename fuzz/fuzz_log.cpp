// The weight log's readers on any bytes, and its writers: a rewrite keeps
// every record and every line it could not read. The first four bytes of an
// input are a second input that chooses a writer and what happens around
// it: byte 0 the writer (its low two bits) and, for a rewrite of the record
// a panel shows, the change that another program makes to the log between
// "shown" and "acted" and the rewrite asked for; byte 1 the record shown;
// byte 2 where the change is made; byte 3 the records a merge adds. The rest
// is the log.
#include "core/codepage.h"
#include "core/fields.h"
#include "core/weight_log.h"
#include "fuzz_folder.h"

namespace {

// The one-pass reader on the raw bytes reads every line as the full reader
// reads the decoded text.
void sameAsDecodedText(std::string_view bytes) {
    core::ParsedLog parsed;
    core::parseLogBytes(std::string(bytes), parsed);
    std::string text = core::decodeCp932(bytes);
    std::vector<std::string_view> fields;
    size_t at = 0;
    int32_t unreadable = 0;
    core::forEachLine(text, [&](std::string_view line) {
        core::RecordView r;
        if (core::parseRecordLine(line, fields, r)) {
            require(at < parsed.records.size());
            const core::RecordView& p = parsed.records[at++];
            require(p.Date == r.Date && p.Situation == r.Situation && p.Diary == r.Diary &&
                    p.Spare1 == r.Spare1 && p.Spare2 == r.Spare2);
            require(p.Weight == r.Weight || (p.Weight != p.Weight && r.Weight != r.Weight));
        } else if (line.find_first_not_of(" \t") != std::string_view::npos) {
            ++unreadable;
        }
    });
    require(at == parsed.records.size() && unreadable == parsed.unreadableLines);
}

// One line of raw bytes, with its line end, and the record it holds.
struct RawLine {
    std::string_view bytes;  // the line and its end
    std::optional<core::WeightRecord> record;
};

std::vector<RawLine> rawLines(std::string_view log) {
    std::vector<RawLine> lines;
    std::vector<std::string_view> fields;
    while (!log.empty()) {
        std::string_view end;
        const char* start = log.data();
        std::string_view line = core::takeLine(log, end);
        RawLine raw{{start, line.size() + end.size()}, std::nullopt};
        std::string text = core::decodeCp932(line);
        core::RecordView r;
        if (core::parseRecordLine(text, fields, r)) raw.record = r.toRecord();
        lines.push_back(std::move(raw));
    }
    return lines;
}

std::string joined(const std::vector<RawLine>& lines) {
    std::string out;
    for (const auto& line : lines) out += line.bytes;
    return out;
}

std::string encoded(const core::WeightRecord& r) {
    return core::encodeCp932(core::recordLine(r)).value_or("");
}

// The change another program makes: none, a line inserted or removed, a
// record's weight changed, a record appended.
std::string changedOutside(std::string_view log, uint8_t kind, uint8_t where) {
    static const std::string kOther =
        encoded(core::WeightRecord{"2001/01/01", "よそ", 50.5f, "", "", ""});
    std::vector<RawLine> lines = rawLines(log);
    std::string text = joined(lines);
    std::string separated = text.empty() || text.back() == '\n' || text.back() == '\r'
                                ? text
                                : text + std::string(core::kLineEnd);
    size_t at = lines.empty() ? 0 : where % lines.size();
    switch (kind % 5) {
        case 1:  // a line inserted before line `at`
            lines.insert(lines.begin() + static_cast<ptrdiff_t>(at), RawLine{kOther, {}});
            return joined(lines);
        case 2:  // line `at` removed
            if (!lines.empty()) lines.erase(lines.begin() + static_cast<ptrdiff_t>(at));
            return joined(lines);
        case 3:  // the weight of the first record from line `at` on changed
            for (size_t i = at; i < lines.size(); ++i) {
                if (!lines[i].record) continue;
                core::WeightRecord r = *lines[i].record;
                r.Weight = r.Weight == 50.5f ? 60.5f : 50.5f;
                std::string line = encoded(r);
                if (line.empty()) break;
                lines[i].bytes = line;
                return joined(lines);
            }
            return text;
        case 4:
            return separated + kOther;
        default:
            return text;
    }
}

core::Status act(const core::DataDir& dir, const core::ShownRecord& shown, uint8_t action) {
    switch (action % 3) {
        case 0:
            return core::replaceDiary(dir, shown, "新しい日記");
        case 1:
            return core::replaceWeight(dir, shown, 42.5f);
        default:
            return core::removeRecord(dir, shown);
    }
}

// The log expected after `action` on the record at `index` of `log`, which
// must be the record shown.
std::string expectedAfter(std::string_view log, const core::ShownRecord& shown, uint8_t action) {
    std::vector<RawLine> lines = rawLines(log);
    int32_t at = 0;
    for (auto& line : lines) {
        if (!line.record || at++ != shown.index) continue;
        core::WeightRecord r = *line.record;
        require(r.Date == shown.Date && r.Situation == shown.Situation && r.Diary == shown.Diary &&
                r.Weight == shown.Weight);
        if (action % 3 == 0) r.Diary = "新しい日記";
        if (action % 3 == 1) r.Weight = 42.5f;
        std::string replacement = action % 3 == 2 ? "" : encoded(r);
        size_t offset = static_cast<size_t>(line.bytes.data() - log.data());
        return std::string(log.substr(0, offset)) + replacement +
               std::string(log.substr(offset + line.bytes.size()));
    }
    require(false);  // no record at the index shown
    return {};
}

// A panel shows record `which`; the log changes; the panel acts. Either the
// record acted on was exactly the one shown and changed as asked, every
// other line byte for byte, or nothing was written.
void actOnShownRecord(FuzzFolder& folder, std::string_view log, const core::LogRecords& read,
                      const uint8_t* control) {
    const core::DataDir& dir = folder.dir();
    if (read.records.empty()) return;
    int32_t which = control[1] % static_cast<int32_t>(read.records.size());
    core::ShownRecord shown = core::ShownRecord::of(which, read.records[size_t(which)]);
    std::string changed = changedOutside(log, control[0] >> 2, control[2]);
    folder.reset();
    folder.put(core::kLogFile, changed);
    uint8_t action = control[0] >> 5;
    core::Status status = act(dir, shown, action);
    std::string after = dir.readBytes(core::kLogFile).value_or("");
    if (status)
        require(after == expectedAfter(changed, shown, action));
    else
        require(after == changed);
    require(std::distance(std::filesystem::directory_iterator(folder.path()), {}) == 1);
}

// Imported records merged in: every old line stays, the old log is kept.
void merge(FuzzFolder& folder, std::string_view log, const core::LogRecords& before,
           uint8_t choice) {
    const core::DataDir& dir = folder.dir();
    folder.reset();
    folder.put(core::kLogFile, log);
    static const char* const kDates[] = {"2000/01/01", "2024/06/01", "2024/06/15", "2099/12/31"};
    std::vector<core::WeightRecord> added;
    for (int i = 0; i < 1 + choice % 3; ++i)
        added.push_back({kDates[(choice >> (2 * i)) % 4], "取込", 55.5f, "", "", ""});
    if (core::mergeRecords(dir, added)) {
        core::LogRecords after = core::readLogRecords(dir);
        require(after.records.size() == before.records.size() + added.size());
        require(after.unreadableLines == before.unreadableLines);
        require(dir.readBytes(std::string(core::kBackupBase) + ".txt") == log);
    } else {
        require(dir.readBytes(core::kLogFile) == log);
    }
}

void insertBackDated(const core::DataDir& dir, const core::LogRecords& before) {
    core::WeightRecord back{"2000/01/01", "朝食前", 60.5f, "", "", ""};
    if (core::INSERT_LOG(dir, back)) {
        core::LogRecords after = core::readLogRecords(dir);
        require(after.records.size() == before.records.size() + 1);
        require(after.unreadableLines == before.unreadableLines);
    }
}

void replaceFirstDiary(const core::DataDir& dir, const core::LogRecords& before) {
    if (!before.records.empty() && core::replaceDiary(dir, 0, "ひとこと")) {
        core::LogRecords after = core::readLogRecords(dir);
        require(!after.records.empty() && after.records[0].Diary == "ひとこと");
        require(after.unreadableLines == before.unreadableLines);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputScope scope;
    static FuzzFolder folder;
    uint8_t control[4] = {};
    std::copy(data, data + std::min<size_t>(size, 4), control);
    std::string_view log = size > 4 ? asText(data + 4, size - 4) : std::string_view();
    sameAsDecodedText(log);
    folder.reset();
    folder.put(core::kLogFile, log);
    const core::DataDir& dir = folder.dir();
    core::LogRecords before = core::readLogRecords(dir);
    std::optional<core::WeightRecord> first = core::readFirstRecord(dir);
    require(first.has_value() == !before.records.empty());
    if (first) require(recordLine(*first) == recordLine(before.records.front()));

    switch (control[0] % 4) {
        case 0:
            insertBackDated(dir, before);
            break;
        case 1:
            replaceFirstDiary(dir, before);
            break;
        case 2:
            actOnShownRecord(folder, log, before, control);
            break;
        default:
            merge(folder, log, before, control[3]);
    }
    return 0;
}
