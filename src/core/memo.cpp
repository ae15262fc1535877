#include "core/memo.h"

#include "core/codepage.h"
#include "core/fields.h"

namespace core {

namespace {

// Reading line by line up to each CR LF and joining the lines with CR LF
// gives the file's text back; dropping the CR LF added after the last line
// leaves the text without the one CR LF that a save put at its end.
MemoText memoOf(const FileBytes& file) {
    MemoText memo;
    memo.status = file.status;
    if (!file.bytes) return memo;
    memo.text = decodeCp932(*file.bytes);
    if (memo.text.ends_with(kLineEnd)) memo.text.resize(memo.text.size() - kLineEnd.size());
    return memo;
}

std::optional<std::string> fileBytesOf(std::string_view text) {
    return encodeCp932(std::string(text) + std::string(kLineEnd));
}

Status unstorable() {
    return Status::failure(std::string(kMemoWriteName), "Shift-JIS で書けない文字が含まれています");
}

}  // namespace

MemoText readMemo(const DataDir& dir) {
    return memoOf(dir.readFile(kMemoFile));
}

Status writeMemo(const DataDir& dir, std::string_view text) {
    return dir.writeText(kMemoWriteName, std::string(text) + std::string(kLineEnd));
}

Status writeMemo(const DataDir& dir, std::string_view text, std::string_view shownText) {
    auto bytes = fileBytesOf(text);
    if (!bytes) return unstorable();
    std::optional<FileStamp> stamp;
    FileBytes file = dir.readFile(kMemoFile, &stamp);
    MemoText onDisk = memoOf(file);
    if (!onDisk.status)
        return Status::failure(
            onDisk.status.fileName(),
            "読み込めないため、書き換えずにそのままにしました。" + onDisk.status.reason());
    if (onDisk.text != shownText || (file.bytes && !stamp))
        return Status::changed(std::string(kMemoWriteName), std::string(kChangedReason));
    return dir.replaceBytes(kMemoWriteName, *bytes, {}, stamp);
}

}  // namespace core
