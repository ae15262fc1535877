// The 傾向分析 panel. The source of the trend across the top; below it on
// the left the trend by period with its note, the swing within a day and the
// change overnight, on the right the situations.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>

#include "analysis/keikou_panel.h"
#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/panels/panels.h"
#include "qt/panels/view_parts.h"

namespace qtgui::panels {
namespace {

// The four sources side by side, the situation's box after the last.
QGroupBox* sourceGroup(analysis::KeikouPanel& panel, Binder& binder, QWidget* parent) {
    QGroupBox* group = bindGroup(binder, panel.fraMoto, parent);
    QComboBox* label = bindComboBox(binder, panel.cboMoto, group);
    label->setMinimumWidth(150);
    Items options;
    for (const auto& [index, option] : panel.optMoto.items())
        options.push_back(bindOptionButton(binder, *option, group));
    options.push_back(named(label, "傾向の元の状況"));
    options.push_back(stretch());
    return setLayout(group, row(options, {.spacing = 12, .margins = kStyleMargins}));
}

QWidget* periodColumn(analysis::KeikouPanel& panel, Binder& binder, QWidget* parent) {
    auto* side = new QWidget(parent);
    QTableView* table = named(bindGrid(binder, panel.msgKeikou, side), "期間ごとの傾向");
    table->setMinimumHeight(200);
    QLabel* note = bindLabel(binder, panel.lblKcal, side);
    note->setWordWrap(true);
    return setLayout(side, column({table, note, space(12), bindLabel(binder, panel.lblHendou, side),
                                   bindLabel(binder, panel.lblYoruAsa, side), stretch()},
                                  {.spacing = 6}));
}

void layoutFraKeikou(analysis::KeikouPanel& panel, Binder& binder, QWidget* body) {
    setLayout(
        body,
        column({sourceGroup(panel, binder, body),
                bindLabel(binder, panel.lblMotoNone, body),
                {row({{periodColumn(panel, binder, body), 1},
                      {named(bindGrid(binder, panel.msgJyoukyouBetsu, body), "状況ごとの体重"), 1}},
                     {.spacing = 12}),
                 1}},
               {.spacing = 8, .margins = {4, 0, 0, 0}}));
}

[[maybe_unused]] const bool kRegistered = registerView<analysis::KeikouPanel>(layoutFraKeikou);

}  // namespace
}  // namespace qtgui::panels
