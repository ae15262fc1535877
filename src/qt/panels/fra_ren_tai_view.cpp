// The trend panel: the width of the moving average.
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "analysis/rentai_panel.h"
#include "qt/bindings.h"
#include "qt/panels/panels.h"

namespace qtgui::panels {

void layoutFraRenTai(analysis::RenTaiPanel& panel, Binder& binder, QWidget* body) {
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    auto* label = new QLabel(QStringLiteral("移動平均"), body);
    QComboBox* width = bindComboBox(binder, panel.cboIdou, body);
    width->setFixedWidth(90);
    label->setBuddy(width);
    row->addWidget(label);
    row->addWidget(width);
    row->addStretch(1);

    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addLayout(row);
    layout->addStretch(1);
}

}  // namespace qtgui::panels
