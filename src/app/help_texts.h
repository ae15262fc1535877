// The help tour's texts: the welcome at start-up and one explanation per panel.
#pragma once

#include <string_view>

namespace app {

extern const std::string_view kWelcomeText;
extern const std::string_view kHelpTaijyu;
extern const std::string_view kHelpCale;
extern const std::string_view kHelpBunseki;
extern const std::string_view kHelpRenTai;
extern const std::string_view kHelpAvgTai;
extern const std::string_view kHelpCyokin;
extern const std::string_view kHelpMemo;
extern const std::string_view kHelpSettei;

}  // namespace app
