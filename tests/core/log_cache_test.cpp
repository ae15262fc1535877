// The log read once and kept: every change of the file is seen, whoever made
// it, and the one-pass reading of common lines agrees with the full reader.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/codepage.h"
#include "core/fields.h"
#include "core/platform.h"
#include "core/weight_log.h"
#include "support/reference_reader.h"
#include "support/temp_folder.h"

namespace core {
namespace {

std::string line(std::string_view text) {
    return encodeCp932(text).value();
}

// Lets the file's time stamp age past the window in which a later write could
// share it, so that the cache trusts what it read.
void letTheStampAge() {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

// Writes in place, keeping the inode (the file index on Windows), as another
// program might.
void overwriteInPlace(const TempFolder& t, std::string_view bytes) {
    std::ofstream out(t.file(kLogFile), std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(out.is_open());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    ASSERT_TRUE(out.good());
}

const std::string kA = line("\"2024/06/01\",\"朝\",65,\"\",\"\",\"\"\r\n");
const std::string kB = line("\"2024/06/01\",\"夜\",64,\"\",\"\",\"\"\r\n");  // same size

TEST(LogCache, AnUnchangedFileIsNotReadAgain) {
    TempFolder t;
    t.putBytes(kLogFile, kA);
    letTheStampAge();
    auto first = parsedLog(t.dir());
    auto second = parsedLog(t.dir());
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(sharedLogRecords(t.dir()).get(), sharedLogRecords(t.dir()).get());
}

// Two folders whose Japanese names the ANSI code page of Windows cannot
// hold, and would give one narrow spelling ("??"), keep a log each.
TEST(LogCache, FoldersWithJapaneseNamesAreTwoFolders) {
    TempFolder t;
    const std::filesystem::path first = t.path() / "体重", second = t.path() / "貯金";
    ASSERT_TRUE(std::filesystem::create_directory(first));
    ASSERT_TRUE(std::filesystem::create_directory(second));
    std::ofstream(first / platform::pathOf(kLogFile), std::ios::binary) << kA;
    std::ofstream(second / platform::pathOf(kLogFile), std::ios::binary) << kB;
    letTheStampAge();
    EXPECT_EQ(readLogRecords(DataDir(first)).records.at(0).Situation, "朝");
    EXPECT_EQ(readLogRecords(DataDir(second)).records.at(0).Situation, "夜");
    EXPECT_EQ(readLogRecords(DataDir(first)).records.at(0).Situation, "朝");
}

TEST(LogCache, SeesAWriteBehindItsBackOfTheSameSize) {
    TempFolder t;
    t.putBytes(kLogFile, kA);
    letTheStampAge();
    ASSERT_EQ(readLogRecords(t.dir()).records.at(0).Situation, "朝");
    overwriteInPlace(t, kB);
    EXPECT_EQ(readLogRecords(t.dir()).records.at(0).Situation, "夜");
}

// The modification time put back as it was: the change time still tells.
TEST(LogCache, SeesAWriteWhoseModificationTimeWasPutBack) {
    TempFolder t;
    t.putBytes(kLogFile, kA);
    letTheStampAge();
    std::filesystem::path path = t.file(kLogFile);
    auto before = std::filesystem::last_write_time(path);
    ASSERT_EQ(READ_LOG(t.dir()).records().at(0).Situation, "朝");
    overwriteInPlace(t, kB);
    std::filesystem::last_write_time(path, before);
    EXPECT_EQ(READ_LOG(t.dir()).records().at(0).Situation, "夜");
}

// Right after a write the time stamp cannot tell a second write in the same
// clock tick: the file is read again.
TEST(LogCache, AFreshFileIsReadAgainEachTime) {
    TempFolder t;
    t.putBytes(kLogFile, kA);
    ASSERT_EQ(READ_LOG(t.dir()).records().at(0).Situation, "朝");
    overwriteInPlace(t, kB);
    EXPECT_EQ(READ_LOG(t.dir()).records().at(0).Situation, "夜");
}

// Read again because its stamp is too recent to vouch for it, a file that
// still holds the same bytes keeps its parse and its records.
TEST(LogCache, AFreshFileReadAgainUnchangedKeepsItsParse) {
    TempFolder t;
    t.putBytes(kLogFile, kA);
    auto parse = parsedLog(t.dir());
    auto records = sharedLogRecords(t.dir());
    EXPECT_EQ(parsedLog(t.dir()).get(), parse.get());
    EXPECT_EQ(sharedLogRecords(t.dir()).get(), records.get());
    overwriteInPlace(t, kB);
    EXPECT_NE(parsedLog(t.dir()).get(), parse.get());
    EXPECT_EQ(sharedLogRecords(t.dir())->records.at(0).Situation, "夜");
}

TEST(LogCache, TheProgramsOwnWritesAreSeen) {
    TempFolder t;
    t.putBytes(kLogFile, kA);
    letTheStampAge();
    DataDir dir = t.dir();
    ASSERT_EQ(readLogRecords(dir).records.size(), 1u);
    ASSERT_TRUE(APPEND_LOG(dir, {"2024/06/02", "昼", 64.5f, "", "", ""}));
    EXPECT_EQ(readLogRecords(dir).records.size(), 2u);
    ASSERT_TRUE(replaceDiary(dir, 0, "散歩"));
    EXPECT_EQ(readLogRecords(dir).records.at(0).Diary, "散歩");
    ASSERT_TRUE(REWRITE_LOG(dir, {}));
    EXPECT_TRUE(readLogRecords(dir).records.empty());
}

TEST(LogCache, AMissingOrRemovedLogReadsAsMissing) {
    TempFolder t;
    EXPECT_TRUE(parsedLog(t.dir())->missing);
    t.putBytes(kLogFile, kA);
    letTheStampAge();
    EXPECT_EQ(parsedLog(t.dir())->records.size(), 1u);
    std::filesystem::remove(t.path() / std::string(kLogFile));
    EXPECT_TRUE(parsedLog(t.dir())->missing);
    EXPECT_TRUE(parsedLog(t.dir())->records.empty());
}

// The reader takes common lines in one pass and hands the others to
// parseRecordLine; both must agree on every line.
TEST(LogCache, OnePassReadingAgreesWithTheFullReader) {
    const char* lines[] = {
        "\"2024/06/01\",\"朝\",65,\"日記\",\"a\",\"b\"",
        "\"2024/06/01\",\"朝\",65",
        "\"2024/06/01\",\"朝\",65,\"日記\"",
        "\"2024/06/01\",\"朝\",65,\"日記\",\"\"",
        "\"2024/06/01\",\"朝\",65,\"日記\",\"\",\"\",\"7th\"",
        "\"2024/06/01\",\"朝\",65,",
        "\"2024/06/01\",\"朝\",+65",
        "\"2024/06/01\",\"朝\", 65 ",
        "\"2024/06/01\",\"朝\",6 5",
        "\"2024/06/01\",\"朝\",nan",
        "\"2024/06/01\",\"朝\",inf",
        "\"2024/06/01\",\"朝\",1e39",
        "\"2024/06/01\",\"朝\",1e-50",
        "\"2024/06/01\",\"朝\",-0",
        "\"2024/06/01\",\"朝\",.5",
        "\"2024/06/01\",\"朝\",5.",
        "\"2024/06/01\",\"朝\",0x10",
        "\"2024/06/01\",\"朝\",\"65\"",
        "\"2024/06/01\",\"朝\",65\"",
        "\"2024/06/01\",\"朝\",65,\"日\"記\"",
        "\"2024/06/01\",\"朝\",65,\"日記\" ",
        "\"2024/06/01\",\"朝\",65,\"日記",
        "\"2024/06/01\",\"朝,夜\",65",
        "\"2024/06/01\",\"\",65",
        "\"2024/02/30\",\"朝\",65",
        "\"2024/2/3\",\"朝\",65",
        "\"2024/06/01\" ,\"朝\",65",
        " \"2024/06/01\",\"朝\",65",
        "2024/06/01,朝,65",
        "\"2024/06/01\",朝,65",
        "\"2024\"06/01\",\"朝\",65",
        "\"2024/06/01\",\"朝\",65\"2024/06/02\",\"夜\",64",
        "\"2024/06/01\",\"朝\"",
        "\"2024/06/01\",\"朝\",,",
        "",
        "   ",
        "\"\"",
    };
    std::vector<std::string_view> fields;
    for (const char* text : lines) {
        std::string bytes = line(text);
        ParsedLog parsed;
        parseLogBytes(bytes + "\r\n", parsed);
        RecordView full;
        bool readable = parseRecordLine(text, fields, full);
        ASSERT_EQ(parsed.records.size(), readable ? 1u : 0u) << text;
        if (!readable) continue;
        const RecordView& r = parsed.records[0];
        EXPECT_EQ(r.Date, full.Date) << text;
        EXPECT_EQ(r.Situation, full.Situation) << text;
        EXPECT_EQ(r.Weight, full.Weight) << text;
        EXPECT_EQ(std::signbit(r.Weight), std::signbit(full.Weight)) << text;
        EXPECT_EQ(r.Diary, full.Diary) << text;
        EXPECT_EQ(r.Spare1, full.Spare1) << text;
        EXPECT_EQ(r.Spare2, full.Spare2) << text;
    }
}

// Raw bytes that no text gives: bytes that are not Shift-JIS in each field,
// a lead byte cut off by a quote or a line end, half-width katakana, texts in
// plain ASCII.
TEST(LogCache, RawBytesReadAsTheDecodedText) {
    const std::string date = "\"2024/06/01\",";
    const std::string cases[] = {
        date + "\"\x92\xA9\",65",                      // 朝
        date + "\"\x92\",65",                          // a lead byte before the quote
        date + "\"\x80\",65",                          // no character
        date + "\"\xA1\xB1\",65,\"\xB6\xC5\"",         // half-width katakana
        date + "\"walk\",65,\"7:05:09\",\"a\",\"b\"",  // all ASCII
        date + "\"\x92\xA9\",65,\"\xFF\"",             // a bad byte in the diary
        date + "\"\x92\xA9\",65,\"\",\"\",\"\x81\"",   // a cut lead byte in a spare
        date +
            "\"\x92\xA9\",6\x82"
            "5",                                           // a lead byte in the weight
        date + "\"\x92\xA9\",65,\"\x82\xA0\"\x82",         // a stray byte after the diary
        date + "\"\x92\xA9\",65,\"a\",\"b\",\"c\",\"d\"",  // seven fields
        "\x82\xA0" + date + "\"\x92\xA9\",65",
    };
    for (const std::string& c : cases) {
        for (std::string_view end : {"", "\r\n", "\r", "\n"}) {
            expectSameAsReference(c + std::string(end), c);
            expectSameAsReference(c + std::string(end) + c, c);
        }
    }
}

// Lines put together at random from pieces of records, bad bytes and line
// ends: the one-pass reader and the reference read them alike.
TEST(LogCache, RandomLinesReadAsTheDecodedText) {
    const std::string pieces[] = {
        "\"2024/06/01\"",
        "\"2024/02/30\"",
        ",",
        "\"",
        "\x92\xA9",
        "\x92",
        "\xFF",
        "65",
        "+6.5",
        "nan",
        " ",
        "\r\n",
        "\n",
        "\r",
        "\"\"",
        "a",
    };
    uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 16;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = "\"2024/06/01\",\"";
        int count = static_cast<int>(next() % 12);
        for (int i = 0; i < count; ++i) bytes += pieces[next() % std::size(pieces)];
        expectSameAsReference(bytes, bytes);
    }
}

// A log read again after lines were added at its end, by another program or
// by the program's own append, reads as the same bytes read afresh, whether
// only the added lines were parsed (the earlier ones ending with a line
// feed) or all of them; nothing of the earlier reading is needed once it is
// gone.
TEST(LogCache, ALogAddedToReadsAsReadAfresh) {
    const std::string morning = line("\"2024/06/01\",\"朝\",65,\"\",\"\",\"\"\r\n");
    struct Case {
        const char* name;
        std::string before;
        std::vector<std::string> added;  // each written, and the log read, in turn
    };
    const Case cases[] = {
        {"a Japanese record", morning, {line("\"2024/06/02\",\"夜\",64.5,\"散歩\",\"\",\"\"\r\n")}},
        {"ASCII texts", morning, {"\"2024/06/02\",\"run\",64,\"x\",\"y\",\"z\"\r\n"}},
        {"an unreadable and a blank line",
         morning,
         {"garbage\r\n   \r\n" + line("\"2024/06/03\",\"昼\",63\n")}},
        {"three appends",
         morning,
         {line("\"2024/06/02\",\"夜\",64\r\n"), line("\"2024/06/03\",\"朝\",63.5\r\n"),
          line("\"2024/06/03\",\"夜\",63.9,\"外食\"\r\n")}},
        {"an unended last line",
         line("\"2024/06/01\",\"朝\",65"),
         {line("\r\n\"2024/06/02\",\"夜\",64\r\n")}},
        {"a bare CR before a LF",
         line("\"2024/06/01\",\"朝\",65\r"),
         {line("\n\"2024/06/02\",\"夜\",64\r\n")}},
        {"a LF alone", line("\"2024/06/01\",\"朝\",65\n"), {line("\"2024/06/02\",\"夜\",64\n")}},
    };
    for (const auto& c : cases) {
        for (bool ownAppend : {false, true}) {
            TempFolder t;
            t.putBytes(kLogFile, c.before);
            DataDir dir = t.dir();
            std::string bytes = c.before;
            parsedLog(dir);
            for (const std::string& added : c.added) {
                bytes += added;
                if (ownAppend)
                    ASSERT_TRUE(dir.appendBytes(kLogFile, added)) << c.name;
                else
                    t.putBytes(kLogFile, bytes);
                auto log = parsedLog(dir);
                ParsedLog afresh;
                parseLogBytes(bytes, afresh);
                ASSERT_EQ(log->bytes, bytes) << c.name;
                ASSERT_EQ(log->records.size(), afresh.records.size()) << c.name;
                EXPECT_EQ(log->unreadableLines, afresh.unreadableLines) << c.name;
                for (size_t i = 0; i < afresh.records.size(); ++i) {
                    const RecordView &r = log->records[i], &e = afresh.records[i];
                    EXPECT_TRUE(r.Date == e.Date && r.Situation == e.Situation &&
                                r.Weight == e.Weight && r.Diary == e.Diary &&
                                r.Spare1 == e.Spare1 && r.Spare2 == e.Spare2)
                        << c.name << " " << i;
                    // Every text lies in the log's own bytes or its decodings.
                    const char* at = log->records[i].Date.data();
                    EXPECT_TRUE(at >= log->bytes.data() && at < log->bytes.data() + bytes.size())
                        << c.name << " " << i;
                }
            }
        }
    }
}

TEST(LogCache, EveryLineEndEndsALine) {
    std::string a = line("\"2024/06/01\",\"朝\",65");
    std::string b = line("\"2024/06/02\",\"夜\",64");
    for (std::string_view end : {"\r\n", "\n", "\r", "\n\r", "\r\r\n"}) {
        ParsedLog parsed;
        parseLogBytes(a + std::string(end) + b, parsed);
        ASSERT_EQ(parsed.records.size(), 2u) << end.size();
        EXPECT_EQ(parsed.records[1].Situation, "夜");
        EXPECT_EQ(parsed.unreadableLines, 0);
    }
}

}  // namespace
}  // namespace core
