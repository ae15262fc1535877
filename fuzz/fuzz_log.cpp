// The weight log's readers on any bytes, and its rewrites: a rewrite keeps
// every record and every line it could not read.
#include "core/weight_log.h"
#include "fuzz_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFolder folder;
    folder.reset();
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
