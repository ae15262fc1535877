#include "savings/history.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "support/temp_folder.h"

namespace savings {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct Weighing {
    const char* date;
    float weight;
};

struct Expected {
    const char* date;  // yy/mm/dd
    int32_t amount, total;
};

std::vector<core::WeightRecord> logOf(std::initializer_list<Weighing> weighings) {
    std::vector<core::WeightRecord> log;
    for (const auto& w : weighings) log.push_back({w.date, "朝", w.weight, "", "", ""});
    return log;
}

ConversionTable tableOf(std::vector<ConversionEntry> entries) {
    ConversionTable table;
    table.entries = std::move(entries);
    return table;
}

TEST(History, DayAmountsAndRunningTotals) {
    struct Case {
        const char* what;
        ConversionTable table;
        std::vector<core::WeightRecord> log;
        std::vector<Expected> rows;
    };
    const ConversionTable rate100 = tableOf({{"2000/01/01", 100}});
    const ConversionTable rate5 = tableOf({{"2000/01/01", 5}});
    const Case cases[] = {
        {"the worked example: the first record costs nothing, the day 220",
         rate100,
         logOf({{"2024/01/04", 59.8f},
                {"2024/01/05", 60.0f},
                {"2024/01/05", 60.4f},
                {"2024/01/05", 60.2f},
                {"2024/01/05", 60.6f}}),
         {{"24/01/04", 0, 0}, {"24/01/05", 220, 220}}},
        {"rounding after each addition: 1, then 3.5 to 4, then 6.5 to 6",
         rate5,
         logOf({{"2024/01/04", 60.0f}, {"2024/01/05", 60.25f}, {"2024/01/05", 60.75f}}),
         {{"24/01/04", 0, 0}, {"24/01/05", 6, 6}}},
        {"single precision decides the half yen at rate 5",
         rate5,
         logOf({{"2024/01/01", 60.0f}, {"2024/01/02", 60.1f}, {"2024/01/03", 60.2f}}),
         {{"24/01/01", 0, 0}, {"24/01/02", 0, 0}, {"24/01/03", 1, 1}}},
        {"a negative rate lowers the total, a loss keeps it",
         tableOf({{"2000/01/01", -100}}),
         logOf({{"2024/01/01", 60.0f}, {"2024/01/02", 60.5f}, {"2024/01/03", 60.0f}}),
         {{"24/01/01", 0, 0}, {"24/01/02", -50, -50}, {"24/01/03", 0, -50}}},
        {"each day at the rate of its own date",
         tableOf({{"2000/01/01", 100}, {"2024/06/01", 200}, {"2024/06/03", 50}}),
         logOf({{"2024/05/31", 60.0f},
                {"2024/06/01", 60.5f},
                {"2024/06/02", 61.0f},
                {"2024/06/03", 61.5f}}),
         {{"24/05/31", 0, 0},
          {"24/06/01", 100, 100},
          {"24/06/02", 100, 200},
          {"24/06/03", 25, 225}}},
        {"a table out of date order is walked as it stands",
         tableOf({{"2000/01/01", 100}, {"2024/06/01", 200}, {"2010/01/01", 50}}),
         logOf({{"2015/01/01", 60.0f}, {"2015/01/02", 60.5f}, {"2024/07/01", 61.0f}}),
         {{"15/01/01", 0, 0}, {"15/01/02", 50, 50}, {"24/07/01", 25, 75}}},
        {"a date that comes back after another starts a row with its own first weight",
         rate100,
         logOf({{"2024/01/01", 60.0f}, {"2024/01/02", 60.5f}, {"2024/01/01", 61.0f}}),
         {{"24/01/01", 0, 0}, {"24/01/02", 50, 50}, {"24/01/01", 50, 100}}},
        {"one date only: one row whose total is its amount",
         rate100,
         logOf({{"2024/01/01", 60.0f}, {"2024/01/01", 60.5f}, {"2024/01/01", 60.25f}}),
         {{"24/01/01", 125, 125}}},
        {"a week without weighings leaves no gap in the numbers",
         rate100,
         logOf({{"2024/01/01", 60.0f}, {"2024/01/09", 60.0f}}),
         {{"24/01/01", 0, 0}, {"24/01/09", 0, 0}}},
        {"absurd gains stop at the limit, a gain without a value adds nothing",
         rate100,
         logOf({{"2024/01/01", 1.0f},
                {"2024/01/02", 3e38f},
                {"2024/01/03", 3.4e38f},
                {"2024/01/04", kInf},
                {"2024/01/05", std::numeric_limits<float>::quiet_NaN()},
                {"2024/01/06", 60.0f}}),
         {{"24/01/01", 0, 0},
          {"24/01/02", kMax, kMax},
          {"24/01/03", kMax, kMax},
          {"24/01/04", kMax, kMax},
          {"24/01/05", 0, kMax},
          {"24/01/06", 0, kMax}}},
        {"absurd gains at a negative rate stop at the lower limit",
         tableOf({{"2000/01/01", -100}}),
         logOf({{"2024/01/01", 1.0f}, {"2024/01/02", 3e38f}, {"2024/01/03", 3.4e38f}}),
         {{"24/01/01", 0, 0}, {"24/01/02", kMin, kMin}, {"24/01/03", kMin, kMin}}},
        {"dates written otherwise run and show as dates, a text that is no date as itself",
         rate100,
         logOf({{"2024-01-05", 60.0f},
                {"2024/1/6", 60.5f},
                {"2024/1/6", 60.5f},
                {"いつか", 61.0f},
                {"2024/01/07", 61.0f}}),
         {{"24/01/05", 0, 0}, {"24/01/06", 50, 50}, {"いつか", 50, 100}, {"24/01/07", 0, 100}}},
        {"an infinite gain at rate 0 costs nothing",
         tableOf({{"2000/01/01", 0}}),
         logOf({{"2024/01/01", 60.0f}, {"2024/01/02", kInf}}),
         {{"24/01/01", 0, 0}, {"24/01/02", 0, 0}}},
    };
    for (const auto& c : cases) {
        History h = history(c.log, c.table);
        ASSERT_EQ(h.rows.size(), c.rows.size()) << c.what;
        for (size_t i = 0; i < c.rows.size(); ++i) {
            const HistoryRow& row = h.rows[i];
            EXPECT_EQ(row.number, static_cast<int32_t>(i + 1)) << c.what;
            EXPECT_EQ(row.Date, c.rows[i].date) << c.what << " row " << i + 1;
            EXPECT_EQ(row.amount, c.rows[i].amount) << c.what << " row " << i + 1;
            EXPECT_EQ(row.total, c.rows[i].total) << c.what << " row " << i + 1;
        }
        EXPECT_EQ(h.grandTotal, c.rows.back().total) << c.what;
    }
}

TEST(History, EmptyLogGivesNoRowsAndAChartPointWithoutValue) {
    History h = history({}, ConversionTable{});
    EXPECT_TRUE(h.rows.empty());
    EXPECT_EQ(h.grandTotal, 0);
    HistoryChart chart = historyChart(h);
    ASSERT_EQ(chart.total.size(), 1u);
    ASSERT_EQ(chart.amount.size(), 1u);
    EXPECT_FALSE(chart.total[0].has_value());
    EXPECT_FALSE(chart.amount[0].has_value());
    EXPECT_EQ(historyText(h), "");
}

TEST(History, ChartAndExportFollowTheRows) {
    History h;
    h.rows = {{1, "24/01/05", 20, 150}, {2, "24/01/06", -30, 120}};
    HistoryChart chart = historyChart(h);
    EXPECT_EQ(chart.total, (std::vector<std::optional<double>>{150.0, 120.0}));
    EXPECT_EQ(chart.amount, (std::vector<std::optional<double>>{20.0, -30.0}));
    EXPECT_EQ(historyText(h), "\"24/01/05\",20,150\r\n\"24/01/06\",-30,120\r\n");
}

TEST(WriteHistory, ReplacesTheFileUnderItsOwnNameAndReportsFailure) {
    TempFolder t;
    t.put("貯金推移.TXT", "old\r\n");
    History h = history(logOf({{"2024/01/05", 60.0f}}), ConversionTable{});
    ASSERT_TRUE(writeHistory(t.dir(), h).ok());
    EXPECT_EQ(t.text("貯金推移.TXT"), "\"24/01/05\",0,0\r\n");
    EXPECT_EQ(t.fileCount(), 1u);

    core::DataDir failing = t.dir();
    failing.setFaultHook([](core::WriteStep step) { return step == core::WriteStep::Rename; });
    core::Status status = writeHistory(failing, History{});
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(t.text("貯金推移.TXT"), "\"24/01/05\",0,0\r\n");
}

}  // namespace
}  // namespace savings
