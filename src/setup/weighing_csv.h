// Weighings exchanged with other programs as CSV: the text of the export, the
// reading of a file to import (its columns found by their headers, its rows
// checked and compared with the log), and the texts the panel shows around
// both.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/weight_log.h"

namespace setup {

inline constexpr std::string_view kCsvHeader = "日付,状況,体重,一言日記";
// The situation of an imported weighing whose file gives none.
inline constexpr std::string_view kImportSituation = "取り込み";
inline constexpr std::string_view kNoCsvColumns = "日付と体重の列が見つかりません。";
inline constexpr std::string_view kNothingToImport = "取り込める記録がありません。";
inline constexpr std::string_view kImportOverLimit =
    "取り込むと記録が 32767 件を超えるため、取り込めません。";
// Two weights this close (in kilograms) are the same weighing.
inline constexpr double kSameWeight = 0.005;

// The export: UTF-8 with a byte-order mark, CR LF line ends, the header, then
// one line per record in the order given: the date as "yyyy-mm-dd", the
// situation, the weight in its shortest form, the diary.
std::string weighingCsv(std::span<const core::WeightRecord> records);

// What an import would do.
struct ImportPlan {
    std::string error;                        // kNoCsvColumns, or empty
    std::vector<core::WeightRecord> records;  // to add, in file order
    int32_t duplicates = 0;                   // rows skipped as already there
    int32_t unreadable = 0;                   // rows that are no weighing
    bool overLimit = false;                   // the log would pass kMaxRecords

    bool ok() const { return error.empty(); }
    int32_t count() const { return static_cast<int32_t>(records.size()); }
};

// Reads a file's bytes for import next to the log's records. The bytes are
// UTF-8 (a byte-order mark dropped), or Shift-JIS when they are not valid
// UTF-8. The first record is the header: the date column is the first headed
// 日付, 日時, date, datetime or time, the weight column the first headed 体重,
// 体重(kg), weight or weight (kg), the situation column the first headed 状況
// (letter case and blanks around a header do not count). A row is unreadable
// without a real date (yyyy-mm-dd or yyyy/mm/dd, the year from 1000, anything
// after the day but a digit ignored), without a plain decimal weight that the
// weight entry takes, or with a situation the log cannot hold; an empty or
// missing situation is 取り込み. A row is a duplicate of a record of the log or
// of an earlier row with the same date and situation and a weight within
// kSameWeight. An imported record has an empty diary and spare fields.
ImportPlan planImport(std::string_view bytes, std::span<const core::WeightRecord> log);

// The pieces of a row: "yyyy/mm/dd" and the weight, or none.
std::optional<std::string> importDate(std::string_view cell);
std::optional<float> importWeight(std::string_view cell);

// The question before an import, lines joined by CR LF: "N 件の記録を取り込みます。",
// "重複 M 件、読めない行 K 行は取り込みません。" when some are left out, "よろしいですか？";
// kNothingToImport when there is nothing to add.
std::string importQuestion(const ImportPlan& plan);

// "N 件の記録を取り込みました。"
std::string importDoneText(int32_t count);

// "N 件の記録を NAME に書き出しました。", and a second line
// "読めない行 K 行は書き出していません。" when the log had unreadable lines.
std::string exportDoneText(int32_t count, std::string_view fileName, int32_t unreadableLines);

}  // namespace setup
