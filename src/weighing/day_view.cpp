#include "weighing/day_view.h"

#include <algorithm>
#include <limits>

#include "analysis/bmi.h"
#include "core/dates.h"
#include "core/numbers.h"

namespace weighing {
namespace {

int32_t saturatedSum(int32_t a, int32_t b) {
    int64_t sum = static_cast<int64_t>(a) + b;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// The working values of one pass over the selected day.
struct DayScan {
    DayView& view;
    float height;
    float previous = 0;  // 0 until the day's first weighing has its reference
    float dayFirst = 0;

    void add(const core::RecordView& rec, float weightBefore, float rate) {
        float w = rec.Weight;
        if (view.rows.empty()) dayFirst = w;
        // The log's very first weighing is its own reference.
        if (previous == 0 && rec.Date == view.summary.FirstDate) previous = w;
        if (previous == 0) previous = weightBefore;
        DayRow row;
        row.Situation = rec.Situation;
        row.Weight = w;
        row.fromPrevious = static_cast<double>(w) - previous;
        row.fromFirst = static_cast<double>(w) - dayFirst;
        row.previousMark = core::shownChangeOf(row.fromPrevious);
        row.firstMark = core::shownChangeOf(row.fromFirst);
        if (height > 0) {
            row.bmi = analysis::bmiOf(w, height);
            row.obesity = analysis::obesityRatio(w, height);
        }
        row.penalty = savings::WEIGHING_PENALTY(w, previous, dayFirst, rate);
        view.dayTotal = saturatedSum(view.dayTotal, row.penalty);
        row.dayTotal = view.dayTotal;
        view.dayMax = std::max(view.dayMax, w);
        view.dayMin = std::min(view.dayMin, w);
        view.rows.push_back(row);
        previous = w;
    }
};

Face faceOf(const DayView& view) {
    if (view.rows.empty()) return Face::None;
    switch (view.rows.back().firstMark) {
        case core::Change::Up:
            return Face::Up;
        case core::Change::Same:
            return Face::Same;
        case core::Change::Down:
            break;
    }
    return Face::Down;
}

}  // namespace

DayView computeDay(std::span<const core::RecordView> records, const savings::ConversionTable& table,
                   float height, std::string_view selected) {
    DayView view;
    auto& sum = view.summary;
    if (!records.empty()) {
        sum.FirstDate = std::string(records.front().Date);
        sum.FirstWeight = records.front().Weight;
    }
    DayScan day{view, height};
    // The records come in runs of one date, which share its rate, its first
    // weighing and where it stands beside the chosen day: each run is looked
    // at once, each record compared with its run's date alone.
    std::string_view runDate;
    savings::RateWalk rates(table);
    bool counted = false, chosen = false;
    float previousWeight = 0, dayFirst = 0, rate = 0;
    int32_t count = 0;
    double grandTotal = 0;  // whole yen within 32 bits
    for (const core::RecordView& rec : records) {
        if (!core::sameDateText(rec.Date, runDate)) {
            runDate = rec.Date;
            rate = rates.rateOf(runDate);
            dayFirst = rec.Weight;
            counted = runDate <= selected;
            chosen = runDate == selected;
        }
        if (count > 0 && counted)
            grandTotal =
                savings::addWeighing(grandTotal, rec.Weight, previousWeight, dayFirst, rate);
        if (chosen) day.add(rec, previousWeight, rate);
        if (count < core::kMaxRecords) ++count;
        previousWeight = rec.Weight;
    }
    view.grandTotal = static_cast<int32_t>(grandTotal);
    sum.RecordCount = count;
    if (!records.empty()) {
        sum.LastDate = std::string(records.back().Date);
        sum.LastWeight = records.back().Weight;
    }
    if (day.previous != 0) {
        view.currentWeight = day.previous;
        view.currentDate = std::string(selected);
    } else {
        view.currentWeight = sum.LastWeight;
        view.currentDate = sum.LastDate;
    }
    view.face = faceOf(view);
    return view;
}

}  // namespace weighing
