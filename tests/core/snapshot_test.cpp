// Snapshots of the data folder: their names, the rule that thins them out,
// making one (whole or not at all, whatever step fails), the folder they go
// to, the list and the restore.
#include "core/snapshot.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <set>

#include "core/codepage.h"
#include "core/fields.h"
#include "core/folder_lock.h"
#include "core/memo.h"
#include "core/platform.h"
#include "core/settings.h"
#include "core/weight_log.h"
#include "support/temp_folder.h"

namespace core {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

Date day(const char* text) {
    return parseDate(text).value();
}

// "20250202-200000" for day("2025/02/02") and "200000".
std::string nameOn(Date date, std::string_view time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02u-", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text + std::string(time);
}

// The names of `count` days in a row from `first`, each at `time`.
std::vector<std::string> everyDay(const char* first, int count, std::string_view time) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(
            nameOn(Date(std::chrono::sys_days(day(first)) + std::chrono::days(i)), time));
    return names;
}

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

fs::path in(const fs::path& folder, std::string_view name) {
    return folder / platform::pathOf(name);
}

std::string bytesOf(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

// The regular files of a folder and their bytes.
Files filesIn(const fs::path& folder) {
    Files files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files[platform::utf8Of(entry.path().filename())] = bytesOf(entry.path());
    return files;
}

// Every entry of a folder, by name; none when there is no such folder.
std::set<std::string> entriesIn(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        names.insert(platform::utf8Of(entry.path().filename()));
    return names;
}

// The folders of a folder that have snapshot names.
std::set<std::string> snapshotsIn(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::string name = platform::utf8Of(entry.path().filename());
        if (entry.is_directory() && parseSnapshotName(name)) names.insert(name);
    }
    return names;
}

void putSnapshot(const fs::path& folder, std::string_view name, const Files& files) {
    const fs::path where = in(folder, name);
    fs::create_directories(where);
    for (const auto& [file, bytes] : files)
        std::ofstream(in(where, file), std::ios::binary) << bytes;
}

std::string sjis(std::string_view text) {
    return encodeCp932(text).value();
}

// The program's files as a user's folder has them, in the letter case that
// each happens to have, odd bytes included; and next to them every other
// kind of file that the program leaves in the folder.
const Files kProgramFiles = {
    {"データ.txt", sjis("\"2024/05/01\",\"朝\",65,\"\",\"\",\"\"\r\n壊れた行\r\n") +
                       "\x81\x20\r\"2024/06/01\",\"\x92\xa9\",64.5,\"\",\"\",\"\"\r\n"},
    {"状況リスト.txt", sjis("朝\r\n夜\r\n")},
    {"換算.txt", sjis("\"2024/01/01\",100\r\n")},
    {"気付きメモ.TXT", sjis("メモ\r\n")},
    {"ﾌﾟﾗｲﾍﾞｰﾄ.txt", sjis("\"氏名\",\"花子\"\r\n\"身長\",160\r\n\"目標体重\",55\r\n")},
    {"設定.txt", sjis("\"ヘルプツアー\",0\r\n")},
    {"自動時間.TXT", "1\r\n"},
    {"移動平均.TXT", "10\r\n"},
    {"体重計刻み.txt", "0.1\r\n"},
    {"マーカー.TXT", "2\r\n"},
    {"傾向線.TXT", "1\r\n"},
    {"傾向の元.TXT", sjis("\"朝\"\r\n")},
    {"バックアップ先.TXT", sjis("\"バックアップ\"\r\n")},
};
const Files kOtherFiles = {
    {"yaserunba.lock", "1\nhost\n2\n"},
    {"貯金推移.txt", "x\r\n"},
    {"日毎平均.txt", "x\r\n"},
    {"ヤセルンバ.csv", "日付,体重\r\n"},
    {"データコピー.txt", "side\r\n"},
    {"データＣＨＧ.txt", "side\r\n"},
    {"状況リストＣＨＧ.txt", "side\r\n"},
    {".データ.txt.tmp", "side\r\n"},
    {"データbak.txt", "old\r\n"},
    {"データbak2.txt", "older\r\n"},
    {"連続体重.txt", "\"2003/08/01\",\"朝\",70.5\r\n"},
    {"連続体重bak.txt", "\"2003/08/01\",\"朝\",70.5\r\n"},
    {"メモ.txt", "not ours\r\n"},
};

void fillDataFolder(const TempFolder& t) {
    for (const auto& [name, bytes] : kProgramFiles) t.putBytes(name, bytes);
    for (const auto& [name, bytes] : kOtherFiles) t.putBytes(name, bytes);
    fs::create_directory(t.file("写真"));
}

const Date kToday = day("2024/06/01");
const TimeOfDay kNow{7, 30, 5};

// ---- Names

