// Scroll bars, the month calendar, pictures and shapes.
#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTextCharFormat>

#include "qt/bindings.h"

namespace qtgui {
namespace {

QDate toQDate(core::Date d) {
    return QDate(static_cast<int>(d.year()), static_cast<int>(static_cast<unsigned>(d.month())),
                 static_cast<int>(static_cast<unsigned>(d.day())));
}

core::Date toDate(QDate d) {
    return core::Date{std::chrono::year(d.year()),
                      std::chrono::month(static_cast<unsigned>(d.month())),
                      std::chrono::day(static_cast<unsigned>(d.day()))};
}

// A scroll bar whose arrow keys move the thumb the way they point. Qt's
// scroll bars invert their controls so that the wheel scrolls the usual way,
// which also turns Left and Right around.
class ModelScrollBar : public QScrollBar {
  public:
    using QScrollBar::QScrollBar;

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (orientation() == Qt::Horizontal &&
            (e->key() == Qt::Key_Left || e->key() == Qt::Key_Right)) {
            bool forward = (e->key() == Qt::Key_Right) != isRightToLeft();
            triggerAction(forward ? SliderSingleStepAdd : SliderSingleStepSub);
            e->accept();
            return;
        }
        QScrollBar::keyPressEvent(e);
    }
};

class SliderBinding : public Binding {
  public:
    SliderBinding(Binder& b, ui::Slider& slider, QScrollBar* widget)
        : Binding(b, slider, widget), slider_(slider), view_(widget) {
        // Only the user's moves arrive here: the signals are blocked while
        // the model is drawn. Every new value, an arrow, a click beside the
        // thumb or a step of a drag, is a change of the model's value.
        QObject::connect(widget, &QScrollBar::valueChanged, widget, [this](int value) {
            binder().userAction(slider_, [this, value] { slider_.setValue(value); });
        });
    }

  protected:
    void apply() override {
        applyCommon();
        applyAccessibleName(view_, qstr(slider_.toolTip()));
        view_->setRange(slider_.min(), slider_.max());
        view_->setValue(slider_.value());
    }

  private:
    ui::Slider& slider_;
    QScrollBar* view_;
};

// Where a model's left edge in twips stands inside the picture's or shape's
// parent.
int placedX(int twips, const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    QVariant origin = parent ? parent->property(kTwipsOrigin) : QVariant();
    return twipsToPixels(twips - (origin.isValid() ? origin.toInt() : 0), widget);
}

bool onCanvas(const QWidget* widget) {
    return widget->parentWidget() && widget->parentWidget()->property(kTwipsOrigin).isValid();
}

class CalendarBinding : public Binding {
  public:
    CalendarBinding(Binder& b, ui::MonthCalendar& calendar, QCalendarWidget* widget)
        : Binding(b, calendar, widget), calendar_(calendar), view_(widget) {
        // The keyboard moves the selected date; a click on a date raises
        // DateClick.
        QObject::connect(widget, &QCalendarWidget::selectionChanged, widget, [this] {
            binder().userAction(calendar_,
                                [this] { calendar_.setDate(toDate(view_->selectedDate())); });
        });
        QObject::connect(widget, &QCalendarWidget::clicked, widget, [this](QDate date) {
            binder().userAction(calendar_, [this, date] { calendar_.clickDate(toDate(date)); });
        });
    }

  protected:
    void apply() override {
        applyCommon();
        applyAccessibleName(view_, qstr(calendar_.toolTip()));
        QDate date = toQDate(calendar_.date());
        if (date.isValid()) view_->setSelectedDate(date);
    }

  private:
    ui::MonthCalendar& calendar_;
    QCalendarWidget* view_;
};

class PictureBinding : public Binding {
  public:
    PictureBinding(Binder& b, ui::Picture& picture, QLabel* widget)
        : Binding(b, picture, widget), picture_(picture), view_(widget) {}

  protected:
    void apply() override {
        applyCommon();
        if (picture_.left())
            view_->move(placedX(*picture_.left(), view_), view_->y());
        else if (onCanvas(view_))
            view_->hide();  // nowhere to stand yet
    }

  private:
    ui::Picture& picture_;
    QLabel* view_;
};

class ShapeBinding : public Binding {
  public:
    ShapeBinding(Binder& b, ui::Shape& shape, QWidget* widget)
        : Binding(b, shape, widget), shape_(shape), view_(widget) {}

  protected:
    void apply() override {
        applyCommon();
        if (!shape_.left() || !shape_.width()) return;
        view_->setGeometry(placedX(*shape_.left(), view_), view_->y(),
                           std::max(1, twipsToPixels(*shape_.width(), view_)), view_->height());
    }

  private:
    ui::Shape& shape_;
    QWidget* view_;
};

// Qt's own parts of a calendar that show no text, named for screen readers:
// the month arrows, the year box and the table of days, which takes the
// calendar's keyboard focus.
void nameCalendarParts(QCalendarWidget* calendar) {
    const std::pair<const char*, const char*> parts[] = {{"qt_calendar_prevmonth", "前の月"},
                                                         {"qt_calendar_nextmonth", "次の月"},
                                                         {"qt_calendar_yearedit", "年"},
                                                         {"qt_calendar_calendarview", "日付"}};
    for (const auto& [part, name] : parts)
        if (auto* widget = calendar->findChild<QWidget*>(QLatin1String(part)))
            widget->setAccessibleName(QString::fromUtf8(name));
}

QPixmap renderSvg(const QString& resource, QSize size, qreal ratio) {
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

}  // namespace

QScrollBar* bindSlider(Binder& binder, ui::Slider& slider, int smallStep, int largeStep,
                       QWidget* parent) {
    auto* widget = new ModelScrollBar(Qt::Horizontal, parent);
    widget->setObjectName(qstr(slider.name()));
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->setSingleStep(smallStep);
    widget->setPageStep(largeStep);
    nameAfterBuddyLabel(widget);
    binder.add<SliderBinding>(slider, widget);
    return widget;
}

QCalendarWidget* bindCalendar(Binder& binder, ui::MonthCalendar& calendar, QWidget* parent) {
    auto* widget = new QCalendarWidget(parent);
    widget->setObjectName(qstr(calendar.name()));
    widget->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    widget->setFirstDayOfWeek(Qt::Sunday);
    widget->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    widget->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    QTextCharFormat sunday;
    sunday.setForeground(QColor(0xd0, 0x4a, 0x3a));
    widget->setWeekdayTextFormat(Qt::Sunday, sunday);
    QTextCharFormat saturday;
    saturday.setForeground(QColor(0x3a, 0x72, 0xc0));
    widget->setWeekdayTextFormat(Qt::Saturday, saturday);
    nameCalendarParts(widget);
    binder.add<CalendarBinding>(calendar, widget);
    return widget;
}

QLabel* bindPicture(Binder& binder, ui::Picture& picture, const QString& svgResource, QSize size,
                    QWidget* parent) {
    auto* widget = new QLabel(parent);
    widget->setObjectName(qstr(picture.name()));
    widget->setPixmap(renderSvg(svgResource, size, widget->devicePixelRatioF()));
    widget->setFixedSize(size);
    binder.add<PictureBinding>(picture, widget);
    return widget;
}

QWidget* bindShape(Binder& binder, ui::Shape& shape, QWidget* parent) {
    auto* widget = new QFrame(parent);
    widget->setObjectName(qstr(shape.name()));
    binder.add<ShapeBinding>(shape, widget);
    return widget;
}

}  // namespace qtgui
