// The trend panel. The chart of every weighing fills the panel; above it the
// distance to the target with the run from the first to the last weighing,
// beside it the legend, below it the lowest record and the width of the
// moving average.
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/rentai_panel.h"
#include "qt/bindings.h"
#include "qt/panels/panels.h"

namespace qtgui::panels {
namespace {

const QColor kWeightBlue(0, 0, 192);
const QColor kAverageRed(255, 0, 0);

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
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(10, 8, 12, 8);
    grid->setHorizontalSpacing(8);
    grid->addWidget(legendLine(kWeightBlue, 2, box), 0, 0, Qt::AlignVCenter);
    grid->addWidget(bindLabel(binder, panel.Label3(0), box), 0, 1);
    grid->addWidget(legendLine(kAverageRed, 3, box), 1, 0, Qt::AlignVCenter);
    grid->addWidget(bindLabel(binder, panel.Label3(1), box), 1, 1);
    return box;
}

QWidget* topRow(analysis::RenTaiPanel& panel, Binder& binder, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    QPushButton* target = bindButton(binder, panel.cmdMokuChk, row);
    target->setMinimumWidth(170);
    layout->addWidget(target);
    QLabel* run = bindLabel(binder, panel.lblNichis, row);
    run->setWordWrap(true);
    layout->addWidget(run, 1);
    return row;
}

QWidget* bottomRow(analysis::RenTaiPanel& panel, Binder& binder, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(bindLabel(binder, panel.lblKiro, row), 1);
    auto* caption = new QLabel(QStringLiteral("移動平均"), row);
    QComboBox* width = bindComboBox(binder, panel.cboIdou, row);
    width->setFixedWidth(90);
    caption->setBuddy(width);
    layout->addWidget(caption);
    layout->addWidget(width);
    layout->addWidget(new QLabel(QStringLiteral("回"), row));
    return row;
}

void layoutFraRenTai(analysis::RenTaiPanel& panel, Binder& binder, QWidget* body) {
    auto* chartRow = new QHBoxLayout;
    chartRow->setSpacing(8);
    ChartLook look;
    look.seriesColors = {kWeightBlue, kAverageRed};
    look.pointsUpTo = 60;  // a long diet is a line, a short one shows its weighings
    QChartView* chart = bindChart(binder, panel.mcrRentai, body, look);
    chart->setMinimumHeight(320);
    chartRow->addWidget(chart, 1);
    chartRow->addWidget(legend(panel, binder, body), 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(topRow(panel, binder, body));
    layout->addLayout(chartRow, 1);
    layout->addWidget(bottomRow(panel, binder, body));
}

[[maybe_unused]] const bool registered = registerView<analysis::RenTaiPanel>(layoutFraRenTai);

}  // namespace
}  // namespace qtgui::panels
