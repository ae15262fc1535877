// The views of the nine panels. Each panel is a caption bar above a body;
// the body's layout lives in the panel's own file and is drawn from that
// panel's class alone.
#pragma once

#include <QWidget>

#include "host/panel.h"
#include "qt/binder.h"

namespace analysis {
class AvgTaiPanel;
class BunsekiPanel;
class RenTaiPanel;
}  // namespace analysis
namespace app {
class MainPanel;
}
namespace notes {
class MemoPanel;
}
namespace records {
class CalePanel;
class TaijyuPanel;
}  // namespace records
namespace savings {
class CyokinPanel;
}
namespace setup {
class SetteiPanel;
}

namespace qtgui::panels {

// The widget of a panel, shown while its frame is visible; its body is the
// view named by the panel's `view`, or its caption alone while it has none.
QWidget* build(host::Panel& panel, Binder& binder, QWidget* parent);

// The bodies of the panels.
void layoutFraMain(app::MainPanel& panel, Binder& binder, QWidget* body);
void layoutFraSettei(setup::SetteiPanel& panel, Binder& binder, QWidget* body);
void layoutFraRenTai(analysis::RenTaiPanel& panel, Binder& binder, QWidget* body);
void layoutFraBunseki(analysis::BunsekiPanel& panel, Binder& binder, QWidget* body);
void layoutFraAvgTai(analysis::AvgTaiPanel& panel, Binder& binder, QWidget* body);
void layoutFraTaijyu(records::TaijyuPanel& panel, Binder& binder, QWidget* body);
void layoutFraCale(records::CalePanel& panel, Binder& binder, QWidget* body);
void layoutFraMemo(notes::MemoPanel& panel, Binder& binder, QWidget* body);
void layoutFraCyokin(savings::CyokinPanel& panel, Binder& binder, QWidget* body);

}  // namespace qtgui::panels
