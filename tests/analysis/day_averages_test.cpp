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
    EXPECT_EQ(r.table.rows.all(), rows);
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
        EXPECT_EQ(r.table.rows.all(), c.rows) << c.what;
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
        {"a date that is no date", logOf({{"2024/01/01", 70.0f}, {"2024/13/01", 69.0f}}),
         "24/01/01", "24/01/01",
         "体重データに日付として読めないものがあるため、日毎平均を表示できません。"},
        {"a century of days", kNovember, "1900/01/01", "2003/11/03",
         "日数が 32767 日を超えるため、日毎平均を表示できません。"},
    };
    for (const auto& c : cases) {
        DayAveragesResult r = dayAveragesForPeriod(c.log, c.start, c.end);
        EXPECT_EQ(r.error, c.error) << c.what;
        EXPECT_TRUE(r.table.rows.empty()) << c.what;
    }
    EXPECT_FALSE(dayAverages(logOf({{"1900/01/01", 70.0f}, {"2000/01/01", 69.0f}})).ok());
    // 32,767 days from the first to the last is the most; one more is refused,
    // whichever record comes first in the log.
    EXPECT_EQ(dayAverages(logOf({{"2024/01/01", 70.0f}, {"1934/04/17", 69.0f}})).table.rows.size(),
              32767u);
    DayAveragesResult tooMany = dayAverages(logOf({{"2024/01/01", 70.0f}, {"1934/04/16", 69.0f}}));
    EXPECT_EQ(tooMany.error, "日数が 32767 日を超えるため、日毎平均を表示できません。");
}

// A log out of date order shows what the same log sorted by date shows: each
// weighing counts on its own day. The sort keeps the log order within a day,
// because a day's weights are added in single precision in log order, and the
// sum depends on that order: 70.1 + 70.2 + 70.3 gives 210.59999 but
// 70.3 + 70.2 + 70.1 gives 210.60001.
TEST(DayAverages, LogOutOfDateOrder) {
    struct Case {
        const char* what;
        std::vector<core::WeightRecord> log, sorted;
        double thirdDay;  // the chart's value on 2024/01/03
    };
    const Case cases[] = {
        {"a day's weights in log order",
         logOf({{"2024/01/03", 70.1f},
                {"2024/01/01", 69.0f},
                {"2024/01/03", 70.2f},
                {"2024/01/03", 70.3f}}),
         logOf({{"2024/01/01", 69.0f},
                {"2024/01/03", 70.1f},
                {"2024/01/03", 70.2f},
                {"2024/01/03", 70.3f}}),
         70.19999694824219},  // 210.59999084472656f / 3 in single precision
        {"the same weights the other way round",
         logOf({{"2024/01/03", 70.3f},
                {"2024/01/03", 70.2f},
                {"2024/01/01", 69.0f},
                {"2024/01/03", 70.1f}}),
         logOf({{"2024/01/01", 69.0f},
                {"2024/01/03", 70.3f},
                {"2024/01/03", 70.2f},
                {"2024/01/03", 70.1f}}),
         70.20000457763672},  // 210.60000610351562f / 3
    };
    const std::vector<DayRow> rows = {
        {"1", "24/01/01", "69.0"}, {"2", "24/01/02", ""}, {"3", "24/01/03", "70.2"}};
    for (const auto& c : cases) {
        DayAveragesResult r = dayAverages(c.log), s = dayAverages(c.sorted);
        ASSERT_TRUE(r.ok()) << c.what << ": " << r.error;
        EXPECT_EQ(r.table.rows.all(), rows) << c.what;
        EXPECT_EQ(r.table.chart, points({69.0f, 69.0f, static_cast<float>(c.thirdDay)})) << c.what;
        EXPECT_EQ(r.table.chart, s.table.chart) << c.what;
        EXPECT_EQ(r.table.dateItems, s.table.dateItems) << c.what;
        EXPECT_EQ(r.table.startText, "24/01/01") << c.what;
        EXPECT_EQ(r.table.endText, "24/01/03") << c.what;
        EXPECT_EQ(r.table.axis, (Axis{69, 71})) << c.what;
        EXPECT_EQ(r.table.RecordCount, 4) << c.what;

        DayAveragesResult p = dayAveragesForPeriod(c.log, "24/01/02", "24/01/03");
        ASSERT_TRUE(p.ok()) << c.what << ": " << p.error;
        EXPECT_EQ(p.table.rows.all(),
                  (std::vector<DayRow>{{"1", "24/01/02", ""}, {"2", "24/01/03", "70.2"}}))
            << c.what;
        EXPECT_EQ(p.table.chart, points({69.0f, static_cast<float>(c.thirdDay)})) << c.what;
    }
}

