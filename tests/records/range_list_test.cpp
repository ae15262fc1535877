#include "records/range_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace records {
namespace {

core::WeightRecord rec(const char* date, const char* situation, float weight) {
    return {date, situation, weight, {}, {}, {}};
}

// 2003/11/01 is a Saturday.
const std::vector<core::WeightRecord> kLog = {
    rec("2003/11/01", "朝食前", 70.0f),       rec("2003/11/01", "夜", 71.0f),
    rec("2003/11/02", "朝食後", 70.5f),       rec("2003/11/03", "朝", 70.2f),
    rec("2003/11/08", "ジョギング後", 69.8f),
};

std::vector<std::string> listedDates(const ListFilter& filter) {
    std::vector<std::string> out;
    for (const auto& r : kLog)
        if (listed(filter, r)) out.push_back(r.Date + " " + r.Situation);
    return out;
}

TEST(ListFilter, EachPartRestrictsTheList) {
    struct Case {
        const char* what;
        ListFilter filter;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"no part set lists everything",
         {},
         {"2003/11/01 朝食前", "2003/11/01 夜", "2003/11/02 朝食後", "2003/11/03 朝",
          "2003/11/08 ジョギング後"}},
        {"both ends of the period are included",
         {.period = Period{"2003/11/02", "2003/11/03"}},
         {"2003/11/02 朝食後", "2003/11/03 朝"}},
        {"a start after the end lists nothing", {.period = Period{"2003/11/03", "2003/11/02"}}, {}},
        {"a bound in another form compares as text: \"2003/11/1\" sorts after \"2003/11/08\"",
         {.period = Period{"2003/11/1", "2003/11/08"}},
         {}},
        {"the keyword anywhere in the situation",
         {.keyword = "朝"},
         {"2003/11/01 朝食前", "2003/11/02 朝食後", "2003/11/03 朝"}},
        {"a situation chosen from the list acts as a keyword",
         {.keyword = "朝食"},
         {"2003/11/01 朝食前", "2003/11/02 朝食後"}},
        {"the keyword is not read as kana", {.keyword = "あさ"}, {}},
        {"an empty keyword is in every situation", {.keyword = ""}, listedDates({})},
        {"Saturday",
         {.weekday = 6},
         {"2003/11/01 朝食前", "2003/11/01 夜", "2003/11/08 ジョギング後"}},
        {"Monday", {.weekday = 1}, {"2003/11/03 朝"}},
        {"weekday, keyword and period together",
         {.period = Period{"2003/11/01", "2003/11/07"}, .weekday = 6, .keyword = "朝"},
         {"2003/11/01 朝食前"}},
        {"chosen dates",
         {.dates = std::vector<std::string>{"2003/11/03", "2003/11/08"}},
         {"2003/11/03 朝", "2003/11/08 ジョギング後"}},
    };
    for (const auto& c : cases) EXPECT_EQ(listedDates(c.filter), c.expected) << c.what;
}

TEST(ListFilter, BuildersFromTheControls) {
    struct Case {
        const char* keyword;
        int16_t weekday;
        ListBuilder builder;
        size_t rows;  // in the period 2003/11/01 ～ 2003/11/03
    };
    const Case cases[] = {
        {"", kNoWeekday, ListBuilder::DSP_LIST_PERIOD, 4},
        {"朝", kNoWeekday, ListBuilder::DSP_LIST_KEY, 3},
        {"", 6, ListBuilder::DSP_LIST_WEEK, 2},
        {"朝", 6, ListBuilder::DSP_LIST_WEEK_KEY, 1},
        {"朝", 7, ListBuilder::DSP_LIST_KEY, 3},
        {"", -1, ListBuilder::DSP_LIST_PERIOD, 4},
    };
    for (const auto& c : cases) {
        ListBuilder b = chooseBuilder(c.keyword, c.weekday);
        EXPECT_EQ(b, c.builder) << c.keyword << c.weekday;
        ListFilter f = filterFor(b, "2003/11/01", "2003/11/03", c.keyword, c.weekday);
        EXPECT_EQ(rangeList(kLog, f, 170).size(), c.rows) << c.keyword << c.weekday;
    }
    // 検索 runs the keyword builder whatever the weekday; the whole log ignores the controls.
    EXPECT_EQ(
        rangeList(kLog, filterFor(ListBuilder::DSP_LIST_KEY, "2003/11/01", "2003/11/03", "", 6),
                  170)
            .size(),
        4u);
    EXPECT_EQ(rangeList(kLog, filterFor(ListBuilder::DSP_LIST_ALL, "x", "a", "無", 1), 170).size(),
              kLog.size());
}

TEST(RangeList, MarksFollowTheDisplayedDifference) {
    const std::vector<core::WeightRecord> log = {
        rec("2004/01/01", "a", 65.0f),  rec("2004/01/01", "b", 65.04f),
        rec("2004/01/01", "c", 65.14f), rec("2004/01/01", "d", 65.1f),
        rec("2004/01/01", "e", 65.06f), rec("2004/01/01", "f", 64.9f),
    };
    const char* expected[][4] = {
        {"0.0Kg", " 同", "0.0Kg", " 同"},  {"0.0Kg", " 同", "0.0Kg", " 同"},
        {"0.1Kg", " 増", "0.1Kg", " 増"},  {"-0.0Kg", " 同", "0.1Kg", " 増"},
        {"-0.0Kg", " 同", "0.1Kg", " 増"}, {"-0.2Kg", " 減", "-0.1Kg", " 減"},
    };
    RangeList list = rangeList(log, {}, 170);
    ASSERT_EQ(list.size(), log.size());
    for (size_t i = 0; i < log.size(); ++i) {
        const auto& cells = list.row(i).cells;
        EXPECT_EQ(cells[kColPreviousDiff], expected[i][0]) << i;
        EXPECT_EQ(cells[kColPreviousMark], expected[i][1]) << i;
        EXPECT_EQ(cells[kColFirstDiff], expected[i][2]) << i;
        EXPECT_EQ(cells[kColFirstMark], expected[i][3]) << i;
        EXPECT_EQ(list.row(i).previousColor, std::string(expected[i][1]) == " 同" ? ui::kLightYellow
                                             : std::string(expected[i][1]) == " 増"
                                                 ? ui::kLightRed
                                                 : ui::kLightGreen)
            << i;
    }
}

