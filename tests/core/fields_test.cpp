#include "core/fields.h"

#include <gtest/gtest.h>

namespace core {
namespace {

std::vector<std::string> split(std::string_view line) {
    std::vector<std::string_view> fields;
    splitFields(line, fields);
    return {fields.begin(), fields.end()};
}

TEST(SplitFields, QuotingConvention) {
    using V = std::vector<std::string>;
    struct Case {
        const char* line;
        V expected;
    };
    const Case cases[] = {
        {R"("2024/06/01","朝食前",65.3,"","","")", V{"2024/06/01", "朝食前", "65.3", "", "", ""}},
        {R"("a,b",1)", V{"a,b", "1"}},
        {R"(  "x" , 2 ,  y  )", V{"x", "2", "y"}},
        {R"("ヘルプツアー",0)", V{"ヘルプツアー", "0"}},
        {"朝食前", V{"朝食前"}},
        {"a,b", V{"a", "b"}},
        {R"("open)", V{"open"}},
        {R"("x"junk,1)", V{"x", "1"}},
        {"", V{""}},
        {R"("2024/06/01","朝食前",65.3,"",0,"")", V{"2024/06/01", "朝食前", "65.3", "", "0", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(split(c.line), c.expected) << c.line;
}

TEST(ForEachLine, AcceptsCrLfBareLfAndAnUnendedLastLine) {
    std::vector<std::string> lines;
    forEachLine("a\r\nb\nc", [&](std::string_view l) { lines.emplace_back(l); });
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c"}));
    lines.clear();
    forEachLine("a\r\n\r\nb\r\n", [&](std::string_view l) { lines.emplace_back(l); });
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b"}));
}

// A bare CR ends a line too; the raw form tells each line end as found.
TEST(ForEachLine, BareCrEndsALineAndLineEndsAreKept) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
        std::vector<std::string> ends;
    };
    const Case cases[] = {
        {"a\rb\rc\r", {"a", "b", "c"}, {"\r", "\r", "\r"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}, {"\r\n", "\n", "\r", ""}},
        {"a\n\rb", {"a", "", "b"}, {"\n", "\r", ""}},
        {"a\r\r\n", {"a", ""}, {"\r", "\r\n"}},
        {"", {}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines, ends;
        forEachRawLine(c.text, [&](std::string_view l, std::string_view e) {
            lines.emplace_back(l);
            ends.emplace_back(e);
        });
        EXPECT_EQ(lines, c.lines) << c.text;
        EXPECT_EQ(ends, c.ends) << c.text;
        std::string joined;
        for (size_t i = 0; i < lines.size(); ++i) joined += lines[i] + ends[i];
        EXPECT_EQ(joined, c.text);
    }
}

TEST(LineWriter, TextQuotedNumbersBareAndShortest) {
    std::string out;
    LineWriter(out).text("2024/06/01").text("a,b").weight(58.6f).number(60.0).weight(60.0f).end();
    EXPECT_EQ(out, "\"2024/06/01\",\"a,b\",58.6,60,60\r\n");
}

}  // namespace
}  // namespace core
