// The weight log "データ.txt": one weighing per line, in date order, and the
// ways in which the program reads and writes it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_dir.h"

namespace core {

inline constexpr std::string_view kLogFile = "データ.txt";
inline constexpr std::string_view kInsertSideFile = "データコピー.txt";
inline constexpr std::string_view kRenameSideFile = "データＣＨＧ.txt";
inline constexpr std::string_view kLegacyLogFile = "連続体重.txt";
inline constexpr int kMaxRecords = 32767;

struct WeightRecord {
    std::string Date;  // "yyyy/mm/dd"
    std::string Situation;
    float Weight = 0;
    std::string Diary;
    std::string Spare1;
    std::string Spare2;
};

// A record as the scan hands it out; its texts point into the scan's buffer
// and stay valid while the scan lives.
struct RecordView {
    std::string_view Date;
    std::string_view Situation;
    float Weight = 0;
    std::string_view Diary;
    std::string_view Spare1;
    std::string_view Spare2;

    WeightRecord toRecord() const;
};

struct WeightLogSummary {
    std::string FirstDate;
    float FirstWeight = 0;
    float FirstBmi = 0;
    float FirstObesity = 0;
    std::string LastDate;
    float LastWeight = 0;
    int32_t RecordCount = 0;
};

// Reads one line of the log. A line is readable when it has three to six
// fields, the date ("yyyy/mm/dd", a real date), the situation and a weight
// that a single holds as a finite number, every quoted text closed right
// before its comma, and no byte that is not Shift-JIS. Every reader skips the
// other lines (two records run together on one line are such a line).
bool parseRecordLine(std::string_view line, std::vector<std::string_view>& fields, RecordView& out);

// The line of a record, ended by CR LF.
std::string recordLine(const WeightRecord& record);

// A record as the program names it to the person: "2024/06/10　朝食前　60.2Kg".
std::string recordCaption(std::string_view date, std::string_view situation, float weight);

// The texts of a log's records that are not plain ASCII, decoded one after
// another into one buffer sized for the whole file, so that they never move.
class DecodedTexts {
  public:
    // For texts that lie within `bytes`; with `findPlain`, each text is also
    // told plain or not (below), which costs an encoding of each new text.
    explicit DecodedTexts(std::string_view bytes, bool findPlain = false);
    // The text of a field's raw bytes (within the bytes given above): the
    // bytes themselves when they are ASCII (`ascii`) that decodes to itself,
    // else their decoding here. `clean` turns false when some byte is not
    // Shift-JIS; `plain` turns false when writing the text gives other bytes
    // than `raw` (Shift-JIS has a few characters with two codes, and the
    // program writes one of them), and for every decoded text when plainness
    // was not asked for.
    std::string_view text(std::string_view raw, bool ascii, bool& clean, bool& plain) {
        return ascii && keepsAscii_ ? raw : decoded(raw, clean, plain);
    }

