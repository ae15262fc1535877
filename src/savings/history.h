// The savings history of the savings panel: day by day, what the weighings of
// each date cost under the running-total form of the penalty rule, and the
// sum of those day amounts, for the grid, the chart and the export file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_dir.h"
#include "core/weight_log.h"
#include "savings/penalty.h"

namespace savings {

inline constexpr std::string_view kHistoryFile = "貯金推移.txt";
inline constexpr std::string_view kHistorySavedText =
    "貯金推移.txt のファイル名で保存しました。 エクセルなどの表計算ソフトにも読み込めます。";
inline constexpr std::string_view kHistorySavedTitle = "保存終了";

struct HistoryRow {
    int32_t number = 0;  // 数: 1 for the first row, counting rows, not calendar days
    std::string Date;    // 日付, "yy/mm/dd"
    int32_t amount = 0;  // 金額: the day's penalty in yen
    int32_t total = 0;   // 累計: the day amounts summed up to this row
};

struct History {
    std::vector<HistoryRow> rows;
    int32_t grandTotal = 0;  // 累計 of the last row, 0 without rows
};

// One row per run of records sharing a date string, in log order: a date
// that comes back after another date starts a row of its own, with its own
// first weight of the day. The day amount starts at 0 on each row and adds
// both gains of every weighing at the rate of its date; the first weighing of
// a row is charged against the last weighing before it, and the first record
// of the log costs nothing. Every figure stops at the 32-bit limits.
History history(std::span<const core::WeightRecord> records, const ConversionTable& table);

// The two series of the chart mcrSub2, one point per history row against the
// row number: the running total and the day amount. Without rows the chart
// keeps one point without a value.
struct HistoryChart {
    std::vector<std::optional<double>> total;
    std::vector<std::optional<double>> amount;
};
HistoryChart historyChart(const History& history);

// The text of "貯金推移.txt": per row the date in double quotes, the day
// amount and the running total, ended by CR LF ("24/01/05",20,150).
std::string historyText(const History& history);

// Replaces "貯金推移.txt" with the history, safely; an existing file of that
// name in any letter case is overwritten without asking.
core::Status writeHistory(const core::DataDir& dir, const History& history);

}  // namespace savings
