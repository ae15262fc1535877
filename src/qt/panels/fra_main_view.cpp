// The main panel. On the left, from top to bottom as a weighing is entered:
// the calendar that picks the day, the situation, the weight and the save
// button. On the right, what the day was: its face mark, the days and weight
// since the start with the obesity class, what the day cost and what has been
// saved in all, then the day's weighings as a list and as two charts.
#include <QCalendarWidget>
#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/panels/band_strip.h"
#include "qt/panels/panels.h"
#include "qt/panels/view_parts.h"
#include "weighing/main_panel.h"

namespace qtgui::panels {
namespace {

// Set on the panel's body: a bound widget's own style sheet is its model's
// colour.
const char* const kMainStyle = R"css(
QFrame#dayCard, QFrame#entryCard {
  background: #ffffff; border: 2px solid #b5e3b0; border-radius: 10px;
}
QLabel[summaryCaption="true"] { color: #6b7a66; }
QLabel#lblDspNissuu, QLabel#lblDspTai { font-size: 11pt; }
QLabel#lblDspBmi, QLabel#lblDspHiman { font-size: 18pt; font-weight: bold; color: #c2463a; }
QLabel#lblMHyouka {
  border: 1px solid #9aab96; border-radius: 6px; padding: 2px 10px; font-weight: bold;
}
QLabel#entryCaption { color: #3f8f47; font-weight: bold; }
QLineEdit#txtTaiInp {
  font-size: 20pt; font-weight: bold; padding: 1px 6px; border: 2px solid #a9c7a3;
  border-radius: 8px; background: #ffffff;
}
QLineEdit#txtTaiInp:focus { border-color: #6abf69; }
QPushButton#cmdUp, QPushButton#cmdDn { padding: 0px; font-weight: bold; }
QPushButton#cmdJikan, QPushButton#cmdTaiHozon { padding: 2px; }
)css";

// The four faces share one place; the model shows one at a time.
QWidget* faceMark(weighing::MainPanel& panel, Binder& binder, QWidget* parent) {
    return pictureStack(binder,
                        {{&panel.imgwara, "face_wara"},
                         {&panel.imgniko, "face_niko"},
                         {&panel.imgkana, "face_kana"},
                         {&panel.imgNashi, "face_nashi"}},
                        64, parent);
}

// The class of the current weight over the small band with its pointer.
QWidget* classBar(weighing::MainPanel& panel, Binder& binder, QWidget* parent) {
    auto* block = new QWidget(parent);
    auto* strip = new BandStrip(binder, panel.Shape1, panel.Image1,
                                {.pointer = QSize(16, 16), .barHeight = 10}, block);
    QLabel* judged = bindLabel(binder, panel.lblMHyouka, block);
    judged->setAlignment(Qt::AlignCenter);
    // Over the band itself, not over the room kept beside it for the pointer.
    int left = strip->xOf(strip->bandLeft());
    judged->setFixedWidth(strip->xOf(strip->bandRight()) - left);
    return setLayout(block,
                     column({row({space(left), judged, stretch()}), aligned(strip, Qt::AlignLeft)},
                            {.spacing = 2}));
}

// A caption with its label beside it, from `column` of a grid's `row`.
Cells summaryLine(Binder& binder, int row, int column, const char* caption, ui::Label& label,
                  QWidget* parent) {
    QLabel* name = markedLabel(QString::fromUtf8(caption), "summaryCaption", parent);
    return formLine(row,
                    {aligned(name, Qt::AlignRight | Qt::AlignVCenter),
                     aligned(bindLabel(binder, label, parent), Qt::AlignLeft | Qt::AlignVCenter)},
                    column);
}

// The face; the days and the weight since the start with the class of the
// weight; what the day cost and what has been saved in all.
QFrame* dayCard(weighing::MainPanel& panel, Binder& binder, QWidget* parent) {
    QFrame* frame = card("dayCard", parent);
    return setLayout(
        frame, grid({{faceMark(panel, binder, frame), 0, 0, Span{.rows = 3}, Qt::AlignVCenter},
                     summaryLine(binder, 0, 2, "日数", panel.lblDspNissuu, frame),
                     summaryLine(binder, 1, 2, "体重", panel.lblDspTai, frame),
                     {classBar(panel, binder, frame), 2, 3, Qt::AlignLeft | Qt::AlignTop},
                     summaryLine(binder, 0, 5, "本日の貯金", panel.lblDspBmi, frame),
                     summaryLine(binder, 1, 5, "貯金の合計", panel.lblDspHiman, frame)},
                    {.spacing = {10, 2},
                     .margins = {14, 10, 16, 10},
                     .columnStretch = {{6, 1}},
                     .columnMinimumWidth = {{1, 4}, {4, 16}}}));
}

