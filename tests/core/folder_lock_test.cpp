// The lock of a data folder: one program at a time, a lock left by a crash
// taken over, a live one (or one of another machine) never.
#include "core/folder_lock.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "support/temp_folder.h"

namespace core {
namespace {

std::string lockLines(int64_t pid, std::string_view host) {
    return std::to_string(pid) + "\nyaserunba\n" + std::string(host) + "\n";
}

#ifdef _WIN32

// A copy of this test program started with one of these arguments plays a
// part for the tests below and never runs them (see kChildRole): it waits
// until it is ended, ends at once, or races for a folder's lock.
constexpr const wchar_t* kWaitArgument = L"--wait-as-lock-holder";
constexpr const wchar_t* kEndArgument = L"--end-as-lock-holder";
constexpr const wchar_t* kRaceArgument = L"--race-for-the-lock";
// What a racing start is told: the folder, where to say whether it won, and
// the events that start the race and end it.
constexpr const wchar_t* kRaceFolder = L"YASERUNBA_RACE_FOLDER";
constexpr const wchar_t* kRaceResults = L"YASERUNBA_RACE_RESULTS";
constexpr const wchar_t* kRaceGo = L"YASERUNBA_RACE_GO";
constexpr const wchar_t* kRaceEnd = L"YASERUNBA_RACE_END";

std::wstring environment(const wchar_t* name) {
    wchar_t value[MAX_PATH * 4] = {};
    DWORD size = ::GetEnvironmentVariableW(name, value, MAX_PATH * 4);
    return std::wstring(value, size);
}

void waitFor(const wchar_t* eventName) {
    HANDLE event = ::OpenEventW(SYNCHRONIZE, FALSE, environment(eventName).c_str());
    ::WaitForSingleObject(event, INFINITE);
    ::CloseHandle(event);
}

// Takes the folder's lock when the race starts, says in a file named after
// its process whether it holds it, and holds it until the race ends.
void raceForTheLock() {
    waitFor(kRaceGo);
    {
        FolderLock lock =
            FolderLock::take(DataDir(std::filesystem::path(environment(kRaceFolder))));
        std::wstring told = std::to_wstring(::GetCurrentProcessId()) + (lock.held() ? L"H" : L"n");
        std::ofstream(std::filesystem::path(environment(kRaceResults)) / told) << "x";
        waitFor(kRaceEnd);
    }
    ::ExitProcess(0);
}

const bool kChildRole = [] {
    std::wstring line = ::GetCommandLineW();
    if (line.find(kWaitArgument) != std::wstring::npos) ::Sleep(INFINITE);
    if (line.find(kEndArgument) != std::wstring::npos) ::ExitProcess(0);
    if (line.find(kRaceArgument) != std::wstring::npos) raceForTheLock();
    return false;
}();

std::string hostName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ::GetComputerNameW(name, &size);
    return core::platform::utf8Of(std::filesystem::path(std::wstring(name, size)));
}

int64_t ownPid() {
    return ::GetCurrentProcessId();
}

// A process of this test program under the given file name (copied into the
// folder the first time), started with the argument.
PROCESS_INFORMATION startCopy(const TempFolder& folder, const char* name, const wchar_t* argument) {
    wchar_t self[MAX_PATH * 4] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    std::filesystem::path copy = folder.file(std::string(name) + ".exe");
    if (!std::filesystem::exists(copy)) std::filesystem::copy_file(self, copy);
    std::wstring line = L"\"" + copy.wstring() + L"\" " + argument;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(copy.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        ADD_FAILURE() << "cannot start " << name;
    ::CloseHandle(process.hThread);
    return process;
}

// A process that waits until the test ends, under the given name.
class Child {
  public:
    explicit Child(const char* name) : process_(startCopy(folder_, name, kWaitArgument)) {}
    ~Child() {
        ::TerminateProcess(process_.hProcess, 0);
        ::WaitForSingleObject(process_.hProcess, INFINITE);
        ::CloseHandle(process_.hProcess);
    }
    int64_t pid() const { return process_.dwProcessId; }

  private:
    TempFolder folder_;
    PROCESS_INFORMATION process_;
};

// The id of a process that has ended.
int64_t deadPid() {
    TempFolder folder;
    PROCESS_INFORMATION process = startCopy(folder, "ended", kEndArgument);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hProcess);
    return process.dwProcessId;
}

#else

std::string hostName() {
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

int64_t ownPid() {
    return ::getpid();
}

// A process that waits until the test ends, under the given name.
class Child {
  public:
    explicit Child(const char* name) : pid_(::fork()) {
        if (pid_ == 0) {
            ::prctl(PR_SET_NAME, name);
            ::pause();
            ::_exit(0);
        }
    }
    ~Child() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    pid_t pid() const { return pid_; }

  private:
    pid_t pid_;
};

// The id of a process that has ended.
pid_t deadPid() {
    pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

#endif

void age(const TempFolder& t, std::chrono::seconds by) {
    auto path = t.path() / "yaserunba.lock";
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) - by);
}

TEST(FolderLock, HeldWhileItLivesPrivateAndGoneAfter) {
    TempFolder t;
    {
#ifndef _WIN32
        mode_t umask = ::umask(0);
#endif
        FolderLock lock = FolderLock::take(t.dir());
#ifndef _WIN32
        ::umask(umask);
#endif
        ASSERT_EQ(lock.state(), FolderLock::State::Taken) << lock.detail();
        EXPECT_TRUE(lock.held());
        EXPECT_EQ(t.bytes("yaserunba.lock"), lockLines(ownPid(), hostName()));
#ifndef _WIN32
        EXPECT_EQ(std::filesystem::status(t.path() / "yaserunba.lock").permissions(),
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
#endif

        FolderLock second = FolderLock::take(t.dir());  // the same process, the same folder
        EXPECT_EQ(second.state(), FolderLock::State::HeldByOther);
        EXPECT_NE(second.detail().find(std::to_string(ownPid())), std::string::npos)
            << second.detail();
        FolderLock moved = std::move(lock);  // still one holder, still held
        EXPECT_TRUE(moved.held());
        EXPECT_TRUE(t.has("yaserunba.lock"));
    }
    EXPECT_FALSE(t.has("yaserunba.lock"));
    FolderLock again = FolderLock::take(t.dir());
    EXPECT_EQ(again.state(), FolderLock::State::Taken);
}

// A lock file found at start-up: taken over when it is plainly stale, left
// byte for byte when it is not.
TEST(FolderLock, AFoundLockIsTakenOverOnlyWhenStale) {
    Child yaserunba("yaserunba-scrip");  // the script driver, as the system shortens its name
    Child other("some-editor");
    struct Case {
        const char* name;
        std::string content;
        std::chrono::seconds age;
        FolderLock::State expected;
    };
    const Case cases[] = {
        {"a dead process", lockLines(deadPid(), hostName()), std::chrono::seconds(0),
         FolderLock::State::TakenOverStale},
        {"an id that another program has now", lockLines(other.pid(), hostName()),
         std::chrono::seconds(0), FolderLock::State::TakenOverStale},
        {"this process's id, from an earlier run", lockLines(ownPid(), hostName()),
         std::chrono::seconds(0), FolderLock::State::TakenOverStale},
        {"a running yaserunba", lockLines(yaserunba.pid(), hostName()), std::chrono::seconds(60),
         FolderLock::State::HeldByOther},
        {"another host", lockLines(deadPid(), "elsewhere.example"), std::chrono::seconds(3600),
         FolderLock::State::HeldByOther},
        {"a dead process, its lines ended by CR LF",
         std::to_string(deadPid()) + "\r\nyaserunba\r\n" + hostName() + "\r\n",
         std::chrono::seconds(0), FolderLock::State::TakenOverStale},
        {"garbled and old", "12ab\nyaser", std::chrono::seconds(60),
         FolderLock::State::TakenOverStale},
        {"empty and old", "", std::chrono::seconds(60), FolderLock::State::TakenOverStale},
        {"garbled and fresh: being written", "123", std::chrono::seconds(0),
         FolderLock::State::HeldByOther},
        {"a fourth line", lockLines(deadPid(), hostName()) + "more\n", std::chrono::seconds(0),
         FolderLock::State::HeldByOther},
    };
    for (const auto& c : cases) {
        TempFolder t;
        t.putBytes("yaserunba.lock", c.content);
        age(t, c.age);
        {
            FolderLock lock = FolderLock::take(t.dir());
            EXPECT_EQ(lock.state(), c.expected) << c.name << ": " << lock.detail();
            if (lock.held()) {
                EXPECT_EQ(t.bytes("yaserunba.lock"), lockLines(ownPid(), hostName())) << c.name;
            } else {
                EXPECT_EQ(t.bytes("yaserunba.lock"), c.content) << c.name;
                EXPECT_FALSE(lock.detail().empty()) << c.name;
            }
            EXPECT_EQ(t.fileCount(), 1u) << c.name;  // nothing left aside
        }
        EXPECT_EQ(t.has("yaserunba.lock"), c.expected == FolderLock::State::HeldByOther) << c.name;
    }
}

// The turn file of a start taking over a stale lock: one whose start has
// ended (a crash, a kill) is removed at once, one of another computer's
// start once it is old; a fresh one of a start that may still run means
// that start is at it.
TEST(FolderLock, ATakeoverInProgressIsLeftToItsStart) {
    struct Case {
        const char* name;
        int64_t pid;
        std::string host;
        std::chrono::seconds age;
        bool left;
    };
    const Case cases[] = {
        {"a start here that ended", deadPid(), hostName(), std::chrono::seconds(0), true},
        {"a start elsewhere, now", 4321, "elsewhere.example", std::chrono::seconds(0), false},
        {"a start elsewhere, long ago", 4321, "elsewhere.example", std::chrono::seconds(60), true},
    };
    for (const Case& c : cases) {
        TempFolder t;
        t.putBytes("yaserunba.lock", lockLines(deadPid(), hostName()));
        t.putBytes("yaserunba.lock.takeover", lockLines(c.pid, c.host));
        auto turn = t.path() / "yaserunba.lock.takeover";
        std::filesystem::last_write_time(turn, std::filesystem::last_write_time(turn) - c.age);
        FolderLock lock = FolderLock::take(t.dir());
        EXPECT_EQ(lock.state(),
                  c.left ? FolderLock::State::TakenOverStale : FolderLock::State::HeldByOther)
            << c.name << ": " << lock.detail();
        EXPECT_EQ(t.has("yaserunba.lock.takeover"), !c.left) << c.name;
        EXPECT_EQ(t.fileCount(), c.left ? 1u : 2u) << c.name;
    }
}

TEST(FolderLock, TellsWhoHoldsIt) {
    TempFolder t;
    t.putBytes("yaserunba.lock", lockLines(4321, "elsewhere.example"));
    FolderLock lock = FolderLock::take(t.dir());
    EXPECT_NE(lock.detail().find("elsewhere.example"), std::string::npos) << lock.detail();
    EXPECT_NE(lock.detail().find("4321"), std::string::npos) << lock.detail();
}

TEST(FolderLock, AFolderItCannotWriteInFails) {
    TempFolder t;
    FolderLock lock = FolderLock::take(DataDir(t.path() / "missing"));
    EXPECT_EQ(lock.state(), FolderLock::State::Failed);
    EXPECT_NE(lock.detail().find("yaserunba.lock"), std::string::npos) << lock.detail();
}

// A lock its holder no longer owns (someone removed it and another start
// took the folder) is not removed by the first holder.
TEST(FolderLock, ReleaseLeavesALockThatIsNotItsOwn) {
    TempFolder t;
    {
        FolderLock lock = FolderLock::take(t.dir());
        ASSERT_TRUE(lock.held());
        std::filesystem::remove(t.path() / "yaserunba.lock");
        t.putBytes("yaserunba.lock", lockLines(1, "elsewhere.example"));
    }
    EXPECT_EQ(t.bytes("yaserunba.lock"), lockLines(1, "elsewhere.example"));
}

#ifdef _WIN32
// Starts racing for a stale lock, each a process of its own named as the
// program: exactly one wins each time.
TEST(FolderLock, OfStartsRacingForAStaleLockOneWins) {
    constexpr int kStarts = 4;
    TempFolder programs;
    for (int round = 0; round < 5; ++round) {
        TempFolder t, results;
        t.putBytes("yaserunba.lock", lockLines(deadPid(), hostName()));
        std::wstring tag = std::to_wstring(ownPid()) + L"-" + std::to_wstring(round);
        HANDLE go = ::CreateEventW(nullptr, TRUE, FALSE, (L"yaserunba-go-" + tag).c_str());
        HANDLE end = ::CreateEventW(nullptr, TRUE, FALSE, (L"yaserunba-end-" + tag).c_str());
        ::SetEnvironmentVariableW(kRaceFolder, t.path().c_str());
        ::SetEnvironmentVariableW(kRaceResults, results.path().c_str());
        ::SetEnvironmentVariableW(kRaceGo, (L"yaserunba-go-" + tag).c_str());
        ::SetEnvironmentVariableW(kRaceEnd, (L"yaserunba-end-" + tag).c_str());
        PROCESS_INFORMATION starts[kStarts];
        for (auto& start : starts) start = startCopy(programs, "yaserunba", kRaceArgument);
        ::SetEvent(go);  // all start at once
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (results.fileCount() < kStarts && std::chrono::steady_clock::now() < deadline)
            ::Sleep(10);
        int held = 0;
        for (const auto& entry : std::filesystem::directory_iterator(results.path()))
            held += entry.path().wstring().back() == L'H';
        ::SetEvent(end);  // everyone has tried: the holder lets go
        for (auto& start : starts) {
            ::WaitForSingleObject(start.hProcess, INFINITE);
            ::CloseHandle(start.hProcess);
        }
        ::CloseHandle(go);
        ::CloseHandle(end);
        EXPECT_EQ(results.fileCount(), static_cast<size_t>(kStarts)) << "round " << round;
        EXPECT_EQ(held, 1) << "round " << round;
        EXPECT_EQ(t.fileCount(), 0u) << "round " << round;
    }
}
#else
// Starts racing for a stale lock, each a process of its own named as the
// program: exactly one wins each time.
TEST(FolderLock, OfStartsRacingForAStaleLockOneWins) {
    constexpr int kStarts = 4;
    for (int round = 0; round < 20; ++round) {
        TempFolder t;
        t.putBytes("yaserunba.lock", lockLines(deadPid(), hostName()));
        int go[2], told[2], end[2];
        ASSERT_EQ(::pipe(go), 0);
        ASSERT_EQ(::pipe(told), 0);
        ASSERT_EQ(::pipe(end), 0);
        pid_t starts[kStarts];
        for (pid_t& pid : starts) {
            pid = ::fork();
            if (pid != 0) continue;
            ::prctl(PR_SET_NAME, "yaserunba");
            ::close(go[1]);
            ::close(end[1]);
            char c;
            (void)::read(go[0], &c, 1);  // all start at once
            {
                FolderLock lock = FolderLock::take(t.dir());
                char held = lock.held() ? 'H' : 'n';
                (void)::write(told[1], &held, 1);
                (void)::read(end[0], &c, 1);  // hold it until everyone has tried
            }
            ::_exit(0);
        }
        ::close(go[0]);
        ::close(end[0]);
        ::close(go[1]);
        int held = 0;
        for (int i = 0; i < kStarts; ++i) {
            char c = 0;
            ASSERT_EQ(::read(told[0], &c, 1), 1);
            held += c == 'H';
        }
        ::close(end[1]);
        for (pid_t pid : starts) ::waitpid(pid, nullptr, 0);
        ::close(told[0]);
        ::close(told[1]);
        EXPECT_EQ(held, 1) << "round " << round;
        EXPECT_EQ(t.fileCount(), 0u) << "round " << round;
    }
}

#endif

}  // namespace
}  // namespace core
