#include "core/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <stdexcept>

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

// One conversion descriptor per direction, opened on first use and kept.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns false at an invalid or incomplete
    // sequence, leaving `in` at it.
    bool run(std::string_view& in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (!in.empty()) {
            char buffer[16384];
            char* src = const_cast<char*>(in.data());
            size_t srcLeft = in.size();
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            int err = errno;
            out.append(buffer, static_cast<size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (rc == static_cast<size_t>(-1) && err != E2BIG) return false;
        }
        return true;
    }

  private:
    iconv_t cd_;
};

// The system's conversions are the reference: the tables below are filled
// from them, so that the fast paths give exactly what iconv gives.
std::mutex& iconvLock() {
    static std::mutex m;
    return m;
}

Converter& iconvDecoder() {
    static Converter c("UTF-8", "CP932");
    return c;
}

Converter& iconvEncoder() {
    static Converter c("CP932", "UTF-8");
    return c;
}

// What one code page 932 character decodes to: up to 6 bytes of UTF-8.
struct Decoded {
    bool valid = false;
    uint8_t size = 0;
    char utf8[6] = {};
};

// The decoding of every single byte and of every byte that is no character
// alone (a lead byte) with every byte after it, as iconv decodes them one
// character at a time.
class DecodeTable {
  public:
    DecodeTable() {
        std::lock_guard lock(iconvLock());
        for (int b = 0; b < 256; ++b) {
            char in[1] = {static_cast<char>(b)};
            single_[b] = convert(std::string_view(in, 1));
            plain_[b] = single_[b].valid && single_[b].size == 1 && single_[b].utf8[0] == in[0];
            lead_[b] = !single_[b].valid;
            if (b < 0x80) asciiPlain_ = asciiPlain_ && plain_[b];
            maxPerByte_ = std::max<size_t>(maxPerByte_, single_[b].size);
            if (!lead_[b]) continue;
            pairs_[b] = std::make_unique<std::array<Decoded, 256>>();
            for (int t = 0; t < 256; ++t) {
                char pair[2] = {static_cast<char>(b), static_cast<char>(t)};
                (*pairs_[b])[t] = convert(std::string_view(pair, 2));
                maxPerByte_ = std::max<size_t>(maxPerByte_, ((*pairs_[b])[t].size + 1) / 2);
            }
        }
    }

    // The room that decodeInto needs for `size` bytes.
    size_t bound(size_t size) const { return size * maxPerByte_ + 8; }
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
    // bytes; gives the end of what it wrote, at most maxPerByte_ bytes per
    // byte from `dst`.
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
            if (lead_[*p] && p + 1 < end) {
                const Decoded& two = (*pairs_[*p])[p[1]];
                if (two.valid) {
                    d = &two;
                    used = 2;
                }
            }
            if (d->valid && d->size <= 4) {
                std::memcpy(dst, d->utf8, 4);  // the buffer has room beyond the end
                dst += d->size;
            } else if (d->valid) {
                std::memcpy(dst, d->utf8, d->size);
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

    // One character through iconv; size 0 when it is not one whole character.
    static Decoded convert(std::string_view in) {
        std::string out;
        Decoded d;
        if (iconvDecoder().run(in, out) && out.size() <= sizeof d.utf8) {
            d.valid = true;
            d.size = static_cast<uint8_t>(out.size());
            std::memcpy(d.utf8, out.data(), out.size());
        }
        return d;
    }

    std::array<Decoded, 256> single_{};
    std::array<bool, 256> lead_{};
    std::array<bool, 256> plain_{};
    bool asciiPlain_ = true;                   // every byte below 0x80 decodes to itself
    size_t maxPerByte_ = kBadByteMark.size();  // the most output bytes per input byte
    std::array<std::unique_ptr<std::array<Decoded, 256>>, 256> pairs_{};
};

const DecodeTable& decodeTable() {
    static const DecodeTable table;
    return table;
}

// The encoding of each character of the Basic Multilingual Plane, asked of
// iconv the first time the character is met: bit 31 set when known, bit 30
// when code page 932 has it, bits 24 and 25 the number of bytes (0 to 2),
// the low 16 bits the bytes.
class EncodeTable {
  public:
    // Appends the encoding; false when some character has none, or (with
    // `fallback` set, to ask iconv for the whole text) when a character takes
    // more than two bytes in code page 932 or the text is not UTF-8 in the
    // forms handled here.
    bool encode(std::string_view utf8, std::string& out, bool& fallback) {
        // No character here takes more bytes than its UTF-8 form (a longer
        // one goes to iconv), so the room is the text's size.
        size_t at = out.size();
        out.resize(at + utf8.size());
        char* const first = out.data();
        char* dst = first + at;
        bool ok = encodeInto(utf8, dst, fallback);
        out.resize(static_cast<size_t>(dst - first));
        return ok;
    }

