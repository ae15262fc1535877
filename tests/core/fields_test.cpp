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

TEST(LineWriter, TextQuotedNumbersBareAndShortest) {
    std::string out;
    LineWriter(out).text("2024/06/01").text("a,b").weight(58.6f).number(60.0).weight(60.0f).end();
    EXPECT_EQ(out, "\"2024/06/01\",\"a,b\",58.6,60,60\r\n");
}

}  // namespace
}  // namespace core
