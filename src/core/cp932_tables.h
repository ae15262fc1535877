// The code page 932 (Shift-JIS) tables that the conversions of codepage.cpp
// are made from, generated once from iconv with Windows' own decoding where
// the two differ (tools/generate_cp932_tables.cpp), so that every platform
// reads and writes the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace core::cp932 {

// Neither a character nor a code: U+FFFF is no character, FF FF no code.
inline constexpr uint16_t kNone = 0xFFFF;

// The code point of each byte alone; kNone for a byte that is no character
// alone (a lead byte, or no character at all).
extern const uint16_t kSingle[256];

// The bytes that start a two-byte character, in ascending order, and for
// each the code point of every byte after it (kNone where the pair is none).
extern const size_t kLeadCount;
extern const uint8_t kLeads[];
extern const uint16_t kPairs[][256];

// The bytes that each encodable code point is written as, by code point:
// below 0x100 one byte, else two (lead byte first).
struct Encoding {
    uint16_t codePoint;
    uint16_t code;
};
extern const size_t kEncodingCount;
extern const Encoding kEncodings[];

}  // namespace core::cp932
