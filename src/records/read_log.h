// The log as the records panels read it each time they build (kept while
// the file stays as it was).
#pragma once

#include <memory>
#include <vector>

#include "core/weight_log.h"
#include "host/panel_host.h"

namespace records {

// The readable records in file order; none, after a message that says so,
// when the log exists but cannot be read.
std::shared_ptr<const std::vector<core::WeightRecord>> readLogOrTell(host::PanelHost& host);

}  // namespace records
