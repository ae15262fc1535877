// A fresh data folder for one test, removed afterwards, with helpers that put
// files into it as the program would find them on disk.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/codepage.h"
#include "core/data_dir.h"

class TempFolder {
  public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "yaserunba-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    core::DataDir dir() const { return core::DataDir(path_); }

    // Writes the bytes as they are.
    void putBytes(std::string_view name, std::string_view bytes) const {
        std::ofstream(path_ / std::string(name), std::ios::binary) << bytes;
    }
    // Writes UTF-8 text as Shift-JIS.
    void put(std::string_view name, std::string_view text) const {
        putBytes(name, core::encodeCp932(text).value());
    }
    // The raw bytes of a file, "" when it is missing.
    std::string bytes(std::string_view name) const {
        std::ifstream in(path_ / std::string(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The decoded text of a file.
    std::string text(std::string_view name) const { return core::decodeCp932(bytes(name)); }
    bool has(std::string_view name) const {
        return std::filesystem::exists(path_ / std::string(name));
    }
    size_t fileCount() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
    }

  private:
    std::filesystem::path path_;
};
