// The range-list panel. At the top the filters, one line each, so that they
// read as a sentence: in this period, on this weekday, in this situation;
// the situations to pick from stand beside them. Below, the listed weighings
// as a table and as a chart, with the print button over the chart.
#include <QChartView>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

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
    return markedLabel(QString::fromUtf8(text), "filterCaption", parent);
}

QLabel* hint(const char* text, QWidget* parent) {
    return markedLabel(QString::fromUtf8(text), "filterHint", parent);
}

QPushButton* filterButton(Binder& binder, ui::Button& button, QWidget* parent) {
    QPushButton* widget = bindButton(binder, button, parent);
    widget->setProperty("filterButton", true);
    widget->setCursor(Qt::PointingHandCursor);
    return widget;
}

QComboBox* dateBox(Binder& binder, ui::ComboBox& date, const char* name, QWidget* parent) {
    QComboBox* box = named(bindComboBox(binder, date, parent), name);
    box->setMinimumContentsLength(10);
    return box;
}

// The period buttons, shortest first, then the two dates.
QLayout* periodLine(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    Items periods{filterButton(binder, panel.cmdAllDay, parent)};
    for (const auto& info : records::kPeriodButtons)
        if (info.button != records::PeriodButton::cmdAllDay)
            periods.push_back(filterButton(binder, panel.periodButton(info.button), parent));
    return row(
        {periods, space(10), dateBox(binder, panel.cboStdate, "期間の始め", parent),
         bindLabel(binder, panel.lblKara, parent),
         dateBox(binder, panel.cboEddate, "期間の終わり", parent), hint("の間", parent), stretch()},
        {.spacing = 4});
}

QLayout* weekdayLine(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    Items days{filterButton(binder, panel.cmdAllWeek, parent)};
    for (const auto& [index, button] : panel.cmdWeek.items())
        days.push_back(filterButton(binder, *button, parent));
    return row({days, hint("曜日に", parent), stretch()}, {.spacing = 4});
}

QLineEdit* keyBox(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    QLineEdit* key = named(bindTextBox(binder, panel.txtKey, parent), "状況に含む語句");
    key->setPlaceholderText(QStringLiteral("語句を入力して Enter"));
    key->setFixedWidth(200);
    return key;
}

QLayout* situationLine(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    return row({filterButton(binder, panel.cmdAllact, parent), keyBox(panel, binder, parent),
                filterButton(binder, panel.cmdKensaku, parent),
                hint("を含む状況で計った体重", parent), stretch()},
               {.spacing = 4});
}

QListWidget* situationList(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    QListWidget* situations = named(bindListBox(binder, panel.lstAct2, parent), "状況");
    situations->setFixedWidth(170);
    situations->setFixedHeight(96);
    return situations;
}

// Period, weekday and situation, one line each, with the situation list
// beside them.
QFrame* filterCard(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    QFrame* frame = card("filterCard", parent);
    return setLayout(
        frame, grid({formLine(0, {caption("期間指定", frame), periodLine(panel, binder, frame)}),
                     formLine(1, {caption("曜日指定", frame), weekdayLine(panel, binder, frame)}),
                     formLine(2, {caption("状況指定", frame), situationLine(panel, binder, frame)}),
                     {situationList(panel, binder, frame), 0, 2, Span{.rows = 3}}},
                    {.spacing = {10, 6}, .margins = {12, 8, 12, 8}, .columnStretch = {{1, 1}}}));
}

// The table, as wide as its columns and a scroll bar.
QTableView* listTable(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    return named(fittedGrid(binder, panel.msgBunseki, GridWidth::Exactly, parent),
                 "範囲指定の一覧");
}

QChartView* listChart(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    ChartLook look;
    look.decimals = 0;
    look.pointsUpTo = 60;
    QChartView* chart = bindChart(binder, panel.mcrBunseki, parent, look);
    chart->setMinimumSize(280, 220);
    return chart;
}

// The print button over the chart.
QWidget* chartColumn(records::TaijyuPanel& panel, Binder& binder, QWidget* parent) {
    auto* side = new QWidget(parent);
    return setLayout(
        side, column({aligned(pictureButton(binder, panel.cmdPriData, "list_print", 28, side),
                              Qt::AlignRight),
                      {listChart(panel, binder, side), 1}},
                     {.spacing = 6}));
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

[[maybe_unused]] const bool kRegistered = registerView<records::TaijyuPanel>(layoutFraTaijyu);

}  // namespace
}  // namespace qtgui::panels
