// The built-in tables against iconv itself (Linux only), over every input
// that can matter: every byte, every pair of bytes, every code point. Where
// the tables differ from iconv on purpose (tools/generate_cp932_tables.cpp
// says why), the reference takes the tables' choice, listed here.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "core/codepage.h"

namespace core {
namespace {

// Byte 0x80 alone is U+0080, as on Windows; iconv refuses both directions.
constexpr char kWindowsByte = '\x80';
constexpr std::string_view kWindowsCharacter = "\xC2\x80";

// U+E0000 to U+E007F, the tag characters, which iconv drops without a word
// and the tables refuse.
bool hasTagCharacter(std::string_view utf8) {
    return utf8.find("\xF3\xA0\x80") != std::string_view::npos ||
           utf8.find("\xF3\xA0\x81") != std::string_view::npos;
}

// iconv over the whole text, kBadByteMark and one byte skipped at each
// sequence it refuses, with the tables' own choices above.
class Reference {
  public:
    Reference() : decode_(iconv_open("UTF-8", "CP932")), encode_(iconv_open("CP932", "UTF-8")) {}
    ~Reference() {
        iconv_close(decode_);
        iconv_close(encode_);
    }

    std::string decode(std::string_view bytes) {
        std::string out;
        while (!run(decode_, bytes, out)) {
            out.append(bytes[0] == kWindowsByte ? kWindowsCharacter : kBadByteMark);
            bytes.remove_prefix(1);
        }
        return out;
    }

    std::optional<std::string> encode(std::string_view utf8) {
        if (hasTagCharacter(utf8)) return std::nullopt;
        std::string out;
        for (size_t at; (at = utf8.find(kWindowsCharacter)) != std::string_view::npos;) {
            std::string_view part = utf8.substr(0, at);
            if (!run(encode_, part, out)) return std::nullopt;
            out += kWindowsByte;
            utf8.remove_prefix(at + kWindowsCharacter.size());
        }
        if (!run(encode_, utf8, out)) return std::nullopt;
        return out;
    }

  private:
    static bool run(iconv_t cd, std::string_view& in, std::string& out) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        while (!in.empty()) {
            char buffer[256];
            char* src = const_cast<char*>(in.data());
            size_t srcLeft = in.size();
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
            int err = errno;
            out.append(buffer, static_cast<size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (rc == static_cast<size_t>(-1) && err != E2BIG) return false;
        }
        return true;
    }

    iconv_t decode_;
    iconv_t encode_;
};

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

TEST(CodepageExhaustive, DecodesEveryByteAndEveryPairAsIconvDoes) {
    Reference ref;
    for (int b = 0; b < 256; ++b) {
        std::string one(1, static_cast<char>(b));
        ASSERT_EQ(decodeCp932(one), ref.decode(one)) << hex(one);
        for (int t = 0; t < 256; ++t) {
            std::string pair{static_cast<char>(b), static_cast<char>(t)};
            ASSERT_EQ(decodeCp932(pair), ref.decode(pair)) << hex(pair);
        }
    }
}

// Around ASCII runs and with a lead byte cut off at the end, where the fast
// paths start and stop.
TEST(CodepageExhaustive, DecodesEveryPairInsideTextAsIconvDoes) {
    Reference ref;
    for (int b = 0x80; b < 256; ++b)
        for (int t = 0; t < 256; ++t) {
            std::string text = "ab";
            text += static_cast<char>(b);
            text += static_cast<char>(t);
            text += "cd";
            text += static_cast<char>(b);
            ASSERT_EQ(decodeCp932(text), ref.decode(text)) << hex(text);
        }
}

std::string utf8Of(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

TEST(CodepageExhaustive, EncodesEveryCodePointAsIconvDoes) {
    Reference ref;
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        std::string text = "a" + utf8Of(cp) + "b";
        ASSERT_EQ(encodeCp932(text), ref.encode(text)) << hex(text);
    }
}

// Each character of the Basic Multilingual Plane between runs of ASCII of
// every length around eight (read eight bytes at a time), and whether the
// text may be stored.
TEST(CodepageExhaustive, EncodesCharactersAmongAsciiRunsAsIconvDoes) {
    Reference ref;
    for (char32_t cp = 0; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        std::string text = std::string(cp % 19, 'x') + utf8Of(cp) + "0123456789abcdef" +
                           utf8Of(cp) + std::string(cp % 7, '~');
        std::optional<std::string> expected = ref.encode(text);
        ASSERT_EQ(encodeCp932(text), expected) << hex(text);
        bool storable = expected && text.find_first_of("\"\r\n") == std::string::npos;
        ASSERT_EQ(isStorableText(text), storable) << hex(text);
    }
}

// The log is split into lines on its raw bytes and on its decoded text in
// step: no byte after another takes a line end into a character, and no
// byte decodes to a line end but the line ends themselves.
TEST(CodepageExhaustive, LineEndsAreNeverPartOfACharacter) {
    for (int b = 0; b < 256; ++b) {
        for (char end : {'\r', '\n'}) {
            std::string decoded = decodeCp932(std::string{static_cast<char>(b), end});
            ASSERT_EQ(decoded.back(), end) << b;
            decoded.pop_back();
            if (b != '\r' && b != '\n') {
                ASSERT_EQ(decoded.find_first_of("\r\n"), std::string::npos) << b;
            }
        }
        for (int t = 0; t < 256; ++t) {
            std::string decoded =
                decodeCp932(std::string{static_cast<char>(b), static_cast<char>(t)});
            std::ptrdiff_t ends = (b == '\r' || b == '\n') + (t == '\r' || t == '\n');
            std::ptrdiff_t found = std::count(decoded.begin(), decoded.end(), '\r') +
                                   std::count(decoded.begin(), decoded.end(), '\n');
            ASSERT_EQ(found, ends) << b << " " << t;
        }
    }
}

TEST(CodepageExhaustive, RefusesWhatIconvRefuses) {
    Reference ref;
    const std::string texts[] = {
        "\xC0\xAF",          // overlong "/"
        "\xED\xA0\x80",      // a surrogate
        "\xE3\x81",          // cut off
        "\x80",              // a lone continuation byte
        "\xF4\x90\x80\x80",  // beyond U+10FFFF
        "\xFF",
        "あ\xE3",
        "\xEF\xBF\xBD",  // U+FFFD itself
    };
    for (const std::string& text : texts)
        EXPECT_EQ(encodeCp932(text), ref.encode(text)) << hex(text);
    // Every two-byte prefix, with and without a continuation after it.
    for (int a = 0x80; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            std::string two{static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(encodeCp932(two), ref.encode(two)) << hex(two);
            std::string three = two + "\x81";
            ASSERT_EQ(encodeCp932(three), ref.encode(three)) << hex(three);
        }
}

}  // namespace
}  // namespace core