TEST(SnapshotNames, TellSnapshotsFromOtherNames) {
    struct Case {
        const char* name;
        std::optional<SnapshotName> expected;
    };
    const Case cases[] = {
        {"20240601-073005", SnapshotName{day("2024/06/01"), {7, 30, 5}, 1}},
        {"20240601-073005-2", SnapshotName{day("2024/06/01"), {7, 30, 5}, 2}},
        {"20240601-073005-17", SnapshotName{day("2024/06/01"), {7, 30, 5}, 17}},
        {"20240601-073005-123456789", SnapshotName{day("2024/06/01"), {7, 30, 5}, 123456789}},
        {"20240229-235959", SnapshotName{day("2024/02/29"), {23, 59, 59}, 1}},
        {"10000101-000000", SnapshotName{day("1000/01/01"), {0, 0, 0}, 1}},
        {"20240601-073005-1", std::nullopt},  // the first of a second has no number
        {"20240601-073005-0", std::nullopt},
        {"20240601-073005-02", std::nullopt},
        {"20240601-073005-", std::nullopt},
        {"20240601-073005-x", std::nullopt},
        {"20240601-073005-2a", std::nullopt},
        {"20240601-073005-1234567890", std::nullopt},
        {"20240601-073005 ", std::nullopt},
        {"20240601-073005.txt", std::nullopt},
        {"20230229-120000", std::nullopt},
        {"20240631-120000", std::nullopt},
        {"20241301-120000", std::nullopt},
        {"20240600-120000", std::nullopt},
        {"09990101-120000", std::nullopt},
        {"20240601-240000", std::nullopt},
        {"20240601-126000", std::nullopt},
        {"20240601-120060", std::nullopt},
        {"20240601_073005", std::nullopt},
        {"2024060-1073005", std::nullopt},
        {"+0240601-073005", std::nullopt},
        {"20240601-07300", std::nullopt},
        {"20240601", std::nullopt},
        {"", std::nullopt},
        {".making-20240601-073005", std::nullopt},
        {".removing-20240601-073005", std::nullopt},
        {"バックアップ", std::nullopt},
    };
    for (const auto& c : cases) {
        std::optional<SnapshotName> parsed = parseSnapshotName(c.name);
        EXPECT_EQ(parsed.has_value(), c.expected.has_value()) << c.name;
        if (!parsed || !c.expected) continue;
        EXPECT_EQ(parsed->date, c.expected->date) << c.name;
        EXPECT_EQ(parsed->time.hours, c.expected->time.hours) << c.name;
        EXPECT_EQ(parsed->time.minutes, c.expected->time.minutes) << c.name;
        EXPECT_EQ(parsed->time.seconds, c.expected->time.seconds) << c.name;
        EXPECT_EQ(parsed->sequence, c.expected->sequence) << c.name;
        EXPECT_EQ(snapshotNameText(*parsed), c.name);
    }
}

// By date, time and then the number: "-10" comes after "-2", which the
// names' own order would not give.
TEST(SnapshotNames, OrderByDateTimeThenNumber) {
    const std::vector<std::string> ordered = {
        "20231231-235959",    "20240101-000000", "20240101-000000-2", "20240101-000000-3",
        "20240101-000000-10", "20240101-000001", "20240101-010000",   "20240102-000000",
    };
    std::vector<std::string> names = ordered;
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::shuffle(names.begin(), names.end(), random);
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return *parseSnapshotName(a) < *parseSnapshotName(b);
        });
        EXPECT_EQ(names, ordered);
    }
}

// ---- The rule

