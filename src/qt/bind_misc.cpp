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

class SliderBinding : public TypedBinding<ui::Slider, QScrollBar> {
  public:
    SliderBinding(Binder& b, ui::Slider& slider, QScrollBar* widget)
        : TypedBinding(b, slider, widget) {
        // Only the user's moves arrive here: the signals are blocked while
        // the model is drawn. Every new value, an arrow, a click beside the
        // thumb or a step of a drag, is a change of the model's value.
        QObject::connect(widget, &QScrollBar::valueChanged, widget, [this](int value) {
            binder().userAction(model(), [this, value] { model().setValue(value); });
        });
    }

  protected:
    void apply() override {
        applyCommon();
        applyAccessibleName(view(), qstr(model().toolTip()));
        view()->setRange(model().min(), model().max());
        view()->setValue(model().value());
    }
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

class CalendarBinding : public TypedBinding<ui::MonthCalendar, QCalendarWidget> {
  public:
    CalendarBinding(Binder& b, ui::MonthCalendar& calendar, QCalendarWidget* widget)
        : TypedBinding(b, calendar, widget) {
        // The keyboard moves the selected date; a click on a date raises
        // DateClick.
        QObject::connect(widget, &QCalendarWidget::selectionChanged, widget, [this] {
            binder().userAction(model(),
                                [this] { model().setDate(toDate(view()->selectedDate())); });
        });
        QObject::connect(widget, &QCalendarWidget::clicked, widget, [this](QDate date) {
            binder().userAction(model(), [this, date] { model().clickDate(toDate(date)); });
        });
    }

  protected:
    void apply() override {
        applyCommon();
        applyAccessibleName(view(), qstr(model().toolTip()));
        QDate date = toQDate(model().date());
        if (date.isValid()) view()->setSelectedDate(date);
    }
};

class PictureBinding : public TypedBinding<ui::Picture, QLabel> {
  public:
    using TypedBinding::TypedBinding;

  protected:
    void apply() override {
        applyCommon();
        if (model().left())
            view()->move(placedX(*model().left(), view()), view()->y());
        else if (onCanvas(view()))
            view()->hide();  // nowhere to stand yet
    }
};

class ShapeBinding : public TypedBinding<ui::Shape, QWidget> {
  public:
    using TypedBinding::TypedBinding;

  protected:
    void apply() override {
        applyCommon();
        if (!model().left() || !model().width()) return;
        view()->setGeometry(placedX(*model().left(), view()), view()->y(),
                            std::max(1, twipsToPixels(*model().width(), view())), view()->height());
    }
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
