// The editing panel: the scale step of the weight entry and the automatic
// time of the diary.
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt/bindings.h"
#include "qt/panels/panels.h"

namespace qtgui::panels {
namespace {

QGroupBox* scaleStepGroup(app::frmMain& window, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, window.fraKizami, body);
    auto* row = new QHBoxLayout(group);
    row->setSpacing(18);
    for (const auto& [index, option] : window.optKizami.items())
        row->addWidget(bindOptionButton(binder, *option, group));
    QLineEdit* step = bindTextBox(binder, window.txtKizami, group);
    step->setFixedWidth(90);
    row->addWidget(step);
    row->addStretch(1);
    return group;
}

}  // namespace

void layoutFraSettei(app::frmMain& window, Binder& binder, QWidget* body) {
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->setSpacing(12);
    QGroupBox* group = scaleStepGroup(window, binder, body);
    group->setMaximumWidth(560);
    layout->addWidget(group);
    layout->addWidget(bindCheckBox(binder, window.chkJikan, body));
    layout->addStretch(1);
}

}  // namespace qtgui::panels
