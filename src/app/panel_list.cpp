// The panels of the window, one line each, in the order of the side column.
// A panel is its own files and its line here.
#include "analysis/avgtai_panel.h"
#include "analysis/bunseki_panel.h"
#include "analysis/keikou_panel.h"
#include "analysis/rentai_panel.h"
#include "app/frm_main.h"
#include "notes/memo_panel.h"
#include "records/cale_panel.h"
#include "records/taijyu_panel.h"
#include "savings/cyokin_panel.h"
#include "setup/settei_panel.h"
#include "weighing/main_panel.h"

namespace app {

void frmMain::addPanels() {
    add<weighing::MainPanel>();
    add<records::TaijyuPanel>();
    add<records::CalePanel>();
    add<analysis::BunsekiPanel>();
    add<analysis::RenTaiPanel>();
    add<analysis::AvgTaiPanel>();
    add<savings::CyokinPanel>();
    add<notes::MemoPanel>();
    add<setup::SetteiPanel>();
    add<analysis::KeikouPanel>();
}

}  // namespace app
