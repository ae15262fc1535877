// The data layer's calls to the operating system, in one place: file names,
// files opened, read, written, flushed, renamed and removed, permissions, and
// what the lock of a data folder needs to know of processes and of this
// machine. platform_posix.cpp implements it for Linux and other POSIX
// systems, platform_windows.cpp for Windows, and platform.cpp what is the
// same on both, on top of their calls; nothing else in the program includes
// a system header. A call that can fail gives 0 or an error number
// (an errno value, which reasonText puts into words; Windows' own errors are
// turned into the nearest one).
//
// Permissions: on POSIX a mode is the usual permission bits (0600 and the
// like). Windows has no such bits: there a file's mode reads as 0600, or
// 0400 when it has the read-only attribute; setting a mode sets or clears
// that attribute from the owner's write bit and changes nothing else; a
// folder is made with the permissions it inherits from the folder above it
// (under the user's profile, the user's alone).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_stamp.h"

namespace core::platform {

// The path of a name or a path in UTF-8, the program's text. On Windows the
// path holds UTF-16 and every call is the wide-character one, so that
// Japanese names never pass through the ANSI code page.
std::filesystem::path pathOf(std::string_view utf8);
// A name or path as UTF-8; on Windows a name that is not valid UTF-16 gets
// U+FFFD where it is broken, rather than failing.
std::string utf8Of(const std::filesystem::path& path);

// The path with its last part spelled as the folder lists it: names that
// differ only in letter case are one file on Windows, and the program keeps
// the spelling that the file has. Unchanged where names are exact, or when
// nothing is found.
std::filesystem::path asListed(const std::filesystem::path& path);

// What the system says of an entry of a folder.
struct FileInfo {
    bool regular = false;
    bool folder = false;
    bool ownerWrites = false;  // the owner may write to it
    unsigned mode = 0;         // the permission bits, 0600 and the like (see above)
    FileStamp stamp;
};

// The entry at `path`, symbolic links followed: 0, ENOENT when there is none,
// or another error number.
int info(const std::filesystem::path& path, FileInfo& out);

enum class OpenFor {
    Read,
    Replace,    // writing, emptied when it exists, made with mode 0600 when not
    CreateNew,  // writing a file that must not exist yet (else EEXIST), mode 0600
    Append,     // appending to an existing file
    AppendNew,  // appending to a file that must not exist yet (else EEXIST), mode 0600
};

// An open file, closed when the object goes.
class File {
  public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    int open(const std::filesystem::path& path, OpenFor how);
    bool isOpen() const { return handle_ >= 0; }
    int info(FileInfo& out) const;
    // Reads up to `size` bytes; `got` is 0 at the end of the file.
    int read(char* into, size_t size, size_t& got);
    // Reads the rest of the file onto the end of `out`.
    int readAll(std::string& out);
    // Writes all the bytes, going on after a short write.
    int writeAll(std::string_view bytes);
    // Flushes what was written to the disk.
    int flush();
    int truncate(int64_t size);
    int setMode(unsigned mode);
    int close();

  private:
    std::intptr_t handle_ = -1;  // a descriptor, or a Windows HANDLE
    bool append_ = false;        // every write goes to the end of the file
};

// Gives the file the name `to` in one step, replacing a file of that name
// (rename on POSIX; on Windows MoveFileExW, replacing and written through).
int renameFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Gives the file a second name; EEXIST when `to` exists already.
int linkFile(const std::filesystem::path& from, const std::filesystem::path& to);
int removeFile(const std::filesystem::path& path);
// Gives a folder the name `to` in one step; never replaces anything: EEXIST
// (or ENOTEMPTY) when `to` exists. (renameFile cannot rename a folder on
// Windows, where MoveFileExW refuses to replace with a folder.)
int renameFolder(const std::filesystem::path& from, const std::filesystem::path& to);
// Removes an empty folder; ENOTEMPTY when something is left in it.
int removeFolder(const std::filesystem::path& folder);
// Flushes a folder's list of names to the disk, after a rename in it. Windows
// cannot flush a folder: there it does nothing, and the rename itself is
// written through to the disk before it returns.
int flushFolder(const std::filesystem::path& folder);
// Makes one folder with exactly these permissions (on Windows, those it
// inherits); EEXIST when it exists.
int makeFolder(const std::filesystem::path& folder, unsigned mode);

// This process's id, and the name of this machine ("" when it has none;
// on Windows the computer's name).
int64_t processId();
std::string hostName();

// What can be told of the process of an id: whether it runs, and the names it
// runs under (its program's file name and the name the system shows), empty
// when the system does not tell them.
struct ProcessInfo {
    bool running = false;
    std::vector<std::string> names;
};
ProcessInfo processInfo(int64_t id);

// The program's arguments as UTF-8 texts, the program's own name first: on
// Windows read again as the UTF-16 the system keeps (the narrow ones went
// through the ANSI code page, which loses a Japanese folder name), elsewhere
// as they were given.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Where a user's programs keep their data: $XDG_DATA_HOME, or ~/.local/share,
// on POSIX systems; the roaming application data folder (%APPDATA%) that
// Windows names, on Windows. Empty when the system names none.
std::filesystem::path userDataFolder();

// ---- a request from outside to end the program: SIGTERM, SIGINT or SIGHUP
// (a logout, a `kill`, Ctrl+C) on POSIX systems. Windows tells a program of
// the end of a session through its window instead.
// Starts to watch for one, once for the whole run: a request then only
// writes a byte into a pipe (whatever the program is doing, a save goes on to
// its end) and is noted. Returns the pipe's end to read, which becomes
// readable when a request came; -1 where no request can come.
int watchEndRequests();
// The signal of the first request since watching began, 0 for none; empties
// the pipe.
int takeEndRequest();

}  // namespace core::platform
