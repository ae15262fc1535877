#include "notes/diary_list.h"

#include <gtest/gtest.h>

#include <limits>

namespace notes {
namespace {

core::WeightRecord weighing(float weight) {
    return {"2024/06/01", "朝食前", weight, "", "", ""};
}

struct RowCase {
    const char* what;
    std::vector<float> weights;
    // The last row's cells.
    const char* weight;
    const char* difference;
    Mark mark;
};

class DiaryRowsTest : public testing::TestWithParam<RowCase> {};

TEST_P(DiaryRowsTest, LastRowShowsItsDifferenceAndMark) {
    const RowCase& c = GetParam();
    std::vector<core::WeightRecord> records;
    for (float w : c.weights) records.push_back(weighing(w));
    DiaryRow last = diaryRow(records, records.size() - 1);
    EXPECT_EQ(last.Number, static_cast<int32_t>(c.weights.size()));
    EXPECT_EQ(last.Weight, c.weight);
    EXPECT_EQ(last.Difference, c.difference);
    EXPECT_EQ(last.DifferenceMark, c.mark);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DiaryRowsTest,
    testing::Values(RowCase{"first row", {65.3f}, "65.3", "0.0", Mark::Same},
                    RowCase{"whole kilograms", {66.0f, 65.0f}, "65", "-1.0", Mark::Down},
                    // Marks follow the exact difference, not the one decimal shown.
                    RowCase{"tiny gain", {65.3f, 65.32f}, "65.32", "0.0", Mark::Up},
                    RowCase{"tiny loss", {65.32f, 65.3f}, "65.3", "-0.0", Mark::Down},
                    RowCase{"no change", {65.3f, 65.3f}, "65.3", "0.0", Mark::Same},
                    RowCase{"gain", {65.3f, 66.1f}, "66.1", "0.8", Mark::Up},
                    // A weight of 0 before it: no difference to show.
                    RowCase{"after zero", {65.0f, 0.0f, 64.0f}, "64", "0.0", Mark::Same},
                    RowCase{"down to zero", {65.0f, 0.0f}, "0", "-65.0", Mark::Down}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (ch == ' ') ch = '_';
        return name;
    });

TEST(DiaryRows, NumbersRunPastTheSixteenBitRange) {
    std::vector<core::WeightRecord> records(40000, weighing(60.0f));
    EXPECT_EQ(diaryRow(records, records.size() - 1).Number, 40000);
}

struct WeightCase {
    const char* text;
    std::variant<float, WeightRefusal> expected;
};

class ParseWeightTest : public testing::TestWithParam<WeightCase> {};

TEST_P(ParseWeightTest, AcceptsOrRefuses) {
    EXPECT_EQ(parseWeight(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseWeightTest,
                         testing::Values(WeightCase{"65.3", 65.3f}, WeightCase{"65", 65.0f},
                                         WeightCase{" 58.4 ", 58.4f}, WeightCase{"9999.9", 9999.9f},
                                         WeightCase{"", WeightRefusal::Empty},
                                         WeightCase{"abc", WeightRefusal::NotNumber},
                                         WeightCase{"65kg", WeightRefusal::NotNumber},
                                         WeightCase{"10000", WeightRefusal::OutOfRange},
                                         // Just under the limit, but a single rounds it up to it.
                                         WeightCase{"9999.9999", WeightRefusal::OutOfRange},
                                         WeightCase{"1e39", WeightRefusal::OutOfRange},
                                         WeightCase{"-1e39", WeightRefusal::OutOfRange}));

}  // namespace
}  // namespace notes
