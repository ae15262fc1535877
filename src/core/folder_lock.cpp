#include "core/folder_lock.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <set>
#include <utility>

#include "core/platform.h"

namespace core {
namespace fs = std::filesystem;
using platform::OpenFor;

namespace {

// A lock file that cannot be read is being written by a start that began
// less than this long ago, or was left half-written by a crash.
constexpr int64_t kWritingSeconds = 5;
// Tries at "make the file, or judge the one there and take it over" before
// giving up on a folder that other starts keep changing.
constexpr int kRounds = 8;
// More than any lock file of this program.
constexpr size_t kLargestLock = 4096;

struct Holder {
    int64_t pid = 0;
    std::string program;
    std::string host;
};

// The three lines of a lock file, each ended by a line feed (a CR before it,
// as an editor on Windows leaves it, is no part of the line); nullopt when it
// is not in that form.
std::optional<Holder> parseLock(std::string_view bytes) {
    std::string_view lines[3];
    for (auto& line : lines) {
        size_t end = bytes.find('\n');
        if (end == std::string_view::npos) return std::nullopt;
        line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        bytes.remove_prefix(end + 1);
    }
    Holder holder;
    const char* last = lines[0].data() + lines[0].size();
    auto [end, error] = std::from_chars(lines[0].data(), last, holder.pid);
    if (!bytes.empty() || error != std::errc() || end != last || holder.pid <= 0 ||
        lines[1].empty())
        return std::nullopt;
    holder.program = lines[1];
    holder.host = lines[2];
    return holder;
}

std::string lockText() {
    return std::to_string(platform::processId()) + "\n" + std::string(kProgramName) + "\n" +
           platform::hostName() + "\n";
}

// A name read from a file, shown in a message: printable ASCII only.
std::string shown(std::string_view text) {
    std::string out(text.substr(0, 64));
    for (char& c : out)
        if (c < 0x20 || c > 0x7e) c = '?';
    return out;
}

int64_t nowSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

// Written longer ago than any start takes to write its lines.
bool isOld(const FileStamp& stamp) {
    return std::abs(nowSeconds() - stamp.modifiedSeconds) > kWritingSeconds;
}

// The lock files that this process holds, by device and inode, so that a
// lock naming this process's id is told apart from one that an earlier
// process of the same id left behind.
class HeldHere {
  public:
    static HeldHere& instance() {
        static HeldHere held;
        return held;
    }
    void enter(const FileStamp& s) {
        std::lock_guard guard(lock_);
        files_.insert({s.device, s.inode});
    }
    void leave(const FileStamp& s) {
        std::lock_guard guard(lock_);
        files_.erase({s.device, s.inode});
    }
    bool has(const FileStamp& s) {
        std::lock_guard guard(lock_);
        return files_.count({s.device, s.inode}) > 0;
    }

