#include "records/range_list.h"

#include <algorithm>
#include <cmath>

#include "analysis/bmi.h"
#include "core/dates.h"
#include "core/numbers.h"

namespace records {
namespace {

// A number's text, or nothing for a value that is not finite (a height so
// small that the BMI overflows).
std::string finiteText(double value, std::string_view pattern) {
    return std::isfinite(value) ? core::Format(value, pattern) : std::string();
}

std::string weekdayText(std::string_view date) {
    auto parsed = core::parseDate(date);
    return parsed ? std::string(core::weekdayName(*parsed)) : std::string();
}

// Writes the difference of column `col` and its mark in column `col + 1`.
ui::Color putDifference(ListRow& row, int col, float weight, float from) {
    double difference = static_cast<double>(weight) - from;
    core::Change change = core::shownChangeOf(difference);
    row.cells[static_cast<size_t>(col)] = core::Format(difference, "0.0Kg");
    row.cells[static_cast<size_t>(col) + 1] = std::string(core::changeWord(change));
    return ui::changeColor(change);
}

void putBodyFigures(ListRow& row, float weight, float heightCm) {
    if (!(heightCm > 0)) return;
    double metres = static_cast<double>(heightCm) / 100;
    row.cells[kColBmi] = finiteText(weight / (metres * metres), "0.0");
    row.cells[kColObesity] = finiteText(analysis::obesityRatio(weight, heightCm), "0.0%");
}

ListRow makeRow(size_t number, const core::WeightRecord& record, float previous, float first,
                float heightCm) {
    ListRow row;
    float w = record.Weight;
    row.cells[kColNumber] = std::to_string(number);
    row.cells[kColDate] = record.Date;
    row.cells[kColWeekday] = weekdayText(record.Date);
    row.cells[kColSituation] = record.Situation;
    row.cells[kColWeight] = core::Format(w, "0.0Kg");
    row.previousColor = putDifference(row, kColPreviousDiff, w, previous);
    row.firstColor = putDifference(row, kColFirstDiff, w, first);
    putBodyFigures(row, w, heightCm);
    return row;
}

AxisRange axisOf(const std::vector<ListedRecord>& listed) {
    auto [low, high] = std::minmax_element(listed.begin(), listed.end(),
                                           [](const ListedRecord& a, const ListedRecord& b) {
                                               return a.record->Weight < b.record->Weight;
                                           });
    return {std::floor(static_cast<double>(low->record->Weight)),
            core::weightAxisTop(high->record->Weight)};
}

}  // namespace

RangeList rangeList(std::span<const core::WeightRecord> records, const ListFilter& filter,
                    float heightCm) {
    RangeList list;
    list.heightCm = heightCm;
    list.listed.reserve(records.size());
    float previous = 0;
    const bool all = filter.passesAll();
    for (const auto& record : records) {
        if (!all && !listed(filter, record)) continue;
        if (list.listed.empty()) list.first = previous = record.Weight;
        list.listed.push_back({&record, previous});
        previous = record.Weight;
    }
    if (!list.listed.empty()) list.axis = axisOf(list.listed);
    list.scrollToEnd = list.listed.size() + 1 > kListVisibleRows;
    return list;
}

ListRow RangeList::row(size_t i) const {
    const ListedRecord& at = listed.at(i);
    return makeRow(i + 1, *at.record, at.previous, first, heightCm);
}

PeriodItems periodItems(std::span<const core::WeightRecord> records) {
    PeriodItems out;
    out.items.reserve(records.size());  // room that costs nothing until an item takes it
    bool sorted = true;
    for (const auto& record : records) {
        if (!out.items.empty() && core::sameDateText(out.items.back(), record.Date)) continue;
        sorted = sorted && (out.items.empty() || out.items.back() < record.Date);
        out.items.push_back(record.Date);
    }
    // A log out of date order (a hand edit, a restored backup) still offers
    // each date once, in order.
    if (!sorted) {
        std::sort(out.items.begin(), out.items.end());
        out.items.erase(std::unique(out.items.begin(), out.items.end()), out.items.end());
    }
    if (!out.items.empty()) out.shown = {out.items.front(), out.items.back()};
    return out;
}

}  // namespace records
