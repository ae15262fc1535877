// The journal of the person's changes since the program started: every act
// that writes one of their own files through a DataDir (a weighing saved, a
// record deleted, the situation list sorted, the memo saved, ...) is one
// entry that can be undone, and an undone entry can be done again. Each
// entry keeps, for each file it wrote, enough to give back the bytes before
// and the bytes after: the part that changed on either side, and a hash and
// size of each side, so that an undo knows the file is still exactly what
// the act left, while a weighing appended to a large log costs a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_dir.h"

namespace core {

// The files an undo takes back: the log, the situation list, the conversion
// table, the memo and the profile. Settings files are not among them.
inline constexpr std::string_view kJournalledFiles[] = {"データ.txt", "状況リスト.txt", "換算.txt",
                                                        "気付きメモ.txt", "ﾌﾟﾗｲﾍﾞｰﾄ.txt"};

// The journalled file of that name (letter case aside), or empty.
std::string_view journalledName(std::string_view name);

class Journal {
  public:
    static constexpr size_t kLimit = 50;

    // The writes of journalled files between begin and end are one entry.
    // Nested acts are part of the outermost one.
    void begin(const DataDir& dir, std::string description);
    // The description once the act knows it (the count of records imported).
    void describe(std::string description);
    // Closes the act: an act that left every file as it was is no entry.
    void end();

    // Called by the DataDir right before it writes, appends to, removes or
    // renames a file. A journalled file written outside any act cannot be
    // undone, and the entries before it could no longer be: the journal is
    // emptied.
    void beforeWrite(const DataDir& dir, std::string_view name);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    const std::string& undoDescription() const;
    const std::string& redoDescription() const;
    size_t undoCount() const { return undo_.size(); }
    void clear();

    struct Outcome {
        enum class Kind { Done, Changed, Failed };
        Kind kind = Kind::Done;
        std::string description;
        // Done: the files written back, in their journalled spelling.
        std::vector<std::string> files;
        // Changed: the file that is no longer what the act left; Failed: the
        // write that failed (every file is then as it was before the call).
        std::string fileName;
        Status status;
    };
    // Writes every file of the newest entry back to its bytes before the act
    // (a file the act created is removed), only while each still holds the
    // bytes the act left; the entry then waits on the redo side. A file
    // changed since (another program, a sync) refuses it, writes nothing and
    // empties the journal.
    Outcome undo(const DataDir& dir);
    // The mirror of undo.
    Outcome redo(const DataDir& dir);

  private:
    // One side of a file's change: whether the file existed and under which
    // spelling of its name, its size and hash, and the bytes between the part
    // shared with the other side.
    struct Side {
        bool exists = false;
        std::string spelling;
        size_t size = 0;
        uint64_t hash = 0;
        std::string middle;
    };
    struct FileChange {
        std::string name;
        size_t prefix = 0;  // bytes shared at the start
        size_t suffix = 0;  // and at the end
        Side before;
        Side after;
    };
    struct Entry {
        std::string description;
        std::vector<FileChange> files;
    };
    // A file as captured before the act's first write of it.
    struct Captured {
        std::string name;
        bool exists = false;
        std::string spelling;
        std::string bytes;
    };

    Outcome replay(const DataDir& dir, std::deque<Entry>& from, std::deque<Entry>& to,
                   bool backwards);

    std::deque<Entry> undo_;
    std::deque<Entry> redo_;
    // The act under way.
    int depth_ = 0;
    const DataDir* actDir_ = nullptr;
    std::string actDescription_;
    std::vector<Captured> captured_;
    bool actBroken_ = false;  // a file could not be read before its write
    // True while the journal itself writes (undo, redo).
    bool replaying_ = false;
};

// An act of the person's, journalled from construction to destruction. With
// no journal attached to the folder it does nothing.
class JournalAct {
  public:
    JournalAct(const DataDir& dir, std::string description);
    ~JournalAct();
    JournalAct(const JournalAct&) = delete;
    JournalAct& operator=(const JournalAct&) = delete;
    void describe(std::string description);

  private:
    Journal* journal_;
};

}  // namespace core
