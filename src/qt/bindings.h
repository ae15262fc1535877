// One function per kind of control: each creates the widget that shows a
// model inside `parent`, binds the two through the Binder, and returns the
// widget for the caller's layout. The widget forwards the user's actions to
// the model and holds nothing that the model does not hold.
#pragma once

#include <QColor>
#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include "qt/binder.h"

class QCalendarWidget;
class QChartView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTableView;
class QToolButton;

namespace qtgui {

QLabel* bindLabel(Binder& binder, ui::Label& label, QWidget* parent);
// Binds a label widget made by the caller, one that draws its text its own way.
QLabel* bindLabelView(Binder& binder, ui::Label& label, QLabel* widget);
QPushButton* bindButton(Binder& binder, ui::Button& button, QWidget* parent);
// A button of the side column: icon above the caption, marked as current
// while `panel` (when given) is the visible panel, pressed by `key` as well.
QToolButton* bindSideButton(Binder& binder, ui::Button& button, const QIcon& icon,
                            const ui::Frame* panel, QWidget* parent, const QKeySequence& key = {});
QCheckBox* bindCheckBox(Binder& binder, ui::CheckBox& check, QWidget* parent);
QRadioButton* bindOptionButton(Binder& binder, ui::OptionButton& option, QWidget* parent);
// A group of controls with its caption (a frame inside a panel).
QGroupBox* bindGroup(Binder& binder, ui::Frame& frame, QWidget* parent);

QLineEdit* bindTextBox(Binder& binder, ui::TextBox& text, QWidget* parent);
// A text box of several lines: every edit is the model's whole text, its line
// breaks CR LF.
QPlainTextEdit* bindMultiLineTextBox(Binder& binder, ui::TextBox& text, QWidget* parent);
QComboBox* bindComboBox(Binder& binder, ui::ComboBox& combo, QWidget* parent);
QListWidget* bindListBox(Binder& binder, ui::ListBox& list, QWidget* parent);

// A horizontal scroll bar; an arrow moves it by `smallStep`, a click beside
// the thumb by `largeStep`.
QScrollBar* bindSlider(Binder& binder, ui::Slider& slider, int smallStep, int largeStep,
                       QWidget* parent);
QCalendarWidget* bindCalendar(Binder& binder, ui::MonthCalendar& calendar, QWidget* parent);
// Pictures and shapes stand at their models' left edges, in twips, inside
// their parent. A parent that has this property (an int, in twips) is a
// canvas whose x 0 is that left edge, so that a model may place a picture a
// little to the left of its band.
inline constexpr char kTwipsOrigin[] = "twipsOrigin";

// A picture drawn from an SVG resource; the model's left edge (twips) moves
// it. On a canvas it stays hidden until the model has placed it.
QLabel* bindPicture(Binder& binder, ui::Picture& picture, const QString& svgResource, QSize size,
                    QWidget* parent);
// A coloured bar whose left edge and width (twips) come from the model; its
// top and height are the caller's.
QWidget* bindShape(Binder& binder, ui::Shape& shape, QWidget* parent);

QTableView* bindGrid(Binder& binder, ui::Grid& grid, QWidget* parent);

// How a chart shows its values, beyond what its model holds.
struct ChartLook {
    // Names of the series in the legend, from series 1; no legend when empty.
    QStringList seriesNames{};
    // Decimals of the value axis labels.
    int decimals = 1;
    // Whether the value axis starts at 0 when the program set no bounds.
    bool fromZero = false;
    // The series (from 1) drawn as an area filled down to 0; 0 for none.
    int filledSeries = 0;
    // The series (from 1) drawn as bars from 0 on a value axis of its own at
    // the right, so that small values stay readable beside large ones; 0 for
    // none. Its values leave the left axis as the other series make it.
    int barSeries = 0;
    // Colours of the series from series 1, beyond them the theme's.
    QList<QColor> seriesColors{};
    // Pen widths of the lines from series 1, beyond them 2 pixels.
    QList<qreal> seriesWidths{};
    // Series without a marker style show their points up to this many; 0
    // for no limit.
    int pointsUpTo = 0;
    // What the chart shows, as a screen reader says it; when empty, the
    // caption of its panel and the names of its series.
    QString meaning{};
};
// A chart of the model's series. A chart whose bounds the program left the
// wrong way round (min above max: a day without weighings) is an empty plot
// without scales, whatever values its rows hold.
QChartView* bindChart(Binder& binder, ui::Chart& chart, QWidget* parent, ChartLook look = {});

// An icon drawn from an SVG resource.
QIcon svgIcon(const QString& resource);

// The name that a screen reader says for a control. The bindings give a
// control without a caption its model's tool tip whenever they draw it; a
// label that the view makes the widget's buddy (QLabel::setBuddy) names it
// instead, looked up when the widget is first shown, since views set buddies
// after binding. A name the view sets itself (setAccessibleName) stays.
void applyAccessibleName(QWidget* widget, const QString& toolTip);
void nameAfterBuddyLabel(QWidget* widget);

}  // namespace qtgui
