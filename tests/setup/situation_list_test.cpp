#include "setup/situation_list.h"

#include <gtest/gtest.h>

#include "core/weight_log.h"
#include "support/temp_folder.h"

namespace setup {
namespace {

using Labels = std::vector<std::string>;

TEST(SituationFile, ReadsItemsQuotedAndBare) {
    struct Case {
        const char* what;
        const char* text;
        Labels labels;
        int unreadable;
    };
    const Case cases[] = {
        {"bare lines", "起床後\r\n朝食前\r\n", {"起床後", "朝食前"}, 0},
        {"quoted lines", "\"起床後\"\r\n\"朝食前\"\r\n", {"起床後", "朝食前"}, 0},
        {"a bare comma splits", "朝食前,散歩\r\n", {"朝食前", "散歩"}, 0},
        {"a quoted comma does not", "\"朝食前,散歩\"\r\n", {"朝食前,散歩"}, 0},
        {"blanks before a bare item", "  朝食前\r\n", {"朝食前"}, 0},
        {"blanks inside quotes stay", "\" 朝食前 \"\r\n", {" 朝食前 "}, 0},
        {"blank and empty items", "a\r\n\r\n  \r\n,b,\r\n\"\"\r\n", {"a", "b"}, 0},
        {"a last line without its end", "a\r\nb", {"a", "b"}, 0},
        {"LF alone ends a line", "a\nb\n", {"a", "b"}, 0},
        {"a stray quote keeps the line out", "a\r\n5\"b\r\nc\r\n", {"a", "c"}, 1},
        {"the whole line goes", "x,y\"z\r\nc\r\n", {"c"}, 1},
    };
    for (const auto& c : cases) {
        SituationFile file = parseSituationText(c.text);
        EXPECT_EQ(file.labels, c.labels) << c.what;
        EXPECT_EQ(file.unreadableLines, c.unreadable) << c.what;
    }
}

TEST(SituationFile, BytesThatAreNotShiftJisKeepTheLineOut) {
    TempFolder folder;
    folder.putBytes("状況リスト.txt", "ok\r\nab\x81\x20\r\n\x82\r\n");
    SituationFile file = readSituationFile(folder.dir());
    EXPECT_EQ(file.labels, Labels{"ok"});
    EXPECT_EQ(file.unreadableLines, 2);
    EXPECT_FALSE(file.missing);
}

TEST(SituationFile, MissingGivesTheStarterListEmptyGivesNone) {
    TempFolder folder;
    SituationFile missing = readSituationFile(folder.dir());
    EXPECT_TRUE(missing.missing);
    EXPECT_EQ(missing.labels, (Labels{"起床後", "朝食前", "朝食後", "昼食前", "昼食後", "夕食前",
                                      "夕食後", "入浴前", "入浴後", "就寝前"}));
    EXPECT_EQ(folder.fileCount(), 0u);  // reading writes nothing
    folder.put("状況リスト.TXT", "");
    EXPECT_TRUE(readSituationList(folder.dir()).empty());
}

TEST(SituationLine, BareUnlessItWouldNotReadBackWhole) {
    struct Case {
        const char* label;
        LabelForm form;
        const char* line;
    };
    const Case cases[] = {
        {"朝食前", LabelForm::Bare, "朝食前\r\n"},
        {"朝食前", LabelForm::Quoted, "\"朝食前\"\r\n"},
        {"朝食前,散歩", LabelForm::Bare, "\"朝食前,散歩\"\r\n"},
        {" 朝食前", LabelForm::Bare, "\" 朝食前\"\r\n"},
        {"朝食前\t", LabelForm::Bare, "\"朝食前\t\"\r\n"},
        {"朝 食", LabelForm::Bare, "朝 食\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(situationLine(c.label, c.form), c.line) << c.label;
}

TEST(SituationWrite, EveryFormReadsBackWhole) {
    const Labels labels{"起床後", "朝食前,散歩", " 余白 ", "ｶﾅ～"};
    for (LabelForm form : {LabelForm::Bare, LabelForm::Quoted}) {
        TempFolder folder;
        ASSERT_TRUE(writeSituationList(folder.dir(), labels, form).ok());
        EXPECT_EQ(readSituationList(folder.dir()), labels);
        EXPECT_EQ(folder.fileCount(), 1u);
    }
}

TEST(SituationWrite, RefusesWhatCannotBeStoredAndWritesNothing) {
    const char* const bad[] = {"a\"b", "散歩😀", "a\nb"};
    for (const char* label : bad) {
        TempFolder folder;
        folder.put("状況リスト.txt", "起床後\r\n");
        const Labels labels{"朝食前", label};
        EXPECT_FALSE(writeSituationList(folder.dir(), labels, LabelForm::Bare).ok()) << label;
        EXPECT_FALSE(appendSituation(folder.dir(), label, LabelForm::Quoted).ok()) << label;
        EXPECT_EQ(folder.text("状況リスト.txt"), "起床後\r\n") << label;
        EXPECT_FALSE(renameSituationInFiles(folder.dir(), "起床後", label).ok()) << label;
        EXPECT_EQ(folder.text("状況リスト.txt"), "起床後\r\n") << label;
    }
}

TEST(SituationAppend, AddsOneLineAndKeepsTheFileOrder) {
    TempFolder folder;
    folder.put("状況リスト.txt", "b\r\na");  // last line without its end
    ASSERT_TRUE(appendSituation(folder.dir(), "c,d", LabelForm::Bare).ok());
    ASSERT_TRUE(appendSituation(folder.dir(), "e", LabelForm::Quoted).ok());
    EXPECT_EQ(folder.text("状況リスト.txt"), "b\r\na\r\n\"c,d\"\r\n\"e\"\r\n");
}

TEST(SituationAppend, AMissingFileKeepsTheStarterLabels) {
    TempFolder folder;
    ASSERT_TRUE(appendSituation(folder.dir(), "散歩後", LabelForm::Bare).ok());
    Labels expected = starterSituations();
    expected.push_back("散歩後");
    EXPECT_EQ(readSituationList(folder.dir()), expected);
}

class RenameInFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.put("データ.txt",
                   "\"2024/06/01\",\"朝食前\",60.5,\"7:05:09\",\"\",\"\"\r\n"
                   "\"2024/06/01\",\"夕食後\",61,\"\",\"\",\"\"\r\n"
                   "\"2024/06/02\",\"朝食前\",60,\"\",0,\"\"\r\n");
        folder.put("状況リスト.txt", "朝食前\r\n夕食後\r\n\"朝食前\"\r\n");
    }
    TempFolder folder;
};

TEST_F(RenameInFiles, ChangesTheLogAndTheListAndLeavesNoSideFile) {
    ASSERT_TRUE(renameSituationInFiles(folder.dir(), "朝食前", "朝,散歩").ok());
    EXPECT_EQ(folder.text("データ.txt"),
              "\"2024/06/01\",\"朝,散歩\",60.5,\"7:05:09\",\"\",\"\"\r\n"
              "\"2024/06/01\",\"夕食後\",61,\"\",\"\",\"\"\r\n"
              "\"2024/06/02\",\"朝,散歩\",60,\"\",\"\",\"\"\r\n");
    EXPECT_EQ(folder.text("状況リスト.txt"), "\"朝,散歩\"\r\n\"夕食後\"\r\n\"朝,散歩\"\r\n");
    EXPECT_EQ(folder.fileCount(), 2u);
}

// Whichever write step fails, for the log (the first rewrite) or the list
// (the second), both files end as they were: the rename is all or nothing.
TEST_F(RenameInFiles, AnyFailedWriteLeavesBothFilesAsTheyWere) {
    const std::string log = folder.bytes("データ.txt"), list = folder.bytes("状況リスト.txt");
    using core::WriteStep;
    for (WriteStep step : {WriteStep::OpenSide, WriteStep::WriteSide, WriteStep::WriteError,
                           WriteStep::ShortWrite, WriteStep::SyncSide, WriteStep::Rename}) {
        for (int failing : {1, 2}) {
            core::DataDir dir = folder.dir();
            int seen = 0;
            dir.setFaultHook([&](WriteStep s) { return s == step && ++seen == failing; });
            core::Status status = renameSituationInFiles(dir, "朝食前", "起床後");
            SCOPED_TRACE(testing::Message() << static_cast<int>(step) << " #" << failing);
            EXPECT_FALSE(status.ok());
            EXPECT_EQ(status.fileName(), failing == 1 ? "データ.txt" : "状況リスト.txt");
            EXPECT_EQ(folder.bytes("データ.txt"), log);
            EXPECT_EQ(folder.bytes("状況リスト.txt"), list);
            EXPECT_EQ(folder.fileCount(), 2u);
        }
    }
}

TEST_F(RenameInFiles, AnUnreadableListChangesNeitherFile) {
    std::string log = folder.bytes("データ.txt");
    core::DataDir dir = folder.dir();
    dir.setFaultHook([](core::WriteStep s) { return s == core::WriteStep::Read; });
    EXPECT_FALSE(renameSituationInFiles(dir, "朝食前", "起床後").ok());
    dir.setFaultHook({});
    EXPECT_EQ(folder.bytes("データ.txt"), log);
}

}  // namespace
}  // namespace setup
