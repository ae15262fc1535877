// The file layer on every system: files named in Japanese written, replaced,
// read and listed under exactly their names; a replace that leaves one file;
// read-only files refused by the data layer itself; appends at the end.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include "core/data_dir.h"
#include "core/platform.h"
#include "core/settings.h"
#include "core/weight_log.h"
#include "support/temp_folder.h"

namespace core {
namespace {

// The names of the folder's entries as the system lists them, in UTF-8.
std::set<std::string> listed(const TempFolder& t) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(t.path()))
        names.insert(platform::utf8Of(entry.path().filename()));
    return names;
}

// Each file written, then replaced through its side file, reads back what was
// written last, and the folder lists exactly these names: no side file, no
// second spelling, no name that went through another code page.
TEST(FileLayer, JapaneseNamesAreWrittenReplacedAndListedAsThemselves) {
    struct Case {
        std::string_view name;
        std::string_view side;
    };
    const Case cases[] = {
        {kLogFile, kInsertSideFile},
        {"状況リスト.txt", "状況リストＣＨＧ.txt"},
        {kProfileFile, ""},
    };
    TempFolder t;
    DataDir dir = t.dir();
    std::set<std::string> names;
    for (const auto& c : cases) {
        ASSERT_TRUE(dir.writeText(c.name, "\"一\"\r\n", c.side)) << c.name;
        ASSERT_TRUE(dir.writeText(c.name, "\"二\"\r\n", c.side)) << c.name;
        ASSERT_TRUE(dir.appendText(c.name, "\"三\"\r\n")) << c.name;
        names.insert(std::string(c.name));
        EXPECT_EQ(listed(t), names) << c.name;
        EXPECT_EQ(dir.readText(c.name).value(), "\"二\"\r\n\"三\"\r\n") << c.name;
        EXPECT_EQ(t.bytes(c.name), encodeCp932("\"二\"\r\n\"三\"\r\n").value()) << c.name;
    }
}

// A name written in another letter case replaces the file under the
// spelling it has, on a system whose names ignore case too.
TEST(FileLayer, AReplaceKeepsTheSpellingOfTheFileItReplaces) {
    TempFolder t;
    t.put("設定.txt", "old\r\n");
    DataDir dir = t.dir();
    ASSERT_TRUE(dir.writeText("設定.TXT", "new\r\n"));
    ASSERT_TRUE(dir.appendText("設定.TXT", "more\r\n"));
    EXPECT_EQ(listed(t), std::set<std::string>{"設定.txt"});
    EXPECT_EQ(t.text("設定.txt"), "new\r\nmore\r\n");
}

// Another program reading the file while it is replaced: on POSIX the
// replace goes through and the reader keeps the file it opened; Windows may
// refuse to rename over a file that is open, and then the save says so and
// leaves the old file whole, with no side file beside it.
TEST(FileLayer, AFileOpenForReadingIsReplacedOrLeftWhole) {
    TempFolder t;
    t.put(kLogFile, "old\r\n");
    platform::File reader;
    ASSERT_EQ(reader.open(t.file(kLogFile), platform::OpenFor::Read), 0);
    Status s = t.dir().writeText(kLogFile, "new\r\n", kInsertSideFile);
#ifndef _WIN32
    ASSERT_TRUE(s) << s.reason();
#endif
    std::string stillOld;
    EXPECT_EQ(reader.readAll(stillOld), 0);
    EXPECT_EQ(stillOld, "old\r\n");  // the reader keeps the file it opened
    EXPECT_EQ(t.text(kLogFile), s ? "new\r\n" : "old\r\n") << s.reason();
    EXPECT_EQ(listed(t), std::set<std::string>{std::string(kLogFile)});
    (void)reader.close();
    ASSERT_TRUE(t.dir().writeText(kLogFile, "newer\r\n", kInsertSideFile));
    EXPECT_EQ(t.text(kLogFile), "newer\r\n");
}

// An append goes to the end of the file as it is when the bytes go out, even
// when another writer made it longer after it was opened.
TEST(FileLayer, AnAppendGoesToTheEndAsItIsThen) {
    TempFolder t;
    t.putBytes("a.txt", "1");
    platform::File appender;
    ASSERT_EQ(appender.open(t.file("a.txt"), platform::OpenFor::Append), 0);
    std::ofstream(t.file("a.txt"), std::ios::binary | std::ios::app) << "2";
    ASSERT_EQ(appender.writeAll("3"), 0);
    ASSERT_EQ(appender.close(), 0);
    EXPECT_EQ(t.bytes("a.txt"), "123");
}

