// Kills the headless driver with SIGKILL at random moments while it saves
// weighings (appended and back-dated), settings, diary lines, the situation
// list and a new start, again and again on one folder, and checks after every
// kill that no record was lost and that every file still reads whole.
// Bounded in time, so it stays a short test.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "core/settings.h"
#include "core/weight_log.h"
#include "setup/situation_list.h"
#include "support/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

// A record as the soak compares it; a diary save may change the diary only.
std::string recordText(const core::WeightRecord& r, bool withDiary) {
    return r.Date + "," + r.Situation + "," + std::to_string(r.Weight) +
           (withDiary ? "," + r.Diary : "");
}

// True when every record of `before` stands in `after` in the same order.
bool keepsEveryRecord(const std::vector<core::WeightRecord>& before,
                      const std::vector<core::WeightRecord>& after, bool diaryMayChange) {
    size_t i = 0;
    for (const auto& record : after)
        if (i < before.size() &&
            recordText(record, !diaryMayChange) == recordText(before[i], !diaryMayChange))
            ++i;
    return i == before.size();
}

// What a round of the soak does, again and again until it is killed.
enum class Work { Append, Insert, Settings, Diary, List, NewStart };

std::string script(Work work, int round) {
    std::string s = "now 2024/06/30 7:00:00\nstart\n";
    if (work == Work::Diary) s += "click cmdMemo\n";
    if (work == Work::List) s += "click cmdSettei\n";
    for (int i = 0; i < 30; ++i) {
        std::string n = std::to_string(i);
        switch (work) {
            case Work::Append:
                s += "click lstAct 0\ntype txtTaiInp \"6" + std::to_string(i % 10) + ".5\"\n";
                s += "click cmdTaiHozon\n";
                break;
            case Work::Insert:
                s += "date mtvmain 2024/06/" + std::to_string(10 + (i + round) % 15) + "\n";
                s += "click lstAct 0\ntype txtTaiInp \"61\"\nclick cmdTaiHozon\n";
                break;
            case Work::Settings:
                s += "click cmdSettei\nclick optKizami(" + std::to_string(1 + i % 3) + ")\n";
                s += "click cmdMain\nclick mcrMain\n";
                break;
            case Work::Diary:
                s += "click msgMemoList " + std::to_string(1 + (i + round) % 20) + " 1\n";
                s += "type txtMemo \"ひとこと" + n + "\"\nclick cmdMemoHozon\n";
                break;
            case Work::List:
                s += "drag lstKoumoku 1 0\nclick lstKoumoku 0\nclick cmdSort\n";
                break;
            case Work::NewStart:
                if (i > 0) break;
                s += "click cmdSettei\nclick cmdNew1\ntype txtSincyou1 \"158\"\n";
                s += "type txtMokuTai1 \"50\"\ntype txtNowTai \"60\"\nanswer OK\n";
                s += "click cmdStHozon\n";
                break;
        }
    }
    return s;
}

// The records of every backup of the log that a new start made.
std::vector<std::vector<core::WeightRecord>> backups(const TempFolder& folder) {
    std::vector<std::vector<core::WeightRecord>> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        std::string name = entry.path().filename().string();
        if (name.rfind("データbak", 0) != 0) continue;
        core::DataDir dir(folder.path());
        core::LogScan scan(dir, name);
        std::vector<core::WeightRecord> records;
        for (core::RecordView r; scan.next(r);) records.push_back(r.toRecord());
        found.push_back(std::move(records));
    }
    return found;
}

// Runs the driver on the folder and kills it after `delay`; true when the
// kill came before the driver had finished.
bool runAndKill(const TempFolder& folder, const std::string& scriptFile,
                std::chrono::microseconds delay) {
    pid_t pid = fork();
    if (pid == 0) {
        int devnull = ::open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        execl(YASERUNBA_DRIVER, YASERUNBA_DRIVER, "--data-dir", folder.path().c_str(),
              scriptFile.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(delay);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status);
}

TEST(KillSoak, NoRecordIsLostAndEveryFileReadsWholeAfterAnyKill) {
    TempFolder folder;
    folder.put("設定.TXT", "\"ヘルプツアー\",0\r\n");
    folder.put("状況リスト.txt", "朝食前\r\n夕食後\r\n");
    std::string log;
    for (int day = 1; day <= 30; ++day)
        log += "\"2024/06/" + std::string(day < 10 ? "0" : "") + std::to_string(day) +
               "\",\"朝食前\",60.5,\"\",\"\",\"\"\r\n";
    folder.put("データ.txt", log);
    std::string scriptFile =
        (folder.path().parent_path() / ("soak-" + std::to_string(getpid()) + ".txt")).string();

    std::mt19937 random(20241208);
    auto before = core::readLogRecords(folder.dir()).records;
    const Work works[] = {Work::Append, Work::Insert, Work::Settings, Work::Diary,
                          Work::List,   Work::Append, Work::Insert,   Work::NewStart};
    int kills = 0, rounds = 0;
    auto end = Clock::now() + std::chrono::seconds(45);
    while (Clock::now() < end && rounds < 500 && before.size() < 3000) {
        Work work = works[rounds % std::size(works)];
        std::ofstream(scriptFile) << script(work, rounds);
        std::uniform_int_distribution<int> delay(0, 120000);
        kills += runAndKill(folder, scriptFile, std::chrono::microseconds(delay(random)));
        ++rounds;

        core::LogRecords after = core::readLogRecords(folder.dir());
        ASSERT_TRUE(after.status.ok()) << "round " << rounds;
        ASSERT_EQ(after.unreadableLines, 0) << "round " << rounds << ": a line was cut";
        bool kept = keepsEveryRecord(before, after.records, work == Work::Diary);
        // A new start replaces the log, the old one kept whole beside it.
        for (const auto& backup : backups(folder))
            kept = kept || (work == Work::NewStart && keepsEveryRecord(before, backup, false));
        ASSERT_TRUE(kept) << "round " << rounds;
        std::string step = core::readScaleStep(folder.dir());
        ASSERT_TRUE(step == "0.1" || step == "0.2" || step == "0.5") << step;
        int16_t marker = core::readMarkerStyle(folder.dir());
        ASSERT_TRUE(marker >= 0 && marker <= 2) << marker;
        auto labels = setup::readSituationFile(folder.dir());
        ASSERT_EQ(labels.labels.size(), 2u) << "round " << rounds;
        ASSERT_EQ(labels.unreadableLines, 0) << "round " << rounds;
        before = std::move(after.records);
    }
    std::remove(scriptFile.c_str());
    std::cout << "kill soak: " << rounds << " rounds, " << kills << " kills, " << before.size()
              << " records, none lost\n";
    EXPECT_GT(kills, rounds / 4);
}

}  // namespace
