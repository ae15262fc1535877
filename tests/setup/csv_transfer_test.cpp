// What the scenarios of 編集's CSV buttons cannot lay out: an import that
// would pass the log's 32767 records, and a file far too large to be a list
// of weighings.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/weight_log.h"
#include "setup/settei_panel.h"
#include "setup/weighing_csv.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace setup {
namespace {

// The window started on the folder, its file dialogs choosing in it.
struct CsvWindow : TestWindow {
    explicit CsvWindow(const TempFolder& folder) : TestWindow(folder.dir(), {"2024/06/01"}) {
        dialogs.setFileFolder(core::platform::utf8Of(folder.path()));
        start();
    }
};

// A log of `count` weighings on one day.
std::string logOf(int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += "\"2000/01/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n";
    return bytes;
}

// A file of `count` weighings that the log does not hold.
std::string csvOf(int count) {
    std::string text = "date,weight\r\n";
    for (int i = 0; i < count; ++i) text += "2024-05-01," + std::to_string(50 + i) + "\r\n";
    return text;
}

TEST(CsvImport, RefusedBeforeAskingWhenTheLogWouldPassItsLimit) {
    struct Case {
        int log, rows;
        bool refused;
    };
    const Case cases[] = {{core::kMaxRecords - 2, 2, false}, {core::kMaxRecords - 2, 3, true}};
    for (const Case& c : cases) {
        TempFolder folder;
        folder.putHelpTourOff();
        folder.putBytes("データ.txt", logOf(c.log));
        folder.putBytes("in.csv", csvOf(c.rows));
        CsvWindow w(folder);
        w.scripted.dialogs.queue(ui::Answer::OK, "in.csv");
        w.scripted.dialogs.queue(ui::Answer::OK);
        w.panel<SetteiPanel>().csv.cmdCsvIn.click();
        auto log = w.scripted.dialogs.takeLog();
        ASSERT_EQ(log.size(), c.refused ? 2u : 3u) << c.rows;
        if (c.refused) {
            EXPECT_NE(log[1].find(kImportOverLimit), std::string::npos) << log[1];
            EXPECT_EQ(folder.bytes("データ.txt"), logOf(c.log));
            EXPECT_FALSE(folder.has("データbak.txt"));
        } else {
            EXPECT_EQ(core::readLogRecords(folder.dir()).records.size(),
                      static_cast<size_t>(core::kMaxRecords));
        }
    }
}

TEST(CsvImport, AFileFarTooLargeIsNotRead) {
    TempFolder folder;
    folder.putHelpTourOff();
    folder.putBytes("データ.txt", logOf(1));
    folder.putBytes("big.csv", csvOf(1));
    std::filesystem::resize_file(folder.file("big.csv"), 64 * 1024 * 1024 + 1);
    CsvWindow w(folder);
    w.scripted.dialogs.queue(ui::Answer::OK, "big.csv");
    w.panel<SetteiPanel>().csv.cmdCsvIn.click();
    auto log = w.scripted.dialogs.takeLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_NE(log[1].find("title=\"読み込みエラー\""), std::string::npos) << log[1];
    EXPECT_NE(log[1].find("大きすぎます"), std::string::npos) << log[1];
    EXPECT_EQ(folder.bytes("データ.txt"), logOf(1));
}

}  // namespace
}  // namespace setup
