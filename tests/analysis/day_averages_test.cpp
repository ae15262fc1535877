#include "analysis/day_averages.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace analysis {
namespace {

std::vector<core::WeightRecord> logOf(std::initializer_list<std::pair<const char*, float>> days) {
    std::vector<core::WeightRecord> log;
    for (auto [date, weight] : days) log.push_back({date, "朝", weight, "", "", ""});
    return log;
}

const auto kNovember = logOf({{"2003/11/01", 70.0f}, {"2003/11/01", 70.4f}, {"2003/11/03", 69.8f}});

using Points = std::vector<std::optional<double>>;

Points points(std::initializer_list<std::optional<float>> values) {
    Points out;
    for (auto v : values) out.push_back(v ? std::optional<double>(*v) : std::nullopt);
    return out;
}

core::Date date(int y, unsigned m, unsigned d) {
    return core::Date{std::chrono::year(y), std::chrono::month(m), std::chrono::day(d)};
}

TEST(DayAverages, EveryDayWithCarriedAverages) {
    DayAveragesResult r = dayAverages(kNovember);
    ASSERT_TRUE(r.ok()) << r.error;
    const std::vector<DayRow> rows = {
        {"1", "03/11/01", "70.2"}, {"2", "03/11/02", ""}, {"3", "03/11/03", "69.8"}};
    EXPECT_EQ(r.table.rows, rows);
    float firstDay = (70.0f + 70.4f) / 2.0f;
    EXPECT_EQ(r.table.chart, points({firstDay, firstDay, 69.8f}));
    EXPECT_EQ(r.table.dateItems, (std::vector<std::string>{"03/11/01", "03/11/02", "03/11/03"}));
    EXPECT_EQ(r.table.startText, "03/11/01");
    EXPECT_EQ(r.table.endText, "03/11/03");
    EXPECT_EQ(r.table.axis, (Axis{69, 71}));
    EXPECT_EQ(r.table.RecordCount, 3);
}

TEST(DayAverages, WeightOfZeroIsAWeighing) {
    auto log = logOf({{"2024/01/01", 70.0f}, {"2024/01/02", 0.0f}, {"2024/01/04", 69.0f}});
    DayAveragesResult r = dayAverages(log);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.table.rows[1].average, "0.0");
    EXPECT_EQ(r.table.rows[2].average, "");
    EXPECT_EQ(r.table.chart, points({70.0f, 0.0f, 0.0f, 69.0f}));
    EXPECT_EQ(r.table.axis, (Axis{0, 70}));
}

TEST(DayAverages, Periods) {
    struct Case {
        const char* what;
        const char* start;
        const char* end;
        std::vector<DayRow> rows;
        Points chart;
    };
    float firstDay = (70.0f + 70.4f) / 2.0f;
    const Case cases[] = {
        {"from a day without weighing",
         "03/11/02",
         "03/11/03",
         {{"1", "03/11/02", ""}, {"2", "03/11/03", "69.8"}},
         points({firstDay, 69.8f})},
        {"one day", "03/11/03", "03/11/03", {{"1", "03/11/03", "69.8"}}, points({69.8f})},
        {"typed in full",
         "2003/11/01",
         " 2003/11/01 ",
         {{"1", "03/11/01", "70.2"}},
         points({firstDay})},
        {"past the last day keeps empty rows",
         "03/11/03",
         "03/11/05",
         {{"1", "03/11/03", "69.8"}, {}, {}},
         points({69.8f, std::nullopt, std::nullopt})},
        {"before the first day numbers from the first day",
         "03/10/31",
         "03/11/01",
         {{"1", "03/11/01", "70.2"}, {}},
         points({firstDay, std::nullopt})},
    };
    for (const auto& c : cases) {
        DayAveragesResult r = dayAveragesForPeriod(kNovember, c.start, c.end);
        ASSERT_TRUE(r.ok()) << c.what << ": " << r.error;
        EXPECT_EQ(r.table.rows, c.rows) << c.what;
        EXPECT_EQ(r.table.chart, c.chart) << c.what;
        EXPECT_EQ(r.table.axis, (Axis{69, 71})) << c.what;
        EXPECT_TRUE(r.table.dateItems.empty()) << c.what;
    }
}

// A period that begins after several days without weighing still shows the
// last average before it.
TEST(DayAverages, CarriedAcrossSeveralDaysBeforeThePeriod) {
    auto log = logOf({{"2024/01/01", 70.0f}, {"2024/01/05", 69.0f}});
    DayAveragesResult r = dayAveragesForPeriod(log, "24/01/03", "24/01/05");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.table.chart, points({70.0f, 70.0f, 69.0f}));
}

