#include "core/data_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <set>

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

#ifndef _WIN32
// POSIX permission bits; Windows has only the read-only attribute, which
// file_layer_test.cpp checks on both.
std::filesystem::perms permsOf(const std::filesystem::path& p) {
    return std::filesystem::status(p).permissions() & std::filesystem::perms::all;
}

// A rewrite keeps the permissions of the file it replaces.
TEST(DataDir, RewriteKeepsThePermissionsOfTheOldFile) {
    using std::filesystem::perms;
    for (perms mode : {perms::owner_read | perms::owner_write,
                       perms::owner_read | perms::owner_write | perms::group_read,
                       perms::owner_all | perms::others_read}) {
        TempFolder t;
        t.put("データ.txt", "old\r\n");
        std::filesystem::permissions(t.path() / "データ.txt", mode);
        ASSERT_TRUE(t.dir().writeText("データ.txt", "new\r\n", "データコピー.txt"));
        EXPECT_EQ(permsOf(t.path() / "データ.txt"), mode);
        EXPECT_EQ(t.text("データ.txt"), "new\r\n");
    }
}

#endif

// A file the user made read-only is neither replaced nor appended to, and
// the reasons of failures are told in Japanese.
TEST(DataDir, RefusalsSayWhyInJapanese) {
    struct Case {
        const char* name;
        std::function<void(const TempFolder&)> prepare;
        std::function<Status(const DataDir&)> write;
        const char* reasonPart;
    };
    auto readOnly = [](const TempFolder& t) {
        t.put("データ.txt", "old\r\n");
        std::filesystem::permissions(t.path() / "データ.txt", std::filesystem::perms::owner_read);
    };
    auto folder = [](const TempFolder& t) {
        std::filesystem::create_directory(t.path() / "データ.txt");
    };
    const Case cases[] = {
        {"rewrite of a read-only file", readOnly,
         [](const DataDir& d) { return d.writeText("データ.txt", "new"); }, "読み取り専用"},
        {"append to a read-only file", readOnly,
         [](const DataDir& d) { return d.appendText("データ.txt", "new"); }, "読み取り専用"},
        {"rewrite of a folder", folder,
         [](const DataDir& d) { return d.writeText("データ.txt", "new"); },
         "ファイルではありません"},
        {"append to a folder", folder,
         [](const DataDir& d) { return d.appendText("データ.txt", "new"); },
         "ファイルではありません"},
        {"read of a folder", folder,
         [](const DataDir& d) { return d.readFile("データ.txt").status; },
         "ファイルではありません"},
        {"a missing program folder", [](const TempFolder&) {},
         [](const DataDir& d) { return DataDir(d.folder() / "gone").writeText("a.txt", "x"); },
         "フォルダーが見つかりません"},
    };
    for (const auto& c : cases) {
        TempFolder t;
        c.prepare(t);
        Status s = c.write(t.dir());
        EXPECT_FALSE(s) << c.name;
        EXPECT_EQ(s.fileName().empty(), false) << c.name;
        EXPECT_NE(s.reason().find(c.reasonPart), std::string::npos) << c.name << ": " << s.reason();
        if (t.has("データ.txt") && !std::filesystem::is_directory(t.path() / "データ.txt")) {
            EXPECT_EQ(t.text("データ.txt"), "old\r\n") << c.name;
        }
        EXPECT_LE(t.fileCount(), 1u) << c.name;
    }
}

TEST(DataDir, ReasonTextIsJapaneseWithTheSystemTextAfter) {
    struct Case {
        int error;
        const char* japanese;
    };
    const Case cases[] = {
        {EACCES, "アクセスが許可されていません"},
        {EPERM, "アクセスが許可されていません"},
        {ENOSPC, "ディスクに空きがありません"},
        {EROFS, "読み取り専用の場所です"},
        {EISDIR, "ファイルではなくフォルダーです"},
        {ENOENT, "フォルダーが見つかりません"},
        {EIO, "ディスクの読み書きに失敗しました"},
        {EINVAL, "予期しないエラーが起きました"},
        {EEXIST, "同じ名前のファイルかフォルダーがあります"},
        {ENOTEMPTY, "フォルダーが空ではありません"},
    };
    for (const auto& c : cases) {
        std::string text = reasonText(c.error);
        EXPECT_EQ(text.rfind(c.japanese, 0), 0u) << text;
        EXPECT_NE(text.find(std::string("(") + std::strerror(c.error) + ")"), std::string::npos)
            << text;
    }
}

#ifndef _WIN32
// Sets the umask for one test: with 0 nothing is taken away from the mode
// that a file is made with.
class Umask {
  public:
    explicit Umask(mode_t mask) : old_(::umask(mask)) {}
    ~Umask() { ::umask(old_); }

  private:
    mode_t old_;
};

