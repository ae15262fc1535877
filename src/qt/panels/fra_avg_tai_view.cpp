// The daily-average panel. The chart of the days fills the left; on the
// right the unit (day, week, month) and the period above the list, and under
// it the buttons that save and print what is shown.
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "analysis/avgtai_panel.h"
#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/panels/panels.h"
#include "qt/panels/view_parts.h"

namespace qtgui::panels {
namespace {

QComboBox* dateBox(Binder& binder, ui::ComboBox& box, QWidget* parent) {
    QComboBox* widget = bindComboBox(binder, box, parent);
    widget->setMinimumWidth(96);
    return widget;
}

// The unit of the rows: day, week, month, side by side in their group.
QGroupBox* unitGroup(analysis::AvgTaiPanel& panel, Binder& binder, QWidget* parent) {
    QGroupBox* group = bindGroup(binder, panel.fraTani, parent);
    return setLayout(group, row({bindOptionButton(binder, panel.optDay, group),
                                 bindOptionButton(binder, panel.optWeek, group),
                                 bindOptionButton(binder, panel.optMonth, group), stretch()},
                                {.spacing = 12, .margins = kStyleMargins}));
}

// From, to, and the button that shows the period.
QLayout* periodRow(analysis::AvgTaiPanel& panel, Binder& binder, QWidget* parent) {
    return row({named(dateBox(binder, panel.cboStdate2, parent), "期間の始め"),
                bindLabel(binder, panel.Label4(1), parent),
                named(dateBox(binder, panel.cboEddate2, parent), "期間の終わり"),
                pictureButton(binder, panel.cmdKikanF2, "kikan_show", 20, parent)},
               {.spacing = 4});
}

QWidget* listColumn(analysis::AvgTaiPanel& panel, Binder& binder, QWidget* parent) {
    auto* side = new QWidget(parent);
    side->setFixedWidth(300);
    return setLayout(
        side,
        column({unitGroup(panel, binder, side),
                periodRow(panel, binder, side),
                {named(bindGrid(binder, panel.msgAvgtai, side), "日ごとの平均体重"), 1},
                row({stretch(), pictureButton(binder, panel.cmdAvgHozon, "avg_export", 32, side),
                     pictureButton(binder, panel.cmdAvgPri, "avg_print", 32, side)})},
               {.spacing = 6}));
}

QChartView* dayChart(analysis::AvgTaiPanel& panel, Binder& binder, QWidget* parent) {
    ChartLook look;
    look.pointsUpTo = 60;
    QChartView* chart = bindChart(binder, panel.mcrAvgtai, parent, look);
    chart->setMinimumSize(360, 320);
    return chart;
}

void layoutFraAvgTai(analysis::AvgTaiPanel& panel, Binder& binder, QWidget* body) {
    setLayout(body, row({{dayChart(panel, binder, body), 1}, listColumn(panel, binder, body)},
                        {.spacing = 12, .margins = {4, 0, 0, 0}}));
}

[[maybe_unused]] const bool kRegistered = registerView<analysis::AvgTaiPanel>(layoutFraAvgTai);

}  // namespace
}  // namespace qtgui::panels
