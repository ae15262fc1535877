// One function per kind of control: each creates the widget that shows a
// model inside `parent`, binds the two through the Binder, and returns the
// widget for the caller's layout. The widget forwards the user's actions to
// the model and holds nothing that the model does not hold.
#pragma once

#include <QIcon>
#include <QSize>
#include <QString>

#include "qt/binder.h"

class QCalendarWidget;
class QChartView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTableView;
class QToolButton;

namespace qtgui {

QLabel* bindLabel(Binder& binder, ui::Label& label, QWidget* parent);
QPushButton* bindButton(Binder& binder, ui::Button& button, QWidget* parent);
// A button of the side column: icon above the caption, and marked as current
// while `panel` (when given) is the visible panel.
QToolButton* bindSideButton(Binder& binder, ui::Button& button, const QIcon& icon,
                            const ui::Frame* panel, QWidget* parent);
QCheckBox* bindCheckBox(Binder& binder, ui::CheckBox& check, QWidget* parent);
QRadioButton* bindOptionButton(Binder& binder, ui::OptionButton& option, QWidget* parent);
// A group of controls with its caption (a frame inside a panel).
QGroupBox* bindGroup(Binder& binder, ui::Frame& frame, QWidget* parent);

QLineEdit* bindTextBox(Binder& binder, ui::TextBox& text, QWidget* parent);
QComboBox* bindComboBox(Binder& binder, ui::ComboBox& combo, QWidget* parent);
QListWidget* bindListBox(Binder& binder, ui::ListBox& list, QWidget* parent);

QScrollBar* bindSlider(Binder& binder, ui::Slider& slider, QWidget* parent);
QCalendarWidget* bindCalendar(Binder& binder, ui::MonthCalendar& calendar, QWidget* parent);
// A picture drawn from an SVG resource; the model's left edge (twips) moves it.
QLabel* bindPicture(Binder& binder, ui::Picture& picture, const QString& svgResource, QSize size,
                    QWidget* parent);
// A coloured bar whose left edge and width (twips) come from the model.
QWidget* bindShape(Binder& binder, ui::Shape& shape, QWidget* parent);

QTableView* bindGrid(Binder& binder, ui::Grid& grid, QWidget* parent);
QChartView* bindChart(Binder& binder, ui::Chart& chart, QWidget* parent);

// An icon drawn from an SVG resource.
QIcon svgIcon(const QString& resource);

}  // namespace qtgui
