#include "analysis/trend.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

std::vector<core::WeightRecord> logOf(std::initializer_list<std::pair<const char*, float>> days) {
    std::vector<core::WeightRecord> log;
    for (auto [date, weight] : days) log.push_back({date, "朝", weight, "", "", ""});
    return log;
}

using Points = std::vector<std::optional<double>>;
constexpr std::nullopt_t none = std::nullopt;

TEST(MovingAverage, WidthsThatDrawAndWidthsThatDoNot) {
    const std::vector<float> weights = {70.0f, 71.0f, 72.0f, 73.0f};
    struct Case {
        const char* width;
        Points line;
    };
    const Case cases[] = {
        {"1", {70.0, 71.0, 72.0, 73.0}},
        {"2", {none, 70.5, 71.5, 72.5}},
        {" 3 ", {none, none, 71.0, 72.0}},
        {"4", {none, none, none, 71.5}},
        {"5", {none, none, none, none}},
        {"10", {none, none, none, none}},
        {"99999999999", {none, none, none, none}},
        {"0", {none, none, none, none}},
        {"-2", {none, none, none, none}},
        {"2.5", {none, none, none, none}},
        {"", {none, none, none, none}},
        {"2a", {none, none, none, none}},
        {"abc", {none, none, none, none}},
    };
    for (const auto& c : cases) EXPECT_EQ(movingAverage(weights, c.width), c.line) << c.width;
}

TEST(MovingAverage, TenWeighingsEndingAtEachRow) {
    std::vector<float> weights;
    for (int i = 0; i < 12; ++i) weights.push_back(80.0f - static_cast<float>(i));
    Points line = movingAverage(weights, "10");
    ASSERT_EQ(line.size(), 12u);
    EXPECT_FALSE(line[8]);
    EXPECT_DOUBLE_EQ(*line[9], 75.5);   // 80 .. 71
    EXPECT_DOUBLE_EQ(*line[11], 73.5);  // 78 .. 69
}

// Every point is its weights summed from the earliest in single precision,
// whatever the log's length and the width; large and tiny weights among
// ordinary ones make a sum in another order come out differently.
TEST(MovingAverage, EachPointSummedInOrder) {
    std::vector<float> weights;
    uint32_t seed = 12345;
    for (int i = 0; i < 45; ++i) {
        seed = seed * 1103515245u + 12345u;
        weights.push_back(40.0f + static_cast<float>((seed >> 8) % 1100) / 10.0f);
    }
    weights[5] = 16777216.0f;
    weights[17] = 0.001f;
    weights[30] = 3.0e6f;
    for (size_t length : {0u, 1u, 7u, 8u, 9u, 16u, 23u, 45u})
        for (int width = 1; width <= 20; ++width) {
            const std::span<const float> shown(weights.data(), length);
            Points expected(length);
            for (size_t i = static_cast<size_t>(width) - 1; i < length; ++i) {
                float sum = 0;
                for (size_t j = i + 1 - static_cast<size_t>(width); j <= i; ++j) sum += shown[j];
                expected[i] = static_cast<double>(sum) / width;
            }
            EXPECT_EQ(movingAverage(shown, std::to_string(width)), expected)
                << length << " weighings, width " << width;
        }
}

