// The chart: one line series per model series, plotted against the point
// number. Points without a value are left out; the value axis takes the
// model's bounds when the program set them.
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QValueAxis>
#include <cmath>

#include "qt/bindings.h"
#include "qt/theme.h"

namespace qtgui {
namespace {

// A chart view that reports a click (press and release inside it).
class ModelChartView : public QChartView {
  public:
    // Made with its chart: a view made without one makes a default chart that
    // setChart() would leave behind.
    ModelChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {}
    std::function<void()> clicked;

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        pressed_ = e->button() == Qt::LeftButton;
        QChartView::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        bool click =
            pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
        pressed_ = false;
        QChartView::mouseReleaseEvent(e);
        if (click && clicked) clicked();
    }

  private:
    bool pressed_ = false;
};

// A shaded ball with a light and a dark side, drawn at every point of the
// main chart's weight series in marker style 2.
QImage ballImage(QColor color) {
    const int size = 32;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(QPointF(size * 0.36, size * 0.32), size * 0.62);
    gradient.setColorAt(0.0, QColor(255, 255, 255));
    gradient.setColorAt(0.35, color.lighter(130));
    gradient.setColorAt(1.0, color.darker(170));
    painter.setBrush(gradient);
    painter.setPen(QPen(color.darker(220), 1.5));
    painter.drawEllipse(QRectF(1.5, 1.5, size - 3, size - 3));
    return image;
}

// A step of 1, 2 or 5 times a power of ten that cuts `span` into about
// `parts` pieces.
double niceStep(double span, int parts) {
    double raw = std::max(span / parts, 1e-9);
    double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 5.0})
        if (f * magnitude >= raw) return f * magnitude;
    return 10 * magnitude;
}

class ChartBinding : public Binding {
  public:
    ChartBinding(Binder& b, ui::Chart& chart, ModelChartView* view)
        : Binding(b, chart, view), chart_(chart), qchart_(view->chart()) {
        qchart_->legend()->hide();
        qchart_->setAnimationOptions(QChart::NoAnimation);
        qchart_->setBackgroundRoundness(10);
        qchart_->setBackgroundBrush(theme::kPaper);
        qchart_->setPlotAreaBackgroundBrush(Qt::white);
        qchart_->setPlotAreaBackgroundVisible(true);
        qchart_->setMargins(QMargins(6, 6, 6, 6));
        styleAxis(x_);
        styleAxis(y_);
        x_->setLabelFormat("%d");
        x_->setTickType(QValueAxis::TicksDynamic);
        x_->setTickAnchor(0);
        y_->setLabelFormat("%.1f");
        qchart_->addAxis(x_, Qt::AlignBottom);
        qchart_->addAxis(y_, Qt::AlignLeft);
        view->clicked = [this] {
            binder().userAction(chart_, [this] {
                if (chart_.Click) chart_.Click();
            });
        };
    }

  protected:
    void apply() override {
        applyCommon();
        matchSeriesCount();
        for (int s = 1; s <= chart_.seriesCount(); ++s) series_[s - 1]->replace(points(s));
        applyXAxis();
        applyYAxis();
        if (chart_.hasMarker() && !series_.empty()) applyMarker(*series_.front());
    }

  private:
    static void styleAxis(QValueAxis* axis) {
        QFont font = axis->labelsFont();
        font.setPointSize(8);
        axis->setLabelsFont(font);
        axis->setLabelsColor(theme::kInk);
        axis->setGridLineColor(QColor(0xe2, 0xea, 0xdd));
        axis->setLinePenColor(theme::kLine);
    }

    void matchSeriesCount() {
        while (static_cast<int>(series_.size()) < chart_.seriesCount()) {
            if (series_.empty()) drawnMarker_ = -1;
            auto* series = new QLineSeries;
            QColor color = theme::seriesColor(static_cast<int>(series_.size()));
            series->setPen(QPen(color, 2));
            series->setColor(color);
            qchart_->addSeries(series);
            series->attachAxis(x_);
            series->attachAxis(y_);
            series_.push_back(series);
        }
        while (static_cast<int>(series_.size()) > chart_.seriesCount()) {
            qchart_->removeSeries(series_.back());
            delete series_.back();
            series_.pop_back();
        }
    }

    QList<QPointF> points(int series) const {
        const auto& values = chart_.series(series);
        QList<QPointF> list;
        list.reserve(static_cast<qsizetype>(values.size()));
        for (size_t i = 0; i < values.size(); ++i)
            if (values[i]) list.append(QPointF(static_cast<double>(i + 1), *values[i]));
        return list;
    }

    void applyXAxis() {
        int rows = std::max(chart_.rowCount(), 1);
        // Half a step of room at both ends keeps the first and last markers whole.
        x_->setRange(0.5, rows + 0.5);
        x_->setTickInterval(std::max(1.0, niceStep(rows, 8)));
    }

    void applyYAxis() {
        if (chart_.axisMin() && chart_.axisMax() && *chart_.axisMin() < *chart_.axisMax()) {
            y_->setRange(*chart_.axisMin(), *chart_.axisMax());
            return;
        }
        double low = 0, high = 0;
        bool any = false;
        for (int s = 1; s <= chart_.seriesCount(); ++s) {
            for (const auto& v : chart_.series(s)) {
                if (!v) continue;
                low = any ? std::min(low, *v) : *v;
                high = any ? std::max(high, *v) : *v;
                any = true;
            }
        }
        if (!any) low = 0, high = 1;
        if (high - low < 1e-9) low -= 1, high += 1;
        y_->setRange(low, high);
        y_->applyNiceNumbers();
    }

    void applyMarker(QLineSeries& series) {
        int style = chart_.markerStyle();
        if (style == drawnMarker_) return;
        drawnMarker_ = style;
        series.setPointsVisible(style != 0);
        series.setMarkerSize(style == 2 ? 15 : 8);
        series.setLightMarker(style == 2 ? ballImage(series.color()) : QImage());
    }

    ui::Chart& chart_;
    QChart* qchart_;
    QValueAxis* x_ = new QValueAxis;
    QValueAxis* y_ = new QValueAxis;
    std::vector<QLineSeries*> series_;
    int drawnMarker_ = -1;
};

}  // namespace

QChartView* bindChart(Binder& binder, ui::Chart& chart, QWidget* parent) {
    auto* view = new ModelChartView(new QChart, parent);
    view->setObjectName(qstr(chart.name()));
    view->setRenderHint(QPainter::Antialiasing);
    view->setFocusPolicy(Qt::ClickFocus);
    binder.add<ChartBinding>(chart, view);
    return view;
}

}  // namespace qtgui
