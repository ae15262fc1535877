// Every writer of the program's files, made to fail at every step it takes:
// the files stay exactly as they were and the failure names the file.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "core/memo.h"
#include "core/settings.h"
#include "core/weight_log.h"
#include "support/temp_folder.h"

namespace core {
namespace {

using Files = std::map<std::string, std::string>;

Files snapshot(const TempFolder& t) {
    Files files;
    for (const auto& entry : std::filesystem::directory_iterator(t.path())) {
        std::string name = entry.path().filename().string();
        files[name] = t.bytes(name);
    }
    return files;
}

void fillFolder(const TempFolder& t) {
    t.put("データ.txt",
          "\"2024/06/01\",\"朝\",65,\"\",\"\",\"\"\r\n"
          "壊れた行\r\n"
          "\"2024/06/05\",\"夜\",64.5,\"メモ\",\"\",\"\"\r\n");
    t.put("連続体重.txt", "\"2003/08/01\",\"朝\",70.5\r\n");
    t.put("状況リスト.txt", "朝\r\n夜\r\n");
    t.put("設定.txt", "\"ヘルプツアー\",1\r\n");
    t.put("自動時間.TXT", "0\r\n");
    t.put("移動平均.TXT", "10\r\n");
    t.put("体重計刻み.txt", "0.1\r\n");
    t.put("マーカー.TXT", "1\r\n");
    t.put("ﾌﾟﾗｲﾍﾞｰﾄ.txt", "\"氏名\",\"\"\r\n\"身長\",160\r\n\"目標体重\",55\r\n");
    t.put("気付きメモ.txt", "古いメモ\r\n");
}

const ShownRecord kShown{1, "2024/06/05", "夜", 64.5f, "メモ"};

struct Writer {
    const char* name;
    std::function<Status(const DataDir&)> write;
};

const Writer kWriters[] = {
    {"writeText", [](const DataDir& d) { return d.writeText("換算.txt", "x\r\n"); }},
    {"writeText over a file",
     [](const DataDir& d) { return d.writeText("状況リスト.txt", "昼\r\n"); }},
    {"appendText", [](const DataDir& d) { return d.appendText("状況リスト.txt", "昼\r\n"); }},
    {"appendText to a new file", [](const DataDir& d) { return d.appendText("新.txt", "昼\r\n"); }},
    {"APPEND_LOG",
     [](const DataDir& d) {
         return APPEND_LOG(d, WeightRecord{"2024/06/09", "朝", 63.5f, "7:05:09", "", ""});
     }},
    {"INSERT_LOG",
     [](const DataDir& d) {
         return INSERT_LOG(d, WeightRecord{"2024/06/02", "朝", 63.5f, "", "", ""});
     }},
    {"REWRITE_LOG",
     [](const DataDir& d) {
         return REWRITE_LOG(d, {WeightRecord{"2024/06/01", "朝", 65, "日記", "", ""}});
     }},
    {"RESET_LOG",
     [](const DataDir& d) {
         return RESET_LOG(d, WeightRecord{"2024/06/09", "はじめの一歩", 70, "", "", ""});
     }},
    {"renameSituationInLog", [](const DataDir& d) { return renameSituationInLog(d, "朝", "昼"); }},
    {"replaceDiary", [](const DataDir& d) { return replaceDiary(d, 1, "ひとこと"); }},
    {"replaceWeight", [](const DataDir& d) { return replaceWeight(d, 0, 66); }},
    {"removeRecord", [](const DataDir& d) { return removeRecord(d, 0); }},
    {"CONV_RENZOKU", [](const DataDir& d) { return CONV_RENZOKU(d); }},
    {"copy", [](const DataDir& d) { return d.copy("データ.txt", "データbak.txt"); }},
    {"rename", [](const DataDir& d) { return d.rename("連続体重.txt", "連続体重bak.txt"); }},
    {"writeHelpTour", [](const DataDir& d) { return writeHelpTour(d, 0); }},
    {"writeAutoTime", [](const DataDir& d) { return writeAutoTime(d, 1); }},
    {"writeMovingAverageWidth", [](const DataDir& d) { return writeMovingAverageWidth(d, "12"); }},
    {"writeScaleStep", [](const DataDir& d) { return writeScaleStep(d, "0.5"); }},
    {"writeMarkerStyle", [](const DataDir& d) { return writeMarkerStyle(d, 2); }},
    {"writeProfile",
     [](const DataDir& d) {
         return writeProfile(d, Profile{"花子", 158, 50});
     }},
    {"writeMemo", [](const DataDir& d) { return writeMemo(d, "新しいメモ"); }},
    {"writeMemo over the memo shown",
     [](const DataDir& d) { return writeMemo(d, "新しいメモ", "古いメモ"); }},
    {"replaceDiary of the record shown",
     [](const DataDir& d) { return replaceDiary(d, kShown, "ひとこと"); }},
    {"replaceWeight of the record shown",
     [](const DataDir& d) { return replaceWeight(d, kShown, 66); }},
    {"removeRecord of the record shown", [](const DataDir& d) { return removeRecord(d, kShown); }},
    {"saveWeighing appending",
     [](const DataDir& d) {
         return saveWeighing(d, WeightRecord{"2024/06/09", "朝", 63.5f, "", "", ""}, "7:05:09");
     }},
    {"saveWeighing inserting",
     [](const DataDir& d) {
         return saveWeighing(d, WeightRecord{"2024/06/02", "朝", 63.5f, "", "", ""}, "7:05:09");
     }},
    {"mergeRecords",
     [](const DataDir& d) {
         return mergeRecords(d, {WeightRecord{"2024/06/02", "朝", 63.5f, "", "", ""}});
     }},
};

// The steps a writer takes, found by running it once without a fault.
std::set<WriteStep> stepsOf(const Writer& w) {
    TempFolder t;
    fillFolder(t);
    std::set<WriteStep> steps;
    DataDir dir = t.dir();
    dir.setFaultHook([&](WriteStep s) {
        steps.insert(s);
        return false;
    });
    EXPECT_TRUE(w.write(dir)) << w.name;
    return steps;
}

TEST(FaultInjection, EveryWriterFailingAtEveryStepKeepsTheFiles) {
    for (const auto& w : kWriters) {
        std::set<WriteStep> steps = stepsOf(w);
        EXPECT_FALSE(steps.empty()) << w.name;
        for (WriteStep step : steps) {
            TempFolder t;
            fillFolder(t);
            Files before = snapshot(t);
            DataDir dir = t.dir();
            dir.setFaultHook([step](WriteStep s) { return s == step; });
            Status s = w.write(dir);
            std::string where =
                std::string(w.name) + " at step " + std::to_string(static_cast<int>(step));
            EXPECT_FALSE(s) << where;
            EXPECT_FALSE(s.fileName().empty()) << where;
            EXPECT_FALSE(s.reason().empty()) << where;
            // Only a failing flush of the folder comes after the new content
            // is in place; it is reported all the same.
            if (step != WriteStep::SyncFolder) {
                EXPECT_EQ(snapshot(t), before) << where;
            }
        }
    }
}

// The write steps of a rewrite and of an append are all asked for, so that
// the table above reaches each of them.
TEST(FaultInjection, WritersReachEveryKindOfStep) {
    std::set<WriteStep> all;
    for (const auto& w : kWriters) {
        auto steps = stepsOf(w);
        all.insert(steps.begin(), steps.end());
    }
    for (WriteStep step : {WriteStep::OpenSide, WriteStep::WriteSide, WriteStep::WriteError,
                           WriteStep::ShortWrite, WriteStep::SyncSide, WriteStep::Rename,
                           WriteStep::SyncFolder, WriteStep::Append, WriteStep::Read})
        EXPECT_TRUE(all.count(step)) << static_cast<int>(step);
}

// A failed append is cut back to the old length; when even that fails, the
// user is told that a partial line may be left.
TEST(FaultInjection, FailedAppendIsRolledBack) {
    struct Case {
        const char* name;
        std::set<WriteStep> failing;
        bool oldBytesKept;
        const char* reasonPart;
    };
    const Case cases[] = {
        {"short write", {WriteStep::ShortWrite}, true, "元のまま"},
        {"disk full halfway", {WriteStep::WriteSide}, true, "ディスクに空きがありません"},
        {"flush fails", {WriteStep::SyncSide}, true, "元のまま"},
        {"rollback fails too",
         {WriteStep::ShortWrite, WriteStep::AppendRollback},
         false,
         "書きかけ"},
    };
    for (const auto& c : cases) {
        TempFolder t;
        fillFolder(t);
        std::string before = t.bytes("データ.txt");
        DataDir dir = t.dir();
        dir.setFaultHook([&](WriteStep s) { return c.failing.count(s) > 0; });
        Status s = APPEND_LOG(dir, WeightRecord{"2024/06/09", "朝", 63.5f, "", "", ""});
        EXPECT_FALSE(s) << c.name;
        EXPECT_EQ(s.fileName(), "データ.txt") << c.name;
        EXPECT_NE(s.reason().find(c.reasonPart), std::string::npos) << c.name << ": " << s.reason();
        EXPECT_EQ(t.bytes("データ.txt") == before, c.oldBytesKept) << c.name;
    }
}

}  // namespace
}  // namespace core
