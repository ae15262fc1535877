// The money of the program: the dated conversion table of yen per kilogram
// and the rule that turns every gain of weight into a penalty in whole yen.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_dir.h"
#include "core/dates.h"

namespace savings {

inline constexpr std::string_view kConversionFile = "換算.txt";

struct ConversionEntry {
    ConversionEntry(std::string fromDate, int16_t rate);
    std::string FromDate;                       // as stored, normally "yyyy/mm/dd"
    int16_t Rate = 0;                           // yen per kilogram of gain
    std::optional<std::chrono::sys_days> From;  // FromDate as a calendar date
};

// The entries in the order of the file; never empty.
struct ConversionTable {
    std::vector<ConversionEntry> entries{{"2000/01/01", 100}};
};

// Loads "換算.txt"; a missing or empty file gives the single entry
// 2000/01/01 at 100 yen, held in memory only. Lines without a date and a
// numeric rate are skipped.
ConversionTable READ_KANSAN(const core::DataDir& dir);

// The rate of a weighing's date: walking the table in its order, the rate of
// the entry before the first later-dated entry, or of the last entry.
float KANSAN_RATE(const ConversionTable& table, std::string_view date);

// The penalty of one weighing W against the previous weight P and the day's
// first weight F: both gains count, each rounded to whole yen, losses free.
int32_t WEIGHING_PENALTY(float W, float P, float F, float R);

// A running total T with a gain g at rate R: the gain counts only when it is
// above zero in single precision, and the sum is rounded after each addition.
int32_t ADD_PENALTY(int32_t T, double g, float R);

// Both gains of a weighing added to a running total, previous first.
int32_t addWeighing(int32_t T, float W, float P, float F, float R);

}  // namespace savings
