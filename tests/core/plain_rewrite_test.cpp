// A rewrite that keeps a record copies its line when the line already is
// exactly what writing the record gives, and writes it anew otherwise: the
// result is the same bytes either way, whatever form the line had.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/codepage.h"
#include "core/fields.h"
#include "core/weight_log.h"
#include "support/temp_folder.h"

namespace core {
namespace {

// Record lines in raw Shift-JIS, each in a form that writing its record again
// may or may not give: "\xED\x40" and "\xFA\x5C" are one character with two
// codes (the program writes the second), as are "\x87\x90" and "\x81\xE0".
const char* const kLines[] = {
    "\"2024/06/01\",\"\x92\xA9\",65.5,\"\",\"\",\"\"\r\n",
    "\"2024/06/01\",\"\x92\xA9\",65.5,\"\",\"\",\"\"\n",
    "\"2024/06/01\",\"\x92\xA9\",65.5,\"\",\"\",\"\"\r",
    "\"2024/06/01\",\"\x92\xA9\",65.50,\"\",\"\",\"\"\r\n",
    "\"2024/06/01\",\"\x92\xA9\",65.0,\"\",\"\",\"\"\r\n",
    "\"2024/06/01\",\"\x92\xA9\",065.5,\"\",\"\",\"\"\r\n",
    "\"2024/06/01\",\"\x92\xA9\",65,\"\",\"\",\"\"\r\n",
    "\"2024/06/01\",\"\x92\xA9\",65.5\r\n",
    "\"2024/06/01\",\"\x92\xA9\",65.5,\"\x83\x5C\"\r\n",
    "\"2024/06/01\",\"\x92\xA9\",65.5,\"\",\"a\",\"a\"\r\n",
    "\"2024/06/01\",\"\x92\xA9\",65.5,\"\",\"a\",\"b\"\r\n",
    "\"2024/06/01\",\"\x92\xA9\",65.5,\"\",\"\",\"b\"\r\n",
    "\"2024/06/01\",\"\xED\x40\",65.5,\"\",\"\",\"\"\r\n",
    "\"2024/06/01\",\"\xFA\x5C\",65.5,\"\",\"\",\"\"\r\n",
    "\"2024/06/01\",\"\x92\xA9\",65.5,\"\x87\x90\",\"\",\"\"\r\n",
    "\"2024/06/01\",\"\x92\xA9\",65.5,\"\x81\xE0\",\"\",\"\"\r\n",
    "\"2024/06/01\",\"\x96\xE9\",65.5,\"\",\"\",\"\"\r\n",
    "\"2024/06/01\", \"\x92\xA9\" ,65.5,\"\",\"\",\"\"\r\n",
    "\"2024/06/01\",\"\x92\xA9\",65.5,\"\",\"\",\"\"",
};

// What the rewrite writes, made from the full reader's records: each record
// line written anew by `write`, the new record after the last, every other
// line as it was.
std::string expectedBytes(const std::string& log,
                          const std::function<WeightRecord(const WeightRecord&)>& write,
                          const std::optional<WeightRecord>& added) {
    std::string out;
    std::vector<std::string_view> fields;
    std::string_view rest = log;
    while (!rest.empty()) {
        std::string_view end;
        std::string_view line = takeLine(rest, end);
        std::string text = decodeCp932(line);
        RecordView r;
        if (!parseRecordLine(text, fields, r)) {
            out.append(line).append(end);
            continue;
        }
        out += encodeCp932(recordLine(write(r.toRecord()))).value();
    }
    if (added) out += encodeCp932(recordLine(*added)).value();
    return out;
}

TEST(PlainRewrite, InsertAndRenameWriteEveryRecordAsTheProgramWritesIt) {
    const WeightRecord added{"2024/06/02", "追加", 63.3f, "", "", ""};
    auto inserted = [](const WeightRecord& r) {
        return WeightRecord{r.Date, r.Situation, r.Weight, r.Diary, r.Spare2, r.Spare2};
    };
    auto renamed = [](const WeightRecord& r) {
        return WeightRecord{r.Date, r.Situation == "朝" ? "夜" : r.Situation, r.Weight, r.Diary, "",
                            ""};
    };
    const std::string other = "\"2024/05/31\",\"\x96\xE9\",66.1,\"\",\"\",\"\"\r\n";
    for (const char* line : kLines) {
        for (int twice = 1; twice <= 2; ++twice) {
            std::string log = other;
            for (int i = 0; i < twice; ++i) log += line;
            if (log.back() != '\n' && log.back() != '\r') log += "\r\n";
            log += other;
            TempFolder t;
            t.putBytes("データ.txt", log);
            ASSERT_TRUE(INSERT_LOG(t.dir(), added)) << line;
            // The added record goes after every record of its date and earlier ones.
            std::string want = expectedBytes(log, inserted, std::nullopt);
            EXPECT_EQ(t.bytes("データ.txt"), want + encodeCp932(recordLine(added)).value()) << line;
            t.putBytes("データ.txt", log);
            ASSERT_TRUE(renameSituationInLog(t.dir(), "朝", "夜")) << line;
            EXPECT_EQ(t.bytes("データ.txt"), expectedBytes(log, renamed, std::nullopt)) << line;
        }
    }
}

// Removing the record between a line ended by a bare CR and an empty line
// ended by LF would run the two together and lose the empty line: refused,
// and the log stays as it was.
TEST(PlainRewrite, ARewriteThatWouldRunTwoLinesTogetherIsRefused) {
    const std::string a = "\"2024/06/01\",\"\x92\xA9\",65.5,\"\",\"\",\"\"";
    const std::string b = "\"2024/06/02\",\"\x96\xE9\",65.1,\"\",\"\",\"\"";
    const std::string log = a + "\r" + b + "\r\n\n" + a + "\r\n";
    TempFolder t;
    t.putBytes("データ.txt", log);
    EXPECT_FALSE(removeRecord(t.dir(), 1));
    EXPECT_EQ(t.bytes("データ.txt"), log);
    ASSERT_TRUE(removeRecord(t.dir(), 2));
    EXPECT_EQ(t.bytes("データ.txt"), a + "\r" + b + "\r\n\n");
}

}  // namespace
}  // namespace core
