// Imported weighings merged into the log: every existing line where it was,
// byte for byte; each added record where INSERT_LOG would put it.
#include <gtest/gtest.h>

#include <functional>

#include "core/codepage.h"
#include "core/weight_log.h"
#include "support/temp_folder.h"

namespace core {
namespace {

std::string line(const char* date, const char* situation, const char* weight,
                 const char* rest = ",\"\",\"\",\"\"") {
    return std::string("\"") + date + "\",\"" + situation + "\"," + weight + rest + "\r\n";
}

WeightRecord added(const char* date, const char* situation, float weight) {
    // The diary and the spare fields of an imported record are never written.
    return WeightRecord{date, situation, weight, "捨てる日記", "s1", "s2"};
}

TEST(MergeRecords, PlacesEachAddedRecordAsAnInsertWouldAndKeepsEveryLine) {
    struct Case {
        const char* name;
        std::string log;
        std::vector<WeightRecord> added;
        std::string expected;
    };
    // Existing lines in forms the program itself would not write.
    const std::string first = line("2024/06/01", "朝", "65.0", ",\"日記\",0,\"x\"");
    const std::string broken = "壊れた行\r\n";
    const std::string morning = line("2024/06/03", "朝", "64");
    const std::string evening = line("2024/06/03", "夜", "64.2", ",\"\"");
    const std::string last = "\"2024/06/05\",\"朝\",63.9,\"\",\"\",\"\"";  // no line end
    const Case cases[] = {
        {"records of the same date, before the first and after the last",
         first + broken + "\r\n" + morning + evening + last,
         {added("2024/06/03", "取込A", 64.1f), added("2024/05/30", "取込B", 66),
          added("2024/06/03", "取込C", 64.3f), added("2024/06/09", "取込D", 63),
          added("2024/06/02", "取込E", 64.6f)},
         line("2024/05/30", "取込B", "66") + first + broken + "\r\n" +
             line("2024/06/02", "取込E", "64.6") + morning + evening +
             line("2024/06/03", "取込A", "64.1") + line("2024/06/03", "取込C", "64.3") + last +
             "\r\n" + line("2024/06/09", "取込D", "63")},
        {"an existing log out of order",
         line("2024/06/05", "朝", "64") + line("2024/06/01", "朝", "65") +
             line("2024/06/07", "朝", "63"),
         {added("2024/06/06", "取込", 63.5f), added("2024/06/03", "取込", 64.5f)},
         line("2024/06/03", "取込", "64.5") + line("2024/06/05", "朝", "64") +
             line("2024/06/01", "朝", "65") + line("2024/06/06", "取込", "63.5") +
             line("2024/06/07", "朝", "63")},
        {"no log yet",
         "",
         {added("2024/06/02", "b", 2), added("2024/06/01", "a", 1)},
         line("2024/06/01", "a", "1") + line("2024/06/02", "b", "2")},
        {"only lines it cannot read",
         broken,
         {added("2024/06/01", "a", 1)},
         broken + line("2024/06/01", "a", "1")},
    };
    for (const auto& c : cases) {
        TempFolder t;
        if (!c.log.empty()) t.put("データ.txt", c.log);
        ASSERT_TRUE(mergeRecords(t.dir(), c.added)) << c.name;
        EXPECT_EQ(t.text("データ.txt"), c.expected) << c.name;
        EXPECT_EQ(t.has("データbak.txt"), !c.log.empty()) << c.name;
        if (!c.log.empty()) {
            EXPECT_EQ(t.text("データbak.txt"), c.log) << c.name;
        }
        EXPECT_FALSE(t.has("データコピー.txt")) << c.name;
    }
}

// Bytes that are not Shift-JIS stay as they were.
TEST(MergeRecords, KeepsUndecodableLinesByteForByte) {
    TempFolder t;
    const std::string log = "\"2024/06/01\",\"\x81\x20\",65,\"\",\"\",\"\"\r\n\xff\xfe\n" +
                            encodeCp932(line("2024/06/04", "朝", "64")).value();
    t.putBytes("データ.txt", log);
    ASSERT_TRUE(mergeRecords(t.dir(), {added("2024/06/02", "取込", 64.5f)}));
    EXPECT_EQ(t.bytes("データ.txt"),
              "\"2024/06/01\",\"\x81\x20\",65,\"\",\"\",\"\"\r\n\xff\xfe\n" +
                  encodeCp932(line("2024/06/02", "取込", "64.5") + line("2024/06/04", "朝", "64"))
                      .value());
    EXPECT_EQ(t.bytes("データbak.txt"), log);
}

TEST(MergeRecords, KeepsTheOldLogUnderTheNextFreeBackupName) {
    TempFolder t;
    t.put("データ.txt", line("2024/06/01", "朝", "65"));
    t.put("データBAK.txt", "older\r\n");
    ASSERT_TRUE(mergeRecords(t.dir(), {added("2024/06/02", "取込", 64.5f)}));
    EXPECT_EQ(t.text("データBAK.txt"), "older\r\n");
    EXPECT_EQ(t.text("データbak2.txt"), line("2024/06/01", "朝", "65"));
    ASSERT_TRUE(mergeRecords(t.dir(), {added("2024/06/03", "取込", 64)}));
    EXPECT_TRUE(t.has("データbak3.txt"));
}

// Refusals write nothing at all: neither the log nor a backup.
TEST(MergeRecords, RefusalsLeaveTheFolderAsItWas) {
    std::string nearlyFull;
    for (int i = 0; i < kMaxRecords - 1; ++i) nearlyFull += line("2024/06/02", "朝", "65");
    struct Case {
        const char* name;
        std::string log;
        std::vector<WeightRecord> added;
        std::function<void(DataDir&)> prepare;
        bool refused;
    };
    const auto none = [](DataDir&) {};
    const Case cases[] = {
        {"one record over the limit",
         nearlyFull,
         {added("2024/06/01", "a", 1), added("2024/06/03", "b", 2)},
         none,
         true},
        {"up to the limit", nearlyFull, {added("2024/06/03", "b", 2)}, none, false},
        {"a situation Shift-JIS lacks",
         line("2024/06/01", "朝", "65"),
         {added("2024/06/03", "b", 2), added("2024/06/04", "😀", 2)},
         none,
         true},
        {"a date not in its form",
         line("2024/06/01", "朝", "65"),
         {added("2024/6/3", "b", 2)},
         none,
         true},
        {"a log it cannot read",
         line("2024/06/01", "朝", "65"),
         {added("2024/06/03", "b", 2)},
         [](DataDir& d) { d.setFaultHook([](WriteStep s) { return s == WriteStep::Read; }); },
         true},
        {"the log fails to be renamed after the backup",
         line("2024/06/01", "朝", "65"),
         {added("2024/06/03", "b", 2)},
         [](DataDir& d) {
             d.setFaultHook([renames = 0](WriteStep s) mutable {
                 return s == WriteStep::Rename && ++renames == 2;
             });
         },
         true},
        {"nothing to add", line("2024/06/01", "朝", "65"), {}, none, false},
    };
    for (const auto& c : cases) {
        TempFolder t;
        t.put("データ.txt", c.log);
        std::string before = t.bytes("データ.txt");
        DataDir dir = t.dir();
        c.prepare(dir);
        Status s = mergeRecords(dir, c.added);
        EXPECT_EQ(s.ok(), !c.refused) << c.name << ": " << s.reason();
        if (c.refused || c.added.empty()) {
            EXPECT_EQ(t.bytes("データ.txt"), before) << c.name;
            EXPECT_EQ(t.fileCount(), 1u) << c.name;
        } else {
            EXPECT_EQ(readLogRecords(t.dir()).records.size(), size_t(kMaxRecords)) << c.name;
        }
    }
}

}  // namespace
}  // namespace core
