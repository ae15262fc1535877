// The daily-average panel. The chart of the days fills the left; on the
// right the period above the list of days, and under it the buttons that
// save and print what is shown.
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "analysis/avgtai_panel.h"
#include "qt/bindings.h"
#include "qt/panels/panels.h"
#include "qt/panels/view_parts.h"

namespace qtgui::panels {
namespace {

QHBoxLayout* periodRow(analysis::AvgTaiPanel& panel, Binder& binder, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (ui::ComboBox* box : {&panel.cboStdate2, &panel.cboEddate2}) {
        QComboBox* widget = bindComboBox(binder, *box, parent);
        widget->setMinimumWidth(96);
        row->addWidget(widget);
        if (box == &panel.cboStdate2) row->addWidget(bindLabel(binder, panel.Label4(1), parent));
    }
    row->addWidget(pictureButton(binder, panel.cmdKikanF2, "kikan_show", 20, parent));
    return row;
}

QWidget* listColumn(analysis::AvgTaiPanel& panel, Binder& binder, QWidget* parent) {
    auto* column = new QWidget(parent);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addLayout(periodRow(panel, binder, column));
    QTableView* list = bindGrid(binder, panel.msgAvgtai, column);
    layout->addWidget(list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(pictureButton(binder, panel.cmdAvgHozon, "avg_export", 32, column));
    buttons->addWidget(pictureButton(binder, panel.cmdAvgPri, "avg_print", 32, column));
    layout->addLayout(buttons);
    column->setFixedWidth(300);
    return column;
}

void layoutFraAvgTai(analysis::AvgTaiPanel& panel, Binder& binder, QWidget* body) {
    auto* layout = new QHBoxLayout(body);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->setSpacing(12);
    ChartLook look;
    look.pointsUpTo = 60;
    QChartView* chart = bindChart(binder, panel.mcrAvgtai, body, look);
    chart->setMinimumSize(360, 320);
    layout->addWidget(chart, 1);
    layout->addWidget(listColumn(panel, binder, body));
}

[[maybe_unused]] const bool registered = registerView<analysis::AvgTaiPanel>(layoutFraAvgTai);

}  // namespace
}  // namespace qtgui::panels
