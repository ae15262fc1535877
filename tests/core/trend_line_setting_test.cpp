#include <gtest/gtest.h>

#include "core/settings.h"
#include "support/temp_folder.h"

namespace core {
namespace {

TEST(TrendLineSetting, ReadsOneOnlyFromALineOfOne) {
    struct Case {
        const char* content;  // nullptr: no file
        int expected;
    };
    const Case cases[] =
        {
            {nullptr, 0},   {"1\r\n", 1},   {"0\r\n", 0},     {"1", 1},
            {" 1 \r\n", 1}, {"1\n0\n", 1},  {"", 0},          {"2\r\n", 0},
            {"-1\r\n", 0},  {"abc\r\n", 0}, {"\r\n1\r\n", 0},  // the first line decides
        };
    for (const auto& c : cases) {
        TempFolder t;
        if (c.content) t.put("傾向線.TXT", c.content);
        EXPECT_EQ(readTrendLine(t.dir()), c.expected) << (c.content ? c.content : "(none)");
    }
}

TEST(TrendLineSetting, AFileThatCannotBeReadIsZero) {
    TempFolder t;
    t.put("傾向線.TXT", "1\r\n");
    DataDir dir = t.dir();
    dir.setFaultHook([](WriteStep step) { return step == WriteStep::Read; });
    EXPECT_EQ(readTrendLine(dir), 0);

    TempFolder bytes;
    bytes.putBytes("傾向線.TXT", "\x82\r\n");  // half a Shift-JIS character
    EXPECT_EQ(readTrendLine(bytes.dir()), 0);
}

TEST(TrendLineSetting, WrittenBareAndReadBack) {
    TempFolder t;
    DataDir dir = t.dir();
    ASSERT_TRUE(writeTrendLine(dir, 1));
    EXPECT_EQ(t.text("傾向線.TXT"), "1\r\n");
    EXPECT_EQ(readTrendLine(dir), 1);
    ASSERT_TRUE(writeTrendLine(dir, 0));
    EXPECT_EQ(t.text("傾向線.TXT"), "0\r\n");
    EXPECT_EQ(readTrendLine(dir), 0);
    ASSERT_TRUE(writeTrendLine(dir, 2));  // a ticked box however it is told
    EXPECT_EQ(t.text("傾向線.TXT"), "1\r\n");
    EXPECT_EQ(t.fileCount(), 1u);

    TempFolder lower;  // an existing file keeps its own spelling
    lower.put("傾向線.txt", "0\r\n");
    ASSERT_TRUE(writeTrendLine(lower.dir(), 1));
    EXPECT_EQ(lower.text("傾向線.txt"), "1\r\n");
    EXPECT_EQ(lower.fileCount(), 1u);
}

TEST(TrendLineSetting, AFailedWriteLeavesTheFileAsItWas) {
    TempFolder t;
    t.put("傾向線.TXT", "0\r\n");
    DataDir dir = t.dir();
    dir.setFaultHook([](WriteStep step) { return step == WriteStep::Rename; });
    Status status = writeTrendLine(dir, 1);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(t.bytes("傾向線.TXT"), "0\r\n");
    EXPECT_EQ(t.fileCount(), 1u);
}

}  // namespace
}  // namespace core
