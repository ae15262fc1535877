#include "core/csv.h"

#include <cstdint>

namespace core {
namespace {

bool mustQuote(std::string_view field) {
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

bool endsField(char c) {
    return c == ',' || c == '\r' || c == '\n';
}

// Reads the characters of a record from `at`; stops on the record's end,
// which it consumes.
class RecordReader {
  public:
    RecordReader(std::string_view text, size_t& at) : text_(text), at_(at) {}

    CsvRecord read(bool& unclosed) {
        CsvRecord record;
        while (true) {
            record.fields.emplace_back();
            bool ok =
                peek() == '"' ? quoted(record.fields.back(), unclosed) : bare(record.fields.back());
            if (!ok) record.malformed = true;
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
                continue;
            }
            endRecord();
            return record;
        }
    }

  private:
    // The next character, or -1 at the end of the text.
    int peek() const { return at_ < text_.size() ? static_cast<unsigned char>(text_[at_]) : -1; }

    // To the next comma or line end; a quote here is out of place.
    bool bare(std::string& field) {
        size_t stop = at_;
        while (stop < text_.size() && !endsField(text_[stop])) ++stop;
        field.append(text_.substr(at_, stop - at_));
        at_ = stop;
        return field.find('"') == std::string::npos;
    }

    bool quoted(std::string& field, bool& unclosed) {
        ++at_;
        while (true) {
            size_t quote = text_.find('"', at_);
            if (quote == std::string_view::npos) {
                field.append(text_.substr(at_));
                at_ = text_.size();
                unclosed = true;
                return false;
            }
            field.append(text_.substr(at_, quote - at_));
            at_ = quote + 1;
            if (peek() != '"') break;
            field += '"';
            ++at_;
        }
        if (at_ == text_.size() || endsField(text_[at_])) return true;
        std::string rest;  // text after the closing quote, kept as found
        bare(rest);
        field += rest;
        return false;
    }

    void endRecord() {
        if (peek() == '\r') ++at_;
        if (peek() == '\n') ++at_;
    }

    std::string_view text_;
    size_t& at_;
};

bool isBlankRecord(const CsvRecord& record, std::string_view source) {
    if (record.fields.size() != 1 || record.malformed) return false;
    if (!source.empty() && source.front() == '"') return false;  // "" is an empty field
    return record.fields[0].find_first_not_of(" \t") == std::string::npos;
}

// The length of the UTF-8 sequence that starts at `p` (at most `left`
// bytes), 0 when it is not well-formed.
size_t sequenceLength(const unsigned char* p, size_t left) {
    unsigned char b = p[0];
    if (b < 0x80) return 1;
    size_t n = b >= 0xC2 && b <= 0xDF   ? 2
               : b >= 0xE0 && b <= 0xEF ? 3
               : b >= 0xF0 && b <= 0xF4 ? 4
                                        : 0;
    if (n == 0 || n > left) return 0;
    // The second byte's range rules out overlongs, surrogates and > U+10FFFF.
    unsigned char low = 0x80, high = 0xBF;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
    if (p[1] < low || p[1] > high) return 0;
    for (size_t i = 2; i < n; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF) return 0;
    return n;
}

}  // namespace

void appendCsvField(std::string& out, std::string_view field) {
    if (!mustQuote(field)) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void appendCsvRecord(std::string& out, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (std::string_view field : fields) {
        if (!first) out += ',';
        first = false;
        appendCsvField(out, field);
    }
    out += "\r\n";
}

CsvText readCsv(std::string_view text) {
    CsvText out;
    size_t at = 0;
    while (at < text.size()) {
        size_t start = at;
        CsvRecord record = RecordReader(text, at).read(out.unclosedQuote);
        if (!isBlankRecord(record, text.substr(start))) out.records.push_back(std::move(record));
    }
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t left = bytes.size();
    while (left > 0) {
        size_t n = sequenceLength(p, left);
        if (n == 0) return false;
        p += n;
        left -= n;
    }
    return true;
}

}  // namespace core
