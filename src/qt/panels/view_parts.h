// Small widgets that several panel views build the same way.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <initializer_list>
#include <utility>

#include "qt/binder.h"
#include "ui/controls.h"

namespace qtgui::panels {

// The widget with the name a screen reader says for it, where no caption
// beside it can give one.
template <typename W>
W* named(W* widget, const char* name) {
    widget->setAccessibleName(QString::fromUtf8(name));
    return widget;
}

// A square button that shows one of our pictures (resources/icons/ICON.svg)
// at `size` pixels instead of its caption; screen readers say its tool tip.
QPushButton* pictureButton(Binder& binder, ui::Button& button, const char* icon, int size,
                           QWidget* parent);

// A grid as wide as its columns and a scroll bar, following the program's
// column widths: exactly that wide, or at most that wide (in a narrow window
// it scrolls sideways).
enum class GridWidth { Exactly, AtMost };
QTableView* fittedGrid(Binder& binder, ui::Grid& grid, GridWidth width, QWidget* parent);

// A label of fixed text, marked with a property (`mark`, set to true) that
// its panel's style sheet gives a look.
QLabel* markedLabel(const QString& text, const char* mark, QWidget* parent);

// A white card with a rounded border, its look set by the panel's style sheet
// under `name`.
QFrame* card(const char* name, QWidget* parent);

// Pictures (resources/icons/ICON.svg) that share one place, `size` pixels
// square: their models show one of them at a time.
using PictureFile = std::pair<ui::Picture*, const char*>;
QWidget* pictureStack(Binder& binder, std::initializer_list<PictureFile> pictures, int size,
                      QWidget* parent);

}  // namespace qtgui::panels
