// The range list: the table of `msgBunseki` with its differences, marks, BMI
// and obesity, the chart `mcrBunseki` of the listed weights, and the items of
// the period combo boxes `cboStdate` and `cboEddate`.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/weight_log.h"
#include "records/list_filter.h"
#include "ui/color.h"
#include "ui/controls.h"

namespace records {

inline constexpr int kListColumns = 11;

// The columns of `msgBunseki`: header, width in twips, alignment of the
// data (the obesity column keeps the grid's own).
inline constexpr std::array<ui::GridColumn, kListColumns> kListGridColumns{{
    {"回", 600, ui::Align::Right},
    {"日付け", 1200, ui::Align::Center},
    {"曜", 365, ui::Align::Center},
    {"行動", 1665, ui::Align::Left},
    {"体重", 800, ui::Align::Right},
    {"前回差", 780, ui::Align::Right},
    {"差", 350, ui::Align::Center},
    {"初回差", 800, ui::Align::Right},
    {"差", 350, ui::Align::Center},
    {"ＢＭＩ", 570, ui::Align::Right},
    {"肥満度", 700, ui::Align::Default},
}};

// The columns of a row, by the number of the grid column.
enum ListColumn {
    kColNumber = 0,
    kColDate = 1,
    kColWeekday = 2,
    kColSituation = 3,
    kColWeight = 4,
    kColPreviousDiff = 5,
    kColPreviousMark = 6,
    kColFirstDiff = 7,
    kColFirstMark = 8,
    kColBmi = 9,
    kColObesity = 10,
};

// The tables scroll to their end when they have more rows than this, header
// included.
inline constexpr int kListVisibleRows = 11;

struct ListRow {
    std::array<std::string, kListColumns> cells;  // the texts of columns 0 to 10
    ui::Color previousColor;                      // the background of column 6
    ui::Color firstColor;                         // the background of column 8
};

// The chart's value axis: Int(lowest) to core::weightAxisTop(highest).
struct AxisRange {
    double min = 0;
    double max = 0;
    bool operator==(const AxisRange&) const = default;
};

// A listed record and the weight of the row before it (its own for the
// first row).
struct ListedRecord {
    const core::WeightRecord* record;
    float previous;
};

// The rows are kept as the records they list and made into texts only when
// asked for, so that a list of the whole log costs the rows that are shown.
struct RangeList {
    std::vector<ListedRecord> listed;  // row n of the grid is listed[n - 1]
    float first = 0;                   // the weight of the first row
    float heightCm = 0;
    std::optional<AxisRange> axis;  // none when nothing is listed: the axis stays as it was
    bool scrollToEnd = false;       // the grid's top row becomes its last row

    size_t size() const { return listed.size(); }
    // The texts and colours of row i + 1 of the grid.
    ListRow row(size_t i) const;
};

// Lists the records that pass the filter, in file order. The differences are
// taken against the previously listed row and the first listed row. With a
// height of zero or less, the BMI and obesity cells stay empty. The chart has
// one point per listed row. The list points into `records`.
RangeList rangeList(std::span<const core::WeightRecord> records, const ListFilter& filter,
                    float heightCm);

// The items of `cboStdate` and `cboEddate`: each date of the log where it
// differs from the date before it, and the texts the boxes show, the first and
// the last item (empty for an empty log).
struct PeriodItems {
    std::vector<std::string> items;
    Period shown;
};
PeriodItems periodItems(std::span<const core::WeightRecord> records);

}  // namespace records
