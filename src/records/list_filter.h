// The filter of the range list: one predicate over a record that covers the
// whole log, a period, a weekday, a situation keyword and a set of chosen
// dates, and the choice of list builder from the filter controls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/weight_log.h"

namespace records {

// The five builders of the range list, each a case of one ListFilter.
enum class ListBuilder {
    DSP_LIST_ALL,
    DSP_LIST_PERIOD,
    DSP_LIST_KEY,
    DSP_LIST_WEEK,
    DSP_LIST_WEEK_KEY
};

// `SelectedWeekday` when no weekday button is chosen.
inline constexpr int16_t kNoWeekday = 99;

struct Period {
    std::string start;  // compared with the record's date as text, both ends included
    std::string end;
    bool operator==(const Period&) const = default;
};

// Every part that is set must pass; an unset part lets every record through.
struct ListFilter {
    std::optional<Period> period = std::nullopt;
    std::optional<std::vector<std::string>> dates =
        std::nullopt;                                   // the record's date is one of these
    std::optional<int> weekday = std::nullopt;          // 0 to 6, Sunday first
    std::optional<std::string> keyword = std::nullopt;  // contained in the situation

    // True when no part is set: every record passes.
    bool passesAll() const { return !period && !dates && !weekday && !keyword; }
};

// True when the record passes the filter. The period compares date texts code
// unit by code unit; the keyword test is exact (case- and width-sensitive);
// a record whose date is not a real date has no weekday and fails a weekday
// test.
bool listed(const ListFilter& filter, const core::WeightRecord& record);

// REFRESH_LIST: the builder the filter controls call for. A weekday outside 0
// to 6 counts as no weekday.
ListBuilder chooseBuilder(std::string_view keyword, int16_t selectedWeekday);

// The filter of a builder from the state of the controls: the period combo
// boxes' texts, the keyword box and `SelectedWeekday`.
ListFilter filterFor(ListBuilder builder, std::string_view start, std::string_view end,
                     std::string_view keyword, int16_t selectedWeekday);

}  // namespace records
