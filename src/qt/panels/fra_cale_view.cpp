// The calendar panel: the two mode buttons, then the months as rows of 31
// coloured days, a year at a glance; under them the legend with the count of
// each kind of day, and the good days set against the bad ones with a face.
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>

#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/panels/panels.h"
#include "qt/panels/view_parts.h"
#include "records/cale_panel.h"

namespace qtgui::panels {
namespace {

const char* const kCaleStyle = R"css(
QFrame#summaryCard {
  background: #ffffff; border: 2px solid #b5e3b0; border-radius: 10px;
}
QLabel[swatch="true"] { border: 1px solid #9aab96; border-radius: 3px; }
QLabel[compareCaption="true"] { color: #6b7a66; }
QLabel#lblGenT, QLabel#lblZouT { font-size: 16pt; font-weight: bold; }
QLabel#lblHugou { font-size: 20pt; font-weight: bold; color: #c2463a; }
QPushButton[modeButton="true"] { padding: 3px 14px; }
)css";

QLayout* modeButtons(records::CalePanel& panel, Binder& binder, QWidget* parent) {
    Items buttons;
    for (const auto& [index, button] : panel.cmdSel1.items()) {
        QPushButton* widget = bindButton(binder, *button, parent);
        widget->setProperty("modeButton", true);
        buttons.push_back(widget);
    }
    return row({buttons, stretch()}, {.spacing = 6});
}

QTableView* monthGrid(records::CalePanel& panel, Binder& binder, QWidget* parent) {
    QTableView* view = named(bindGrid(binder, panel.msgList2, parent), "体重増減把握カレンダー");
    // The day columns as narrow as the program makes them: the whole month
    // in one row.
    view->horizontalHeader()->setMinimumSectionSize(12);
    auto fit = [view] {
        view->setMaximumWidth(2 * view->frameWidth() + view->horizontalHeader()->length() +
                              view->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    };
    QObject::connect(view->horizontalHeader(), &QHeaderView::sectionResized, view, fit);
    fit();
    view->setMinimumHeight(220);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    return view;
}

// One entry of the legend: the colour of its days and their count.
Cells legendEntry(Binder& binder, int column, ui::Label& swatch, ui::Label& count,
                  QWidget* parent) {
    QLabel* colour = bindLabel(binder, swatch, parent);
    colour->setProperty("swatch", true);
    colour->setFixedSize(18, 18);
    return {{colour, 0, column * 2, Qt::AlignVCenter},
            {bindLabel(binder, count, parent), 0, column * 2 + 1, Qt::AlignVCenter}};
}

// The kinds of day, each with its colour and its count, in columns of
// their own.
QLayout* legend(records::CalePanel& panel, Binder& binder, QWidget* parent) {
    PerLine countWidths;
    for (int column = 1; column < 10; column += 2) countWidths.emplace_back(column, 120);
    return grid({legendEntry(binder, 0, panel.lblIroDn, panel.lblDn_c, parent),
                 legendEntry(binder, 1, panel.lblIroSm, panel.lblSm_c, parent),
                 legendEntry(binder, 2, panel.lblIroUp, panel.lblUp_c, parent),
                 legendEntry(binder, 3, panel.lblIroOne, panel.lblOne_c, parent),
                 legendEntry(binder, 4, panel.lblIroNon, panel.lblNon_c, parent)},
                {.spacing = {.horizontal = 6},
                 .columnStretch = {{10, 1}},
                 .columnMinimumWidth = countWidths});
}

QWidget* faces(records::CalePanel& panel, Binder& binder, QWidget* parent) {
    return pictureStack(binder,
                        {{&panel.imgWara2, "face_wara"},
                         {&panel.imgNiko2, "face_niko"},
                         {&panel.imgKana2, "face_kana"}},
                        48, parent);
}

QLabel* compareCaption(const char* text, QWidget* parent) {
    return markedLabel(QString::fromUtf8(text), "compareCaption", parent);
}

// Left to right: good days, the sign, bad days, and the face of the sign.
QLayout* comparison(records::CalePanel& panel, Binder& binder, QWidget* parent) {
    return row(
        {compareCaption("体重減 ／ 増減無し", parent), bindLabel(binder, panel.lblGenT, parent),
         bindLabel(binder, panel.lblHugou, parent), compareCaption("体重増 ／ １回だけ", parent),
         bindLabel(binder, panel.lblZouT, parent), space(6), faces(panel, binder, parent),
         stretch()},
        {.spacing = 10});
}

QFrame* summaryCard(records::CalePanel& panel, Binder& binder, QWidget* parent) {
    QFrame* frame = card("summaryCard", parent);
    return setLayout(frame, column({legend(panel, binder, frame), comparison(panel, binder, frame)},
                                   {.spacing = 6, .margins = {14, 8, 14, 8}}));
}

void layoutFraCale(records::CalePanel& panel, Binder& binder, QWidget* body) {
    body->setStyleSheet(QString::fromUtf8(kCaleStyle));
    setLayout(body, column({modeButtons(panel, binder, body),
                            {monthGrid(panel, binder, body), 1},
                            summaryCard(panel, binder, body)},
                           {.spacing = 10}));
}

[[maybe_unused]] const bool kRegistered = registerView<records::CalePanel>(layoutFraCale);

}  // namespace
}  // namespace qtgui::panels
