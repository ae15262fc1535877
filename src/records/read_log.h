// The log as the records panels read it each time they build.
#pragma once

#include <optional>
#include <vector>

#include "core/weight_log.h"
#include "host/panel_host.h"

namespace records {

// The readable records in file order; none, after a message that says so,
// when the log exists but cannot be read.
std::optional<std::vector<core::WeightRecord>> readLogOrTell(host::PanelHost& host);

}  // namespace records
