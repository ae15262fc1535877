// Saves on a disk that is really full: a small tmpfs, where the machine
// allows mounting one (skipped elsewhere). Nothing half-written may remain
// and the old content must stay whole.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <filesystem>
#include <fstream>

#include "core/weight_log.h"
#include "support/temp_folder.h"

namespace core {
namespace {

class FullDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        if (::mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, "size=96k") != 0)
            GTEST_SKIP() << "no tmpfs can be mounted here";
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) ::umount(folder_.path().c_str());
    }
    // Takes all the free space but `room` bytes.
    void fillUpTo(size_t room) {
        auto space = std::filesystem::space(folder_.path());
        std::ofstream filler(folder_.path() / "filler", std::ios::binary);
        std::string block(space.available > room ? space.available - room : 0, 'x');
        filler.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    const DataDir dir() const { return DataDir(folder_.path()); }
    std::string bytes(const char* name) {
        std::ifstream in(folder_.path() / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    TempFolder folder_;
    bool mounted_ = false;
};

TEST_F(FullDisk, AppendsUntilFullThenRefusesWithoutAHalfLine) {
    WeightRecord record{"2024/06/01", "朝食前", 60.5f, "", "", ""};
    ASSERT_TRUE(APPEND_LOG(dir(), record).ok());
    fillUpTo(200);
    Status status;
    int saved = 1;
    for (int i = 0; i < 2000 && status.ok(); ++i)
        if ((status = APPEND_LOG(dir(), record)).ok()) ++saved;
    ASSERT_FALSE(status.ok()) << "the disk never filled";
    EXPECT_NE(status.reason().find("ディスク"), std::string::npos) << status.reason();
    LogRecords log = readLogRecords(dir());
    EXPECT_EQ(log.unreadableLines, 0);
    EXPECT_EQ(static_cast<int>(log.records.size()), saved);
}

TEST_F(FullDisk, ARewriteThatDoesNotFitLeavesTheOldLogWhole) {
    std::string text;
    for (int day = 1; day <= 28; ++day)
        text += "\"2024/02/" + std::string(day < 10 ? "0" : "") + std::to_string(day) +
                "\",\"朝食前\",60.5,\"\",\"\",\"\"\r\n";
    ASSERT_TRUE(dir().writeText(kLogFile, text).ok());
    std::string before = bytes("データ.txt");
    fillUpTo(before.size() / 2);
    Status status = INSERT_LOG(dir(), {"2024/02/01", "夕食後", 61.0f, "", "", ""});
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(bytes("データ.txt"), before);
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "データコピー.txt"));
}

}  // namespace
}  // namespace core
