// The situation labels offered for each weighing, kept in "状況リスト.txt".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/data_dir.h"

namespace setup {

inline constexpr std::string_view kSituationFile = "状況リスト.txt";

// The labels of the file in order: every item of every line, separated by
// line ends and by commas outside quotes; a missing file is an empty list.
std::vector<std::string> readSituationList(const core::DataDir& dir);

}  // namespace setup