// A log the user made read-only is refused by the data layer itself, by every
// writer of the log, even where the system would let the write through (root
// on Linux), and is left exactly as it was.
TEST(FileLayer, AReadOnlyLogIsRefusedOnEverySystem) {
    const WeightRecord record{"2024/06/02", "夕食後", 64.5f, "", "", ""};
    struct Case {
        const char* name;
        std::function<Status(const DataDir&)> write;
    };
    const Case cases[] = {
        {"append", [&](const DataDir& d) { return APPEND_LOG(d, record); }},
        {"insert", [&](const DataDir& d) { return INSERT_LOG(d, record); }},
        {"rewrite", [&](const DataDir& d) { return REWRITE_LOG(d, {record}); }},
        {"diary", [](const DataDir& d) { return replaceDiary(d, 0, "散歩"); }},
        {"text", [](const DataDir& d) { return d.writeText(kLogFile, "x\r\n"); }},
    };
    for (const auto& c : cases) {
        TempFolder t;
        t.put(kLogFile, "\"2024/06/01\",\"朝食前\",65.3,\"\",\"\",\"\"\r\n");
        std::filesystem::permissions(t.file(kLogFile),
                                     std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
        platform::FileInfo info;
        ASSERT_EQ(platform::info(t.file(kLogFile), info), 0);
        ASSERT_FALSE(info.ownerWrites);
        std::string before = t.bytes(kLogFile);
        Status s = c.write(t.dir());
        EXPECT_FALSE(s) << c.name;
        EXPECT_NE(s.reason().find("読み取り専用"), std::string::npos)
            << c.name << ": " << s.reason();
        EXPECT_EQ(t.bytes(kLogFile), before) << c.name;
        EXPECT_EQ(listed(t), std::set<std::string>{std::string(kLogFile)}) << c.name;
    }
}

// Files the program makes can be written again by their owner, and a
// rewrite keeps a file writable; the mode reads as the owner's.
TEST(FileLayer, FilesItMakesStayWritable) {
    TempFolder t;
    DataDir dir = t.dir();
    ASSERT_TRUE(dir.writeText("換算.txt", "x\r\n"));
    ASSERT_TRUE(dir.appendText("状況リスト.txt", "朝\r\n"));
    ASSERT_TRUE(dir.writeText("換算.txt", "y\r\n"));
    for (const char* name : {"換算.txt", "状況リスト.txt"}) {
        platform::FileInfo info;
        ASSERT_EQ(platform::info(t.file(name), info), 0) << name;
        EXPECT_TRUE(info.regular) << name;
        EXPECT_TRUE(info.ownerWrites) << name;
        EXPECT_EQ(info.mode & 0700, 0600u) << name;
    }
}

TEST(FileLayer, MakesTheDataFolderWithJapaneseNamesAndRefusesAFileInTheWay) {
    TempFolder t;
    std::filesystem::path made = t.path() / "データ" / "ヤセルンバ";
    ASSERT_TRUE(makeDataFolder(made));
    EXPECT_TRUE(std::filesystem::is_directory(made));
    EXPECT_TRUE(makeDataFolder(made));  // a second start finds it
    ASSERT_TRUE(DataDir(made).writeText(kLogFile, "x\r\n"));
    EXPECT_EQ(DataDir(made).readText(kLogFile).value(), "x\r\n");
    t.putBytes("a file", "x");
    Status inTheWay = makeDataFolder(t.file("a file"));
    EXPECT_FALSE(inTheWay);
    EXPECT_NE(inTheWay.reason().find("ファイルがあり"), std::string::npos) << inTheWay.reason();
}

// The stamp of a file tells a replaced, grown or rewritten file from the one
// read, and is the same for a file left alone.
TEST(FileLayer, AStampChangesWithEveryWrite) {
    TempFolder t;
    DataDir dir = t.dir();
    ASSERT_TRUE(dir.writeText(kLogFile, "a\r\n"));
    auto first = dir.stamp(kLogFile);
    ASSERT_TRUE(first);
    EXPECT_EQ(dir.stamp(kLogFile), first);
    ASSERT_TRUE(dir.appendText(kLogFile, "b\r\n"));
    auto grown = dir.stamp(kLogFile);
    EXPECT_NE(grown, first);
    ASSERT_TRUE(dir.writeText(kLogFile, "c\r\nd\r\n"));  // the same size, another file
    auto replaced = dir.stamp(kLogFile);
    EXPECT_NE(replaced, grown);
    EXPECT_NE(replaced->inode, grown->inode);
}

// A folder renamed takes a name that nothing has, in one step, with its
// files; a taken name is refused, an empty folder's included (which a plain
// rename on POSIX would replace), and nothing moves.
TEST(FileLayer, AFolderIsRenamedOnlyToAFreeName) {
    struct Case {
        const char* what;
        std::function<void(const TempFolder&)> putTarget;
        bool renamed;
    };
    const Case cases[] = {
        {"a free name", [](const TempFolder&) {}, true},
        {"an empty folder",
         [](const TempFolder& t) { std::filesystem::create_directory(t.file("新しい名前")); },
         false},
        {"a folder with a file",
         [](const TempFolder& t) {
             std::filesystem::create_directory(t.file("新しい名前"));
             t.putBytes("新しい名前/中.txt", "x");
         },
         false},
        {"a file", [](const TempFolder& t) { t.putBytes("新しい名前", "x"); }, false},
    };
    for (const auto& c : cases) {
        TempFolder t;
        std::filesystem::create_directory(t.file("作成中"));
        t.putBytes("作成中/データ.txt", "log");
        c.putTarget(t);
        int err = platform::renameFolder(t.file("作成中"), t.file("新しい名前"));
        EXPECT_EQ(err == 0, c.renamed) << c.what;
        EXPECT_EQ(t.has("作成中"), !c.renamed) << c.what;
        const std::string moved = t.bytes("新しい名前/データ.txt");
        EXPECT_EQ(moved, c.renamed ? "log" : "") << c.what;
        if (!c.renamed) {
            EXPECT_TRUE(err == EEXIST || err == ENOTEMPTY) << c.what << err;
        }
    }
}

TEST(FileLayer, OnlyAnEmptyFolderIsRemoved) {
    TempFolder t;
    std::filesystem::create_directory(t.file("空"));
    std::filesystem::create_directory(t.file("中身"));
    t.putBytes("中身/データ.txt", "x");
    EXPECT_EQ(platform::removeFolder(t.file("空")), 0);
    EXPECT_FALSE(t.has("空"));
    EXPECT_EQ(platform::removeFolder(t.file("中身")), ENOTEMPTY);
    EXPECT_EQ(t.bytes("中身/データ.txt"), "x");
    EXPECT_EQ(platform::removeFolder(t.file("無い")), ENOENT);
}

}  // namespace
}  // namespace core
