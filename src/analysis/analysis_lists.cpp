#include "analysis/analysis_lists.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/numbers.h"

namespace analysis {
namespace {

// A single-precision difference rounded to 0.1, halves upward: the tenfold
// value is taken in single precision (0.45 becomes 4.5 there), the rest in
// double.
double roundTenth(float d) {
    float tenfold = d * 10.0f;
    return std::floor(static_cast<double>(tenfold) + 0.5) / 10;
}

// A count of rows from a double that may be huge or not a number.
int32_t rowCount(double n) {
    if (!(n > 0)) return 0;
    if (n >= kMaxListRows) return kMaxListRows;
    return static_cast<int32_t>(n);
}

float toSingle(double value) {
    return static_cast<float>(std::clamp(value, -double{FLT_MAX}, double{FLT_MAX}));
}

std::string ordinal(size_t i) {
    return std::to_string(i) + "回目";
}

// "±" for none, "+" for a gain; a loss shows its own minus sign.
std::string_view signText(double value) {
    if (value == 0) return "±";
    return value > 0 ? "+" : "";
}

std::string milestoneText(int32_t m) {
    std::string kg = core::shortestText((m + 1) * 0.5);
    if (m % 2 == 1) kg += ".0";
    return kg + "Kg減";
}

std::optional<std::string> kugiriNote(const Trend& t) {
    return "最高　" + formatValue(t.TrendWeights.front() - t.MinRecordWeight, "0.0Kg") +
           "減を達成してから　" +
           std::to_string(daysBetweenTexts(t.minRecordDateText, t.TrendDates.back())) + "日経過";
}

// The weight bands of the ranking: lower bounds from the whole kilogram
// below the lowest weight up to the one above the highest.
class BandTable {
  public:
    BandTable(const Trend& t, double width) : width_(width) {
        top_ = std::floor(static_cast<double>(t.TrendMaxWeight)) + 1;
        bottom_ = std::floor(static_cast<double>(t.MinRecordWeight));
        last_ = rowCount(std::nearbyint((top_ - bottom_) / width) + 1) - 1;
        // Each band's bounds as singles, worked out once for every weighing.
        bounds_.reserve(static_cast<size_t>(last_) + 1);
        for (int32_t k = 0; k <= last_; ++k) {
            const float lo = toSingle(lower(k));
            bounds_.push_back({lo, toSingle(static_cast<double>(lo) + width_ - 0.01)});
        }
    }
    int32_t last() const { return last_; }
    double lower(int32_t k) const { return core::roundTenthHalfUp(bottom_ + k * width_); }

    // The band that holds the weight, none when it falls between two bands
    // (.99 or more above a lower bound) or beyond the table.
    std::optional<int32_t> find(float w) const {
        double pos = std::floor((static_cast<double>(w) - bottom_) / width_);
        if (!(pos >= -1) || pos > last_ + 1) return std::nullopt;
        const auto k0 = static_cast<int32_t>(pos);
        const int32_t first = std::max(0, k0 - 1), last = std::min(last_, k0 + 1);
        // The bands rise without overlapping, so only the highest one of
        // these that starts at or below the weight can hold it: counted
        // rather than tried one by one, for weights jump between bands.
        int32_t k = first - 1;
        for (int32_t j = first; j <= last; ++j) k += bounds_[static_cast<size_t>(j)].first <= w;
        if (k < first || !(w < bounds_[static_cast<size_t>(k)].second)) return std::nullopt;
        return k;
    }

