#include "qt/panels/view_parts.h"

#include <QHeaderView>
#include <QStyle>

#include "qt/bindings.h"

namespace qtgui::panels {

QPushButton* pictureButton(Binder& binder, ui::Button& button, const char* icon, int size,
                           QWidget* parent) {
    QPushButton* widget = bindButton(binder, button, parent);
    widget->setIcon(svgIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
    widget->setIconSize(QSize(size, size));
    widget->setFixedSize(size + 12, size + 12);
    widget->setCursor(Qt::PointingHandCursor);
    widget->setAccessibleName(qstr(button.toolTip()));
    return widget;
}

QTableView* fittedGrid(Binder& binder, ui::Grid& grid, GridWidth width, QWidget* parent) {
    QTableView* view = bindGrid(binder, grid, parent);
    auto fit = [view, width] {
        int columns = 2 * view->frameWidth() + view->horizontalHeader()->length() +
                      view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        if (width == GridWidth::Exactly)
            view->setFixedWidth(columns);
        else
            view->setMaximumWidth(columns);
    };
    QObject::connect(view->horizontalHeader(), &QHeaderView::sectionResized, view, fit);
    fit();
    return view;
}

}  // namespace qtgui::panels
