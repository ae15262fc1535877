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

#include "core/file_stamp.h"

namespace core {

namespace platform {
class File;
}
class Journal;

// The outcome of a write: success, or the name of the file that was not
// saved and why. A write refused because the file was no longer what the
// user had been shown (another program or window changed it) is a failure
// that says so, so that the caller can show the file again.
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
    static Status changed(std::string fileName, std::string reason) {
        Status s = failure(std::move(fileName), std::move(reason));
        s.changed_ = true;
        return s;
    }
    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    // Nothing was written because the file had changed since it was read.
    bool changedUnderneath() const { return changed_; }
    const std::string& fileName() const { return fileName_; }
    const std::string& reason() const { return reason_; }

  private:
    bool failed_ = false;
    bool changed_ = false;
    std::string fileName_;
    std::string reason_;
};

// The reason of a write refused because the file had changed since it was
// read.
inline constexpr std::string_view kChangedReason =
    "ほかのプログラムなどで書き換えられていたため、保存しませんでした";

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

// Makes the program folder when it is missing, with its parents, so that
// only its owner may read it or enter it (mode 0700); a folder that exists
// is left as it is, its permissions included.
Status makeDataFolder(const std::filesystem::path& folder);

// Called after every write, append or rename of a file through a DataDir, so
// that what was read and kept of that file is read again.
void forgetCachedFile(const std::filesystem::path& folder, std::string_view name);

// The program folder. Every file that it creates (a first write or append, a
// copy to a new name) is readable by its owner only (mode 0600); a rewrite of
// an existing file keeps that file's permissions.
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
    // The same, only when the file is still as it was read: `whenRead` is
    // the stamp that the read gave, nullopt for a file that was missing. The
    // stamp is checked again right before the side file takes the name; when
    // it differs, nothing is written and the Status says the file changed.
    Status replaceBytes(std::string_view name, std::string_view bytes, std::string_view sideName,
                        const std::optional<FileStamp>& whenRead) const;

    // Adds the text at the end of the file in one write, flushed; the file is
    // created when missing. A failed append is cut back to the old length.
    Status appendText(std::string_view name, std::string_view text) const;
    Status appendBytes(std::string_view name, std::string_view bytes) const;

    // Removes a file; a missing file is no failure.
    Status remove(std::string_view name) const;

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
    // A fuzzing hook: with false, writes no longer wait for the disk (no
    // flush of a file or of the folder); every other step and check runs as
    // always. Nothing in the program turns it off.
    void setFlushToDisk(bool flush) { flushToDisk_ = flush; }
    // A fuzzing hook: with true, nothing but this process writes the folder's
    // files behind its back (the harness empties the cache when it lays out a
    // folder), so the log cache keeps a file read in the moment it was
    // written, as it keeps any older file. Nothing in the program turns it on.
    void setSoleWriter(bool sole) { soleWriter_ = sole; }
    bool soleWriter() const { return soleWriter_; }

    // The journal that hears of every write, append, removal and rename of
    // the person's own files through this folder, so that it can undo them;
    // none by default. The journal outlives the folder object.
    void setJournal(Journal* journal) { journal_ = journal; }
    Journal* journal() const { return journal_; }

  private:
    bool fails(WriteStep step) const { return faultHook_ && faultHook_(step); }
    std::optional<std::filesystem::path> findEntry(std::string_view name) const;
    int writeOut(platform::File& file, std::string_view bytes) const;
    int flush(platform::File& file) const;
    int flushFolder() const;
    void aboutToWrite(std::string_view name) const;
    Status writeChecked(std::string_view name, std::string_view bytes, std::string_view sideName,
                        const std::optional<FileStamp>* whenRead) const;

    std::filesystem::path folder_;
    std::function<bool(WriteStep)> faultHook_;
    bool flushToDisk_ = true;
    bool soleWriter_ = false;
    Journal* journal_ = nullptr;
};

}  // namespace core
