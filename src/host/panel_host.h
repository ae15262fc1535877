// What a panel may ask of the window that hosts it: its run state and the
// values that several panels share, the data folder and the services, and
// the news it passes on to every panel. The panels know the window only
// through this.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/data_dir.h"
#include "core/settings.h"
#include "core/weight_log.h"
#include "host/values.h"
#include "ui/controls.h"
#include "ui/services.h"

namespace host {

class Panel;

// What came of a snapshot asked for before a change: whether the change goes
// on, and the name of the snapshot made (empty when none could be made and
// the person chose to go on without it).
struct BackUp {
    bool goOn = true;
    std::string made;
};

// Values read from files that several panels read, kept in Values under
// these types (with core::Profile, from ﾌﾟﾗｲﾍﾞｰﾄ.txt): each is set by
// whoever reads or writes its file.
//
// The scale increment of the weight entry (体重計刻み.TXT), kept as the user
// typed it.
struct ScaleStep {
    std::string text = "0.1";
};
// Whether a new weighing's diary starts with the time of day (自動時間.TXT,
// chkJikan).
struct AutoTime {
    bool on = false;
};
// Whether the profile has a height, without which there is no BMI.
inline bool hasHeight(const core::Profile& profile) {
    return profile.Height > 0;
}

// The window's run state and the current weighing, alive for the whole run.
// What is read from the person's files or worked out from the log is in
// Values instead.
struct SharedState {
    // True during start-up: handlers that would write a settings file do nothing.
    bool Loading = false;
    // The summary of the log and the weighing shown as current, from the
    // main panel's last refresh.
    core::WeightLogSummary summary;
    float CurrentWeight = 0;
    std::string CurrentDate;
    // The BMI of the current weighing.
    float CurrentBmi = 0;
};

class PanelHost {
  public:
    virtual ~PanelHost() = default;
    virtual ui::Form& windowForm() = 0;
    virtual SharedState& shared() = 0;
    // The values read from the person's files or worked out from the log
    // that several panels read: the profile, the scale step, the automatic
    // time, the subsystems' values.
    virtual Values& values() = 0;
    virtual const core::DataDir& dataDir() const = 0;
    virtual const ui::Services& services() const = 0;
    // Shows what was not saved when a write failed; true when it succeeded.
    virtual bool saved(const core::Status& status) = 0;
    // Shows why a file could not be read; true when it could.
    virtual bool readable(const core::Status& status) = 0;

    // ---- news for every panel
    //
    // The rule of a write: a panel that wrote one of the person's files tells
    // the window right after the write succeeded, once, and every panel, the
    // writer included, hears it through its Panel handler:
    //   the log (a weighing saved, a diary, a correction, a deletion, an
    //     import, a rename of a situation)           logWritten()
    //   the situation list rewritten                 situationsWritten()
    //   one label appended to the list               situationAdded(label)
    //   the conversion table                         values().set(the table read again)
    //   the profile                                  values().set(the profile saved)
    //                                                  and the window's title
    // A write that failed tells nothing, except one refused because the log
    // had changed underneath, which tells logWritten() so that every panel
    // shows the log as it is. The memo and the settings files belong to one
    // panel each, which shows what it wrote; a value a panel works out anew
    // for others to show goes through values().announce(). An undo or a redo
    // tells every panel of the files it wrote back in the same way, the memo
    // through Panel::fileWritten.
    //
    // A panel rewrote the log.
    virtual void logWritten() = 0;
    // A panel wrote the situation list: it is read again for every panel.
    virtual void situationsWritten() = 0;
    // A panel added a label at the end of the situation list file.
    virtual void situationAdded(const std::string& label) = 0;
    // The current weighing in SharedState is new.
    virtual void currentWeighingChanged() = 0;
    // The user chose a day to look at.
    virtual void chooseDay(core::Date date) = 0;

    // Makes a snapshot of the data folder right before a change that rewrites
    // much of the person's data (a deletion, an import, a restore). When none
    // can be made, the person is asked whether to go on without it.
    virtual BackUp backUp() = 0;

    // Opens a panel as its side button does.
    virtual void open(Panel& panel) = 0;
};

// The log's readable records as last read; none, after saying why, when the
// log exists but cannot be read.
std::shared_ptr<const core::LogRecords> readLog(PanelHost& host);

}  // namespace host
