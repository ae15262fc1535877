#include "analysis/smoothed_trend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace analysis {
namespace {

std::vector<core::WeightRecord> logOf(std::initializer_list<std::pair<const char*, float>> days) {
    std::vector<core::WeightRecord> log;
    for (auto [date, weight] : days) log.push_back({date, "朝", weight, "", "", ""});
    return log;
}

core::Date date(int y, unsigned m, unsigned d) {
    return core::Date{std::chrono::year(y), std::chrono::month(m), std::chrono::day(d)};
}

// Twenty days, out of order, two weighings on 06/01 and on 06/10, days without
// weighing between. Day means: 06/01 (70.0f + 70.6f) / 2 = 70.29999923706055,
// 06/02 70.0999984741211, so T(06/02) = T + 0.1 × (a − T) = 70.27999916076661;
// 06/03 keeps it; and so on to T(06/20) = 69.45145005210209. The pace is the
// slope over all 20 days (fewer than 28): Σ(x − 9.5)·T(x) / Σ(x − 9.5)²
// = −0.045200285963673384 a day, −0.3164020017457137 a week.
const auto kJune = logOf({{"2024/06/10", 69.2f},
                          {"2024/06/01", 70.0f},
                          {"2024/06/02", 70.1f},
                          {"2024/06/04", 69.9f},
                          {"2024/06/05", 69.8f},
                          {"2024/06/08", 69.5f},
                          {"2024/06/09", 69.6f},
                          {"2024/06/01", 70.6f},
                          {"2024/06/10", 69.4f},
                          {"2024/06/12", 69.0f},
                          {"2024/06/14", 68.8f},
                          {"2024/06/15", 68.9f},
                          {"2024/06/18", 68.5f},
                          {"2024/06/20", 68.3f}});

TEST(SmoothedTrend, SeriesOfALogWithGapsAndSeveralWeighingsADay) {
    SmoothedTrend t = smoothedTrend(kJune, 65.0f);
    const std::vector<double> series = {69.99769581340408, 70.29999923706055, 70.27999916076661,
                                        70.24199939727784, 70.19779976272584, 70.12801978645325,
                                        70.07521765522003, 70.29999923706055, 69.99769581340408,
                                        69.89792623206367, 69.78813391403308, 69.69932067521766,
                                        69.5793886076959,  69.45145005210209};
    EXPECT_EQ(t.series, series);
    EXPECT_EQ(t.lastDate, date(2024, 6, 20));
    EXPECT_EQ(t.lastTrend, 69.45145005210209);
    EXPECT_EQ(t.slopePerDay, -0.045200285963673384);
    EXPECT_EQ(t.pacePerWeek, -0.3164020017457137);
    EXPECT_EQ(t.lblKeikou, "傾向体重　69.5Kg");
    EXPECT_EQ(t.lblPace, "この4週間　-0.32Kg/週");
    // (69.45145005210209 − 65) / 0.045200285963673384 = 98.48, so 99 days.
    EXPECT_EQ(t.lblYosou, "目標到達予想　2024/09/27");

    // The same log in date order gives the same figures, each record its
    // day's trend.
    std::vector<core::WeightRecord> sorted(kJune.begin(), kJune.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.Date < b.Date; });
    SmoothedTrend s = smoothedTrend(sorted, 65.0f);
    EXPECT_EQ(s.lastTrend, t.lastTrend);
    EXPECT_EQ(s.slopePerDay, t.slopePerDay);
    EXPECT_EQ(s.series.front(), 70.29999923706055);
    EXPECT_EQ(s.series.back(), t.series.back());
}

