// The data layer's system calls on Windows: every path is UTF-16 and every
// call the wide-character one; errors become the nearest errno value.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cwchar>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>

#include "core/platform.h"

namespace core::platform {
namespace fs = std::filesystem;

namespace {

int errnoOf(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS:
            return 0;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_NETWORK_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_BUSY:
            return EBUSY;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_DIR_NOT_EMPTY:
            return ENOTEMPTY;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_PARAMETER:
            return EINVAL;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        default:
            return EIO;
    }
}

int lastError() {
    int err = errnoOf(::GetLastError());
    return err != 0 ? err : EIO;
}

// Windows refuses to open a folder as a file with "access denied"; the
// user is told what POSIX says, that the name is a folder.
int openError(const fs::path& path) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_ACCESS_DENIED) {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return EISDIR;
    }
    const int err = errnoOf(error);
    return err != 0 ? err : EIO;
}

int result(BOOL ok) {
    return ok ? 0 : lastError();
}

HANDLE handleOf(std::intptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

// Windows counts file times in 100 ns steps from 1601; the stamps count
// from 1970, as the clock of the program does.
constexpr int64_t kTicksTo1970 = 116444736000000000;

void splitTime(int64_t ticks, int64_t& seconds, int64_t& nanoseconds) {
    int64_t since1970 = ticks - kTicksTo1970;
    seconds = since1970 / 10'000'000;
    nanoseconds = since1970 % 10'000'000 * 100;
    if (nanoseconds < 0) {
        seconds -= 1;
        nanoseconds += 1'000'000'000;
    }
}

int64_t ticksOf(FILETIME t) {
    return static_cast<int64_t>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

int fill(HANDLE h, FileInfo& out) {
    BY_HANDLE_FILE_INFORMATION by{};
    if (!::GetFileInformationByHandle(h, &by)) return lastError();
    FILE_BASIC_INFO basic{};
    bool changeTime = ::GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic);
    out.folder = (by.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    out.regular = !out.folder && (by.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
    out.ownerWrites = (by.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0;
    out.mode = out.ownerWrites ? 0600 : 0400;
    FileStamp& s = out.stamp;
    s.device = by.dwVolumeSerialNumber;
    s.inode = (static_cast<uint64_t>(by.nFileIndexHigh) << 32) | by.nFileIndexLow;
    s.size =
        static_cast<int64_t>((static_cast<uint64_t>(by.nFileSizeHigh) << 32) | by.nFileSizeLow);
    splitTime(ticksOf(by.ftLastWriteTime), s.modifiedSeconds, s.modifiedNanoseconds);
    // The change time also moves when the modification time is put back.
    int64_t changed = changeTime ? basic.ChangeTime.QuadPart : ticksOf(by.ftLastWriteTime);
    splitTime(changed, s.changedSeconds, s.changedNanoseconds);
    return 0;
}

// The standard streams carry bytes, as on POSIX: text mode would put a CR
// before every LF that a program of ours prints, and the headless driver's
// output must be the same bytes on every system.
// A window program has no standard streams (their number is negative).
const bool kBinaryStreams = [] {
    for (FILE* stream : {stdin, stdout, stderr})
        if (int number = _fileno(stream); number >= 0) (void)_setmode(number, _O_BINARY);
    return true;
}();

// Other programs may read, write, rename and remove a file that is open here,
// as on POSIX: the program's own rename over an open file must not fail.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Writing, and reading the stamp and attributes of what was written.
constexpr DWORD kWrite = GENERIC_WRITE | FILE_READ_ATTRIBUTES;

struct OpenMode {
    DWORD access;
    DWORD disposition;
};

OpenMode modeFor(OpenFor how) {
    switch (how) {
        case OpenFor::Read:
            return {GENERIC_READ, OPEN_EXISTING};
        case OpenFor::Replace:
            return {kWrite, OPEN_ALWAYS};  // emptied after it opens
        case OpenFor::CreateNew:
            return {kWrite, CREATE_NEW};
        case OpenFor::Append:
            return {kWrite, OPEN_EXISTING};
        case OpenFor::AppendNew:
            return {kWrite, CREATE_NEW};
    }
    return {GENERIC_READ, OPEN_EXISTING};
}

std::string utf8OfWide(const wchar_t* text, size_t size) {
    if (size == 0) return {};
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(size), nullptr, 0, nullptr,
                                  nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(size), out.data(), n, nullptr,
                              nullptr);
    return out;
}

// Whether a process that could be opened has not ended yet.
bool stillRunning(HANDLE process) {
    DWORD code = 0;
    if (!::GetExitCodeProcess(process, &code)) return true;
    return code == STILL_ACTIVE || ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

}  // namespace

fs::path pathOf(std::string_view utf8) {
    std::u8string text(utf8.size(), u8'\0');
    for (size_t i = 0; i < utf8.size(); ++i) text[i] = static_cast<char8_t>(utf8[i]);
    return fs::path(text);
}

std::string utf8Of(const fs::path& path) {
    return utf8OfWide(path.native().data(), path.native().size());
}

fs::path asListed(const fs::path& path) {
    WIN32_FIND_DATAW found{};
    HANDLE h = ::FindFirstFileW(path.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return path;
    ::FindClose(h);
    return path.parent_path() / fs::path(found.cFileName);
}

int info(const fs::path& path, FileInfo& out) {
    // Backup semantics let a folder be opened too, to be told a folder.
    HANDLE h = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return lastError();
    int err = fill(h, out);
    ::CloseHandle(h);
    return err;
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
    OpenMode mode = modeFor(how);
    HANDLE h = ::CreateFileW(path.c_str(), mode.access, kShareAll, nullptr, mode.disposition,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return openError(path);
    handle_ = reinterpret_cast<std::intptr_t>(h);
    append_ = how == OpenFor::Append || how == OpenFor::AppendNew;
    if (how == OpenFor::Replace) {
        if (int err = truncate(0)) {
            (void)close();
            return err;
        }
    }
    return 0;
}

int File::info(FileInfo& out) const {
    return fill(handleOf(handle_), out);
}

int File::read(char* into, size_t size, size_t& got) {
    got = 0;
    DWORD n = 0;
    DWORD ask = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    if (!::ReadFile(handleOf(handle_), into, ask, &n, nullptr)) {
        DWORD error = ::GetLastError();
        return error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE ? 0 : errnoOf(error);
    }
    got = n;
    return 0;
}

int File::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD n = 0;
        DWORD ask = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        // An offset of all ones writes at the end of the file, wherever it is
        // now, as O_APPEND does.
        OVERLAPPED atEnd{};
        atEnd.Offset = 0xFFFFFFFF;
        atEnd.OffsetHigh = 0xFFFFFFFF;
        if (!::WriteFile(handleOf(handle_), bytes.data(), ask, &n, append_ ? &atEnd : nullptr))
            return lastError();
        if (n == 0) return EIO;
        bytes.remove_prefix(n);
    }
    return 0;
}

int File::flush() {
    return result(::FlushFileBuffers(handleOf(handle_)));
}

int File::truncate(int64_t size) {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = size;
    if (!::SetFileInformationByHandle(handleOf(handle_), FileEndOfFileInfo, &end, sizeof end))
        return lastError();
    LARGE_INTEGER at{};
    at.QuadPart = size;
    return result(::SetFilePointerEx(handleOf(handle_), at, nullptr, FILE_BEGIN));
}

int File::setMode(unsigned mode) {
    FILE_BASIC_INFO basic{};
    if (!::GetFileInformationByHandleEx(handleOf(handle_), FileBasicInfo, &basic, sizeof basic))
        return lastError();
    DWORD attributes = basic.FileAttributes;
    if (mode & 0200)
        attributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    else
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (attributes == basic.FileAttributes) return 0;
    FILE_BASIC_INFO change{};  // zero times stay as they are
    change.FileAttributes = attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
    return result(
        ::SetFileInformationByHandle(handleOf(handle_), FileBasicInfo, &change, sizeof change));
}

int File::close() {
    if (handle_ < 0) return 0;
    return result(::CloseHandle(handleOf(std::exchange(handle_, -1))));
}

namespace {

// A virus scanner or an indexer that has just opened the file (or a file of
// the folder) keeps it from being moved for a moment: tried again for about
// a second before the failure is reported.
int moveWithRetries(const fs::path& from, const fs::path& to, DWORD flags) {
    for (DWORD attempt = 0;; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(), flags)) return 0;
        DWORD error = ::GetLastError();
        bool busy = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        if (!busy || attempt == 10) return errnoOf(error);
        ::Sleep(20 * (attempt + 1) / 2 + 10);
    }
}

}  // namespace

int renameFile(const fs::path& from, const fs::path& to) {
    return moveWithRetries(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

int renameFolder(const fs::path& from, const fs::path& to) {
    // Without MOVEFILE_REPLACE_EXISTING, which a folder cannot take, a taken
    // name is refused.
    return moveWithRetries(from, to, MOVEFILE_WRITE_THROUGH);
}

int removeFolder(const fs::path& folder) {
    return result(::RemoveDirectoryW(folder.c_str()));
}

int linkFile(const fs::path& from, const fs::path& to) {
    return result(::CreateHardLinkW(to.c_str(), from.c_str(), nullptr));
}

int removeFile(const fs::path& path) {
    return result(::DeleteFileW(path.c_str()));
}

int flushFolder(const fs::path&) {
    // Windows cannot flush a folder's names; the rename was written through.
    return 0;
}

int makeFolder(const fs::path& folder, unsigned) {
    // No mode: the folder inherits the permissions of the folder above it.
    return result(::CreateDirectoryW(folder.c_str(), nullptr));
}

int64_t processId() {
    return static_cast<int64_t>(::GetCurrentProcessId());
}

std::string hostName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!::GetComputerNameW(name, &size)) return {};
    return utf8OfWide(name, size);
}

ProcessInfo processInfo(int64_t id) {
    ProcessInfo out;
    if (id <= 0 || id > UINT32_MAX) return out;
    HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (!process) {
        // Denied: it runs, under another user, and its name is not told.
        out.running = ::GetLastError() == ERROR_ACCESS_DENIED;
        return out;
    }
    out.running = stillRunning(process);
    wchar_t image[MAX_PATH * 4] = {};
    DWORD size = static_cast<DWORD>(std::size(image));
    if (out.running && ::QueryFullProcessImageNameW(process, 0, image, &size))
        out.names.push_back(utf8Of(fs::path(std::wstring(image, size)).filename()));
    ::CloseHandle(process);
    return out;
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide) return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) out.push_back(utf8OfWide(wide[i], std::wcslen(wide[i])));
    ::LocalFree(wide);
    return out;
}

fs::path userDataFolder() {
    wchar_t* folder = nullptr;
    fs::path out;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder)))
        out = fs::path(folder);
    ::CoTaskMemFree(folder);
    return out;
}

// Windows ends a session through the program's window.
int watchEndRequests() {
    return -1;
}

int takeEndRequest() {
    return 0;
}

}  // namespace core::platform
