#include "core/structural_index.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace core {
namespace {

bool isStructural(unsigned char c) {
    return c == '"' || c == '\r' || c == '\n';
}

// The masks of up to 64 bytes, one at a time.
MaskBlock plainBlock(const unsigned char* p, size_t count) {
    MaskBlock block;
    for (size_t i = 0; i < count; ++i) {
        block.structural |= uint64_t{isStructural(p[i])} << i;
        block.high |= uint64_t{p[i] >= 0x80} << i;
    }
    return block;
}

#ifdef __SSE2__
// The masks of 64 bytes, sixteen at a time.
MaskBlock vectorBlock(const unsigned char* p) {
    const __m128i quote = _mm_set1_epi8('"'), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    MaskBlock block;
    for (int i = 0; i < 4; ++i) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + ptrdiff_t{16} * i));
        __m128i s = _mm_or_si128(_mm_cmpeq_epi8(v, quote),
                                 _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        block.structural |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(s))} << (16 * i);
        block.high |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(v))} << (16 * i);
    }
    return block;
}
#endif

MaskBlock fullBlock(const unsigned char* p) {
#ifdef __SSE2__
    return vectorBlock(p);
#else
    return plainBlock(p, 64);
#endif
}

// The buffer of this thread's index; a huge one is not kept.
constexpr size_t kKeptBlocks = size_t{1} << 18;  // 16 MB of text

thread_local std::vector<MaskBlock> threadBlocks;
thread_local bool threadBlocksInUse = false;

// The line ends in [p, end): every LF, and every CR with no LF after it
// (the byte at `end`, when there is one, counts as what follows).
size_t plainLineEnds(const unsigned char* p, const unsigned char* end, const unsigned char* stop) {
    size_t count = 0;
    for (; p < end; ++p) count += *p == '\n' || (*p == '\r' && (p + 1 == stop || p[1] != '\n'));
    return count;
}

}  // namespace

size_t countLogLines(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const stop = p + bytes.size();
    size_t count = 0;
#ifdef __SSE2__
    // Every LF and CR counted, less every CR with an LF right after it: byte
    // counters, each taking at most one a round, summed up before they wrap.
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), zero = _mm_setzero_si128();
    while (stop - p > 16) {
        __m128i ends = zero, pairs = zero;
        for (int round = 0; round < 127 && stop - p > 16; ++round, p += 16) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
            __m128i crs = _mm_cmpeq_epi8(v, cr);
            ends = _mm_sub_epi8(ends, _mm_or_si128(crs, _mm_cmpeq_epi8(v, lf)));
            pairs = _mm_sub_epi8(pairs, _mm_and_si128(crs, _mm_cmpeq_epi8(next, lf)));
        }
        __m128i sums = _mm_sub_epi64(_mm_sad_epu8(ends, zero), _mm_sad_epu8(pairs, zero));
        count += static_cast<size_t>(_mm_cvtsi128_si32(sums) +
                                     _mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
    }
#endif
    count += plainLineEnds(p, stop, stop);
    if (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n') ++count;
    return count;
}

void buildStructuralMasks(std::string_view bytes, std::vector<MaskBlock>& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t whole = bytes.size() / 64, rest = bytes.size() % 64;
    out.resize(whole + 2);
    MaskBlock* block = out.data();
    for (size_t i = 0; i < whole; ++i) block[i] = fullBlock(p + 64 * i);
    block[whole] = plainBlock(p + 64 * whole, rest);
    block[whole].structural |= uint64_t{1} << rest;  // the end
    block[whole + 1] = {~uint64_t{0}, 0};
}

StructuralIndex::StructuralIndex(std::string_view bytes)
    : shared_(!threadBlocksInUse), blocks_(shared_ ? threadBlocks : own_) {
    if (shared_) threadBlocksInUse = true;
    buildStructuralMasks(bytes, blocks_);
}

StructuralIndex::~StructuralIndex() {
    if (!shared_) return;
    if (blocks_.capacity() > kKeptBlocks) std::vector<MaskBlock>().swap(blocks_);
    threadBlocksInUse = false;
}

bool StructuralIndex::anyHighAcross(size_t a, size_t b, uint64_t low, uint64_t top) const {
    if (blocks_[a].high & low) return true;
    for (size_t i = a + 1; i < b; ++i)
        if (blocks_[i].high) return true;
    return (blocks_[b].high & top) != 0;
}

}  // namespace core
