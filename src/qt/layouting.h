// Layouts declared as they read, top to bottom and left to right:
//
//   setLayout(body, column({row({label, box, stretch()}), {list, 1}}, {.spacing = 8}));
//
// An item is a widget or a nested layout with its stretch factor and
// alignment, a stretch, or a fixed space.
#pragma once

#include <QBoxLayout>
#include <QMargins>
#include <QWidget>
#include <initializer_list>

namespace qtgui {

struct LayoutItem {
    enum class Kind { Widget, Layout, Stretch, Space };
    LayoutItem(QWidget* w, int stretch = 0, Qt::Alignment align = {})
        : kind(Kind::Widget), widget(w), factor(stretch), alignment(align) {}
    LayoutItem(QLayout* l, int stretch = 0) : kind(Kind::Layout), layout(l), factor(stretch) {}

    Kind kind;
    QWidget* widget = nullptr;
    QLayout* layout = nullptr;
    int factor = 0;  // stretch factor, or the pixels of a space
    Qt::Alignment alignment;

  private:
    LayoutItem(Kind k, int f) : kind(k), factor(f) {}
    friend LayoutItem stretch(int factor);
    friend LayoutItem space(int pixels);
};

inline LayoutItem stretch(int factor = 1) {
    return {LayoutItem::Kind::Stretch, factor};
}
inline LayoutItem space(int pixels) {
    return {LayoutItem::Kind::Space, pixels};
}

struct LayoutOptions {
    int spacing = -1;  // the style's spacing when negative
    QMargins margins{0, 0, 0, 0};
};

QBoxLayout* column(std::initializer_list<LayoutItem> items, LayoutOptions options = {});
QBoxLayout* row(std::initializer_list<LayoutItem> items, LayoutOptions options = {});

// Gives the widget its layout.
inline void setLayout(QWidget* widget, QLayout* layout) {
    widget->setLayout(layout);
}

}  // namespace qtgui
