#include "core/weight_log.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace core {
namespace {

std::string line(const char* date, const char* situation, const char* weight,
                 const char* diary = "", const char* spare1 = "\"\"", const char* spare2 = "\"\"") {
    return std::string("\"") + date + "\",\"" + situation + "\"," + weight + ",\"" + diary + "\"," +
           spare1 + "," + spare2 + "\r\n";
}

std::vector<WeightRecord> readAll(const DataDir& dir, int* unreadable = nullptr) {
    std::vector<WeightRecord> out;
    LogScan scan = READ_LOG(dir);
    RecordView r;
    while (scan.next(r)) out.push_back(r.toRecord());
    if (unreadable) *unreadable = scan.unreadableLines();
    return out;
}

WeightRecord rec(const char* date, const char* situation, float weight, const char* diary = "") {
    return WeightRecord{date, situation, weight, diary, "", ""};
}

TEST(ReadLog, ParsesRecordsInFileOrder) {
    TempFolder t;
    t.put("データ.txt", line("2024/06/01", "朝食前", "65.3") +
                            line("2024/06/01", "外食,飲み会", "65.8", "7:05:09", "0") +
                            "\"2024/06/02\",\"就寝前\",64.9,\"最後\",\"\",\"\"");  // no line end
    int unreadable = -1;
    auto records = readAll(t.dir(), &unreadable);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(unreadable, 0);
    EXPECT_EQ(records[0].Weight, 65.3f);
    EXPECT_EQ(records[1].Situation, "外食,飲み会");
    EXPECT_EQ(records[1].Diary, "7:05:09");
    EXPECT_EQ(records[1].Spare1, "0");  // a bare number in field 5 reads without error
    EXPECT_EQ(records[2].Date, "2024/06/02");
    EXPECT_EQ(records[2].Diary, "最後");
}

TEST(ReadLog, SkipsLinesItCannotReadAndCountsThem) {
    TempFolder t;
    std::string bad = encodeCp932(line("2024/06/01", "朝食前", "65.3")).value();
    bad[14] = '\x81';  // damage the situation: not Shift-JIS any more
    bad[15] = '\x20';
    t.putBytes("データ.txt", encodeCp932(line("2024/06/01", "起床後", "65")).value() + bad +
                                 encodeCp932("\"2024/06/01\",\"only two\"\r\n"
                                             "\"2024/06/01\",\"x\",heavy,\"\"\r\n"
                                             "\"yesterday\",\"x\",60,\"\"\r\n"
                                             "\r\n" +
                                             line("2024/06/02", "就寝前", "64"))
                                     .value());
    int unreadable = 0;
    auto records = readAll(t.dir(), &unreadable);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(unreadable, 4);
    EXPECT_EQ(records[1].Situation, "就寝前");
}

TEST(ReadLog, MissingLogIsEmpty) {
    TempFolder t;
    LogScan scan = READ_LOG(t.dir());
    RecordView r;
    EXPECT_TRUE(scan.missing());
    EXPECT_FALSE(scan.next(r));
}

TEST(AppendLog, WritesOneLineAtTheEnd) {
    TempFolder t;
    t.put("データ.txt", line("2024/06/01", "朝食前", "65.3"));
    ASSERT_TRUE(APPEND_LOG(t.dir(), rec("2024/06/01", "a,b", 60.0f, "7:05:09")));
    EXPECT_EQ(t.text("データ.txt"),
              line("2024/06/01", "朝食前", "65.3") + line("2024/06/01", "a,b", "60", "7:05:09"));
    EXPECT_EQ(readAll(t.dir())[1].Situation, "a,b");
}

TEST(AppendLog, EndsAnUnendedLastLineFirst) {
    TempFolder t;
    t.put("データ.txt", "\"2024/06/01\",\"朝食前\",65.3,\"\",\"\",\"\"");
    ASSERT_TRUE(APPEND_LOG(t.dir(), rec("2024/06/02", "夕食後", 66.1f)));
    EXPECT_EQ(readAll(t.dir()).size(), 2u);
}

TEST(InsertLog, LandsAfterItsDateAndBeforeLaterDates) {
    struct Case {
        const char* date;
        size_t expectedIndex;
    };
    const Case cases[] = {
        {"2024/06/02", 3},  // a date that already has records: after the last of them
        {"2024/05/01", 0},  // before the first record
        {"2024/06/03", 3},  // a date between two dates
        {"2024/06/01", 1},
    };
    for (const auto& c : cases) {
        TempFolder t;
        t.put("データ.txt", line("2024/06/01", "朝", "65") + line("2024/06/02", "朝", "64.8") +
                                line("2024/06/02", "夜", "65.2", "21:00:00") +
                                line("2024/06/05", "朝", "64.5", "", "\"x\"", "\"y\""));
        ASSERT_TRUE(INSERT_LOG(t.dir(), rec(c.date, "追加", 63.3f)));
        auto records = readAll(t.dir());
        ASSERT_EQ(records.size(), 5u) << c.date;
        EXPECT_EQ(records[c.expectedIndex].Situation, "追加") << c.date;
        EXPECT_EQ(records[c.expectedIndex].Diary, "") << c.date;
        EXPECT_FALSE(t.has("データコピー.txt"));
        // the copied records keep fields 1 to 4 and take field 6 into both spares
        const auto& last = records.back().Situation == "追加" ? records[3] : records.back();
        EXPECT_EQ(last.Spare1, "y");
        EXPECT_EQ(last.Spare2, "y");
        for (const auto& r : records)
            if (r.Situation == "夜") {
                EXPECT_EQ(r.Diary, "21:00:00") << c.date;
            }
    }
}

TEST(InsertLog, AfterTheLastDateItGoesAtTheEnd) {
    TempFolder t;
    t.put("データ.txt", line("2024/06/01", "朝", "65"));
    ASSERT_TRUE(INSERT_LOG(t.dir(), rec("2024/07/01", "夜", 64)));
    auto records = readAll(t.dir());
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].Date, "2024/07/01");
}