  private:
    std::string_view decoded(std::string_view raw, bool& clean, bool& plain);
    // The first and the last eight bytes of a text (fewer bytes: them alone,
    // and 0), which with its size tell the texts apart up to 16 bytes.
    struct Key {
        uint64_t head = 0, tail = 0;
        bool operator==(const Key&) const = default;
    };
    Key keyOf(std::string_view raw) const;
    // The latest decodings by a hash of their bytes, two a hash, the latest
    // first: a log repeats its few situations and diaries on line after line.
    struct Decoding {
        std::string_view raw, text;
        Key key;
        bool plain = false;
    };
    std::array<Decoding, 256> recent_{};
    const char* begin_;
    std::unique_ptr<char[]> buffer_;
    char* end_;
    bool keepsAscii_;
    bool findPlain_;
    std::string encoded_;  // a new text written again, to compare with its bytes
};

// A log read once: its bytes, its readable records in file order (their
// texts point into `bytes` or `texts`), and the count of the other lines that
// are not blank.
struct ParsedLog {
    ParsedLog() = default;
    ParsedLog(const ParsedLog&) = delete;
    ParsedLog& operator=(const ParsedLog&) = delete;
    std::string bytes;
    // The decodings of its lines: one for a log parsed whole, and one more
    // for each time lines were added at its end and only they were parsed.
    std::vector<std::shared_ptr<const DecodedTexts>> texts;
    std::vector<RecordView> records;
    int32_t unreadableLines = 0;
    bool missing = false;  // no such file, read as an empty one
    Status status;         // failed when the file exists but cannot be read
};

// Parses a log's bytes, which it keeps.
void parseLogBytes(std::string bytes, ParsedLog& out);

// True when `bytes` are those of `earlier` with whole lines added after
// them, which parseAppendedLog then parses alone.
bool continuesLog(const ParsedLog& earlier, std::string_view bytes);
// Parses such bytes, which it keeps: the lines added are parsed, the others
// taken over from `earlier`, as parsing them all would give them.
void parseAppendedLog(std::string bytes, const ParsedLog& earlier, ParsedLog& out);

// What a list of logs shows of each: the count of its readable records and
// the dates of the first and the last of them in file order ("" without
// records), read from its bytes as every reader reads the log, with no
// record kept.
struct LogExtent {
    int32_t records = 0;
    std::string firstDate;
    std::string lastDate;
};
LogExtent logExtent(const std::string& bytes);

// The readable records of the log in file order, for computations that want
// them all at once.
struct LogRecords {
    std::vector<WeightRecord> records;
    int32_t unreadableLines = 0;  // lines that are neither a record nor blank
    bool missing = false;         // no log yet, read as an empty one
    Status status;                // failed when the log exists but cannot be read
};

// The log as last read, kept while the file stays as it was: a request costs
// one stat when nothing changed and reads the file again when anything did
// (device, inode, size, modification or change time), a write by another
// program included. Every write through a DataDir forgets the file. A file
// whose time stamp is too recent to tell a later write in the same clock
// tick is read again on the next request.
std::shared_ptr<const ParsedLog> parsedLog(const DataDir& dir, std::string_view name = kLogFile);
// The log as last parsed, when it was parsed from exactly these bytes;
// nullptr otherwise. Reads nothing.
std::shared_ptr<const ParsedLog> keptLog(const DataDir& dir, std::string_view bytes);
std::shared_ptr<const LogRecords> sharedLogRecords(const DataDir& dir);
// Empties the cache (for measuring a cold read).
void forgetCachedLogs();

// The scan: the records handed out in file order. A missing file scans as
// empty; so does one that cannot be read, which `status` tells.
class LogScan {
  public:
    explicit LogScan(const DataDir& dir, std::string_view name = kLogFile);
    bool next(RecordView& record);
    bool missing() const { return log_->missing; }
    // Failed when the file exists but cannot be read.
    const Status& status() const { return log_->status; }
    int unreadableLines() const { return log_->unreadableLines; }
    const std::vector<RecordView>& records() const { return log_->records; }

