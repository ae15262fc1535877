#include "core/settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/temp_folder.h"

namespace core {
namespace {

TEST(Settings, MissingFilesReadAsDefaults) {
    TempFolder t;
    DataDir dir = t.dir();
    EXPECT_EQ(readHelpTour(dir), 1);
    EXPECT_EQ(readAutoTime(dir), 0);
    EXPECT_EQ(readMovingAverageWidth(dir), "10");
    EXPECT_EQ(readScaleStep(dir), "0.1");
    EXPECT_EQ(readMarkerStyle(dir), 1);
    Profile p = readProfile(dir);
    EXPECT_EQ(p.UserName, "");
    EXPECT_EQ(p.Height, 0.0f);
    EXPECT_EQ(t.fileCount(), 0u);  // reading writes nothing
}

TEST(Settings, FilesAreWrittenInTheirExactFormat) {
    TempFolder t;
    DataDir dir = t.dir();
    ASSERT_TRUE(writeHelpTour(dir, 0));
    ASSERT_TRUE(writeAutoTime(dir, 1));
    ASSERT_TRUE(writeMovingAverageWidth(dir, "12"));
    ASSERT_TRUE(writeScaleStep(dir, "0.50"));
    ASSERT_TRUE(writeMarkerStyle(dir, 2));
    ASSERT_TRUE(writeProfile(dir, Profile{"花子", 168.5f, 60.0f}));
    EXPECT_EQ(t.text("設定.TXT"), "\"ヘルプツアー\",0\r\n");
    EXPECT_EQ(t.text("自動時間.TXT"), "1\r\n");
    EXPECT_EQ(t.text("移動平均.TXT"), "12\r\n");
    EXPECT_EQ(t.text("体重計刻み.TXT"), "0.50\r\n");
    EXPECT_EQ(t.text("マーカー.TXT"), "2\r\n");
    EXPECT_EQ(t.text("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), "\"氏名\",\"花子\"\r\n\"身長\",168.5\r\n\"目標体重\",60\r\n");
    EXPECT_EQ(readScaleStep(dir), "0.50");  // kept as text
    EXPECT_EQ(readMarkerStyle(dir), 2);
    EXPECT_EQ(readHelpTour(dir), 0);
}

TEST(Settings, ReadsFilesAsUsersHaveThem) {
    TempFolder t;
    t.put("体重計刻み.txt", "0.2\r\n");
    t.put("自動時間.TXT", " 1 \r\n");
    t.put("設定.txt", "\"ヘルプツアー\",0");
    t.put("ﾌﾟﾗｲﾍﾞｰﾄ.txt", "\"氏名\",\"\"\r\n\"身長\",200\r\n\"目標体重\",80\r\n\"メモ\",\"x\"\r\n");
    DataDir dir = t.dir();
    EXPECT_EQ(readScaleStep(dir), "0.2");
    EXPECT_EQ(readAutoTime(dir), 1);
    EXPECT_EQ(readHelpTour(dir), 0);
    Profile p = readProfile(dir);
    EXPECT_EQ(p.UserName, "");
    EXPECT_EQ(p.Height, 200.0f);
    EXPECT_EQ(p.TargetWeight, 80.0f);
    ASSERT_TRUE(writeScaleStep(dir, "0.5"));
    EXPECT_EQ(t.fileCount(), 4u);  // the existing file was replaced, not doubled
    EXPECT_EQ(t.text("体重計刻み.txt"), "0.5\r\n");
}

// A number no setting can hold reads as that file's default.
TEST(Settings, NumbersOutOfRangeReadAsTheDefault) {
    struct Case {
        const char* file;
        const char* content;
        std::function<double(const DataDir&)> read;
        double expected;
    };
    auto helpTour = [](const DataDir& d) { return static_cast<double>(readHelpTour(d)); };
    auto autoTime = [](const DataDir& d) { return static_cast<double>(readAutoTime(d)); };
    auto marker = [](const DataDir& d) { return static_cast<double>(readMarkerStyle(d)); };
    auto height = [](const DataDir& d) { return static_cast<double>(readProfile(d).Height); };
    const Case cases[] = {
        {"設定.TXT", "\"ヘルプツアー\",1e300\r\n", helpTour, 1},
        {"設定.TXT", "\"ヘルプツアー\",40000\r\n", helpTour, 1},
        {"設定.TXT", "\"ヘルプツアー\",0\r\n", helpTour, 0},
        {"自動時間.TXT", "1e300\r\n", autoTime, 0},
        {"自動時間.TXT", "-1e19\r\n", autoTime, 0},
        {"自動時間.TXT", "1\r\n", autoTime, 1},
        {"マーカー.TXT", "1e300\r\n", marker, 1},
        {"マーカー.TXT", "-99999\r\n", marker, 1},
        {"マーカー.TXT", "2\r\n", marker, 2},
        {"ﾌﾟﾗｲﾍﾞｰﾄ.txt", "\"氏名\",\"\"\r\n\"身長\",1e300\r\n", height, 0},
    };
    for (const auto& c : cases) {
        TempFolder t;
        t.put(c.file, c.content);
        EXPECT_EQ(c.read(t.dir()), c.expected) << c.file << " " << c.content;
    }
}

// A name that could not be written back between quotes (found by fuzzing: a
// stray quote made the saved profile read back as another name) is no name,
// and writing one is refused with the old file left as it was.
TEST(Settings, AProfileNameThatCannotBeStoredIsNeitherReadNorWritten) {
    const char* const names[] = {"花\"子", "花\r\n子", "😀"};
    for (const char* name : names) {
        TempFolder t;
        t.put("ﾌﾟﾗｲﾍﾞｰﾄ.txt", "\"氏名\",\"花子\"\r\n\"身長\",160\r\n\"目標体重\",50\r\n");
        std::string before = t.bytes("ﾌﾟﾗｲﾍﾞｰﾄ.txt");
        Profile p = readProfile(t.dir());
        p.UserName = name;
        EXPECT_FALSE(writeProfile(t.dir(), p).ok()) << name;
        EXPECT_EQ(t.bytes("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), before) << name;
    }
    TempFolder t;
    t.put("ﾌﾟﾗｲﾍﾞｰﾄ.txt", "\"氏名\",\"\"\"花子\"\r\n\"身長\",160\r\n");
    EXPECT_EQ(readProfile(t.dir()).UserName, "");
    EXPECT_EQ(readProfile(t.dir()).Height, 160.0f);
}

}  // namespace
}  // namespace core
