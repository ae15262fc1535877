// Kills the headless driver with SIGKILL at random moments while it saves
// weighings (appended and back-dated), settings, diary lines, the situation
// list, deletions (each with its snapshot first), a restore of a snapshot and
// a new start, again and again on one folder, and checks after every round
// that no record was lost (each is in the log, or in a whole snapshot) and
// that every file still reads whole. The
// kills are timed from how long each kind of round takes on this machine, so
// a loaded machine is soaked as well as an idle one: the test goes on until
// it has killed the driver often enough, within a generous bound, and fails
// only on what was lost or cut.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <thread>

#include "core/settings.h"
#include "core/snapshot.h"
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
enum class Work { Append, Insert, Settings, Diary, List, Delete, Restore, NewStart };

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
            case Work::Delete:
                // Few enough that the snapshot before the first stays among
                // the newest ten.
                if (i >= 5) break;
                s += "click cmdMemo\nclick msgMemoList 1 0\nanswer OK\nclick cmdKirokuDel\n";
                break;
            case Work::Restore:
                // The program starts again after a restore: it is the last act.
                if (i > 0) break;
                s += "click cmdSettei\nclick lstBackup 1\nanswer OK\nclick cmdRestore\n";
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

// The records of every snapshot of the folder's snapshot folder, each of
// which must read whole: a snapshot is whole or absent.
std::vector<std::vector<core::WeightRecord>> snapshotLogs(const TempFolder& folder) {
    std::vector<std::vector<core::WeightRecord>> found;
    const auto place = folder.path() / "バックアップ";
    if (!std::filesystem::exists(place)) return found;
    for (const auto& entry : std::filesystem::directory_iterator(place)) {
        if (!core::parseSnapshotName(entry.path().filename().string())) continue;
        core::LogRecords log = core::readLogRecords(core::DataDir(entry.path()));
        EXPECT_TRUE(log.status.ok()) << entry.path();
        EXPECT_EQ(log.unreadableLines, 0) << entry.path() << ": a snapshot is not whole";
        found.push_back(std::move(log.records));
    }
    return found;
}

// True when each record of `before` is in `after` or in one of `kept`.
bool everyRecordSomewhere(const std::vector<core::WeightRecord>& before,
                          const std::vector<core::WeightRecord>& after,
                          const std::vector<std::vector<core::WeightRecord>>& kept) {
    std::multiset<std::string> present;
    for (const auto& r : after) present.insert(recordText(r, true));
    for (const auto& log : kept)
        for (const auto& r : log) present.insert(recordText(r, true));
    return std::all_of(before.begin(), before.end(),
                       [&](const auto& r) { return present.count(recordText(r, true)) > 0; });
}