TEST(SnapshotRetention, KeepsExactlyTheUnionOfItsParts) {
    struct Case {
        const char* what;
        std::vector<std::string> snapshots;
        std::vector<std::string> others;  // names in the folder that are no snapshots
        std::vector<std::string> removed;
    };
    const Case cases[] = {
        {"ten in one day: all kept",
         {"20240601-120000", "20240601-120001", "20240601-120002", "20240601-120003",
          "20240601-120004", "20240601-120005", "20240601-120006", "20240601-120007",
          "20240601-120008", "20240601-120009"},
         {},
         {}},
        {"the 11th newest of one day goes",
         {"20240601-120000", "20240601-120001", "20240601-120002", "20240601-120003",
          "20240601-120004", "20240601-120005", "20240601-120006", "20240601-120007",
          "20240601-120008", "20240601-120009", "20240601-120010"},
         {},
         {"20240601-120000"}},
        {"twelve in one day, and the newest of the day before",
         {"20240319-090000", "20240319-210000", "20240320-100000", "20240320-100100",
          "20240320-100200", "20240320-100300", "20240320-100400", "20240320-100500",
          "20240320-100600", "20240320-100700", "20240320-100800", "20240320-100900",
          "20240320-101000", "20240320-101100"},
         {},
         {"20240319-090000", "20240320-100000", "20240320-100100"}},
        {"twelve in one second",
         {"20240601-073005", "20240601-073005-2", "20240601-073005-3", "20240601-073005-4",
          "20240601-073005-5", "20240601-073005-6", "20240601-073005-7", "20240601-073005-8",
          "20240601-073005-9", "20240601-073005-10", "20240601-073005-11", "20240601-073005-12"},
         {},
         {"20240601-073005", "20240601-073005-2"}},
        // Sixteen days in a row to Wednesday 20 March: the 15th and the 16th
        // are neither the newest of their week (Saturday the 9th is) nor
        // of their month.
        {"the 14th day kept, the 15th not",
         everyDay("2024/03/05", 16, "120000"),
         {},
         {"20240306-120000", "20240305-120000"}},
        // Every other day of March: the 15th day that has one is the 3rd;
        // the 1st, alone in its week, is that week's newest.
        {"days with gaps",
         {"20240301-120000", "20240303-120000", "20240305-120000", "20240307-120000",
          "20240309-120000", "20240311-120000", "20240313-120000", "20240315-120000",
          "20240317-120000", "20240319-120000", "20240321-120000", "20240323-120000",
          "20240325-120000", "20240327-120000", "20240329-120000", "20240331-120000"},
         {},
         {"20240303-120000"}},
        // Fourteen days from Sunday 2 June fill the days; then one a week,
        // and the week of Sunday 28 April holds the 30th and 2 May: one
        // week, so that the 24th is the newest of the 8th week (and not of
        // its month, which the 30th is), and the 17th of the 9th.
        {"the 8th week kept, the 9th not, a week across a month's end",
         joined({everyDay("2024/06/02", 14, "200000"),
                 {"20240529-120000", "20240522-120000", "20240515-120000", "20240508-120000",
                  "20240502-120000", "20240430-120000", "20240424-120000", "20240417-120000",
                  "20240410-120000"}}),
         {},
         {"20240417-120000", "20240410-120000"}},
        // The same across the end of 2024: the week of Sunday 29 December
        // holds New Year's Eve and 2 January.
        {"a week across a year's end",
         joined({everyDay("2025/02/02", 14, "200000"),
                 {"20250129-120000", "20250122-120000", "20250115-120000", "20250108-120000",
                  "20250102-120000", "20241231-120000", "20241225-120000", "20241218-120000",
                  "20241211-120000"}}),
         {},
         {"20241218-120000", "20241211-120000"}},
        // Days and weeks filled to 25 December 2024; then months, with none
        // in October 2024, June 2024 and January 2024: December 2023 is the
        // 12th month that has one, November 2023 the 13th. Of September,
        // only the newest.
        {"months with gaps: the 12th month kept, the 13th not",
         joined({everyDay("2025/02/02", 14, "200000"),
                 {"20250129-120000", "20250122-120000", "20250115-120000", "20250108-120000",
                  "20250101-120000", "20241225-120000", "20241110-120000", "20240920-120000",
                  "20240910-120000", "20240810-120000", "20240710-120000", "20240510-120000",
                  "20240410-120000", "20240310-120000", "20240210-120000", "20231205-120000",
                  "20231130-120000"}}),
         {},
         {"20240910-120000", "20231130-120000"}},
        {"names that are not snapshots are left alone",
         {"20240601-120000", "20240601-120001", "20240601-120002", "20240601-120003",
          "20240601-120004", "20240601-120005", "20240601-120006", "20240601-120007",
          "20240601-120008", "20240601-120009", "20240601-120010"},
         {"メモ", "", ".making-20240601-130000", ".removing-20240101-000000", "20240601-120011-1",
          "20240601-120011-02", "20230229-120000", "20240601-246000", "20240601-120011.txt",
          "19990101-000000 "},
         {"20240601-120000"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names = joined({c.snapshots, c.others});
        std::shuffle(names.begin(), names.end(), std::mt19937(11));
        const std::set<std::string> removed(c.removed.begin(), c.removed.end());
        std::set<std::string> kept;
        for (const std::string& name : c.snapshots)
            if (!removed.count(name)) kept.insert(name);

        const std::vector<std::string> keep = snapshotsToKeep(names);
        const std::vector<std::string> remove = snapshotsToRemove(names);
        EXPECT_EQ(std::set<std::string>(keep.begin(), keep.end()), kept) << c.what;
        EXPECT_EQ(std::set<std::string>(remove.begin(), remove.end()), removed) << c.what;
        EXPECT_EQ(keep.size(), kept.size()) << c.what;
        EXPECT_EQ(remove.size(), removed.size()) << c.what;
        EXPECT_TRUE(std::is_sorted(keep.begin(), keep.end(), [](const auto& a, const auto& b) {
            return *parseSnapshotName(a) > *parseSnapshotName(b);
        })) << c.what;
    }
}

// ---- The files

TEST(SnapshotFiles, HoldEveryFileTheProgramKeepsAndNothingElse) {
    for (std::string_view name :
         {kLogFile, kSetteiFile, kJikanFile, kIdouFile, kKizamiFile, kMarkerFile, kTrendLineFile,
          kProfileFile, kMemoFile, kMemoWriteName, kSnapshotFolderFile})
        EXPECT_TRUE(isSnapshotFile(name)) << name;
    for (std::string_view name :
         {kLockFile, kInsertSideFile, kRenameSideFile, kLegacyLogFile,
          std::string_view("データbak.txt"), std::string_view("連続体重bak.txt"),
          std::string_view(".データ.txt.tmp")})
        EXPECT_FALSE(isSnapshotFile(name)) << name;
    EXPECT_TRUE(isSnapshotFile("設定.txt"));
    EXPECT_TRUE(isSnapshotFile("データ.TXT"));
    // Two entries for one file would copy it twice.
    for (size_t i = 0; i < kSnapshotFiles.size(); ++i)
        for (size_t j = i + 1; j < kSnapshotFiles.size(); ++j)
            EXPECT_FALSE(equalIgnoringAsciiCase(kSnapshotFiles[i], kSnapshotFiles[j]))
                << kSnapshotFiles[i];
}

// ---- Making one

TEST(SnapshotMaking, CopiesTheProgramsFilesByteForByte) {
    TempFolder t;
    fillDataFolder(t);
    DataDir dir = t.dir();
    const fs::path folder = snapshotFolder(dir);
    ASSERT_EQ(folder, in(t.path(), "バックアップ"));
    MadeSnapshot made = SnapshotMaker(folder).make(dir, kToday, kNow);
    ASSERT_TRUE(made.status) << made.status.reason();
    EXPECT_TRUE(made.retention);
    EXPECT_EQ(made.name, "20240601-073005");
    EXPECT_EQ(entriesIn(folder), std::set<std::string>{"20240601-073005"});
    EXPECT_EQ(filesIn(in(folder, made.name)), kProgramFiles);
    // The data folder is as it was.
    Files all = kProgramFiles;
    all.insert(kOtherFiles.begin(), kOtherFiles.end());
    EXPECT_EQ(filesIn(t.path()), all);
}

TEST(SnapshotMaking, AnEmptyDataFolderGivesAnEmptySnapshot) {
    TempFolder t;
    MadeSnapshot made = SnapshotMaker(snapshotFolder(t.dir())).make(t.dir(), kToday, kNow);
    ASSERT_TRUE(made.status) << made.status.reason();
    EXPECT_TRUE(filesIn(in(t.file("バックアップ"), made.name)).empty());
}

TEST(SnapshotMaking, AnotherInTheSameSecondIsNumbered) {
    TempFolder t;
    fillDataFolder(t);
    DataDir dir = t.dir();
    SnapshotMaker maker(snapshotFolder(dir));
    std::vector<std::string> names;
    for (int i = 0; i < 3; ++i) {
        MadeSnapshot made = maker.make(dir, kToday, kNow);
        ASSERT_TRUE(made.status) << made.status.reason();
        names.push_back(made.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"20240601-073005", "20240601-073005-2",
                                               "20240601-073005-3"}));
    for (const std::string& name : names)
        EXPECT_EQ(filesIn(in(maker.folder(), name)), kProgramFiles) << name;
    // A name that something else has is passed over too.
    std::ofstream(in(maker.folder(), "20240601-073006"), std::ios::binary) << "a file";
    MadeSnapshot made = maker.make(dir, kToday, TimeOfDay{7, 30, 6});
    EXPECT_EQ(made.name, "20240601-073006-2");
}

// Many in one second, the rule dropping the oldest: each new one is named
// after the newest of that second, never in the place of one dropped, so
// that it is the newest, and the one the next rule keeps.
TEST(SnapshotMaking, ManyInTheSameSecondStayInTheOrderMade) {
    TempFolder t;
    fillDataFolder(t);
    DataDir dir = t.dir();
    SnapshotMaker maker(snapshotFolder(dir));
    std::string last;
    for (int i = 1; i <= 14; ++i) {
        t.put("データ.txt",
              "\"2024/06/01\",\"朝\"," + std::to_string(60 + i) + ",\"\",\"\",\"\"\r\n");
        MadeSnapshot made = maker.make(dir, kToday, kNow);
        ASSERT_TRUE(made.status) << made.status.reason();
        last = made.name;
        EXPECT_EQ(made.name, i == 1 ? "20240601-073005" : "20240601-073005-" + std::to_string(i));
    }
    std::vector<SnapshotInfo> listed = listSnapshots(maker.folder());
    ASSERT_EQ(listed.size(), 10u);
    EXPECT_EQ(listed.front().name, last);
    EXPECT_EQ(bytesOf(in(in(maker.folder(), last), "データ.txt")), t.bytes("データ.txt"));
}

TEST(SnapshotMaking, RefusesAMomentThatNamesNoSnapshot) {
    TempFolder t;
    fillDataFolder(t);
    for (TimeOfDay time : {TimeOfDay{24, 0, 0}, TimeOfDay{7, 60, 0}, TimeOfDay{-1, 0, 0}}) {
        MadeSnapshot made = SnapshotMaker(t.file("バックアップ")).make(t.dir(), kToday, time);
        EXPECT_FALSE(made.status);
        EXPECT_FALSE(made.status.reason().empty());
    }
    EXPECT_FALSE(t.has("バックアップ"));
}

TEST(SnapshotMaking, MakesTheFolderWithItsParents) {
    TempFolder t;
    fillDataFolder(t);
    const fs::path folder = in(in(in(t.path(), "外"), "控え"), "スナップ");
    MadeSnapshot made = SnapshotMaker(folder).make(t.dir(), kToday, kNow);
    ASSERT_TRUE(made.status) << made.status.reason();
    EXPECT_EQ(filesIn(in(folder, made.name)), kProgramFiles);
}

TEST(SnapshotMaking, AFileWhereTheFolderShouldBeIsReported) {
    TempFolder t;
    fillDataFolder(t);
    t.putBytes("バックアップ", "a file");
    MadeSnapshot made = SnapshotMaker(t.file("バックアップ")).make(t.dir(), kToday, kNow);
    EXPECT_FALSE(made.status);
    EXPECT_NE(made.status.reason().find("同じ名前のファイル"), std::string::npos)
        << made.status.reason();
    EXPECT_EQ(t.bytes("バックアップ"), "a file");
}

// A file of the data folder that cannot be read makes no snapshot that
// lacks it.
TEST(SnapshotMaking, AnUnreadableFileMakesNoSnapshot) {
    TempFolder t;
    fillDataFolder(t);
    DataDir dir = t.dir();
    dir.setFaultHook([](WriteStep step) { return step == WriteStep::Read; });
    MadeSnapshot made = SnapshotMaker(t.file("バックアップ")).make(dir, kToday, kNow);
    EXPECT_FALSE(made.status);
    EXPECT_EQ(made.status.fileName(), "データ.txt");
    EXPECT_TRUE(entriesIn(t.file("バックアップ")).empty());
}

TEST(SnapshotMaking, RemovesWhatTheRuleDropsAndOnlyThat) {
    TempFolder t;
    fillDataFolder(t);
    const fs::path folder = t.file("バックアップ");
    std::vector<std::string> older;
    for (int minute = 0; minute < 11; ++minute) {
        older.push_back(nameOn(
            kToday, "06" + std::string(minute < 10 ? "0" : "") + std::to_string(minute) + "00"));
        putSnapshot(folder, older.back(), {{"データ.txt", "old\r\n"}});
    }
    putSnapshot(folder, "古いもの", {{"データ.txt", "mine\r\n"}});
    std::ofstream(in(folder, "20000101-000000"), std::ios::binary) << "a file, not a snapshot";
    MadeSnapshot made = SnapshotMaker(folder).make(t.dir(), kToday, kNow);
    ASSERT_TRUE(made.status) << made.status.reason();
    EXPECT_TRUE(made.retention) << made.retention.reason();
    std::set<std::string> expected(older.begin() + 2, older.end());
    expected.insert({made.name, "古いもの", "20000101-000000"});
    EXPECT_EQ(entriesIn(folder), expected);
}

// The rule would drop a snapshot made with the clock set back by years;
// the one just made stays all the same.
TEST(SnapshotMaking, TheSnapshotJustMadeIsKeptWhateverItsDate) {
    TempFolder t;
    fillDataFolder(t);
    const fs::path folder = t.file("バックアップ");
    std::vector<std::string> later = everyDay("2031/12/01", 14, "120000");
    for (int month = 1; month <= 11; ++month)
        later.push_back(
            nameOn(Date{std::chrono::year(2031), std::chrono::month(static_cast<unsigned>(month)),
                        std::chrono::day(10)},
                   "120000"));
    for (const std::string& name : later) putSnapshot(folder, name, {{"データ.txt", "x\r\n"}});
    MadeSnapshot made = SnapshotMaker(folder).make(t.dir(), kToday, kNow);
    ASSERT_TRUE(made.status) << made.status.reason();
    std::set<std::string> expected(later.begin(), later.end());
    expected.insert(made.name);
    EXPECT_EQ(entriesIn(folder), expected);
    EXPECT_EQ(snapshotsToRemove(std::vector<std::string>(expected.begin(), expected.end())),
              std::vector<std::string>{made.name});
}

TEST(SnapshotMaking, LeftoversOfAnEarlierRunGoWithTheNext) {
    TempFolder t;
    fillDataFolder(t);
    const fs::path folder = t.file("バックアップ");
    putSnapshot(folder, ".making-20240501-000000", {{"データ.txt", "half"}});
    putSnapshot(folder, ".removing-20230101-000000", {{"設定.TXT", "x"}});
    fs::create_directories(in(in(folder, ".removing-20230102-000000"), "中"));
    putSnapshot(folder, "20240101-000000", {{"データ.txt", "kept\r\n"}});
    MadeSnapshot made = SnapshotMaker(folder).make(t.dir(), kToday, kNow);
    ASSERT_TRUE(made.status) << made.status.reason();
    EXPECT_EQ(entriesIn(folder), (std::set<std::string>{"20240101-000000", made.name}));
    EXPECT_EQ(filesIn(in(folder, "20240101-000000")), (Files{{"データ.txt", "kept\r\n"}}));
}

#ifndef _WIN32
TEST(SnapshotMaking, FoldersAndFilesAreTheOwnersAlone) {
    const mode_t oldMask = ::umask(0);
    TempFolder t;
    fillDataFolder(t);
    for (const auto& [name, bytes] : kProgramFiles) fs::permissions(t.file(name), fs::perms(0644));
    const fs::path top = in(t.path(), "外");
    const fs::path folder = in(top, "スナップ");
    MadeSnapshot made = SnapshotMaker(folder).make(t.dir(), kToday, kNow);
    ::umask(oldMask);
    ASSERT_TRUE(made.status) << made.status.reason();
    auto modeOf = [](const fs::path& path) {
        platform::FileInfo info;
        EXPECT_EQ(platform::info(path, info), 0);
        return info.mode;
    };
    EXPECT_EQ(modeOf(top), 0700u);
    EXPECT_EQ(modeOf(folder), 0700u);
    EXPECT_EQ(modeOf(in(folder, made.name)), 0700u);
    for (const auto& [name, bytes] : kProgramFiles)
        EXPECT_EQ(modeOf(in(in(folder, made.name), name)), 0600u) << name;
}
#endif

// ---- Making one, failing at every step

// A data folder and a snapshot folder laid out for the fault test: either
// with eleven older snapshots of the same day, two of which the new one
// drops, or without even the snapshot folder and its parents.
struct FaultLayout {
    const char* name;
    bool withOlder;
};
const FaultLayout kLayouts[] = {{"eleven older snapshots", true}, {"no snapshot folder", false}};

struct FaultFixture {
    explicit FaultFixture(const FaultLayout& layout)
        : folder(layout.withOlder ? in(t.path(), "バックアップ")
                                  : in(in(in(t.path(), "外"), "控え"), "スナップ")) {
        fillDataFolder(t);
        if (!layout.withOlder) return;
        for (int minute = 0; minute < 11; ++minute) {
            std::string name = nameOn(
                kToday, "06" + std::string(minute < 10 ? "0" : "") + std::to_string(minute) + "00");
            Files files = {{"データ.txt", "old " + name + "\r\n"}, {"設定.TXT", "0\r\n"}};
            putSnapshot(folder, name, files);
            older[name] = files;
        }
    }
    TempFolder t;
    fs::path folder;
    std::map<std::string, Files> older;
};

TEST(SnapshotFaults, EveryStepFailingLeavesEachSnapshotWholeOrAbsent) {
    struct StepCase {
        SnapshotStep step;
        const char* reasonPart;
    };
    const StepCase steps[] = {
        {SnapshotStep::MakeFolder, "アクセスが許可されていません"},
        {SnapshotStep::Copy, "ディスクに空きがありません"},
        {SnapshotStep::Flush, "ディスクの読み書きに失敗しました"},
        {SnapshotStep::Rename, "アクセスが許可されていません"},
        {SnapshotStep::Remove, "アクセスが許可されていません"},
    };
    for (const FaultLayout& layout : kLayouts) {
        // How often each step is taken when nothing fails.
        std::map<SnapshotStep, int> taken;
        {
            FaultFixture f(layout);
            SnapshotMaker maker(f.folder);
            maker.setFaultHook([&](SnapshotStep s) {
                ++taken[s];
                return false;
            });
            ASSERT_TRUE(maker.make(f.t.dir(), kToday, kNow).status) << layout.name;
        }
        EXPECT_GT(taken[SnapshotStep::MakeFolder], 0) << layout.name;
        EXPECT_EQ(taken[SnapshotStep::Copy], static_cast<int>(kProgramFiles.size()));
        EXPECT_EQ(taken[SnapshotStep::Rename], 1);
        EXPECT_EQ(taken[SnapshotStep::Remove] > 0, layout.withOlder) << layout.name;
        for (const StepCase& c : steps) {
            for (int nth = 1; nth <= taken[c.step]; ++nth) {
                const std::string where = std::string(layout.name) + ", step " +
                                          std::to_string(static_cast<int>(c.step)) + " call " +
                                          std::to_string(nth);
                FaultFixture f(layout);
                SnapshotMaker maker(f.folder);
                int calls = 0;
                maker.setFaultHook([&](SnapshotStep s) { return s == c.step && ++calls == nth; });
                MadeSnapshot made = maker.make(f.t.dir(), kToday, kNow);

                // Only the old snapshots' removal comes after the new one is
                // in place: the renames out of the way and their flush (the
                // last flush), and the deletes.
                const bool inRemoval =
                    c.step == SnapshotStep::Remove ||
                    (layout.withOlder && c.step == SnapshotStep::Flush && nth == taken[c.step]);
                EXPECT_EQ(made.status.ok(), inRemoval) << where;
                EXPECT_EQ(made.retention.ok(), !inRemoval) << where;
                const Status& failed = inRemoval ? made.retention : made.status;
                EXPECT_FALSE(failed.fileName().empty()) << where;
                EXPECT_NE(failed.reason().find(c.reasonPart), std::string::npos)
                    << where << ": " << failed.reason();

                // Every folder under a snapshot name is a whole snapshot: an
                // old one as it was, or the new one.
                const std::set<std::string> present = snapshotsIn(f.folder);
                for (const std::string& name : present) {
                    auto old = f.older.find(name);
                    const Files& whole = old != f.older.end() ? old->second : kProgramFiles;
                    EXPECT_EQ(filesIn(in(f.folder, name)), whole) << where << name;
                }
                EXPECT_EQ(present.count("20240601-073005"), made.status.ok() ? 1u : 0u) << where;
                // No snapshot made, none removed.
                if (!made.status) {
                    for (const auto& [name, files] : f.older)
                        EXPECT_TRUE(present.count(name)) << where << name;
                }
                for (const std::string& name : entriesIn(f.folder))
                    EXPECT_FALSE(name.starts_with(".making-")) << where << name;

                // The next snapshot, with nothing failing, leaves exactly what
                // the rule keeps, and nothing of the failed step.
                maker.setFaultHook({});
                MadeSnapshot next = maker.make(f.t.dir(), kToday, TimeOfDay{7, 31, 0});
                ASSERT_TRUE(next.status) << where << next.status.reason();
                EXPECT_TRUE(next.retention) << where << next.retention.reason();
                const std::set<std::string> after = entriesIn(f.folder);
                const std::vector<std::string> kept =
                    snapshotsToKeep(std::vector<std::string>(after.begin(), after.end()));
                EXPECT_EQ(after, std::set<std::string>(kept.begin(), kept.end())) << where;
            }
        }
    }
}

// ---- Where the snapshots go

TEST(SnapshotFolderSetting, DefaultsToTheFolderInTheDataFolder) {
    TempFolder t;
    EXPECT_EQ(snapshotFolder(t.dir()), in(t.path(), "バックアップ"));
    EXPECT_EQ(t.fileCount(), 0u);
}

TEST(SnapshotFolderSetting, KeepsAPathAsOneQuotedLine) {
    TempFolder t;
    DataDir dir = t.dir();
    const fs::path elsewhere = in(in(t.path(), "外付け"), "控え");
    ASSERT_TRUE(writeSnapshotFolder(dir, elsewhere));
    EXPECT_EQ(snapshotFolder(dir), elsewhere);
    EXPECT_EQ(t.bytes("バックアップ先.TXT"), sjis("\"" + platform::utf8Of(elsewhere) + "\"\r\n"));
    // A relative path is taken from the data folder.
    const fs::path relative = in(platform::pathOf("控え"), "スナップ");
    ASSERT_TRUE(writeSnapshotFolder(dir, relative));
    const fs::path data = t.path();
    EXPECT_EQ(snapshotFolder(dir), data / relative);
    EXPECT_EQ(t.fileCount(), 1u);
    // An empty path is the default again.
    ASSERT_TRUE(writeSnapshotFolder(dir, fs::path()));
    EXPECT_EQ(t.bytes("バックアップ先.TXT"), "\"\"\r\n");
    EXPECT_EQ(snapshotFolder(dir), in(t.path(), "バックアップ"));
}

TEST(SnapshotFolderSetting, ReadsTheFileAsUsersHaveIt) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;  // relative to the data folder
    };
    const Case cases[] = {
        {"unquoted", sjis("控え\r\n"), "控え"},
        {"no line end", sjis("\"控え\""), "控え"},
        {"a second line", sjis("\"控え\"\r\n\"別\"\r\n"), "控え"},
        {"a bare LF", sjis("\"控え\"\n"), "控え"},
        {"empty", "", "バックアップ"},
        {"an empty line", "\r\n", "バックアップ"},
        {"an empty path", "\"\"\r\n", "バックアップ"},
        {"a byte that is no Shift-JIS", "\"\x81\"\r\n", "バックアップ"},
        {"a control character", "\"a\tb\"\r\n", "バックアップ"},
    };
    for (const auto& c : cases) {
        TempFolder t;
        t.putBytes("バックアップ先.txt", c.bytes);
        EXPECT_EQ(snapshotFolder(t.dir()), in(t.path(), c.expected)) << c.what;
    }
}

