// The data layer's system calls on Linux and other POSIX systems.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <utility>

#include "core/platform.h"

namespace core::platform {
namespace fs = std::filesystem;

namespace {

int lastError() {
    return errno != 0 ? errno : EIO;
}

int result(int returned) {
    return returned == 0 ? 0 : lastError();
}

void fill(const struct stat& st, FileInfo& out) {
    out.regular = S_ISREG(st.st_mode);
    out.folder = S_ISDIR(st.st_mode);
    out.ownerWrites = (st.st_mode & S_IWUSR) != 0;
    out.mode = static_cast<unsigned>(st.st_mode & 07777);
    out.stamp =
        FileStamp{static_cast<uint64_t>(st.st_dev),         static_cast<uint64_t>(st.st_ino),
                  static_cast<int64_t>(st.st_size),         static_cast<int64_t>(st.st_mtim.tv_sec),
                  static_cast<int64_t>(st.st_mtim.tv_nsec), static_cast<int64_t>(st.st_ctim.tv_sec),
                  static_cast<int64_t>(st.st_ctim.tv_nsec)};
}

int flagsFor(OpenFor how) {
    switch (how) {
        case OpenFor::Read:
            return O_RDONLY;
        case OpenFor::Replace:
            return O_WRONLY | O_CREAT | O_TRUNC;
        case OpenFor::CreateNew:
            return O_WRONLY | O_CREAT | O_EXCL;
        case OpenFor::Append:
            return O_WRONLY | O_APPEND;
        case OpenFor::AppendNew:
            return O_WRONLY | O_APPEND | O_CREAT | O_EXCL;
    }
    return O_RDONLY;
}

// The first line of a small file under /proc, "" when it cannot be read.
std::string firstLine(const fs::path& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

}  // namespace

fs::path pathOf(std::string_view utf8) {
    return fs::path(std::string(utf8));  // POSIX names are bytes, UTF-8 here
}

std::string utf8Of(const fs::path& path) {
    return path.native();
}

fs::path asListed(const fs::path& path) {
    return path;  // a name that exists is spelled as the folder lists it
}

int info(const fs::path& path, FileInfo& out) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return lastError();
    fill(st, out);
    return 0;
}

File::~File() {
    (void)close();
}

File::File(File&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), append_(other.append_) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        (void)close();
        handle_ = std::exchange(other.handle_, -1);
        append_ = other.append_;
    }
    return *this;
}

int File::open(const fs::path& path, OpenFor how) {
    (void)close();
    append_ = how == OpenFor::Append || how == OpenFor::AppendNew;  // O_APPEND does it here
    do handle_ = ::open(path.c_str(), flagsFor(how) | O_CLOEXEC, 0600);
    while (handle_ < 0 && errno == EINTR);
    return handle_ < 0 ? lastError() : 0;
}

int File::info(FileInfo& out) const {
    struct stat st {};
    if (::fstat(static_cast<int>(handle_), &st) != 0) return lastError();
    fill(st, out);
    return 0;
}

int File::read(char* into, size_t size, size_t& got) {
    got = 0;
    while (true) {
        ssize_t n = ::read(static_cast<int>(handle_), into, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return lastError();
        got = static_cast<size_t>(n);
        return 0;
    }
}

int File::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return lastError();
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

int File::flush() {
    return result(::fsync(static_cast<int>(handle_)));
}

int File::truncate(int64_t size) {
    return result(::ftruncate(static_cast<int>(handle_), static_cast<off_t>(size)));
}

int File::setMode(unsigned mode) {
    return result(::fchmod(static_cast<int>(handle_), static_cast<mode_t>(mode)));
}

int File::close() {
    if (handle_ < 0) return 0;
    int err = result(::close(static_cast<int>(std::exchange(handle_, -1))));
    return err == EINTR ? 0 : err;  // the descriptor is gone either way
}

int renameFile(const fs::path& from, const fs::path& to) {
    return result(::rename(from.c_str(), to.c_str()));
}

int linkFile(const fs::path& from, const fs::path& to) {
    return result(::link(from.c_str(), to.c_str()));
}

int removeFile(const fs::path& path) {
    return result(::unlink(path.c_str()));
}

int renameFolder(const fs::path& from, const fs::path& to) {
#if defined(__linux__) && defined(RENAME_NOREPLACE)
    // Linux refuses a taken name in the rename itself; a file system that
    // cannot do that says EINVAL, and gets the check below.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return lastError();
#endif
    // rename would replace an empty folder of that name.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) return EEXIST;
    return result(::rename(from.c_str(), to.c_str()));
}

int removeFolder(const fs::path& folder) {
    return result(::rmdir(folder.c_str()));
}

int flushFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return lastError();
    int err = result(::fsync(fd));
    ::close(fd);
    return err;
}

int makeFolder(const fs::path& folder, unsigned mode) {
    if (::mkdir(folder.c_str(), static_cast<mode_t>(mode)) != 0) return lastError();
    // mkdir leaves out what the umask takes away, which is private already;
    // the folder gets exactly `mode` where the file system keeps modes.
    (void)::chmod(folder.c_str(), static_cast<mode_t>(mode));
    return 0;
}

int64_t processId() {
    return static_cast<int64_t>(::getpid());
}

std::string hostName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

ProcessInfo processInfo(int64_t id) {
    ProcessInfo out;
    if (id <= 0 || id > INT_MAX) return out;
    auto pid = static_cast<pid_t>(id);
    // Signal 0 only asks whether the process exists; EPERM says it does,
    // under another user.
    out.running = ::kill(pid, 0) == 0 || errno == EPERM;
    if (!out.running) return out;
    fs::path proc = fs::path("/proc") / std::to_string(id);
    if (std::string comm = firstLine(proc / "comm"); !comm.empty()) out.names.push_back(comm);
    std::error_code ec;
    fs::path exe = fs::read_symlink(proc / "exe", ec);
    if (!ec) out.names.push_back(exe.filename().string());
    return out;
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

fs::path userDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg) return fs::path(xdg);
    const char* home = std::getenv("HOME");
    if (home && *home) return fs::path(home) / ".local" / "share";
    return {};
}

namespace {

int endPipe[2] = {-1, -1};
volatile sig_atomic_t endSignal = 0;

// All a signal handler may safely do: note the first request and wake the
// reader.
void noteEndRequest(int signal) {
    const int saved = errno;
    if (endSignal == 0) endSignal = signal;
    const char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(endPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

int watchEndRequests() {
    if (endPipe[0] >= 0) return endPipe[0];
    if (::pipe(endPipe) != 0) return -1;
    for (int end : endPipe) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    }
    struct sigaction action = {};
    action.sa_handler = noteEndRequest;
    sigemptyset(&action.sa_mask);
    // A call the request falls into goes on: a save is never cut short.
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
    return endPipe[0];
}

int takeEndRequest() {
    char bytes[64];
    while (endPipe[0] >= 0 && ::read(endPipe[0], bytes, sizeof bytes) > 0) {
    }
    return endSignal;
}

}  // namespace core::platform