TEST(DayAverages, Refusals) {
    auto unordered = logOf({{"2024/01/05", 70.0f}, {"2024/01/03", 69.0f}});
    struct Case {
        const char* what;
        std::vector<core::WeightRecord> log;
        const char* start;
        const char* end;
        const char* error;
    };
    const Case cases[] = {
        {"end before start", kNovember, "03/11/03", "03/11/01",
         "期間の終わりの日付が始めの日付より前になっています。"},
        {"not a date", kNovember, "03/11/32", "03/11/03",
         "期間の日付が読めません。yy/mm/dd の形で入力してください。"},
        {"empty box", kNovember, "03/11/01", "",
         "期間の日付が読めません。yy/mm/dd の形で入力してください。"},
        {"dates out of order", unordered, "24/01/03", "24/01/05",
         "体重データの日付が古い順に並んでいないため、日毎平均を表示できません。"},
        {"a century of days", kNovember, "1900/01/01", "2003/11/03",
         "日数が 32767 日を超えるため、日毎平均を表示できません。"},
    };
    for (const auto& c : cases) {
        DayAveragesResult r = dayAveragesForPeriod(c.log, c.start, c.end);
        EXPECT_EQ(r.error, c.error) << c.what;
        EXPECT_TRUE(r.table.rows.empty()) << c.what;
    }
    DayAveragesResult all = dayAverages(unordered);
    EXPECT_FALSE(all.ok());
    EXPECT_TRUE(all.table.rows.empty());
    EXPECT_FALSE(dayAverages(logOf({{"1900/01/01", 70.0f}, {"2000/01/01", 69.0f}})).ok());
}

TEST(DayAverages, EmptyAndSingleRecordLogs) {
    DayAveragesResult empty = dayAverages({});
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.table.rows.empty());
    EXPECT_FALSE(empty.table.axis);

    DayAveragesResult one = dayAverages(logOf({{"2024/02/29", 58.6f}}));
    ASSERT_TRUE(one.ok());
    EXPECT_EQ(one.table.rows, (std::vector<DayRow>{{"1", "24/02/29", "58.6"}}));
    EXPECT_EQ(one.table.chart.size(), 1u);
}

TEST(BoxDate, TwoDigitYearsInTheLogsCentury) {
    struct Case {
        const char* text;
        core::Date first, last;
        std::optional<core::Date> read;
    };
    const Case cases[] = {
        {"03/11/08", date(2003, 11, 1), date(2003, 11, 30), date(2003, 11, 8)},
        {"30/01/02", date(2029, 12, 20), date(2030, 1, 10), date(2030, 1, 2)},
        {"31/06/01", date(2029, 12, 20), date(2030, 1, 10), date(2031, 6, 1)},
        {"99/12/31", date(2099, 12, 20), date(2100, 1, 10), date(2099, 12, 31)},
        {"00/01/02", date(2099, 12, 20), date(2100, 1, 10), date(2100, 1, 2)},
        {"98/05/05", date(2003, 11, 1), date(2003, 11, 30), date(1998, 5, 5)},
        {"3/1/8", date(2003, 11, 1), date(2003, 11, 30), date(2003, 1, 8)},
        {"2045/01/02", date(2003, 11, 1), date(2003, 11, 30), date(2045, 1, 2)},
        {"03/02/30", date(2003, 11, 1), date(2003, 11, 30), std::nullopt},
        {"031/02/03", date(2003, 11, 1), date(2003, 11, 30), std::nullopt},
        {"03/11", date(2003, 11, 1), date(2003, 11, 30), std::nullopt},
        {"きょう", date(2003, 11, 1), date(2003, 11, 30), std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(readBoxDate(c.text, c.first, c.last), c.read) << c.text;
}

TEST(DayAverages, PeriodInTheThirties) {
    auto log = logOf({{"2029/12/30", 70.0f}, {"2030/01/02", 69.0f}});
    DayAveragesResult r = dayAveragesForPeriod(log, "29/12/31", "30/01/02");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.table.rows,
              (std::vector<DayRow>{
                  {"1", "29/12/31", ""}, {"2", "30/01/01", ""}, {"3", "30/01/02", "69.0"}}));
}

TEST(DayAverageExport, LinesOfDateAndValue) {
    const std::vector<DayRow> rows = {{"1", "03/11/01", "70.2"},
                                      {"2", "03/11/02", ""},
                                      {"3", "03/11/03", "71.0"},
                                      {"4", "03/11/04", "-0.0"},
                                      {}};
    EXPECT_EQ(dayAverageExport(rows),
              "\"03/11/01\",70.2\r\n\"03/11/02\",0\r\n\"03/11/03\",71\r\n\"03/11/04\",0\r\n"
              "\"\",0\r\n");

    TempFolder folder;
    folder.put("日毎平均.TXT", "old");
    auto shown = dayAverages(kNovember).table.rows;
    ASSERT_TRUE(writeDayAverages(folder.dir(), shown).ok());
    EXPECT_EQ(folder.text("日毎平均.TXT"),
              "\"03/11/01\",70.2\r\n\"03/11/02\",0\r\n\"03/11/03\",69.8\r\n");
    EXPECT_EQ(folder.fileCount(), 1u);
}

TEST(DayAveragePrint, ChartThenTheListBesideIt) {
    const std::vector<DayRow> rows = {{"1", "03/11/01", "70.2"}, {"2", "03/11/02", ""}};
    const ui::PrintJob expected = {
        ui::printX(0),
        ui::printY(0),
        ui::printPicture("mcrAvgtai"),
        ui::printY(0),
        ui::printX(9000),
        ui::printText("　日付け    　  体重"),
        ui::printNewLine(),
        ui::printX(9000),
        ui::printText("-------------------"),
        ui::printNewLine(),
        ui::printX(9000),
        ui::printText("03/11/01"),
        ui::printZone(),
        ui::printText("70.2"),
        ui::printNewLine(),
        ui::printX(9000),
        ui::printText("03/11/02"),
        ui::printZone(),
        ui::printText(""),
        ui::printNewLine(),
        ui::printEndDoc(),
    };
    EXPECT_EQ(dayAveragePrintJob(rows), expected);
}

}  // namespace
}  // namespace analysis
