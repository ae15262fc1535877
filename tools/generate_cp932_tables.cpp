// Writes src/core/cp932_tables.cpp: the code page 932 (Shift-JIS) tables of
// the data files, taken from iconv's "CP932" on Linux and corrected where
// Windows' own conversion differs, so that every build of the program reads
// and writes exactly the same bytes without asking the system at run time.
//
// Run it again only when the tables are to change, on Linux:
//
//   g++ -std=c++20 -O2 tools/generate_cp932_tables.cpp -o /tmp/generate_cp932_tables
//   /tmp/generate_cp932_tables > src/core/cp932_tables.cpp
//
// tests/core/codepage_exhaustive_test.cpp compares the tables with iconv
// (Linux) and tests/core/codepage_windows_test.cpp with Windows' own
// MultiByteToWideChar and WideCharToMultiByte.
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kNone = 0xFFFF;  // no character: U+FFFF is none, nor FF FF a code

// Where the program's tables differ from iconv, and why. Decoding follows
// Windows, whose conversion wrote the files that users already have.
// Encoding never writes bytes that the tables would not read back, and never
// drops a character.
//
// - Byte 0x80 alone is U+0080 on Windows; iconv refuses it.
// - U+0080 is written as 0x80, its Windows form; iconv refuses it.
// - U+E0000 to U+E007F (tag characters) are refused; iconv drops them
//   without a word, which would lose them from a saved text.
constexpr uint16_t kWindowsSingles[][2] = {{0x80, 0x0080}};
constexpr uint16_t kWindowsEncodings[][2] = {{0x0080, 0x0080}};

class Iconv {
  public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            std::fprintf(stderr, "iconv cannot convert %s to %s\n", from, to);
            std::exit(1);
        }
    }
    ~Iconv() { iconv_close(cd_); }

    // The whole input converted, or nullopt.
    std::optional<std::string> run(const std::string& in) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[64];
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) || srcLeft != 0)
            return std::nullopt;
        return std::string(buffer, static_cast<size_t>(dst - buffer));
    }

  private:
    iconv_t cd_;
};

std::string utf8Of(uint32_t cp) {
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

// The one code point of the Basic Multilingual Plane that the UTF-8 text
// holds; stops the generator on anything else, which the tables cannot hold.
uint16_t codePointOf(const std::string& utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    uint32_t cp = 0x110000;
    if (utf8.size() == 1 && p[0] < 0x80) cp = p[0];
    if (utf8.size() == 2) cp = (uint32_t(p[0] & 0x1F) << 6) | (p[1] & 0x3F);
    if (utf8.size() == 3)
        cp = (uint32_t(p[0] & 0x0F) << 12) | (uint32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    if (cp >= kNone || utf8Of(cp) != utf8) {
        std::fprintf(stderr, "a character decodes to more than one code point of the BMP\n");
        std::exit(1);
    }
    return static_cast<uint16_t>(cp);
}

struct Tables {
    uint16_t single[256];
    std::map<int, std::vector<uint16_t>> pairs;  // by lead byte, 256 trails each
    std::map<uint16_t, uint16_t> encode;         // code point to its bytes
};

Tables build() {
    Tables t;
    Iconv decode("UTF-8", "CP932");
    Iconv encode("CP932", "UTF-8");
    for (int b = 0; b < 256; ++b) {
        auto one = decode.run(std::string(1, static_cast<char>(b)));
        t.single[b] = one ? codePointOf(*one) : kNone;
    }
    for (const auto& [byte, cp] : kWindowsSingles) t.single[byte] = cp;
    for (int b = 0; b < 256; ++b) {
        if (t.single[b] != kNone) continue;
        std::vector<uint16_t> row(256, kNone);
        bool any = false;
        for (int trail = 0; trail < 256; ++trail) {
            auto two = decode.run({static_cast<char>(b), static_cast<char>(trail)});
            if (!two) continue;
            row[trail] = codePointOf(*two);
            any = true;
        }
        if (any) t.pairs[b] = row;
    }
    for (uint32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        auto bytes = encode.run(utf8Of(cp));
        if (!bytes || bytes->empty()) continue;  // refused, or dropped (tag characters)
        if (cp >= kNone || bytes->size() > 2) {
            std::fprintf(stderr, "U+%04X takes more than the tables hold\n", cp);
            std::exit(1);
        }
        uint16_t code = static_cast<unsigned char>((*bytes)[0]);
        if (bytes->size() == 2)
            code = static_cast<uint16_t>(code << 8 | static_cast<unsigned char>((*bytes)[1]));
        t.encode[static_cast<uint16_t>(cp)] = code;
    }
    for (const auto& [cp, code] : kWindowsEncodings) t.encode[cp] = code;
    return t;
}

// Every encoding must read back as a character: a written text never holds
// bytes that the program would mark as damaged.
void checkEncodingsReadBack(const Tables& t) {
    for (const auto& [cp, code] : t.encode) {
        bool ok = code < 0x100
                      ? t.single[code] != kNone
                      : t.pairs.count(code >> 8) && t.pairs.at(code >> 8)[code & 0xFF] != kNone;
        if (!ok) {
            std::fprintf(stderr, "U+%04X is written as %X, which does not read back\n", cp, code);
            std::exit(1);
        }
    }
}

void printRow(const uint16_t* values, size_t count) {
    for (size_t i = 0; i < count; i += 12) {
        std::printf("   ");
        for (size_t j = i; j < count && j < i + 12; ++j) std::printf(" 0x%04X,", values[j]);
        std::printf("\n");
    }
}

void print(const Tables& t) {
    std::printf(
        "// The code page 932 tables, written by tools/generate_cp932_tables.cpp from\n"
        "// iconv's \"CP932\" with Windows' own decoding where the two differ. Do not edit:\n"
        "// run the generator again.\n"
        "#include \"core/cp932_tables.h\"\n\n"
        "namespace core::cp932 {\n\n"
        "// clang-format off\n"
        "const uint16_t kSingle[256] = {\n");
    printRow(t.single, 256);
    std::printf("};\n\nconst size_t kLeadCount = %zu;\n\nconst uint8_t kLeads[] = {\n   ",
                t.pairs.size());
    size_t column = 0;
    for (const auto& [lead, row] : t.pairs)
        std::printf(" 0x%02X,%s", lead, ++column % 12 == 0 ? "\n   " : "");
    std::printf("\n};\n\nconst uint16_t kPairs[][256] = {\n");
    for (const auto& [lead, row] : t.pairs) {
        std::printf("    {  // 0x%02X\n", lead);
        printRow(row.data(), 256);
        std::printf("    },\n");
    }
    std::printf("};\n\nconst size_t kEncodingCount = %zu;\n\nconst Encoding kEncodings[] = {\n",
                t.encode.size());
    column = 0;
    for (const auto& [cp, code] : t.encode) {
        if (column == 0) std::printf("   ");
        std::printf(" {0x%04X, 0x%04X},", cp, code);
        if (++column == 5) {
            std::printf("\n");
            column = 0;
        }
    }
    if (column != 0) std::printf("\n");
    std::printf("};\n// clang-format on\n\n}  // namespace core::cp932\n");
    std::fprintf(stderr, "%zu lead bytes, %zu encodings\n", t.pairs.size(), t.encode.size());
}

}  // namespace

int main() {
    Tables t = build();
    checkEncodingsReadBack(t);
    print(t);
}
