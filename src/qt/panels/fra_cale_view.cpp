// The calendar panel: the two mode buttons, then the months as rows of 31
// coloured days, a year at a glance; under them the legend with the count of
// each kind of day, and the good days set against the bad ones with a face.
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/bindings.h"
#include "qt/panels/panels.h"
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

QHBoxLayout* modeButtons(records::CalePanel& panel, Binder& binder, QWidget* parent) {
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    for (const auto& [index, button] : panel.cmdSel1.items()) {
        QPushButton* widget = bindButton(binder, *button, parent);
        widget->setProperty("modeButton", true);
        line->addWidget(widget);
    }
    line->addStretch(1);
    return line;
}

QTableView* monthGrid(records::CalePanel& panel, Binder& binder, QWidget* parent) {
    QTableView* view = bindGrid(binder, panel.msgList2, parent);
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
    view->setToolTip(QStringLiteral("日付をダブルクリックするとその日をメイン画面に表示します"));
    return view;
}

// One entry of the legend: the colour of its days and their count.
void addLegend(Binder& binder, QGridLayout* grid, int col, ui::Label& swatch, ui::Label& count,
               QWidget* parent) {
    QLabel* colour = bindLabel(binder, swatch, parent);
    colour->setProperty("swatch", true);
    colour->setFixedSize(18, 18);
    grid->addWidget(colour, 0, col * 2, Qt::AlignVCenter);
    grid->addWidget(bindLabel(binder, count, parent), 0, col * 2 + 1, Qt::AlignVCenter);
}

QWidget* faces(records::CalePanel& panel, Binder& binder, QWidget* parent) {
    auto* place = new QWidget(parent);
    auto* stack = new QGridLayout(place);
    stack->setContentsMargins(0, 0, 0, 0);
    const std::pair<ui::Picture*, const char*> pictures[] = {
        {&panel.imgWara2, "face_wara"},
        {&panel.imgNiko2, "face_niko"},
        {&panel.imgKana2, "face_kana"},
    };
    for (const auto& [picture, file] : pictures) {
        QString resource = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(file));
        stack->addWidget(bindPicture(binder, *picture, resource, QSize(48, 48), place), 0, 0);
    }
    place->setFixedSize(48, 48);
    return place;
}

QLabel* compareCaption(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setProperty("compareCaption", true);
    return label;
}

// Left to right: good days, the sign, bad days, and the face of the sign.
QHBoxLayout* comparison(records::CalePanel& panel, Binder& binder, QWidget* parent) {
    auto* line = new QHBoxLayout;
    line->setSpacing(10);
    line->addWidget(compareCaption("体重減 ／ 増減無し", parent));
    line->addWidget(bindLabel(binder, panel.lblGenT, parent));
    line->addWidget(bindLabel(binder, panel.lblHugou, parent));
    line->addWidget(compareCaption("体重増 ／ １回だけ", parent));
    line->addWidget(bindLabel(binder, panel.lblZouT, parent));
    line->addSpacing(6);
    line->addWidget(faces(panel, binder, parent));
    line->addStretch(1);
    return line;
}

QFrame* summaryCard(records::CalePanel& panel, Binder& binder, QWidget* parent) {
    auto* card = new QFrame(parent);
    card->setObjectName(QStringLiteral("summaryCard"));
    auto* legend = new QGridLayout;
    legend->setHorizontalSpacing(6);
    addLegend(binder, legend, 0, panel.lblIroDn, panel.lblDn_c, card);
    addLegend(binder, legend, 1, panel.lblIroSm, panel.lblSm_c, card);
    addLegend(binder, legend, 2, panel.lblIroUp, panel.lblUp_c, card);
    addLegend(binder, legend, 3, panel.lblIroOne, panel.lblOne_c, card);
    addLegend(binder, legend, 4, panel.lblIroNon, panel.lblNon_c, card);
    for (int col = 1; col < 10; col += 2) legend->setColumnMinimumWidth(col, 120);
    legend->setColumnStretch(10, 1);
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(14, 8, 14, 8);
    layout->setSpacing(6);
    layout->addLayout(legend);
    layout->addLayout(comparison(panel, binder, card));
    return card;
}

void layoutFraCale(records::CalePanel& panel, Binder& binder, QWidget* body) {
    body->setStyleSheet(QString::fromUtf8(kCaleStyle));
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addLayout(modeButtons(panel, binder, body));
    layout->addWidget(monthGrid(panel, binder, body), 1);
    layout->addWidget(summaryCard(panel, binder, body));
}

[[maybe_unused]] const bool registered = registerView<records::CalePanel>(layoutFraCale);

}  // namespace
}  // namespace qtgui::panels
