// The daily averages (fraAvgTai): the weighings of each calendar day reduced
// to one average, for every day from the earliest to the latest record or for
// a chosen period, with the chart series, the export file "日毎平均.txt" and
// the printed report.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/trend.h"
#include "core/data_dir.h"
#include "core/dates.h"
#include "core/weight_log.h"
#include "ui/print_job.h"

namespace analysis {

inline constexpr std::string_view kDayAverageFile = "日毎平均.txt";
inline constexpr std::string_view kDayAverageSaved =
    "日毎平均.txt のファイル名で保存しました。 エクセルなどの表計算ソフトにも読み込めます。";
inline constexpr std::string_view kDayAverageSavedTitle = "保存終了";
inline constexpr std::string_view kDayAveragePrintQuestion =
    "表示中のデータを印刷しますか？ \r\n\r\n良かったらＯＫボタンを押してください";
inline constexpr std::string_view kDayAveragePrintTitle = "印刷確認";

// The most days the table lists, as many as a grid row counter holds.
inline constexpr int32_t kMaxDays = 32767;

// A row of msgAvgtai: the running number, "03/11/01" and the average "70.2"
// (empty on a day without weighing, and in every cell of a row past the
// recorded days).
struct DayRow {
    std::string number;
    std::string date;
    std::string average;
    bool operator==(const DayRow&) const = default;
};

// The rows of a table, each one's texts made when it is asked for: a table
// of every day holds thousands of rows, of which a screenful is shown.
class DayRows {
  public:
    size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    DayRow operator[](size_t i) const;
    std::vector<DayRow> all() const;
    // A row after the others, numbered so, for the period that starts on
    // `start`, with its average (none: the cell is empty).
    void add(core::Date start, std::optional<double> average);
    // Rows with every cell empty, up to `count` rows.
    void padTo(size_t count);
    void reserve(size_t count) { rows_.reserve(count); }

  private:
    struct Row {
        core::Date start{};
        double average = 0;
        enum class Kind : uint8_t { Blank, Unweighed, Weighed } kind = Kind::Blank;
    };
    std::vector<Row> rows_;
};

struct DayAverages {
    DayRows rows;
    // mcrAvgtai, one point per row: the day's average, on a day without
    // weighing the average of the last day that had one; none past the log.
    std::vector<std::optional<double>> chart;
    std::optional<Axis> axis;  // from the lowest and highest single weighing
    int32_t RecordCount = 0;
    // Filled for all days only: the items of both date boxes and their texts.
    std::vector<std::string> dateItems;
    std::string startText, endText;
};

// A fill either gives the table or a message saying why nothing was shown.
struct DayAveragesResult {
    std::string error;
    DayAverages table;
    bool ok() const { return error.empty(); }
};

// DSP_AVGTAI: every day from the earliest record's date to the latest one's,
// whatever the order of the log. Refused when a date is unreadable or the
// dates span more than kMaxDays days.
DayAveragesResult dayAverages(std::span<const core::WeightRecord> records);

// DSP_AVGTAI_KIKAN: the days from the date typed in cboStdate2 to the one in
// cboEddate2, numbered from 1; a period running past the log keeps empty rows
// at its end. Refused for a text that is no date, an end before the start,
// or a log that the whole view refuses.
DayAveragesResult dayAveragesForPeriod(std::span<const core::WeightRecord> records,
                                       std::string_view startText, std::string_view endText);

// The other units of the view besides the day.
enum class Unit { Week, Month };

// The weekly or monthly view: one row per week (from Sunday) or calendar
// month, from the one holding the earliest record's date to the one holding
// the latest, whatever the order of the log. A row gives its number from 1,
// the period's first day (a week's Sunday, a month's 1st, even when it lies
// before the first weighing) and the mean of its weighed days' means (as
// dayMeans gives them), empty for a period without weighing. The chart
// carries the last mean over such periods; the axis is the daily view's.
// No date box items. Refused when a date is unreadable or there would be more
// than kMaxDays rows.
DayAveragesResult periodAverages(std::span<const core::WeightRecord> records, Unit unit);

// The date in a date box: "yyyy/mm/dd", or "yy/mm/dd" read in the century
// that puts it nearest to the log's days (so an item of the box, one of the
// log's days, is that very day).
std::optional<core::Date> readBoxDate(std::string_view text, core::Date first, core::Date last);

// The text of "日毎平均.txt": "\"03/11/01\",70.2" and CR LF per row; an empty
// average is written 0.
std::string dayAverageExport(std::span<const DayRow> rows);

// cmdAvgHozon_Click: replaces "日毎平均.txt" with the rows as shown.
core::Status writeDayAverages(const core::DataDir& dir, std::span<const DayRow> rows);

// cmdAvgPri_Click after the user's OK: the chart's picture at the top left,
// and beside it from x 9000 the heading, a rule and one line per row.
ui::PrintJob dayAveragePrintJob(std::span<const DayRow> rows);

}  // namespace analysis