  private:
    std::shared_ptr<const ParsedLog> log_;
    size_t at_ = 0;
};

// A copy of the cached records.
LogRecords readLogRecords(const DataDir& dir);

inline LogScan READ_LOG(const DataDir& dir) {
    return LogScan(dir);
}

// The first readable record, reading no more of the file than it needs.
std::optional<WeightRecord> readFirstRecord(const DataDir& dir);

// Every writer below refuses a record it cannot store faithfully (a date that
// is not "yyyy/mm/dd", a weight that is not a finite number, a text with a
// double quote, a line break or a character Shift-JIS lacks), and every one
// that reads the log first refuses to write when the log cannot be read: a
// failed Status, and the log as it was. The log is full at 32767 readable
// records; lines the reader skips do not count.

// Adds a weighing at the end of the log. Refused when the log is full.
Status APPEND_LOG(const DataDir& dir, const WeightRecord& record);

// Inserts a back-dated weighing after every record of its date and of
// earlier dates; the records copied keep fields 1 to 4 and take field 6 into
// both spare fields, and every line that is not a readable record is carried
// over byte for byte. Refused when the log is full.
Status INSERT_LOG(const DataDir& dir, const WeightRecord& record);

// Replaces the log with these records, spare fields written empty.
Status REWRITE_LOG(const DataDir& dir, const std::vector<WeightRecord>& records);

// Replaces the log with the first record of a new diet.
Status RESET_LOG(const DataDir& dir, const WeightRecord& first);

// Rewrites the log through "データＣＨＧ.txt", giving every record whose
// situation equals `from` exactly the situation `to`; other lines are kept
// byte for byte.
Status renameSituationInLog(const DataDir& dir, std::string_view from, std::string_view to);

// Rewrites of one record, addressed by its index among the readable records
// (0 for the first). Every other line, readable or not, stays byte for byte;
// the edited record is written in the program's own form, its spare fields as
// they were. Refused when there is no such record.
Status replaceDiary(const DataDir& dir, int32_t index, std::string_view diary);
Status replaceWeight(const DataDir& dir, int32_t index, float weight);
Status removeRecord(const DataDir& dir, int32_t index);

// What a panel showed of one record: its index among the readable records
// (0 for the first) and its fields as shown.
struct ShownRecord {
    int32_t index = 0;
    std::string Date;
    std::string Situation;
    float Weight = 0;
    std::string Diary;

    static ShownRecord of(int32_t index, const WeightRecord& record) {
        return {index, record.Date, record.Situation, record.Weight, record.Diary};
    }
};

// The same rewrites, made only while the record at that index is still the
// one shown: the same date, situation, weight (the same float) and diary.
// When it is not, or when the log changes again before the new one takes its
// name, nothing is written and the Status tells so (changedUnderneath), for
// another program, another window or a sync changed the log since it was
// shown.
Status replaceDiary(const DataDir& dir, const ShownRecord& shown, std::string_view diary);
Status replaceWeight(const DataDir& dir, const ShownRecord& shown, float weight);
Status removeRecord(const DataDir& dir, const ShownRecord& shown);

// Saves a new weighing against the log as it is on disk now, whatever was
// shown: when the last readable record (in file order) has a later date, the
// weighing is inserted as INSERT_LOG inserts it (no time in its diary);
// otherwise it is appended with `timeIfAppended` as its diary (empty when
// the automatic time is off). A log that changes while it is saved is read
// again, so that no save puts an ordered log out of order.
Status saveWeighing(const DataDir& dir, const WeightRecord& record,
                    std::string_view timeIfAppended);

// Adds imported weighings to the log. Every existing line stays byte for
// byte and in its order, unreadable and blank ones included; each added
// record goes where INSERT_LOG would put it, inserted one after another:
// before the first existing record with a later date, after every record of
// its date and of earlier dates, and after the added records of its date
// that come before it. Added records are written with an empty diary and
// empty spare fields. The old log is kept first as "データbak.txt" (or the
// next free name) when there is one. Refused, with nothing written, when the
// log cannot be read, when an added record cannot be stored, or when the log
// would hold more than 32767 records.
inline constexpr std::string_view kBackupBase = "データbak";
Status mergeRecords(const DataDir& dir, const std::vector<WeightRecord>& added);

// The legacy log "連続体重.txt" (date, situation, weight per line).
bool legacyLogExists(const DataDir& dir);

// Converts the legacy log into "データ.txt" (legacy lines it cannot read are
// carried over as they are, for the start-up notice). The log it replaces is kept as
// "データbak.txt" (or the next free name), and the legacy file takes the name
// "連続体重bak.txt" (or the next free name) so that it is not offered again.
Status CONV_RENZOKU(const DataDir& dir);

}  // namespace core
