#include "notes/diary_list.h"

#include "core/numbers.h"

namespace notes {

DiaryRow diaryRow(std::span<const core::WeightRecord> records, size_t i) {
    float weight = records[i].Weight;
    float previous = i == 0 ? 0.0f : records[i - 1].Weight;
    // Both weights are singles, so their difference is exact in a double.
    double difference =
        previous == 0 ? 0.0 : static_cast<double>(weight) - static_cast<double>(previous);
    return {static_cast<int32_t>(i + 1), core::shortestText(weight),
            core::Format(difference, "0.0"), core::changeOf(difference)};
}

}  // namespace notes
