// The analysis panel: the four lists two by two, each in its group with its
// picture, its choice or its note above the list.
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>

#include "analysis/bunseki_panel.h"
#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/panels/panels.h"
#include "qt/panels/view_parts.h"

namespace qtgui::panels {
namespace {

// What stands beside a group's picture: a choice of two, or a note.
struct Beside {
    ui::ControlArray<ui::OptionButton>* options = nullptr;
    ui::Label* note = nullptr;
};

Beside choice(ui::ControlArray<ui::OptionButton>& options) {
    return {.options = &options};
}
Beside note(ui::Label& label) {
    return {.note = &label};
}

Items besideItems(Binder& binder, Beside beside, QWidget* box) {
    if (beside.options)
        return {bindOptionButton(binder, (*beside.options)(0), box),
                bindOptionButton(binder, (*beside.options)(1), box), stretch()};
    QLabel* label = bindLabel(binder, *beside.note, box);
    label->setWordWrap(true);
    return {{label, 1}};
}

// One group: the picture with the choice or note beside it, the list below.
struct Group {
    ui::Frame& frame;
    ui::Picture& picture;
    const char* icon;
    ui::Grid& list;
    const char* name;  // of the list, for a screen reader
    Beside beside;
};

QGroupBox* group(Binder& binder, const Group& parts, QWidget* parent) {
    QGroupBox* box = bindGroup(binder, parts.frame, parent);
    QLabel* picture = bindPicture(binder, parts.picture,
                                  QStringLiteral(":/icons/%1.svg").arg(QLatin1String(parts.icon)),
                                  QSize(28, 28), box);
    // Named after its group; the banding group's caption changes with its width.
    QTableView* list = named(bindGrid(binder, parts.list, box), parts.name);
    list->setMinimumHeight(160);
    // The list is made before what stands beside the picture: the Tab key
    // reaches it first.
    return setLayout(
        box,
        column({row({picture, besideItems(binder, parts.beside, box)}, {.spacing = 10}), {list, 1}},
               {.spacing = 6, .margins = {8, 6, 8, 8}}));
}

void layoutFraBunseki(analysis::BunsekiPanel& panel, Binder& binder, QWidget* body) {
    const Group series{panel.Frame8(0), panel.Image3(0),    "bunseki_jikei",
                       panel.msgB1,     "時系列体重データ", choice(panel.Option1)};
    const Group milestones{panel.Frame8(1), panel.Image3(1), "bunseki_kugiri",
                           panel.msgB2,     "区切り経過",    note(panel.Label5(0))};
    const Group average{panel.Frame8(2), panel.Image3(2), "bunseki_heikin",
                        panel.msgB3,     "体重平均推移",  note(panel.Label5(1))};
    const Group bands{panel.fraB4, panel.Image3(3),    "bunseki_banzuke",
                      panel.msgB4, "体重推移累積番付", choice(panel.Option2)};
    setLayout(body, grid({{group(binder, series, body), 0, 0},
                          {group(binder, milestones, body), 0, 1},
                          {group(binder, average, body), 1, 0},
                          {group(binder, bands, body), 1, 1}},
                         {.spacing = {10, 10}, .margins = {4, 0, 0, 0}}));
}

[[maybe_unused]] const bool kRegistered = registerView<analysis::BunsekiPanel>(layoutFraBunseki);

}  // namespace
}  // namespace qtgui::panels
