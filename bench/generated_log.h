// Realistic weight logs of any size for the benchmark, in a folder of their own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/data_dir.h"
#include "core/weight_log.h"

namespace bench {

// `count` weighings, several a day, with Japanese situations and diaries.
std::vector<core::WeightRecord> generateRecords(int count);

// A temporary data folder, removed when it goes.
class BenchFolder {
  public:
    BenchFolder();
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    core::DataDir dir() const { return core::DataDir(path_); }
    const std::filesystem::path& path() const { return path_; }
    // Writes the log of these records.
    void writeLog(const std::vector<core::WeightRecord>& records) const;

  private:
    std::filesystem::path path_;
};

}  // namespace bench
