// The data folder of a fuzzing process: made once, emptied for each input,
// so every harness reads and writes real files as the program does. It lives
// in memory where the system has a memory file system, its writes skip
// flushing to the disk (every other step of a write runs as in the program),
// and the log cache keeps what it read as it does of the older files of a
// real folder; laying out a folder empties the cache.
#pragma once

#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/data_dir.h"
#include "core/weight_log.h"

class FuzzFolder {
  public:
    FuzzFolder() : path_(base() / ("yaserunba-fuzz-" + std::to_string(::getpid()))), dir_(path_) {
        dir_.setFlushToDisk(false);
        dir_.setSoleWriter(true);
    }
    ~FuzzFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }

    const core::DataDir& dir() const { return dir_; }

    void reset() {
        core::forgetCachedLogs();
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
        std::filesystem::create_directories(path_);
    }

    void put(std::string_view name, std::string_view bytes) {
        core::forgetCachedLogs();
        std::ofstream out(path_ / std::filesystem::path(std::u8string(name.begin(), name.end())),
                          std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    const std::filesystem::path& path() const { return path_; }

  private:
    static std::filesystem::path base() {
        std::error_code ec;
        std::filesystem::path memory = "/dev/shm";
        if (std::filesystem::is_directory(memory, ec) && ::access(memory.c_str(), W_OK) == 0)
            return memory;
        return std::filesystem::temp_directory_path();
    }

    std::filesystem::path path_;
    core::DataDir dir_;
};

// Empties what the data layer keeps between reads (the log cache) when an
// input ends: kept memory would look like a leak to the fuzzer, which then
// runs the input again to check. Declared first, so that it ends last.
class InputScope {
  public:
    InputScope() = default;
    ~InputScope() { core::forgetCachedLogs(); }
    InputScope(const InputScope&) = delete;
    InputScope& operator=(const InputScope&) = delete;
};

inline std::string_view asText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Stops the run when an invariant of the program does not hold.
inline void require(bool holds) {
    if (!holds) std::abort();
}
