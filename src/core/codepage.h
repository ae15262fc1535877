// Conversion between the program's UTF-8 text and the Windows code page 932
// (Shift-JIS) of its data files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// Marks a byte sequence that is not code page 932. Such a character can never
// come from a valid file, so a reader that finds it knows the line is damaged.
inline constexpr std::string_view kBadByteMark = "\xEF\xBF\xBD";  // U+FFFD

// Decodes a whole file's bytes; every invalid sequence becomes kBadByteMark.
// The result is byte for byte what iconv's "CP932" gives, character by
// character, with kBadByteMark for each byte it refuses.
std::string decodeCp932(std::string_view bytes);

// The same, appended to `out`; false when some byte became kBadByteMark.
bool appendDecodedCp932(std::string_view bytes, std::string& out);

// Encodes UTF-8 text; nullopt when a character has no code page 932 form.
std::optional<std::string> encodeCp932(std::string_view utf8);

// The same, appended to `out`; false (and `out` as it was) when a character
// has no code page 932 form.
bool appendEncodedCp932(std::string_view utf8, std::string& out);

// True when the text can be kept in a quoted field of a data file: no double
// quote, no line break, and every character representable in code page 932.
bool isStorableText(std::string_view utf8);

}  // namespace core
