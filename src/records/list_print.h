// The printout of the range list (`cmdPriData_Click`): the chart's picture at
// the top of the page, a header and a rule, then one line per listed row.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "records/range_list.h"
#include "ui/print_job.h"

namespace records {

inline constexpr std::string_view kPrintTitle = "印刷確認";
inline constexpr std::string_view kPrintQuestion =
    "表示中のデータを印刷しますか？ \r\n\r\n良かったらＯＫボタンを押してください";

// The words of the header line that stand at x 0, over the dates and the
// situations; 体重, ＢＭＩ and 肥満度 stand each over its own column.
std::string listPrintHeader();

// The rule under the header: 62 hyphen-minus characters.
std::string listPrintRule();

// The job for the rows as the table shows them: date and situation at x 0,
// then weight, BMI and obesity from x 3000, one print zone apart, under a
// header whose captions stand where the figures do.
ui::PrintJob listPrintJob(std::span<const ListRow> rows);

}  // namespace records
