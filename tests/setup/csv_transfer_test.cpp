// 編集's CSV buttons in the window: what the scenarios cannot lay out (an
// import that would pass the log's 32767 records, a file far too large to be
// a list of weighings), the names an export may take in the data folder, and
// the situations an import adds to the list.
#include "setup/csv_transfer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/weight_log.h"
#include "setup/settei_panel.h"
#include "setup/weighing_csv.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"
#include "weighing/main_panel.h"

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

// In the data folder an export takes only a name that ends in .csv, in any
// letter case, so that it can replace no file of the program's own, nor take
// the name of one not made yet; in any other folder it takes whatever name
// the user gives.
TEST(CsvExport, InTheDataFolderOnlyACsvNameIsWritten) {
    struct Case {
        const char* name;
        bool written;
    };
    const Case cases[] = {
        {"weights.csv", true},     {"WEIGHTS.CSV", true},     {"Weights.Csv", true},
        {"状況リスト.txt", false}, {"メモ.txt", false},       {"weights.csv.txt", false},
        {"weights", false},        {"out/weights.txt", true}, {"out/データ.txt", true},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.putHelpTourOff();
        folder.putBytes("データ.txt", logOf(2));
        std::filesystem::create_directory(folder.file("out"));
        CsvWindow w(folder);
        w.scripted.dialogs.queue(ui::Answer::OK, c.name);
        w.open<SetteiPanel>().csv.cmdCsvOut.press();
        auto log = w.scripted.dialogs.takeLog();
        ASSERT_EQ(log.size(), 2u) << c.name;
        EXPECT_NE(log[1].find(c.written ? "title=\"書き出し完了\"" : "title=\"書き出しエラー\""),
                  std::string::npos)
            << c.name << ": " << log[1];
        EXPECT_EQ(folder.has(c.name), c.written) << c.name;
        EXPECT_EQ(folder.bytes("データ.txt"), logOf(2)) << c.name;
    }
}

// Each situation of the imported records that the list lacks joins its end
// once, however many records carry it, in the list file and in the list
// boxes; a situation the list has is not added again.
TEST(CsvImport, EachNewSituationJoinsTheListOnce) {
    TempFolder folder;
    folder.putHelpTourOff();
    folder.putBytes("データ.txt", logOf(1));
    folder.put("状況リスト.txt", "朝食前\r\n");
    folder.putBytes("in.csv",
                    "date,状況,weight\r\n"
                    "2024-05-01,ジム後,60\r\n"
                    "2024-05-02,朝食前,61\r\n"
                    "2024-05-03,ジム後,62\r\n"
                    "2024-05-04,散歩後,63\r\n"
                    "2024-05-05,散歩後,64\r\n");
    CsvWindow w(folder);
    w.scripted.dialogs.queue(ui::Answer::OK, "in.csv");
    w.scripted.dialogs.queue(ui::Answer::OK);
    w.open<SetteiPanel>().csv.cmdCsvIn.press();
    auto log = w.scripted.dialogs.takeLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_NE(log[2].find("title=\"取り込み完了\""), std::string::npos) << log[2];
    EXPECT_EQ(folder.text("状況リスト.txt"), "朝食前\r\n\"ジム後\"\r\n\"散歩後\"\r\n");
    const std::vector<std::string> list{"朝食前", "ジム後", "散歩後"};
    EXPECT_EQ(w.panel<SetteiPanel>().situations.lstKoumoku.items(), list);
    EXPECT_EQ(w.panel<weighing::MainPanel>().entry.lstAct.items(), list);
    EXPECT_EQ(core::readLogRecords(folder.dir()).records.size(), 6u);
}

}  // namespace
}  // namespace setup
