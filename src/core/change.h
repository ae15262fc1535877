// How a weight moved against another: up, the same, or down, and the word
// that says so. The grids decide on the difference as it shows to one
// decimal (-0.04 shows -0.0: no change); the diary decides on the exact one.
#pragma once

#include <string_view>

namespace core {

enum class Change { Up, Same, Down };

// The exact difference: +0.02 is up.
Change changeOf(double difference);
// The difference as "0.0" shows it: +0.02 shows 0.0, the same.
Change shownChangeOf(double difference);
// " 増", " 同" or " 減".
std::string_view changeWord(Change change);

}  // namespace core
