// The values that the window shares for the whole run.
#pragma once

#include <cstdint>
#include <string>

#include "core/weight_log.h"

namespace app {

struct MainWindowState {
    // True during start-up: handlers that would write a settings file do nothing.
    bool Loading = false;
    int16_t HelpTour = 1;
    std::string HelpText;
    // The profile.
    std::string UserName;
    float Height = 0;
    float TargetWeight = 0;
    // The scale increment, kept as the user typed it.
    std::string ScaleStep = "0.1";
    int16_t MarkerStyle = 1;
    core::WeightLogSummary Summary;
};

}  // namespace app
