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

DiaryRow diaryRow(std::span<const core::WeightRecord> records, size_t i) {
    float weight = records[i].Weight;
    float previous = i == 0 ? 0.0f : records[i - 1].Weight;
    // Both weights are singles, so their difference is exact in a double.
    double difference =
        previous == 0 ? 0.0 : static_cast<double>(weight) - static_cast<double>(previous);
    return {static_cast<int32_t>(i + 1), core::shortestText(weight),
            core::Format(difference, "0.0"), markOf(difference)};
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
