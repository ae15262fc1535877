#include "core/data_dir.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/codepage.h"
#include "core/fields.h"
#include "core/journal.h"
#include "core/platform.h"

namespace core {
namespace fs = std::filesystem;
using platform::OpenFor;

namespace {

// Files that the program creates are its user's alone.
constexpr unsigned kNewFileMode = 0600;
constexpr unsigned kNewFolderMode = 0700;

// The path of a name of the folder, the name in UTF-8.
fs::path inFolder(const fs::path& folder, std::string_view name) {
    return folder / platform::pathOf(name);
}

const char* japaneseReason(int err) {
    switch (err) {
        case EACCES:
        case EPERM:
            return "アクセスが許可されていません";
        case EROFS:
            return "読み取り専用の場所です";
        case ENOSPC:
#ifdef EDQUOT  // not on Windows
        case EDQUOT:
#endif
            return "ディスクに空きがありません";
        case EISDIR:
            return "ファイルではなくフォルダーです";
        case ENOENT:
        case ENOTDIR:
            return "フォルダーが見つかりません";
        case EIO:
            return "ディスクの読み書きに失敗しました";
        case EMFILE:
        case ENFILE:
            return "開いているファイルが多すぎます";
        case ENAMETOOLONG:
            return "ファイル名が長すぎます";
        case EBUSY:
        case ETXTBSY:
            return "ファイルが使用中です";
        case EEXIST:
            return "同じ名前のファイルかフォルダーがあります";
        case ENOTEMPTY:
            return "フォルダーが空ではありません";
        default:
            return "予期しないエラーが起きました";
    }
}

Status failure(std::string_view name, std::string_view what, int err) {
    return Status::failure(std::string(name), std::string(what) + ": " + reasonText(err));
}

Status readOnly(std::string_view name) {
    return Status::failure(std::string(name),
                           "読み取り専用のファイルです。書き込みを許可してから保存してください");
}

Status notAFile(std::string_view name) {
    return Status::failure(std::string(name),
                           "同じ名前のフォルダーなどがあり、ファイルではありません");
}

// An existing entry that a writer must not replace: a read-only file or
// something that is not a file.
std::optional<Status> refuseTarget(const platform::FileInfo& target, std::string_view name) {
    if (!target.regular) return notAFile(name);
    if (!target.ownerWrites) return readOnly(name);
    return std::nullopt;
}

// Forgets what was kept of a file when a write through the folder ends,
// whichever way it ends.
class ForgetAfterWrite {
  public:
    ForgetAfterWrite(const fs::path& folder, std::string_view name)
        : folder_(folder), name_(name) {}
    ~ForgetAfterWrite() { forgetCachedFile(folder_, name_); }
    ForgetAfterWrite(const ForgetAfterWrite&) = delete;
    ForgetAfterWrite& operator=(const ForgetAfterWrite&) = delete;

