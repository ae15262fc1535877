// The main panel's day: which weighings it lists, what each one costs, and
// what the totals and the face say, for a selected date of a small log.
#include "weighing/day_view.h"

#include <gtest/gtest.h>

namespace weighing {
namespace {

const core::RecordView kLog[] = {
    {"2024/06/01", "朝食前", 65.0f, "", "", ""}, {"2024/06/01", "夕食後", 65.5f, "", "", ""},
    {"2024/06/02", "朝食前", 65.2f, "", "", ""}, {"2024/06/02", "夕食後", 65.96f, "", "", ""},
    {"2024/06/03", "朝食前", 64.0f, "", "", ""},
};

savings::ConversionTable table(std::initializer_list<std::pair<const char*, int16_t>> rates) {
    savings::ConversionTable t;
    t.entries.clear();
    for (auto [date, rate] : rates) t.entries.emplace_back(date, rate);
    return t;
}

TEST(DayView, ListsTheSelectedDayWithItsPenaltiesAndTotals) {
    struct Case {
        const char* selected;
        savings::ConversionTable rates;
        std::vector<std::pair<core::Change, core::Change>> marks;  // previous, first
        std::vector<int32_t> penalties;
        int32_t grandTotal;
        float currentWeight;
        const char* currentDate;
        Face face;
    };
    const auto standard = table({{"2000/01/01", 100}});
    const Case cases[] = {
        // The log's first weighing is its own reference.
        {"2024/06/01",
         standard,
         {{core::Change::Same, core::Change::Same}, {core::Change::Up, core::Change::Up}},
         {0, 100},
         100,
         65.5f,
         "2024/06/01",
         Face::Up},
        // The day's first weighing is measured against the day before.
        {"2024/06/02",
         standard,
         {{core::Change::Down, core::Change::Same}, {core::Change::Up, core::Change::Up}},
         {0, 152},
         252,
         65.96f,
         "2024/06/02",
         Face::Up},
        {"2024/06/03",
         standard,
         {{core::Change::Down, core::Change::Same}},
         {0},
         252,
         64.0f,
         "2024/06/03",
         Face::Same},
        // A day without weighings: the log's last weighing is the current one.
        {"2024/06/05", standard, {}, {}, 252, 64.0f, "2024/06/03", Face::None},
        {"2024/05/31", standard, {}, {}, 0, 64.0f, "2024/06/03", Face::None},
        // Each weighing is charged at the rate of its own date.
        {"2024/06/02",
         table({{"2000/01/01", 100}, {"2024/06/02", 10}}),
         {{core::Change::Down, core::Change::Same}, {core::Change::Up, core::Change::Up}},
         {0, 16},
         116,
         65.96f,
         "2024/06/02",
         Face::Up},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        DayView day = computeDay(kLog, c.rates, 170, c.selected);
        ASSERT_EQ(day.rows.size(), c.marks.size());
        int32_t dayTotal = 0;
        for (size_t i = 0; i < day.rows.size(); ++i) {
            EXPECT_EQ(day.rows[i].previousMark, c.marks[i].first) << i;
            EXPECT_EQ(day.rows[i].firstMark, c.marks[i].second) << i;
            EXPECT_EQ(day.rows[i].penalty, c.penalties[i]) << i;
            dayTotal += c.penalties[i];
            EXPECT_EQ(day.rows[i].dayTotal, dayTotal) << i;
        }
        EXPECT_EQ(day.dayTotal, dayTotal);
        EXPECT_EQ(day.grandTotal, c.grandTotal);
        EXPECT_EQ(day.currentWeight, c.currentWeight);
        EXPECT_EQ(day.currentDate, c.currentDate);
        EXPECT_EQ(day.face, c.face);
        EXPECT_EQ(day.summary.FirstDate, "2024/06/01");
        EXPECT_EQ(day.summary.LastDate, "2024/06/03");
        EXPECT_EQ(day.summary.LastWeight, 64.0f);
        EXPECT_EQ(day.summary.RecordCount, 5);
    }
}

TEST(DayView, BodyFiguresNeedAHeight) {
    for (float height : {170.0f, 0.0f, -5.0f}) {
        DayView day = computeDay(kLog, savings::ConversionTable{}, height, "2024/06/02");
        ASSERT_EQ(day.rows.size(), 2u);
        EXPECT_EQ(day.rows[0].bmi.has_value(), height > 0) << height;
        EXPECT_EQ(day.rows[0].obesity.has_value(), height > 0) << height;
    }
    DayView day = computeDay(kLog, savings::ConversionTable{}, 170, "2024/06/02");
    EXPECT_NEAR(*day.rows[0].bmi, 65.2 / (1.7 * 1.7), 1e-4);
    EXPECT_FLOAT_EQ(day.dayMax, 65.96f);
    EXPECT_FLOAT_EQ(day.dayMin, 65.2f);
}

TEST(DayView, AnEmptyLogHasNoDayAndNoSummary) {
    DayView day = computeDay({}, savings::ConversionTable{}, 170, "2024/06/02");
    EXPECT_TRUE(day.rows.empty());
    EXPECT_EQ(day.face, Face::None);
    EXPECT_EQ(day.grandTotal, 0);
    EXPECT_EQ(day.summary.RecordCount, 0);
    EXPECT_EQ(day.summary.FirstDate, "");
    EXPECT_EQ(day.currentDate, "");
}

}  // namespace
}  // namespace weighing