// The whole of a small file, "" when it is missing.
std::string readAll(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// How a run of the driver ended.
struct DriverRun {
    bool killed = false;        // by our SIGKILL, before it had ended
    bool ranWhole = false;      // it ended by itself with status 0: every command ran
    bool endedAsAsked = false;  // it ended by itself as asked, with 128 + the signal
    // The signal came before the driver could hear it (while the process was
    // still being loaded, before its main()): it ended as any process does,
    // before it had taken the folder.
    bool endedUnstarted = false;
    Clock::duration took{};
};

// Waits until the process `pid` has ended or `limit` has passed, whichever
// comes first, without taking it from the process table.
void waitForEnd(pid_t pid, Clock::time_point limit) {
    int handle = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (handle < 0) {  // a kernel without pidfd: the whole wait
        std::this_thread::sleep_until(limit);
        return;
    }
    for (auto now = Clock::now(); now < limit; now = Clock::now()) {
        auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(limit - now);
        timespec wait{.tv_sec = static_cast<time_t>(left.count() / 1'000'000'000),
                      .tv_nsec = static_cast<long>(left.count() % 1'000'000'000)};
        pollfd ended{.fd = handle, .events = POLLIN, .revents = 0};
        int ready = ppoll(&ended, 1, &wait, nullptr);
        if (ready > 0 || (ready < 0 && errno != EINTR)) break;
    }
    ::close(handle);
}

// Runs the driver on the folder and sends it `signal` after `delay` unless
// it has ended by then: SIGKILL kills it; another signal asks it to end, and
// it is killed only when it has not ended 10 s later.
DriverRun runAndKill(const TempFolder& folder, const std::string& scriptFile, Clock::duration delay,
                     int signal = SIGKILL) {
    auto started = Clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        int devnull = ::open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        // What the driver says of a command it could not run, for the report.
        int errors = ::open((scriptFile + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(errors, 2);
        execl(YASERUNBA_DRIVER, YASERUNBA_DRIVER, "--data-dir", folder.path().c_str(),
              scriptFile.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    waitForEnd(pid, started + delay);
    kill(pid, signal);
    if (signal != SIGKILL) {
        waitForEnd(pid, Clock::now() + std::chrono::seconds(10));
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    DriverRun run;
    run.took = Clock::now() - started;
    run.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    run.ranWhole = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.endedAsAsked = WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal;
    run.endedUnstarted = signal != SIGKILL && WIFSIGNALED(status) && WTERMSIG(status) == signal;
    return run;
}

// The checks after every round: each record of `before` still in the log
// (or, after a new start, in one of its backups), no line cut, and every
// settings file one of the values the rounds write.
void expectNothingLost(const TempFolder& folder, Work work, std::vector<core::WeightRecord>& before,
                       int round) {
    core::LogRecords after = core::readLogRecords(folder.dir());
    ASSERT_TRUE(after.status.ok()) << "round " << round;
    ASSERT_EQ(after.unreadableLines, 0) << "round " << round << ": a line was cut";
    bool kept = keepsEveryRecord(before, after.records, work == Work::Diary);
    // A new start replaces the log, the old one kept whole beside it.
    if (!kept && work == Work::NewStart)
        for (const auto& backup : backups(folder))
            kept = kept || keepsEveryRecord(before, backup, false);
    // A deletion and a restore keep what they take away in a snapshot first.
    const auto snapshots = snapshotLogs(folder);
    if (!kept && (work == Work::Delete || work == Work::Restore))
        kept = everyRecordSomewhere(before, after.records, snapshots);
    ASSERT_TRUE(kept) << "round " << round << " (work " << static_cast<int>(work)
                      << "): a record was lost";
    std::string step = core::readScaleStep(folder.dir());
    ASSERT_TRUE(step == "0.1" || step == "0.2" || step == "0.5") << step;
    int16_t marker = core::readMarkerStyle(folder.dir());
    ASSERT_TRUE(marker >= 0 && marker <= 2) << marker;
    ASSERT_EQ(core::readHelpTour(folder.dir()), 0) << "round " << round;
    core::Profile profile = core::readProfile(folder.dir());
    ASSERT_TRUE(profile.Height == 0 || profile.Height == 158.0f) << "round " << round;
    auto labels = setup::readSituationFile(folder.dir());
    ASSERT_EQ(labels.labels.size(), 2u) << "round " << round;
    ASSERT_EQ(labels.unreadableLines, 0) << "round " << round;
    before = std::move(after.records);
}

constexpr Work kWorks[] = {Work::Append,  Work::Insert,  Work::Settings, Work::Diary,
                           Work::List,    Work::Delete,  Work::Append,   Work::Insert,
                           Work::Restore, Work::NewStart};
constexpr size_t kRoundKinds = std::size(kWorks);
// Enough kills in every kind of save to be worth the name, and a bound far
// beyond the time they take on a loaded machine (CTest stops a test at 120 s).
// Under AddressSanitizer each round takes about twice as long, and what the
// sanitizers watch for happens in every round: half as many kills there.
#ifdef __SANITIZE_ADDRESS__
constexpr int kKillsWanted = 80;
#else
constexpr int kKillsWanted = 160;
#endif
constexpr auto kLongest = std::chrono::seconds(90);
// A log this long is started anew: the rounds stay short.
constexpr size_t kLongestLog = 3000;

// When to kill a round: anywhere between the end of the driver's start-up,
// before which nothing is written, and the round's end. The length of each
// kind of round is learnt on this machine as the soak goes: a round that
// ends before its kill tells it; a killed one may have been longer than
// thought, so the next kill may come a little later.
class KillTimer {
  public:
    explicit KillTimer(Clock::duration startUp) : startUp_(startUp) {}

    Clock::duration next(size_t kind, std::mt19937& random) const {
        Clock::rep to = length_[kind].count(), from = std::min(startUp_.count(), to / 2);
        return Clock::duration(std::uniform_int_distribution<Clock::rep>(from, to)(random));
    }
    void learn(size_t kind, const DriverRun& run) {
        length_[kind] = run.killed ? length_[kind] + length_[kind] / 32 : run.took;
    }

  private:
    Clock::duration startUp_;
    std::array<Clock::duration, kRoundKinds> length_{};
};

// Runs `script` to its end; it must run every command.
DriverRun runWhole(const TempFolder& folder, const std::string& scriptFile,
                   const std::string& script) {
    std::ofstream(scriptFile) << script;
    DriverRun run = runAndKill(folder, scriptFile, kLongest);
    EXPECT_TRUE(run.ranWhole) << "the driver did not run this script whole:\n"
                              << script << readAll(scriptFile + ".err");
    return run;
}

// The folder every soak starts from: thirty days of weighings, two
// situations, the help tour off.
void layOutFolder(const TempFolder& folder) {
    folder.putHelpTourOff();
    folder.put("状況リスト.txt", "朝食前\r\n夕食後\r\n");
    std::string log;
    for (int day = 1; day <= 30; ++day)
        log += "\"2024/06/" + std::string(day < 10 ? "0" : "") + std::to_string(day) +
               "\",\"朝食前\",60.5,\"\",\"\",\"\"\r\n";
    folder.put("データ.txt", log);
}

TEST(KillSoak, NoRecordIsLostAndEveryFileReadsWholeAfterAnyKill) {
    TempFolder folder;
    layOutFolder(folder);
    TempFolder scripts;
    std::string scriptFile = (scripts.path() / "round.txt").string();
    auto before = core::readLogRecords(folder.dir()).records;
    auto end = Clock::now() + kLongest;

    // The start-up alone, then one whole round of each kind: how long they
    // take here.
    KillTimer timer(runWhole(folder, scriptFile, "now 2024/06/30 7:00:00\nstart\n").took);
    int rounds = 0, kills = 0;
    for (; rounds < static_cast<int>(kRoundKinds); ++rounds) {
        DriverRun run = runWhole(folder, scriptFile, script(kWorks[rounds], rounds));
        ASSERT_TRUE(run.ranWhole);
        timer.learn(static_cast<size_t>(rounds), run);
        ASSERT_NO_FATAL_FAILURE(expectNothingLost(folder, kWorks[rounds], before, rounds));
    }

    std::mt19937 random(20241208);
    for (; kills < kKillsWanted && Clock::now() < end; ++rounds) {
        size_t kind = static_cast<size_t>(rounds) % kRoundKinds;
        Work work = before.size() >= kLongestLog ? Work::NewStart : kWorks[kind];
        std::ofstream(scriptFile) << script(work, rounds);
        DriverRun run = runAndKill(folder, scriptFile, timer.next(kind, random));
        // A round that ended before its kill ran every command.
        ASSERT_TRUE(run.killed || run.ranWhole)
            << "round " << rounds << " failed: " << readAll(scriptFile + ".err");
        kills += run.killed;
        if (work == kWorks[kind]) timer.learn(kind, run);
        ASSERT_NO_FATAL_FAILURE(expectNothingLost(folder, work, before, rounds));
    }
    std::cout << "kill soak: " << rounds << " rounds, " << kills << " kills, " << before.size()
              << " records, none lost\n";
    // Too few kills only says that the machine was slow: nothing was lost.
    if (kills < kKillsWanted)
        std::cout << "kill soak: the machine gave time for " << kills << " of " << kKillsWanted
                  << " kills\n";
}

// SIGTERM (a logout, a `kill`) in the middle of saves: the driver ends by
// itself as 終了 ends it, after the save under way, and leaves no lock
// behind; nothing is lost.
TEST(KillSoak, AskedToEndTheDriverLetsGoOfTheFolderAndLosesNothing) {
    TempFolder folder;
    layOutFolder(folder);
    TempFolder scripts;
    std::string scriptFile = (scripts.path() / "round.txt").string();
    auto before = core::readLogRecords(folder.dir()).records;
    KillTimer timer(runWhole(folder, scriptFile, "now 2024/06/30 7:00:00\nstart\n").took);
    for (size_t kind = 0; kind < kRoundKinds; ++kind)
        timer.learn(kind, runWhole(folder, scriptFile, script(kWorks[kind], 0)));
    before = core::readLogRecords(folder.dir()).records;
    std::mt19937 random(20261210);
    int asked = 0, rounds = 0;
    for (; asked < kKillsWanted / 4 && rounds < kKillsWanted; ++rounds) {
        size_t kind = static_cast<size_t>(rounds) % kRoundKinds;
        Work work = before.size() >= kLongestLog ? Work::NewStart : kWorks[kind];
        std::ofstream(scriptFile) << script(work, rounds);
        DriverRun run = runAndKill(folder, scriptFile, timer.next(kind, random), SIGTERM);
        ASSERT_FALSE(run.killed) << "round " << rounds << ": the driver did not end when asked";
        ASSERT_TRUE(run.endedAsAsked || run.ranWhole || run.endedUnstarted)
            << "round " << rounds << " failed: " << readAll(scriptFile + ".err");
        ASSERT_FALSE(folder.has("yaserunba.lock")) << "round " << rounds << ": the lock stayed";
        asked += run.endedAsAsked;
        ASSERT_NO_FATAL_FAILURE(expectNothingLost(folder, work, before, rounds));
    }
    std::cout << "end soak: " << rounds << " rounds, " << asked << " ended as asked, none lost\n";
}

}  // namespace
