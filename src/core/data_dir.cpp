#include "core/data_dir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/codepage.h"

namespace core {
namespace fs = std::filesystem;

namespace {

std::string foldCase(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

const char* japaneseReason(int err) {
    switch (err) {
        case EACCES:
        case EPERM:
            return "アクセスが許可されていません";
        case EROFS:
            return "読み取り専用の場所です";
        case ENOSPC:
        case EDQUOT:
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
        default:
            return "予期しないエラーが起きました";
    }
}

// Writes all bytes, retrying short writes; 0 or the error number.
int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

// Reads a whole open file straight into `out`; 0 or the error number.
int readAll(int fd, std::string& out) {
    size_t got = out.size();
    while (true) {
        if (out.size() - got < 4096) out.resize(std::max(out.capacity(), got + 65536));
        ssize_t n = ::read(fd, out.data() + got, out.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            int err = n < 0 ? errno : 0;
            out.resize(got);
            return err;
        }
        got += static_cast<size_t>(n);
    }
}

int syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return err;
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
// something that is not a file. The mode of a writable file goes to `mode`.
std::optional<Status> refuseTarget(const fs::path& target, std::string_view name, mode_t& mode) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) return std::nullopt;
    if (!S_ISREG(st.st_mode)) return notAFile(name);
    if (!(st.st_mode & S_IWUSR)) return readOnly(name);
    mode = st.st_mode & 07777;
    return std::nullopt;
}

FileStamp stampOf(const struct stat& st) {
    return FileStamp{
        static_cast<uint64_t>(st.st_dev),         static_cast<uint64_t>(st.st_ino),
        static_cast<int64_t>(st.st_size),         static_cast<int64_t>(st.st_mtim.tv_sec),
        static_cast<int64_t>(st.st_mtim.tv_nsec), static_cast<int64_t>(st.st_ctim.tv_sec),
        static_cast<int64_t>(st.st_ctim.tv_nsec)};
}

std::optional<FileStamp> stampOfOpen(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return std::nullopt;
    return stampOf(st);
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

DataDir::DataDir(fs::path folder) : folder_(std::move(folder)) {}

std::optional<fs::path> DataDir::find(std::string_view name) const {
    auto path = findEntry(name);
    std::error_code ec;
    if (path && fs::is_regular_file(*path, ec)) return path;
    return std::nullopt;
}

std::optional<fs::path> DataDir::findEntry(std::string_view name) const {
    fs::path exact = folder_ / fs::path(std::string(name));
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    std::string wanted = foldCase(name);
    for (const auto& entry : fs::directory_iterator(folder_, ec)) {
        if (foldCase(entry.path().filename().string()) == wanted) return entry.path();
    }
    return std::nullopt;
}

std::optional<FileStamp> DataDir::stamp(std::string_view name) const {
    struct stat st {};
    fs::path exact = folder_ / fs::path(std::string(name));
    if (::stat(exact.c_str(), &st) != 0) {
        auto path = findEntry(name);
        if (!path || ::stat(path->c_str(), &st) != 0) return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) return std::nullopt;
    return stampOf(st);
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
    int fd = ::open(path->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        out.status = failure(name, "開けません", errno);
        return out;
    }
    std::string bytes;
    std::optional<FileStamp> before = stamp ? stampOfOpen(fd) : std::nullopt;
    bytes.reserve(before ? static_cast<size_t>(before->size) + 4096 : 65536);
    int err = readAll(fd, bytes);
    if (stamp && before && stampOfOpen(fd) == before) *stamp = before;
    ::close(fd);
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
    int fd = ::open(path->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    Head head;
    head.bytes.resize(size + 1);  // one byte more tells whether there is more
    size_t got = 0;
    while (got < head.bytes.size()) {
        ssize_t n = ::read(fd, head.bytes.data() + got, head.bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
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

int DataDir::writeOut(int fd, std::string_view bytes) const {
    if (fails(WriteStep::WriteError)) return EIO;
    if (fails(WriteStep::ShortWrite)) {
        (void)writeAll(fd, bytes.substr(0, bytes.empty() ? 0 : bytes.size() - 1));
        return EIO;
    }
    if (fails(WriteStep::WriteSide)) {
        (void)writeAll(fd, bytes.substr(0, bytes.size() / 2));
        return ENOSPC;
    }
    return writeAll(fd, bytes);
}

Status DataDir::writeBytes(std::string_view name, std::string_view bytes,
                           std::string_view sideName) const {
    ForgetAfterWrite forget(folder_, name);
    std::string side(sideName);
    if (side.empty()) side.append(".").append(name).append(".tmp");
    fs::path sidePath = find(side).value_or(folder_ / side);
    fs::path target = findEntry(name).value_or(folder_ / std::string(name));
    mode_t mode = 0666;
    bool keepMode = ::access(target.c_str(), F_OK) == 0;
    if (auto refused = refuseTarget(target, name, mode)) return *refused;
    auto fail = [&](int fd, std::string_view what, int err) {
        if (fd >= 0) ::close(fd);
        ::unlink(sidePath.c_str());
        return failure(name, what, err);
    };
    if (fails(WriteStep::OpenSide)) return fail(-1, "一時ファイルを作れません", EACCES);
    int fd = ::open(sidePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return fail(-1, "一時ファイルを作れません", errno);
    if (keepMode && ::fchmod(fd, mode) != 0) return fail(fd, "一時ファイルを作れません", errno);
    if (int err = writeOut(fd, bytes)) return fail(fd, "書き込めません", err);
    if (fails(WriteStep::SyncSide)) return fail(fd, "ディスクに書き込めません", EIO);
    if (::fsync(fd) != 0) return fail(fd, "ディスクに書き込めません", errno);
    if (::close(fd) != 0) return fail(-1, "ディスクに書き込めません", errno);
    if (fails(WriteStep::Rename)) return fail(-1, "ファイル名を付け替えられません", EACCES);
    if (::rename(sidePath.c_str(), target.c_str()) != 0)
        return fail(-1, "ファイル名を付け替えられません", errno);
    int err = fails(WriteStep::SyncFolder) ? EIO : syncFolder(folder_);
    if (err != 0) return failure(name, "保存しましたが、フォルダーをディスクに書き込めません", err);
    return {};
}

Status DataDir::appendText(std::string_view name, std::string_view text) const {
    auto bytes = encodeCp932(text);
    if (!bytes)
        return Status::failure(std::string(name), "Shift-JIS で書けない文字が含まれています");
    return appendBytes(name, *bytes);
}

Status DataDir::appendBytes(std::string_view name, std::string_view bytes) const {
    ForgetAfterWrite forget(folder_, name);
    fs::path target = findEntry(name).value_or(folder_ / std::string(name));
    mode_t mode = 0666;
    if (auto refused = refuseTarget(target, name, mode)) return *refused;
    bool created = ::access(target.c_str(), F_OK) != 0;
    if (fails(WriteStep::Append)) return failure(name, "追記のために開けません", EACCES);
    int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) return failure(name, "追記のために開けません", errno);
    struct stat st {};
    off_t oldSize = ::fstat(fd, &st) == 0 ? st.st_size : -1;
    int err = oldSize < 0 ? errno : writeOut(fd, bytes);
    if (err == 0) err = fails(WriteStep::SyncSide) ? EIO : (::fsync(fd) == 0 ? 0 : errno);
    if (err == 0) return ::close(fd) == 0 ? Status{} : failure(name, "追記できません", errno);
    // Undo the part of the line that went out, so that no half line stays.
    bool undone = oldSize >= 0 && !fails(WriteStep::AppendRollback) &&
                  ::ftruncate(fd, oldSize) == 0 && ::fsync(fd) == 0;
    ::close(fd);
    if (undone && created) ::unlink(target.c_str());
    if (!undone) return failure(name, "追記できず、書きかけの行が残っている可能性があります", err);
    return failure(name, "追記できません（ファイルは元のままです）", err);
}

Status DataDir::rename(std::string_view from, std::string_view to) const {
    auto source = find(from);
    if (!source) return Status::failure(std::string(from), "ファイルがありません");
    if (findEntry(to)) return Status::failure(std::string(to), "同じ名前のファイルがあります");
    ForgetAfterWrite forgetSource(folder_, from), forgetTarget(folder_, to);
    fs::path target = folder_ / std::string(to);
    if (fails(WriteStep::Rename)) return failure(from, "ファイル名を付け替えられません", EACCES);
    if (::rename(source->c_str(), target.c_str()) != 0)
        return failure(from, "ファイル名を付け替えられません", errno);
    int err = fails(WriteStep::SyncFolder) ? EIO : syncFolder(folder_);
    if (err != 0)
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
