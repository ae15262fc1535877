#include "core/codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/cp932_tables.h"

namespace core {
namespace {

// Copies whole words of eight ASCII bytes from p to dst while there are
// such words, where ASCII passes through unchanged; moves both on.
void copyAsciiWords(const unsigned char*& p, const unsigned char* end, char*& dst) {
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull) return;
        std::memcpy(dst, p, 8);
        p += 8;
        dst += 8;
    }
}

// What one code page 932 character decodes to: up to 3 bytes of UTF-8.
struct Decoded {
    bool valid = false;
    uint8_t size = 0;
    char utf8[4] = {};
};

Decoded decodedOf(uint16_t codePoint) {
    Decoded d;
    if (codePoint == cp932::kNone) return d;
    d.valid = true;
    auto put = [&d](unsigned value) { d.utf8[d.size++] = static_cast<char>(value); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
    return d;
}

// The decoding of every single byte and of every lead byte with every byte
// after it, as UTF-8, made once from the tables.
class DecodeTable {
  public:
    DecodeTable() {
        for (size_t b = 0; b < 256; ++b) {
            single_[b] = decodedOf(cp932::kSingle[b]);
            plain_[b] = single_[b].valid && single_[b].size == 1 &&
                        static_cast<unsigned char>(single_[b].utf8[0]) == b;
            if (b < 0x80) asciiPlain_ = asciiPlain_ && plain_[b];
        }
        for (size_t i = 0; i < cp932::kLeadCount; ++i) {
            auto& row = pairs_[cp932::kLeads[i]];
            row = std::make_unique<std::array<Decoded, 256>>();
            for (size_t t = 0; t < 256; ++t) (*row)[t] = decodedOf(cp932::kPairs[i][t]);
        }
    }

    // The room that decodeInto needs for `size` bytes: no byte gives more
    // than kBadByteMark or a three-byte character, and four bytes may be
    // written past the end.
    size_t bound(size_t size) const { return size * kMaxPerByte + 8; }
    bool asciiPlain() const { return asciiPlain_; }

    // Appends the decoding of the bytes to `out`; false when some sequence was
    // not code page 932 (each such byte became kBadByteMark).
    bool decode(std::string_view bytes, std::string& out) const {
        size_t need = bound(bytes.size());
        bool clean = true;
        if (need <= kDirect) {  // a field: written straight into `out`
            size_t at = out.size();
            out.resize(at + need);
            char* stop = decodeInto(bytes, out.data() + at, clean);
            out.resize(static_cast<size_t>(stop - out.data()));
            return clean;
        }
        // Written to a scratch buffer that is not cleared first, then added.
        thread_local std::unique_ptr<char[]> scratch;
        thread_local size_t scratchSize = 0;
        if (scratchSize < need) {
            scratch.reset(new char[need]);
            scratchSize = need;
        }
        char* const first = scratch.get();
        char* stop = decodeInto(bytes, first, clean);
        out.append(first, static_cast<size_t>(stop - first));
        if (scratchSize > (size_t(1) << 24)) {  // do not keep a huge one
            scratch.reset();
            scratchSize = 0;
        }
        return clean;
    }

    // Writes the decoding at `dst`, which has room for bound(bytes.size())
    // bytes; gives the end of what it wrote.
    char* decodeInto(std::string_view bytes, char* dst, bool& clean) const {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
        const auto* end = p + bytes.size();
        while (p < end) {
            // Eight plain ASCII bytes at a time, then byte by byte.
            if (asciiPlain_) copyAsciiWords(p, end, dst);
            while (p < end && plain_[*p]) *dst++ = static_cast<char>(*p++);
            if (p == end) break;
            const Decoded* d = &single_[*p];
            size_t used = 1;
            if (pairs_[*p] && p + 1 < end) {
                const Decoded& two = (*pairs_[*p])[p[1]];
                if (two.valid) {
                    d = &two;
                    used = 2;
                }
            }
            if (d->valid) {
                std::memcpy(dst, d->utf8, 4);  // the buffer has room beyond the end
                dst += d->size;
            } else {
                std::memcpy(dst, kBadByteMark.data(), kBadByteMark.size());
                dst += kBadByteMark.size();
                clean = false;
            }
            p += used;
        }
        return dst;
    }

  private:
    static constexpr size_t kDirect = 1024;
    static constexpr size_t kMaxPerByte = std::max<size_t>(kBadByteMark.size(), 3);

    std::array<Decoded, 256> single_{};
    std::array<bool, 256> plain_{};
    bool asciiPlain_ = true;  // every byte below 0x80 decodes to itself
    std::array<std::unique_ptr<std::array<Decoded, 256>>, 256> pairs_{};
};

const DecodeTable& decodeTable() {
    static const DecodeTable kTable;
    return kTable;
}

// The bytes of every code point of the Basic Multilingual Plane, made once
// from the tables: below 0x100 one byte, else two; cp932::kNone when code
// page 932 has no form for it. No code point outside the plane has one.
class EncodeTable {
  public:
    EncodeTable() {
        codes_.fill(cp932::kNone);
        for (size_t i = 0; i < cp932::kEncodingCount; ++i)
            codes_[cp932::kEncodings[i].codePoint] = cp932::kEncodings[i].code;
        for (unsigned c = 0; c < 0x80; ++c) asciiPlain_ = asciiPlain_ && codes_[c] == c;
    }

    // Appends the encoding to `out`; false (and `out` partly written) when
    // some character has none or the text is not well-formed UTF-8.
    bool encode(std::string_view utf8, std::string& out) const {
        // No character takes more bytes than its UTF-8 form, so the room is
        // the text's size.
        size_t at = out.size();
        out.resize(at + utf8.size());
        char* const first = out.data();
        char* dst = first + at;
        bool ok = encodeInto(utf8, dst);
        out.resize(static_cast<size_t>(dst - first));
        return ok;
    }

  private:
    bool encodeInto(std::string_view utf8, char*& dst) const {
        const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
        const auto* end = p + utf8.size();
        while (p < end) {
            // Eight plain ASCII bytes at a time.
            if (asciiPlain_) copyAsciiWords(p, end, dst);
            if (p == end) break;
            uint32_t cp = 0;
            size_t n = sequence(p, end, cp);
            if (n == 0) return false;
            uint16_t code = codes_[cp];
            if (code == cp932::kNone) return false;
            if (code >= 0x100) *dst++ = static_cast<char>(code >> 8);
            *dst++ = static_cast<char>(code & 0xFF);
            p += n;
        }
        return true;
    }

    // A well-formed sequence of one to three bytes and its code point; 0 for
    // anything else (four-byte forms, which code page 932 has none of,
    // overlong forms, surrogates, cut off).
    static size_t sequence(const unsigned char* p, const unsigned char* end, uint32_t& cp) {
        auto cont = [&](size_t i) { return p + i < end && (p[i] & 0xC0) == 0x80; };
        if (*p < 0x80) {
            cp = *p;
            return 1;
        }
        if (*p >= 0xC2 && *p <= 0xDF && cont(1)) {
            cp = (uint32_t(*p & 0x1F) << 6) | (p[1] & 0x3F);
            return 2;
        }
        if (*p >= 0xE0 && *p <= 0xEF && cont(1) && cont(2)) {
            cp = (uint32_t(*p & 0x0F) << 12) | (uint32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
            return 3;
        }
        return 0;
    }

    std::array<uint16_t, 0x10000> codes_{};
    bool asciiPlain_ = true;  // every character below 0x80 is its own byte
};

const EncodeTable& encodeTable() {
    static const EncodeTable kTable;
    return kTable;
}

}  // namespace

bool appendDecodedCp932(std::string_view bytes, std::string& out) {
    return decodeTable().decode(bytes, out);
}

size_t decodedCp932Bound(size_t size) {
    return decodeTable().bound(size);
}

char* decodeCp932Into(std::string_view bytes, char* dst, bool& clean) {
    clean = true;
    return decodeTable().decodeInto(bytes, dst, clean);
}

bool cp932KeepsAscii() {
    return decodeTable().asciiPlain();
}

std::string decodeCp932(std::string_view bytes) {
    std::string out;
    appendDecodedCp932(bytes, out);
    return out;
}

std::optional<std::string> encodeCp932(std::string_view utf8) {
    std::string out;
    if (!encodeTable().encode(utf8, out)) return std::nullopt;
    return out;
}

bool appendEncodedCp932(std::string_view utf8, std::string& out) {
    size_t at = out.size();
    if (encodeTable().encode(utf8, out)) return true;
    out.resize(at);
    return false;
}

bool isStorableText(std::string_view utf8) {
    for (char c : utf8)  // not find_first_of: that asks memchr once a byte
        if (c == '"' || c == '\r' || c == '\n') return false;
    thread_local std::string scratch;
    scratch.clear();
    return encodeTable().encode(utf8, scratch);
}

}  // namespace core