// Every way a file comes into being through the folder leaves it to its
// owner alone, whatever the umask; a file that existed keeps its mode.
TEST(DataDir, FilesItCreatesAreTheOwnersAlone) {
    using std::filesystem::perms;
    struct Case {
        const char* name;
        std::function<Status(const DataDir&)> write;
        const char* file;
    };
    const Case cases[] = {
        {"first write", [](const DataDir& d) { return d.writeText("換算.txt", "x\r\n"); },
         "換算.txt"},
        {"first write through a named side file",
         [](const DataDir& d) { return d.writeText("データ.txt", "x\r\n", "データコピー.txt"); },
         "データ.txt"},
        {"first append", [](const DataDir& d) { return d.appendText("状況リスト.txt", "朝\r\n"); },
         "状況リスト.txt"},
        {"copy to a new name", [](const DataDir& d) { return d.copy("old.txt", "データbak.txt"); },
         "データbak.txt"},
    };
    Umask open(0);
    for (const auto& c : cases) {
        TempFolder t;
        t.putBytes("old.txt", "x");
        std::filesystem::permissions(t.path() / "old.txt", perms::all);
        ASSERT_TRUE(c.write(t.dir())) << c.name;
        EXPECT_EQ(permsOf(t.path() / c.file), perms::owner_read | perms::owner_write) << c.name;
        EXPECT_EQ(permsOf(t.path() / "old.txt"), perms::all) << c.name;
        ASSERT_TRUE(t.dir().appendText(c.file, "y")) << c.name;  // the mode it has now stays
        ASSERT_TRUE(t.dir().writeText(c.file, "z")) << c.name;
        EXPECT_EQ(permsOf(t.path() / c.file), perms::owner_read | perms::owner_write) << c.name;
    }
}

TEST(DataDir, MakeDataFolderMakesAPrivateFolderAndLeavesAnExistingOne) {
    using std::filesystem::perms;
    Umask open(0);
    TempFolder t;
    std::filesystem::path made = t.path() / "share" / "yaserunba";
    ASSERT_TRUE(makeDataFolder(made));
    EXPECT_EQ(permsOf(made), perms::owner_all);
    EXPECT_TRUE(makeDataFolder(made));  // a second start finds it
    std::filesystem::permissions(made, perms::owner_all | perms::group_read | perms::group_exec);
    ASSERT_TRUE(makeDataFolder(made));
    EXPECT_EQ(permsOf(made), perms::owner_all | perms::group_read | perms::group_exec);
    t.putBytes("a file", "x");
    Status inTheWay = makeDataFolder(t.path() / "a file");
    EXPECT_FALSE(inTheWay);
    EXPECT_NE(inTheWay.reason().find("ファイルがあり"), std::string::npos) << inTheWay.reason();
}

#endif

// A write checked against the stamp of the read replaces the file only
// while nobody else changed it, and leaves no side file either way.
TEST(DataDir, ReplaceWritesOnlyWhatIsStillAsRead) {
    struct Case {
        const char* name;
        const char* before;  // nullptr: no file when read
        std::function<void(const TempFolder&)> meanwhile;
        bool written;
    };
    auto appendOutside = [](const TempFolder& t) {
        std::ofstream(t.path() / "memo.txt", std::ios::app | std::ios::binary) << "more";
    };
    auto createOutside = [](const TempFolder& t) { t.putBytes("MEMO.TXT", "theirs"); };
    auto removeOutside = [](const TempFolder& t) {
        std::filesystem::remove(t.path() / "memo.txt");
    };
    const Case cases[] = {
        {"unchanged", "old", [](const TempFolder&) {}, true},
        {"still missing", nullptr, [](const TempFolder&) {}, true},
        {"appended to", "old", appendOutside, false},
        {"made under another case", nullptr, createOutside, false},
        {"removed", "old", removeOutside, false},
    };
    for (const auto& c : cases) {
        TempFolder t;
        if (c.before) t.putBytes("memo.txt", c.before);
        DataDir dir = t.dir();
        std::optional<FileStamp> stamp;
        (void)dir.readFile("memo.txt", &stamp);
        c.meanwhile(t);
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(t.path()))
            names.insert(e.path().filename().string());
        std::string other = names.empty() ? "" : t.bytes(*names.begin());
        Status s = dir.replaceBytes("memo.txt", "mine", "side.txt", stamp);
        EXPECT_EQ(s.ok(), c.written) << c.name;
        EXPECT_EQ(s.changedUnderneath(), !c.written) << c.name;
        EXPECT_FALSE(t.has("side.txt")) << c.name;
        if (c.written) {
            EXPECT_EQ(t.bytes("memo.txt"), "mine") << c.name;
        } else {
            EXPECT_EQ(s.reason(), kChangedReason) << c.name;
            std::set<std::string> after;
            for (const auto& e : std::filesystem::directory_iterator(t.path()))
                after.insert(e.path().filename().string());
            EXPECT_EQ(after, names) << c.name;
            if (!names.empty()) {
                EXPECT_EQ(t.bytes(*names.begin()), other) << c.name;
            }
        }
    }
}

TEST(DataDir, ReadTellsMissingFromUnreadable) {
    TempFolder t;
    EXPECT_TRUE(t.dir().readFile("データ.txt").missing());
    t.put("データ.txt", "x");
    EXPECT_EQ(t.dir().readFile("データ.TXT").bytes.value(), "x");
    DataDir dir = t.dir();
    dir.setFaultHook([](WriteStep s) { return s == WriteStep::Read; });
    FileBytes failed = dir.readFile("データ.txt");
    EXPECT_FALSE(failed.missing());
    EXPECT_FALSE(failed.status);
    EXPECT_FALSE(failed.bytes);
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
