// Writes of the log made while another program, another window or a sync
// changes it: a rewrite of a shown record acts on that record or on nothing,
// and a new weighing is placed by the log as it is on disk.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "core/codepage.h"
#include "core/weight_log.h"
#include "support/temp_folder.h"

namespace core {
namespace {

std::string line(const char* date, const char* situation, const char* weight,
                 const char* diary = "", const char* spares = "\"\",\"\"") {
    return std::string("\"") + date + "\",\"" + situation + "\"," + weight + ",\"" + diary + "\"," +
           spares + "\r\n";
}

const std::string kFirst = line("2024/06/01", "朝", "65");
const std::string kSecond = line("2024/06/02", "朝", "64.5", "a");
const std::string kBroken = "壊れた行\r\n";
const std::string kShown = line("2024/06/03", "夜", "64.8", "日記", "\"x\",\"y\"");
const std::string kLast = line("2024/06/04", "朝", "64.1");
const std::string kLog = kFirst + kSecond + kBroken + kShown + kLast;
// What the panel showed: the third readable record.
const ShownRecord kShownRecord{2, "2024/06/03", "夜", 64.8f, "日記"};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

struct OutsideChange {
    const char* name;
    std::function<std::string(const std::string&)> change;
    bool recordStillShown;  // the shown record is still the third readable one, as shown
};

const OutsideChange kChanges[] = {
    {"nothing", [](const std::string& log) { return log; }, true},
    {"a record inserted before it",
     [](const std::string& log) { return line("2024/05/31", "朝", "66") + log; }, false},
    {"a record removed before it", [](const std::string& log) { return replaced(log, kFirst, ""); },
     false},
    {"its weight changed", [](const std::string& log) { return replaced(log, "64.8", "70.2"); },
     false},
    {"its diary changed", [](const std::string& log) { return replaced(log, "日記", "別の日記"); },
     false},
    {"a record appended after it",
     [](const std::string& log) { return log + line("2024/06/05", "夜", "63.9"); }, true},
    {"an unreadable line inserted before it",
     [](const std::string& log) { return "メモ書き\r\n" + log; }, true},
    {"its weight written in another form",
     [](const std::string& log) { return replaced(log, "64.8", "64.80"); }, true},
    {"the log emptied", [](const std::string&) { return std::string(); }, false},
};

struct Action {
    const char* name;
    std::function<Status(const DataDir&)> act;
    std::string newLine;  // what the shown record becomes; "" when removed
};

const Action kActions[] = {
    {"replaceDiary", [](const DataDir& d) { return replaceDiary(d, kShownRecord, "新しい"); },
     line("2024/06/03", "夜", "64.8", "新しい", "\"x\",\"y\"")},
    {"replaceWeight", [](const DataDir& d) { return replaceWeight(d, kShownRecord, 63.2f); },
     line("2024/06/03", "夜", "63.2", "日記", "\"x\",\"y\"")},
    {"removeRecord", [](const DataDir& d) { return removeRecord(d, kShownRecord); }, ""},
};

// The record's line in the changed log, which may write it in another form.
std::string shownLineIn(const std::string& log) {
    size_t at = log.find("\"2024/06/03\",\"夜\"");
    return log.substr(at, log.find("\r\n", at) + 2 - at);
}

// Between "shown" and "acted" the log changes; the rewrite either acts on
// the record shown, leaving every other line byte for byte, or writes nothing
// and says that the log changed.
TEST(ShownRecord, ARewriteActsOnTheRecordShownOrOnNothing) {
    for (const auto& action : kActions) {
        for (const auto& change : kChanges) {
            std::string where = std::string(action.name) + " after " + change.name;
            TempFolder t;
            t.put("データ.txt", kLog);
            std::string changed = change.change(kLog);
            t.put("データ.txt", changed);
            Status s = action.act(t.dir());
            if (change.recordStillShown) {
                ASSERT_TRUE(s) << where << ": " << s.reason();
                EXPECT_EQ(t.text("データ.txt"),
                          replaced(changed, shownLineIn(changed), action.newLine))
                    << where;
            } else {
                EXPECT_FALSE(s) << where;
                EXPECT_TRUE(s.changedUnderneath()) << where << ": " << s.reason();
                EXPECT_EQ(s.fileName(), "データ.txt") << where;
                EXPECT_EQ(s.reason(), kChangedReason) << where;
                EXPECT_EQ(t.text("データ.txt"), changed) << where;
            }
            EXPECT_EQ(t.fileCount(), 1u) << where;  // no side file left
        }
    }
}

// What a rewrite refuses for other reasons is not told as a change.
TEST(ShownRecord, OtherRefusalsAreNotChanges) {
    TempFolder t;
    t.put("データ.txt", kLog);
    Status unstorable = replaceDiary(t.dir(), kShownRecord, "改\r\n行");
    EXPECT_FALSE(unstorable);
    EXPECT_FALSE(unstorable.changedUnderneath());
    DataDir failing = t.dir();
    failing.setFaultHook([](WriteStep s) { return s == WriteStep::Read; });
    Status unreadable = removeRecord(failing, kShownRecord);
    EXPECT_FALSE(unreadable);
    EXPECT_FALSE(unreadable.changedUnderneath());
    EXPECT_EQ(t.text("データ.txt"), kLog);
}

// Appends to the log as another program would, once, when the rewrite is
// about to write its side file: after the log was read and checked.
std::function<bool(WriteStep)> appendWhileWriting(const TempFolder& t, std::string_view text) {
    return [&t, text = std::string(text), done = false](WriteStep step) mutable {
        if (step == WriteStep::OpenSide && !done) {
            std::ofstream(t.path() / "データ.txt", std::ios::app | std::ios::binary)
                << encodeCp932(text).value();
            done = true;
        }
        return false;
    };
}

// A change that comes after the record was found as shown, while the new log
// is written, is not overwritten either.
TEST(ShownRecord, AChangeWhileTheNewLogIsWrittenIsKept) {
    const std::string appended = line("2024/06/05", "夜", "63.9");
    for (const auto& action : kActions) {
        TempFolder t;
        t.put("データ.txt", kLog);
        DataDir dir = t.dir();
        dir.setFaultHook(appendWhileWriting(t, appended));
        Status s = action.act(dir);
        EXPECT_TRUE(s.changedUnderneath()) << action.name << ": " << s.reason();
        EXPECT_EQ(t.text("データ.txt"), kLog + appended) << action.name;
        EXPECT_EQ(t.fileCount(), 1u) << action.name;
    }
}

// A new weighing is placed by the log on disk, not by the one the panel
// drew: a later date appended meanwhile makes the save an insert.
TEST(SaveWeighing, PlacesTheWeighingByTheLogAsItIsNow) {
    struct Case {
        const char* name;
        std::string shownLog;  // what the panel read
        std::string outside;   // appended by someone else before the save; may be ""
        const char* date;
        std::string expected;
    };
    const std::string ordered = kFirst + line("2024/06/05", "夜", "64");
    const Case cases[] = {
        {"a later date appended meanwhile", ordered, line("2024/06/10", "朝", "63"), "2024/06/07",
         kFirst + line("2024/06/05", "夜", "64") + line("2024/06/07", "計量", "62.5") +
             line("2024/06/10", "朝", "63")},
        {"a new last date", ordered, "", "2024/06/07",
         ordered + line("2024/06/07", "計量", "62.5", "7:05:09")},
        {"the last date again", ordered, "", "2024/06/05",
         ordered + line("2024/06/05", "計量", "62.5", "7:05:09")},
        {"a back date", ordered, "", "2024/06/03",
         kFirst + line("2024/06/03", "計量", "62.5") + line("2024/06/05", "夜", "64")},
        {"no log yet", "", "", "2024/06/03", line("2024/06/03", "計量", "62.5", "7:05:09")},
        {"the last record before an unreadable line", ordered + kBroken, "", "2024/06/04",
         kFirst + line("2024/06/04", "計量", "62.5") + line("2024/06/05", "夜", "64") + kBroken},
        {"an unended last line", kFirst + "\"2024/06/05\",\"夜\",64,\"\",\"\",\"\"", "",
         "2024/06/06", ordered + line("2024/06/06", "計量", "62.5", "7:05:09")},
    };
    // Each also with the day drawn from the shown log first, as the window
    // saves: the parse kept from the drawing serves only while the file
    // still holds the bytes drawn.
    for (const auto& c : cases)
        for (bool drawn : {false, true}) {
            TempFolder t;
            if (!c.shownLog.empty()) t.put("データ.txt", c.shownLog);
            DataDir dir = t.dir();
            if (drawn) parsedLog(dir);
            if (!c.outside.empty()) t.put("データ.txt", c.shownLog + c.outside);
            ASSERT_TRUE(
                saveWeighing(dir, WeightRecord{c.date, "計量", 62.5f, "", "", ""}, "7:05:09"))
                << c.name << (drawn ? " (drawn)" : "");
            EXPECT_EQ(t.text("データ.txt"), c.expected) << c.name << (drawn ? " (drawn)" : "");
        }
}

// A save whose log changes while it is written starts again from the new
// log, so that the other program's record stays and the order holds.
TEST(SaveWeighing, StartsAgainWhenTheLogChangesWhileItIsWritten) {
    TempFolder t;
    t.put("データ.txt", kFirst + line("2024/06/05", "夜", "64"));
    DataDir dir = t.dir();
    dir.setFaultHook(appendWhileWriting(t, line("2024/06/10", "朝", "63")));
    ASSERT_TRUE(saveWeighing(dir, WeightRecord{"2024/06/03", "計量", 62.5f, "", "", ""}, ""));
    EXPECT_EQ(t.text("データ.txt"), kFirst + line("2024/06/03", "計量", "62.5") +
                                        line("2024/06/05", "夜", "64") +
                                        line("2024/06/10", "朝", "63"));
}

TEST(SaveWeighing, RefusesWhatItCannotStoreAndAFullLog) {
    TempFolder t;
    std::string full;
    for (int i = 0; i < kMaxRecords; ++i) full += line("2024/06/02", "朝", "65");
    t.put("データ.txt", full);
    std::string before = t.bytes("データ.txt");
    for (const char* date : {"2024/06/01", "2024/06/03"}) {
        Status s = saveWeighing(t.dir(), WeightRecord{date, "朝", 64, "", "", ""}, "");
        EXPECT_FALSE(s) << date;
        EXPECT_FALSE(s.changedUnderneath()) << date;
    }
    EXPECT_FALSE(saveWeighing(t.dir(), WeightRecord{"2024/6/3", "朝", 64, "", "", ""}, ""));
    EXPECT_FALSE(saveWeighing(t.dir(), WeightRecord{"2024/06/03", "😀", 64, "", "", ""}, ""));
    EXPECT_EQ(t.bytes("データ.txt"), before);
}

}  // namespace
}  // namespace core