QPushButton* stepButton(Binder& binder, ui::Button& button, QWidget* parent) {
    QPushButton* step = bindButton(binder, button, parent);
    step->setFixedSize(34, 24);
    return step;
}

// The weight box with its unit and the up and down buttons beside it.
QWidget* weightRow(weighing::WeightEntry& entry, Binder& binder, QWidget* parent) {
    auto* place = new QWidget(parent);
    QLineEdit* weight = named(bindTextBox(binder, entry.txtTaiInp, place), "体重（Kg）");
    weight->setFixedWidth(118);
    weight->setAlignment(Qt::AlignRight);
    return setLayout(
        place,
        grid({{weight, 0, 0, Span{.rows = 2}},
              {new QLabel(QStringLiteral("Kg"), place), 0, 1, Span{.rows = 2}, Qt::AlignBottom},
              {stepButton(binder, entry.cmdUp, place), 0, 2},
              {stepButton(binder, entry.cmdDn, place), 1, 2},
              {pictureButton(binder, entry.cmdTaiHozon, "save", 36, place), 0, 4, Span{.rows = 2}}},
             {.spacing = {6, 2}, .columnStretch = {{3, 1}}}));
}

// Choose the situation, set the weight, save.
QFrame* entryCard(weighing::WeightEntry& entry, Binder& binder, QWidget* parent) {
    QFrame* frame = card("entryCard", parent);
    auto* caption = new QLabel(QStringLiteral("状況選択"), frame);
    caption->setObjectName(QStringLiteral("entryCaption"));
    QListWidget* situations = bindListBox(binder, entry.lstAct, frame);
    caption->setBuddy(situations);
    return setLayout(
        frame, grid({{caption, 0, 0, Qt::AlignLeft | Qt::AlignBottom},
                     {situations, 1, 0},
                     {column({pictureButton(binder, entry.cmdJikan, "clock", 28, frame),
                              pictureButton(binder, entry.cmdFree, "free", 28, frame), stretch()},
                             {.spacing = 6}),
                      1, 1},
                     {weightRow(entry, binder, frame), 2, 0, Span{.columns = 2}}},
                    {.spacing = {8, 6}, .margins = {12, 8, 12, 12}, .rowStretch = {{1, 1}}}));
}

// The day list, at most as wide as its columns and a scroll bar, whatever
// widths the program gives them; in a narrow window it scrolls sideways.
QTableView* dayList(weighing::MainPanel& panel, Binder& binder, QWidget* parent) {
    QTableView* view =
        named(fittedGrid(binder, panel.msgDayList, GridWidth::AtMost, parent), "その日の記録");
    view->setMinimumWidth(360);
    view->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    return view;
}

QWidget* charts(weighing::MainPanel& panel, Binder& binder, QWidget* parent) {
    auto* place = new QWidget(parent);
    QChartView* weights = bindChart(binder, panel.mcrMain, place);
    QChartView* money =
        bindChart(binder, panel.mcrSub, place,
                  {.seriesNames = {QStringLiteral("本日の累計"), QStringLiteral("各回の罰金")},
                   .decimals = 0,
                   .fromZero = true,
                   .filledSeries = 1});
    for (QChartView* chart : {weights, money}) chart->setMinimumSize(240, 180);
    return setLayout(place, row({{weights, 1}, {money, 1}}, {.spacing = 10}));
}

void layoutFraMain(weighing::MainPanel& panel, Binder& binder, QWidget* body) {
    body->setStyleSheet(QString::fromUtf8(kMainStyle));
    QCalendarWidget* calendar = bindCalendar(binder, panel.mtvmain, body);
    calendar->setFixedSize(300, 214);
    QFrame* entry = entryCard(panel.entry, binder, body);
    entry->setFixedWidth(calendar->width());
    setLayout(body, row(
                        {
                            // The day to show and the entry of a weighing on it.
                            column({calendar, {entry, 1}}, {.spacing = 12}),
                            // What the day was.
                            {column({dayCard(panel, binder, body),
                                     {dayList(panel, binder, body), 3},
                                     {charts(panel, binder, body), 4}},
                                    {.spacing = 12}),
                             1},
                        },
                        {.spacing = 12}));
}

[[maybe_unused]] const bool kRegistered = registerView<weighing::MainPanel>(layoutFraMain);

}  // namespace
}  // namespace qtgui::panels
