// What a panel may ask of the window that hosts it: the values that several
// panels share, the data folder and the services, and the few things that
// reach beyond one panel. The panels know the window only through this.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "analysis/trend.h"
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
    // The weight series of the trend panel's last build, which the analysis
    // lists work on (and keep while they show it).
    std::shared_ptr<const analysis::Trend> Trend = std::make_shared<const analysis::Trend>();

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
    // Shows a date on the main panel: its calendar set to the date, its day
    // drawn again, the main panel opened.
    virtual void showOnMainPanel(core::Date date) = 0;
    // The log was rewritten under the main panel (a weighing corrected or
    // removed): it reads the log again for the day it shows.
    virtual void logChanged() = 0;
    // Rebuilds the trend panel and its series (Trend above) from the log.
    virtual void DSP_RENTAI() = 0;
    // Reads the situation list file again into every list box that shows it.
    virtual void READ_JYOUKYOU() = 0;

  protected:
    ~PanelHost() = default;
};

}  // namespace host
