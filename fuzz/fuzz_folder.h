// The data folder of a fuzzing process: made once, emptied for each input,
// so every harness reads and writes real files as the program does.
#pragma once

#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/data_dir.h"

class FuzzFolder {
  public:
    FuzzFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("yaserunba-fuzz-" + std::to_string(::getpid()))),
          dir_(path_) {}
    ~FuzzFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }

    const core::DataDir& dir() const { return dir_; }

    void reset() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
        std::filesystem::create_directories(path_);
    }

    void put(std::string_view name, std::string_view bytes) {
        std::ofstream out(path_ / std::filesystem::path(std::u8string(name.begin(), name.end())),
                          std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

  private:
    std::filesystem::path path_;
    core::DataDir dir_;
};

inline std::string_view asText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Stops the run when an invariant of the program does not hold.
inline void require(bool holds) {
    if (!holds) std::abort();
}