  private:
    bool encodeInto(std::string_view utf8, char*& dst, bool& fallback) {
        const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
        const auto* end = p + utf8.size();
        fallback = false;
        const bool asciiPlain = allAsciiPlain();
        while (p < end) {
            // Eight plain ASCII bytes at a time.
            if (asciiPlain) copyAsciiWords(p, end, dst);
            if (p == end) break;
            if (*p < 0x80 && (asciiPlain || plainAscii(*p))) {
                *dst++ = static_cast<char>(*p++);
                continue;
            }
            uint32_t cp = 0;
            size_t n = sequence(p, end, cp);
            if (n == 0 || cp > 0xFFFF) {
                fallback = true;
                return false;
            }
            uint32_t e = entry(cp, p, n);
            fallback = (e & kLong) != 0;
            if (!(e & kHas)) return false;
            uint32_t size = (e >> 24) & 3;
            if (size > n) {  // longer than its UTF-8 form: no room here
                fallback = true;
                return false;
            }
            if (size == 2) *dst++ = static_cast<char>((e >> 8) & 0xFF);
            if (size >= 1) *dst++ = static_cast<char>(e & 0xFF);
            p += n;
        }
        return true;
    }

    // Every character below 0x80 is its own single byte (asked once).
    bool allAsciiPlain() {
        int known = asciiPlain_.load(std::memory_order_relaxed);
        if (known != 0) return known > 0;
        bool plain = true;
        for (unsigned c = 0; c < 0x80; ++c) {
            unsigned char byte = static_cast<unsigned char>(c);
            plain = plain && plainAscii(byte);
        }
        asciiPlain_.store(plain ? 1 : -1, std::memory_order_relaxed);
        return plain;
    }

    static constexpr uint32_t kKnown = 1u << 31;
    static constexpr uint32_t kHas = 1u << 30;
    static constexpr uint32_t kLong = 1u << 29;

    bool plainAscii(unsigned char c) {
        uint32_t e = entry(c, &c, 1);
        return (e & kHas) && ((e >> 24) & 3) == 1 && (e & 0xFFFF) == c;
    }

    // A well-formed sequence of one to three bytes and its code point; 0 for
    // anything else (four-byte forms, overlong forms, surrogates, cut off).
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

    uint32_t entry(uint32_t cp, const unsigned char* utf8, size_t size) {
        uint32_t e = table_[cp].load(std::memory_order_relaxed);
        if (e & kKnown) return e;
        std::string out;
        std::string_view in(reinterpret_cast<const char*>(utf8), size);
        {
            std::lock_guard lock(iconvLock());
            e = kKnown;
            if (iconvEncoder().run(in, out)) {
                uint32_t bytes = 0;
                for (char c : out) bytes = (bytes << 8) | static_cast<unsigned char>(c);
                e |=
                    out.size() > 2 ? kLong : kHas | static_cast<uint32_t>(out.size()) << 24 | bytes;
            }
        }
        table_[cp].store(e, std::memory_order_relaxed);
        return e;
    }

    std::array<std::atomic<uint32_t>, 0x10000> table_{};
    std::atomic<int> asciiPlain_{0};  // 0 not yet asked, 1 yes, -1 no
};

EncodeTable& encodeTable() {
    static EncodeTable table;
    return table;
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
    out.reserve(utf8.size());
    bool fallback = false;
    if (encodeTable().encode(utf8, out, fallback)) return out;
    if (!fallback) return std::nullopt;
    out.clear();
    std::lock_guard lock(iconvLock());
    if (!iconvEncoder().run(utf8, out)) return std::nullopt;
    return out;
}

bool appendEncodedCp932(std::string_view utf8, std::string& out) {
    size_t at = out.size();
    bool fallback = false;
    if (encodeTable().encode(utf8, out, fallback)) return true;
    out.resize(at);
    if (!fallback) return false;
    std::lock_guard lock(iconvLock());
    if (iconvEncoder().run(utf8, out)) return true;
    out.resize(at);
    return false;
}

bool isStorableText(std::string_view utf8) {
    for (char c : utf8)  // not find_first_of: that asks memchr once a byte
        if (c == '"' || c == '\r' || c == '\n') return false;
    thread_local std::string scratch;
    scratch.clear();
    bool fallback = false;
    if (encodeTable().encode(utf8, scratch, fallback)) return true;
    return fallback && encodeCp932(utf8).has_value();
}

}  // namespace core
