#include "analysis/bmi.h"
#include "core/numbers.h"

#include <gtest/gtest.h>

#include "core/numbers.h"

namespace analysis {
namespace {

// At 200 cm the square of the height in metres is exactly 4.
TEST(Bmi, ClassesAtTheirEdges) {
    struct Case {
        float weight;
        const char* bmi;
        const char* cls;
    };
    const Case cases[] = {
        {67.9f, "17.0", "やせ過ぎ"},  // 16.975
        {68.0f, "17.0", "やせ気味"},          {80.0f, "20.0", "スタンダード"},
        {96.0f, "24.0", "スタンダード"},      {96.1f, "24.0", "でぶメゾフォルテ"},  // 24.025
        {105.6f, "26.4", "でぶメゾフォルテ"}, {105.7f, "26.4", "でぶフォルテ"},     // 26.425
        {120.0f, "30.0", "でぶフォルテシモ"}, {140.0f, "35.0", "でぶフォルテシモ"},
    };
    for (const auto& c : cases) {
        float b = bmiOf(c.weight, 200.0f);
        EXPECT_EQ(core::Format(b, "0.0"), c.bmi) << c.weight;
        EXPECT_EQ(classify(b).text, c.cls) << c.weight;
    }
    EXPECT_EQ(classify(16.9f).labelColor, (ui::Color{192, 192, 255}));
    EXPECT_FALSE(classify(16.9f).segment);
    EXPECT_EQ(classify(31.0f).segment, 4);
}

TEST(Bmi, StandardWeightAndPointers) {
    EXPECT_EQ(core::Format(standardWeight(168.5f), "00.0"), "62.5");
    EXPECT_EQ(core::Format(standardWeight(60.0f), "00.0"), "07.9");
    // the pointer's centre stands on the BMI: 240 twips left of it
    EXPECT_EQ(pointerLeft(kMeterBand, 24.0f), 3975 - 240);
    EXPECT_EQ(pointerLeft(kMeterBand, 17.0f), 450 - 240 + 25);
    EXPECT_EQ(pointerLeft(kMeterBand, 32.0f), 7735);
    EXPECT_EQ(pointerLeft(kMainBar, 17.0f), 1305 - 7 * 160 - 240);
    EXPECT_EQ(clampToMeter(35.0f), 32.0f);
    EXPECT_EQ(clampToMeter(16.975f), 17.0f);
    EXPECT_EQ(clampToMeter(22.5f), 22.5f);
}

}  // namespace
}  // namespace analysis

namespace analysis {
namespace {

// The obesity of a listed weighing against the standard weight at BMI 22,
// in double precision: at 200 cm the standard weight is exactly 88 kg.
TEST(Obesity, AgainstTheStandardWeight) {
    const struct {
        float weight;
        float height;
        double ratio;
    } cases[] = {{88.0f, 200.0f, 0.0},
                 {99.0f, 200.0f, 0.125},
                 {77.0f, 200.0f, -0.125},
                 {176.0f, 200.0f, 1.0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(obesityRatio(c.weight, c.height), c.ratio) << c.weight;
    // 160 cm: the standard weight 56.32 kg as a single; the same single weight
    // shows no obesity, not -0.0%.
    EXPECT_EQ(core::Format(obesityRatio(56.32f, 160.0f), "0.0%"), "0.0%");
}

}  // namespace
}  // namespace analysis
