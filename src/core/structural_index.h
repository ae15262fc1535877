// Where the bytes that give a log its shape lie: its double quotes and line
// ends, and its bytes of 0x80 and above, one bit per byte, made over the
// whole file in one pass so that a reader jumps from one to the next instead
// of looking at every byte. (The commas of a record line stand right beside
// its quotes, where the reader looks at them.) None of these bytes is ever
// the second byte of a Shift-JIS character (those are 0x40 and above), so
// the bytes split where the decoded text would.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The bits of 64 bytes: bit i stands for byte 64 * block + i.
struct MaskBlock {
    uint64_t structural = 0;  // '"', CR or LF
    uint64_t high = 0;        // 0x80 or above
};

// The masks of `bytes` into `out`: one block a 64 bytes, the end of the
// bytes marked as structural, and then a block with every bit structural,
// so that a walk over the structural bits always stops.
void buildStructuralMasks(std::string_view bytes, std::vector<MaskBlock>& out);

// The lines of a text as the log's readers split it: every CR LF, bare LF
// and bare CR ends one, and an unended last line counts too. Sixteen bytes at
// a time where SSE2 is there.
size_t countLogLines(std::string_view bytes);

// A walk over the structural bits: next() gives the structural positions
// from where it was put on, the end of the bytes among them. A small value,
// meant to live in a reader's registers.
class StructuralCursor {
  public:
    StructuralCursor(const MaskBlock* blocks, size_t pos) : blocks_(blocks) { seek(pos); }
    void seek(size_t pos) {
        block_ = pos >> 6;
        bits_ = blocks_[block_].structural & (~uint64_t{0} << (pos & 63));
    }
    size_t next() {
        while (bits_ == 0) bits_ = blocks_[++block_].structural;
        size_t pos = (block_ << 6) + static_cast<size_t>(std::countr_zero(bits_));
        bits_ &= bits_ - 1;
        return pos;
    }

  private:
    const MaskBlock* blocks_;
    size_t block_ = 0;
    uint64_t bits_ = 0;
};

// The masks of a text. They go into a buffer of the thread that its next
// index uses again (an index made while another lives on the same thread has
// one of its own).
class StructuralIndex {
  public:
    explicit StructuralIndex(std::string_view bytes);
    StructuralIndex(const StructuralIndex&) = delete;
    StructuralIndex& operator=(const StructuralIndex&) = delete;
    ~StructuralIndex();

    StructuralCursor at(size_t pos) const { return StructuralCursor(blocks_.data(), pos); }

    // True when a byte in [first, last) is 0x80 or above.
    bool anyHigh(size_t first, size_t last) const {
        if (first >= last) return false;
        const size_t a = first >> 6, b = (last - 1) >> 6;
        const uint64_t low = ~uint64_t{0} << (first & 63);
        const uint64_t top = ~uint64_t{0} >> (63 - ((last - 1) & 63));
        if (a == b) return (blocks_[a].high & low & top) != 0;
        return anyHighAcross(a, b, low, top);
    }

  private:
    bool anyHighAcross(size_t a, size_t b, uint64_t low, uint64_t top) const;
    std::vector<MaskBlock> own_;
    bool shared_;
    std::vector<MaskBlock>& blocks_;
};

}  // namespace core
