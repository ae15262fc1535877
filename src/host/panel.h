// A panel of the window: one frame that a side button opens, with its own
// controls, handlers and working values in a class derived from this one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/panel_host.h"
#include "ui/print_job.h"

namespace host {

// How the window presents a panel: its frame, the side button that opens it,
// and the explanation of the help tour.
struct PanelInfo {
    std::string_view frame;
    std::string_view caption;
    std::string_view button;
    std::string_view buttonCaption;
    std::string_view toolTip;
    // Names the side button's picture and the view that draws the panel.
    std::string_view view;
    std::string_view helpText;
};

class Panel {
  public:
    Panel(PanelHost& host, const PanelInfo& info);
    virtual ~Panel() = default;
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    const PanelInfo& info() const { return info_; }

    // Builds the panel's content from the data files as it opens.
    virtual void fill() {}
    // The situation list was read again: refill the lists that show it.
    virtual void showSituations(const std::vector<std::string>&) {}

  protected:
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
