#include "core/data_dir.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace core {
namespace {

TEST(DataDir, NamesMatchWithoutRegardToCase) {
    TempFolder t;
    t.put("設定.txt", "\"ヘルプツアー\",1\r\n");
    DataDir dir = t.dir();
    EXPECT_TRUE(dir.exists("設定.TXT"));
    EXPECT_EQ(dir.readText("設定.TXT").value(), "\"ヘルプツアー\",1\r\n");
    ASSERT_TRUE(dir.writeText("設定.TXT", "\"ヘルプツアー\",0\r\n"));
    EXPECT_EQ(t.fileCount(), 1u);  // one file, under its own name
    EXPECT_EQ(t.text("設定.txt"), "\"ヘルプツアー\",0\r\n");
}

TEST(DataDir, MissingFileReadsAsNothing) {
    TempFolder t;
    EXPECT_FALSE(t.dir().readText("データ.txt"));
    EXPECT_FALSE(t.dir().exists("データ.txt"));
}

TEST(DataDir, WritesShiftJisWithoutLeavingASideFile) {
    TempFolder t;
    ASSERT_TRUE(t.dir().writeText("換算.txt", "\"2000/01/01\",100\r\n", "換算side.txt"));
    EXPECT_EQ(t.bytes("換算.txt"), encodeCp932("\"2000/01/01\",100\r\n").value());
    EXPECT_EQ(t.fileCount(), 1u);
}

TEST(DataDir, RefusesTextThatShiftJisCannotHoldAndKeepsTheOldFile) {
    TempFolder t;
    t.put("気付きメモ.txt", "old\r\n");
    Status s = t.dir().writeText("気付きメモ.txt", "new 😀\r\n");
    EXPECT_FALSE(s);
    EXPECT_EQ(s.fileName(), "気付きメモ.txt");
    EXPECT_EQ(t.text("気付きメモ.txt"), "old\r\n");
    EXPECT_FALSE(t.dir().appendText("気付きメモ.txt", "😀"));
    EXPECT_EQ(t.text("気付きメモ.txt"), "old\r\n");
}

// A failure at each step of a rewrite leaves the old content intact and no
// side file behind, and is reported with the file's name.
TEST(DataDir, RewriteFailingAtAnyStepKeepsTheOldFile) {
    for (WriteStep step :
         {WriteStep::OpenSide, WriteStep::WriteSide, WriteStep::SyncSide, WriteStep::Rename}) {
        TempFolder t;
        t.put("データ.txt", "\"2024/06/01\",\"朝食前\",65.3,\"\",\"\",\"\"\r\n");
        std::string before = t.bytes("データ.txt");
        DataDir dir = t.dir();
        dir.setFaultHook([step](WriteStep s) { return s == step; });
        Status s = dir.writeText("データ.txt", "\"2024/06/02\",\"夕食後\",66,\"\",\"\",\"\"\r\n",
                                 "データコピー.txt");
        EXPECT_FALSE(s) << static_cast<int>(step);
        EXPECT_EQ(s.fileName(), "データ.txt");
        EXPECT_FALSE(s.reason().empty());
        EXPECT_EQ(t.bytes("データ.txt"), before) << static_cast<int>(step);
        EXPECT_FALSE(t.has("データコピー.txt")) << static_cast<int>(step);
    }
}

TEST(DataDir, AppendAddsToTheEndAndReportsFailure) {
    TempFolder t;
    DataDir dir = t.dir();
    ASSERT_TRUE(dir.appendText("状況リスト.txt", "朝食前\r\n"));
    ASSERT_TRUE(dir.appendText("状況リスト.txt", "夕食後\r\n"));
    EXPECT_EQ(t.text("状況リスト.txt"), "朝食前\r\n夕食後\r\n");
    dir.setFaultHook([](WriteStep s) { return s == WriteStep::Append; });
    EXPECT_FALSE(dir.appendText("状況リスト.txt", "就寝前\r\n"));
    EXPECT_EQ(t.text("状況リスト.txt"), "朝食前\r\n夕食後\r\n");
}

TEST(DataDir, FreeNameCountsUpPastTakenNames) {
    TempFolder t;
    EXPECT_EQ(t.dir().freeName("連続体重bak", ".txt"), "連続体重bak.txt");
    t.put("連続体重BAK.txt", "");
    EXPECT_EQ(t.dir().freeName("連続体重bak", ".txt"), "連続体重bak2.txt");
    t.put("連続体重bak2.txt", "");
    EXPECT_EQ(t.dir().freeName("連続体重bak", ".txt"), "連続体重bak3.txt");
}

TEST(DataDir, RenameNeverOverwrites) {
    TempFolder t;
    t.put("a.txt", "A");
    t.put("b.txt", "B");
    EXPECT_FALSE(t.dir().rename("a.txt", "B.TXT"));
    EXPECT_EQ(t.bytes("b.txt"), "B");
    EXPECT_TRUE(t.dir().rename("a.txt", "c.txt"));
    EXPECT_EQ(t.bytes("c.txt"), "A");
}

}  // namespace
}  // namespace core