TEST(SnapshotFolderSetting, AnUnreadableFileMeansTheDefault) {
    TempFolder t;
    fs::create_directory(t.file("バックアップ先.TXT"));
    EXPECT_EQ(snapshotFolder(t.dir()), in(t.path(), "バックアップ"));
    TempFolder u;
    u.put("バックアップ先.TXT", "\"控え\"\r\n");
    DataDir dir = u.dir();
    dir.setFaultHook([](WriteStep step) { return step == WriteStep::Read; });
    EXPECT_EQ(snapshotFolder(dir), in(u.path(), "バックアップ"));
}

TEST(SnapshotFolderSetting, RefusesAPathTheFileCannotHold) {
    struct Case {
        const char* path;
        const char* reasonPart;
    };
    const Case cases[] = {
        {"控え😀", "Shift-JIS"}, {"控え\xC3\xA9", "Shift-JIS"},  // é
        {"控\"え", "引用符"},   {"控え\n2", "引用符"},         {"控え\t2", "制御文字"},
    };
    for (const auto& c : cases) {
        TempFolder t;
        t.put("バックアップ先.TXT", "\"前\"\r\n");
        Status s = writeSnapshotFolder(t.dir(), platform::pathOf(c.path));
        EXPECT_FALSE(s) << c.path;
        EXPECT_EQ(s.fileName(), "バックアップ先.TXT");
        EXPECT_NE(s.reason().find(c.reasonPart), std::string::npos) << s.reason();
        EXPECT_EQ(t.text("バックアップ先.TXT"), "\"前\"\r\n") << c.path;
    }
}

