// The rules of the conversion editor "換算値編集": checking what the user typed
// into the date and rate boxes, adding, changing and deleting entries of the
// conversion table, and rewriting "換算.txt" from the new table. The panel
// asks its confirmations and shows the refusals; everything it decides on is
// here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/data_dir.h"
#include "savings/penalty.h"

namespace savings {

// A message box that stops an edit: text and title, shown with the
// exclamation icon and an OK button.
struct Refusal {
    std::string text;
    std::string title;
};

inline constexpr std::string_view kConfirmTitle = "クリア確認";  // OK and Cancel

// The date box as the table stores it, "yyyy/mm/dd" ("2024/1/5" gives
// "2024/01/05"); nullopt when the text is not a real calendar date.
std::optional<std::string> kansanDate(std::string_view text);

// The two boxes checked, the date first, before anything is asked or
// changed: the entry to store, or the refusal to show.
struct KansanInput {
    std::optional<ConversionEntry> entry;  // the date reformatted, the rate rounded
    Refusal refusal;                       // when entry is empty
};
KansanInput checkKansanInput(std::string_view dateText, std::string_view rateText);

// An edited table, or the refusal when the edit cannot be made. The panel
// makes the edit before it asks for confirmation, and stores the table only
// after OK.
struct KansanEdit {
    std::optional<ConversionTable> table;
    Refusal refusal;  // when table is empty
};

// 追加: the entry goes to the end of the table, whatever its date.
KansanEdit addKansan(const ConversionTable& table, const ConversionEntry& entry);
// 変更: the entry replaces the one shown in grid row `row` (1 = first entry).
KansanEdit changeKansan(const ConversionTable& table, int32_t row, const ConversionEntry& entry);
// 削除: the entry of grid row `row` goes; the table never becomes empty.
KansanEdit deleteKansan(const ConversionTable& table, int32_t row);

// The questions asked before each edit, from the texts of the grid row and
// of the two boxes as they are shown.
std::string addQuestion(std::string_view date, std::string_view rate);
std::string changeQuestion(std::string_view rowDate, std::string_view rowRate,
                           std::string_view date, std::string_view rate);
std::string deleteQuestion(std::string_view rowDate, std::string_view rowRate);

// The text of "換算.txt": one line per entry in table order, the date as
// stored in double quotes and the rate ("2000/01/01",100), CR LF.
std::string kansanText(const ConversionTable& table);

// Replaces "換算.txt" with the table, safely: a failed write leaves the old
// file as it was. A table without entries, or with an entry whose date is not
// a date, is refused and nothing is written.
core::Status writeKansan(const core::DataDir& dir, const ConversionTable& table);

}  // namespace savings
