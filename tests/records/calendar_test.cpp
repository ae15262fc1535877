#include "records/calendar.h"

#include <gtest/gtest.h>

namespace records {
namespace {

core::WeightRecord rec(const char* date, float weight) {
    return {date, "", weight, {}, {}, {}};
}

core::Date ymd(int y, unsigned m, unsigned d) {
    return core::Date{std::chrono::year(y), std::chrono::month(m), std::chrono::day(d)};
}

constexpr ui::Color kViolet{192, 192, 255};

TEST(Calendar, DaysAreClassifiedByTheirFirstAndLastWeighing) {
    struct Case {
        std::vector<float> weights;
        DayClass cls;
    };
    const Case cases[] = {
        {{65.0f, 66.0f, 65.0f}, DayClass::Unchanged},
        {{99.8f, 100.2f}, DayClass::Gained},
        {{70.0f, 60.0f, 69.9f}, DayClass::Lost},
        {{70.0f}, DayClass::Once},
    };
    for (const auto& c : cases) EXPECT_EQ(classifyDay(c.weights), c.cls) << c.weights.size();

    struct Colors {
        DayClass cls;
        ui::Color detail, simple;
    };
    const Colors colors[] = {
        {DayClass::Lost, ui::kLightGreen, ui::kLightGreen},
        {DayClass::Unchanged, ui::kLightYellow, ui::kLightGreen},
        {DayClass::Gained, ui::kLightRed, ui::kLightRed},
        {DayClass::Once, kViolet, ui::kLightRed},
    };
    for (const auto& c : colors) {
        EXPECT_EQ(colorOf(c.cls, CaleMode::Detail), c.detail);
        EXPECT_EQ(colorOf(c.cls, CaleMode::Simple), c.simple);
    }
}

// 2003/01/20 gained, 2003/01/21 unchanged, 2003/02/26 lost, 2003/02/27 once
// (the last day); 2003/02/30 is not a real date.
const std::vector<core::WeightRecord> kLog = {
    rec("2003/01/20", 60.0f), rec("2003/01/20", 60.5f), rec("2003/01/21", 60.0f),
    rec("2003/01/21", 61.0f), rec("2003/01/21", 60.0f), rec("2003/02/26", 60.2f),
    rec("2003/02/26", 59.9f), rec("2003/02/30", 50.0f), rec("2003/02/27", 59.0f),
};

TEST(Calendar, MonthsRowsCellsAndCountsInBothModes) {
    for (CaleMode mode : {CaleMode::Detail, CaleMode::Simple}) {
        Calendar cal = calendarDays(kLog, mode, ymd(2003, 2, 27));
        EXPECT_EQ(cal.months, (std::vector<std::string>{"2003年01月", "2003年02月"}));
        const std::vector<CaleCell> cells = {
            {1, 20, DayClass::Gained, ui::kLightRed},
            {1, 21, DayClass::Unchanged, colorOf(DayClass::Unchanged, mode)},
            {2, 26, DayClass::Lost, ui::kLightGreen},
            {2, 27, DayClass::Once, colorOf(DayClass::Once, mode)},
        };
        EXPECT_EQ(cal.cells, cells);
        // 39 days from 01/20 to 02/27, four of them weighed.
        EXPECT_EQ(cal.counts, (CaleCounts{1, 1, 1, 1, 35}));
    }
}

TEST(Calendar, UnmeasuredDaysSpanFromTheFirstRecordToTodayOrLater) {
    struct Case {
        const char* what;
        std::vector<core::WeightRecord> log;
        core::Date today;
        CaleCounts counts;
        size_t months;
    };
    const Case cases[] = {
        {"an empty log", {}, ymd(2004, 3, 1), {}, 0},
        {"one weighing today", {rec("2004/03/01", 70)}, ymd(2004, 3, 1), {0, 0, 0, 1, 0}, 1},
        {"every day weighed across a leap day",
         {rec("2004/02/28", 70), rec("2004/02/29", 70), rec("2004/03/01", 70)},
         ymd(2004, 3, 1),
         {0, 0, 0, 3, 0},
         2},
        {"a record after today",
         {rec("2004/03/01", 70), rec("2004/03/10", 70)},
         ymd(2004, 3, 5),
         {0, 0, 0, 2, 8},
         1},
        {"only unreadable dates", {rec("2004/13/01", 70), rec("", 70)}, ymd(2004, 3, 1), {}, 0},
        {"a date repeated out of order",
         {rec("2004/03/02", 70), rec("2004/03/01", 70), rec("2004/03/02", 70)},
         ymd(2004, 3, 1),
         {0, 0, 0, 3, 0},
         1},
    };
    for (const auto& c : cases) {
        Calendar cal = calendarDays(c.log, CaleMode::Detail, c.today);
        EXPECT_EQ(cal.counts, c.counts) << c.what;
        EXPECT_EQ(cal.months.size(), c.months) << c.what;
    }
}

TEST(Calendar, SummaryComparesGoodAndBadDays) {
    struct Case {
        CaleCounts counts;
        const char* good;
        const char* bad;
        const char* sign;
        Face face;
    };
    const Case cases[] = {
        {{10, 2, 9, 3, 0}, "12日", "12日", "=", Face::Smiling},
        {{10, 3, 9, 3, 0}, "13日", "12日", ">", Face::Laughing},
        {{0, 0, 0, 1, 0}, "0日", "1日", "<", Face::Sad},
    };
    for (const auto& c : cases) {
        CaleSummary s = caleSummary(c.counts);
        EXPECT_EQ(s.lblGenT, c.good);
        EXPECT_EQ(s.lblZouT, c.bad);
        EXPECT_EQ(s.lblHugou, c.sign);
        EXPECT_EQ(s.face, c.face);
    }
    CaleSummary s = caleSummary({1, 2, 3, 4, 5});
    EXPECT_EQ(s.lblDn_c, "体重減  1日");
    EXPECT_EQ(s.lblSm_c, "増減無し  2日");
    EXPECT_EQ(s.lblUp_c, "体重増  3日");
    EXPECT_EQ(s.lblOne_c, "１回だけ計測  4日");
    EXPECT_EQ(s.lblNon_c, "未計測  5日");
}

TEST(Calendar, CellToDate) {
    struct Case {
        int row, col;
        const char* label;
        std::optional<core::Date> date;
    };
    const Case cases[] = {
        {1, 20, "2003年01月", ymd(2003, 1, 20)},
        {2, 31, "2003年12月", ymd(2003, 12, 31)},
        {1, 29, "2004年02月", ymd(2004, 2, 29)},
        {1, 29, "2003年02月", std::nullopt},
        {1, 30, "2004年02月", std::nullopt},
        {1, 31, "2003年04月", std::nullopt},
        {0, 5, "年月", std::nullopt},
        {0, 5, "2003年01月", std::nullopt},
        {1, 0, "2003年01月", std::nullopt},
        {1, 32, "2003年01月", std::nullopt},
        {1, 5, "", std::nullopt},
        {1, 5, "2003年13月", std::nullopt},
        {1, 5, "2003年1月", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cellDate(c.row, c.col, c.label), c.date)
            << c.row << "," << c.col << " " << c.label;
}

}  // namespace
}  // namespace records
