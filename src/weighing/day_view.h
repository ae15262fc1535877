// The main panel's computation for one selected date: every weighing of that
// day with its differences, marks, body figures and penalty, the day's and
// the grand totals, the summary of the whole log and the current weighing.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/change.h"
#include "core/weight_log.h"
#include "savings/penalty.h"

namespace weighing {

// One weighing of the selected day.
struct DayRow {
    std::string_view Situation;
    float Weight = 0;
    double fromPrevious = 0;  // against the weighing before it
    double fromFirst = 0;     // against the day's first weighing
    core::Change previousMark = core::Change::Same;
    core::Change firstMark = core::Change::Same;
    std::optional<float> bmi;       // without a height, none
    std::optional<double> obesity;  // as a ratio
    int32_t penalty = 0;
    int32_t dayTotal = 0;  // the day's penalties up to this weighing
};

// The face of the day: no weighing, or the mark of its last weighing against
// its first.
enum class Face { None, Up, Same, Down };

struct DayView {
    std::vector<DayRow> rows;
    int32_t dayTotal = 0;
    // Every penalty from the first record up to the end of the selected date.
    int32_t grandTotal = 0;
    // FirstDate, FirstWeight, LastDate, LastWeight and RecordCount.
    core::WeightLogSummary summary;
    // The day's last weighing, or the log's last when the day has none.
    float currentWeight = 0;
    std::string currentDate;
    float dayMax = 0;
    float dayMin = 999;
    Face face = Face::None;
};

// The day `selected` ("yyyy/mm/dd") of the log's records in file order.
DayView computeDay(std::span<const core::RecordView> records, const savings::ConversionTable& table,
                   float height, std::string_view selected);

}  // namespace weighing
