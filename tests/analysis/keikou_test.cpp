#include "analysis/keikou.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/trend_source.h"
#include "core/numbers.h"
#include "support/temp_folder.h"

namespace analysis {
namespace {

using Log = std::vector<core::WeightRecord>;

core::WeightRecord rec(const char* date, const char* situation, float weight) {
    return {date, situation, weight, "", "", ""};
}

// Four days, lines out of date order, two weighings on every day but 06/03,
// no 起床後 on 06/03. By day, in the order of the lines:
//   06/01 夕食後 72.0, 起床後 71.0   mean 71.5
//   06/02 起床後 70.0, 夕食後 70.5   mean 70.25
//   06/03 夕食後 70.25              mean 70.25
//   06/04 起床後 69.0, 夕食後 70.5   mean 69.75
const Log kFourDays = {rec("2024/06/02", "起床後", 70.0f),  rec("2024/06/01", "夕食後", 72.0f),
                       rec("2024/06/01", "起床後", 71.0f),  rec("2024/06/02", "夕食後", 70.5f),
                       rec("2024/06/03", "夕食後", 70.25f), rec("2024/06/04", "起床後", 69.0f),
                       rec("2024/06/04", "夕食後", 70.5f)};

TEST(TrendSource, EachSourceFeedsItsOwnDays) {
    struct Case {
        TrendSource source;
        std::vector<double> dayTrend;  // T on each day that fed it
        std::vector<double> series;    // T of each record's day, NaN beyond the days
        const char* keikou;
    };
    const double none = std::nan("");
    const Case cases[] = {
        // a = 71.5, 70.25, 70.25, 69.75: T = 71.5; 71.5 − 0.125 = 71.375;
        // 71.375 − 0.1125 = 71.2625; 71.2625 − 0.15125 = 71.11125.
        {{},
         {71.5, 71.375, 71.2625, 71.11125},
         {71.375, 71.5, 71.5, 71.375, 71.2625, 71.11125, 71.11125},
         "傾向体重　71.1Kg"},
        // The first line of each day: 72.0, 70.0, 70.25, 69.0: T = 72; 71.8;
        // 71.8 − 0.155 = 71.645; 71.645 − 0.2645 = 71.3805.
        {{TrendBasis::DayFirst, ""},
         {72, 71.8, 71.645, 71.3805},
         {71.8, 72, 72, 71.8, 71.645, 71.3805, 71.3805},
         "傾向体重（一日の最初）　71.4Kg"},
        // The lowest: 71.0, 70.0, 70.25, 69.0: T = 71; 70.9; 70.9 − 0.065 =
        // 70.835; 70.835 − 0.1835 = 70.6515.
        {{TrendBasis::DayLowest, ""},
         {71, 70.9, 70.835, 70.6515},
         {70.9, 71, 71, 70.9, 70.835, 70.6515, 70.6515},
         "傾向体重（一日の最小）　70.7Kg"},
        // 起床後 on 06/01, 06/02 and 06/04 only: T = 71; 70.9; 06/03 keeps
        // 70.9; 70.9 − 0.19 = 70.71.
        {{TrendBasis::Situation, "起床後"},
         {71, 70.9, 70.71},
         {70.9, 71, 71, 70.9, 70.9, 70.71, 70.71},
         "傾向体重（起床後）　70.7Kg"},
        // 夕食後: 72, 70.5, 70.25, 70.5: T = 72; 71.85; 71.69; 71.571.
        {{TrendBasis::Situation, "夕食後"},
         {72, 71.85, 71.69, 71.571},
         {71.85, 72, 72, 71.85, 71.69, 71.571, 71.571},
         "傾向体重（夕食後）　71.6Kg"},
        // A label no line has: no days at all.
        {{TrendBasis::Situation, "昼食後"}, {}, std::vector<double>(7, none), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source.captionMark());
        SmoothedTrend t = smoothedTrend(kFourDays, 0, c.source);
        ASSERT_EQ(t.dayTrend.size(), c.dayTrend.size());
        for (size_t i = 0; i < c.dayTrend.size(); ++i)
            EXPECT_NEAR(t.dayTrend[i], c.dayTrend[i], 1e-9);
        ASSERT_EQ(t.series.size(), c.series.size());
        for (size_t i = 0; i < c.series.size(); ++i) {
            if (std::isnan(c.series[i]))
                EXPECT_TRUE(std::isnan(t.series[i])) << i;
            else
                EXPECT_NEAR(t.series[i], c.series[i], 1e-9) << i;
        }
        EXPECT_EQ(t.lblKeikou, c.keikou);
    }
}

// Every weighing of the day is the trend as it always was, to the last bit.
TEST(TrendSource, EveryWeighingOfTheDayIsThePlainTrend) {
    SmoothedTrend plain = smoothedTrend(kFourDays, 65);
    SmoothedTrend sourced =
        smoothedTrend(kFourDays, 65, TrendSource{TrendBasis::DayMean, "起床後"});
    EXPECT_EQ(plain.dayTrend, sourced.dayTrend);
    EXPECT_EQ(plain.lastTrend, sourced.lastTrend);
    EXPECT_EQ(plain.lblKeikou, sourced.lblKeikou);
}

// A record before the first day of its source, or after the last, has no
// trend: A on 06/01 and 06/03, B on 06/02 and 06/04.
TEST(TrendSource, RecordsBeyondTheSourcesDaysHaveNoTrend) {
    const Log log = {rec("2024/06/01", "A", 70), rec("2024/06/02", "B", 71),
                     rec("2024/06/03", "A", 69), rec("2024/06/04", "B", 72)};
    SmoothedTrend a = smoothedTrend(log, 0, {TrendBasis::Situation, "A"});
    EXPECT_EQ(a.series[0], 70);
    EXPECT_EQ(a.series[1], 70);  // 06/02 keeps 06/01's trend
    EXPECT_NEAR(a.series[2], 69.9, 1e-12);
    EXPECT_TRUE(std::isnan(a.series[3]));
    SmoothedTrend b = smoothedTrend(log, 0, {TrendBasis::Situation, "B"});
    EXPECT_TRUE(std::isnan(b.series[0]));
    EXPECT_EQ(b.series[1], 71);
}

TEST(PeriodRows, FiguresOfAShortTrend) {
    auto rows = periodRows(smoothedTrend(kFourDays, 0));
    ASSERT_EQ(rows.size(), 7u);
    // Over 06/01 to 06/04: change 71.11125 − 71.5 = −0.38875; slope
    // Σ(x − 1.5)·T / Σ(x − 1.5)² = −0.639375 / 5 = −0.127875 a day, −0.895125
    // a week, −920.7 kcal a day; lowest 71.11125, highest 71.5.
    const std::array<std::string, 5> figures = {"-0.4Kg", "-0.90Kg", "-921kcal", "71.1", "71.5"};
    const std::array<std::string, 5> dashes = {"―", "―", "―", "―", "―"};
    EXPECT_EQ(rows[0].caption, "1週間");
    EXPECT_EQ(rows[0].cells, figures);  // 4 days of 7 are enough
    EXPECT_EQ(rows[1].cells, dashes);   // 4 of 14 are not
    EXPECT_EQ(rows[6].caption, "全期間");
    EXPECT_EQ(rows[6].cells, figures);
    // Two days: T = 70, 69.9; the slope is (−0.5·70 + 0.5·69.9) / 0.5 = −0.1.
    auto two =
        periodRows(smoothedTrend(Log{rec("2024/06/01", "朝", 70), rec("2024/06/02", "朝", 69)}, 0));
    EXPECT_EQ(two[6].cells,
              (std::array<std::string, 5>{"-0.1Kg", "-0.70Kg", "-720kcal", "69.9", "70.0"}));
    EXPECT_EQ(periodRows(smoothedTrend(Log{rec("2024/06/01", "朝", 70)}, 0))[6].cells, dashes);
    EXPECT_TRUE(periodRows(smoothedTrend(Log{}, 0)).empty());
}

// A period of n days has figures from ceil(n / 2) days on: a trend of two
// weighings that span `days` calendar days.
TEST(PeriodRows, EachPeriodAtTheEdgeOfHalfItsDays) {
    struct Case {
        int32_t days;
        size_t row;
        bool figures;
    };
    const Case cases[] = {{3, 0, false},  {4, 0, true},  {6, 1, false},   {7, 1, true},
                          {13, 2, false}, {14, 2, true}, {45, 3, false},  {46, 3, true},
                          {90, 4, false}, {91, 4, true}, {182, 5, false}, {183, 5, true},
                          {1, 6, false},  {2, 6, true}};
    for (const Case& c : cases) {
        const core::Date first{std::chrono::year(2024), std::chrono::month(1), std::chrono::day(1)};
        const core::Date last = dateOfDay(dayNumber(first) + c.days - 1);
        Log log = {rec("2024/01/01", "朝", 70),
                   rec(core::Format(last, "yyyy/mm/dd").c_str(), "朝", 69)};
        if (c.days == 1) log.pop_back();
        auto rows = periodRows(smoothedTrend(log, 0));
        EXPECT_EQ(rows[c.row].cells[0] != "―", c.figures)
            << c.days << " days, " << rows[c.row].caption;
    }
}

// The 4週間 row is the pace of the trend chart.
TEST(PeriodRows, FourWeeksIsThePace) {
    Log log;
    for (int d = 1; d <= 40; ++d) {
        const core::Date day{std::chrono::year(2024), std::chrono::month(3), std::chrono::day(1)};
        const std::string date = core::Format(dateOfDay(dayNumber(day) + d), "yyyy/mm/dd");
        log.push_back(
            rec(date.c_str(), "朝",
                80.0f - 0.1f * static_cast<float>(d % 7) - 0.05f * static_cast<float>(d)));
    }
    SmoothedTrend t = smoothedTrend(log, 0);
    EXPECT_EQ(periodRows(t)[2].cells[1], core::formatSigned(*t.pacePerWeek, "0.00Kg"));
}

TEST(KcalText, RoundsHalvesAwayFromZeroAndGroupsThousands) {
    struct Case {
        double kcal;
        const char* text;
    };
    const Case cases[] = {{999.5, "+1,000kcal"}, {-999.5, "-1,000kcal"}, {999.4, "+999kcal"},
                          {-999.4, "-999kcal"},  {1000, "+1,000kcal"},   {-1000, "-1,000kcal"},
                          {-0.4, "+0kcal"},      {0, "+0kcal"},          {-12345.6, "-12,346kcal"}};
    for (const Case& c : cases) EXPECT_EQ(kcalText(c.kcal / kKcalPerKg), c.text) << c.kcal;
}

TEST(SituationReport, FourDays) {
    SituationReport r = situationReport(kFourDays);
    ASSERT_EQ(r.rows.size(), 2u);
    // 夕食後: 4 weighings, mean 283.25 / 4 = 70.8125; against its day
    // (72 − 71.5 + 70.5 − 70.25 + 70.5 − 69.75) / 3 = +0.5, 06/03 alone on
    // its day left out.
    EXPECT_EQ(situationCells(r.rows[0]),
              (std::array<std::string, 5>{"夕食後", "4", "70.8", "+0.50Kg", "2024/06/04"}));
    // 起床後: 3, mean 70; (71 − 71.5 + 70 − 70.25 + 69 − 69.75) / 3 = −0.5.
    EXPECT_EQ(situationCells(r.rows[1]),
              (std::array<std::string, 5>{"起床後", "3", "70.0", "-0.50Kg", "2024/06/04"}));
    // Swing: 06/01 1.0, 06/02 0.5, 06/04 1.5; 06/03 has one weighing.
    EXPECT_EQ(swingText(r.swing), "一日の変動　1.00Kg（3日の平均）");
    // Overnight, first and last in the order of the lines: 70 − 71, 70.25 −
    // 70.5, 69 − 70.25: −2.5 / 3 = −0.8333.
    EXPECT_EQ(overnightText(r.swing), "夜から朝　-0.83Kg（3回の平均）");
}

TEST(SituationReport, OrderSinglesAndGaps) {
    struct Case {
        const char* what;
        Log log;
        std::vector<std::string> labels;
        std::vector<std::string> againstDay;
        const char* swing;
        const char* overnight;
    };
    const Case cases[] = {
        {"ties go by the first line, not the first date",
         {rec("2024/06/02", "B", 70), rec("2024/06/01", "A", 71), rec("2024/06/01", "C", 72),
          rec("2024/06/02", "A", 70.5f), rec("2024/06/03", "B", 70), rec("2024/06/03", "C", 69)},
         {"B", "A", "C"},
         // B: (70 − 70.25 + 70 − 69.5) / 2; A: (71 − 71.5 + 70.5 − 70.25) / 2;
         // C: (72 − 71.5 + 69 − 69.5) / 2.
         {"+0.13Kg", "-0.13Kg", "+0.00Kg"},
         // (72 − 71 + 70.5 − 70 + 70 − 69) / 3.
         "一日の変動　0.83Kg（3日の平均）",
         // 06/02 first 70 − 06/01 last 72; 06/03 first 70 − 06/02 last 70.5.
         "夜から朝　-1.25Kg（2回の平均）"},
        {"single weighings and a day between",
         {rec("2024/06/01", "朝", 70), rec("2024/06/03", "朝", 69)},
         {"朝"},
         {"―"},
         "一日の変動　―",
         "夜から朝　―"},
        {"an empty log", {}, {}, {}, "一日の変動　―", "夜から朝　―"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SituationReport r = situationReport(c.log);
        std::vector<std::string> labels, against;
        for (const SituationRow& row : r.rows) {
            labels.push_back(row.label);
            against.push_back(situationCells(row)[3]);
        }
        EXPECT_EQ(labels, c.labels);
        EXPECT_EQ(against, c.againstDay);
        EXPECT_EQ(swingText(r.swing), c.swing);
        EXPECT_EQ(overnightText(r.swing), c.overnight);
    }
}

TEST(TrendSourceFile, ReadsWhatItWroteAndFallsBackOnAnythingElse) {
    TempFolder folder;
    core::DataDir dir = folder.dir();
    struct Case {
        const char* text;  // nullptr: no file
        TrendBasis basis;
        const char* label;
    };
    const Case cases[] = {
        {nullptr, TrendBasis::DayMean, ""},
        {"3\r\n\"起床後\"\r\n", TrendBasis::Situation, "起床後"},
        {"1\r\n\"\"\r\n", TrendBasis::DayFirst, ""},
        {"2\r\n", TrendBasis::DayLowest, ""},
        {"4\r\n\"起床後\"\r\n", TrendBasis::DayMean, "起床後"},
        {"-1\r\n", TrendBasis::DayMean, ""},
        {"1.5\r\n", TrendBasis::DayMean, ""},
        {"abc\r\n", TrendBasis::DayMean, ""},
        {"", TrendBasis::DayMean, ""},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(folder.file(kTrendSourceFile));
        if (c.text) folder.put(kTrendSourceFile, c.text);
        TrendSource s = readTrendSource(dir);
        EXPECT_EQ(static_cast<int>(s.basis), static_cast<int>(c.basis))
            << (c.text ? c.text : "none");
        EXPECT_EQ(s.label, c.label) << (c.text ? c.text : "none");
    }
    const TrendSource chosen{TrendBasis::Situation, "夕食後"};
    ASSERT_TRUE(writeTrendSource(dir, chosen).ok());
    EXPECT_EQ(readTrendSource(dir), chosen);
    EXPECT_EQ(folder.text(kTrendSourceFile), "3\r\n\"夕食後\"\r\n");
}

}  // namespace
}  // namespace analysis
