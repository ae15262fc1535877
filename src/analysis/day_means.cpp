#include "analysis/day_means.h"

#include <algorithm>
#include <chrono>

namespace analysis {
namespace {

struct Dated {
    DayNumber day;
    float weight;
    int32_t record;
};

// The records with a readable date, by day, each day's records in the order
// given. A run of records of one date reads its date once, and a log in date
// order (as logs are) needs no sorting.
std::vector<Dated> datedRecords(std::span<const core::WeightRecord> records, DayMeans& out) {
    std::vector<Dated> dated;
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
            ++out.unreadableDates;
        }
    }
    auto byDay = [](const Dated& a, const Dated& b) { return a.day < b.day; };
    if (!std::is_sorted(dated.begin(), dated.end(), byDay))
        std::stable_sort(dated.begin(), dated.end(), byDay);
    return dated;
}

void noteWeight(DayMeans& out, float weight, bool first) {
    out.lowest = first ? weight : std::min(out.lowest, weight);
    out.highest = first ? weight : std::max(out.highest, weight);
}

}  // namespace

DayNumber dayNumber(core::Date date) {
    return static_cast<DayNumber>(std::chrono::sys_days(date).time_since_epoch().count());
}

core::Date dateOfDay(DayNumber day) {
    return core::Date(std::chrono::sys_days(std::chrono::days(day)));
}

DayMeans dayMeans(std::span<const core::WeightRecord> records) {
    DayMeans out;
    out.dayOfRecord.assign(records.size(), -1);
    std::vector<Dated> dated = datedRecords(records, out);
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

}  // namespace analysis
