// The notice memo "気付きメモ.txt": one free multi-line text, kept in the file
// exactly, followed by one CR LF, so that a save and a load give back the
// text of the box byte for byte.
#pragma once

#include <string>
#include <string_view>

#include "core/data_dir.h"

namespace core {

inline constexpr std::string_view kMemoFile = "気付きメモ.txt";
// The name under which a first save creates the file (the same file by the
// letter-case rule).
inline constexpr std::string_view kMemoWriteName = "気付きメモ.TXT";

struct MemoText {
    std::string text;  // CR LF between lines; a lone CR or LF of the file stays as it is
    Status status;     // failed when the file exists but cannot be read
};

// The memo: the file's text without the one CR LF that ends it. A missing
// file is an empty memo.
MemoText readMemo(const DataDir& dir);

// Replaces the file with the text and one CR LF, safely, under the name of
// the existing file whatever its letter case.
Status writeMemo(const DataDir& dir, std::string_view text);

// The same, only while the memo on disk, read as readMemo reads it, is still
// `shownText` (a missing file reads as ""): a memo that another program or
// window changed since it was shown is not overwritten, and the Status says
// so (changedUnderneath).
Status writeMemo(const DataDir& dir, std::string_view text, std::string_view shownText);

}  // namespace core
