// The chart: one line series per model series, plotted against the point
// number. Points without a value are left out; the value axis takes the
// model's bounds when the program set them as a range.
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QGraphicsItem>
#include <QGraphicsLayout>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

#include "qt/bindings.h"
#include "qt/theme.h"

namespace qtgui {
namespace {

// A painter that draws pixel for pixel at its device's pixel ratio, as on the
// screen, where a chart may be drawn from a picture of it. A painter that
// scales (a widget printed is drawn into a picture at the printer's
// resolution) or that draws no pixels (a PDF) has the chart drawn as shapes,
// sharp at its resolution.
bool onScreen(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    const QTransform transform = painter.deviceTransform();
    return device && painter.paintEngine() &&
           painter.paintEngine()->type() == QPaintEngine::Raster &&
           transform.type() <= QTransform::TxScale &&
           transform.m11() == device->devicePixelRatio() &&
           transform.m22() == device->devicePixelRatio();
}

// A chart view that reports a click (press and release inside it), and
// paints from a picture of its scene: drawn at the screen's pixel ratio when
// the scene or the view's size changed, and shown as it is when only the view
// needs painting again (the panel shown once more, a window over it moved).
// Printed, it draws its scene itself, at the printer's resolution.
class ModelChartView : public QChartView {
  public:
    // Made with its chart: a view made without one makes a default chart that
    // setChart() would leave behind.
    ModelChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
        connect(scene(), &QGraphicsScene::changed, this, [this] { picture_ = QPixmap(); });
    }
    std::function<void()> clicked;

  protected:
    // A chart looks the same in an active window as in an inactive one: its
    // scene is not told of the view's showing or hiding or of the window's
    // activation, each of which would have it drawn all over again.
    bool viewportEvent(QEvent* e) override {
        switch (e->type()) {
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::WindowActivate:
            case QEvent::WindowDeactivate:
                // Past the view's own handling, on purpose.
                // NOLINTNEXTLINE(bugprone-parent-virtual-call)
                return QAbstractScrollArea::viewportEvent(e);
            default:
                return QChartView::viewportEvent(e);
        }
    }
    void paintEvent(QPaintEvent* e) override {
        QPainter painter(viewport());
        if (!onScreen(painter)) {
            painter.end();
            QChartView::paintEvent(e);
            return;
        }
        // The scene tells of its changes a moment later: changes not told
        // yet (a picture of the view taken right after the model changed)
        // are taken in first.
        QCoreApplication::sendPostedEvents(scene(), QEvent::MetaCall);
        const qreal ratio = viewport()->devicePixelRatioF();
        const QSize size = viewport()->size();
        if (picture_.isNull() || picture_.deviceIndependentSize() != QSizeF(size) ||
            picture_.devicePixelRatio() != ratio) {
            picture_ = QPixmap(size * ratio);
            picture_.setDevicePixelRatio(ratio);
            picture_.fill(Qt::transparent);
            QPainter onPicture(&picture_);
            onPicture.setRenderHints(renderHints());
            render(&onPicture, QRectF(QPointF(0, 0), size), viewport()->rect());
        }
        painter.drawPixmap(0, 0, picture_);
    }

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
    QPixmap picture_;
};

// A series drawn over the plot from a picture of it, made again only when its
// points, the plot or the scales changed, so that a chart drawn again for
// another series or for its axes does not draw this one again. The series
// itself stays hidden: it keeps its axes, its colours and its entry in the
// legend.
class SeriesPicture : public QGraphicsItem {
  public:
    SeriesPicture(QChart* chart, QAbstractSeries* series)
        : QGraphicsItem(chart), chart_(chart), series_(series) {
        // Stacked with the series, above those added before it, as the
        // series itself would be.
        setZValue(kSeriesZ);
        plotMoved_ = QObject::connect(chart, &QChart::plotAreaChanged, series, [this] {
            prepareGeometryChange();
            update();
        });
    }
    ~SeriesPicture() override { QObject::disconnect(plotMoved_); }
    SeriesPicture(const SeriesPicture&) = delete;
    SeriesPicture& operator=(const SeriesPicture&) = delete;

