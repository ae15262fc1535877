#include "core/data_dir.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

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

std::string errnoText() {
    return std::strerror(errno);
}

// Writes all bytes, retrying short writes.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

DataDir::DataDir(fs::path folder) : folder_(std::move(folder)) {}

std::optional<fs::path> DataDir::find(std::string_view name) const {
    fs::path exact = folder_ / fs::path(std::string(name));
    std::error_code ec;
    if (fs::is_regular_file(exact, ec)) return exact;
    std::string wanted = foldCase(name);
    for (const auto& entry : fs::directory_iterator(folder_, ec)) {
        if (foldCase(entry.path().filename().string()) == wanted && entry.is_regular_file(ec))
            return entry.path();
    }
    return std::nullopt;
}

std::optional<std::string> DataDir::readBytes(std::string_view name) const {
    auto path = find(name);
    if (!path) return std::nullopt;
    std::ifstream in(*path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    in.seekg(0, std::ios::end);
    bytes.resize(static_cast<size_t>(in.tellg()));
    in.seekg(0, std::ios::beg);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!in) return std::nullopt;
    return bytes;
}

std::optional<DataDir::Head> DataDir::readHead(std::string_view name, size_t size) const {
    auto path = find(name);
    if (!path) return std::nullopt;
    std::ifstream in(*path, std::ios::binary);
    if (!in) return std::nullopt;
    Head head;
    head.bytes.resize(size);
    in.read(head.bytes.data(), static_cast<std::streamsize>(size));
    head.bytes.resize(static_cast<size_t>(in.gcount()));
    head.whole = in.eof() || in.peek() == std::char_traits<char>::eof();
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

Status DataDir::writeBytes(std::string_view name, std::string_view bytes,
                           std::string_view sideName) const {
    std::string side(sideName);
    if (side.empty()) side.append(".").append(name).append(".tmp");
    fs::path sidePath = find(side).value_or(folder_ / side);
    fs::path target = find(name).value_or(folder_ / std::string(name));
    auto fail = [&](int fd, std::string reason) {
        if (fd >= 0) ::close(fd);
        ::unlink(sidePath.c_str());
        return Status::failure(std::string(name), std::move(reason));
    };
    if (fails(WriteStep::OpenSide)) return fail(-1, "一時ファイルを作れません");
    int fd = ::open(sidePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return fail(-1, errnoText());
    if (fails(WriteStep::WriteSide)) {
        (void)writeAll(fd, bytes.substr(0, bytes.size() / 2));
        return fail(fd, "ディスクに空きがありません");
    }
    if (!writeAll(fd, bytes)) return fail(fd, errnoText());
    if (fails(WriteStep::SyncSide) || ::fsync(fd) != 0) return fail(fd, "ディスクに書き込めません");
    if (::close(fd) != 0) return fail(-1, errnoText());
    if (fails(WriteStep::Rename) || ::rename(sidePath.c_str(), target.c_str()) != 0)
        return fail(-1, "ファイル名を付け替えられません");
    syncFolder(folder_);
    return {};
}

Status DataDir::appendText(std::string_view name, std::string_view text) const {
    auto bytes = encodeCp932(text);
    if (!bytes)
        return Status::failure(std::string(name), "Shift-JIS で書けない文字が含まれています");
    fs::path target = find(name).value_or(folder_ / std::string(name));
    if (fails(WriteStep::Append))
        return Status::failure(std::string(name), "ディスクに空きがありません");
    int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return Status::failure(std::string(name), errnoText());
    bool ok = writeAll(fd, *bytes) && ::fsync(fd) == 0;
    std::string reason = ok ? "" : errnoText();
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = errnoText();
    }
    if (!ok) return Status::failure(std::string(name), reason);
    return {};
}

Status DataDir::rename(std::string_view from, std::string_view to) const {
    auto source = find(from);
    if (!source) return Status::failure(std::string(from), "ファイルがありません");
    if (exists(to)) return Status::failure(std::string(to), "同じ名前のファイルがあります");
    fs::path target = folder_ / std::string(to);
    if (fails(WriteStep::Rename) || ::rename(source->c_str(), target.c_str()) != 0)
        return Status::failure(std::string(from), "ファイル名を付け替えられません");
    syncFolder(folder_);
    return {};
}

Status DataDir::copy(std::string_view from, std::string_view to) const {
    auto bytes = readBytes(from);
    if (!bytes) return Status::failure(std::string(from), "ファイルを読めません");
    return writeBytes(to, *bytes, {});
}

std::string DataDir::freeName(std::string_view base, std::string_view ext) const {
    std::string name = std::string(base) + std::string(ext);
    for (int n = 2; exists(name); ++n)
        name = std::string(base) + std::to_string(n) + std::string(ext);
    return name;
}

}  // namespace core
