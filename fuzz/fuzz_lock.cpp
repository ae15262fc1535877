// The lock file of a data folder on any bytes: a lock is taken over only when
// it is plainly stale, and one that is not is left byte for byte. The first
// byte chooses how old the file is and whether its host and process lines
// are made this machine's and this process's; the rest is the file.
#include <unistd.h>

#include <charconv>
#include <chrono>

#include "core/folder_lock.h"
#include "fuzz_folder.h"

namespace {

std::string hostName() {
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

// The file with its first line or its third line replaced, when it has one.
std::string withLine(std::string_view file, int which, std::string_view text) {
    size_t start = 0;
    for (int i = 0; i < which; ++i) {
        start = file.find('\n', start);
        if (start == std::string_view::npos) return std::string(file);
        ++start;
    }
    size_t end = file.find('\n', start);
    if (end == std::string_view::npos) return std::string(file);
    return std::string(file.substr(0, start)) + std::string(text) + std::string(file.substr(end));
}

// A lock file in this program's form: a positive number, the program, the
// host, each line ended by a line feed (a CR before it is no part of the
// line), nothing after.
bool wellFormed(std::string_view file, std::string& host) {
    std::string_view lines[3];
    for (auto& line : lines) {
        size_t end = file.find('\n');
        if (end == std::string_view::npos) return false;
        line = file.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        file.remove_prefix(end + 1);
    }
    if (!file.empty() || lines[1].empty()) return false;
    int64_t pid = 0;
    const char* last = lines[0].data() + lines[0].size();
    auto [end, error] = std::from_chars(lines[0].data(), last, pid);
    if (error != std::errc() || end != last || pid <= 0) return false;
    host = std::string(lines[2]);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFolder folder;
    static const std::string kHost = hostName();
    if (size == 0) return 0;
    folder.reset();
    std::string file(asText(data + 1, size - 1));
    if (data[0] & 2) file = withLine(file, 2, kHost);
    if (data[0] & 4) file = withLine(file, 0, std::to_string(::getpid()));
    folder.put(core::kLockFile, file);
    bool old = data[0] & 1;
    auto path = folder.path() / std::string(core::kLockFile);
    if (old)
        std::filesystem::last_write_time(
            path, std::filesystem::last_write_time(path) - std::chrono::minutes(1));
    std::string host;
    bool formed = wellFormed(file, host);
    {
        core::FolderLock lock = core::FolderLock::take(folder.dir());
        require(lock.state() == core::FolderLock::State::TakenOverStale ||
                lock.state() == core::FolderLock::State::HeldByOther);
        if (lock.held()) {
            require(formed ? host == kHost : old);
            require(folder.dir().readBytes(core::kLockFile) ==
                    std::to_string(::getpid()) + "\nyaserunba\n" + kHost + "\n");
        } else {
            require(formed ? host != kHost || !(data[0] & 4) : !old);
            require(folder.dir().readBytes(core::kLockFile) == file);
            require(!lock.detail().empty());
        }
    }
    require(std::distance(std::filesystem::directory_iterator(folder.path()), {}) ==
            (folder.dir().exists(core::kLockFile) ? 1 : 0));
    return 0;
}
