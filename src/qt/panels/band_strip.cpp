#include "qt/panels/band_strip.h"

#include <QLabel>
#include <algorithm>
#include <climits>

#include "qt/bindings.h"

namespace qtgui::panels {
namespace {

// The width of a pointer icon and the room kept beside the band for it: half
// of it sticks out at either end.
constexpr int kPointerTwips = 480;
constexpr int kRoomTwips = 300;

}  // namespace

BandStrip::BandStrip(Binder& binder, const ui::ControlArray<ui::Shape>& band, ui::Picture& pointer,
                     Look look, QWidget* parent)
    : QWidget(parent) {
    bandLeft_ = INT_MAX;
    bandRight_ = INT_MIN;
    for (const auto& [index, shape] : band.items()) {
        bandLeft_ = std::min(bandLeft_, shape->left().value_or(0));
        bandRight_ = std::max(bandRight_, shape->left().value_or(0) + shape->width().value_or(0));
    }
    setProperty(kTwipsOrigin, bandLeft_ - kRoomTwips);

    QLabel* tip =
        bindPicture(binder, pointer, QStringLiteral(":/icons/pointer.svg"), look.pointer, this);
    tip->setFixedSize(twipsToPixels(kPointerTwips, this), look.pointer.height());
    tip->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    tip->move(tip->x(), 0);
    bottom_ = look.pointer.height() + 1;
    for (const auto& [index, shape] : band.items()) {
        QWidget* segment = bindShape(binder, *shape, this);
        segment->setGeometry(segment->x(), bottom_, segment->width(), look.barHeight);
    }
    bottom_ += look.barHeight;
    setFixedSize(xOf(bandRight_ + kRoomTwips), bottom_);
}

int BandStrip::xOf(int twips) const {
    return twipsToPixels(twips - property(kTwipsOrigin).toInt(), this);
}

void BandStrip::addBelow(QWidget* widget, int fromTwips, int toTwips, int gap) {
    int height = widget->sizeHint().height();
    widget->setParent(this);
    widget->setGeometry(xOf(fromTwips), bottom_ + gap, xOf(toTwips) - xOf(fromTwips), height);
    bottom_ += gap + height;
    setFixedSize(width(), bottom_);
}

}  // namespace qtgui::panels
