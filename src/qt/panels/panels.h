// The nine panels of the main window. Each panel is a caption bar above a
// body; the body's layout lives in the panel's own file.
#pragma once

#include <QWidget>

#include "app/frm_main.h"
#include "qt/binder.h"

namespace qtgui::panels {

// The widget of one of frmMain's panels, shown while its model is visible.
QWidget* build(app::frmMain& window, Binder& binder, ui::Frame& panel, QWidget* parent);

// The bodies of the panels.
void layoutFraMain(app::frmMain& window, Binder& binder, QWidget* body);
void layoutFraSettei(app::frmMain& window, Binder& binder, QWidget* body);
void layoutFraRenTai(app::frmMain& window, Binder& binder, QWidget* body);
void layoutFraTaijyu(app::frmMain& window, Binder& binder, QWidget* body);
// A panel whose controls are still to come: its caption above an empty body.
void layoutCaptionOnly(QWidget* body);

}  // namespace qtgui::panels
