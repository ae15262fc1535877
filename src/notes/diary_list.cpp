#include "notes/diary_list.h"

#include "core/numbers.h"

namespace notes {

namespace {
constexpr double kWeightLimit = 10000;
}

Mark markOf(double difference) {
    if (difference > 0) return Mark::Up;
    if (difference < 0) return Mark::Down;
    return Mark::Same;
}

std::vector<DiaryRow> diaryRows(std::span<const core::WeightRecord> records) {
    std::vector<DiaryRow> rows;
    rows.reserve(records.size());
    float previous = 0;
    int32_t number = 1;
    for (const core::WeightRecord& record : records) {
        // Both weights are singles, so their difference is exact in a double.
        double difference =
            previous == 0 ? 0.0
                          : static_cast<double>(record.Weight) - static_cast<double>(previous);
        rows.push_back({number++, core::shortestText(record.Weight),
                        core::Format(difference, "0.0"), markOf(difference)});
        previous = record.Weight;
    }
    return rows;
}

std::variant<float, WeightRefusal> parseWeight(std::string_view text) {
    if (text.empty()) return WeightRefusal::Empty;
    if (!core::IsNumeric(text)) return WeightRefusal::NotNumber;
    double value = core::Val(text);
    auto weight = core::toFloat(value);
    if (!weight || *weight >= kWeightLimit) return WeightRefusal::OutOfRange;
    return *weight;
}

}  // namespace notes
