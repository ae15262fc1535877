// The diary list: every weighing of the log with its difference to the one
// before and the diary line it carries.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/change.h"
#include "core/weight_log.h"

namespace notes {

// One row of the list, its cells as the grid shows them. Its mark is decided
// on the exact difference, not on the one decimal shown: +0.02 shows "0.0"
// and is a gain.
struct DiaryRow {
    int32_t number = 0;      // 1 for the first record
    std::string Weight;      // the shortest text of the stored single: 65.3, 65
    std::string difference;  // "0.0" pattern; 0.0 after a weight of 0 and on the first row
    core::Change differenceMark = core::Change::Same;
};

// The row of record i (file order), taken against the record before it; a
// record's date, situation and diary are shown as they are stored.
DiaryRow diaryRow(std::span<const core::WeightRecord> records, size_t i);

}  // namespace notes
