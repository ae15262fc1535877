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
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
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
    // A CR is a line end of its own unless the next byte is LF; the last byte
    // of each sixteen looks at the first of the next.
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    for (; stop - p > 16; p += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        auto crs = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)));
        auto lfs = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)));
        uint32_t lfAfter = (lfs >> 1) | (uint32_t{p[16] == '\n'} << 15);
        count += static_cast<size_t>(std::popcount(lfs) + std::popcount(crs & ~lfAfter));
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
