// The trend of the whole log, worked out once per change of the log for every
// panel that shows it (the trend chart and the analysis lists).
#pragma once

#include <memory>

#include "analysis/smoothed_trend.h"
#include "analysis/trend.h"
#include "host/values.h"

namespace analysis {

inline std::shared_ptr<const Trend> sharedTrend(
    host::Values& values, const std::shared_ptr<const core::LogRecords>& log) {
    return values.fromLog<Trend>(log, [](const auto& records) { return trend(records); });
}

// What feeds the trend, as the 傾向分析 panel read it at start-up or the user
// chose it since.
inline const TrendSource& trendSource(host::Values& values) {
    return values.get<TrendSource>();
}

// The smoothed trend of the whole log from that source, likewise. Its
// forecast and lblYosou are for no target: a panel works them out for the
// target it has.
inline std::shared_ptr<const SmoothedTrend> sharedSmoothedTrend(
    host::Values& values, const std::shared_ptr<const core::LogRecords>& log) {
    const TrendSource& source = trendSource(values);
    return values.fromLog<SmoothedTrend>(
        log, [&](const auto& records) { return smoothedTrend(records, 0, source); },
        [&](const SmoothedTrend& kept) { return kept.source == source; });
}

}  // namespace analysis
