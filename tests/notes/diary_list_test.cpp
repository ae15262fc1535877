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
    core::Change mark;
};

class DiaryRowsTest : public testing::TestWithParam<RowCase> {};

TEST_P(DiaryRowsTest, LastRowShowsItsDifferenceAndMark) {
    const RowCase& c = GetParam();
    std::vector<core::WeightRecord> records;
    for (float w : c.weights) records.push_back(weighing(w));
    DiaryRow last = diaryRow(records, records.size() - 1);
    EXPECT_EQ(last.number, static_cast<int32_t>(c.weights.size()));
    EXPECT_EQ(last.Weight, c.weight);
    EXPECT_EQ(last.difference, c.difference);
    EXPECT_EQ(last.differenceMark, c.mark);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DiaryRowsTest,
    testing::Values(RowCase{"first row", {65.3f}, "65.3", "0.0", core::Change::Same},
                    RowCase{"whole kilograms", {66.0f, 65.0f}, "65", "-1.0", core::Change::Down},
                    // Marks follow the exact difference, not the one decimal shown.
                    RowCase{"tiny gain", {65.3f, 65.32f}, "65.32", "0.0", core::Change::Up},
                    RowCase{"tiny loss", {65.32f, 65.3f}, "65.3", "-0.0", core::Change::Down},
                    RowCase{"no change", {65.3f, 65.3f}, "65.3", "0.0", core::Change::Same},
                    RowCase{"gain", {65.3f, 66.1f}, "66.1", "0.8", core::Change::Up},
                    // A weight of 0 before it: no difference to show.
                    RowCase{"after zero", {65.0f, 0.0f, 64.0f}, "64", "0.0", core::Change::Same},
                    RowCase{"down to zero", {65.0f, 0.0f}, "0", "-65.0", core::Change::Down}),
    [](const auto& test) {
        std::string name = test.param.what;
        for (char& ch : name)
            if (ch == ' ') ch = '_';
        return name;
    });

TEST(DiaryRows, NumbersRunPastTheSixteenBitRange) {
    std::vector<core::WeightRecord> records(40000, weighing(60.0f));
    EXPECT_EQ(diaryRow(records, records.size() - 1).number, 40000);
}

}  // namespace
}  // namespace notes
