// Comma-separated values as spreadsheets and other programs write them (RFC
// 4180), for exchanging weighings: a field is quoted only when it must be, a
// doubled quote inside quotes stands for one, and a quoted field may run over
// several lines. The data files keep their own simpler convention (fields.h).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace core {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Appends one field: between double quotes, each inner quote doubled, when it
// holds a comma, a double quote, CR or LF; as it is otherwise.
void appendCsvField(std::string& out, std::string_view field);

// Appends one record: its fields separated by commas, ended by CR LF.
void appendCsvRecord(std::string& out, std::initializer_list<std::string_view> fields);

struct CsvRecord {
    std::vector<std::string> fields;
    // A quote out of place (inside a bare field, or text right after a closing
    // quote; the text is kept as found) or a quote left open at the end.
    bool malformed = false;
    bool operator==(const CsvRecord&) const = default;
};

struct CsvText {
    std::vector<CsvRecord> records;
    bool unclosedQuote = false;  // the last record ran to the end inside quotes
};

// The records of a text. Commas separate fields; a field that starts with a
// double quote runs to the matching closing quote and may hold commas,
// doubled quotes and line ends, kept as they are. Outside quotes, CR LF, LF
// or CR ends a record. Blank lines (nothing, or only spaces and tabs) are
// skipped. An unclosed quote takes the rest of the text into its field and
// marks the last record malformed.
CsvText readCsv(std::string_view text);

// True when the bytes are well-formed UTF-8: no stray continuation byte, no
// truncated sequence, no overlong form, no surrogate, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

}  // namespace core
