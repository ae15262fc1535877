// Conversion between the program's UTF-8 text and the Windows code page 932
// (Shift-JIS) of its data files, from tables built into the program
// (cp932_tables.h), so that every platform reads and writes the same bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// Marks a byte sequence that is not code page 932. Such a character can never
// come from a valid file, so a reader that finds it knows the line is damaged.
inline constexpr std::string_view kBadByteMark = "\xEF\xBF\xBD";  // U+FFFD

// Decodes a whole file's bytes; every invalid sequence becomes kBadByteMark.
// A byte that is no character, alone or with the byte after it, becomes
// kBadByteMark, and decoding goes on at the next byte.
std::string decodeCp932(std::string_view bytes);

// The same, appended to `out`; false when some byte became kBadByteMark.
bool appendDecodedCp932(std::string_view bytes, std::string& out);

// The room that decodeCp932Into needs for `size` bytes. Decodings of parts of
// a text written one after another, each starting where the last ended, need
// no more than this for the size of the whole.
size_t decodedCp932Bound(size_t size);

// Writes the decoding at `dst`, which has room for decodedCp932Bound bytes;
// gives the end of what it wrote. `clean` is false when some byte became
// kBadByteMark.
char* decodeCp932Into(std::string_view bytes, char* dst, bool& clean);

// True when every byte below 0x80 decodes to itself, so that ASCII bytes are
// their own text.
bool cp932KeepsAscii();

// Encodes UTF-8 text; nullopt when a character has no code page 932 form or
// the text is not well-formed UTF-8. Nothing is ever dropped or replaced.
std::optional<std::string> encodeCp932(std::string_view utf8);

// The same, appended to `out`; false (and `out` as it was) when a character
// has no code page 932 form.
bool appendEncodedCp932(std::string_view utf8, std::string& out);

// True when the text can be kept in a quoted field of a data file: no double
// quote, no line break, and every character representable in code page 932.
bool isStorableText(std::string_view utf8);

}  // namespace core
