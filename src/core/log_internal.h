// What the weight log's files share inside src/core: the lines read from its
// bytes, a log split into them, the new bytes of a rewrite, and the reasons a
// write is refused. Only the log's own files include it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/codepage.h"
#include "core/data_dir.h"
#include "core/fields.h"
#include "core/structural_index.h"
#include "core/weight_log.h"

namespace core::log_internal {

// Why a write of the log failed: the log is full, it changed while it was
// read, it cannot be read (`read` tells why), or a rewrite lost a line.
Status logFull();
Status logChanged();
Status cannotRead(const Status& read);
Status lostLines();

// Why a record cannot be written as it is, or nullopt when it can.
std::optional<Status> refuseRecord(const WeightRecord& r);

enum class LineRead { Record, Unreadable, Uncommon };

// The raw bytes of a line in the common form: its weight and its texts
// (situation, diary, spare fields; missing ones empty) as they stand in the
// file, and how many fields it has.
struct RawFields {
    std::string_view weight;
    std::array<std::string_view, 4> texts;
    int count = 0;
    bool plainTexts = false;  // as DecodedTexts::text tells
};

// The common form of a record line, read from the structural index:
// "yyyy/mm/dd","situation",weight and up to three more texts, every text
// quoted right at its commas and the weight bare. On Record and Unreadable (a
// line in this form with a byte that is not Shift-JIS) `pos` is left at the
// line's end; Uncommon leaves the line to parseRecordLine, which reads it the
// same when it is in this form. The byte at the end of `bytes` is readable
// (a std::string's terminating null), and no position the walk gives lies
// beyond it.
// `out` holds the last record read, whose date (a real one) needs no second
// check when the next line repeats it.
LineRead readCommonLine(const StructuralIndex& index, const std::string& bytes, size_t& pos,
                        DecodedTexts& texts, RecordView& out, RawFields& raw);

// The line end at `pos`, which is a line end or the end of the bytes.
std::string_view lineEndAt(std::string_view bytes, size_t pos);

// Whether every byte of `text` is ASCII.
bool isAscii(std::string_view text);

// Reads the lines of a log's raw bytes as every reader of the log reads
// them: a line ends at CR LF, a bare LF, a bare CR (old editors end lines
// so), or the end of an unended last line. The records' texts point into
// `bytes` or `texts`.
class LineReader {
  public:
    LineReader(const std::string& bytes, DecodedTexts& texts)
        : bytes_(bytes), index_(bytes), texts_(texts) {}

    struct Line {
        std::string_view raw, end;
        const RecordView* record;  // the record it holds, or nullptr
        const RawFields* common;   // its raw fields when it is a record in the common form
    };
    // The line that starts at `pos`; what it points to lasts until the next read.
    Line read(size_t pos) {
        const size_t start = pos;
        LineRead read = readCommonLine(index_, bytes_, pos, texts_, record_, raw_);
        const bool common = read == LineRead::Record;
        std::string_view line, lineEnd;
        if (read == LineRead::Uncommon) {
            std::string_view rest = std::string_view(bytes_).substr(start);
            line = takeLine(rest, lineEnd);
            bool clean = true, plain = true;
            std::string_view text = texts_.text(line, isAscii(line), clean, plain);
            read =
                parseRecordLine(text, fields_, record_) ? LineRead::Record : LineRead::Unreadable;
        } else {
            line = std::string_view(bytes_).substr(start, pos - start);
            lineEnd = lineEndAt(bytes_, pos);
        }
        return {line, lineEnd, read == LineRead::Record ? &record_ : nullptr,
                common ? &raw_ : nullptr};
    }

  private:
    const std::string& bytes_;
    StructuralIndex index_;
    DecodedTexts& texts_;
    std::vector<std::string_view> fields_;
    RecordView record_;
    RawFields raw_;
};

// Walks the lines of a log's raw bytes: f(line, its line end, the record it
// holds or nullptr, its raw fields when it is a record in the common form or
// nullptr).
template <typename F>
void forEachLogLine(const std::string& bytes, DecodedTexts& texts, F&& f) {
    LineReader reader(bytes, texts);
    for (size_t pos = 0; pos < bytes.size();) {
        const LineReader::Line line = reader.read(pos);
        f(line.raw, line.end, line.record, line.common);
        pos += line.raw.size() + line.end.size();
    }
}

// One line of the log as it stands in the file: its bytes, the size of its
// line end (which follows them), the record it holds when it is readable, and
// whether its bytes are exactly what writing that record again gives
// (`plain`), so that a rewrite that keeps the record as it is copies the
// bytes instead. A save goes through a whole log's table of them twice,
// so a line is kept small.
struct LogLine {
    std::string_view raw;
    RecordView held;
    uint8_t endSize = 0;
    bool readable = false;
    bool plain = false;

