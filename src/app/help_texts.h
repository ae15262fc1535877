// The help tour's welcome at start-up (each panel has its own explanation).
#pragma once

#include <string_view>

namespace app {

extern const std::string_view kWelcomeText;

}  // namespace app