// ---- The list

TEST(SnapshotList, NewestFirstWithWhatEachLogHolds) {
    TempFolder t;
    const fs::path folder = t.file("バックアップ");
    const std::string log = sjis(
        "\"2024/05/01\",\"朝\",65,\"\",\"\",\"\"\r\n"
        "壊れた行\r\n"
        "\r\n"
        "\"2024/05/20\",\"夜\",64.5,\"日記\",\"\",\"\"\r\n"
        "\"2024/06/01\",\"朝\",64,\"\"\r\n");
    putSnapshot(folder, "20240601-073005", {{"データ.txt", log}, {"設定.TXT", "x"}});
    putSnapshot(folder, "20240601-073005-2",
                {{"データ.TXT", sjis("\"2023/12/31\",\"朝\",70,\"\",\"\",\"\"\r\n")}});
    putSnapshot(folder, "20240602-000000", {{"設定.TXT", "x"}});
    putSnapshot(folder, "20240603-090807", {{"データ.txt", ""}});
    putSnapshot(folder, "20240604-235959", {{"データ.txt", sjis("壊れた行\r\n")}});
    putSnapshot(folder, "20240530-120000", {});
    putSnapshot(folder, ".making-20240605-000000", {{"データ.txt", log}});
    putSnapshot(folder, "メモ", {{"データ.txt", log}});
    std::ofstream(in(folder, "20240606-000000"), std::ios::binary) << log;

    for (int round = 0; round < 2; ++round) {  // read, then as kept
        std::vector<std::string> texts, names;
        for (const SnapshotInfo& s : listSnapshots(folder)) {
            texts.push_back(snapshotItemText(s));
            names.push_back(s.name);
        }
        EXPECT_EQ(names, (std::vector<std::string>{"20240604-235959", "20240603-090807",
                                                   "20240602-000000", "20240601-073005-2",
                                                   "20240601-073005", "20240530-120000"}));
        EXPECT_EQ(texts, (std::vector<std::string>{
                             "2024/06/04 23:59:59　記録なし",
                             "2024/06/03 09:08:07　記録なし",
                             "2024/06/02 00:00:00　記録なし",
                             "2024/06/01 07:30:05　1 件（2023/12/31～2023/12/31）",
                             "2024/06/01 07:30:05　3 件（2024/05/01～2024/06/01）",
                             "2024/05/30 12:00:00　記録なし",
                         }))
            << "round " << round;
    }
}

