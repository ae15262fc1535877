#include "analysis/smoothed_trend.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/day_means.h"
#include "core/numbers.h"

namespace analysis {
namespace {

// The trend after each weighed day, in date order.
std::vector<double> trendOfDays(const std::vector<DayMean>& days) {
    std::vector<double> trend;
    trend.reserve(days.size());
    trend.push_back(days.front().mean);
    for (size_t i = 1; i < days.size(); ++i)
        trend.push_back(trend.back() + kTrendPull * (days[i].mean - trend.back()));
    return trend;
}

// The least-squares slope of the trend against the day over the last
// kPaceDays calendar days; a day without weighing has the trend of the last
// day before it. The days' distances from their middle sum to zero, so the
// mean of the trend drops out of Σ(x − middle)(T − mean).
std::optional<double> slopeOverLastDays(const std::vector<DayMean>& days,
                                        const std::vector<double>& trend) {
    const DayNumber last = days.back().day;
    const DayNumber start = std::max(days.front().day, last - (kPaceDays - 1));
    const int32_t n = last - start + 1;
    if (n < kPaceLeastDays) return std::nullopt;
    auto after = std::upper_bound(days.begin(), days.end(), start,
                                  [](DayNumber d, const DayMean& m) { return d < m.day; });
    size_t at = static_cast<size_t>(after - days.begin()) - 1;  // the last day up to start
    const double middle = (n - 1) / 2.0;
    double sxy = 0, sxx = 0;
    for (int32_t x = 0; x < n; ++x) {
        if (at + 1 < days.size() && days[at + 1].day <= start + x) ++at;
        sxy += (x - middle) * trend[at];
        sxx += (x - middle) * (x - middle);
    }
    return sxy / sxx;
}

void fillTexts(SmoothedTrend& t, float targetWeight) {
    t.forecast = forecastDate(*t.lastDate, t.lastTrend, t.slopePerDay, targetWeight);
    t.lblKeikou = keikouText(t.lastTrend);
    t.lblPace = paceText(t.pacePerWeek);
    t.lblYosou = yosouText(t.lastTrend, t.forecast, targetWeight);
}

}  // namespace

SmoothedTrend smoothedTrend(std::span<const core::WeightRecord> records, float targetWeight) {
    SmoothedTrend t;
    DayMeans means = dayMeans(records);
    t.series.assign(records.size(), std::numeric_limits<double>::quiet_NaN());
    if (means.days.empty()) return t;
    std::vector<double> trend = trendOfDays(means.days);
    for (size_t i = 0; i < records.size(); ++i)
        if (means.dayOfRecord[i] >= 0)
            t.series[i] = trend[static_cast<size_t>(means.dayOfRecord[i])];
    t.lastDate = dateOfDay(means.days.back().day);
    t.lastTrend = trend.back();
    t.slopePerDay = slopeOverLastDays(means.days, trend);
    if (t.slopePerDay) t.pacePerWeek = *t.slopePerDay * 7;
    fillTexts(t, targetWeight);
    return t;
}

std::optional<core::Date> forecastDate(core::Date last, double lastTrend,
                                       std::optional<double> slopePerDay, float targetWeight) {
    const double target = targetWeight;
    if (!(target > 0) || !slopePerDay || !(*slopePerDay < 0) || !(lastTrend > target))
        return std::nullopt;
    double days = std::ceil((lastTrend - target) / -*slopePerDay);
    if (!(days <= kForecastDays)) return std::nullopt;
    return dateOfDay(dayNumber(last) + static_cast<DayNumber>(days));
}

std::string keikouText(double lastTrend) {
    return "傾向体重　" + core::Format(lastTrend, "0.0") + "Kg";
}

std::string paceText(std::optional<double> pacePerWeek) {
    if (!pacePerWeek) return "この4週間　―";
    std::string pace = core::Format(*pacePerWeek, "0.00");
    if (pace == "-0.00") pace = "0.00";
    if (pace.front() != '-') pace.insert(0, "+");
    return "この4週間　" + pace + "Kg/週";
}

std::string yosouText(double lastTrend, std::optional<core::Date> forecast, float targetWeight) {
    const double target = targetWeight;
    if (target > 0 && lastTrend <= target) return "目標達成中";
    if (!forecast) return "目標到達予想　―";
    return "目標到達予想　" + core::Format(*forecast, "yyyy/mm/dd");
}

}  // namespace analysis
