// The trend panel. The chart of every weighing fills the panel; above it the
// distance to the target with the run from the first to the last weighing,
// beside it the legend, below it the lowest record and the width of the
// moving average.
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "analysis/rentai_panel.h"
#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/panels/panels.h"

namespace qtgui::panels {
namespace {

const QColor kWeightBlue(0, 0, 192);
const QColor kAverageRed(255, 0, 0);
const QColor kTrendGreen(0, 160, 80);

// A short stroke of a series' colour for the legend.
QFrame* legendLine(QColor color, int width, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFixedSize(28, width);
    line->setStyleSheet(QStringLiteral("background-color: %1;").arg(color.name()));
    return line;
}

// Shape6 holds the two lines with their names.
QWidget* legend(analysis::RenTaiPanel& panel, Binder& binder, QWidget* parent) {
    QWidget* box = bindShape(binder, panel.Shape6, parent);
    return setLayout(box, grid({{legendLine(kWeightBlue, 2, box), 0, 0, Qt::AlignVCenter},
                                {bindLabel(binder, panel.Label3(0), box), 0, 1},
                                {legendLine(kAverageRed, 3, box), 1, 0, Qt::AlignVCenter},
                                {bindLabel(binder, panel.Label3(1), box), 1, 1}},
                               {.spacing = {.horizontal = 8}, .margins = {10, 8, 12, 8}}));
}

// The distance to the target, and the run from the first weighing to the last.
QWidget* topRow(analysis::RenTaiPanel& panel, Binder& binder, QWidget* parent) {
    auto* line = new QWidget(parent);
    QPushButton* target = bindButton(binder, panel.cmdMokuChk, line);
    target->setMinimumWidth(170);
    QLabel* run = bindLabel(binder, panel.lblNichis, line);
    run->setWordWrap(true);
    return setLayout(line, row({target, {run, 1}}, {.spacing = 12}));
}

// The smoothed trend: the check box that draws its line, with a stroke of
// the line's colour, its weight, its pace and the day it reaches the target.
QWidget* trendRow(analysis::RenTaiPanel& panel, Binder& binder, QWidget* parent) {
    auto* line = new QWidget(parent);
    QCheckBox* draw = bindCheckBox(binder, panel.chkKeikou, line);
    return setLayout(line, row({aligned(legendLine(kTrendGreen, 2, line), Qt::AlignVCenter), draw,
                                space(12), bindLabel(binder, panel.lblKeikou, line), space(16),
                                bindLabel(binder, panel.lblPace, line), space(16),
                                bindLabel(binder, panel.lblYosou, line), stretch()}));
}

// The lowest record, and the width of the moving average.
QWidget* bottomRow(analysis::RenTaiPanel& panel, Binder& binder, QWidget* parent) {
    auto* line = new QWidget(parent);
    QLabel* lowest = bindLabel(binder, panel.lblKiro, line);
    auto* caption = new QLabel(QStringLiteral("移動平均"), line);
    QComboBox* width = bindComboBox(binder, panel.cboIdou, line);
    width->setFixedWidth(90);
    caption->setBuddy(width);
    return setLayout(
        line,
        row({{lowest, 1}, caption, width, new QLabel(QStringLiteral("回"), line)}, {.spacing = 8}));
}

QChartView* trendChart(analysis::RenTaiPanel& panel, Binder& binder, QWidget* parent) {
    ChartLook look;
    look.seriesColors = {kWeightBlue, kAverageRed, kTrendGreen};
    look.seriesWidths = {2, 2, 1.5};  // the trend a thin line over the others
    look.pointsUpTo = 60;             // a long diet is a line, a short one shows its weighings
    QChartView* chart = bindChart(binder, panel.mcrRentai, parent, look);
    chart->setMinimumHeight(320);
    return chart;
}

void layoutFraRenTai(analysis::RenTaiPanel& panel, Binder& binder, QWidget* body) {
    // Made in the order of the Tab key: the chart, then the button above it
    // and the box below it.
    QChartView* chart = trendChart(panel, binder, body);
    QWidget* lines = legend(panel, binder, body);
    setLayout(body, column({topRow(panel, binder, body),
                            trendRow(panel, binder, body),
                            {row({{chart, 1}, aligned(lines, Qt::AlignTop)}, {.spacing = 8}), 1},
                            bottomRow(panel, binder, body)},
                           {.spacing = 8, .margins = {4, 0, 0, 0}}));
}

[[maybe_unused]] const bool kRegistered = registerView<analysis::RenTaiPanel>(layoutFraRenTai);

}  // namespace
}  // namespace qtgui::panels
