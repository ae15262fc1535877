// The weight calendar: every day of the log classified by how the weight moved
// within it, laid out as one row of 31 day cells per month, with the counts of
// each class and the comparison of good and bad days.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/dates.h"
#include "core/weight_log.h"
#include "ui/color.h"

namespace records {

// `cmdSel1(0)` "詳細表示" and `cmdSel1(1)` "簡易表示".
enum class CaleMode { Detail = 0, Simple = 1 };

enum class DayClass { Lost, Unchanged, Gained, Once };

// `CaleSameColor` and `CaleOnceColor` of a mode.
struct CaleColors {
    ui::Color same;
    ui::Color once;
};
CaleColors caleColors(CaleMode mode);

// The highlight of the active mode button.
inline constexpr ui::Color kModeHighlight{255, 224, 192};

// A day's class from its weighings in log order: only the first and the last
// count.
DayClass classifyDay(std::span<const float> weights);

ui::Color colorOf(DayClass cls, CaleMode mode);

// The layout of `msgList2`: the month column and 31 day columns.
inline constexpr int kCaleColumns = 32;
inline constexpr int kCaleMonthWidth = 1315;
inline constexpr int kCaleDayWidth = 305;
inline constexpr std::string_view kCaleMonthHeader = "年月";

struct CaleCell {
    int row = 0;  // grid row, 1 for the first month
    int col = 0;  // the day of the month, 1 to 31
    DayClass cls = DayClass::Once;
    ui::Color color;
    bool operator==(const CaleCell&) const = default;
};

struct CaleCounts {
    int32_t lost = 0, unchanged = 0, gained = 0, once = 0, unmeasured = 0;
    bool operator==(const CaleCounts&) const = default;
};

struct Calendar {
    std::vector<std::string> months;  // column 0 of rows 1, 2, ...: "yyyy年mm月"
    std::vector<CaleCell> cells;      // the coloured day cells
    CaleCounts counts;
};

// DSP_CALE over the log in file order. A day is a run of records with the same
// date; records whose date is not a real date are skipped. The unmeasured days
// count from the first record's date to the later of today and the last
// record's date, both included, and are never negative.
Calendar calendarDays(std::span<const core::WeightRecord> records, CaleMode mode, core::Date today);

enum class Face { Laughing, Smiling, Sad };  // imgWara2, imgNiko2, imgKana2

// The texts under the grid.
struct CaleSummary {
    std::string lblDn_c, lblUp_c, lblSm_c, lblOne_c, lblNon_c;
    std::string lblGenT, lblZouT, lblHugou;
    Face face = Face::Smiling;
};
CaleSummary caleSummary(const CaleCounts& counts);

// The date of a double-clicked cell: none on the header row, on the month
// column, past the last day column, or for a day the month does not have.
// `monthLabel` is the text of column 0 of the clicked row.
std::optional<core::Date> cellDate(int row, int col, std::string_view monthLabel);

}  // namespace records
