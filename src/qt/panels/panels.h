// The views of the panels. Each panel is a caption bar above a body; the
// body's layout lives in a file of this folder, drawn from its panel's class
// alone, which registers itself for that class: a new panel's view is that
// file and nothing more.
#pragma once

#include <QWidget>
#include <functional>
#include <typeindex>

#include "host/panel.h"
#include "qt/binder.h"

namespace qtgui::panels {

// Lays out the body of a panel of one class.
using Layout = std::function<void(host::Panel& panel, Binder& binder, QWidget* body)>;

// Registers the view of the panels of class `panel`; true, for a variable
// that runs it as the program starts.
bool registerView(std::type_index panel, Layout layout);

template <typename P>
bool registerView(void (*layout)(P&, Binder&, QWidget*)) {
    return registerView(typeid(P), [layout](host::Panel& panel, Binder& binder, QWidget* body) {
        layout(static_cast<P&>(panel), binder, body);
    });
}

// The widget of a panel, shown while its frame is visible: its caption above
// the body that its registered view lays out.
QWidget* build(host::Panel& panel, Binder& binder, QWidget* parent);

}  // namespace qtgui::panels
