// A weight typed by the user, as every place that takes one reads it: the
// weight entry, the correction of a weighing, a row brought in from a file.
#pragma once

#include <string_view>
#include <variant>

namespace core {

// No scale shows this much: a typing slip, never a weighing.
inline constexpr float kWeightLimit = 10000;

// Why a typed weight is refused, as the message box says it.
struct WeightRefusal {
    std::string_view text;
    std::string_view title;
    bool operator==(const WeightRefusal&) const = default;
};

// The single-precision weight that the text gives: a number (blanks around it
// aside) that a single holds, of magnitude under 10,000 kg. Otherwise why not.
std::variant<float, WeightRefusal> parseTypedWeight(std::string_view text);

}  // namespace core
