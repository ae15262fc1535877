// The built-in code page 932 tables against Windows' own conversion
// (Windows only): every byte, every pair of bytes and every code point of the
// Basic Multilingual Plane, through MultiByteToWideChar and
// WideCharToMultiByte of code page 932. The files that users already have
// were written by Windows' conversion; the tables must read them the same.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "core/codepage.h"

namespace core {
namespace {

std::string hex(std::string_view bytes) {
    static const char* const kDigits = "0123456789ABCDEF";
    std::string out;
    for (char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
        out += ' ';
    }
    return out;
}

std::string utf8Of(const wchar_t* text, int size) {
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, size, out.data(), n, nullptr, nullptr);
    return out;
}

// Windows' decoding of the bytes, nullopt when it finds an invalid sequence.
std::optional<std::string> windowsDecode(std::string_view bytes) {
    wchar_t out[64];
    int n = ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(),
                                  static_cast<int>(bytes.size()), out, 64);
    if (n <= 0) return std::nullopt;
    return utf8Of(out, n);
}

// Windows' strict encoding of one character, without its "best fit" stand-ins
// (which would write another character); nullopt when it has none.
std::optional<std::string> windowsEncode(wchar_t c) {
    char out[8];
    BOOL usedDefault = FALSE;
    int n = ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &c, 1, out, 8, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    return std::string(out, static_cast<size_t>(n));
}

TEST(CodepageWindows, DecodesEveryByteAndEveryPairAsWindowsDoes) {
    for (int b = 0; b < 256; ++b) {
        std::string one(1, static_cast<char>(b));
        std::optional<std::string> windows = windowsDecode(one);
        if (windows) {
            ASSERT_EQ(decodeCp932(one), *windows) << hex(one);
        } else {
            ASSERT_EQ(decodeCp932(one), kBadByteMark) << hex(one);
        }
        for (int t = 0; t < 256; ++t) {
            std::string pair{static_cast<char>(b), static_cast<char>(t)};
            windows = windowsDecode(pair);
            std::string ours = decodeCp932(pair);
            if (windows) {
                ASSERT_EQ(ours, *windows) << hex(pair);
            } else {
                ASSERT_NE(ours.find(kBadByteMark), std::string::npos) << hex(pair);
            }
        }
    }
}

// Where the tables write something that Windows' strict conversion refuses,
// it is the code page 932 form of the same character as Japanese standards
// name it (the wave dash as the fullwidth tilde, and the like): the bytes a
// Windows program writes for it. Windows writes U+F8F0 to U+F8F3 as single
// bytes that neither it nor the tables read back; the tables refuse them.
TEST(CodepageWindows, EncodesEveryCharacterAsWindowsDoesOrAsListed) {
    const std::map<wchar_t, std::string> kOnlyHere = {
        {0x00A2, "\x81\x91"}, {0x00A3, "\x81\x92"}, {0x00A5, "\x5C"},
        {0x00AC, "\x81\xCA"}, {0x2014, "\x81\x5C"}, {0x2016, "\x81\x61"},
        {0x203E, "\x7E"},     {0x2212, "\x81\x7C"}, {0x301C, "\x81\x60"},
    };
    int onlyHere = 0;
    for (unsigned cp = 1; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        wchar_t c = static_cast<wchar_t>(cp);
        std::string text = utf8Of(&c, 1);
        std::optional<std::string> ours = encodeCp932(text);
        std::optional<std::string> windows = windowsEncode(c);
        if (cp >= 0xF8F0 && cp <= 0xF8F3) {
            ASSERT_FALSE(ours) << std::hex << cp;
            continue;
        }
        if (auto listed = kOnlyHere.find(c); listed != kOnlyHere.end()) {
            ASSERT_FALSE(windows) << std::hex << cp;
            ASSERT_EQ(ours, listed->second) << std::hex << cp;
            ++onlyHere;
            continue;
        }
        ASSERT_EQ(ours, windows) << std::hex << cp;
    }
    EXPECT_EQ(onlyHere, static_cast<int>(kOnlyHere.size()));
}

// What the tables write, Windows reads back as the same text, except the
// listed stand-ins above.
TEST(CodepageWindows, WindowsReadsBackEveryFileName) {
    for (const char* text : {"データ.txt", "状況リスト.txt", "ﾌﾟﾗｲﾍﾞｰﾄ.txt", "気付きメモ.txt",
                             "設定.TXT", "データＣＨＧ.txt", "髙①～…－"}) {
        std::optional<std::string> bytes = encodeCp932(text);
        ASSERT_TRUE(bytes) << text;
        EXPECT_EQ(windowsDecode(*bytes), text) << text;
    }
}

}  // namespace
}  // namespace core
