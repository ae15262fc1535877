// What the printer tests check of every laid-out page.
#pragma once

#include <QRectF>
#include <QString>

#include "qt/print_layout.h"

namespace printcheck {

// Lines one under the other touch: the area they share is a rounding error.
inline double overlapArea(const QRectF& a, const QRectF& b) {
    const QRectF common = a.intersected(b);
    return common.width() * common.height();
}

// The first thing wrong with the pages: an item outside the printable area,
// or two items on one page that overlap; empty when there is none.
inline QString pageFault(const qtgui::PrintLayout& layout) {
    const QRectF area(QPointF(0, 0), layout.page().size);
    const auto& items = layout.items();
    for (size_t i = 0; i < items.size(); ++i) {
        const QRectF r = items[i].rect;
        if (r.left() < 0 || r.top() < 0 || r.right() > area.right() + 0.01 ||
            r.bottom() > area.bottom() + 0.01)
            return QStringLiteral("outside the page: %1").arg(items[i].text);
        for (size_t j = i + 1; j < items.size() && items[j].page == items[i].page; ++j)
            if (overlapArea(r, items[j].rect) > 1)
                return QStringLiteral("overlap: '%1' and '%2'").arg(items[i].text, items[j].text);
    }
    return {};
}

}  // namespace printcheck
