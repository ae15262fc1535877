// The smoothed trend of the weight (lblKeikou, lblPace, lblYosou and the
// trend line of the chart): each day's mean weight pulls the trend a tenth of
// the way towards it, which evens out the swing of single weighings; the
// slope of the last four weeks of the trend is the pace, and that pace kept
// up gives the day the target would be reached.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/dates.h"
#include "core/weight_log.h"

namespace analysis {

inline constexpr double kTrendPull = 0.1;       // the share of a day's mean taken in
inline constexpr int32_t kPaceDays = 28;        // the days the pace looks back over
inline constexpr int32_t kPaceLeastDays = 14;   // fewer days give no pace
inline constexpr int32_t kForecastDays = 3650;  // a forecast further out is none

struct SmoothedTrend {
    // The trend of each record's date, one value per record in the order
    // given (the chart's series); NaN for a record whose date is no date.
    std::vector<double> series;
    std::optional<core::Date> lastDate;  // the latest date; none without records
    double lastTrend = 0;                // the trend on that day
    // The least-squares slope of the trend over the last 28 calendar days, in
    // kilograms a day; none when the days from the first to the last are
    // fewer than 14.
    std::optional<double> slopePerDay;
    std::optional<double> pacePerWeek;  // the slope times 7
    std::optional<core::Date> forecast;
    std::string lblKeikou, lblPace, lblYosou;  // all empty without records
};

// The trend over every calendar day from the earliest date of the records to
// the latest, whatever their order: on the first day the day's mean; on each
// later day with weighings T + 0.1 × (mean − T); on a day without weighing it
// stays. A day's mean is dayMeans's: its singles summed in double over their
// count.
SmoothedTrend smoothedTrend(std::span<const core::WeightRecord> records, float targetWeight);

// The day the target is reached at this pace: `last` plus
// ceil((lastTrend − target) / −slope) days. None unless the target is above
// 0, the slope exists and is below 0 and the trend is above the target; none
// either when that is more than 3,650 days away.
std::optional<core::Date> forecastDate(core::Date last, double lastTrend,
                                       std::optional<double> slopePerDay, float targetWeight);

// "傾向体重　61.2Kg".
std::string keikouText(double lastTrend);

// "この4週間　-0.45Kg/週": the pace in kilograms a week, rounded to two
// decimals as Format rounds and always signed, "+0.00" for a pace that rounds
// to zero; "この4週間　―" without a pace.
std::string paceText(std::optional<double> pacePerWeek);

// "目標到達予想　2024/07/01"; "目標達成中" when there is a target and the trend
// is at or below it; else "目標到達予想　―".
std::string yosouText(double lastTrend, std::optional<core::Date> forecast, float targetWeight);

}  // namespace analysis
