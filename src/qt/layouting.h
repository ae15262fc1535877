// Layouts declared as they read, top to bottom and left to right:
//
//   setLayout(body, column({row({label, box, stretch()}), {list, 1}}, {.spacing = 8}));
//
//   setLayout(card, grid({formLine(0, {caption, box, unit}),
//                         {list, 1, 0, Span{.columns = 3}},
//                         {button, 2, 2, Qt::AlignRight}},
//                        {.spacing = {8, 6}, .columnStretch = {{1, 1}}}));
//
// An item is a widget or a nested layout with its stretch factor and
// alignment, a stretch, a fixed space, or a list of items made elsewhere
// (in a loop, say) that stand in its place in their order. A null widget
// stands for nothing.
//
// The widgets in a layout are made with the widget that the layout goes on
// as their parent, before the layout is declared: the order they are made
// in is the order of the Tab key, and a list in braces makes them in the
// order it reads.
#pragma once

#include <QBoxLayout>
#include <QGridLayout>
#include <QMargins>
#include <QWidget>
#include <utility>
#include <vector>

namespace qtgui {

struct LayoutItem;
// Items in their order.
using Items = std::vector<LayoutItem>;

struct LayoutItem {
    enum class Kind { Widget, Layout, Stretch, Space, List };
    LayoutItem(QWidget* w, int stretch = 0, Qt::Alignment align = {})
        : kind(Kind::Widget), widget(w), factor(stretch), alignment(align) {}
    LayoutItem(QLayout* l, int stretch = 0) : kind(Kind::Layout), layout(l), factor(stretch) {}
    // Each of `list` in its place.
    LayoutItem(Items list) : kind(Kind::List), items(std::move(list)) {}

    Kind kind;
    QWidget* widget = nullptr;
    QLayout* layout = nullptr;
    int factor = 0;  // stretch factor, or the pixels of a space
    Qt::Alignment alignment;
    Items items;

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
// A widget that keeps its own size, held to `alignment` inside its place.
inline LayoutItem aligned(QWidget* widget, Qt::Alignment alignment) {
    return {widget, 0, alignment};
}

// The margins that the style gives a widget's layout (a group box's, say),
// in place of pixels of our own.
inline constexpr QMargins kStyleMargins{-1, -1, -1, -1};

struct LayoutOptions {
    int spacing = -1;  // the style's spacing when negative
    QMargins margins{0, 0, 0, 0};
};

QBoxLayout* column(const Items& items, const LayoutOptions& options = {});
QBoxLayout* row(const Items& items, const LayoutOptions& options = {});
// Widgets that share one place, the one that is visible shown in it.
QGridLayout* stack(Items items, LayoutOptions options = {});

// How many rows and columns a cell of a grid takes.
struct Span {
    int rows = 1;
    int columns = 1;
};

// A widget or a nested layout in a grid at its row and column (the items of
// a list share the cell), or a list of cells made elsewhere. An alignment
// given here stands over the item's own.
struct Cell {
    Cell(LayoutItem what, int atRow, int atColumn, Qt::Alignment align = {})
        : Cell(std::move(what), atRow, atColumn, Span{}, align) {}
    Cell(LayoutItem what, int atRow, int atColumn, Span extent, Qt::Alignment align = {})
        : item(std::move(what)), row(atRow), column(atColumn), span(extent) {
        if (align) item.alignment = align;
    }
    Cell(std::vector<Cell> list) : item(static_cast<QWidget*>(nullptr)), cells(std::move(list)) {}

    LayoutItem item;
    int row = 0;
    int column = 0;
    Span span;
    std::vector<Cell> cells;
};
using Cells = std::vector<Cell>;

// (column or row, value) pairs.
using PerLine = std::vector<std::pair<int, int>>;

// The pixels between the columns and between the rows of a grid; the
// style's where negative.
struct GridSpacing {
    int horizontal = -1;
    int vertical = -1;
};

struct GridOptions {
    GridSpacing spacing{};
    QMargins margins{0, 0, 0, 0};
    PerLine columnStretch{};       // how the width left over is shared
    PerLine rowStretch{};          // how the height left over is shared
    PerLine columnMinimumWidth{};  // pixels, whether the column holds anything or not
};

QGridLayout* grid(const Cells& cells, const GridOptions& options = {});

// One line of a form on `row` of a grid, from `column`: the caption, the
// field, then what follows the field (its unit, a note), a column each. A
// null leaves its column empty; a field followed by nothing but nulls spans
// their columns as well.
Cells formLine(int row, Items parts, int column = 0);

// Gives the widget its layout; returns the widget, for the caller's layout.
template <typename W>
W* setLayout(W* widget, QLayout* layout) {
    widget->setLayout(layout);
    return widget;
}

}  // namespace qtgui