TEST(SmoothedTrend, Texts) {
    struct Case {
        const char* what;
        std::vector<core::WeightRecord> log;
        float target;
        const char* keikou;
        const char* pace;
        const char* yosou;
    };
    const Case cases[] = {
        // (69.45145005210209 − 69.4000015258789) / 0.0452 = 1.14: rounded up to 2 days.
        {"the forecast is rounded up to whole days", kJune, 69.4f, "傾向体重　69.5Kg",
         "この4週間　-0.32Kg/週", "目標到達予想　2024/06/22"},
        {"the target just under the trend", kJune, 69.45f, "傾向体重　69.5Kg",
         "この4週間　-0.32Kg/週", "目標到達予想　2024/06/21"},
        {"the trend under the target", kJune, 69.46f, "傾向体重　69.5Kg", "この4週間　-0.32Kg/週",
         "目標達成中"},
        {"no target", kJune, 0.0f, "傾向体重　69.5Kg", "この4週間　-0.32Kg/週", "目標到達予想　―"},
        {"a negative target is none", kJune, -1.0f, "傾向体重　69.5Kg", "この4週間　-0.32Kg/週",
         "目標到達予想　―"},
        // 06/01 to 06/13: 13 days, no pace. T: 70, 69.96, 69.864.
        {"13 days", logOf({{"2024/06/01", 70.0f}, {"2024/06/07", 69.6f}, {"2024/06/13", 69.0f}}),
         65.0f, "傾向体重　69.9Kg", "この4週間　―", "目標到達予想　―"},
        // 14 days: slope −0.006962653023856546 a day; (69.8639998626709 − 65) /
        // 0.006962653023856546 = 698.58, so 699 days after 06/14.
        {"14 days", logOf({{"2024/06/01", 70.0f}, {"2024/06/07", 69.6f}, {"2024/06/14", 69.0f}}),
         65.0f, "傾向体重　69.9Kg", "この4週間　-0.05Kg/週", "目標到達予想　2026/05/14"},
        // T: 60, 60.05, 60.145; slope +0.005078947368420963 a day.
        {"a rising weight",
         logOf({{"2024/06/01", 60.0f}, {"2024/06/10", 60.5f}, {"2024/06/20", 61.0f}}), 55.0f,
         "傾向体重　60.1Kg", "この4週間　+0.04Kg/週", "目標到達予想　―"},
        // T(06/15) = 79.9900001525879, slope −0.00024999618530249074 a day: the
        // target is 119,962 days away, the pace −0.00175 shows as +0.00.
        {"beyond ten years", logOf({{"2024/06/01", 80.0f}, {"2024/06/15", 79.9f}}), 50.0f,
         "傾向体重　80.0Kg", "この4週間　+0.00Kg/週", "目標到達予想　―"},
        {"a single day", logOf({{"2024/06/01", 70.0f}, {"2024/06/01", 70.5f}}), 65.0f,
         "傾向体重　70.3Kg", "この4週間　―", "目標到達予想　―"},  // 70.25 half away
        {"a single day at the target", logOf({{"2024/06/01", 65.0f}}), 65.0f, "傾向体重　65.0Kg",
         "この4週間　―", "目標達成中"},
        // 05/01 to 06/10: the pace looks at 05/14 to 06/10 only, starting from
        // the trend of 05/10 (no weighing on 05/14). T: 80, 79.4, 78.76,
        // 78.084, 77.3756, 76.78804; slope −0.08635274220032745 a day; (76.78804
        // − 70) / 0.0863527 = 78.61, so 79 days after 06/10.
        {"the last 28 days of a longer log",
         logOf({{"2024/05/01", 80.0f},
                {"2024/05/10", 74.0f},
                {"2024/05/20", 73.0f},
                {"2024/06/01", 72.0f},
                {"2024/06/05", 71.0f},
                {"2024/06/10", 71.5f}}),
         70.0f, "傾向体重　76.8Kg", "この4週間　-0.60Kg/週", "目標到達予想　2024/08/28"},
    };
    for (const auto& c : cases) {
        SmoothedTrend t = smoothedTrend(c.log, c.target);
        EXPECT_EQ(t.lblKeikou, c.keikou) << c.what;
        EXPECT_EQ(t.lblPace, c.pace) << c.what;
        EXPECT_EQ(t.lblYosou, c.yosou) << c.what;
    }
}