TEST(InsertLog, FailedRewriteKeepsTheLog) {
    TempFolder t;
    t.put("データ.txt", line("2024/06/01", "朝", "65") + line("2024/06/05", "朝", "64"));
    std::string before = t.bytes("データ.txt");
    DataDir dir = t.dir();
    dir.setFaultHook([](WriteStep s) { return s == WriteStep::WriteSide; });
    EXPECT_FALSE(INSERT_LOG(dir, rec("2024/06/02", "朝", 63)));
    EXPECT_EQ(t.bytes("データ.txt"), before);
    EXPECT_FALSE(t.has("データコピー.txt"));
}

TEST(LogLimit, TheFullLogRefusesOneMore) {
    TempFolder t;
    std::string text;
    for (int i = 0; i < kMaxRecords; ++i) text += line("2024/06/02", "朝", "65");
    t.put("データ.txt", text);
    std::string before = t.bytes("データ.txt");
    Status appended = APPEND_LOG(t.dir(), rec("2024/06/03", "朝", 64));
    Status inserted = INSERT_LOG(t.dir(), rec("2024/06/01", "朝", 64));
    EXPECT_FALSE(appended);
    EXPECT_FALSE(inserted);
    EXPECT_EQ(appended.fileName(), "データ.txt");
    EXPECT_EQ(t.bytes("データ.txt"), before);
}

TEST(RewriteLog, WritesRecordsWithEmptySpares) {
    TempFolder t;
    t.put("データ.txt", line("2024/06/01", "朝", "65"));
    WeightRecord r = rec("2024/06/01", "朝", 65, "いい感じ");
    r.Spare1 = "0";
    ASSERT_TRUE(REWRITE_LOG(t.dir(), {r, rec("2024/06/02", "夜", 66.6f)}));
    EXPECT_EQ(t.text("データ.txt"),
              line("2024/06/01", "朝", "65", "いい感じ") + line("2024/06/02", "夜", "66.6"));
    ASSERT_TRUE(RESET_LOG(t.dir(), rec("2003/11/08", "はじめの一歩", 74.5f)));
    EXPECT_EQ(t.text("データ.txt"), "\"2003/11/08\",\"はじめの一歩\",74.5,\"\",\"\",\"\"\r\n");
}

TEST(RenameSituation, GoesThroughTheSideFileAndChangesExactMatchesOnly) {
    TempFolder t;
    t.put("データ.txt", line("2024/06/01", "朝食前", "65", "", "0") +
                            line("2024/06/01", "朝食前後", "65.5") +
                            line("2024/06/02", "朝食前", "64.9", "メモ"));
    ASSERT_TRUE(renameSituationInLog(t.dir(), "朝食前", "起床後"));
    EXPECT_EQ(t.text("データ.txt"), line("2024/06/01", "起床後", "65") +
                                        line("2024/06/01", "朝食前後", "65.5") +
                                        line("2024/06/02", "起床後", "64.9", "メモ"));
    EXPECT_FALSE(t.has("データＣＨＧ.txt"));
}

TEST(LegacyImport, ConvertsKeepsTheOldLogAndNeverImportsTwice) {
    TempFolder t;
    t.put("連続体重.txt", "\"2003/08/01\",\"朝\",70.5\r\n\"2003/08/02\",\"夜\",70\r\n");
    t.put("データ.txt", line("2024/06/01", "朝", "65"));
    t.put("連続体重bak.txt", "older\r\n");
    DataDir dir = t.dir();
    ASSERT_TRUE(legacyLogExists(dir));
    ASSERT_TRUE(CONV_RENZOKU(dir));
    EXPECT_EQ(t.text("データ.txt"),
              line("2003/08/01", "朝", "70.5") + line("2003/08/02", "夜", "70"));
    EXPECT_EQ(t.text("データbak.txt"), line("2024/06/01", "朝", "65"));
    EXPECT_EQ(t.text("連続体重bak.txt"), "older\r\n");
    EXPECT_TRUE(t.has("連続体重bak2.txt"));
    EXPECT_FALSE(legacyLogExists(dir));
}

TEST(LegacyImport, WithoutAnOldLog) {
    TempFolder t;
    t.put("連続体重.txt", "\"2003/08/01\",\"朝\",70.5\r\n");
    ASSERT_TRUE(CONV_RENZOKU(t.dir()));
    EXPECT_EQ(t.text("データ.txt"), line("2003/08/01", "朝", "70.5"));
    EXPECT_FALSE(t.has("データbak.txt"));
    EXPECT_TRUE(t.has("連続体重bak.txt"));
}

}  // namespace
}  // namespace core