TEST(SnapshotList, ItemTextsSpellTheirParts) {
    SnapshotInfo s;
    s.made = SnapshotName{day("2024/06/01"), {7, 3, 5}, 2};
    s.recordCount = 32767;
    s.firstDate = day("2003/08/01");
    s.lastDate = day("2024/06/01");
    // An ideographic space, a full-width wave dash and full-width brackets.
    EXPECT_EQ(snapshotItemText(s),
              "2024/06/01 07:03:05\xE3\x80\x80"
              "32767 件\xEF\xBC\x88"
              "2003/08/01\xEF\xBD\x9E"
              "2024/06/01\xEF\xBC\x89");
}

// The count is that of the log's own readers, whatever the log holds.
TEST(SnapshotList, CountsTheRecordsTheLogsReadersRead) {
    TempFolder t;
    const fs::path folder = t.file("バックアップ");
    const std::string log =
        sjis("\"2024/05/01\",\"朝\",65,\"\",\"\",\"\"\r\n") + "\x81\x20\r" +
        sjis(
            "\"2024/05/02\",\"朝\",65\r\"2024/05/03\",\"昼\",65,\"a\"\"b\"\n"
            "\"2024/02/30\",\"朝\",65\r\n\"2024/05/04\",\"朝\",1e40\r\n"
            "\"2024/05/05\",\"朝\",\"65\"\r\n\"2024/05/06\" , \"夜\" , 63.5 \r\n"
            "\"2024/05/07\",\"朝\",65,\"\",\"\",\"\",\"\"\r\n"
            "\"2024/04/30\",\"朝\",66,\"\",\"\",\"\"");
    putSnapshot(folder, "20240601-073005", {{"データ.txt", log}});
    ParsedLog parsed;
    parseLogBytes(log, parsed);
    ASSERT_GE(parsed.records.size(), 2u);
    std::vector<SnapshotInfo> list = listSnapshots(folder);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].recordCount, static_cast<int32_t>(parsed.records.size()));
    EXPECT_EQ(list[0].firstDate, parseDate(parsed.records.front().Date));
    EXPECT_EQ(list[0].lastDate, parseDate(parsed.records.back().Date));
}