TEST(DayAverages, EmptyAndSingleRecordLogs) {
    DayAveragesResult empty = dayAverages({});
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.table.rows.empty());
    EXPECT_FALSE(empty.table.axis);

    DayAveragesResult one = dayAverages(logOf({{"2024/02/29", 58.6f}}));
    ASSERT_TRUE(one.ok());
    EXPECT_EQ(one.table.rows.all(), (std::vector<DayRow>{{"1", "24/02/29", "58.6"}}));
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
    EXPECT_EQ(r.table.rows.all(),
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
    auto shown = dayAverages(kNovember).table.rows.all();
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

namespace analysis {

void PrintTo(const DayRow& row, std::ostream* os) {
    *os << "{" << row.number << ", " << row.date << ", " << row.average << "}";
}

namespace {

// A week runs from Sunday; a row's mean is the mean of its days' means, each
// day's weights summed in double precision. The chart's figures are worked
// out from the singles: 70.0f and 70.4f are 70 and 70.40000152587891, so
// 2024/06/01 has the mean 70.20000076293945; 69.8f + 69.7f is 139.5 exactly,
// whose half 69.75 shows as 69.8 (halves away from zero).
TEST(PeriodAverages, Weeks) {
    // 2024/06/01 is a Saturday: its week's row shows the Sunday before it.
    auto log = logOf({{"2024/06/01", 70.0f},
                      {"2024/06/01", 70.4f},
                      {"2024/06/02", 69.8f},
                      {"2024/06/05", 69.7f},
                      {"2024/06/18", 69.1f},
                      {"2024/06/29", 68.9f},
                      {"2024/06/30", 68.8f},
                      {"2024/07/01", 68.6f},
                      {"2024/07/02", 68.45f}});
    DayAveragesResult r = periodAverages(log, Unit::Week);
    ASSERT_TRUE(r.ok()) << r.error;
    const std::vector<DayRow> rows = {{"1", "24/05/26", "70.2"}, {"2", "24/06/02", "69.8"},
                                      {"3", "24/06/09", ""},     {"4", "24/06/16", "69.1"},
                                      {"5", "24/06/23", "68.9"}, {"6", "24/06/30", "68.6"}};
    EXPECT_EQ(r.table.rows.all(), rows);
    // The last week: (68.80000305175781 + 68.5999984741211 + 68.44999694824219) / 3.
    const Points chart = {70.20000076293945, 69.75, 69.75, 69.0999984741211, 68.9000015258789,
                          68.61666615804036};
    EXPECT_EQ(r.table.chart, chart);
    EXPECT_EQ(r.table.axis, (Axis{68, 71}));
    EXPECT_EQ(r.table.RecordCount, 9);
    EXPECT_TRUE(r.table.dateItems.empty());

    DayAveragesResult months = periodAverages(log, Unit::Month);
    ASSERT_TRUE(months.ok()) << months.error;
    EXPECT_EQ(months.table.rows.all(),
              (std::vector<DayRow>{{"1", "24/06/01", "69.4"}, {"2", "24/07/01", "68.5"}}));
    // June: the mean of six day means; July: (68.5999984741211 + 68.44999694824219) / 2.
    EXPECT_EQ(months.table.chart, (Points{69.41666730244954, 68.52499771118164}));
}

// Months of 31, 29 (a leap February), 31 (March, without weighing) and 30
// days, the log out of order. February's mean is that of its two days,
// 59.599998474121094 and (59.5f + 59.2f) / 2 = 59.35000038146973, which is
// 59.47499942779541 and shows 59.5; the mean of its three weighings would
// show 59.4.
TEST(PeriodAverages, Months) {
    auto log = logOf({{"2024/04/30", 57.9f},
                      {"2024/01/31", 60.0f},
                      {"2024/02/01", 59.6f},
                      {"2024/02/29", 59.5f},
                      {"2024/02/29", 59.2f}});
    DayAveragesResult r = periodAverages(log, Unit::Month);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.table.rows.all(), (std::vector<DayRow>{{"1", "24/01/01", "60.0"},
                                                       {"2", "24/02/01", "59.5"},
                                                       {"3", "24/03/01", ""},
                                                       {"4", "24/04/01", "57.9"}}));
    EXPECT_EQ(r.table.chart,
              (Points{60.0, 59.47499942779541, 59.47499942779541, 57.900001525878906}));
    EXPECT_EQ(r.table.axis, (Axis{57, 60}));

    // Weeks: 2024/01/28 is a Sunday, its week runs into February.
    DayAveragesResult weeks = periodAverages(log, Unit::Week);
    ASSERT_TRUE(weeks.ok()) << weeks.error;
    ASSERT_EQ(weeks.table.rows.size(), 14u);
    EXPECT_EQ(weeks.table.rows[0], (DayRow{"1", "24/01/28", "59.8"}));
    EXPECT_EQ(weeks.table.rows[1], (DayRow{"2", "24/02/04", ""}));
    EXPECT_EQ(weeks.table.rows[4], (DayRow{"5", "24/02/25", "59.4"}));
    EXPECT_EQ(weeks.table.rows[13], (DayRow{"14", "24/04/28", "57.9"}));
    EXPECT_EQ(weeks.table.chart[1], 59.79999923706055);  // (60 + 59.599998474121094) / 2
    EXPECT_EQ(weeks.table.chart[12], 59.35000038146973);
}

TEST(PeriodAverages, OrderOfTheLogDoesNotMatter) {
    auto sorted = logOf({{"2024/06/01", 70.0f},
                         {"2024/06/01", 70.4f},
                         {"2024/06/05", 69.7f},
                         {"2024/07/20", 68.6f}});
    auto shuffled = logOf({{"2024/07/20", 68.6f},
                           {"2024/06/01", 70.4f},
                           {"2024/06/05", 69.7f},
                           {"2024/06/01", 70.0f}});
    for (Unit unit : {Unit::Week, Unit::Month}) {
        DayAveragesResult a = periodAverages(sorted, unit), b = periodAverages(shuffled, unit);
        ASSERT_TRUE(a.ok() && b.ok());
        EXPECT_EQ(a.table.rows.all(), b.table.rows.all());
        EXPECT_EQ(a.table.chart, b.table.chart);
        EXPECT_EQ(a.table.axis, b.table.axis);
    }
}

TEST(PeriodAverages, SingleRecordEmptyLogAndRefusals) {
    auto one = logOf({{"2024/02/29", 58.6f}});
    EXPECT_EQ(periodAverages(one, Unit::Week).table.rows.all(),
              (std::vector<DayRow>{{"1", "24/02/25", "58.6"}}));
    EXPECT_EQ(periodAverages(one, Unit::Month).table.rows.all(),
              (std::vector<DayRow>{{"1", "24/02/01", "58.6"}}));
    EXPECT_EQ(periodAverages(one, Unit::Month).table.chart, (Points{58.599998474121094}));
    EXPECT_EQ(periodAverages(one, Unit::Month).table.axis, (Axis{58, 59}));

    DayAveragesResult empty = periodAverages({}, Unit::Week);
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.table.rows.empty());
    EXPECT_FALSE(empty.table.axis);

    struct Case {
        const char* what;
        std::vector<core::WeightRecord> log;
        Unit unit;
        const char* error;
    };
    // 2000/01 to 4730/07 is 32,767 months (24001st to 56767th month counted
    // from the year 0).
    const Case cases[] = {
        {"a date that is no date", logOf({{"2024/06/01", 70.0f}, {"2024/06/31", 69.0f}}),
         Unit::Week, "体重データに日付として読めないものがあるため、日毎平均を表示できません。"},
        {"32,768 months", logOf({{"4730/08/01", 70.0f}, {"2000/01/15", 69.0f}}), Unit::Month,
         "月の数が 32767 を超えるため、月毎平均を表示できません。"},
        {"32,768 weeks or more", logOf({{"1900/01/01", 70.0f}, {"2600/01/01", 69.0f}}), Unit::Week,
         "週の数が 32767 を超えるため、週毎平均を表示できません。"},
        {"32,767 months", logOf({{"4730/07/31", 70.0f}, {"2000/01/15", 69.0f}}), Unit::Month, ""},
    };
    for (const auto& c : cases) {
        DayAveragesResult r = periodAverages(c.log, c.unit);
        EXPECT_EQ(r.error, c.error) << c.what;
        EXPECT_EQ(r.table.rows.size(), r.ok() ? 32767u : 0u) << c.what;
    }
}

}  // namespace
}  // namespace analysis
