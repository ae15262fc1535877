#include "generated_log.h"

#include <chrono>
#include <cstdlib>
#include <random>
#include <stdexcept>

#include "core/dates.h"

namespace bench {

std::vector<core::WeightRecord> generateRecords(int count) {
    static const char* const kSituations[] = {"起床後", "朝食前", "朝食後", "昼食後",
                                              "夕食前", "夕食後", "入浴後", "就寝前"};
    static const char* const kDiaries[] = {
        "", "", "", "7:05:09", "飲み会で食べ過ぎた…", "ウォーキング30分", "お菓子を我慢できた！",
        ""};
    std::mt19937 random(20261208);
    std::vector<core::WeightRecord> records;
    records.reserve(static_cast<size_t>(count));
    auto day = std::chrono::sys_days(std::chrono::year(1990) / 1 / 1);
    float trend = 80.0f;
    while (static_cast<int>(records.size()) < count) {
        int perDay = 2 + static_cast<int>(random() % 4);
        for (int i = 0; i < perDay && static_cast<int>(records.size()) < count; ++i) {
            float noise = static_cast<float>(static_cast<int>(random() % 15) - 7) / 10.0f;
            float weight = static_cast<float>(static_cast<int>((trend + noise) * 10)) / 10.0f;
            records.push_back({core::dateText(core::Date(day)), kSituations[random() % 8], weight,
                               kDiaries[random() % 8], "", ""});
        }
        trend += trend > 60 ? -0.01f : 0.5f;
        day += std::chrono::days(1);
    }
    return records;
}

BenchFolder::BenchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "yaserunba-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder");
    path_ = pattern;
}

BenchFolder::~BenchFolder() {
    std::filesystem::remove_all(path_);
}

void BenchFolder::writeLog(const std::vector<core::WeightRecord>& records) const {
    if (!core::REWRITE_LOG(dir(), records)) throw std::runtime_error("cannot write the log");
}

}  // namespace bench
