// One line of the weight log: reading a record from it, in the common form
// straight from the structural index or field by field, writing one, the
// texts decoded from its bytes, and which records can be written at all.
#include "core/log_internal.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "core/codepage.h"
#include "core/dates.h"
#include "core/numbers.h"

namespace core {

using namespace log_internal;

namespace {

// A weight as the log writes it; "nan", "inf" and numbers beyond a single's
// range (from_chars refuses those) are no weight.
bool parseWeight(std::string_view text, float& weight) {
    if (text.empty()) return false;
    if (text.front() == '+') text.remove_prefix(1);
    return readWholeFloat(text, weight) && std::isfinite(weight);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Every quoted field closes right before its comma or the end of the line,
// and no bare field holds a quote. A line where a lost line end joined two
// records fails this.
bool wellQuoted(std::string_view line) {
    size_t pos = 0;
    while (true) {
        while (pos < line.size() && isBlank(line[pos])) ++pos;
        if (pos < line.size() && line[pos] == '"') {
            size_t close = line.find('"', pos + 1);
            if (close == std::string_view::npos) return false;
            pos = close + 1;
            while (pos < line.size() && isBlank(line[pos])) ++pos;
            if (pos == line.size()) return true;
            if (line[pos] != ',') return false;
        } else {
            size_t comma = line.find(',', pos);
            if (line.substr(pos, comma - pos).find('"') != std::string_view::npos) return false;
            if (comma == std::string_view::npos) return true;
            pos = comma;
        }
        ++pos;
    }
}

// A weight as the program writes most of them, one to three digits, a point
// and one digit, read as readWholeFloat reads it (the same division); false
// for any other text.
bool readShortWeight(const char* p, size_t size, float& weight) {
    if (size < 3 || size > 5 || p[size - 2] != '.') return false;
    uint32_t digits = 0;
    for (size_t i = 0; i < size; ++i) {
        if (i == size - 2) continue;
        auto digit = static_cast<uint32_t>(static_cast<unsigned char>(p[i]) - '0');
        if (digit > 9) return false;
        digits = digits * 10 + digit;
    }
    weight = static_cast<float>(digits) / 10.0f;
    return true;
}

bool readBareWeight(std::string_view text, float& weight) {
    if (readShortWeight(text.data(), text.size(), weight)) return true;
    return !text.empty() && text.front() != '+' && readWholeFloat(text, weight) &&
           std::isfinite(weight);
}

// The text of the field of raw bytes `raw` that starts at `from`.
[[gnu::always_inline]] inline std::string_view fieldText(const StructuralIndex& index,
                                                         DecodedTexts& texts, std::string_view raw,
                                                         size_t from, bool& clean, bool& plain) {
    if (raw.empty()) return raw;
    return texts.text(raw, !index.anyHigh(from, from + raw.size()), clean, plain);
}

}  // namespace

namespace log_internal {

std::optional<Status> refuseRecord(const WeightRecord& r) {
    auto refuse = [](std::string reason) {
        return Status::failure(std::string(kLogFile), std::move(reason));
    };
    if (!isPlainDate(r.Date))
        return refuse("日付「" + r.Date + "」は yyyy/mm/dd の日付ではありません");
    if (!std::isfinite(r.Weight)) return refuse("体重が数値ではありません");
    for (const std::string* text : {&r.Situation, &r.Diary, &r.Spare1, &r.Spare2})
        if (!isStorableText(*text))
            return refuse("「" + *text +
                          "」には記録できない文字（\"、改行、Shift-JIS にない文字）があります");
    return std::nullopt;
}

LineRead readCommonLine(const StructuralIndex& index, const std::string& bytes, size_t& pos,
                        DecodedTexts& texts, RecordView& out, RawFields& raw) {
    const char* const b = bytes.data();
    const char* q = b + pos;
    if (bytes.size() - pos < 18 || q[0] != '"' || q[11] != '"' || q[12] != ',' || q[13] != '"')
        return LineRead::Uncommon;
    std::string_view date(q + 1, 10);
    if (!sameDateText(date, out.Date) && !isPlainDate(date)) return LineRead::Uncommon;
    StructuralCursor walk = index.at(pos + 14);
    const size_t close = walk.next();  // of the situation
    if (b[close] != '"' || b[close + 1] != ',') return LineRead::Uncommon;
    size_t at = walk.next();         // the next text's opening quote, or the line's end
    const bool more = b[at] == '"';  // after a comma
    const size_t weightEnd = more ? at - 1 : at;
    if ((more && b[weightEnd] != ',') || weightEnd < close + 2) return LineRead::Uncommon;
    if (!readBareWeight(std::string_view(b + close + 2, weightEnd - close - 2), out.Weight))
        return LineRead::Uncommon;
    size_t first[3] = {}, last[3] = {};
    int i = 0;
    for (; b[at] == '"'; ++i) {
        if (i == 3) return LineRead::Uncommon;
        first[i] = at + 1;
        last[i] = walk.next();
        at = walk.next();
        // Closed right before the line's end, or before a comma and the next text.
        if (b[last[i]] != '"' ||
            (at == last[i] + 1 ? b[at] == '"'
                               : at != last[i] + 2 || b[at - 1] != ',' || b[at] != '"'))
            return LineRead::Uncommon;
    }
    bool clean = true, plain = true;
    const size_t situation = pos + 14;
    raw.weight = {b + close + 2, weightEnd - close - 2};
    raw.texts = {std::string_view(b + situation, close - situation),
                 {b + first[0], last[0] - first[0]},
                 {b + first[1], last[1] - first[1]},
                 {b + first[2], last[2] - first[2]}};
    raw.count = 3 + i;
    out.Date = date;
    out.Situation = fieldText(index, texts, raw.texts[0], situation, clean, plain);
    out.Diary = fieldText(index, texts, raw.texts[1], first[0], clean, plain);
    out.Spare1 = fieldText(index, texts, raw.texts[2], first[1], clean, plain);
    out.Spare2 = fieldText(index, texts, raw.texts[3], first[2], clean, plain);
    raw.plainTexts = plain;
    pos = at;
    return clean ? LineRead::Record : LineRead::Unreadable;
}

std::string_view lineEndAt(std::string_view bytes, size_t pos) {
    if (pos == bytes.size()) return {};
    bool crlf = bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n';
    return bytes.substr(pos, crlf ? 2 : 1);
}

bool isAscii(std::string_view text) {
    unsigned char high = 0;
    for (char c : text) high |= static_cast<unsigned char>(c);
    return high < 0x80;
}

}  // namespace log_internal

WeightRecord RecordView::toRecord() const {
    return WeightRecord{std::string(Date),  std::string(Situation), Weight,
                        std::string(Diary), std::string(Spare1),    std::string(Spare2)};
}

bool parseRecordLine(std::string_view line, std::vector<std::string_view>& fields,
                     RecordView& out) {
    if (line.find(kBadByteMark) != std::string_view::npos || !wellQuoted(line)) return false;
    splitFields(line, fields);
    if (fields.size() < 3 || fields.size() > 6 || !isPlainDate(fields[0]) ||
        !parseWeight(fields[2], out.Weight))
        return false;
    auto field = [&](size_t i) { return i < fields.size() ? fields[i] : std::string_view(); };
    out.Date = fields[0];
    out.Situation = fields[1];
    out.Diary = field(3);
    out.Spare1 = field(4);
    out.Spare2 = field(5);
    return true;
}

std::string recordCaption(std::string_view date, std::string_view situation, float weight) {
    return std::string(date) + "　" + std::string(situation) + "　" +
           Format(static_cast<double>(weight), "0.0Kg");
}

std::string recordLine(const WeightRecord& r) {
    std::string line;
    LineWriter(line)
        .text(r.Date)
        .text(r.Situation)
        .weight(r.Weight)
        .text(r.Diary)
        .text(r.Spare1)
        .text(r.Spare2)
        .end();
    return line;
}

DecodedTexts::DecodedTexts(std::string_view bytes, bool findPlain)
    : begin_(bytes.data()),
      buffer_(new char[decodedCp932Bound(bytes.size())]),
      end_(buffer_.get()),
      keepsAscii_(cp932KeepsAscii()),
      findPlain_(findPlain) {}

DecodedTexts::Key DecodedTexts::keyOf(std::string_view raw) const {
    Key key;
    const size_t size = raw.size();
    if (size >= 8) {
        std::memcpy(&key.head, raw.data(), 8);
        std::memcpy(&key.tail, raw.data() + size - 8, 8);
    } else if (size > 0 && raw.data() + size - begin_ >= 8) {
        // The eight bytes that end with the text, the bytes before it shifted out.
        std::memcpy(&key.head, raw.data() + size - 8, 8);
        key.head = std::endian::native == std::endian::little ? key.head >> (8 * (8 - size))
                                                              : key.head << (8 * (8 - size));
    } else {
        for (size_t i = 0; i < size; ++i)
            key.head |= uint64_t{static_cast<unsigned char>(raw[i])} << (8 * i);
    }
    return key;
}

std::string_view DecodedTexts::decoded(std::string_view raw, bool& clean, bool& plain) {
    const Key key = keyOf(raw);
    uint64_t hash = (key.head ^ (key.tail * 31) ^ raw.size()) * 0x9E3779B97F4A7C15ull;
    Decoding* pair = &recent_[(hash >> 56) & ~uint64_t{1}];
    auto same = [&](const Decoding& d) {
        return d.raw.size() == raw.size() && d.key == key &&
               (raw.size() <= 16 || std::memcmp(raw.data(), d.raw.data(), raw.size()) == 0);
    };
    bool seen = same(pair[0]);
    if (!seen && same(pair[1])) {
        std::swap(pair[0], pair[1]);
        seen = true;
    }
    if (seen) {
        plain = plain && pair[0].plain;
        return pair[0].text;
    }
    char* first = end_;
    bool ok = true;
    end_ = decodeCp932Into(raw, first, ok);
    std::string_view text(first, static_cast<size_t>(end_ - first));
    encoded_.clear();
    const bool written = ok && findPlain_ && appendEncodedCp932(text, encoded_) && encoded_ == raw;
    if (ok) {
        pair[1] = pair[0];
        pair[0] = {raw, text, key, written};
    }
    clean = clean && ok;
    plain = plain && written;
    return text;
}

}  // namespace core
