// Snapshots of the data folder: their names, the rule that thins them out,
// and the files they hold.
#include "core/snapshot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <set>

#include "core/fields.h"
#include "core/folder_lock.h"
#include "core/memo.h"
#include "core/settings.h"
#include "core/weight_log.h"

namespace core {
namespace {

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

}  // namespace
}  // namespace core
