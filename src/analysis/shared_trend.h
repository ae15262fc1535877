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

// The smoothed trend of the whole log, likewise. Its forecast and lblYosou
// are for no target: the panel works them out for the target it has.
inline std::shared_ptr<const SmoothedTrend> sharedSmoothedTrend(
    host::Values& values, const std::shared_ptr<const core::LogRecords>& log) {
    return values.fromLog<SmoothedTrend>(
        log, [](const auto& records) { return smoothedTrend(records, 0); });
}

}  // namespace analysis
