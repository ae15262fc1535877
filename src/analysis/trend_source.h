// What feeds the smoothed trend: every weighing of a day, the day's first or
// lowest one, or only the weighings of one situation. A day with a morning
// weighing alone has a mean about a kilogram below a day that also has an
// evening one, so a person who weighs at different times of the day can keep
// the trend to the weighings that compare.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/data_dir.h"

namespace analysis {

// The file that remembers the choice: the kind on line 1, the quoted label
// on line 2.
inline constexpr std::string_view kTrendSourceFile = "傾向の元.TXT";

enum class TrendBasis : int { DayMean = 0, DayFirst = 1, DayLowest = 2, Situation = 3 };

// The captions of the four kinds, in the order of their numbers.
inline constexpr std::array<std::string_view, 4> kTrendBasisCaptions = {"一日の平均", "一日の最初",
                                                                        "一日の最小", "状況"};

struct TrendSource {
    TrendBasis basis = TrendBasis::DayMean;
    // The situation whose weighings feed the trend, for TrendBasis::Situation;
    // remembered for the others too, so that the choice comes back.
    std::string label;

    bool operator==(const TrendSource&) const = default;
    // The source as it stands in the trend's caption: "（一日の最初）",
    // "（起床後）", nothing for every weighing of the day.
    std::string captionMark() const;
};

// A missing or unreadable file, or a kind out of 0 to 3, gives every
// weighing of the day.
TrendSource readTrendSource(const core::DataDir& dir);
core::Status writeTrendSource(const core::DataDir& dir, const TrendSource& source);

}  // namespace analysis
