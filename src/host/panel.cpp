#include "host/panel.h"

namespace host {

Panel::Panel(PanelHost& host, const PanelInfo& info)
    : host_(host),
      info_(info),
      frame(host.windowForm(), std::string(info.frame), nullptr, std::string(info.caption)) {}

}  // namespace host