// What the list keeps of a snapshot goes with its log: a log changed by hand,
// or a snapshot removed and made again under the same name, is read again.
TEST(SnapshotList, ReadsALogAgainWhenItChanged) {
    TempFolder t;
    const fs::path folder = t.file("バックアップ");
    const std::string one = sjis("\"2024/05/01\",\"朝\",65,\"\",\"\",\"\"\r\n");
    const std::string two = one + sjis("\"2024/05/02\",\"朝\",64,\"\",\"\",\"\"\r\n");
    putSnapshot(folder, "20240601-073005", {{"データ.txt", one}});
    ASSERT_EQ(listSnapshots(folder).at(0).recordCount, 1);
    putSnapshot(folder, "20240601-073005", {{"データ.txt", two}});
    EXPECT_EQ(listSnapshots(folder).at(0).recordCount, 2);
    fs::remove_all(in(folder, "20240601-073005"));
    EXPECT_TRUE(listSnapshots(folder).empty());
    putSnapshot(folder, "20240601-073005", {{"データ.txt", one}});
    EXPECT_EQ(listSnapshots(folder).at(0).recordCount, 1);
    fs::remove(in(in(folder, "20240601-073005"), "データ.txt"));
    EXPECT_EQ(listSnapshots(folder).at(0).recordCount, 0);
}

