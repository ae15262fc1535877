// A panel of the window: one frame that a side button opens, with its own
// controls, handlers and working values in a class derived from this one.
// The window tells every panel what changed; a panel acts on what concerns it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/panel_host.h"
#include "ui/print_job.h"

namespace host {

// The button of the side column that opens a panel.
struct SideButton {
    std::string_view name;
    std::string_view caption;
    std::string_view toolTip;
    // Its picture, resources/icons/ICON.svg.
    std::string_view icon;
    // Ctrl with this digit presses it; 0 for none.
    char key = 0;
};

// How the window presents a panel: its frame, the side button that opens it,
// its page of the bundled help (resources/help/PAGE.html) and what the help
// tour says as it opens (nothing for the main panel). Each panel class has
// one, `kInfo`.
struct PanelInfo {
    std::string_view frame;
    std::string_view caption;
    SideButton button;
    std::string_view helpPage;
    std::string_view helpText;
};

class Panel {
  public:
    Panel(PanelHost& host, const PanelInfo& info);
    virtual ~Panel() = default;
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    const PanelInfo& info() const { return info_; }

    // ---- start-up, in the window's order
    // Reads the panel's own settings and lays out its grids; nothing is
    // drawn from the log yet.
    virtual void load() {}
    // After the legacy log has been offered: draws what the panel shows from
    // the start.
    virtual void start() {}

    // The log holds no weighing after start-up (a first run, or an emptied
    // log): the panel that starts a diet leads the user there.
    virtual void firstRun() {}

    // Builds the panel's content from the data files as it opens.
    virtual void fill() {}

    // ---- what the window tells every panel
    // The log changed: a panel rewrote it (a weighing corrected, a situation
    // renamed), or another program, a sync or a hand edit did (`outside`). A
    // panel on view shows it afresh; one out of view reads it as it opens.
    virtual void logChanged(bool /*outside*/) {}
    // The situation list was read again.
    virtual void situationsChanged(const std::vector<std::string>&) {}
    // A label was added at the end of the situation list; a dragged order not
    // saved yet stays as it is.
    virtual void situationAdded(const std::string&) {}
    // The current weighing and its BMI are new (SharedState).
    virtual void currentWeighingChanged() {}
    // The user chose a day to look at (a double-click in the calendar).
    virtual void dayChosen(core::Date) {}
    // One of the person's files was written back by an undo or a redo: a
    // panel that keeps what it read of it (the memo's text) reads it again.
    virtual void fileWritten(std::string_view /*name*/) {}
    // A snapshot of the data folder was made.
    virtual void snapshotMade() {}

    // Views inside the panel that a picture of every panel shows as well:
    // its name, and how to open and close it.
    struct SubView {
        std::string name;
        std::function<void()> open;
        std::function<void()> close;
    };
    virtual std::vector<SubView> subViews() { return {}; }

  protected:
    // The log's readable records, as host::readLog gives them.
    std::shared_ptr<const core::LogRecords> readLog();
    // The same records alone, kept alive by the pointer.
    std::shared_ptr<const std::vector<core::WeightRecord>> readRecords();
    // Hands a report to the printer, its picture being `chart`, and says so
    // when the printer did not take it (a cancelled dialog was the user's
    // own choice and says nothing).
    void printReport(const ui::PrintJob& job, const ui::Chart& chart);

    PanelHost& host_;
    const PanelInfo& info_;

  public:
    ui::Frame frame;
};

}  // namespace host
