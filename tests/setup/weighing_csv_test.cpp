#include "setup/weighing_csv.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/codepage.h"

namespace core {

void PrintTo(const WeightRecord& r, std::ostream* os) {
    *os << "{" << r.Date << ", " << r.Situation << ", " << r.Weight << ", " << r.Diary << "}";
}

bool operator==(const WeightRecord& a, const WeightRecord& b) {
    return a.Date == b.Date && a.Situation == b.Situation && a.Weight == b.Weight &&
           a.Diary == b.Diary && a.Spare1 == b.Spare1 && a.Spare2 == b.Spare2;
}

}  // namespace core

namespace setup {
namespace {

using Records = std::vector<core::WeightRecord>;

core::WeightRecord imported(const char* date, float weight, const char* situation = "取り込み") {
    return {date, situation, weight, "", "", ""};
}

TEST(WeighingCsv, ExportText) {
    const Records log = {{"2024/06/01", "朝食前", 62.4f, "よく寝た", "a", "b"},
                         {"2024/06/02", "朝,夜", 61.9f, "\"5km\" 走った", "", ""},
                         {"2024/06/03", "夕食後", 60.0f, "", "", ""}};
    EXPECT_EQ(weighingCsv(log),
              "\xEF\xBB\xBF"
              "日付,状況,体重,一言日記\r\n"
              "2024-06-01,朝食前,62.4,よく寝た\r\n"
              "2024-06-02,\"朝,夜\",61.9,\"\"\"5km\"\" 走った\"\r\n"
              "2024-06-03,夕食後,60,\r\n");
    EXPECT_EQ(weighingCsv({}), "\xEF\xBB\xBF日付,状況,体重,一言日記\r\n");
}

TEST(ImportCells, Dates) {
    struct Case {
        const char* cell;
        std::optional<std::string> date;
    };
    const Case cases[] = {
        {"2024-06-01", "2024/06/01"},
        {"2024/6/1", "2024/06/01"},
        {"2024-6-01 07:30", "2024/06/01"},
        {"2024-06-01T07:30:00", "2024/06/01"},
        {" 2024-06-01 ", "2024/06/01"},
        {"\xE3\x80\x80"
         "2024-06-01",
         "2024/06/01"},                // U+3000 before it
        {"2024-06-1x", "2024/06/01"},  // anything after the day
        {"2024-02-29", "2024/02/29"},
        {"1000-01-01", "1000/01/01"},
        {"2024-06-011", std::nullopt},  // a third digit of the day
        {"2024-006-01", std::nullopt},
        {"20240-06-01", std::nullopt},
        {"24-06-01", std::nullopt},
        {"2024/06-01", std::nullopt},  // the separators differ
        {"2024.06.01", std::nullopt},
        {"2024-02-30", std::nullopt},
        {"2023-02-29", std::nullopt},
        {"2024-13-01", std::nullopt},
        {"2024-00-10", std::nullopt},
        {"2024-06-00", std::nullopt},
        {"0999-12-31", std::nullopt},  // the log holds years from 1000
        {"2024-06", std::nullopt},
        {"2024-06-", std::nullopt},
        {"", std::nullopt},
        {"６月１日", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(importDate(c.cell), c.date) << c.cell;
}

TEST(ImportCells, Weights) {
    struct Case {
        const char* cell;
        std::optional<float> weight;
    };
    const Case cases[] = {
        {"62.4", 62.4f},
        {" 62.4\t", 62.4f},
        {"+62.4", 62.4f},
        {"-1.5", -1.5f},
        {"62", 62.0f},
        {"00062.40", 62.4f},
        {"9999.99", 9999.99f},
        {"62.", std::nullopt},
        {".5", std::nullopt},
        {"6e1", std::nullopt},
        {"1,234.5", std::nullopt},
        {"62,4", std::nullopt},
        {"62.4kg", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"abc", std::nullopt},
        {"0x10", std::nullopt},
        {"10000", std::nullopt},  // the weight entry's limit
        {"-10000", std::nullopt},
        {"9999.9999", std::nullopt},  // a single rounds it to 10000
    };
    for (const auto& c : cases) EXPECT_EQ(importWeight(c.cell), c.weight) << c.cell;
}

// Every header a date or a weight column may have, in any letter case and
// with blanks (U+3000 too) around it.
TEST(ImportPlan, ColumnHeaders) {
    struct Case {
        const char* date;
        const char* weight;
        bool found;
    };
    const Case cases[] = {
        {"日付", "体重", true},
        {" 日時 ", "体重(kg)", true},
        {"\xE3\x80\x80"
         "date"
         "\xE3\x80\x80",
         "\tWeight", true},
        {"DateTime", "WEIGHT (KG)", true},
        {"TIME", "体重(KG)", true},
        {"dateTime", " weight (kg) ", true},
        {"日 付", "体重", false},
        {"date time", "weight", false},
        {"日付け", "weight", false},
        {"日付", "weight(kg)", false},
        {"日付", "体重（kg）", false},
        {"日付", "重さ", false},
    };
    for (const auto& c : cases) {
        std::string text = std::string(c.date) + "," + c.weight + "\r\n2024-06-01,62.4\r\n";
        ImportPlan plan = planImport(text, {});
        EXPECT_EQ(plan.ok(), c.found) << c.date << " " << c.weight;
        EXPECT_EQ(plan.error, c.found ? "" : "日付と体重の列が見つかりません。") << c.date;
        EXPECT_EQ(plan.records, c.found ? Records{imported("2024/06/01", 62.4f)} : Records{});
    }
    for (const char* text : {"", "\r\n\r\n", "日付\r\n2024-06-01\r\n", "体重,状況\r\n62.4,朝\r\n"})
        EXPECT_EQ(planImport(text, {}).error, "日付と体重の列が見つかりません。") << text;

    // The first header of each kind counts; columns in any order.
    ImportPlan plan =
        planImport("memo,weight,体重,状況,date,日付\r\nx,62.4,bad,朝食前,2024-06-01,bad\r\n", {});
    EXPECT_EQ(plan.records, Records{imported("2024/06/01", 62.4f, "朝食前")});
}

TEST(ImportPlan, RowsThatAreNoWeighing) {
    struct Case {
        const char* what;
        const char* row;
    };
    const Case cases[] = {
        {"too short", "2024-06-01,朝"},
        {"one field", "2024-06-01"},
        {"no date", "2024-06-31,朝,62.4"},
        {"no weight", "2024-06-01,朝,"},
        {"not a number", "2024-06-01,朝,abc"},
        {"over the limit", "2024-06-01,朝,10000"},
        {"a character Shift-JIS lacks", "2024-06-01,😀,62.4"},
        {"a quote in the situation", "2024-06-01,\"朝\"\"夜\",62.4"},
        {"a line break in the situation", "2024-06-01,\"朝\r\n夜\",62.4"},
        {"a stray quote", "2024-06-01,朝\"夜,62.4"},
        {"a quote left open", "2024-06-01,\"朝,62.4"},
    };
    for (const auto& c : cases) {
        std::string text = std::string("日付,状況,体重\r\n") + c.row + "\r\n";
        ImportPlan plan = planImport(text, {});
        EXPECT_TRUE(plan.ok()) << c.what;
        EXPECT_EQ(plan.unreadable, 1) << c.what;
        EXPECT_TRUE(plan.records.empty()) << c.what;
    }
}

TEST(ImportPlan, Situations) {
    ImportPlan plan = planImport(
        "日付,体重, 状況 \r\n"
        "2024-06-01,62.4,朝食後\r\n"
        "2024-06-02,62.3,\r\n"
        "2024-06-03,62.2\r\n"  // the row ends before the situation
        "2024-06-04,62.1,\"朝,散歩の後\"\r\n",
        {});
    EXPECT_EQ(plan.records, (Records{imported("2024/06/01", 62.4f, "朝食後"),
                                     imported("2024/06/02", 62.3f), imported("2024/06/03", 62.2f),
                                     imported("2024/06/04", 62.1f, "朝,散歩の後")}));
    EXPECT_EQ(plan.unreadable, 0);
}

TEST(ImportPlan, ReadsUtf8WithOrWithoutItsMarkElseShiftJis) {
    const std::string text = "日付,状況,体重\r\n2024-06-01,朝食前,62.4\r\n";
    const Records one = {imported("2024/06/01", 62.4f, "朝食前")};
    EXPECT_EQ(planImport(text, {}).records, one);
    EXPECT_EQ(planImport("\xEF\xBB\xBF" + text, {}).records, one);
    EXPECT_EQ(planImport(core::encodeCp932(text).value(), {}).records, one);

    // Shift-JIS with a damaged situation: that row alone is unreadable.
    std::string bytes = core::encodeCp932(text).value() + "2024-06-02,\x82,62.3\r\n";
    ImportPlan plan = planImport(bytes, {});
    EXPECT_EQ(plan.records, one);
    EXPECT_EQ(plan.unreadable, 1);
}

// The same date and situation and a weight within 0.005 kg is the same
// weighing. In single precision 60.004997 is 60.00499725341797 (0.004997 from
// 60: the same) and 60.005 is 60.005001068115234 (0.005001 from 60: another).
TEST(ImportPlan, DuplicatesOfTheLog) {
    const Records log = {imported("2024/06/01", 60.0f), {"2024/06/02", "朝", 61.0f, "x", "", ""}};
    struct Case {
        const char* row;
        bool duplicate;
    };
    const Case cases[] = {
        {"2024-06-01,,60.004997", true},  {"2024-06-01,,60.005", false},
        {"2024-06-01,,59.995003", true},  {"2024-06-01,,59.995", false},
        {"2024-06-01,取り込み,60", true},  // no situation is 取り込み
        {"2024-06-02,朝,61", true},       {"2024/6/2 07:00,朝,61.0", true},
        {"2024-06-02,昼,61", false},      {"2024-06-03,朝,61", false},
    };
    for (const auto& c : cases) {
        ImportPlan plan = planImport(std::string("日付,状況,体重\r\n") + c.row + "\r\n", log);
        EXPECT_EQ(plan.duplicates, c.duplicate ? 1 : 0) << c.row;
        EXPECT_EQ(plan.count(), c.duplicate ? 0 : 1) << c.row;
    }
}

// A row is also a duplicate of any earlier row of the file, one skipped as a
// duplicate itself included: 70.012 is within 0.005 of 70.008 though not of
// 70.004.
TEST(ImportPlan, DuplicatesWithinTheFile) {
    ImportPlan plan = planImport(
        "日付,状況,体重\r\n"
        "2024-06-03,朝,61\r\n"
        "2024/6/3 07:00,朝,61.0\r\n"
        "2024-06-03,昼,61\r\n"
        "2024-06-05,,70.004\r\n"
        "2024-06-05,,70.008\r\n"
        "2024-06-05,,70.012\r\n"
        "2024-06-05,,70.02\r\n",
        {});
    EXPECT_EQ(plan.records,
              (Records{imported("2024/06/03", 61.0f, "朝"), imported("2024/06/03", 61.0f, "昼"),
                       imported("2024/06/05", 70.004f), imported("2024/06/05", 70.02f)}));
    EXPECT_EQ(plan.duplicates, 3);
    EXPECT_EQ(plan.unreadable, 0);
}

TEST(ImportPlan, TheLogsLimit) {
    const Records log(32765, core::WeightRecord{"2000/01/01", "朝", 60.0f, "", "", ""});
    const std::string two = "日付,体重\r\n2024-06-01,62.4\r\n2024-06-02,62.3\r\n";
    EXPECT_FALSE(planImport(two, log).overLimit);  // 32,767 records
    ImportPlan three = planImport(two + "2024-06-03,62.2\r\n", log);
    EXPECT_TRUE(three.overLimit);
    EXPECT_EQ(three.count(), 3);
    EXPECT_FALSE(planImport(two, {}).overLimit);
}

// What is exported reads back as the same weighings; the diary stays behind.
// Read next to the log it came from, every row is a duplicate.
TEST(ImportPlan, ExportReadsBack) {
    const Records log = {{"2024/06/01", "朝食前", 62.4f, "よく寝た", "a", "b"},
                         {"2024/06/01", "朝,夜", 0.1f, "", "", ""},
                         {"1999/12/31", " 空白 ", 9999.99f, "", "", ""},
                         {"2024/06/03", "取り込み", 1.685f, "", "", ""},
                         {"2024/06/04", "就寝前", -0.5f, "", "", ""},
                         {"2024/06/05", "\xE2\x85\xA0", 58.6f, "", "", ""}};  // Ⅰ
    ImportPlan plan = planImport(weighingCsv(log), {});
    ASSERT_EQ(plan.count(), static_cast<int32_t>(log.size()));
    for (size_t i = 0; i < log.size(); ++i)
        EXPECT_EQ(plan.records[i],
                  imported(log[i].Date.c_str(), log[i].Weight, log[i].Situation.c_str()))
            << i;
    ImportPlan again = planImport(weighingCsv(log), log);
    EXPECT_EQ(again.count(), 0);
    EXPECT_EQ(again.duplicates, static_cast<int32_t>(log.size()));
}

std::string sample(const char* name) {
    std::ifstream in(std::string(YASERUNBA_TEST_DATA) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// An export of openScale: a quoted header, the date and time in one column,
// columns the log has no use for. One reading is sent twice, one has no
// weight.
TEST(ImportPlan, OpenScaleExport) {
    const std::string bytes = sample("openscale_export.csv");
    ASSERT_FALSE(bytes.empty());
    ImportPlan plan = planImport(bytes, {});
    ASSERT_TRUE(plan.ok()) << plan.error;
    const Records expected = {imported("2024/06/01", 62.4f), imported("2024/06/02", 62.1f),
                              imported("2024/06/03", 62.3f), imported("2024/06/04", 61.9f),
                              imported("2024/06/04", 62.6f), imported("2024/06/05", 61.8f),
                              imported("2024/06/06", 61.7f), imported("2024/06/08", 61.5f),
                              imported("2024/06/09", 61.6f), imported("2024/06/10", 61.3f)};
    EXPECT_EQ(plan.records, expected);
    EXPECT_EQ(plan.duplicates, 1);
    EXPECT_EQ(plan.unreadable, 1);
    EXPECT_FALSE(plan.overLimit);

    ImportPlan next = planImport(bytes, Records{imported("2024/06/01", 62.4f)});
    EXPECT_EQ(next.count(), 9);
    EXPECT_EQ(next.duplicates, 2);
}

TEST(WeighingCsv, Texts) {
    ImportPlan plan;
    plan.records.assign(3, imported("2024/06/01", 62.4f));
    EXPECT_EQ(importQuestion(plan), "3 件の記録を取り込みます。\r\nよろしいですか？");
    plan.duplicates = 2;
    EXPECT_EQ(importQuestion(plan),
              "3 件の記録を取り込みます。\r\n重複 2 件、読めない行 0 行は取り込みません。\r\n"
              "よろしいですか？");
    plan.duplicates = 0;
    plan.unreadable = 1;
    EXPECT_EQ(importQuestion(plan),
              "3 件の記録を取り込みます。\r\n重複 0 件、読めない行 1 行は取り込みません。\r\n"
              "よろしいですか？");
    plan.records.clear();
    EXPECT_EQ(importQuestion(plan), "取り込める記録がありません。");
    EXPECT_EQ(importDoneText(12), "12 件の記録を取り込みました。");
    EXPECT_EQ(exportDoneText(120, "体重.csv", 0), "120 件の記録を 体重.csv に書き出しました。");
    EXPECT_EQ(
        exportDoneText(120, "体重.csv", 2),
        "120 件の記録を 体重.csv に書き出しました。\r\n読めない行 2 行は書き出していません。");
}

}  // namespace
}  // namespace setup