    // The series took other points.
    void redraw() {
        picture_ = QImage();
        update();
    }
    QRectF boundingRect() const override { return chart_->plotArea(); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        const QRectF plot = chart_->plotArea();
        const Scale scale = scaleNow();
        if (!onScreen(*painter)) {
            painter->save();
            painter->setClipRect(plot, Qt::IntersectClip);
            painter->translate(plot.topLeft());
            draw(*painter, scale);
            painter->restore();
            return;
        }
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1;
        if (picture_.isNull() || picture_.devicePixelRatio() != ratio || scale != drawnAt_) {
            picture_ = QImage((scale.plot * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
            picture_.setDevicePixelRatio(ratio);
            picture_.fill(Qt::transparent);
            if (!picture_.isNull()) drawPicture(picture_, scale);
            drawnAt_ = scale;
        }
        painter->drawImage(plot.topLeft(), picture_);
    }

  protected:
    // Where the series' values land in the picture, in pixels of the plot:
    // both axes are linear, so the places of (0, 0) and (1, 1) give every
    // other.
    struct Scale {
        QSizeF plot;
        QPointF origin, unit;
        bool operator==(const Scale&) const = default;
        QPointF at(QPointF value) const {
            return {origin.x() + unit.x() * value.x(), origin.y() + unit.y() * value.y()};
        }
    };
    // The series on a painter whose origin is the plot's top left corner.
    virtual void draw(QPainter& painter, const Scale& scale) const = 0;
    // The same into a picture of the plot.
    virtual void drawPicture(QImage& picture, const Scale& scale) const {
        QPainter painter(&picture);
        draw(painter, scale);
    }

  private:
    Scale scaleNow() const {
        const QRectF plot = chart_->plotArea();
        const QPointF origin = chart_->mapToPosition(QPointF(0, 0), series_) - plot.topLeft();
        return {plot.size(), origin,
                chart_->mapToPosition(QPointF(1, 1), series_) - plot.topLeft() - origin};
    }

    // Where Qt Charts stacks its series, below the legend.
    static constexpr qreal kSeriesZ = 5;
    QChart* chart_;
    QAbstractSeries* series_;
    QImage picture_;
    Scale drawnAt_;
    QMetaObject::Connection plotMoved_;
};

// The bars of a bar series, from the outline that its area holds. Qt Charts
// fills an area whose outline drops to its foot between bars as one polygon,
// at about a millisecond a bar, and a painter fills a bar a pixel wide row
// by row; so the bars are set pixel by pixel.
class BarsPicture : public SeriesPicture {
  public:
    BarsPicture(QChart* chart, QAreaSeries* area) : SeriesPicture(chart, area), area_(area) {}

  private:
    void draw(QPainter& painter, const Scale& scale) const override {
        painter.setPen(area_->pen());
        painter.setBrush(area_->brush());
        const QList<QPointF> outline = area_->upperSeries()->points();
        for (qsizetype i = 1; i + 3 < outline.size(); i += 4)
            painter.drawRect(QRectF(scale.at({outline[i].x(), 0}),
                                    scale.at({outline[i + 2].x(), outline[i + 1].y()})));
    }
    // Each bar's inside in the brush's colour, its left, top and right edges
    // in the pen's.
    void drawPicture(QImage& picture, const Scale& scale) const override {
        const qreal ratio = picture.devicePixelRatio();
        const QRgb inside = qPremultiply(area_->brush().color().rgba());
        const QRgb edge = qPremultiply(area_->pen().color().rgba());
        auto column = [&](double x) {
            return std::clamp(static_cast<int>(std::lround(scale.at({x, 0}).x() * ratio)), 0,
                              picture.width());
        };
        auto row = [&](double y) {
            return std::clamp(static_cast<int>(std::lround(scale.at({0, y}).y() * ratio)), 0,
                              picture.height());
        };
        // An outline runs (left, 0), (left, top), (right, top), (right, 0)
        // for each bar, between a first and a last point on the zero line.
        const QList<QPointF> outline = area_->upperSeries()->points();
        for (qsizetype i = 1; i + 3 < outline.size(); i += 4) {
            const int left = column(outline[i].x());
            const int right = std::max(column(outline[i + 2].x()), left + 1);
            const int foot = row(0), top = row(outline[i + 1].y());
            const int high = std::min(foot, top), low = std::max(foot, top);
            for (int y = high; y < low && y < picture.height(); ++y) {
                auto* pixels = reinterpret_cast<QRgb*>(picture.scanLine(y));
                for (int x = left; x < right && x < picture.width(); ++x)
                    pixels[x] =
                        x == left || x == right - 1 || y == top || y == top - 1 ? edge : inside;
            }
        }
    }

    QAreaSeries* area_;
};

// A line without its points, drawn as the segments between them.
class LinePicture : public SeriesPicture {
  public:
    LinePicture(QChart* chart, QLineSeries* line) : SeriesPicture(chart, line), line_(line) {}

  private:
    // Segments given all at once are each rasterised straight as a band of
    // the pen's width; the same points stroked as one path would take tens
    // of milliseconds where a long history zigzags.
    void draw(QPainter& painter, const Scale& scale) const override {
        const QList<QPointF> points = line_->points();
        if (points.size() < 2) return;
        std::vector<QLineF> segments;
        segments.reserve(static_cast<size_t>(points.size() - 1));
        QPointF from = scale.at(points.front());
        for (qsizetype i = 1; i < points.size(); ++i) {
            const QPointF to = scale.at(points[i]);
            segments.emplace_back(from, to);
            from = to;
        }
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(line_->pen());
        painter.drawLines(segments.data(), static_cast<int>(segments.size()));
    }

    QLineSeries* line_;
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

class ChartBinding : public TypedBinding<ui::Chart, ModelChartView> {
  public:
    ChartBinding(Binder& b, ui::Chart& chart, ModelChartView* view, ChartLook look)
        : TypedBinding(b, chart, view), qchart_(view->chart()), look_(std::move(look)) {
        qchart_->setAnimationOptions(QChart::NoAnimation);
        qchart_->setBackgroundRoundness(10);
        qchart_->setBackgroundBrush(theme::kPaper);
        qchart_->setPlotAreaBackgroundBrush(Qt::white);
        qchart_->setPlotAreaBackgroundVisible(true);
        qchart_->setMargins(QMargins(6, 6, 6, 6));
        styleLegend();
        styleAxis(x_);
        styleAxis(y_);
        x_->setLabelFormat(QStringLiteral("%d"));
        x_->setTickType(QValueAxis::TicksDynamic);
        x_->setTickAnchor(0);
        y_->setLabelFormat(QStringLiteral("%.%1f").arg(look_.decimals));
        y_->setTickType(QValueAxis::TicksDynamic);
        qchart_->addAxis(x_, Qt::AlignBottom);
        qchart_->addAxis(y_, Qt::AlignLeft);
        view->clicked = [this] { binder().userAction(model(), [this] { model().click(); }); };
    }

  protected:
    void apply() override {
        applyCommon();
        matchSeriesCount();
        bool empty = noDay(model());
        for (int s = 1; s <= model().seriesCount(); ++s) {
            const auto i = static_cast<size_t>(s - 1);
            bool moved = replaceChanged(*series_[i], empty                  ? QList<QPointF>()
                                                     : s == look_.barSeries ? barOutline(s)
                                                                            : points(s));
            if (moved && pictures_[i]) pictures_[i]->redraw();
        }
        if (barBase_) replaceChanged(*barBase_, zeroLine());
        applyXAxis();
        bool scaled = !empty && applyYAxis();
        if (scaled && barAxis_) applyBarAxis();
        showScales(scaled);
        applyMarkers();
        showSeries(scaled);
        // Laid out now, so that the chart is painted once, in its new shape.
        if (QGraphicsLayout* layout = qchart_->layout()) layout->activate();
    }

  private:
    // A series given points other than its own takes them; the same points
    // leave it, and the picture of its chart, as they are. True when it took them.
    static bool replaceChanged(QLineSeries& series, const QList<QPointF>& points) {
        if (series.points() == points) return false;
        series.replace(points);
        return true;
    }

    // Bounds the wrong way round: the program's mark of a day without
    // weighings; drawn as they are they would turn the axis upside down.
    static bool noDay(const ui::Chart& chart) {
        return chart.axisMin() && chart.axisMax() && *chart.axisMin() > *chart.axisMax();
    }

    static void styleAxis(QValueAxis* axis) {
        QFont font = axis->labelsFont();
        font.setPointSize(8);
        axis->setLabelsFont(font);
        axis->setLabelsColor(theme::kInk);
        axis->setGridLineColor(QColor(0xe2, 0xea, 0xdd));
        axis->setLinePenColor(theme::kLine);
    }

    void styleLegend() {
        QLegend* legend = qchart_->legend();
        legend->setVisible(!look_.seriesNames.isEmpty());
        legend->setAlignment(Qt::AlignTop);
        QFont font = legend->font();
        font.setPointSize(8);
        legend->setFont(font);
        legend->setLabelColor(theme::kInk);
    }

    void matchSeriesCount() {
        while (static_cast<int>(series_.size()) < model().seriesCount()) {
            if (series_.empty()) drawnMarker_ = -1;
            auto index = static_cast<int>(series_.size());
            auto* line = new QLineSeries;
            QColor color = index < look_.seriesColors.size() ? look_.seriesColors[index]
                                                             : theme::seriesColor(index);
            qreal width = index < look_.seriesWidths.size() ? look_.seriesWidths[index] : 2;
            const bool bar = index + 1 == look_.barSeries;
            const bool filled = index + 1 == look_.filledSeries;
            QAbstractSeries* shown = bar      ? bars(line, color)
                                     : filled ? filledArea(line, color)
                                              : plainLine(line, color, width);
            if (index < look_.seriesNames.size()) shown->setName(look_.seriesNames[index]);
            qchart_->addSeries(shown);
            shown->attachAxis(x_);
            shown->attachAxis(bar ? barAxis_ : y_);
            series_.push_back(line);
            shown_.push_back(shown);
            SeriesPicture* picture = nullptr;
            if (bar)
                picture = new BarsPicture(qchart_, static_cast<QAreaSeries*>(shown));
            else if (!filled)
                picture = new LinePicture(qchart_, line);
            pictures_.push_back(picture);
        }
        while (static_cast<int>(series_.size()) > model().seriesCount()) {
            qchart_->removeSeries(shown_.back());
            if (static_cast<int>(series_.size()) == look_.barSeries) removeBarAxis();
            delete pictures_.back();
            delete shown_.back();  // with its lines when it is an area
            pictures_.pop_back();
            shown_.pop_back();
            series_.pop_back();
        }
    }

    static QAbstractSeries* plainLine(QLineSeries* line, QColor color, qreal width) {
        line->setPen(QPen(color, width));
        line->setColor(color);
        return line;
    }

    static QAbstractSeries* filledArea(QLineSeries* line, QColor color) {
        auto* area = new QAreaSeries(line);
        line->setParent(area);
        QColor fill = color;
        fill.setAlpha(70);
        area->setBrush(fill);
        area->setPen(QPen(color, 2));
        return area;
    }

    // Bars: the area between their outline and the zero line, light enough
    // for the other series to show through, on a value axis at the right
    // whose numbers take the bars' colour.
    QAbstractSeries* bars(QLineSeries* outline, QColor color) {
        barBase_ = new QLineSeries;
        auto* area = new QAreaSeries(outline, barBase_);
        outline->setParent(area);
        barBase_->setParent(area);
        QColor fill = color;
        fill.setAlpha(150);
        area->setBrush(fill);
        area->setPen(QPen(color.darker(125), 1));
        area->setVisible(false);
        barAxis_ = new QValueAxis;
        styleAxis(barAxis_);
        barAxis_->setLabelFormat(QStringLiteral("%.%1f").arg(look_.decimals));
        barAxis_->setLabelsColor(color.darker(140));
        barAxis_->setLinePenColor(color);
        barAxis_->setGridLineVisible(false);
        barAxis_->setTickType(QValueAxis::TicksDynamic);
        qchart_->addAxis(barAxis_, Qt::AlignRight);
        return area;
    }

    void removeBarAxis() {
        qchart_->removeAxis(barAxis_);
        delete barAxis_;
        barAxis_ = nullptr;
        barBase_ = nullptr;  // deleted with its area
    }

    QList<QPointF> points(int series) const {
        const auto& values = model().series(series);
        if (values.size() > kMostPoints) return thinnedPoints(values);
        QList<QPointF> list;
        list.reserve(static_cast<qsizetype>(values.size()));
        for (size_t i = 0; i < values.size(); ++i)
            if (values[i]) list.append(QPointF(static_cast<double>(i + 1), *values[i]));
        return list;
    }

    // More points than a screen has columns of pixels draw as a band from the
    // lowest to the highest value of each column. Drawing each group of
    // neighbouring points as its lowest and highest one, in their order,
    // draws that band, at a fraction of the cost of a line through every
    // point (tens of milliseconds at 32,767 points).
    static constexpr size_t kMostPoints = 2048;
    static constexpr int kAreaPointsUpTo = 120;
    static QList<QPointF> thinnedPoints(const std::vector<std::optional<double>>& values) {
        const size_t groups = kMostPoints / 2;
        QList<QPointF> list;
        list.reserve(static_cast<qsizetype>(kMostPoints));
        for (size_t g = 0; g < groups; ++g) {
            size_t from = values.size() * g / groups, to = values.size() * (g + 1) / groups;
            std::optional<size_t> low, high;
            for (size_t i = from; i < to; ++i) {
                if (!values[i]) continue;
                if (!low || *values[i] < *values[*low]) low = i;
                if (!high || *values[i] > *values[*high]) high = i;
            }
            if (!low) continue;
            for (size_t i : {std::min(*low, *high), std::max(*low, *high)}) {
                list.append(QPointF(static_cast<double>(i + 1), *values[i]));
                if (*low == *high) break;
            }
        }
        return list;
    }

    // The outline of a bar for every value, most of its point's width wide,
    // running along the zero line between them. More points than a screen has
    // columns of pixels are drawn in groups of neighbours, each group as one
    // bar as high as its largest value.
    static constexpr size_t kMostBars = 1024;
    static constexpr double kBarHalfWidth = 0.35;
    QList<QPointF> barOutline(int series) const {
        const auto& values = model().series(series);
        const size_t groups = std::min(values.size(), kMostBars);
        QList<QPointF> outline{QPointF(0.5, 0)};
        for (size_t g = 0; g < groups; ++g) {
            size_t from = values.size() * g / groups, to = values.size() * (g + 1) / groups;
            std::optional<double> top;
            for (size_t i = from; i < to; ++i)
                if (values[i] && (!top || std::abs(*values[i]) > std::abs(*top))) top = values[i];
            if (!top || *top == 0) continue;
            // Point i stands at x = i + 1.
            double left = static_cast<double>(from) + 1 - kBarHalfWidth;
            double right = static_cast<double>(to) + kBarHalfWidth;
            outline << QPointF(left, 0) << QPointF(left, *top) << QPointF(right, *top)
                    << QPointF(right, 0);
        }
        outline << zeroLine().back();
        return outline;
    }

    // The zero line across the plot, the bars' foot.
    QList<QPointF> zeroLine() const {
        return {QPointF(0.5, 0), QPointF(std::max(model().rowCount(), 1) + 0.5, 0)};
    }

    // Changes an axis's range and tick step in the order in which neither
    // step asks for more ticks than the new scale has: the axis makes an
    // item for every tick at once, and 32,767 rows at yesterday's step of 1
    // would be 32,767 items made and dropped.
    static void setScale(QValueAxis* axis, double low, double high, double anchor, double step) {
        if (step >= axis->tickInterval()) {
            axis->setTickInterval(step);
            axis->setTickAnchor(anchor);
            axis->setRange(low, high);
        } else {
            axis->setRange(low, high);
            axis->setTickAnchor(anchor);
            axis->setTickInterval(step);
        }
    }

    void applyXAxis() {
        int rows = std::max(model().rowCount(), 1);
        // Half a step of room at both ends keeps the first and last markers whole.
        setScale(x_, 0.5, rows + 0.5, 0, std::max(1.0, niceStep(rows, 8)));
    }

    // The lowest and highest value of the series on the left axis; nullopt
    // when there is none.
    std::optional<std::pair<double, double>> valueRange() const {
        std::optional<std::pair<double, double>> range;
        for (int s = 1; s <= model().seriesCount(); ++s) {
            if (s == look_.barSeries) continue;
            for (const auto& v : model().series(s)) {
                if (!v) continue;
                if (!range) range.emplace(*v, *v);
                range->first = std::min(range->first, *v);
                range->second = std::max(range->second, *v);
            }
        }
        return range;
    }

    // The program's bounds when they make a range; otherwise a range around
    // the values. False when there is nothing to scale.
    bool applyYAxis() {
        const auto& min = model().axisMin();
        const auto& max = model().axisMax();
        double low = 0, high = 0;
        if (min && max && *min < *max) {
            low = *min, high = *max;
        } else if (min && max && *min == *max) {
            // One value for both bounds: room around it, so its points show.
            low = *min - 1, high = *max + 1;
        } else if (auto range = valueRange()) {
            std::tie(low, high) = *range;
            if (look_.fromZero) low = std::min(low, 0.0), high = std::max(high, 0.0);
            if (high - low < 1e-9) {
                if (!look_.fromZero || low < 0) low -= 1;
                high += 1;
            }
        } else {
            y_->setRange(0, 1);
            return false;
        }
        double step = niceStep(high - low, 4);
        if (look_.decimals == 0) step = std::max(step, 1.0);
        if (!min || !max || *min >= *max) {
            low = std::floor(low / step) * step;
            high = std::ceil(high / step) * step;
        }
        setScale(y_, low, high, low, step);
        return true;
    }

    // The bars' axis from 0 (or below it, for values under 0) to past the
    // highest value, cut into as many steps as the left axis, so that its
    // numbers stand on the left axis's grid lines.
    void applyBarAxis() {
        double steps = std::max(1.0, std::round((y_->max() - y_->min()) / y_->tickInterval()));
        double low = 0, high = 0;
        for (const auto& v : model().series(look_.barSeries))
            if (v) low = std::min(low, *v), high = std::max(high, *v);
        double step = niceStep(std::max(high - low, 1.0), static_cast<int>(steps));
        if (look_.decimals == 0) step = std::max(step, 1.0);
        while (std::floor(low / step) * step + steps * step < high)
            step = niceStep(step * 1.5, 1);  // the next step of 1, 2 or 5
        low = std::floor(low / step) * step;
        setScale(barAxis_, low, low + steps * step, low, step);
    }

    // An empty plot has no numbers and no grid: nothing there to read.
    void showScales(bool shown) {
        for (QValueAxis* axis : {x_, y_}) {
            axis->setLabelsVisible(shown);
            axis->setGridLineVisible(shown);
            axis->setLineVisible(shown);
        }
        if (!barAxis_) return;
        barAxis_->setLabelsVisible(shown);
        barAxis_->setLineVisible(shown);
    }

    // An area keeps drawing its last outline when its line is emptied: the
    // series are hidden instead, their names staying in the legend. Bars, and
    // a line without its points, show as their picture in their place.
    void showSeries(bool shown) {
        for (size_t i = 0; i < shown_.size(); ++i) {
            SeriesPicture* picture = pictures_[i];
            const bool pictured = picture && (static_cast<int>(i) + 1 == look_.barSeries ||
                                              !series_[i]->pointsVisible());
            QAbstractSeries* series = shown_[i];
            const bool visible = shown && !pictured;
            if (series->isVisible() != visible) series->setVisible(visible);
            for (QLegendMarker* marker : qchart_->legend()->markers(series))
                marker->setVisible(true);
            if (picture) picture->setVisible(shown && pictured);
        }
    }

    // The marker style of the model's first series; a series of one point
    // always shows it, as a line needs two.
    void applyMarkers() {
        for (size_t i = 0; i < series_.size(); ++i) {
            QLineSeries& series = *series_[i];
            bool single = series.count() == 1;
            if (static_cast<int>(i) + 1 == look_.barSeries) continue;  // no points on bars
            if (i == 0 && model().hasMarker()) {
                applyMarker(series, single);
            } else if (auto* area = qobject_cast<QAreaSeries*>(shown_[i])) {
                // Hundreds of dots on an area merge into a band that costs
                // tens of milliseconds to draw: a long history is its area.
                area->setPointsVisible(series.count() <= kAreaPointsUpTo);
            } else {
                series.setPointsVisible(look_.pointsUpTo == 0 ||
                                        series.count() <= look_.pointsUpTo);
                series.setMarkerSize(7);
            }
        }
    }

    void applyMarker(QLineSeries& series, bool single) {
        int style = model().markerStyle();
        series.setPointsVisible(style != 0 || single);
        if (style == drawnMarker_) return;
        drawnMarker_ = style;
        series.setMarkerSize(style == 2 ? 15 : 8);
        series.setLightMarker(style == 2 ? ballImage(series.color()) : QImage());
    }

    QChart* qchart_;
    ChartLook look_;
    QValueAxis* x_ = new QValueAxis;
    QValueAxis* y_ = new QValueAxis;
    // The axis at the right and the zero line of the bar series, when it has one.
    QValueAxis* barAxis_ = nullptr;
    QLineSeries* barBase_ = nullptr;
    // The picture each series is drawn from in its place, when it is.
    std::vector<SeriesPicture*> pictures_;
    // The model's series as lines, and as the chart shows them: the line
    // itself, the area over it, or the bars it outlines.
    std::vector<QLineSeries*> series_;
    std::vector<QAbstractSeries*> shown_;
    int drawnMarker_ = -1;
};

// What the chart shows, as a screen reader says it: the view's words, or the
// caption of its panel with the names of its series.
QString meaningOf(const ui::Chart& chart, const ChartLook& look) {
    if (!look.meaning.isEmpty()) return look.meaning;
    QString caption;
    for (const ui::Frame* frame = chart.parent(); frame && caption.isEmpty();
         frame = frame->parent())
        caption = qstr(frame->caption()).trimmed();
    QString meaning =
        caption.isEmpty() ? QStringLiteral("グラフ") : caption + QStringLiteral("のグラフ");
    if (!look.seriesNames.isEmpty())
        meaning += QStringLiteral("：") + look.seriesNames.join(QStringLiteral("、"));
    return meaning;
}

}  // namespace

QChartView* bindChart(Binder& binder, ui::Chart& chart, QWidget* parent, ChartLook look) {
    auto* view = new ModelChartView(new QChart, parent);
    view->setObjectName(qstr(chart.name()));
    view->setRenderHint(QPainter::Antialiasing);
    // Markers drawn from pictures reach beyond what the scene reports as
    // changed: a partial repaint would leave pieces of them behind.
    view->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    view->setFocusPolicy(Qt::ClickFocus);
    view->setAccessibleName(meaningOf(chart, look));
    binder.add<ChartBinding>(chart, view, std::move(look));
    return view;
}

}  // namespace qtgui
