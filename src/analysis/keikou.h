// What the 傾向分析 panel reads from the log: the smoothed trend's change by
// period with the calories a day that change means, what each situation
// weighs against the mean of its day, the swing within a day and the change
// overnight.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/smoothed_trend.h"
#include "core/weight_log.h"

namespace analysis {

// The kilocalories that a kilogram of body fat stands for, as commonly
// reckoned.
inline constexpr double kKcalPerKg = 7200;

// A row of the period table: its caption and its length in days (0 for the
// whole trend).
struct TrendPeriod {
    std::string_view caption;
    int32_t days;
};
inline constexpr std::array<TrendPeriod, 7> kTrendPeriods = {{{"1週間", 7},
                                                              {"2週間", 14},
                                                              {"4週間", 28},
                                                              {"3か月", 91},
                                                              {"半年", 182},
                                                              {"1年", 365},
                                                              {"全期間", 0}}};

// The figures of one period, shown as the row's cells after its caption.
struct PeriodRow {
    std::string caption;
    // 変化, 週あたり, 1日あたり, 最小, 最大; each "―" when the period does not
    // hold half its days yet (the whole trend: two days).
    std::array<std::string, 5> cells;
};

// The period table of a trend: for a period of n days, the window of its
// last n days; a row needs ceil(n / 2) of them. No rows without days.
std::vector<PeriodRow> periodRows(const SmoothedTrend& trend);

// The slope per day as the calories a day it means: "-1,234kcal".
std::string kcalText(double slopePerDay);

// One situation's weighings: 状況, 回数, 平均, 一日の平均との差, 最新.
struct SituationRow {
    std::string label;
    int32_t count = 0;
    double mean = 0;
    // The mean of (w − the mean of its date) over the weighings of dates
    // with at least two; none when no such weighing has this situation.
    std::optional<double> againstDay;
    DayNumber latest = 0;
};

// Over the days with at least two weighings, the mean of (highest −
// lowest); over each pair of following calendar days both weighed, the
// mean of (the later day's first weighing − the earlier day's last), first
// and last in the order of the records.
struct DaySwing {
    int32_t swingDays = 0;
    double swing = 0;
    int32_t overnightPairs = 0;
    double overnight = 0;
};

struct SituationReport {
    // By count, highest first, then by first appearance in the records.
    std::vector<SituationRow> rows;
    DaySwing swing;
};

// Over every record with a readable date, whatever feeds the trend.
SituationReport situationReport(std::span<const core::WeightRecord> records);

// The grid's cells of a row: 状況, 回数, 平均, 一日の平均との差, 最新.
std::array<std::string, 5> situationCells(const SituationRow& row);

// "一日の変動　0.85Kg（120日の平均）", "一日の変動　―".
std::string swingText(const DaySwing& swing);
// "夜から朝　-0.62Kg（95回の平均）", "夜から朝　―".
std::string overnightText(const DaySwing& swing);

}  // namespace analysis
