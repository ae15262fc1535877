// The program folder: finds data files without regard to letter case, reads
// and decodes them, and writes them so that a crash or a full disk never
// leaves a half-written or missing file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// The outcome of a write: success, or the name of the file that was not
// saved and why.
class [[nodiscard]] Status {
  public:
    Status() = default;
    static Status failure(std::string fileName, std::string reason) {
        Status s;
        s.failed_ = true;
        s.fileName_ = std::move(fileName);
        s.reason_ = std::move(reason);
        return s;
    }
    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& fileName() const { return fileName_; }
    const std::string& reason() const { return reason_; }

  private:
    bool failed_ = false;
    std::string fileName_;
    std::string reason_;
};

// The steps of a write, so that a test can make any one of them fail. The
// write steps apply to rewrites (the side file) and to appends alike.
enum class WriteStep {
    OpenSide,        // creating the side file
    WriteSide,       // half of the bytes go out, then the disk is full (ENOSPC)
    WriteError,      // the first write fails with an I/O error, nothing written
    ShortWrite,      // the system takes fewer bytes than asked, then fails (EIO)
    SyncSide,        // flushing the written bytes to the disk
    Rename,          // giving the side file the old name
    SyncFolder,      // flushing the folder after the rename
    Append,          // opening the file to append
    AppendRollback,  // cutting a failed append back to the old length
    Read,            // reading a file (permission or I/O error)
};

// A file's bytes as a reader finds them: missing (no such file), read, or
// present but unreadable (then `status` says why).
struct FileBytes {
    std::optional<std::string> bytes;
    Status status;
    bool missing() const { return !bytes && status.ok(); }
};

// The Japanese reason for a system error number, the system's own text in
// parentheses after it: "ディスクに空きがありません (No space left on device)".
std::string reasonText(int errorNumber);

// The identity and state of a file as the system keeps them: a file that has
// the same stamp has not been replaced, grown, shrunk or written since.
struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    int64_t changedSeconds = 0;
    int64_t changedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

// Called after every write, append or rename of a file through a DataDir, so
// that what was read and kept of that file is read again.
void forgetCachedFile(const std::filesystem::path& folder, std::string_view name);

class DataDir {
  public:
    explicit DataDir(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return folder_; }

    // The path of an existing file whose name matches without regard to
    // letter case, or nullopt.
    std::optional<std::filesystem::path> find(std::string_view name) const;
    bool exists(std::string_view name) const { return find(name).has_value(); }

    // The raw bytes of a file, nullopt when it is missing or unreadable.
    std::optional<std::string> readBytes(std::string_view name) const;
    // The raw bytes of a file, telling a missing file from an unreadable one.
    // With `stamp`, also the stamp of the bytes read (nullopt when the file
    // changed while it was read).
    FileBytes readFile(std::string_view name, std::optional<FileStamp>* stamp = nullptr) const;
    // The stamp of an existing regular file, nullopt otherwise.
    std::optional<FileStamp> stamp(std::string_view name) const;
    // At most `size` bytes from the start of a file, and whether that is all
    // of it; nullopt when it is missing or unreadable.
    struct Head {
        std::string bytes;
        bool whole = false;
    };
    std::optional<Head> readHead(std::string_view name, size_t size) const;
    // The decoded text of a file, nullopt when it is missing or unreadable.
    std::optional<std::string> readText(std::string_view name) const;

    // Replaces the whole file with the text: it is written to the side file in
    // the same folder, flushed, then renamed over the old name in one step (an
    // existing file keeps its own spelling of the name and its permissions).
    // A file the user made read-only is refused. On failure the old file is
    // exactly as it was; only a failing flush of the folder after the rename
    // is reported with the new content already in place.
    Status writeText(std::string_view name, std::string_view text,
                     std::string_view sideName = {}) const;
    // The same for bytes already in the file's encoding.
    Status writeBytes(std::string_view name, std::string_view bytes,
                      std::string_view sideName = {}) const;

    // Adds the text at the end of the file in one write, flushed; the file is
    // created when missing. A failed append is cut back to the old length.
    Status appendText(std::string_view name, std::string_view text) const;
    Status appendBytes(std::string_view name, std::string_view bytes) const;

    // Gives an existing file a new name that no file has yet.
    Status rename(std::string_view from, std::string_view to) const;

    // Copies a file's bytes to a new name, written as safely as writeText.
    Status copy(std::string_view from, std::string_view to) const;

    // The first of base + ext, base + "2" + ext, base + "3" + ext, ... that no
    // file of the folder has.
    std::string freeName(std::string_view base, std::string_view ext) const;

    // A test hook: called before each step of a write; returning true makes
    // that step fail as WriteStep describes.
    void setFaultHook(std::function<bool(WriteStep)> hook) { faultHook_ = std::move(hook); }
    bool hasFaultHook() const { return static_cast<bool>(faultHook_); }

  private:
    bool fails(WriteStep step) const { return faultHook_ && faultHook_(step); }
    std::optional<std::filesystem::path> findEntry(std::string_view name) const;
    int writeOut(int fd, std::string_view bytes) const;

    std::filesystem::path folder_;
    std::function<bool(WriteStep)> faultHook_;
};

}  // namespace core