    const RecordView* record() const { return readable ? &held : nullptr; }
};

// A log's bytes split into lines, each with the record it holds, and, for
// a rewrite that may copy records as they are, whether each is plain.
enum class FindPlain { No, Yes };

struct SplitLog {
    explicit SplitLog(const std::string& bytes, FindPlain find = FindPlain::No);
    ~SplitLog();
    SplitLog(const SplitLog&) = delete;
    SplitLog& operator=(const SplitLog&) = delete;
    DecodedTexts texts;
    size_t size;  // of the bytes
    std::vector<LogLine> lines;
    int32_t records = 0;
    int32_t others = 0;  // unreadable and blank lines
};

// The readable records of a log's bytes and its other lines, blank ones
// included.
struct LineCounts {
    int32_t records = 0;
    int32_t others = 0;
};

LineCounts countLines(const std::string& bytes);
int32_t countRecords(const std::string& bytes);

// The new bytes of a rewritten log: kept lines as they were, records in the
// program's form. A kept last line without a line end gets one when more
// follows.
class LogBuilder {
  public:
    // Room for the bytes of a log of `size` bytes rewritten, and a few lines more.
    explicit LogBuilder(size_t size) { bytes_.reserve(size + 1024); }
    // Kept lines that follow one another in the old bytes are copied in one
    // piece, when a line written anew or the end comes.
    void keep(const LogLine& line) {
        const size_t size = line.raw.size() + line.endSize;
        if (keptSize_ > 0 && kept_ + keptSize_ == line.raw.data()) {
            keptSize_ += size;
        } else {
            copyKept();
            separate();
            kept_ = line.raw.data();
            keptSize_ = size;
        }
        open_ = line.endSize == 0;
    }
    void put(const WeightRecord& r) {
        put(r.Date, r.Situation, r.Weight, r.Diary, r.Spare1, r.Spare2);
    }
    void put(std::string_view date, std::string_view situation, float weight,
             std::string_view diary, std::string_view spare1, std::string_view spare2) {
        copyKept();
        separate();
        line_.clear();
        LineWriter(line_)
            .text(date)
            .text(situation)
            .weight(weight)
            .text(diary)
            .text(spare1)
            .text(spare2)
            .end();
        const size_t start = bytes_.size();
        if (appendEncodedCp932(line_, bytes_))
            written_.emplace_back(start, bytes_.size() - start - kLineEnd.size());
        else
            failed_ = true;
    }
    // A plain line with the bytes [at, at + size) of its raw line replaced by
    // `bytes`; the record it then holds is written anew.
    void splice(const LogLine& line, size_t at, size_t size, std::string_view bytes) {
        copyKept();
        separate();
        const size_t start = bytes_.size();
        bytes_.append(line.raw.substr(0, at)).append(bytes).append(line.raw.substr(at + size));
        written_.emplace_back(start, bytes_.size() - start);
        bytes_ += kLineEnd;
    }
    bool failed() const { return failed_; }
    const std::string& bytes() {
        copyKept();
        return bytes_;
    }
    // Where the lines written anew stand in the bytes, without their line ends.
    const std::vector<std::pair<size_t, size_t>>& written() const { return written_; }

  private:
    void separate() {
        if (open_) bytes_ += kLineEnd;
        open_ = false;
    }
    void copyKept() {
        if (keptSize_ == 0) return;
        bytes_.append(kept_, keptSize_);
        keptSize_ = 0;
    }
    std::string bytes_;
    const char* kept_ = nullptr;  // the kept lines not copied yet
    size_t keptSize_ = 0;
    std::string line_;
    std::vector<std::pair<size_t, size_t>> written_;  // start, size
    bool open_ = false;
    bool failed_ = false;
};

// The log as it is on disk, for a rewrite that must not overwrite a change
// made after it was read: its bytes ("" when it is missing) and their stamp
// (nullopt when it is missing). Nullopt, with the reason in `status`, when it
// cannot be read or changed while it was read.
struct LogOnDisk {
    std::string bytes;
    std::optional<FileStamp> stamp;
    bool missing = false;
};
std::optional<LogOnDisk> readLogOnDisk(const DataDir& dir, Status& status);

}  // namespace core::log_internal
