// What the log's readers and rewriters do with lines that are not the
// program's own: other line ends, records run together, damaged bytes,
// numbers that are no weight. No rewrite may lose or change such a line.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/weight_log.h"
#include "support/temp_folder.h"

namespace core {
namespace {

std::string sjis(std::string_view text) {
    return encodeCp932(text).value();
}

std::string rec(const char* date, const char* situation, const char* weight,
                const char* diary = "") {
    return sjis(std::string("\"") + date + "\",\"" + situation + "\"," + weight + ",\"" + diary +
                "\",\"\",\"\"");
}

const std::string kR1 = rec("2024/06/01", "朝", "65");
const std::string kR2 = rec("2024/06/02", "夜", "64.8", "メモ");
const std::string kR5 = rec("2024/06/05", "朝", "64.5");

struct LogCase {
    const char* name;
    std::string bytes;
    size_t records;
    int unreadable;
    std::vector<std::string> keptLines;  // lines that must survive a rewrite as they are
};

std::vector<LogCase> logCases() {
    std::string badByte = rec("2024/06/03", "昼", "65");
    badByte[14] = '\x81';  // a lead byte followed by a blank: not Shift-JIS
    badByte[15] = ' ';
    return {
        {"bare CR line ends", kR1 + "\r" + kR2 + "\r" + kR5 + "\r", 3, 0, {}},
        {"mixed line ends, unended last", kR1 + "\r\n" + kR2 + "\n" + kR5, 3, 0, {}},
        {"two records run together", kR1 + kR2 + "\r\n" + kR5 + "\r\n", 1, 1, {kR1 + kR2}},
        {"a half line before a record",
         kR1.substr(0, 20) + kR2 + "\r\n" + kR5 + "\r\n",
         1,
         1,
         {kR1.substr(0, 20) + kR2}},
        {"undecodable byte", kR1 + "\r\n" + badByte + "\r\n" + kR5 + "\r\n", 2, 1, {badByte}},
        {"weights that are no number",
         kR1 + "\r\n" + rec("2024/06/02", "a", "nan") + "\r\n" + rec("2024/06/02", "b", "inf") +
             "\r\n" + rec("2024/06/02", "c", "-INF") + "\r\n" + rec("2024/06/02", "d", "3e39") +
             "\r\n" + rec("2024/06/02", "e", "1e-60") + "\r\n" + kR5 + "\r\n",
         2,
         5,
         {rec("2024/06/02", "a", "nan"), rec("2024/06/02", "d", "3e39")}},
        {"seven fields", kR1 + ",\"x\"\r\n" + kR5 + "\r\n", 1, 1, {kR1 + ",\"x\""}},
        {"text after a closing quote",
         sjis("\"2024/06/01\"x,\"朝\",65\r\n") + kR5 + "\r\n",
         1,
         1,
         {sjis("\"2024/06/01\"x,\"朝\",65")}},
        {"unreadable unended last line", kR1 + "\r\n" + sjis("壊れた行"), 1, 1, {sjis("壊れた行")}},
        {"blank lines", kR1 + "\r\n\r\n  \r\n" + kR5 + "\r\n", 2, 0, {"\r\n  \r\n"}},
    };
}

TEST(LogLines, ReadAsTheSameRecordsEverywhere) {
    for (const auto& c : logCases()) {
        TempFolder t;
        t.putBytes("データ.txt", c.bytes);
        LogRecords read = readLogRecords(t.dir());
        EXPECT_TRUE(read.status.ok()) << c.name;
        EXPECT_EQ(read.records.size(), c.records) << c.name;
        EXPECT_EQ(read.unreadableLines, c.unreadable) << c.name;
        for (const auto& r : read.records) EXPECT_TRUE(std::isfinite(r.Weight)) << c.name;
        auto first = readFirstRecord(t.dir());
        ASSERT_TRUE(first) << c.name;
        EXPECT_EQ(first->Date, read.records.front().Date) << c.name;
    }
}

// Every rewrite keeps the lines it cannot read byte for byte and never ends
// with fewer records than it should.
TEST(LogLines, RewritesCarryUnreadableLinesThrough) {
    struct Writer {
        const char* name;
        std::function<Status(const DataDir&)> write;
        int recordDelta;
    };
    const Writer writers[] = {
        {"insert",
         [](const DataDir& d) {
             return INSERT_LOG(d, WeightRecord{"2024/06/01", "追加", 63, "", "", ""});
         },
         1},
        {"append",
         [](const DataDir& d) {
             return APPEND_LOG(d, WeightRecord{"2024/07/01", "追加", 63, "", "", ""});
         },
         1},
        {"rename", [](const DataDir& d) { return renameSituationInLog(d, "朝", "起床後"); }, 0},
        {"diary", [](const DataDir& d) { return replaceDiary(d, 0, "ひとこと"); }, 0},
        {"weight", [](const DataDir& d) { return replaceWeight(d, 0, 70.5f); }, 0},
        {"remove", [](const DataDir& d) { return removeRecord(d, 0); }, -1},
    };
    for (const auto& c : logCases()) {
        for (const auto& w : writers) {
            TempFolder t;
            t.putBytes("データ.txt", c.bytes);
            ASSERT_TRUE(w.write(t.dir())) << c.name << " / " << w.name;
            LogRecords read = readLogRecords(t.dir());
            EXPECT_EQ(read.records.size(), c.records + static_cast<size_t>(w.recordDelta))
                << c.name << " / " << w.name;
            EXPECT_EQ(read.unreadableLines, c.unreadable) << c.name << " / " << w.name;
            std::string after = t.bytes("データ.txt");
            for (const auto& kept : c.keptLines)
                EXPECT_NE(after.find(kept), std::string::npos) << c.name << " / " << w.name;
        }
    }
}

TEST(LogLines, RecordRewritesKeepEveryOtherLineByteForByte) {
    const std::string garbage = sjis("壊れた行,,\"");
    const std::string r1 = sjis("\"2024/06/02\",\"夜\",64.80,\"メモ\",0,\"z\"");    // own spelling
    const std::string log = kR1 + "\n" + garbage + "\r\n" + r1 + "\r\n\r\n" + kR5;  // unended
    struct Case {
        const char* name;
        std::function<Status(const DataDir&)> edit;
        std::string expected;
    };
    const Case cases[] = {
        {"diary of the middle record", [](const DataDir& d) { return replaceDiary(d, 1, "新"); },
         kR1 + "\n" + garbage + "\r\n" + sjis("\"2024/06/02\",\"夜\",64.8,\"新\",\"0\",\"z\"") +
             "\r\n\r\n" + kR5},
        {"empty diary", [](const DataDir& d) { return replaceDiary(d, 1, ""); },
         kR1 + "\n" + garbage + "\r\n" + sjis("\"2024/06/02\",\"夜\",64.8,\"\",\"0\",\"z\"") +
             "\r\n\r\n" + kR5},
        {"weight of the first record", [](const DataDir& d) { return replaceWeight(d, 0, 66.1f); },
         rec("2024/06/01", "朝", "66.1") + "\r\n" + garbage + "\r\n" + r1 + "\r\n\r\n" + kR5},
        {"remove the unended last record", [](const DataDir& d) { return removeRecord(d, 2); },
         kR1 + "\n" + garbage + "\r\n" + r1 + "\r\n\r\n"},
        {"remove the first record", [](const DataDir& d) { return removeRecord(d, 0); },
         garbage + "\r\n" + r1 + "\r\n\r\n" + kR5},
        {"diary of the unended last record",
         [](const DataDir& d) { return replaceDiary(d, 2, "最後"); },
         kR1 + "\n" + garbage + "\r\n" + r1 + "\r\n\r\n" + rec("2024/06/05", "朝", "64.5", "最後") +
             "\r\n"},
    };
    for (const auto& c : cases) {
        TempFolder t;
        t.putBytes("データ.txt", log);
        ASSERT_TRUE(c.edit(t.dir())) << c.name;
        EXPECT_EQ(t.bytes("データ.txt"), c.expected) << c.name;
        EXPECT_EQ(t.fileCount(), 1u) << c.name;
    }
}

TEST(LogLines, RecordRewritesRefuseWhatTheyCannotDo) {
    struct Case {
        const char* name;
        std::function<Status(const DataDir&)> edit;
    };
    const Case cases[] = {
        {"no such record", [](const DataDir& d) { return replaceDiary(d, 2, "x"); }},
        {"negative index", [](const DataDir& d) { return removeRecord(d, -1); }},
        {"double quote", [](const DataDir& d) { return replaceDiary(d, 0, "a\"b"); }},
        {"line break", [](const DataDir& d) { return replaceDiary(d, 0, "a\r\nb"); }},
        {"not Shift-JIS", [](const DataDir& d) { return replaceDiary(d, 0, "😀"); }},
        {"weight not a number", [](const DataDir& d) { return replaceWeight(d, 0, NAN); }},
        {"infinite weight", [](const DataDir& d) { return replaceWeight(d, 0, INFINITY); }},
        {"situation with a quote",
         [](const DataDir& d) { return renameSituationInLog(d, "朝", "\"朝\""); }},
        {"append a weight that is not a number",
         [](const DataDir& d) {
             return APPEND_LOG(d, WeightRecord{"2024/07/01", "朝", NAN, "", "", ""});
         }},
        {"insert with a bad date",
         [](const DataDir& d) {
             return INSERT_LOG(d, WeightRecord{"2024/6/1", "朝", 60, "", "", ""});
         }},
        {"rewrite with a quote in a situation",
         [](const DataDir& d) {
             return REWRITE_LOG(d, {WeightRecord{"2024/06/01", "\"", 60, "", "", ""}});
         }},
    };
    for (const auto& c : cases) {
        TempFolder t;
        t.putBytes("データ.txt", kR1 + "\r\n" + kR2 + "\r\n");
        Status s = c.edit(t.dir());
        EXPECT_FALSE(s) << c.name;
        EXPECT_EQ(s.fileName(), "データ.txt") << c.name;
        EXPECT_EQ(t.bytes("データ.txt"), kR1 + "\r\n" + kR2 + "\r\n") << c.name;
    }
}

// A log that exists but cannot be read, or that the user made read-only, is
// never replaced; a missing one is an empty log.
TEST(LogLines, UnreadableOrReadOnlyLogIsNeverWritten) {
    using Write = std::function<Status(const DataDir&)>;
    const std::pair<const char*, Write> writers[] = {
        {"insert",
         [](const DataDir& d) {
             return INSERT_LOG(d, WeightRecord{"2024/06/01", "朝", 63, "", "", ""});
         }},
        {"append",
         [](const DataDir& d) {
             return APPEND_LOG(d, WeightRecord{"2024/07/01", "朝", 63, "", "", ""});
         }},
        {"rename", [](const DataDir& d) { return renameSituationInLog(d, "朝", "夜"); }},
        {"diary", [](const DataDir& d) { return replaceDiary(d, 0, "x"); }},
        {"weight", [](const DataDir& d) { return replaceWeight(d, 0, 60); }},
        {"remove", [](const DataDir& d) { return removeRecord(d, 0); }},
    };
    const std::pair<const char*, const char*> conditions[] = {
        {"unreadable", "読み込めない"},
        {"read-only", "読み取り専用"},
    };
    for (const auto& [condition, reasonPart] : conditions) {
        for (const auto& [name, write] : writers) {
            TempFolder t;
            t.putBytes("データ.txt", kR1 + "\r\n" + kR5 + "\r\n");
            DataDir dir = t.dir();
            if (condition == std::string("unreadable"))
                dir.setFaultHook([](WriteStep s) { return s == WriteStep::Read; });
            else
                std::filesystem::permissions(t.path() / "データ.txt",
                                             std::filesystem::perms::owner_read);
            Status s = write(dir);
            EXPECT_FALSE(s) << condition << " / " << name;
            EXPECT_EQ(s.fileName(), "データ.txt") << name;
            EXPECT_NE(s.reason().find(reasonPart), std::string::npos) << name << s.reason();
            EXPECT_EQ(t.bytes("データ.txt"), kR1 + "\r\n" + kR5 + "\r\n") << condition << name;
            EXPECT_EQ(t.fileCount(), 1u) << condition << " / " << name;
        }
    }
    TempFolder t;
    DataDir dir = t.dir();
    dir.setFaultHook([](WriteStep s) { return s == WriteStep::Read; });
    t.putBytes("データ.txt", kR1 + "\r\n");
    LogRecords read = readLogRecords(dir);
    EXPECT_FALSE(read.status);
    EXPECT_FALSE(read.missing);
    EXPECT_TRUE(read.records.empty());
}

TEST(LogLines, MissingLogIsAnEmptyLogAndAFolderIsNoLog) {
    TempFolder t;
    LogRecords read = readLogRecords(t.dir());
    EXPECT_TRUE(read.missing);
    EXPECT_TRUE(read.status);
    ASSERT_TRUE(INSERT_LOG(t.dir(), WeightRecord{"2024/06/01", "朝", 63, "", "", ""}));
    EXPECT_EQ(readLogRecords(t.dir()).records.size(), 1u);

    TempFolder f;
    std::filesystem::create_directory(f.path() / "データ.txt");
    EXPECT_FALSE(readLogRecords(f.dir()).status);
    EXPECT_FALSE(readLogRecords(f.dir()).missing);
    Status s = INSERT_LOG(f.dir(), WeightRecord{"2024/06/01", "朝", 63, "", "", ""});
    EXPECT_FALSE(s);
    EXPECT_NE(s.reason().find("ファイルではありません"), std::string::npos) << s.reason();
    EXPECT_TRUE(std::filesystem::is_directory(f.path() / "データ.txt"));
}

// The limit counts readable records, the same for an append and an insert.
TEST(LogLines, LimitCountsReadableRecordsOnly) {
    struct Case {
        const char* name;
        int records;
        int unreadable;
        bool accepted;
    };
    const Case cases[] = {
        {"one below the limit with unreadable lines", kMaxRecords - 1, 5, true},
        {"at the limit", kMaxRecords, 0, false},
        {"at the limit with unreadable lines", kMaxRecords, 3, false},
    };
    for (const auto& c : cases) {
        std::string text;
        for (int i = 0; i < c.records; ++i) text += kR2 + "\r\n";
        for (int i = 0; i < c.unreadable; ++i) text += "??\r\n";
        for (bool insert : {false, true}) {
            TempFolder t;
            t.putBytes("データ.txt", text);
            WeightRecord r{insert ? "2024/06/01" : "2024/06/09", "朝", 63, "", "", ""};
            Status s = insert ? INSERT_LOG(t.dir(), r) : APPEND_LOG(t.dir(), r);
            EXPECT_EQ(s.ok(), c.accepted) << c.name << (insert ? " insert" : " append");
        }
    }
}

TEST(LogLines, ALogOfRandomBytesDoesNotCountAsFull) {
    TempFolder t;
    // 40,000 lines of random bytes ended every way a line can end: more lines
    // than the limit, but no record.
    std::string noise;
    uint32_t state = 12345;
    auto next = [&] { return (state = state * 1664525u + 1013904223u) >> 24; };
    const char* const ends[] = {"\n", "\r\n", "\r"};
    for (int line = 0; line < 40000; ++line) {
        for (uint32_t n = 1 + next() % 24; n > 0; --n) {
            char b = static_cast<char>(next());
            noise += b == '\n' || b == '\r' ? 'x' : b;
        }
        noise += ends[next() % 3];
    }
    t.putBytes("データ.txt", noise);
    EXPECT_TRUE(APPEND_LOG(t.dir(), WeightRecord{"2024/06/01", "朝", 63, "", "", ""}));
    EXPECT_EQ(t.bytes("データ.txt").substr(0, noise.size()), noise);
    EXPECT_EQ(readLogRecords(t.dir()).records.size(), 1u);
}

}  // namespace
}  // namespace core
