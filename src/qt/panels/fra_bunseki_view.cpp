// The analysis panel: the four lists two by two, each in its group with its
// picture, its choice or its note above the list.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include "analysis/bunseki_panel.h"
#include "qt/bindings.h"
#include "qt/panels/panels.h"

namespace qtgui::panels {
namespace {

// One group: the picture with the choice or note beside it, the list below.
QGroupBox* group(Binder& binder, ui::Frame& frame, ui::Picture& picture, const char* icon,
                 ui::Grid& grid, QWidget* parent) {
    QGroupBox* box = bindGroup(binder, frame, parent);
    auto* head = new QHBoxLayout;
    head->setSpacing(10);
    head->addWidget(bindPicture(binder, picture,
                                QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon)),
                                QSize(28, 28), box));
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(6);
    layout->addLayout(head);
    QTableView* list = bindGrid(binder, grid, box);
    list->setMinimumHeight(160);
    layout->addWidget(list, 1);
    return box;
}

QHBoxLayout* head(QGroupBox* box) {
    auto* layout = static_cast<QVBoxLayout*>(box->layout());
    return static_cast<QHBoxLayout*>(layout->itemAt(0)->layout());
}

void addOptions(Binder& binder, ui::ControlArray<ui::OptionButton>& options, QGroupBox* box) {
    for (int i = 0; i < 2; ++i) head(box)->addWidget(bindOptionButton(binder, options(i), box));
    head(box)->addStretch(1);
}

void addNote(Binder& binder, ui::Label& note, QGroupBox* box) {
    QLabel* label = bindLabel(binder, note, box);
    label->setWordWrap(true);
    head(box)->addWidget(label, 1);
}

void layoutFraBunseki(analysis::BunsekiPanel& panel, Binder& binder, QWidget* body) {
    QGroupBox* jikei =
        group(binder, panel.Frame8(0), panel.Image3(0), "bunseki_jikei", panel.msgB1, body);
    addOptions(binder, panel.Option1, jikei);
    QGroupBox* kugiri =
        group(binder, panel.Frame8(1), panel.Image3(1), "bunseki_kugiri", panel.msgB2, body);
    addNote(binder, panel.Label5(0), kugiri);
    QGroupBox* heikin =
        group(binder, panel.Frame8(2), panel.Image3(2), "bunseki_heikin", panel.msgB3, body);
    addNote(binder, panel.Label5(1), heikin);
    QGroupBox* banzuke =
        group(binder, panel.fraB4, panel.Image3(3), "bunseki_banzuke", panel.msgB4, body);
    addOptions(binder, panel.Option2, banzuke);

    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(4, 0, 0, 0);
    grid->setSpacing(10);
    grid->addWidget(jikei, 0, 0);
    grid->addWidget(kugiri, 0, 1);
    grid->addWidget(heikin, 1, 0);
    grid->addWidget(banzuke, 1, 1);
}

[[maybe_unused]] const bool registered = registerView<analysis::BunsekiPanel>(layoutFraBunseki);

}  // namespace
}  // namespace qtgui::panels
