#include "core/memo.h"

#include "core/codepage.h"
#include "core/fields.h"

namespace core {

// Reading line by line up to each CR LF and joining the lines with CR LF
// gives the file's text back; dropping the CR LF added after the last line
// leaves the text without the one CR LF that a save put at its end.
MemoText readMemo(const DataDir& dir) {
    MemoText memo;
    FileBytes file = dir.readFile(kMemoFile);
    memo.status = file.status;
    if (!file.bytes) return memo;
    memo.text = decodeCp932(*file.bytes);
    if (memo.text.ends_with(kLineEnd)) memo.text.resize(memo.text.size() - kLineEnd.size());
    return memo;
}

Status writeMemo(const DataDir& dir, std::string_view text) {
    return dir.writeText(kMemoWriteName, std::string(text) + std::string(kLineEnd));
}

}  // namespace core
