#include "analysis/trend.h"

#include <cmath>
#include <limits>

#include "core/change.h"
#include "core/numbers.h"

namespace analysis {
namespace {

// A width beyond any log: it draws no point at all.
constexpr int32_t kWidthBeyondLog = core::kMaxRecords + 1;

// " 増" when the last weight is above the first (first − last below zero),
// " 同", " 減".
std::string_view signWord(float firstMinusLast) {
    return core::changeWord(core::changeOf(-static_cast<double>(firstMinusLast)));
}

double aboveMin(double min, double max) {
    if (max > min) return max;
    double raised = min + 1;
    return raised > min ? raised : std::nextafter(min, std::numeric_limits<double>::infinity());
}

std::string nichisText(const Trend& t) {
    float first = t.TrendWeights.front(), last = t.TrendWeights.back();
    float diff = first - last;
    return t.TrendDates.front() + " ( " + core::shortestText(first) + "Kg ) でスタート ～ " +
           t.TrendDates.back() + " ( " + core::shortestText(last) + "Kg ) まで " +
           std::to_string(daysBetweenTexts(t.TrendDates.front(), t.TrendDates.back())) +
           "日経過 _ " + formatValue(std::fabs(diff), "0.0Kg") + std::string(signWord(diff));
}

std::string kiroText(const Trend& t) {
    float diff = t.TrendWeights.front() - t.TrendMinWeight;
    return "最小記録 " + t.minRecordDateText + " の " + core::shortestText(t.TrendMinWeight) +
           "Kg   初日から " + formatValue(diff, "0.0Kg") + std::string(signWord(diff));
}

void loadSeries(std::span<const core::WeightRecord> records, Trend& t) {
    t.TrendWeights.reserve(records.size());
    t.TrendDates.reserve(records.size());
    t.TrendMaxWeight = t.TrendMinWeight = records.front().Weight;
    t.minRecordDateText = records.front().Date;
    for (const auto& r : records) {
        t.TrendWeights.push_back(r.Weight);
        t.TrendDates.push_back(r.Date);
        if (r.Weight > t.TrendMaxWeight) t.TrendMaxWeight = r.Weight;
        if (r.Weight < t.TrendMinWeight) {  // of equal lows the first one stays
            t.TrendMinWeight = r.Weight;
            t.minRecordDateText = r.Date;
        }
    }
    t.MinRecordWeight = t.TrendMinWeight;
    t.MinRecordDate = core::parseDate(t.minRecordDateText);
}

}  // namespace

Axis weightAxis(float lowest, float highest) {
    double min = std::floor(static_cast<double>(lowest));
    return {min, aboveMin(min, core::weightAxisTop(highest))};
}

std::optional<int32_t> movingAverageWidth(std::string_view text) {
    if (!core::IsNumeric(text)) return std::nullopt;
    double n = core::Val(text);
    if (!(n >= 1) || n != std::floor(n)) return std::nullopt;
    if (n >= kWidthBeyondLog) return kWidthBeyondLog;
    return static_cast<int32_t>(n);
}

std::vector<std::optional<double>> movingAverage(std::span<const float> weights,
                                                 std::string_view widthText) {
    std::vector<std::optional<double>> line(weights.size());
    auto width = movingAverageWidth(widthText);
    if (!width) return line;
    const size_t n = static_cast<size_t>(*width);
    // Each point sums its weights from the earliest, every addition rounded
    // to single precision. Eight points are summed side by side, each in its
    // own order, so that their additions do not wait for one another.
    constexpr size_t kSide = 8;
    size_t i = n - 1;
    for (; i + kSide <= weights.size(); i += kSide) {
        float sums[kSide] = {};
        const float* from = weights.data() + (i + 1 - n);
        for (size_t j = 0; j < n; ++j)
            for (size_t k = 0; k < kSide; ++k) sums[k] += from[j + k];
        for (size_t k = 0; k < kSide; ++k)
            line[i + k] = static_cast<double>(sums[k]) / static_cast<double>(n);
    }
    for (; i < weights.size(); ++i) {
        float sum = 0;
        for (size_t j = i + 1 - n; j <= i; ++j) sum += weights[j];
        line[i] = static_cast<double>(sum) / static_cast<double>(n);
    }
    return line;
}

Trend trend(std::span<const core::WeightRecord> records) {
    Trend t;
    if (records.empty()) return t;
    loadSeries(records, t);
    t.axis = weightAxis(t.TrendMinWeight, t.TrendMaxWeight);
    t.lblNichis = nichisText(t);
    t.lblKiro = kiroText(t);
    return t;
}

float remainingToTarget(const Trend& trend, float targetWeight) {
    if (trend.TrendWeights.empty()) return 0;
    return trend.TrendWeights.back() - targetWeight;
}

std::string mokuChkCaption(const Trend& trend, float targetWeight) {
    return "目標まで残り　" + formatValue(remainingToTarget(trend, targetWeight), "0.0Kg");
}

Axis targetFloorAxis(const Axis& axis, float targetWeight) {
    double min = std::floor(static_cast<double>(targetWeight));
    return {min, aboveMin(min, axis.max)};
}

int32_t daysBetweenTexts(std::string_view from, std::string_view to) {
    auto a = core::parseDate(from), b = core::parseDate(to);
    if (!a || !b) return 0;
    return core::daysBetween(*a, *b);
}

std::string formatValue(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return "";
    return core::Format(value, pattern);
}

}  // namespace analysis
