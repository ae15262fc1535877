#include "qt/layouting.h"

namespace qtgui {
namespace {

QBoxLayout* box(QBoxLayout::Direction direction, std::initializer_list<LayoutItem> items,
                LayoutOptions options) {
    auto* layout = new QBoxLayout(direction);
    layout->setContentsMargins(options.margins);
    if (options.spacing >= 0) layout->setSpacing(options.spacing);
    for (const LayoutItem& item : items) {
        switch (item.kind) {
            case LayoutItem::Kind::Widget:
                layout->addWidget(item.widget, item.factor, item.alignment);
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
        }
    }
    return layout;
}

}  // namespace

QBoxLayout* column(std::initializer_list<LayoutItem> items, LayoutOptions options) {
    return box(QBoxLayout::TopToBottom, items, options);
}

QBoxLayout* row(std::initializer_list<LayoutItem> items, LayoutOptions options) {
    return box(QBoxLayout::LeftToRight, items, options);
}

}  // namespace qtgui
