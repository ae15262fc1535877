#include "qt/layouting.h"

#include <algorithm>

namespace qtgui {
namespace {

void applyMargins(QLayout* layout, QMargins margins) {
    if (margins != kStyleMargins) layout->setContentsMargins(margins);
}

void add(QBoxLayout* layout, const LayoutItem& item) {
    switch (item.kind) {
        case LayoutItem::Kind::Widget:
            if (item.widget) layout->addWidget(item.widget, item.factor, item.alignment);
            break;
        case LayoutItem::Kind::Layout:
            layout->addLayout(item.layout, item.factor);
            break;
        case LayoutItem::Kind::Stretch:
            layout->addStretch(item.factor);
            break;
        case LayoutItem::Kind::Space:
            layout->addSpacing(item.factor);
            break;
        case LayoutItem::Kind::List:
            for (const LayoutItem& each : item.items) add(layout, each);
            break;
    }
}

QBoxLayout* box(QBoxLayout::Direction direction, const Items& items, const LayoutOptions& options) {
    auto* layout = new QBoxLayout(direction);
    applyMargins(layout, options.margins);
    if (options.spacing >= 0) layout->setSpacing(options.spacing);
    for (const LayoutItem& item : items) add(layout, item);
    return layout;
}

// Places an item in a cell; the items of a list share it. A stretch or a
// space has no place of its own in a grid.
void place(QGridLayout* layout, const LayoutItem& item, const Cell& cell) {
    const auto [rows, columns] = cell.span;
    switch (item.kind) {
        case LayoutItem::Kind::Widget:
            if (item.widget)
                layout->addWidget(item.widget, cell.row, cell.column, rows, columns,
                                  item.alignment);
            break;
        case LayoutItem::Kind::Layout:
            layout->addLayout(item.layout, cell.row, cell.column, rows, columns, item.alignment);
            break;
        case LayoutItem::Kind::List:
            for (const LayoutItem& each : item.items) place(layout, each, cell);
            break;
        case LayoutItem::Kind::Stretch:
        case LayoutItem::Kind::Space:
            Q_ASSERT_X(false, "grid", "a stretch or a space in a cell");
            break;
    }
}

void add(QGridLayout* layout, const Cell& cell) {
    for (const Cell& each : cell.cells) add(layout, each);
    place(layout, cell.item, cell);
}

void setSpacing(QGridLayout* layout, GridSpacing spacing) {
    if (spacing.horizontal >= 0) layout->setHorizontalSpacing(spacing.horizontal);
    if (spacing.vertical >= 0) layout->setVerticalSpacing(spacing.vertical);
}

void setLines(QGridLayout* layout, const GridOptions& options) {
    for (auto [column, factor] : options.columnStretch) layout->setColumnStretch(column, factor);
    for (auto [row, factor] : options.rowStretch) layout->setRowStretch(row, factor);
    for (auto [column, pixels] : options.columnMinimumWidth)
        layout->setColumnMinimumWidth(column, pixels);
}

}  // namespace

QBoxLayout* column(const Items& items, const LayoutOptions& options) {
    return box(QBoxLayout::TopToBottom, items, options);
}

QBoxLayout* row(const Items& items, const LayoutOptions& options) {
    return box(QBoxLayout::LeftToRight, items, options);
}

QGridLayout* stack(Items items, LayoutOptions options) {
    Cells cells;
    for (LayoutItem& item : items) cells.emplace_back(std::move(item), 0, 0);
    return grid(cells, {.spacing = {options.spacing, options.spacing}, .margins = options.margins});
}

QGridLayout* grid(const Cells& cells, const GridOptions& options) {
    auto* layout = new QGridLayout;
    applyMargins(layout, options.margins);
    setSpacing(layout, options.spacing);
    for (const Cell& cell : cells) add(layout, cell);
    setLines(layout, options);
    return layout;
}

Cells formLine(int row, Items parts, int column) {
    const auto isGap = [](const LayoutItem& item) {
        return item.kind == LayoutItem::Kind::Widget && !item.widget;
    };
    const bool fieldAlone = parts.size() > 2 && std::all_of(parts.begin() + 2, parts.end(), isGap);
    const int count = fieldAlone ? 2 : static_cast<int>(parts.size());
    Cells cells;
    for (int i = 0; i < count; ++i) {
        int columns = i == 1 && fieldAlone ? static_cast<int>(parts.size()) - 1 : 1;
        cells.emplace_back(std::move(parts[static_cast<size_t>(i)]), row, column + i,
                           Span{.columns = columns});
    }
    return cells;
}

}  // namespace qtgui
