// Scroll bars, the month calendar, pictures and shapes.
#include <QCalendarWidget>
#include <QFrame>
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

class SliderBinding : public Binding {
  public:
    SliderBinding(Binder& b, ui::Slider& slider, QScrollBar* widget)
        : Binding(b, slider, widget), slider_(slider), view_(widget) {
        // Only the user's moves arrive here: the signals are blocked while
        // the model is drawn.
        QObject::connect(widget, &QScrollBar::valueChanged, widget, [this](int value) {
            binder().userAction(slider_, [this, value] { slider_.setValue(value); });
        });
    }

  protected:
    void apply() override {
        applyCommon();
        view_->setRange(slider_.min(), slider_.max());
        view_->setPageStep(std::max(1, (slider_.max() - slider_.min()) / 10));
        view_->setValue(slider_.value());
    }

  private:
    ui::Slider& slider_;
    QScrollBar* view_;
};

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
            binder().userAction(calendar_, [this, date] {
                calendar_.setDate(toDate(date));
                if (calendar_.DateClick) calendar_.DateClick();
            });
        });
    }

  protected:
    void apply() override {
        applyCommon();
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
        if (picture_.left()) view_->move(twipsToPixels(*picture_.left(), view_), view_->y());
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
        view_->setGeometry(twipsToPixels(*shape_.left(), view_), view_->y(),
                           std::max(1, twipsToPixels(*shape_.width(), view_)), view_->height());
    }

  private:
    ui::Shape& shape_;
    QWidget* view_;
};

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

QScrollBar* bindSlider(Binder& binder, ui::Slider& slider, QWidget* parent) {
    auto* widget = new QScrollBar(Qt::Horizontal, parent);
    widget->setObjectName(qstr(slider.name()));
    widget->setSingleStep(1);
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
