// The trend of the whole diet (fraRenTai): every weighing in log order, its
// moving average, the chart's value axis, the lowest record and the texts
// around the chart. The analysis lists work on the same series.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/dates.h"
#include "core/weight_log.h"

namespace analysis {

// The value axis of a weight chart in whole kilograms.
struct Axis {
    double min = 0;
    double max = 0;
    bool operator==(const Axis&) const = default;
};

// From the whole kilogram at or below the lowest weight to the highest
// weight plus 0.9 cut to a whole kilogram, kept above both the highest
// weight (71.1 in single precision lies just below 71.1) and the minimum.
Axis weightAxis(float lowest, float highest);

// The width typed in cboIdou when it can draw a moving average: a whole
// number of 1 or more (a width beyond the largest log is kept at 32,768).
std::optional<int32_t> movingAverageWidth(std::string_view text);

// The red line, one point per weighing: the mean of the `width` weighings
// ending at it, summed in single precision; no point before the `width`-th
// weighing, and none at all for a width that cannot be used.
std::vector<std::optional<double>> movingAverage(std::span<const float> weights,
                                                 std::string_view widthText);

struct Trend {
    std::vector<float> TrendWeights;      // every weighing, in log order
    std::vector<std::string> TrendDates;  // their date texts as stored
    float TrendMaxWeight = 0;
    float TrendMinWeight = 999;
    float MinRecordWeight = 999.9f;  // the lowest weight
    std::string minRecordDateText;   // the first record with it
    std::optional<core::Date> MinRecordDate;
    std::optional<Axis> axis;  // none for an empty log
    std::string lblNichis;     // first to last weighing
    std::string lblKiro;       // the lowest record

    int32_t recordCount() const { return static_cast<int32_t>(TrendWeights.size()); }
};

// Loads the series from the records (file order) and works out everything
// the trend panel shows but the moving average, which follows the width box
// on its own. The highest and lowest weights start from the first
// record, so a log of weights of 999 kg or more still has a lowest record.
Trend trend(std::span<const core::WeightRecord> records);

// Kilograms left to the target: the last weight minus the target.
float remainingToTarget(const Trend& trend, float targetWeight);

// The caption of cmdMokuChk: "目標まで残り　5.5Kg".
std::string mokuChkCaption(const Trend& trend, float targetWeight);

// The axis of mcrRentai while the target is its lower bound (TargetFloorOn):
// the target's whole kilograms below, the maximum raised when it would not be
// above that floor.
Axis targetFloorAxis(const Axis& axis, float targetWeight);

// Days from one "yyyy/mm/dd" text to another; 0 when either is no date.
int32_t daysBetweenTexts(std::string_view from, std::string_view to);

// A value with a display pattern; an empty text for a value that is not
// finite (sums of absurd weights overflow single precision).
std::string formatValue(double value, std::string_view pattern);

}  // namespace analysis
