// A part of a panel: one group of its controls, with their handlers and
// working values, in a class of its own that the panel holds as a member and
// tells what the window tells it. The part's controls join the window's form
// as the part is made, inside the frame that the panel gives it, so that the
// form lists them where the panel's members place the part.
#pragma once

#include <memory>

#include "host/panel_host.h"

namespace host {

class PanelPart {
  public:
    PanelPart(PanelHost& host, ui::Frame& parent) : host_(host), parent_(parent) {}
    PanelPart(const PanelPart&) = delete;
    PanelPart& operator=(const PanelPart&) = delete;

  protected:
    ~PanelPart() = default;
    ui::Form& form() { return host_.windowForm(); }
    // The log's readable records, as host::readLog gives them.
    std::shared_ptr<const core::LogRecords> readLog() { return host::readLog(host_); }

    PanelHost& host_;
    // The panel's frame or group that the part's own frame stands in.
    ui::Frame& parent_;
};

}  // namespace host
