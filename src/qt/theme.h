// The look of the program: a calm cream and green palette, a Japanese font,
// and the style of the side column, the panel captions and the groups.
#pragma once

#include <QColor>

class QAbstractScrollArea;
class QApplication;

namespace qtgui::theme {

inline const QColor kPaper(0xff, 0xfa, 0xf0);
inline const QColor kInk(0x33, 0x40, 0x2f);
inline const QColor kGreen(0x6a, 0xbf, 0x69);
inline const QColor kDeepGreen(0x3f, 0x8f, 0x47);
inline const QColor kPaleGreen(0xe4, 0xf4, 0xe1);
inline const QColor kLine(0xc9, 0xd8, 0xc3);

// Font, palette and style sheet for the whole application.
void apply(QApplication& app);

// Scroll bars in the theme's colours for a list, a table or a text box:
// flat, and painted in a fraction of the time a styled one takes, which
// counts on panels that show several lists at once.
void useFlatScrollBars(QAbstractScrollArea* area);

// The colour of the chart series with that index (from 0).
QColor seriesColor(int index);

}  // namespace qtgui::theme