TEST(SnapshotList, AMissingFolderListsNothing) {
    TempFolder t;
    EXPECT_TRUE(listSnapshots(t.file("バックアップ")).empty());
    EXPECT_FALSE(hasSnapshotOn(t.file("バックアップ"), kToday));
}

TEST(SnapshotList, TellsWhetherADayHasOne) {
    TempFolder t;
    const fs::path folder = t.file("バックアップ");
    putSnapshot(folder, "20240601-073005-2", {});
    putSnapshot(folder, "20240603-000000", {});
    putSnapshot(folder, ".making-20240604-000000", {});
    std::ofstream(in(folder, "20240605-000000"), std::ios::binary) << "a file";
    struct Case {
        const char* date;
        bool has;
    };
    const Case cases[] = {{"2024/06/01", true},  {"2024/06/02", false}, {"2024/06/03", true},
                          {"2024/06/04", false}, {"2024/06/05", false}, {"2023/06/01", false}};
    for (const auto& c : cases) EXPECT_EQ(hasSnapshotOn(folder, day(c.date)), c.has) << c.date;
}

// ---- Restoring one

TEST(SnapshotRestore, WritesTheSnapshotsFilesBackUnderTheFoldersSpelling) {
    TempFolder t;
    fillDataFolder(t);
    const fs::path folder = t.file("バックアップ");
    // The snapshot spells 設定 in upper case (the data folder has it in lower
    // case), lacks the memo and the conversion table, holds a profile that
    // the data folder lost, a snapshot folder of its day (where snapshots
    // are kept is left as it is now), and something that is no file of the
    // program's.
    const Files snapshot = {
        {"データ.txt", sjis("\"2024/01/01\",\"朝\",70,\"\",\"\",\"\"\r\n")},
        {"バックアップ先.TXT", sjis("\"古い場所\"\r\n")},
        {"設定.TXT", sjis("\"ヘルプツアー\",1\r\n")},
        {"ﾌﾟﾗｲﾍﾞｰﾄ.txt", sjis("\"氏名\",\"太郎\"\r\n")},
        {"メモ.txt", "not restored\r\n"},
    };
    putSnapshot(folder, "20240101-120000", snapshot);
    fs::remove(t.file("ﾌﾟﾗｲﾍﾞｰﾄ.txt"));
    ASSERT_TRUE(restoreSnapshot(t.dir(), folder, "20240101-120000"));

    Files expected = kProgramFiles;
    expected.insert(kOtherFiles.begin(), kOtherFiles.end());
    expected["データ.txt"] = snapshot.at("データ.txt");
    expected["設定.txt"] = snapshot.at("設定.TXT");
    expected["ﾌﾟﾗｲﾍﾞｰﾄ.txt"] = snapshot.at("ﾌﾟﾗｲﾍﾞｰﾄ.txt");
    // The rewrite of the log goes through its side file, the leftover included.
    expected.erase(".データ.txt.tmp");
    EXPECT_EQ(filesIn(t.path()), expected);
    EXPECT_EQ(filesIn(in(folder, "20240101-120000")), snapshot);
}

TEST(SnapshotRestore, AFullRoundTripGivesTheFilesBack) {
    TempFolder t;
    fillDataFolder(t);
    DataDir dir = t.dir();
    SnapshotMaker maker(snapshotFolder(dir));
    MadeSnapshot made = maker.make(dir, kToday, kNow);
    ASSERT_TRUE(made.status) << made.status.reason();
    for (const auto& [name, bytes] : kProgramFiles) t.putBytes(name, "changed\r\n");
    ASSERT_TRUE(restoreSnapshot(dir, maker.folder(), made.name));
    for (const auto& [name, bytes] : kProgramFiles)
        EXPECT_EQ(t.bytes(name), name == "バックアップ先.TXT" ? "changed\r\n" : bytes) << name;
}

TEST(SnapshotRestore, StopsAtTheFirstFailure) {
    TempFolder t;
    fillDataFolder(t);
    const fs::path folder = t.file("バックアップ");
    putSnapshot(folder, "20240101-120000",
                {{"データ.txt", "log\r\n"}, {"状況リスト.txt", "list\r\n"}, {"換算.txt", "x\r\n"}});
    DataDir dir = t.dir();
    int renames = 0;
    dir.setFaultHook([&](WriteStep step) { return step == WriteStep::Rename && ++renames == 2; });
    Status s = restoreSnapshot(dir, folder, "20240101-120000");
    EXPECT_FALSE(s);
    EXPECT_EQ(s.fileName(), "状況リスト.txt");
    EXPECT_FALSE(s.reason().empty());
    EXPECT_EQ(t.bytes("データ.txt"), "log\r\n");
    EXPECT_EQ(t.bytes("状況リスト.txt"), kProgramFiles.at("状況リスト.txt"));
    EXPECT_EQ(t.bytes("換算.txt"), kProgramFiles.at("換算.txt"));
}

TEST(SnapshotRestore, ANameThatIsNoSnapshotIsRefused) {
    TempFolder t;
    fillDataFolder(t);
    const fs::path folder = t.file("バックアップ");
    putSnapshot(folder, "メモ", {{"データ.txt", "x\r\n"}});
    for (const char* name : {"20240101-120000", "メモ", "..", ""}) {
        Status s = restoreSnapshot(t.dir(), folder, name);
        EXPECT_FALSE(s) << name;
        EXPECT_FALSE(s.reason().empty()) << name;
    }
    EXPECT_EQ(t.bytes("データ.txt"), kProgramFiles.at("データ.txt"));
}

}  // namespace
}  // namespace core
