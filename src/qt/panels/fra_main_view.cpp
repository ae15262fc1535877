// The main panel: the month calendar that picks the day shown and the chart
// of that day's weighings.
#include <QCalendarWidget>
#include <QChartView>
#include <QGridLayout>

#include "qt/bindings.h"
#include "qt/panels/panels.h"

namespace qtgui::panels {

void layoutFraMain(app::frmMain& window, Binder& binder, QWidget* body) {
    auto* layout = new QGridLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(10);

    QCalendarWidget* calendar = bindCalendar(binder, window.mtvmain, body);
    calendar->setFixedSize(300, 220);
    layout->addWidget(calendar, 0, 0, Qt::AlignTop | Qt::AlignLeft);

    QChartView* chart = bindChart(binder, window.mcrMain, body);
    chart->setMinimumSize(360, 220);
    layout->addWidget(chart, 0, 1, 2, 1);

    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
}

}  // namespace qtgui::panels
