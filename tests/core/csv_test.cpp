#include "core/csv.h"

#include <gtest/gtest.h>

namespace core {

void PrintTo(const CsvRecord& record, std::ostream* os) {
    *os << (record.malformed ? "malformed[" : "[");
    for (const auto& f : record.fields) *os << "<" << f << ">";
    *os << "]";
}

namespace {

using Fields = std::vector<std::string>;

TEST(CsvField, QuotedOnlyWhenItMustBe) {
    struct Case {
        const char* field;
        const char* written;
    };
    const Case cases[] = {
        {"朝食前", "朝食前"},
        {"", ""},
        {" 62.4 ", " 62.4 "},
        {"a,b", "\"a,b\""},
        {"5\"2", "\"5\"\"2\""},
        {"\"", "\"\"\"\""},
        {"走った\r\n後", "\"走った\r\n後\""},
        {"a\nb", "\"a\nb\""},
        {"a\rb", "\"a\rb\""},
    };
    for (const auto& c : cases) {
        std::string out;
        appendCsvField(out, c.field);
        EXPECT_EQ(out, c.written) << c.field;
    }
    std::string line;
    appendCsvRecord(line, {"2024-06-01", "朝,夜", "62.4", ""});
    EXPECT_EQ(line, "2024-06-01,\"朝,夜\",62.4,\r\n");
}

TEST(CsvRead, Records) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<CsvRecord> records;
        bool unclosed = false;
    };
    const Case cases[] = {
        {"CR LF", "a,b\r\n1,2\r\n", {{{"a", "b"}}, {{"1", "2"}}}},
        {"LF, CR and no end", "a\nb\rc", {{{"a"}}, {{"b"}}, {{"c"}}}},
        {"empty fields", "a,\r\n,\r\n", {{{"a", ""}}, {{"", ""}}}},
        {"quoted comma", "\"a,b\",c\r\n", {{{"a,b", "c"}}}},
        {"doubled quotes", "\"5\"\"2\",\"\"\"\"\r\n", {{{"5\"2", "\""}}}},
        {"quoted line ends kept", "\"a\r\nb\",\"c\nd\"\r\nx\r\n", {{{"a\r\nb", "c\nd"}}, {{"x"}}}},
        {"blank lines skipped", "\r\na\r\n\r\n \t\r\n\nb\n\n", {{{"a"}}, {{"b"}}}},
        {"an empty quoted field is no blank line", "\"\"\r\n", {{{""}}}},
        {"bare blanks are kept", " a , b \r\n", {{{" a ", " b "}}}},
        {"a quote inside a bare field", "5\"2,a\r\nb\r\n", {{{"5\"2", "a"}, true}, {{"b"}}}},
        {"text after the closing quote", "\"ab\"c,d\r\n", {{{"abc", "d"}, true}}},
        {"an unclosed quote takes the rest",
         "a\r\nb,\"c\r\nd,e\r\n",
         {{{"a"}}, {{"b", "c\r\nd,e\r\n"}, true}},
         true},
        {"nothing", "", {}},
        {"a lone quote", "\"", {{{""}, true}}, true},
    };
    for (const auto& c : cases) {
        CsvText csv = readCsv(c.text);
        EXPECT_EQ(csv.records, c.records) << c.what;
        EXPECT_EQ(csv.unclosedQuote, c.unclosed) << c.what;
    }
}

// Whatever a field holds, the record written reads back as the same fields.
TEST(CsvRead, WrittenRecordsReadBack) {
    const Fields fields = {"",     "a",  "a,b", "\"", "\"\"x\"",
                           "\r\n", "\r", "\n",  " ",  "体重\r\n62,4"};
    std::string text;
    for (const auto& f : fields) appendCsvRecord(text, {f, f});
    CsvText csv = readCsv(text);
    ASSERT_FALSE(csv.unclosedQuote);
    std::vector<CsvRecord> expected;
    for (const auto& f : fields) expected.push_back({{f, f}});
    EXPECT_EQ(csv.records, expected);
}

TEST(Utf8, WellFormedOnly) {
    struct Case {
        const char* what;
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"nothing", "", true},
        {"ASCII", "date,weight\r\n", true},
        {"Japanese", "日付,体重", true},
        {"a byte-order mark", "\xEF\xBB\xBF", true},
        {"four bytes", "\xF0\x9F\x98\x80", true},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF", true},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false},
        {"F5 never starts a sequence", "\xF5\x80\x80\x80", false},
        {"U+D7FF", "\xED\x9F\xBF", true},
        {"a surrogate", "\xED\xA0\x80", false},
        {"overlong two bytes", "\xC0\xAF", false},
        {"overlong C1", "\xC1\xBF", false},
        {"overlong three bytes", "\xE0\x80\xAF", false},
        {"overlong four bytes", "\xF0\x80\x80\xAF", false},
        {"a stray continuation byte", "a\x80", false},
        {"cut short", "\xE3\x80", false},
        {"a continuation missing",
         "\xE3\x80"
         "a",
         false},
        {"FF", "\xFF", false},
        {"Shift-JIS 日付", "\x93\xFA\x95\x74", false},
        {"a zero byte", std::string("a\0b", 3), true},
    };
    for (const auto& c : cases) EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.what;
}

}  // namespace
}  // namespace core
