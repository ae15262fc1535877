// A BMI band as the program lays it out: its five coloured segments and the
// pointer above them, each standing where its model's left edge (twips) puts
// it. One scale serves the band, the pointer and whatever the caller lines up
// with them.
#pragma once

#include <QSize>
#include <QWidget>

#include "qt/binder.h"

class QLabel;

namespace qtgui::panels {

class BandStrip : public QWidget {
  public:
    struct Look {
        // The pointer picture, drawn centred in a slot 480 twips wide (its
        // model's width), so that its tip stands on the BMI.
        QSize pointer;
        int barHeight = 12;
    };

    BandStrip(Binder& binder, const ui::ControlArray<ui::Shape>& band, ui::Picture& pointer,
              Look look, QWidget* parent);

    // Pixels from the strip's left edge for a left edge in the models' twips.
    int xOf(int twips) const;
    // The band's ends, in twips.
    int bandLeft() const { return bandLeft_; }
    int bandRight() const { return bandRight_; }
    // Pixels below the band, where the caller may add more.
    int bottom() const { return bottom_; }
    // Places a widget of the caller's under the band's span, `gap` pixels
    // below what is there, and makes room for it.
    void addBelow(QWidget* widget, int fromTwips, int toTwips, int gap);

  private:
    int bandLeft_ = 0;
    int bandRight_ = 0;
    int bottom_ = 0;
};

}  // namespace qtgui::panels
