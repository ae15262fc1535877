// What a panel may ask of the window that hosts it: the values that several
// panels share, the data folder and the services, and the few things that
// reach beyond one panel. The panels know the window only through this.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/data_dir.h"
#include "core/weight_log.h"
#include "savings/penalty.h"
#include "ui/controls.h"
#include "ui/services.h"

namespace host {

// The values that more than one panel reads, alive for the whole run.
struct SharedState {
    // True during start-up: handlers that would write a settings file do nothing.
    bool Loading = false;
    // The profile.
    std::string UserName;
    float Height = 0;
    float TargetWeight = 0;
    // The scale increment of the weight entry, kept as the user typed it.
    std::string ScaleStep = "0.1";
    // Whether a new weighing's diary starts with the time of day (chkJikan).
    bool AutoTime = false;
    savings::ConversionTable Conversion;
    // The summary of the log and the weighing shown as current, from the
    // main panel's last refresh.
    core::WeightLogSummary Summary;
    float CurrentWeight = 0;
    std::string CurrentDate;
    // The BMI of the current weighing.
    float CurrentBmi = 0;

    bool hasHeight() const { return Height > 0; }
};

class PanelHost {
  public:
    virtual ui::Form& windowForm() = 0;
    virtual SharedState& shared() = 0;
    virtual const core::DataDir& dataDir() const = 0;
    virtual const ui::Services& services() const = 0;
    // Shows what was not saved when a write failed; true when it succeeded.
    virtual bool saved(const core::Status& status) = 0;
    // The current weighing changed: every panel shows its BMI figures again.
    virtual void DSP_BMI() = 0;

  protected:
    ~PanelHost() = default;
};

}  // namespace host