  private:
    std::mutex lock_;
    std::set<std::pair<uint64_t, uint64_t>> files_;
};

// A lock file as read: its first bytes and its stamp.
struct Found {
    std::string bytes;
    FileStamp stamp;
};

int readLock(const fs::path& path, Found& out) {
    platform::File file;
    platform::FileInfo info;
    if (int err = file.open(path, OpenFor::Read)) return err;
    if (int err = file.info(info)) return err;
    out.stamp = info.stamp;
    out.bytes.assign(kLargestLock + 1, '\0');
    size_t have = 0;
    while (have < out.bytes.size()) {
        size_t got = 0;
        if (int err = file.read(out.bytes.data() + have, out.bytes.size() - have, got)) return err;
        if (got == 0) break;
        have += got;
    }
    out.bytes.resize(have);
    return 0;
}

// The same file, unchanged: a file made in its place may reuse its inode.
bool sameFile(const Found& a, const Found& b) {
    return a.bytes == b.bytes && a.stamp.device == b.stamp.device &&
           a.stamp.inode == b.stamp.inode && a.stamp.size == b.stamp.size &&
           a.stamp.modifiedSeconds == b.stamp.modifiedSeconds &&
           a.stamp.modifiedNanoseconds == b.stamp.modifiedNanoseconds;
}

// A program whose names the system cannot tell counts as ours.
bool isOurProgram(const std::vector<std::string>& names) {
    if (names.empty()) return true;
    return std::any_of(names.begin(), names.end(),
                       [](const std::string& name) { return name.starts_with(kProgramName); });
}

struct Judgement {
    bool stale = false;
    std::string holder;  // who holds it, when it is not stale
};

Judgement judge(const Found& found) {
    std::optional<Holder> holder = parseLock(found.bytes);
    if (!holder) {
        return {isOld(found.stamp), "ロックファイルを書いている途中のプログラム"};
    }
    std::string process = "（プロセス " + std::to_string(holder->pid) + "）";
    if (holder->host != platform::hostName())
        return {false, "別のコンピューター「" + shown(holder->host) + "」のヤセルンバ" + process};
    if (holder->pid == platform::processId())
        return {!HeldHere::instance().has(found.stamp), "このヤセルンバ自身" + process};
    platform::ProcessInfo running = platform::processInfo(holder->pid);
    if (!running.running || !isOurProgram(running.names)) return {true, ""};
    return {false, "このコンピューターで動いているヤセルンバ" + process};
}

// Makes a file exclusively with these lines, written in place.
int writeNew(const fs::path& path, std::string_view text, FileStamp& made) {
    platform::File file;
    if (int err = file.open(path, OpenFor::CreateNew)) return err;
    (void)file.setMode(0600);  // made 0600 already, unless a umask took more away
    platform::FileInfo info;
    int err = file.writeAll(text);
    if (err == 0) err = file.info(info);
    if (err == 0) err = file.close();
    if (err != 0) {
        (void)file.close();
        (void)platform::removeFile(path);
        return err == EEXIST ? EIO : err;
    }
    made = info.stamp;
    return 0;
}

// Makes a file exclusively with these lines. They are written to a file of
// this process's own first and linked to the name in one step, so that no
// start ever reads the file half-written: a start killed while writing
// leaves no lock that looks held. Where the file system has no links the
// file is written in place.
int makeNew(const fs::path& path, std::string_view text, FileStamp& made) {
    fs::path own = path;
    own += "." + std::to_string(platform::processId());
    (void)platform::removeFile(own);  // left by an earlier process of this id
    if (writeNew(own, text, made) != 0) return writeNew(path, text, made);
    const int linked = platform::linkFile(own, path);
    (void)platform::removeFile(own);
    if (linked == 0 || linked == EEXIST) return linked;
    return writeNew(path, text, made);
}

// Removes a turn file that a crash left behind, and only that one: it is
// moved aside in one step, so that of two starts only one moves it, and put
// back when it is not the one that was read.
void removeLeftTurn(const fs::path& turn, const Found& left) {
    fs::path aside = turn;
    aside += "." + std::to_string(platform::processId());
    if (platform::renameFile(turn, aside) != 0) return;
    Found moved;
    if (readLock(aside, moved) == 0 && sameFile(moved, left)) {
        (void)platform::removeFile(aside);
        return;
    }
    if (platform::linkFile(aside, turn) != 0) {
        (void)platform::renameFile(aside, turn);
        return;
    }
    (void)platform::removeFile(aside);
}

// Removes the stale lock file that was read, and only that one. Starts take
// turns at removing through a second file made exclusively beside the lock:
// while one start has the turn no other removes the lock, and no start makes
// a lock while the stale one is there, so the file removed is the one
// judged. Gives 0, ENOENT when another start removed it first, EAGAIN when
// the lock is no longer the one read, EBUSY when another start is taking it
// over now, or an error number.
int removeStale(const fs::path& path, const Found& stale) {
    fs::path turn = path;
    turn += ".takeover";
    FileStamp made;
    int err = makeNew(turn, lockText(), made);
    if (err == EEXIST) {
        Found other;
        err = readLock(turn, other);
        if (err == ENOENT) return EAGAIN;  // its turn ended a moment ago
        // A turn is over once it is old, or at once when its start has ended.
        if (err != 0 || !(isOld(other.stamp) || judge(other).stale)) return EBUSY;
        removeLeftTurn(turn, other);
        return EAGAIN;
    }
    if (err != 0) return err;
    Found now;
    err = readLock(path, now);
    if (err == 0) err = sameFile(now, stale) ? platform::removeFile(path) : EAGAIN;
    (void)platform::removeFile(turn);
    return err;
}

std::string failedText(std::string_view what, int err) {
    return "ロックファイル「" + std::string(kLockFile) + "」" + std::string(what) + ": " +
           reasonText(err);
}

}  // namespace

FolderLock FolderLock::take(const DataDir& dir) {
    FolderLock lock;
    try {
        lock.path_ = dir.folder() / std::string(kLockFile);
        bool tookOver = false;
        for (int round = 0; round < kRounds; ++round) {
            int err = makeNew(lock.path_, lockText(), lock.own_);
            if (err == 0) {
                HeldHere::instance().enter(lock.own_);
                lock.state_ = tookOver ? State::TakenOverStale : State::Taken;
                return lock;
            }
            if (err != EEXIST) {
                lock.detail_ = failedText("を作れません", err);
                return lock;
            }
            Found found;
            err = readLock(lock.path_, found);
            if (err == ENOENT) continue;  // given up a moment ago
            if (err != 0) {
                lock.detail_ = failedText("を読めません", err);
                return lock;
            }
            Judgement judged = judge(found);
            if (!judged.stale) {
                lock.state_ = State::HeldByOther;
                lock.detail_ = std::move(judged.holder);
                return lock;
            }
            err = removeStale(lock.path_, found);
            if (err == 0) tookOver = true;
            if (err == EBUSY) {
                lock.state_ = State::HeldByOther;
                lock.detail_ = "古いロックを引き継いでいる、ほかの起動";
                return lock;
            }
            if (err != 0 && err != ENOENT && err != EAGAIN) {
                lock.detail_ = failedText("（古いもの）を消せません", err);
                return lock;
            }
        }
        lock.detail_ = "ほかの起動とロックファイルを取り合いになり、取れませんでした";
    } catch (...) {
        lock.state_ = State::Failed;
        lock.detail_ = "ロックファイルを扱えませんでした（メモリーが足りません）";
    }
    return lock;
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : path_(std::move(other.path_)),
      state_(std::exchange(other.state_, State::Failed)),
      detail_(std::move(other.detail_)),
      own_(other.own_) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        release();
        path_ = std::move(other.path_);
        state_ = std::exchange(other.state_, State::Failed);
        detail_ = std::move(other.detail_);
        own_ = other.own_;
    }
    return *this;
}

FolderLock::~FolderLock() {
    release();
}

void FolderLock::release() {
    if (!held()) return;
    state_ = State::Failed;
    HeldHere::instance().leave(own_);
    try {
        // Someone may have removed the file and made another, perhaps under
        // the same inode: that one stays.
        Found now;
        if (readLock(path_, now) == 0 && sameFile(now, Found{lockText(), own_}))
            (void)platform::removeFile(path_);
    } catch (...) {
        // Out of memory: the file stays, and the next start finds it stale.
    }
}

}  // namespace core
