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

// The trend of each calendar day of [start, start + n) in turn, with its
// index in the window: a day without a value of its own has the trend of the
// last day before it.
template <typename F>
void forEachDayOf(const std::vector<DayMean>& days, const std::vector<double>& trend,
                  DayNumber start, int32_t n, F&& f) {
    auto after = std::upper_bound(days.begin(), days.end(), start,
                                  [](DayNumber d, const DayMean& m) { return d < m.day; });
    size_t at = static_cast<size_t>(after - days.begin()) - 1;  // the last day up to start
    for (int32_t x = 0; x < n; ++x) {
        if (at + 1 < days.size() && days[at + 1].day <= start + x) ++at;
        f(x, trend[at]);
    }
}

void fillTexts(SmoothedTrend& t, float targetWeight, const TrendSource& source) {
    t.forecast = forecastDate(*t.lastDate, t.lastTrend, t.slopePerDay, targetWeight);
    t.lblKeikou = keikouText(t.lastTrend, source);
    t.lblPace = paceText(t.pacePerWeek);
    t.lblYosou = yosouText(t.lastTrend, t.forecast, targetWeight);
}

}  // namespace

SmoothedTrend smoothedTrend(std::span<const core::WeightRecord> records, float targetWeight,
                            const TrendSource& source) {
    SmoothedTrend t;
    t.source = source;
    DayMeans means = sourceDays(records, source);
    t.series.assign(records.size(), std::numeric_limits<double>::quiet_NaN());
    if (means.days.empty()) return t;
    t.dayTrend = trendOfDays(means.days);
    for (size_t i = 0; i < records.size(); ++i)
        if (means.dayOfRecord[i] >= 0)
            t.series[i] = t.dayTrend[static_cast<size_t>(means.dayOfRecord[i])];
    t.days = std::move(means.days);
    t.lastDate = dateOfDay(t.days.back().day);
    t.lastTrend = t.dayTrend.back();
    if (auto pace = trendWindow(t, kPaceDays, kPaceLeastDays)) t.slopePerDay = pace->slopePerDay;
    if (t.slopePerDay) t.pacePerWeek = *t.slopePerDay * 7;
    fillTexts(t, targetWeight, source);
    return t;
}

// The days' distances from their middle sum to zero, so the mean of the
// trend drops out of Σ(x − middle)(T − mean).
std::optional<TrendWindow> trendWindow(const SmoothedTrend& trend, int32_t length, int32_t least) {
    if (trend.days.empty()) return std::nullopt;
    const DayNumber last = trend.days.back().day;
    const DayNumber start = std::max(trend.days.front().day, last - (length - 1));
    TrendWindow w;
    w.days = last - start + 1;
    if (w.days < least) return std::nullopt;
    const double middle = (w.days - 1) / 2.0;
    double sxy = 0, sxx = 0;
    forEachDayOf(trend.days, trend.dayTrend, start, w.days, [&](int32_t x, double t) {
        if (x == 0) w.lowest = w.highest = w.change = t;
        w.lowest = std::min(w.lowest, t);
        w.highest = std::max(w.highest, t);
        sxy += (x - middle) * t;
        sxx += (x - middle) * (x - middle);
    });
    w.change = trend.dayTrend.back() - w.change;
    w.slopePerDay = sxy / sxx;
    return w;
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

std::string keikouText(double lastTrend, const TrendSource& source) {
    return "傾向体重" + source.captionMark() + "　" + core::Format(lastTrend, "0.0") + "Kg";
}

std::string paceText(std::optional<double> pacePerWeek) {
    if (!pacePerWeek) return "この4週間　―";
    return "この4週間　" + core::formatSigned(*pacePerWeek, "0.00") + "Kg/週";
}

std::string yosouText(double lastTrend, std::optional<core::Date> forecast, float targetWeight) {
    const double target = targetWeight;
    if (target > 0 && lastTrend <= target) return "目標達成中";
    if (!forecast) return "目標到達予想　―";
    return "目標到達予想　" + core::Format(*forecast, "yyyy/mm/dd");
}

}  // namespace analysis
