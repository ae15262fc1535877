// The range-list panel: the situations that the list can be narrowed to.
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "qt/bindings.h"
#include "qt/panels/panels.h"
#include "records/taijyu_panel.h"

namespace qtgui::panels {

void layoutFraTaijyu(records::TaijyuPanel& panel, Binder& binder, QWidget* body) {
    auto* caption = new QLabel(QStringLiteral("状況"), body);
    caption->setStyleSheet(QStringLiteral("color: #3f8f47; font-weight: bold;"));
    QListWidget* situations = bindListBox(binder, panel.lstAct2, body);
    caption->setBuddy(situations);
    situations->setFixedWidth(180);
    situations->setMinimumHeight(240);

    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(caption);
    layout->addWidget(situations, 0, Qt::AlignLeft);
    layout->addStretch(1);
}

}  // namespace qtgui::panels