TEST(Trend, SummaryTexts) {
    struct Case {
        const char* what;
        std::vector<core::WeightRecord> log;
        const char* nichis;
        const char* kiro;
    };
    const Case cases[] = {
        {"a loss, the lowest reached twice",
         logOf({{"2024/04/01", 75.0f},
                {"2024/06/10", 69.5f},
                {"2024/07/01", 69.5f},
                {"2024/07/16", 70.5f}}),
         "2024/04/01 ( 75Kg ) でスタート ～ 2024/07/16 ( 70.5Kg ) まで 106日経過 _ 4.5Kg 減",
         "最小記録 2024/06/10 の 69.5Kg   初日から 5.5Kg 減"},
        {"a gain", logOf({{"2024/04/01", 60.0f}, {"2024/04/03", 61.2f}}),
         "2024/04/01 ( 60Kg ) でスタート ～ 2024/04/03 ( 61.2Kg ) まで 2日経過 _ 1.2Kg 増",
         "最小記録 2024/04/01 の 60Kg   初日から 0.0Kg 同"},
        {"back where it started", logOf({{"2024/04/01", 60.0f}, {"2024/04/02", 60.0f}}),
         "2024/04/01 ( 60Kg ) でスタート ～ 2024/04/02 ( 60Kg ) まで 1日経過 _ 0.0Kg 同",
         "最小記録 2024/04/01 の 60Kg   初日から 0.0Kg 同"},
        {"a single record", logOf({{"2024/04/01", 58.6f}}),
         "2024/04/01 ( 58.6Kg ) でスタート ～ 2024/04/01 ( 58.6Kg ) まで 0日経過 _ 0.0Kg 同",
         "最小記録 2024/04/01 の 58.6Kg   初日から 0.0Kg 同"},
    };
    for (const auto& c : cases) {
        Trend t = trend(c.log);
        EXPECT_EQ(t.lblNichis, c.nichis) << c.what;
        EXPECT_EQ(t.lblKiro, c.kiro) << c.what;
        EXPECT_EQ(t.recordCount(), static_cast<int32_t>(c.log.size())) << c.what;
    }
}

TEST(Trend, LowestRecordOfHeavyWeights) {
    auto log = logOf({{"2024/01/01", 1200.0f}, {"2024/01/02", 999.0f}, {"2024/01/03", 1000.0f}});
    Trend t = trend(log);
    EXPECT_EQ(t.MinRecordWeight, 999.0f);
    EXPECT_EQ(t.minRecordDateText, "2024/01/02");
    EXPECT_EQ(t.MinRecordDate, core::parseDate("2024/01/02"));
    EXPECT_EQ(t.TrendMaxWeight, 1200.0f);
    EXPECT_EQ(t.axis, (Axis{999, 1200}));

    auto all = logOf({{"2024/01/01", 1000.0f}, {"2024/01/02", 1000.0f}});
    Trend same = trend(all);
    EXPECT_EQ(same.minRecordDateText, "2024/01/01");
    EXPECT_EQ(same.MinRecordWeight, 1000.0f);
}

TEST(Trend, EmptyLogHasNothingToDraw) {
    Trend t = trend({});
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_FALSE(t.axis);
    EXPECT_EQ(mokuChkCaption(t, 60), "目標まで残り　0.0Kg");
}

TEST(WeightAxis, WholeKilogramsAroundTheWeights) {
    struct Case {
        float lowest, highest;
        Axis axis;
    };
    const Case cases[] = {
        {69.5f, 74.5f, {69, 75}}, {69.8f, 70.4f, {69, 71}},
        {70.0f, 71.1f, {70, 72}},  // 71.1 + 0.9 falls just short of 72 in single precision
        {70.0f, 71.0f, {70, 71}}, {70.0f, 70.0f, {70, 71}},  // the maximum stays above the minimum
        {-0.5f, 0.0f, {-1, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(weightAxis(c.lowest, c.highest), c.axis) << c.lowest << " " << c.highest;
}

TEST(TargetFloor, CaptionAndAxis) {
    Trend t = trend(logOf({{"2024/04/01", 74.5f}, {"2024/05/01", 69.5f}, {"2024/06/01", 70.5f}}));
    EXPECT_EQ(*t.axis, (Axis{69, 75}));
    EXPECT_EQ(mokuChkCaption(t, 65.0f), "目標まで残り　5.5Kg");
    EXPECT_FLOAT_EQ(remainingToTarget(t, 65.0f), 5.5f);
    EXPECT_EQ(mokuChkCaption(t, 71.5f), "目標まで残り　-1.0Kg");
    EXPECT_EQ(targetFloorAxis(*t.axis, 65.0f), (Axis{65, 75}));
    EXPECT_EQ(targetFloorAxis(*t.axis, 65.9f), (Axis{65, 75}));
    EXPECT_EQ(targetFloorAxis(*t.axis, 80.0f), (Axis{80, 81}));
}

}  // namespace
}  // namespace analysis
