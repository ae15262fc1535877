// The lock of a data folder: while one program (the window or the script
// driver) has a folder open, a second start on the same folder is told who
// has it, instead of both writing the same files. The lock is the file
// "yaserunba.lock" in the folder, made exclusively and holding three lines:
// the process id, the program name and the host name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/data_dir.h"

namespace core {

inline constexpr std::string_view kLockFile = "yaserunba.lock";
inline constexpr std::string_view kProgramName = "yaserunba";

// Held while the object lives; its destructor removes the file. A lock file
// that an earlier run left behind is taken over when it is plainly stale: it
// names this host and a process id that no program of ours runs under now
// (none runs, or the id went to another program after a restart), or it
// cannot be read and is older than a few seconds (a crash while it was
// written). A lock of another host is never taken over: only its user can
// tell whether that program still runs.
class FolderLock {
  public:
    enum class State { Taken, TakenOverStale, HeldByOther, Failed };

    // Never throws.
    static FolderLock take(const DataDir& dir);

    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

    State state() const { return state_; }
    bool held() const { return state_ == State::Taken || state_ == State::TakenOverStale; }
    // For the message: who holds the folder (HeldByOther), or why the lock
    // could not be taken (Failed), in Japanese; empty when held.
    const std::string& detail() const { return detail_; }

  private:
    FolderLock() = default;
    // Removes the lock file when it is still this lock's own.
    void release();

    std::filesystem::path path_;
    State state_ = State::Failed;
    std::string detail_;
    FileStamp own_;  // the lock file this object made, as written
};

}  // namespace core
