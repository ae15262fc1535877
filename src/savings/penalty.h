// The money of the program: the dated conversion table of yen per kilogram
// and the rule that turns every gain of weight into a penalty in whole yen.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_dir.h"
#include "core/dates.h"
#include "core/numbers.h"

namespace savings {

inline constexpr std::string_view kConversionFile = "換算.txt";

struct ConversionEntry {
    ConversionEntry(std::string fromDate, int16_t rate);
    std::string FromDate;                       // as stored, normally "yyyy/mm/dd"
    int16_t Rate = 0;                           // yen per kilogram of gain
    std::optional<std::chrono::sys_days> from;  // FromDate as a calendar date
};

// The entries in the order of the file; never empty.
struct ConversionTable {
    std::vector<ConversionEntry> entries{{"2000/01/01", 100}};
    int32_t skippedLines = 0;  // lines of the file that READ_KANSAN could not use
};

// A rate as the file and the rate box give it: a number, rounded to the
// nearest whole yen with ties to even, within the 16-bit range; nullopt
// otherwise ("abc", "1e9", "32767.5").
std::optional<int16_t> kansanRate(std::string_view text);

// Loads "換算.txt"; a missing file, or one without a usable line, gives the
// single entry 2000/01/01 at 100 yen, held in memory only. A line is used
// when it holds a real date (kept as written, "2024/6/1" too) and a rate
// that kansanRate accepts; every other line but a blank one is skipped and
// counted in skippedLines.
ConversionTable READ_KANSAN(const core::DataDir& dir);

// The rate of a weighing's date: walking the table in its order, the rate of
// the entry before the first later-dated entry, or of the last entry.
float KANSAN_RATE(const ConversionTable& table, std::string_view date);

// The rates of the dates of a log, asked for in its order. For a later date
// the walk goes on from the entry where the last one stopped, since no entry
// before it is dated after the later date either; an earlier date starts
// again from the top. So a log in date order is rated in one walk of the
// table.
class RateWalk {
  public:
    explicit RateWalk(const ConversionTable& table) : entries_(table.entries) {}
    // For a date text; read only when the table has more than one rate.
    float rateOf(std::string_view date);
    // For a date already read; nullopt for a text that is no date.
    float rateOn(const std::optional<core::Date>& date);

  private:
    const std::vector<ConversionEntry>& entries_;
    std::chrono::sys_days last_{};
    size_t at_ = 0;
};

// The penalty of one weighing W against the previous weight P and the day's
// first weight F: both gains count, each rounded to whole yen, losses free.
int32_t WEIGHING_PENALTY(float W, float P, float F, float R);

// Every yen figure stays within 32 bits: a product or a sum beyond the limits
// stops at the limit, and a product without a value (an infinite gain at rate
// 0) adds nothing. Whole yen are rounded with ties to the even number.
// `wholeYen` gives such a figure as a double, which holds each one exactly.
inline double wholeYen(double yen) {
    if (std::isnan(yen)) return 0;
    return core::roundEvenSmall(std::clamp(yen, double{std::numeric_limits<int32_t>::min()},
                                           double{std::numeric_limits<int32_t>::max()}));
}
inline int32_t saturatedYen(double yen) {
    return static_cast<int32_t>(wholeYen(yen));
}
inline int32_t addYen(int32_t a, int32_t b) {
    return saturatedYen(static_cast<double>(a) + b);
}

// A running total T with a gain g at rate R: the gain counts only when it is
// above zero in single precision, and the sum is rounded after each addition.
// Inline, as are the rules around it: every weighing of a log goes through
// them. A walk over a log keeps its total as a double of whole yen
// (`addPenaltyYen`, `addWeighing`), so that it is not converted to and fro on
// every step.
inline double addPenaltyYen(double T, double g, float R) {
    if (!(static_cast<float>(g) > 0)) return T;
    double sum = T + g * R;
    return std::isnan(sum) ? T : wholeYen(sum);
}
inline int32_t ADD_PENALTY(int32_t T, double g, float R) {
    return static_cast<int32_t>(addPenaltyYen(T, g, R));
}

// Both gains of a weighing added to a running total, previous first.
inline double addWeighing(double T, float W, float P, float F, float R) {
    T = addPenaltyYen(T, static_cast<double>(W) - P, R);
    return addPenaltyYen(T, static_cast<double>(W) - F, R);
}

}  // namespace savings
