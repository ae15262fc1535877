// The range-list panel. At the top the filters, one line each, so that they
// read as a sentence: in this period, on this weekday, in this situation;
// the situations to pick from stand beside them. Below, the listed weighings
// as a table and as a chart, with the print button over the chart.
#include <QChartView>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/panels/panels.h"
#include "qt/panels/view_parts.h"
#include "records/taijyu_panel.h"

namespace qtgui::panels {
namespace {

const char* const kTaijyuStyle = R"css(
QFrame#filterCard {
  background: #ffffff; border: 2px solid #b5e3b0; border-radius: 10px;
}
QLabel[filterCaption="true"] { color: #3f8f47; font-weight: bold; }
QLabel[filterHint="true"] { color: #6b7a66; }
QPushButton[filterButton="true"] { padding: 2px 8px; min-width: 28px; }
)css";

QLabel* caption(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setProperty("filterCaption", true);
    return label;
}

QLabel* hint(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setProperty("filterHint", true);
    return label;
}

QPushButton* filterButton(Binder& binder, ui::Button& button, QWidget* parent) {
    QPushButton* widget = bindButton(binder, button, parent);
    widget->setProperty("filterButton", true);
    widget->setCursor(Qt::PointingHandCursor);
    return widget;
}

// The period buttons, shortest first, then the two dates.
QHBoxLayout* periodLine(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    auto* line = new QHBoxLayout;
    line->setSpacing(4);
    line->addWidget(filterButton(binder, panel.cmdAllDay, parent));
    for (const auto& info : records::kPeriodButtons) {
        if (info.button == records::PeriodButton::cmdAllDay) continue;
        line->addWidget(filterButton(binder, panel.periodButton(info.button), parent));
    }
    line->addSpacing(10);
    for (ui::ComboBox* date : {&panel.cboStdate, &panel.cboEddate}) {
        QComboBox* box = bindComboBox(binder, *date, parent);
        box->setMinimumContentsLength(10);
        line->addWidget(box);
        if (date == &panel.cboStdate) line->addWidget(bindLabel(binder, panel.lblKara, parent));
    }
    line->addWidget(hint("の間", parent));
    line->addStretch(1);
    return line;
}

QHBoxLayout* weekdayLine(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    auto* line = new QHBoxLayout;
    line->setSpacing(4);
    line->addWidget(filterButton(binder, panel.cmdAllWeek, parent));
    for (const auto& [index, button] : panel.cmdWeek.items())
        line->addWidget(filterButton(binder, *button, parent));
    line->addWidget(hint("曜日に", parent));
    line->addStretch(1);
    return line;
}

QHBoxLayout* situationLine(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    auto* line = new QHBoxLayout;
    line->setSpacing(4);
    line->addWidget(filterButton(binder, panel.cmdAllact, parent));
    QLineEdit* key = bindTextBox(binder, panel.txtKey, parent);
    key->setPlaceholderText(QStringLiteral("語句を入力して Enter"));
    key->setFixedWidth(200);
    line->addWidget(key);
    line->addWidget(filterButton(binder, panel.cmdKensaku, parent));
    line->addWidget(hint("を含む状況で計った体重", parent));
    line->addStretch(1);
    return line;
}

// Period, weekday and situation, one line each, with the situation list
// beside them.
QFrame* filterCard(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    auto* card = new QFrame(parent);
    card->setObjectName(QStringLiteral("filterCard"));
    auto* grid = new QGridLayout(card);
    grid->setContentsMargins(12, 8, 12, 8);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->addWidget(caption("期間指定", card), 0, 0);
    grid->addLayout(periodLine(panel, binder, card), 0, 1);
    grid->addWidget(caption("曜日指定", card), 1, 0);
    grid->addLayout(weekdayLine(panel, binder, card), 1, 1);
    grid->addWidget(caption("状況指定", card), 2, 0);
    grid->addLayout(situationLine(panel, binder, card), 2, 1);
    QListWidget* situations = bindListBox(binder, panel.lstAct2, card);
    situations->setFixedWidth(170);
    situations->setFixedHeight(96);
    situations->setToolTip(QStringLiteral("選んだ状況を含む記録だけを表示します"));
    grid->addWidget(situations, 0, 2, 3, 1);
    grid->setColumnStretch(1, 1);
    return card;
}

// The table, as wide as its columns and a scroll bar.
QTableView* listTable(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    return fittedGrid(binder, panel.msgBunseki, GridWidth::Exactly, parent);
}

QWidget* chartColumn(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    auto* column = new QWidget(parent);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    QPushButton* print = pictureButton(binder, panel.cmdPriData, "list_print", 28, column);
    layout->addWidget(print, 0, Qt::AlignRight);
    ChartLook look;
    look.decimals = 0;
    look.pointsUpTo = 60;
    QChartView* chart = bindChart(binder, panel.mcrBunseki, column, look);
    chart->setMinimumSize(280, 220);
    layout->addWidget(chart, 1);
    return column;
}

void layoutFraTaijyu(records::TaijyuPanel& panel, Binder& binder, QWidget* body) {
    body->setStyleSheet(QString::fromUtf8(kTaijyuStyle));
    // Built in reading order, which is the order of the Tab key.
    setLayout(body,
              column({filterCard(panel, binder, body),
                      {row({listTable(panel, binder, body), {chartColumn(panel, binder, body), 1}},
                           {.spacing = 12}),
                       1}},
                     {.spacing = 12}));
}

[[maybe_unused]] const bool registered = registerView<records::TaijyuPanel>(layoutFraTaijyu);

}  // namespace
}  // namespace qtgui::panels
