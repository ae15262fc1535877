#include "analysis/day_means.h"

#include <algorithm>
#include <chrono>

namespace analysis {
namespace {

void noteWeight(DayMeans& out, float weight, bool first) {
    out.lowest = first ? weight : std::min(out.lowest, weight);
    out.highest = first ? weight : std::max(out.highest, weight);
}

// The value that the source takes in from one day's weighings; nullopt when
// none of them feeds it.
std::optional<double> dayValue(std::span<const core::WeightRecord> records,
                               std::span<const DatedWeight> day, const TrendSource& source) {
    switch (source.basis) {
        case TrendBasis::DayFirst:
            return day.front().weight;
        case TrendBasis::DayLowest: {
            float lowest = day.front().weight;
            for (const DatedWeight& d : day) lowest = std::min(lowest, d.weight);
            return lowest;
        }
        default: {
            const bool all = source.basis == TrendBasis::DayMean;
            double sum = 0;
            int32_t count = 0;
            for (const DatedWeight& d : day) {
                if (!all && records[static_cast<size_t>(d.record)].Situation != source.label)
                    continue;
                sum += static_cast<double>(d.weight);
                ++count;
            }
            if (count == 0) return std::nullopt;
            return sum / count;
        }
    }
}

}  // namespace

// A run of records of one date reads its date once, and a log in date order
// (as logs are) needs no sorting.
std::vector<DatedWeight> datedWeights(std::span<const core::WeightRecord> records,
                                      int32_t& unreadable) {
    std::vector<DatedWeight> dated;
    dated.reserve(records.size());
    const std::string* previous = nullptr;  // the date of the last readable record
    for (size_t i = 0; i < records.size(); ++i) {
        const core::WeightRecord& r = records[i];
        const auto index = static_cast<int32_t>(i);
        if (previous && core::sameDateText(r.Date, *previous)) {
            dated.push_back({dated.back().day, r.Weight, index});
        } else if (auto date = core::parseDate(r.Date)) {
            dated.push_back({dayNumber(*date), r.Weight, index});
            previous = &r.Date;
        } else {
            ++unreadable;
        }
    }
    auto byDay = [](const DatedWeight& a, const DatedWeight& b) { return a.day < b.day; };
    if (!std::is_sorted(dated.begin(), dated.end(), byDay))
        std::stable_sort(dated.begin(), dated.end(), byDay);
    return dated;
}

DayNumber dayNumber(core::Date date) {
    return static_cast<DayNumber>(std::chrono::sys_days(date).time_since_epoch().count());
}

core::Date dateOfDay(DayNumber day) {
    return core::Date(std::chrono::sys_days(std::chrono::days(day)));
}

DayMeans dayMeans(std::span<const core::WeightRecord> records) {
    DayMeans out;
    out.dayOfRecord.assign(records.size(), -1);
    std::vector<DatedWeight> dated = datedWeights(records, out.unreadableDates);
    double sum = 0;
    int32_t count = 0;
    for (size_t i = 0; i < dated.size(); ++i) {
        const float weight = dated[i].weight;
        noteWeight(out, weight, i == 0);
        sum += static_cast<double>(weight);
        ++count;
        out.dayOfRecord[static_cast<size_t>(dated[i].record)] =
            static_cast<int32_t>(out.days.size());
        if (i + 1 == dated.size() || dated[i + 1].day != dated[i].day) {
            out.days.push_back({dated[i].day, sum / count});
            sum = 0;
            count = 0;
        }
    }
    return out;
}

DayMeans sourceDays(std::span<const core::WeightRecord> records, const TrendSource& source) {
    if (source.basis == TrendBasis::DayMean) return dayMeans(records);
    DayMeans out;
    out.dayOfRecord.assign(records.size(), -1);
    std::vector<DatedWeight> dated = datedWeights(records, out.unreadableDates);
    std::span<const DatedWeight> all = dated;
    size_t lastFed = 0;  // the records up to the last day that fed the trend
    for (size_t from = 0, to = 0; from < all.size(); from = to) {
        while (to < all.size() && all[to].day == all[from].day) ++to;
        std::span<const DatedWeight> day = all.subspan(from, to - from);
        for (const DatedWeight& d : day) noteWeight(out, d.weight, &d == all.data());
        if (auto value = dayValue(records, day, source)) {
            out.days.push_back({day.front().day, *value});
            lastFed = to;
        }
        if (out.days.empty()) continue;
        for (const DatedWeight& d : day)
            out.dayOfRecord[static_cast<size_t>(d.record)] =
                static_cast<int32_t>(out.days.size()) - 1;
    }
    // Records after the last day that fed the trend lie beyond its days.
    for (size_t i = lastFed; i < all.size(); ++i)
        out.dayOfRecord[static_cast<size_t>(all[i].record)] = -1;
    return out;
}

}  // namespace analysis