  private:
    double width_, top_ = 0, bottom_ = 0;
    int32_t last_ = 0;
    std::vector<std::pair<float, float>> bounds_;  // lowest and past the highest
};

std::vector<WeightBand> countBands(const Trend& t, double width) {
    BandTable table(t, width);
    std::vector<int32_t> counts(static_cast<size_t>(table.last()) + 1);
    // A log holds a few hundred weights, over and over: each one's band is
    // found once and then looked up by the weight's bits.
    struct Seen {
        uint32_t bits = 0;
        int32_t band = -2;  // -1: in no band; -2: not seen
    };
    std::array<Seen, 1024> seen{};
    for (float w : t.TrendWeights) {
        const auto bits = std::bit_cast<uint32_t>(w);
        Seen& s = seen[(bits * 0x9E3779B1u) >> 22];
        if (s.band == -2 || s.bits != bits) s = {bits, table.find(w).value_or(-1)};
        if (s.band >= 0) ++counts[static_cast<size_t>(s.band)];
    }
    std::vector<WeightBand> bands;
    for (int32_t k = 0; k <= table.last(); ++k)
        if (counts[static_cast<size_t>(k)] > 0)
            bands.push_back({table.lower(k), counts[static_cast<size_t>(k)]});
    return bands;
}

}  // namespace

JikeiList jikeiList(std::shared_ptr<const Trend> trend, DiffBase base) {
    return {base == DiffBase::Previous ? "前回差" : "初回差", std::move(trend), base};
}

ListRow JikeiList::row(size_t i) const {
    const auto& w = trend->TrendWeights;
    double d = 0;
    if (i > 0) d = roundTenth(w.at(i) - (base == DiffBase::Previous ? w[i - 1] : w[0]));
    return {ordinal(i + 1), trend->TrendDates.at(i), formatValue(w.at(i), "0.0Kg"),
            std::string(signText(d)) + formatValue(d, "0.0Kg")};
}

KugiriList kugiriList(const Trend& trend) {
    KugiriList list;
    const auto& w = trend.TrendWeights;
    if (w.empty()) return list;
    double best = roundTenth(w.front() - trend.MinRecordWeight);
    list.rows.resize(static_cast<size_t>(rowCount(std::floor(best / 0.5))));
    if (list.rows.empty()) return list;
    // A weighing that reaches a milestone reaches every lower one, so the
    // milestones are reached in their order.
    int32_t next = 0, previousDay = 0;
    const auto reached = static_cast<int32_t>(list.rows.size());
    for (size_t k = 0; k < w.size() && next < reached; ++k) {
        float loss = w.front() - w[k];
        for (; next < reached && (next + 1) * 0.5 <= loss; ++next) {
            int32_t day = daysBetweenTexts(trend.TrendDates.front(), trend.TrendDates[k]);
            list.rows[static_cast<size_t>(next)] = {milestoneText(next), trend.TrendDates[k],
                                                    std::to_string(day) + "日後",
                                                    std::to_string(day - previousDay) + "日後"};
            previousDay = day;
        }
    }
    list.note = kugiriNote(trend);
    return list;
}

namespace {

// The change of the running average at weighing i, in grams.
float averageChange(const std::vector<float>& averages, size_t i) {
    return i == 0 ? 0.0f : (averages[i] - averages[i - 1]) * 1000.0f;
}

}  // namespace

HeikinList heikinList(std::shared_ptr<const Trend> trend) {
    HeikinList list;
    const auto& w = trend->TrendWeights;
    list.averages.reserve(w.size());
    float sum = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        sum += w[i];
        list.averages.push_back(sum / static_cast<float>(i + 1));
        if (i > 0) list.streak = averageChange(list.averages, i) > 0 ? 0 : list.streak + 1;
    }
    list.trend = std::move(trend);
    list.note = list.streak > 0 ? "連続ﾏｲﾅｽ記録 " + std::to_string(list.streak) + "日間達成！"
                                : "平均を上回ってしまいました...";
    return list;
}

ListRow HeikinList::row(size_t i) const {
    float grams = averageChange(averages, i);
    std::string_view sign = i == 0 ? "" : signText(grams);
    return {ordinal(i + 1), formatValue(trend->TrendWeights.at(i), "0.0Kg"),
            formatValue(averages.at(i), "0.000Kg"), std::string(sign) + formatValue(grams, "0g")};
}

void rankBands(std::vector<WeightBand>& bands) {
    for (size_t m = 0; m + 1 < bands.size(); ++m)
        for (size_t j = m + 1; j < bands.size(); ++j)
            if (bands[m].count < bands[j].count) std::swap(bands[m], bands[j]);
}

BanzukeList banzukeList(const Trend& trend, BandWidth width) {
    BanzukeList list;
    bool whole = width == BandWidth::OneKilogram;
    list.caption =
        whole ? "    体重推移累積番付 < 1.0Kg刻み >" : "    体重推移累積番付 < 0.5Kg刻み >";
    if (trend.TrendWeights.empty()) return list;
    double w = whole ? 1.0 : 0.5;
    std::vector<WeightBand> bands = countBands(trend, w);
    rankBands(bands);
    for (size_t r = 0; r < bands.size(); ++r) {
        const WeightBand& b = bands[r];
        std::string behind = r == 0 ? "" : std::to_string(bands[r - 1].count - b.count) + "回";
        list.rows.push_back(
            {std::to_string(r + 1) + "位",
             formatValue(b.lower, "0.0～") + formatValue(b.lower + w - 0.1, "0.0Kg"),
             std::to_string(b.count) + "回", behind});
    }
    return list;
}

}  // namespace analysis