TEST(RangeList, DifferencesAreTakenWithinTheFilteredList) {
    RangeList list = rangeList(kLog, {.keyword = "朝"}, 200);
    ASSERT_EQ(list.size(), 3u);
    const std::array<std::string, kListColumns> expected[] = {
        {"1", "2003/11/01", "土", "朝食前", "70.0Kg", "0.0Kg", " 同", "0.0Kg", " 同", "17.5",
         "-20.5%"},
        {"2", "2003/11/02", "日", "朝食後", "70.5Kg", "0.5Kg", " 増", "0.5Kg", " 増", "17.6",
         "-19.9%"},
        {"3", "2003/11/03", "月", "朝", "70.2Kg", "-0.3Kg", " 減", "0.2Kg", " 増", "17.5",
         "-20.2%"},
    };
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(list.row(i).cells, expected[i]) << i;

    // A list that does not start at the log's first record measures from its own first row.
    RangeList late = rangeList(kLog, {.period = Period{"2003/11/03", "2003/11/08"}}, 200);
    ASSERT_EQ(late.size(), 2u);
    EXPECT_EQ(late.row(0).cells[kColFirstDiff], "0.0Kg");
    EXPECT_EQ(late.row(1).cells[kColPreviousDiff], "-0.4Kg");
    EXPECT_EQ(late.row(1).cells[kColNumber], "2");
}

TEST(RangeList, NoHeightLeavesTheBodyFiguresEmpty) {
    for (float height : {0.0f, -170.0f, std::numeric_limits<float>::quiet_NaN()}) {
        RangeList list = rangeList(kLog, {}, height);
        for (size_t i = 0; i < list.size(); ++i) {
            ListRow row = list.row(i);
            EXPECT_EQ(row.cells[kColBmi], "") << height;
            EXPECT_EQ(row.cells[kColObesity], "") << height;
            EXPECT_EQ(row.cells[kColWeight].empty(), false);
        }
    }
}

TEST(RangeList, AxisAndScrollFollowTheListedRows) {
    struct Case {
        std::vector<float> weights;
        std::optional<AxisRange> axis;
    };
    const Case cases[] = {
        {{64.2f, 65.0f}, AxisRange{64, 65}},
        {{65.3f, 64.2f}, AxisRange{64, 66}},
        {{60.7f}, AxisRange{60, 61}},
        {{1000.5f, 999.5f}, AxisRange{999, 1001}},
        {{}, std::nullopt},
    };
    for (const auto& c : cases) {
        std::vector<core::WeightRecord> log;
        for (float w : c.weights) log.push_back(rec("2004/01/01", "", w));
        RangeList list = rangeList(log, {}, 170);
        EXPECT_EQ(list.axis, c.axis) << c.weights.size();
        ASSERT_EQ(list.size(), c.weights.size());
        for (size_t i = 0; i < c.weights.size(); ++i)
            EXPECT_EQ(list.listed[i].record->Weight, c.weights[i]);
    }
    // Only the listed rows size the axis.
    EXPECT_EQ(rangeList(kLog, {.keyword = "夜"}, 170).axis, (AxisRange{71, 71}));

    for (auto [count, scroll] : {std::pair{10, false}, std::pair{11, true}}) {
        std::vector<core::WeightRecord> log(static_cast<size_t>(count), rec("2004/01/01", "", 60));
        EXPECT_EQ(rangeList(log, {}, 170).scrollToEnd, scroll) << count;
    }
}

TEST(RangeList, PeriodItemsHoldEachDateOnce) {
    PeriodItems items = periodItems(kLog);
    EXPECT_EQ(items.items,
              (std::vector<std::string>{"2003/11/01", "2003/11/02", "2003/11/03", "2003/11/08"}));
    EXPECT_EQ(items.shown, (Period{"2003/11/01", "2003/11/08"}));
    PeriodItems none = periodItems({});
    EXPECT_TRUE(none.items.empty());
    EXPECT_EQ(none.shown, (Period{}));
    // A log out of date order offers each date once, in order.
    const std::vector<core::WeightRecord> unordered = {
        rec("2024/06/01", "a", 62.0f), rec("2024/06/03", "a", 61.5f), rec("2024/06/02", "a", 61.8f),
        rec("2024/06/03", "b", 61.9f), rec("2024/06/02", "b", 62.4f)};
    PeriodItems sorted = periodItems(unordered);
    EXPECT_EQ(sorted.items, (std::vector<std::string>{"2024/06/01", "2024/06/02", "2024/06/03"}));
    EXPECT_EQ(sorted.shown, (Period{"2024/06/01", "2024/06/03"}));
}

}  // namespace
}  // namespace records
