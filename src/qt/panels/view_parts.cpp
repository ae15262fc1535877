#include "qt/panels/view_parts.h"

#include <QHeaderView>
#include <QLabel>
#include <QStyle>

#include "qt/bindings.h"
#include "qt/layouting.h"

namespace qtgui::panels {
namespace {

QString iconResource(const char* icon) {
    return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon));
}

}  // namespace

QPushButton* pictureButton(Binder& binder, ui::Button& button, const char* icon, int size,
                           QWidget* parent) {
    QPushButton* widget = bindButton(binder, button, parent);
    widget->setIcon(svgIcon(iconResource(icon)));
    widget->setIconSize(QSize(size, size));
    widget->setFixedSize(size + 12, size + 12);
    widget->setCursor(Qt::PointingHandCursor);
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

QLabel* markedLabel(const QString& text, const char* mark, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty(mark, true);
    return label;
}

QFrame* card(const char* name, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

QWidget* pictureStack(Binder& binder, std::initializer_list<PictureFile> pictures, int size,
                      QWidget* parent) {
    auto* place = new QWidget(parent);
    Items shown;
    for (const auto& [picture, icon] : pictures)
        shown.push_back(
            bindPicture(binder, *picture, iconResource(icon), QSize(size, size), place));
    setLayout(place, stack(shown));
    place->setFixedSize(size, size);
    return place;
}

}  // namespace qtgui::panels
