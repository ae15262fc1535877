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

#include "analysis/day_means.h"
#include "analysis/trend_source.h"
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
    TrendSource source;                        // what fed it
    // The days that fed the trend, in date order, and the trend on each.
    std::vector<DayMean> days;
    std::vector<double> dayTrend;
};

// The trend over every calendar day from the earliest day that feeds it to
// the latest, whatever the order of the records: on the first day the day's
// value; on each later day that has one T + 0.1 × (value − T); on any other
// day it stays. The days and their values are sourceDays's. With every
// weighing of the day, a day's value is its mean: its singles summed in
// double over their count. lblKeikou names a source other than that.
SmoothedTrend smoothedTrend(std::span<const core::WeightRecord> records, float targetWeight,
                            const TrendSource& source = {});

// The trend over the calendar days of a window that ends on the trend's last
// day: its change from the window's first day, its least-squares slope
// against the day, its lowest and its highest. A day without a value of its
// own has the trend of the last day before it.
struct TrendWindow {
    int32_t days = 0;
    double change = 0;
    double slopePerDay = 0;
    double lowest = 0, highest = 0;
};

// The window of the last `length` days, or fewer when the trend began later;
// none when that leaves fewer than `least` days, or without days.
std::optional<TrendWindow> trendWindow(const SmoothedTrend& trend, int32_t length, int32_t least);

// The day the target is reached at this pace: `last` plus
// ceil((lastTrend − target) / −slope) days. None unless the target is above
// 0, the slope exists and is below 0 and the trend is above the target; none
// either when that is more than 3,650 days away.
std::optional<core::Date> forecastDate(core::Date last, double lastTrend,
                                       std::optional<double> slopePerDay, float targetWeight);

// "傾向体重　61.2Kg", with the source's mark before the figure:
// "傾向体重（一日の最初）　61.2Kg".
std::string keikouText(double lastTrend, const TrendSource& source = {});

// "この4週間　-0.45Kg/週": the pace in kilograms a week, rounded to two
// decimals as Format rounds and always signed, "+0.00" for a pace that rounds
// to zero; "この4週間　―" without a pace.
std::string paceText(std::optional<double> pacePerWeek);

// "目標到達予想　2024/07/01"; "目標達成中" when there is a target and the trend
// is at or below it; else "目標到達予想　―".
std::string yosouText(double lastTrend, std::optional<core::Date> forecast, float targetWeight);

}  // namespace analysis