  private:
    const fs::path& folder_;
    std::string_view name_;
};

}  // namespace

std::string reasonText(int errorNumber) {
    return std::string(japaneseReason(errorNumber)) + " (" + std::strerror(errorNumber) + ")";
}

Status makeDataFolder(const fs::path& folder) {
    const std::string name = platform::utf8Of(folder);
    platform::FileInfo found;
    int err = platform::info(folder, found);
    if (err == 0 && found.folder) return {};
    if (err == 0)
        return Status::failure(name, "同じ名前のファイルがあり、データフォルダーを作れません");
    if (err != ENOENT) return failure(name, "データフォルダーを確かめられません", err);
    std::error_code ec;
    if (folder.has_parent_path()) fs::create_directories(folder.parent_path(), ec);
    if (ec) return failure(name, "データフォルダーを作れません", ec.value());
    err = platform::makeFolder(folder, kNewFolderMode);
    // Another start may have made it a moment ago.
    if (err == EEXIST && platform::info(folder, found) == 0 && found.folder) return {};
    if (err != 0) return failure(name, "データフォルダーを作れません", err);
    return {};
}

DataDir::DataDir(fs::path folder) : folder_(std::move(folder)) {}

std::optional<fs::path> DataDir::find(std::string_view name) const {
    auto path = findEntry(name);
    std::error_code ec;
    if (path && fs::is_regular_file(*path, ec)) return path;
    return std::nullopt;
}

std::optional<fs::path> DataDir::findEntry(std::string_view name) const {
    fs::path exact = inFolder(folder_, name);
    std::error_code ec;
    if (fs::exists(exact, ec)) return platform::asListed(exact);
    std::string wanted = foldAsciiCase(name);
    for (const auto& entry : fs::directory_iterator(folder_, ec)) {
        if (foldAsciiCase(platform::utf8Of(entry.path().filename())) == wanted) return entry.path();
    }
    return std::nullopt;
}

std::optional<FileStamp> DataDir::stamp(std::string_view name) const {
    platform::FileInfo found;
    if (platform::info(inFolder(folder_, name), found) != 0) {
        auto path = findEntry(name);
        if (!path || platform::info(*path, found) != 0) return std::nullopt;
    }
    if (!found.regular) return std::nullopt;
    return found.stamp;
}

FileBytes DataDir::readFile(std::string_view name, std::optional<FileStamp>* stamp) const {
    if (stamp) stamp->reset();
    FileBytes out;
    auto path = findEntry(name);
    if (!path) return out;
    std::error_code ec;
    if (!fs::is_regular_file(*path, ec)) {
        out.status = notAFile(name);
        return out;
    }
    if (fails(WriteStep::Read)) {
        out.status = failure(name, "読み込めません", EIO);
        return out;
    }
    platform::File file;
    if (int err = file.open(*path, OpenFor::Read)) {
        out.status = failure(name, "開けません", err);
        return out;
    }
    std::string bytes;
    platform::FileInfo before, after;
    bool stamped = file.info(before) == 0;
    bytes.reserve(stamped ? static_cast<size_t>(before.stamp.size) + 4096 : 65536);
    int err = file.readAll(bytes);
    if (stamp && stamped && file.info(after) == 0 && after.stamp == before.stamp)
        *stamp = before.stamp;
    if (err != 0)
        out.status = failure(name, "読み込めません", err);
    else
        out.bytes = std::move(bytes);
    return out;
}

std::optional<std::string> DataDir::readBytes(std::string_view name) const {
    return readFile(name).bytes;
}

std::optional<DataDir::Head> DataDir::readHead(std::string_view name, size_t size) const {
    auto path = find(name);
    if (!path || fails(WriteStep::Read)) return std::nullopt;
    platform::File file;
    if (file.open(*path, OpenFor::Read) != 0) return std::nullopt;
    Head head;
    head.bytes.resize(size + 1);  // one byte more tells whether there is more
    size_t got = 0;
    while (got < head.bytes.size()) {
        size_t n = 0;
        if (file.read(head.bytes.data() + got, head.bytes.size() - got, n) != 0)
            return std::nullopt;
        if (n == 0) break;
        got += n;
    }
    head.whole = got <= size;
    head.bytes.resize(std::min(got, size));
    return head;
}

std::optional<std::string> DataDir::readText(std::string_view name) const {
    auto bytes = readBytes(name);
    if (!bytes) return std::nullopt;
    return decodeCp932(*bytes);
}

Status DataDir::writeText(std::string_view name, std::string_view text,
                          std::string_view sideName) const {
    auto bytes = encodeCp932(text);
    if (!bytes)
        return Status::failure(std::string(name), "Shift-JIS で書けない文字が含まれています");
    return writeBytes(name, *bytes, sideName);
}

int DataDir::writeOut(platform::File& file, std::string_view bytes) const {
    if (fails(WriteStep::WriteError)) return EIO;
    if (fails(WriteStep::ShortWrite)) {
        (void)file.writeAll(bytes.substr(0, bytes.empty() ? 0 : bytes.size() - 1));
        return EIO;
    }
    if (fails(WriteStep::WriteSide)) {
        (void)file.writeAll(bytes.substr(0, bytes.size() / 2));
        return ENOSPC;
    }
    return file.writeAll(bytes);
}

int DataDir::flush(platform::File& file) const {
    if (fails(WriteStep::SyncSide)) return EIO;
    return flushToDisk_ ? file.flush() : 0;
}

int DataDir::flushFolder() const {
    if (fails(WriteStep::SyncFolder)) return EIO;
    return flushToDisk_ ? platform::flushFolder(folder_) : 0;
}

Status DataDir::writeBytes(std::string_view name, std::string_view bytes,
                           std::string_view sideName) const {
    return writeChecked(name, bytes, sideName, nullptr);
}

Status DataDir::replaceBytes(std::string_view name, std::string_view bytes,
                             std::string_view sideName,
                             const std::optional<FileStamp>& whenRead) const {
    return writeChecked(name, bytes, sideName, &whenRead);
}

Status DataDir::writeChecked(std::string_view name, std::string_view bytes,
                             std::string_view sideName,
                             const std::optional<FileStamp>* whenRead) const {
    aboutToWrite(name);
    ForgetAfterWrite forget(folder_, name);
    std::string side(sideName);
    if (side.empty()) side.append(".").append(name).append(".tmp");
    fs::path sidePath = find(side).value_or(inFolder(folder_, side));
    fs::path target = findEntry(name).value_or(inFolder(folder_, name));
    platform::FileInfo old;
    bool exists = platform::info(target, old) == 0;
    if (exists)
        if (auto refused = refuseTarget(old, name)) return *refused;
    platform::File file;
    auto fail = [&](std::string_view what, int err) {
        (void)file.close();
        (void)platform::removeFile(sidePath);
        return failure(name, what, err);
    };
    if (fails(WriteStep::OpenSide)) return fail("一時ファイルを作れません", EACCES);
    if (int err = file.open(sidePath, OpenFor::Replace))
        return fail("一時ファイルを作れません", err);
    // A side file for a new file was made private by the open; the mode only
    // cancels a stricter umask, where the file system has modes at all.
    if (!exists)
        (void)file.setMode(kNewFileMode);
    else if (int err = file.setMode(old.mode))
        return fail("一時ファイルを作れません", err);
    if (int err = writeOut(file, bytes)) return fail("書き込めません", err);
    if (int err = flush(file)) return fail("ディスクに書き込めません", err);
    if (int err = file.close()) return fail("ディスクに書き込めません", err);
    if (whenRead && stamp(name) != *whenRead) {
        (void)platform::removeFile(sidePath);
        return Status::changed(std::string(name), std::string(kChangedReason));
    }
    if (fails(WriteStep::Rename)) return fail("ファイル名を付け替えられません", EACCES);
    if (int err = platform::renameFile(sidePath, target))
        return fail("ファイル名を付け替えられません", err);
    if (int err = flushFolder())
        return failure(name, "保存しましたが、フォルダーをディスクに書き込めません", err);
    return {};
}

void DataDir::aboutToWrite(std::string_view name) const {
    if (journal_) journal_->beforeWrite(*this, name);
}

Status DataDir::appendText(std::string_view name, std::string_view text) const {
    auto bytes = encodeCp932(text);
    if (!bytes)
        return Status::failure(std::string(name), "Shift-JIS で書けない文字が含まれています");
    return appendBytes(name, *bytes);
}

Status DataDir::appendBytes(std::string_view name, std::string_view bytes) const {
    aboutToWrite(name);
    ForgetAfterWrite forget(folder_, name);
    fs::path target = findEntry(name).value_or(inFolder(folder_, name));
    platform::FileInfo old;
    if (platform::info(target, old) == 0)
        if (auto refused = refuseTarget(old, name)) return *refused;
    if (fails(WriteStep::Append)) return failure(name, "追記のために開けません", EACCES);
    platform::File file;
    bool created = false;
    int err = file.open(target, OpenFor::Append);
    if (err == ENOENT) {
        err = file.open(target, OpenFor::AppendNew);
        created = err == 0;
        if (err == EEXIST) err = file.open(target, OpenFor::Append);  // made a moment ago
    }
    if (err != 0) return failure(name, "追記のために開けません", err);
    if (created) (void)file.setMode(kNewFileMode);
    platform::FileInfo opened;
    int64_t oldSize = file.info(opened) == 0 ? opened.stamp.size : -1;
    err = oldSize < 0 ? EIO : writeOut(file, bytes);
    if (err == 0) err = flush(file);
    if (err == 0) {
        err = file.close();
        return err == 0 ? Status{} : failure(name, "追記できません", err);
    }
    // Undo the part of the line that went out, so that no half line stays.
    bool undone = oldSize >= 0 && !fails(WriteStep::AppendRollback) &&
                  file.truncate(oldSize) == 0 && (!flushToDisk_ || file.flush() == 0);
    (void)file.close();
    if (undone && created) (void)platform::removeFile(target);
    if (!undone) return failure(name, "追記できず、書きかけの行が残っている可能性があります", err);
    return failure(name, "追記できません（ファイルは元のままです）", err);
}

Status DataDir::remove(std::string_view name) const {
    auto path = findEntry(name);
    if (!path) return {};
    aboutToWrite(name);
    ForgetAfterWrite forget(folder_, name);
    int err = platform::removeFile(*path);
    if (err != 0 && err != ENOENT) return failure(name, "削除できません", err);
    return {};
}

Status DataDir::rename(std::string_view from, std::string_view to) const {
    auto source = find(from);
    if (!source) return Status::failure(std::string(from), "ファイルがありません");
    if (findEntry(to)) return Status::failure(std::string(to), "同じ名前のファイルがあります");
    aboutToWrite(from);
    aboutToWrite(to);
    ForgetAfterWrite forgetSource(folder_, from), forgetTarget(folder_, to);
    fs::path target = inFolder(folder_, to);
    if (fails(WriteStep::Rename)) return failure(from, "ファイル名を付け替えられません", EACCES);
    if (int err = platform::renameFile(*source, target))
        return failure(from, "ファイル名を付け替えられません", err);
    if (int err = flushFolder())
        return failure(from, "名前を付け替えましたが、フォルダーをディスクに書き込めません", err);
    return {};
}

Status DataDir::copy(std::string_view from, std::string_view to) const {
    FileBytes source = readFile(from);
    if (!source.status) return source.status;
    if (!source.bytes) return Status::failure(std::string(from), "ファイルがありません");
    return writeBytes(to, *source.bytes, {});
}

std::string DataDir::freeName(std::string_view base, std::string_view ext) const {
    std::string name = std::string(base) + std::string(ext);
    for (int n = 2; findEntry(name); ++n)
        name = std::string(base) + std::to_string(n) + std::string(ext);
    return name;
}

}  // namespace core
