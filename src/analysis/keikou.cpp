#include "analysis/keikou.h"

#include <algorithm>
#include <unordered_map>

#include "analysis/day_means.h"
#include "core/numbers.h"

namespace analysis {
namespace {

constexpr std::string_view kNone = "―";

PeriodRow periodRow(const SmoothedTrend& trend, const TrendPeriod& period) {
    const bool whole = period.days == 0;
    const int32_t length = whole ? trend.days.back().day - trend.days.front().day + 1 : period.days;
    const int32_t least = whole ? 2 : (period.days + 1) / 2;
    PeriodRow row{std::string(period.caption), {}};
    auto w = trendWindow(trend, length, least);
    if (!w) {
        row.cells.fill(std::string(kNone));
        return row;
    }
    row.cells = {core::formatSigned(w->change, "0.0Kg"),
                 core::formatSigned(w->slopePerDay * 7, "0.00Kg"), kcalText(w->slopePerDay),
                 core::Format(w->lowest, "0.0"), core::Format(w->highest, "0.0")};
    return row;
}

// A day's run of weighings in the order of the records: its mean, lowest,
// highest, first and last.
struct DayRun {
    DayNumber day = 0;
    int32_t count = 0;
    double mean = 0;
    float lowest = 0, highest = 0, first = 0, last = 0;
};

std::vector<DayRun> dayRuns(std::span<const DatedWeight> dated) {
    std::vector<DayRun> runs;
    double sum = 0;
    for (size_t i = 0; i < dated.size(); ++i) {
        const DatedWeight& d = dated[i];
        if (runs.empty() || runs.back().day != d.day) {
            sum = 0;
            runs.push_back({d.day, 0, 0, d.weight, d.weight, d.weight, d.weight});
        }
        DayRun& run = runs.back();
        sum += static_cast<double>(d.weight);
        ++run.count;
        run.mean = sum / run.count;
        run.lowest = std::min(run.lowest, d.weight);
        run.highest = std::max(run.highest, d.weight);
        run.last = d.weight;
    }
    return runs;
}

DaySwing daySwing(const std::vector<DayRun>& runs) {
    DaySwing s;
    double swing = 0, overnight = 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].count >= 2) {
            swing += static_cast<double>(runs[i].highest) - runs[i].lowest;
            ++s.swingDays;
        }
        if (i > 0 && runs[i].day == runs[i - 1].day + 1) {
            overnight += static_cast<double>(runs[i].first) - runs[i - 1].last;
            ++s.overnightPairs;
        }
    }
    if (s.swingDays > 0) s.swing = swing / s.swingDays;
    if (s.overnightPairs > 0) s.overnight = overnight / s.overnightPairs;
    return s;
}

// The rows of each label in the order of first appearance, with their sums.
struct LabelSums {
    SituationRow row;
    double sum = 0, againstSum = 0;
    int32_t againstCount = 0;
    int32_t firstRecord = 0;
};

std::vector<LabelSums> labelSums(std::span<const core::WeightRecord> records,
                                 std::span<const DatedWeight> dated,
                                 const std::vector<DayRun>& runs) {
    std::vector<LabelSums> labels;
    std::unordered_map<std::string_view, size_t> index;
    size_t run = 0;
    for (const DatedWeight& d : dated) {
        while (runs[run].day != d.day) ++run;
        const core::WeightRecord& r = records[static_cast<size_t>(d.record)];
        auto [at, added] = index.try_emplace(r.Situation, labels.size());
        if (added) {
            labels.emplace_back();
            labels.back().row.label = r.Situation;
            labels.back().firstRecord = d.record;
        }
        LabelSums& l = labels[at->second];
        l.firstRecord = std::min(l.firstRecord, d.record);
        ++l.row.count;
        l.sum += static_cast<double>(d.weight);
        l.row.latest = d.day;  // the weighings come by day
        if (runs[run].count >= 2) {
            l.againstSum += static_cast<double>(d.weight) - runs[run].mean;
            ++l.againstCount;
        }
    }
    return labels;
}

}  // namespace

std::vector<PeriodRow> periodRows(const SmoothedTrend& trend) {
    std::vector<PeriodRow> rows;
    if (trend.days.empty()) return rows;
    for (const TrendPeriod& period : kTrendPeriods) rows.push_back(periodRow(trend, period));
    return rows;
}

std::string kcalText(double slopePerDay) {
    return core::formatSigned(slopePerDay * kKcalPerKg, "#,0kcal");
}

SituationReport situationReport(std::span<const core::WeightRecord> records) {
    int32_t unreadable = 0;
    std::vector<DatedWeight> dated = datedWeights(records, unreadable);
    std::vector<DayRun> runs = dayRuns(dated);
    std::vector<LabelSums> labels = labelSums(records, dated, runs);
    std::stable_sort(labels.begin(), labels.end(), [](const LabelSums& a, const LabelSums& b) {
        if (a.row.count != b.row.count) return a.row.count > b.row.count;
        return a.firstRecord < b.firstRecord;
    });
    SituationReport report;
    report.rows.reserve(labels.size());
    for (LabelSums& l : labels) {
        l.row.mean = l.sum / l.row.count;
        if (l.againstCount > 0) l.row.againstDay = l.againstSum / l.againstCount;
        report.rows.push_back(std::move(l.row));
    }
    report.swing = daySwing(runs);
    return report;
}

std::array<std::string, 5> situationCells(const SituationRow& row) {
    return {row.label, std::to_string(row.count), core::Format(row.mean, "0.0"),
            row.againstDay ? core::formatSigned(*row.againstDay, "0.00Kg") : std::string(kNone),
            core::Format(dateOfDay(row.latest), "yyyy/mm/dd")};
}

std::string swingText(const DaySwing& swing) {
    if (swing.swingDays == 0) return "一日の変動　―";
    return "一日の変動　" + core::Format(swing.swing, "0.00Kg") + "（" +
           std::to_string(swing.swingDays) + "日の平均）";
}

std::string overnightText(const DaySwing& swing) {
    if (swing.overnightPairs == 0) return "夜から朝　―";
    return "夜から朝　" + core::formatSigned(swing.overnight, "0.00Kg") + "（" +
           std::to_string(swing.overnightPairs) + "回の平均）";
}

}  // namespace analysis
