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
        case LayoutItem::Kind::Items:
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

// A stretch or a space has no place of its own in a grid: only widgets and
// layouts go into one.
void add(QGridLayout* layout, const Cell& cell) {
    for (const Cell& each : cell.cells) add(layout, each);
    const LayoutItem& item = cell.item;
    const auto [rows, columns] = cell.span;
    if (item.kind == LayoutItem::Kind::Widget && item.widget)
        layout->addWidget(item.widget, cell.row, cell.column, rows, columns, item.alignment);
    else if (item.kind == LayoutItem::Kind::Layout)
        layout->addLayout(item.layout, cell.row, cell.column, rows, columns, item.alignment);
}

void setSpacing(QGridLayout* layout, const GridOptions& options) {
    if (options.spacing >= 0) layout->setSpacing(options.spacing);
    if (options.horizontalSpacing >= 0) layout->setHorizontalSpacing(options.horizontalSpacing);
    if (options.verticalSpacing >= 0) layout->setVerticalSpacing(options.verticalSpacing);
}

void setLines(QGridLayout* layout, const GridOptions& options) {
    for (auto [column, factor] : options.columnStretch) layout->setColumnStretch(column, factor);
    for (auto [row, factor] : options.rowStretch) layout->setRowStretch(row, factor);
    for (auto [column, pixels] : options.columnMinimumWidth)
        layout->setColumnMinimumWidth(column, pixels);
}

}  // namespace

QBoxLayout* column(Items items, LayoutOptions options) {
    return box(QBoxLayout::TopToBottom, items, options);
}

QBoxLayout* row(Items items, LayoutOptions options) {
    return box(QBoxLayout::LeftToRight, items, options);
}

QGridLayout* stack(Items items, LayoutOptions options) {
    Cells cells;
    for (LayoutItem& item : items) cells.emplace_back(std::move(item), 0, 0);
    return grid(std::move(cells), {.spacing = options.spacing, .margins = options.margins});
}

QGridLayout* grid(Cells cells, GridOptions options) {
    auto* layout = new QGridLayout;
    applyMargins(layout, options.margins);
    setSpacing(layout, options);
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
        cells.emplace_back(std::move(parts[i]), row, column + i, Span{.columns = columns});
    }
    return cells;
}

}  // namespace qtgui
