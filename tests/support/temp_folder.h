// A fresh data folder for one test, removed afterwards, with helpers that put
// files into it as the program would find them on disk.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "core/codepage.h"
#include "core/data_dir.h"
#include "core/platform.h"

// The path of a test's folder. A name joined to it with / is UTF-8, as every
// name in the tests is: on Windows a plain std::filesystem::path would read
// it in the ANSI code page and misname every Japanese file.
class FolderPath : public std::filesystem::path {
  public:
    FolderPath() = default;
    explicit FolderPath(std::filesystem::path where) : std::filesystem::path(std::move(where)) {}

    friend std::filesystem::path operator/(const FolderPath& folder, std::string_view name) {
        return static_cast<const std::filesystem::path&>(folder) / core::platform::pathOf(name);
    }
    friend std::filesystem::path operator/(const FolderPath& folder, const std::string& name) {
        return folder / std::string_view(name);
    }
    friend std::filesystem::path operator/(const FolderPath& folder, const char* name) {
        return folder / std::string_view(name);
    }
};

class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0;; ++attempt) {
            std::string name = "yaserunba-" + std::to_string(random()) + std::to_string(attempt);
            if (std::filesystem::create_directory(base / name)) {
                path_ = FolderPath(base / name);
                return;
            }
        }
    }
    ~TempFolder() {
        std::error_code ec;
        // A file the test made read-only must not keep the folder on Windows.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ec))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const FolderPath& path() const { return path_; }
    core::DataDir dir() const { return core::DataDir(path_); }
    // The path of a file of the folder, its name in UTF-8.
    std::filesystem::path file(std::string_view name) const { return path_ / name; }

    // Writes the bytes as they are.
    void putBytes(std::string_view name, std::string_view bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    // Writes UTF-8 text as Shift-JIS.
    void put(std::string_view name, std::string_view text) const {
        putBytes(name, core::encodeCp932(text).value());
    }
    // The settings file with the help tour off, so that a window started on
    // the folder shows no tour.
    void putHelpTourOff() const { put("設定.TXT", "\"ヘルプツアー\",0\r\n"); }
    // The raw bytes of a file, "" when it is missing.
    std::string bytes(std::string_view name) const {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The decoded text of a file.
    std::string text(std::string_view name) const { return core::decodeCp932(bytes(name)); }
    bool has(std::string_view name) const { return std::filesystem::exists(file(name)); }
    size_t fileCount() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
    }

  private:
    FolderPath path_;
};
