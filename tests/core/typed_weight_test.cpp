#include "core/typed_weight.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using core::parseTypedWeight;
using core::WeightRefusal;

constexpr WeightRefusal kEmpty{"体重が入力されていません", "体重未入力"};
constexpr WeightRefusal kNotNumber{"数値を入力してください", "数値以外入力"};
constexpr WeightRefusal kOutOfRange{"体重は 10000Kg 未満の数値を入力してください", "数値範囲外"};

TEST(TypedWeight, AcceptsWhatAScaleCanShow) {
    const struct {
        const char* text;
        float weight;
    } cases[] = {
        {"65.3", 65.3f},     {" 70 ", 70.0f},       {"0", 0.0f},      {"-0.5", -0.5f},
        {"9999.9", 9999.9f}, {"-9999.9", -9999.9f}, {"1e3", 1000.0f}, {"58.60", 58.6f},
    };
    for (const auto& c : cases) {
        auto result = parseTypedWeight(c.text);
        ASSERT_TRUE(std::holds_alternative<float>(result)) << c.text;
        EXPECT_EQ(std::get<float>(result), c.weight) << c.text;
    }
}

TEST(TypedWeight, RefusesWithTheReasonTheUserSees) {
    const struct {
        const char* text;
        WeightRefusal refusal;
    } cases[] = {
        {"", kEmpty},
        {"abc", kNotNumber},
        {"65kg", kNotNumber},
        {"   ", kNotNumber},
        {"6,5", kNotNumber},
        {"10000", kOutOfRange},
        {"-10000", kOutOfRange},
        {"-20000", kOutOfRange},
        {"1e39", kOutOfRange},
        {"9999.99999", kOutOfRange},
    };
    for (const auto& c : cases) {
        auto result = parseTypedWeight(c.text);
        ASSERT_TRUE(std::holds_alternative<WeightRefusal>(result)) << c.text;
        EXPECT_EQ(std::get<WeightRefusal>(result), c.refusal) << c.text;
    }
}

}  // namespace
