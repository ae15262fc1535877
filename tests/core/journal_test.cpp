// The journal of the person's changes: every act undone and done again byte
// for byte, files it made removed and made again, a file changed behind its
// back refusing the undo, the redo side emptied by a new change, 50 entries.
#include "core/journal.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "core/memo.h"
#include "core/weight_log.h"
#include "support/temp_folder.h"

namespace core {
namespace {

using Files = std::map<std::string, std::string>;

// Every file of the folder and its bytes.
Files filesOf(const TempFolder& t) {
    Files files;
    for (const auto& entry : std::filesystem::directory_iterator(t.path()))
        files[platform::utf8Of(entry.path().filename())] =
            t.bytes(platform::utf8Of(entry.path().filename()));
    return files;
}

constexpr std::string_view kLog =
    "\"2024/06/01\",\"朝\",65,\"\",\"\",\"\"\r\n"
    "壊れた行\r\n"
    "\"2024/06/05\",\"夜\",64.5,\"メモ\",\"\",\"\"\r\n";

struct JournalFixture : ::testing::Test {
    TempFolder t;
    Journal journal;
    DataDir dir = t.dir();
    void SetUp() override {
        dir.setJournal(&journal);
        t.put("データ.txt", kLog);
        t.put("状況リスト.txt", "朝\r\n夜\r\n");
    }
    void act(std::string description, const std::function<void()>& writes) {
        JournalAct a(dir, std::move(description));
        writes();
    }
};

struct Act {
    const char* name;
    std::function<void(const DataDir&)> writes;
};

const Act kActs[] = {
    {"an appended weighing",
     [](const DataDir& d) {
         ASSERT_TRUE(APPEND_LOG(d, {"2024/06/09", "朝", 63.5f, "7:05:09", "", ""}));
     }},
    {"a back-dated weighing",
     [](const DataDir& d) {
         ASSERT_TRUE(INSERT_LOG(d, {"2024/06/02", "昼", 64.8f, "", "", ""}));
     }},
    {"a diary", [](const DataDir& d) { ASSERT_TRUE(replaceDiary(d, 1, "よく歩いた")); }},
    {"a corrected weight",
     [](const DataDir& d) {
         ASSERT_TRUE(replaceWeight(d, {1, "2024/06/05", "夜", 64.5f, "メモ"}, 61.5f));
     }},
    {"a deleted record",
     [](const DataDir& d) {
         ASSERT_TRUE(removeRecord(d, {0, "2024/06/01", "朝", 65.f, ""}));
     }},
    {"the whole log rewritten",
     [](const DataDir& d) {
         ASSERT_TRUE(REWRITE_LOG(d, {{"2024/07/01", "朝", 60.f, "", "", ""}}));
     }},
    {"a renamed situation in the log and the list",
     [](const DataDir& d) {
         ASSERT_TRUE(renameSituationInLog(d, "朝", "起床後"));
         ASSERT_TRUE(d.writeText("状況リスト.txt", "起床後\r\n夜\r\n"));
     }},
    {"a memo made where there was none",
     [](const DataDir& d) { ASSERT_TRUE(writeMemo(d, "一行目\r\n二行目", "")); }},
    {"a profile made",
     [](const DataDir& d) {
         ASSERT_TRUE(d.writeText("ﾌﾟﾗｲﾍﾞｰﾄ.txt", "\"氏名\",\"花子\"\r\n\"身長\",160\r\n"));
     }},
    {"the list emptied and removed",
     [](const DataDir& d) { ASSERT_TRUE(d.remove("状況リスト.txt")); }},
    {"a label appended",
     [](const DataDir& d) { ASSERT_TRUE(d.appendText("状況リスト.txt", "昼\r\n")); }},
    {"the conversion table written twice in one act",
     [](const DataDir& d) {
         ASSERT_TRUE(d.writeText("換算.txt", "\"2000/01/01\",100\r\n"));
         ASSERT_TRUE(d.writeText("換算.TXT", "\"2000/01/01\",200\r\n"));
     }},
};

TEST_F(JournalFixture, EveryActIsUndoneAndDoneAgainByteForByte) {
    for (const Act& a : kActs) {
        SCOPED_TRACE(a.name);
        journal.clear();
        const Files before = filesOf(t);
        act(a.name, [&] { a.writes(dir); });
        const Files after = filesOf(t);
        ASSERT_NE(after, before);
        ASSERT_TRUE(journal.canUndo());
        EXPECT_EQ(journal.undoDescription(), a.name);

        Journal::Outcome undone = journal.undo(dir);
        EXPECT_EQ(undone.kind, Journal::Outcome::Kind::Done);
        EXPECT_EQ(undone.description, a.name);
        EXPECT_EQ(filesOf(t), before);
        EXPECT_FALSE(journal.canUndo());
        ASSERT_TRUE(journal.canRedo());

        EXPECT_EQ(journal.redo(dir).kind, Journal::Outcome::Kind::Done);
        EXPECT_EQ(filesOf(t), after);
        EXPECT_TRUE(journal.canUndo());
        EXPECT_FALSE(journal.canRedo());
        // And back again, so that the next act starts where this one did.
        ASSERT_EQ(journal.undo(dir).kind, Journal::Outcome::Kind::Done);
        ASSERT_EQ(filesOf(t), before);
    }
}

TEST_F(JournalFixture, ActsUndoneInTurnGoBackThroughEveryState) {
    std::vector<Files> states{filesOf(t)};
    for (int i = 0; i < 5; ++i) {
        act("weighing " + std::to_string(i), [&] {
            ASSERT_TRUE(APPEND_LOG(dir, {"2024/06/1" + std::to_string(i), "朝",
                                         63.f + static_cast<float>(i), "", "", ""}));
        });
        states.push_back(filesOf(t));
    }
    for (int i = 5; i > 0; --i) {
        EXPECT_EQ(journal.undoDescription(), "weighing " + std::to_string(i - 1));
        ASSERT_EQ(journal.undo(dir).kind, Journal::Outcome::Kind::Done);
        EXPECT_EQ(filesOf(t), states[static_cast<size_t>(i - 1)]);
    }
    for (int i = 1; i <= 5; ++i) {
        ASSERT_EQ(journal.redo(dir).kind, Journal::Outcome::Kind::Done);
        EXPECT_EQ(filesOf(t), states[static_cast<size_t>(i)]);
    }
}

// Another program, a sync or a hand edit changed a file after the act: the
// journal writes nothing and forgets everything.
struct OutsideChange {
    const char* name;
    std::function<void(const TempFolder&)> change;
};

const OutsideChange kOutsideChanges[] = {
    {"a line appended",
     [](const TempFolder& t) {
         t.putBytes("データ.txt",
                    t.bytes("データ.txt") + "\"2024/06/20\",\"朝\",62,\"\",\"\",\"\"\r\n");
     }},
    {"one byte changed, the size the same",
     [](const TempFolder& t) {
         std::string b = t.bytes("データ.txt");
         b[3] = b[3] == '2' ? '3' : '2';
         t.putBytes("データ.txt", b);
     }},
    {"a byte changed outside the part the act wrote",
     [](const TempFolder& t) {
         std::string b = t.bytes("データ.txt");
         b.back() = 'x';
         t.putBytes("データ.txt", b);
     }},
    {"the file removed",
     [](const TempFolder& t) { std::filesystem::remove(t.file("データ.txt")); }},
};

TEST_F(JournalFixture, AFileChangedSinceTheActRefusesAndEmptiesTheJournal) {
    for (const OutsideChange& c : kOutsideChanges) {
        for (bool undoFirst : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (undoFirst ? ", on redo" : ", on undo"));
            t.put("データ.txt", kLog);
            journal.clear();
            act("older", [&] {
                ASSERT_TRUE(APPEND_LOG(dir, {"2024/06/06", "朝", 64.f, "", "", ""}));
            });
            act("newer", [&] {
                ASSERT_TRUE(APPEND_LOG(dir, {"2024/06/07", "朝", 63.f, "", "", ""}));
            });
            if (undoFirst) {
                ASSERT_EQ(journal.undo(dir).kind, Journal::Outcome::Kind::Done);
            }
            c.change(t);
            const Files changed = filesOf(t);
            Journal::Outcome outcome = undoFirst ? journal.redo(dir) : journal.undo(dir);
            EXPECT_EQ(outcome.kind, Journal::Outcome::Kind::Changed);
            EXPECT_EQ(outcome.fileName, "データ.txt");
            EXPECT_EQ(filesOf(t), changed);
            EXPECT_FALSE(journal.canUndo());
            EXPECT_FALSE(journal.canRedo());
        }
    }
}

TEST_F(JournalFixture, ANewChangeEmptiesTheRedoSide) {
    act("one", [&] { ASSERT_TRUE(APPEND_LOG(dir, {"2024/06/06", "朝", 64.f, "", "", ""})); });
    act("two", [&] { ASSERT_TRUE(APPEND_LOG(dir, {"2024/06/07", "朝", 63.f, "", "", ""})); });
    ASSERT_EQ(journal.undo(dir).kind, Journal::Outcome::Kind::Done);
    ASSERT_TRUE(journal.canRedo());
    act("three", [&] { ASSERT_TRUE(writeMemo(dir, "メモ", "")); });
    EXPECT_FALSE(journal.canRedo());
    EXPECT_EQ(journal.undoDescription(), "three");
    EXPECT_EQ(journal.undoCount(), 2u);
}

TEST_F(JournalFixture, KeepsTheNewestFiftyActs) {
    for (int i = 0; i < 60; ++i)
        act("act " + std::to_string(i),
            [&] { ASSERT_TRUE(dir.appendText("状況リスト.txt", std::to_string(i) + "\r\n")); });
    EXPECT_EQ(journal.undoCount(), Journal::kLimit);
    int undone = 0;
    while (journal.canUndo()) {
        EXPECT_EQ(journal.undoDescription(), "act " + std::to_string(59 - undone));
        ASSERT_EQ(journal.undo(dir).kind, Journal::Outcome::Kind::Done);
        ++undone;
    }
    EXPECT_EQ(undone, 50);
    std::string list = "朝\r\n夜\r\n";
    for (int i = 0; i < 10; ++i) list += std::to_string(i) + "\r\n";
    EXPECT_EQ(t.text("状況リスト.txt"), list);
}

TEST_F(JournalFixture, WhatLeavesTheFilesAsTheyWereIsNoEntry) {
    // A refused write, and an act that writes the same bytes again.
    act("refused", [&] { EXPECT_FALSE(APPEND_LOG(dir, {"2024/13/01", "朝", 64.f, "", "", ""})); });
    act("same bytes", [&] { ASSERT_TRUE(dir.writeText("状況リスト.txt", "朝\r\n夜\r\n")); });
    act("settings only", [&] { ASSERT_TRUE(dir.writeText("移動平均.TXT", "7\r\n")); });
    EXPECT_FALSE(journal.canUndo());
}

TEST_F(JournalFixture, NestedActsAreOneEntryUnderTheOuterDescription) {
    {
        JournalAct outer(dir, "outer");
        ASSERT_TRUE(APPEND_LOG(dir, {"2024/06/06", "朝", 64.f, "", "", ""}));
        {
            JournalAct inner(dir, "inner");
            ASSERT_TRUE(dir.appendText("状況リスト.txt", "昼\r\n"));
        }
        outer.describe("outer, counted");
    }
    EXPECT_EQ(journal.undoCount(), 1u);
    EXPECT_EQ(journal.undoDescription(), "outer, counted");
    Journal::Outcome undone = journal.undo(dir);
    EXPECT_EQ(undone.files, (std::vector<std::string>{"データ.txt", "状況リスト.txt"}));
    EXPECT_EQ(t.text("データ.txt"), kLog);
    EXPECT_EQ(t.text("状況リスト.txt"), "朝\r\n夜\r\n");
}

TEST_F(JournalFixture, AWriteOutsideAnyActEmptiesTheJournal) {
    act("one", [&] { ASSERT_TRUE(APPEND_LOG(dir, {"2024/06/06", "朝", 64.f, "", "", ""})); });
    ASSERT_TRUE(dir.writeText("移動平均.TXT", "7\r\n"));  // not the person's own file
    EXPECT_TRUE(journal.canUndo());
    ASSERT_TRUE(dir.writeText("気付きメモ.TXT", "メモ\r\n"));
    EXPECT_FALSE(journal.canUndo());
}

// A write that fails halfway through an undo of two files: both files are
// as they were before the undo, and the entry can still be undone.
TEST_F(JournalFixture, AFailedWriteBackLeavesEveryFileAsItWas) {
    act("two files", [&] {
        ASSERT_TRUE(APPEND_LOG(dir, {"2024/06/06", "朝", 64.f, "", "", ""}));
        ASSERT_TRUE(dir.writeText("状況リスト.txt", "朝\r\n"));
    });
    const Files after = filesOf(t);
    int renames = 0;
    dir.setFaultHook([&](WriteStep step) { return step == WriteStep::Rename && ++renames == 2; });
    Journal::Outcome failed = journal.undo(dir);
    EXPECT_EQ(failed.kind, Journal::Outcome::Kind::Failed);
    EXPECT_EQ(failed.fileName, "状況リスト.txt");
    EXPECT_FALSE(failed.status.ok());
    EXPECT_EQ(filesOf(t), after);
    EXPECT_TRUE(journal.canUndo());
    dir.setFaultHook({});
    EXPECT_EQ(journal.undo(dir).kind, Journal::Outcome::Kind::Done);
    EXPECT_EQ(t.text("データ.txt"), kLog);
}

TEST(JournalledName, MatchesWithoutRegardToLetterCase) {
    EXPECT_EQ(journalledName("気付きメモ.TXT"), "気付きメモ.txt");
    EXPECT_EQ(journalledName("データ.TXT"), "データ.txt");
    EXPECT_EQ(journalledName("データＣＨＧ.txt"), "");
    EXPECT_EQ(journalledName("設定.TXT"), "");
}

}  // namespace
}  // namespace core
