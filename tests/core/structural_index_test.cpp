// The structural masks agree with a byte-by-byte reading at every length and
// alignment, and the reader that walks them reads every line as the full
// reader reads the decoded text.
#include "core/structural_index.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "core/codepage.h"
#include "core/fields.h"
#include "core/weight_log.h"
#include "support/reference_reader.h"

namespace core {
namespace {

bool structuralByte(char c) {
    return c == '"' || c == '\r' || c == '\n';
}

// Bytes of every kind the masks tell apart, in an order that puts each kind
// at every position of a block in turn.
std::string mixedBytes(size_t size, unsigned seed) {
    static const char kKinds[] = {'"', ',', '\r', '\n', 'a', '\x81', '\x5C', '\xFC', ' ', '\0'};
    std::string out(size, ' ');
    for (size_t i = 0; i < size; ++i) out[i] = kKinds[(i * 7 + seed + i / 13) % sizeof kKinds];
    return out;
}

TEST(StructuralMasks, MarkEveryQuoteLineEndAndHighByteAtEveryLengthAndOffset) {
    std::vector<MaskBlock> blocks;
    for (size_t size : {0u, 1u, 15u, 16u, 17u, 63u, 64u, 65u, 127u, 128u, 129u, 200u}) {
        for (unsigned seed = 0; seed < 10; ++seed) {
            std::string bytes = mixedBytes(size, seed);
            buildStructuralMasks(bytes, blocks);
            ASSERT_EQ(blocks.size(), size / 64 + 2) << size;
            for (size_t i = 0; i <= size; ++i) {
                bool structural = (blocks[i / 64].structural >> (i % 64)) & 1;
                bool high = (blocks[i / 64].high >> (i % 64)) & 1;
                bool atEnd = i == size;
                EXPECT_EQ(structural, atEnd || structuralByte(bytes[i])) << size << " at " << i;
                EXPECT_EQ(high, !atEnd && static_cast<unsigned char>(bytes[i]) >= 0x80)
                    << size << " at " << i;
            }
            EXPECT_EQ(blocks.back().structural, ~uint64_t{0});
        }
    }
}

TEST(StructuralMasks, TheWalkAndTheHighBytesAgreeWithTheBytes) {
    std::string bytes = mixedBytes(300, 3);
    StructuralIndex index(bytes);
    for (size_t from : {0u, 1u, 15u, 63u, 64u, 65u, 130u, 299u, 300u}) {
        StructuralCursor walk = index.at(from);
        size_t expected = from;
        while (expected < bytes.size() && !structuralByte(bytes[expected])) ++expected;
        EXPECT_EQ(walk.next(), expected) << from;
        for (size_t to = from; to <= bytes.size(); to += 17) {
            bool high = false;
            for (size_t i = from; i < to; ++i) high |= static_cast<unsigned char>(bytes[i]) >= 0x80;
            EXPECT_EQ(index.anyHigh(from, to), high) << from << ".." << to;
        }
    }
}

TEST(StructuralMasks, CountLinesAsTheReadersSplitThem) {
    const std::string ends[] = {"", "\r", "\n", "\r\n", "\n\r", "\r\r\n", "x"};
    for (size_t size : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 33u, 100u, 2033u, 5000u}) {
        for (unsigned seed = 0; seed < 10; ++seed) {
            for (const std::string& end : ends) {
                std::string bytes = mixedBytes(size, seed) + end;
                size_t lines = 0;
                forEachRawLine(bytes, [&](std::string_view, std::string_view) { ++lines; });
                EXPECT_EQ(countLogLines(bytes), lines) << size << " " << seed;
            }
        }
    }
}

TEST(StructuralMasks, AnIndexMadeWhileAnotherLivesKeepsItsOwnMasks) {
    std::string a = std::string(70, 'a') + "\"", b = "\"" + std::string(70, 'b');
    StructuralIndex first(a);
    StructuralIndex second(b);
    EXPECT_EQ(first.at(0).next(), 70u);
    EXPECT_EQ(second.at(1).next(), 71u);  // the end
}

// Lines in raw Shift-JIS: "ソ" and "表" end in 0x5C, "＠" in 0x40, "\x81\x22"
// is a lead byte before a quote (no character), "\xA6" a half-width kana.
const char* const kTrickyLines[] = {
    "\"2024/06/01\",\"\x92\xA9\",65.5,\"\",\"\",\"\"",
    "\"2024/06/01\",\"\x83\x5C\x95\x5C\",65.5,\"\x83\x5C\",\"\x81\x97\",\"\x83\x5C\"",
    "\"2024/06/01\",\"a,b\",65.5,\"c,d\"",
    "\"2024/06/01\",\"\",65.5",
    "\"2024/06/01\",\"a\"b\",65.5",
    "\"2024/06/01\",\"a\",65.5,\"x\"\"y\"",
    "\"2024/06/01\",\"a\",65.5,\"x\",",
    "\"2024/06/01\",\"a\",65.5,\"x\"y",
    "\"2024/06/01\",\"a\",65.5,\"x\"y\"z\"",
    "\"2024/06/01\",\"a\",65.5,\"x\" ,\"z\"",
    "\"2024/06/01\",\"a\"y\"b\",65.5",
    "\"2024/06/01\",\"a\",65.5,\"unclosed",
    "\"2024/06/01\",\"a\",65.5,\"1\",\"2\",\"3\",\"4\"",
    "\"2024/06/01\",\"a\",,\"x\"",
    "\"2024/06/01\",\"a\",\"65\"",
    "\"2024/06/01\",\"a\",6\"5",
    "\"2024/06/01\",\"\x81\x22,65.5",
    "\"2024/06/01\",\"\x81\",65.5,\"\x81\"",
    "\"2024/06/01\",\"\xA6\xA6\",65.5,\"\xFC\xFC\"",
    "\"2024/06/01\",\"a\",-1.5",
    "\"2024/06/01\",\"a\",+65",
    "\"2024/06/01\",\"a\",1e2",
    "\"2024/06/01\",\"a\",65.",
    "\"2024/06/01\",\"a\",.5",
    "\"2024/06/01\",\"a\",0065.5",
    "\"2024/06/01\",\"a\",123.45",
    "\"2024/06/01\",\"a\",999.9,\"\"",
    "\"2024/06/01\",\"a\",1234.5",
    "\"2024/06/01\",\"a\",6a.5",
    "\"2024/06/01\",\"a\", 65.5 ,\"x\"",
    "\"2024/02/30\",\"a\",65.5",
    "\"2024/06/01\",\"a\",65.5\"2024/06/02\",\"b\",64",
    "   ",
    "",
};

const char* const kLineEnds[] = {"\r\n", "\n", "\r", "\n\r"};

// Every tricky line between two common ones, with every line end, moved
// through every offset of a 64-byte block, with and without a last line end.
TEST(StructuralReader, ReadsEveryTrickyLineAsTheFullReaderDoes) {
    const std::string common = "\"2024/05/31\",\"\x92\xA9\",66.1,\"\x83\x5C\",\"\",\"\"";
    for (const char* tricky : kTrickyLines) {
        for (const char* end : kLineEnds) {
            for (size_t shift = 0; shift < 66; shift += (shift < 18 ? 1 : 7)) {
                std::string pad = "\"2024/05/30\",\"a\",66,\"" + std::string(shift, 'x') + "\"";
                std::string bytes = pad + end + common + end + tricky + end + common;
                expectSameAsReference(bytes, bytes);
                expectSameAsReference(bytes + end, bytes);
                expectSameAsReference(std::string(tricky), tricky);
            }
        }
    }
}

// Long texts put every quote on either side of a 16- and a 64-byte boundary.
TEST(StructuralReader, ReadsTextsAcrossBlockBoundaries) {
    for (size_t a = 0; a < 140; a += 3) {
        for (size_t b : {0u, 1u, 15u, 16u, 17u, 63u, 64u, 65u}) {
            std::string situation(a, 'x'), diary;
            for (size_t i = 0; i < b; ++i) diary += i % 3 ? "\x83\x5C" : "y";
            std::string bytes = "\"2024/06/01\",\"" + situation + "\",65.5,\"" + diary +
                                "\",\"\",\"\"\r\n\"2024/06/01\",\"" + diary + "\",64\r\n";
            expectSameAsReference(bytes, bytes);
        }
    }
}

}  // namespace
}  // namespace core
