// The weight log's readers on any bytes, and its rewrites: a rewrite keeps
// every record and every line it could not read.
#include "core/codepage.h"
#include "core/fields.h"
#include "core/weight_log.h"
#include "fuzz_folder.h"

// The one-pass reader on the raw bytes reads every line as the full reader
// reads the decoded text.
static void sameAsDecodedText(std::string_view bytes) {
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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFolder folder;
    folder.reset();
    sameAsDecodedText(asText(data, size));
    folder.put(core::kLogFile, asText(data, size));
    const core::DataDir& dir = folder.dir();
    core::LogRecords before = core::readLogRecords(dir);
    core::LogScan scan(dir);
    for (core::RecordView record; scan.next(record);) {
    }
    require(scan.unreadableLines() == before.unreadableLines);
    (void)core::readFirstRecord(dir);

    core::WeightRecord back{"2000/01/01", "朝食前", 60.5f, "", "", ""};
    if (core::INSERT_LOG(dir, back)) {
        core::LogRecords after = core::readLogRecords(dir);
        require(after.records.size() == before.records.size() + 1);
        require(after.unreadableLines == before.unreadableLines);
    }
    if (!before.records.empty() && core::replaceDiary(dir, 0, "ひとこと")) {
        core::LogRecords after = core::readLogRecords(dir);
        require(!after.records.empty() && after.records[0].Diary == "ひとこと");
        require(after.unreadableLines == before.unreadableLines);
    }
    return 0;
}
