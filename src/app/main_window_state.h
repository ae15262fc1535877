// The values that the window shares for the whole run.
#pragma once

#include <cstdint>
#include <string>

#include "core/weight_log.h"
#include "savings/penalty.h"

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
    savings::ConversionTable Conversion;

    // The next weighing: its situation, empty when none is chosen.
    std::string SelectedSituation;

    // The main panel's refresh: its working values, the summary of the log
    // and the weighing shown as current.
    float PrevWeight = 0;
    float DayFirstWeight = 0;
    std::string DayLastDate;
    int16_t DayRowNo = 1;
    float DayMaxWeight = 0;
    float DayMinWeight = 999;
    core::WeightLogSummary Summary;
    float CurrentWeight = 0;
    std::string CurrentDate;

    // The BMI figures and the meter.
    float CurrentBmi = 0;
    float MeterBmi = 17;
    std::string BmiClassText;
    bool MeterSetByProgram = false;
};

}  // namespace app