TEST(SmoothedTrend, NoRecordsNoTexts) {
    SmoothedTrend t = smoothedTrend({}, 60.0f);
    EXPECT_TRUE(t.series.empty());
    EXPECT_FALSE(t.lastDate);
    EXPECT_EQ(t.lblKeikou, "");
    EXPECT_EQ(t.lblPace, "");
    EXPECT_EQ(t.lblYosou, "");

    // A record whose date cannot be read has no point and no say.
    SmoothedTrend one = smoothedTrend(logOf({{"2024/06/31", 50.0f}, {"2024/06/01", 70.0f}}), 0);
    ASSERT_EQ(one.series.size(), 2u);
    EXPECT_TRUE(std::isnan(one.series[0]));
    EXPECT_EQ(one.series[1], 70.0);
    EXPECT_EQ(one.lblKeikou, "傾向体重　70.0Kg");
}

// The whole days to the target are rounded up: exactly 4 days is 4, a hair
// more is 5; 3,650 days is the furthest forecast.
TEST(Forecast, WholeDaysUpToTenYears) {
    const core::Date z = date(2024, 6, 20);
    const double above61 = std::nextafter(61.0, 100.0);
    struct Case {
        const char* what;
        double trend;
        std::optional<double> slope;
        float target;
        std::optional<core::Date> forecast;
    };
    const Case cases[] = {
        {"(61 − 60) / 0.25 = 4", 61.0, -0.25, 60.0f, date(2024, 6, 24)},
        {"4.000000000000028", above61, -0.25, 60.0f, date(2024, 6, 25)},
        {"(60.75 − 60) / 0.25 = 3", 60.75, -0.25, 60.0f, date(2024, 6, 23)},
        {"(972.5 − 60) / 0.25 = 3650", 972.5, -0.25, 60.0f, date(2034, 6, 18)},
        {"3651 days", 972.75, -0.25, 60.0f, std::nullopt},
        {"a slope of almost nothing", 61.0, -1e-300, 60.0f, std::nullopt},
        {"a flat trend", 61.0, 0.0, 60.0f, std::nullopt},
        {"a rising trend", 61.0, 0.1, 60.0f, std::nullopt},
        {"no slope", 61.0, std::nullopt, 60.0f, std::nullopt},
        {"at the target", 60.0, -0.25, 60.0f, std::nullopt},
        {"no target", 61.0, -0.25, 0.0f, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(forecastDate(z, c.trend, c.slope, c.target), c.forecast) << c.what;
}

TEST(PaceText, SignedHundredthsRoundedAsFormatRounds) {
    struct Case {
        std::optional<double> pace;
        const char* text;
    };
    const Case cases[] = {
        {0.125, "この4週間　+0.13Kg/週"},    {-0.125, "この4週間　-0.13Kg/週"},
        {0.004, "この4週間　+0.00Kg/週"},    {-0.004, "この4週間　+0.00Kg/週"},
        {0.0, "この4週間　+0.00Kg/週"},      {-0.005, "この4週間　-0.01Kg/週"},
        {1.005, "この4週間　+1.01Kg/週"},  // 1.00499999999999989 to 15 digits is 1.005
        {-12.345, "この4週間　-12.35Kg/週"}, {std::nullopt, "この4週間　―"},
    };
    for (const auto& c : cases) EXPECT_EQ(paceText(c.pace), c.text) << c.text;
}

TEST(YosouText, ReachedForecastOrNone) {
    EXPECT_EQ(yosouText(60.0, std::nullopt, 60.0f), "目標達成中");
    EXPECT_EQ(yosouText(59.0, date(2024, 6, 1), 60.0f), "目標達成中");
    EXPECT_EQ(yosouText(61.0, date(2024, 6, 1), 60.0f), "目標到達予想　2024/06/01");
    EXPECT_EQ(yosouText(61.0, std::nullopt, 60.0f), "目標到達予想　―");
    EXPECT_EQ(yosouText(-1.0, std::nullopt, 0.0f), "目標到達予想　―");
    EXPECT_EQ(keikouText(69.95), "傾向体重　70.0Kg");
}

}  // namespace
}  // namespace analysis
