// The diary list: every weighing of the log with its difference to the one
// before and the diary line it carries, and the check of a corrected weight.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/weight_log.h"

namespace notes {

// How a weighing compares with the one before it. Decided on the exact
// difference, not on the one decimal shown: +0.02 shows "0.0" and is a gain.
enum class Mark { Up, Same, Down };
Mark markOf(double difference);

// One row of the list, its cells as the grid shows them.
struct DiaryRow {
    int32_t Number = 0;      // 1 for the first record
    std::string Weight;      // the shortest text of the stored single: 65.3, 65
    std::string Difference;  // "0.0" pattern; 0.0 after a weight of 0 and on the first row
    Mark DifferenceMark = Mark::Same;
};

// The row of record i (file order), taken against the record before it; a
// record's date, situation and diary are shown as they are stored.
DiaryRow diaryRow(std::span<const core::WeightRecord> records, size_t i);

// Why a typed weight is refused.
enum class WeightRefusal { Empty, NotNumber, OutOfRange };

// The weight that the text gives, or why it cannot be a weight: it must be a
// number, which a single holds, under 10,000 kg.
std::variant<float, WeightRefusal> parseWeight(std::string_view text);

}  // namespace notes
