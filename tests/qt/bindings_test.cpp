// Widgets bound to single control models, clicked as a person would: the
// events reach the model in the order and with the state the program's
// handlers rely on.
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QXYSeries>
#include <QtTest>
#include <cmath>
#include <map>

#include "qt/bindings.h"
#include "ui/scripted.h"

class BindingsTest : public QObject {
    Q_OBJECT

  private slots:
    void gridClickMakesTheCellCurrent();
    void listPressAndReleaseDragAnItem();
    void comboChoiceSetsTheTextThenClicks();
    void comboOfEveryDayIsAsWideAsQtMeasuresIt();
    void chartOfADayWithoutWeighingsIsEmpty();
    void longSeriesDrawsEveryGroupsLowAndHigh();
    void barsStandOnAValueAxisOfTheirOwn();
    void lineIsDrawnWhereItsPointsAreOnScreenAndOnPaper();
    void multiLineBoxKeepsCrLfLineEnds();
    void buttonsWithoutAKeyAnswerAltAndALetter();
};

// The largest log's grid in a real table view: a click makes the clicked
// cell the grid's current cell before Click runs, and the rows the program
// scrolls to are the ones shown.
void BindingsTest::gridClickMakesTheCellCurrent() {
    ui::Form form;
    ui::Grid grid(form, "msgTest", nullptr, 3);
    grid.setRows(32768);
    for (int r = 1; r < grid.rows(); ++r) grid.setText(r, 1, std::to_string(r));
    grid.setTopRow(32700);
    std::pair<int, int> clicked{-1, -1};
    grid.Click = [&] { clicked = {grid.row(), grid.col()}; };

    QWidget window;
    ui::ScriptedDialogs dialogs;
    qtgui::Binder binder(form, dialogs);
    QTableView* view = qtgui::bindGrid(binder, grid, &window);
    view->resize(400, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(view->rowAt(0), 32700 - 1);

    QModelIndex cell = view->model()->index(32702 - 1, 1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
    QCOMPARE(clicked, std::make_pair(32702, 1));
    QCOMPARE(view->rowAt(0), 32700 - 1);

    // The scroll bar, which the program draws itself, shows its handle where
    // the style measures it and answers a click on its step button: one row
    // further down, and the grid's top row follows.
    QScrollBar* bar = view->verticalScrollBar();
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    auto part = [&](QStyle::SubControl control) {
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, control, bar);
    };
    const QImage shot = bar->grab().toImage();
    const QRect handle = part(QStyle::SC_ScrollBarSlider);
    const QRect after = part(QStyle::SC_ScrollBarSubPage);
    QVERIFY(!handle.isEmpty() && !after.isEmpty());
    QVERIFY(shot.pixelColor(handle.center()) != shot.pixelColor(after.center()));
    QTest::mouseClick(bar, Qt::LeftButton, {}, part(QStyle::SC_ScrollBarAddLine).center());
    QCOMPARE(grid.topRow(), 32701);
    QCOMPARE(view->rowAt(0), 32701 - 1);
}

// A press selects the item and raises MouseDown then Click; the release over
// another item selects that one and raises MouseUp: how a situation is
// dragged to a new place in its list.
void BindingsTest::listPressAndReleaseDragAnItem() {
    ui::Form form;
    ui::ListBox list(form, "lstTest", nullptr);
    for (const char* item : {"起床後", "朝食前", "朝食後"}) list.addItem(item);
    std::vector<std::string> events;
    auto record = [&](const char* name) {
        return [&, name] { events.push_back(name + std::to_string(list.listIndex())); };
    };
    list.MouseDown = record("down");
    list.Click = record("click");
    list.MouseUp = record("up");

    QWidget window;
    ui::ScriptedDialogs dialogs;
    qtgui::Binder binder(form, dialogs);
    QListWidget* widget = qtgui::bindListBox(binder, list, &window);
    widget->resize(200, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto center = [&](int row) { return widget->visualItemRect(widget->item(row)).center(); };
    QTest::mousePress(widget->viewport(), Qt::LeftButton, {}, center(0));
    QTest::mouseRelease(widget->viewport(), Qt::LeftButton, {}, center(2));
    QCOMPARE(events, (std::vector<std::string>{"down0", "click0", "up2"}));
    QCOMPARE(widget->currentRow(), 2);
    QCOMPARE(form.focus(), &list);
}

// Choosing an item of the drop-down puts its text in the box, then raises
// Click, which reads the text.
void BindingsTest::comboChoiceSetsTheTextThenClicks() {
    ui::Form form;
    ui::ComboBox combo(form, "cboTest", nullptr);
    for (int i = 1; i <= 5; ++i) combo.addItem(std::to_string(i));
    combo.setText("2");
    std::string seen;
    combo.Click = [&] { seen = combo.text(); };

    QWidget window;
    ui::ScriptedDialogs dialogs;
    qtgui::Binder binder(form, dialogs);
    QComboBox* widget = qtgui::bindComboBox(binder, combo, &window);
    QCOMPARE(widget->currentText(), QStringLiteral("2"));
    emit widget->activated(3);
    QCOMPARE(seen, std::string("4"));
    QCOMPARE(widget->lineEdit()->text(), QStringLiteral("4"));

    widget->lineEdit()->setFocus();
    QTest::keyClicks(widget->lineEdit(), QStringLiteral("0"));
    QCOMPARE(combo.text(), std::string("40"));

    // A new list, shared with another box, replaces the items; a text that no
    // item has is shown with no item current.
    auto days = std::make_shared<const std::vector<std::string>>(
        std::vector<std::string>{"2024/06/01", "2024/06/02", "2024/06/03"});
    ui::ComboBox other(form, "cboOther", nullptr);
    combo.setItems(days);
    other.setItems(days);
    combo.setText("2024/06/03");
    binder.syncAll();
    QCOMPARE(widget->count(), 3);
    QCOMPARE(widget->itemText(1), QStringLiteral("2024/06/02"));
    QCOMPARE(widget->currentIndex(), 2);
    QCOMPARE(&other.items(), &combo.items());
    combo.setText("2024/07/01");
    binder.syncAll();
    QCOMPARE(widget->currentIndex(), -1);
    QCOMPARE(widget->lineEdit()->text(), QStringLiteral("2024/07/01"));
}

// A box of every day of a long log is measured among a few of its items, and
// comes out as wide and as high as Qt makes it by measuring every one.
void BindingsTest::comboOfEveryDayIsAsWideAsQtMeasuresIt() {
    std::vector<std::string> days;
    for (QDate day(2001, 1, 1); days.size() < 9351; day = day.addDays(1))
        days.push_back(day.toString(QStringLiteral("yyyy/MM/dd")).toStdString());
    ui::Form form;
    ui::ComboBox combo(form, "cboTest", nullptr);
    combo.setItems(std::make_shared<const std::vector<std::string>>(days));

    QWidget window;
    ui::ScriptedDialogs dialogs;
    qtgui::Binder binder(form, dialogs);
    QComboBox* widget = qtgui::bindComboBox(binder, combo, &window);
    QComboBox measured(&window);
    measured.setEditable(true);
    for (const auto& day : days) measured.addItem(QString::fromStdString(day));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(widget->count(), measured.count());
    QCOMPARE(widget->sizeHint(), measured.sizeHint());
    QCOMPARE(widget->minimumSizeHint(), measured.minimumSizeHint());

    // The same days listed again leave the drop-down as it was; other days
    // replace it.
    int resets = 0;
    QObject::connect(widget->model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    combo.setItems(std::make_shared<const std::vector<std::string>>(days));
    binder.syncAll();
    QCOMPARE(resets, 0);
    days.pop_back();
    combo.setItems(std::make_shared<const std::vector<std::string>>(days));
    binder.syncAll();
    QCOMPARE(resets, 1);
    QCOMPARE(widget->count(), 9350);
}

namespace {

// A chart bound to a view in a window of its own.
struct BoundChart {
    explicit BoundChart(qtgui::ChartLook look = {})
        : view(qtgui::bindChart(binder, chart, &window, std::move(look))) {}
    ui::Form form;
    ui::Chart chart{form, "mcrTest", nullptr};
    QWidget window;
    ui::ScriptedDialogs dialogs;
    qtgui::Binder binder{form, dialogs};
    QChartView* view;
};

}  // namespace

// A day without weighings leaves the chart one row, which keeps the value it
// had, and its bounds the wrong way round (999 to 0): the view shows an empty
// plot without numbers, not an axis running backwards or yesterday's point.
// The day's penalties, one point without a value, show no scales either.
void BindingsTest::chartOfADayWithoutWeighingsIsEmpty() {
    ui::Form form;
    ui::Chart chart(form, "mcrTest", nullptr, true);
    auto showDay = [&](const std::vector<double>& weights, double min, double max) {
        chart.setSeriesCount(1);
        chart.setRowCount(1);
        chart.setRowCount(std::max<int>(1, static_cast<int>(weights.size())));
        for (size_t i = 0; i < weights.size(); ++i)
            chart.setValue(static_cast<int>(i) + 1, 1, weights[i]);
        chart.setAxis(min, max);
    };
    showDay({}, 999, 0);

    ui::Chart penalties(form, "mcrFollower", nullptr);
    penalties.setSeriesCount(2);

    QWidget window;
    ui::ScriptedDialogs dialogs;
    qtgui::Binder binder(form, dialogs);
    QChartView* view = qtgui::bindChart(binder, chart, &window);
    QChartView* follower = qtgui::bindChart(binder, penalties, &window);
    auto* values = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
    auto* line = qobject_cast<QXYSeries*>(view->chart()->series().value(0));
    auto* penalty = qobject_cast<QXYSeries*>(follower->chart()->series().value(1));
    QVERIFY(values && line && penalty);
    QCOMPARE(penalty->count(), 0);
    QCOMPARE(line->count(), 0);
    QVERIFY(values->min() < values->max());
    QVERIFY(!values->labelsVisible());
    auto* penaltyValues = qobject_cast<QValueAxis*>(follower->chart()->axes(Qt::Vertical).value(0));
    QVERIFY(penaltyValues && !penaltyValues->labelsVisible());

    showDay({70.0, 70.9}, 70, 71);
    binder.syncAll();
    QCOMPARE(line->count(), 2);
    QVERIFY(values->labelsVisible());
    QCOMPARE(values->min(), 70.0);
    QCOMPARE(values->max(), 71.0);

    showDay({}, 999, 0);
    binder.syncAll();
    QCOMPARE(chart.value(1, 1), std::optional<double>(70.0));
    QCOMPARE(line->count(), 0);
    QVERIFY(!values->labelsVisible());
}

// A series longer than a screen is wide is drawn through the lowest and the
// highest point of each group of neighbours, in their order: the extremes
// of the whole series, the first and the last point are among them, and a
// short series keeps every point. The scale follows without a tick per point.
void BindingsTest::longSeriesDrawsEveryGroupsLowAndHigh() {
    BoundChart bound;
    auto& [form, chart, window, dialogs, binder, view] = bound;
    view->resize(600, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // From ten points (a tick a point) to the largest log: the axis must not
    // make a tick for every point on the way.
    for (int count : {10, 32767, 1000}) {
        chart.setSeriesCount(1);
        chart.setRowCount(0);
        chart.setRowCount(count);
        for (int i = 1; i <= count; ++i)
            if (i % 97 != 0) chart.setValue(i, 1, 60 + (i * 7919 % 1000) / 100.0);
        chart.setValue(1, 1, 55.5);       // the lowest, first
        chart.setValue(count, 1, 75.25);  // the highest, last
        binder.syncAll();
        auto* line = qobject_cast<QXYSeries*>(view->chart()->series().value(0));
        QVERIFY(line);
        QList<QPointF> points = line->points();
        if (count <= 1000) {
            QCOMPARE(points.size(), qsizetype(count - count / 97));
            continue;
        }
        QVERIFY(points.size() <= 2048);
        QCOMPARE(points.front(), QPointF(1, 55.5));
        QCOMPARE(points.back(), QPointF(count, 75.25));
        for (qsizetype i = 1; i < points.size(); ++i) QVERIFY(points[i - 1].x() < points[i].x());
        for (const QPointF& p : points) {
            int row = static_cast<int>(p.x());
            QVERIFY(chart.value(row, 1) && *chart.value(row, 1) == p.y());
        }
    }
}

namespace {

QValueAxis* valueAxisOf(QAbstractSeries* series) {
    const auto axes = series->attachedAxes();
    for (QAbstractAxis* axis : axes)
        if (axis->orientation() == Qt::Vertical) return qobject_cast<QValueAxis*>(axis);
    return nullptr;
}

// The bars of an outline: the point under the middle of each top edge, and
// its height.
std::map<double, double> barsOf(const QList<QPointF>& outline) {
    std::map<double, double> bars;
    for (qsizetype i = 1; i < outline.size(); ++i)
        if (outline[i].y() != 0 && outline[i].y() == outline[i - 1].y())
            bars[std::round((outline[i].x() + outline[i - 1].x()) / 2)] = outline[i].y();
    return bars;
}

}  // namespace

// The savings chart: day amounts of a few hundred yen beside a running total
// of tens of thousands. The amounts are bars on a value axis of their own at
// the right, scaled to the largest amount and with as many steps as the
// left axis (its numbers stand on the grid lines), which stays the total's.
// Each amount is a bar of its height at its day, a day without one has none;
// a history longer than a screen is wide keeps the largest of each group.
void BindingsTest::barsStandOnAValueAxisOfTheirOwn() {
    BoundChart bound({.seriesNames = {QStringLiteral("累計"), QStringLiteral("金額")},
                      .decimals = 0,
                      .fromZero = true,
                      .filledSeries = 1,
                      .barSeries = 2});
    auto& [form, chart, window, dialogs, binder, view] = bound;
    for (int days : {7, 32767}) {
        chart.setSeriesCount(2);
        chart.setRowCount(0);
        chart.setRowCount(days);
        std::map<double, double> amounts;
        double total = 0;
        for (int day = 1; day <= days; ++day) {
            double amount = day == days / 2 ? 450 : day % 3 == 0 ? 0 : day * 37 % 400;
            total += amount + 100;
            chart.setValue(day, 1, total);
            chart.setValue(day, 2, amount);
            if (amount != 0) amounts[day] = amount;
        }
        binder.syncAll();
        auto* bars = qobject_cast<QAreaSeries*>(view->chart()->series().value(1));
        QVERIFY(bars);
        QValueAxis* left = valueAxisOf(view->chart()->series().value(0));
        QValueAxis* right = valueAxisOf(bars);
        QVERIFY(left && right && left != right);
        QCOMPARE(left->alignment(), Qt::AlignLeft);
        QCOMPARE(right->alignment(), Qt::AlignRight);
        QVERIFY(left->max() >= total);
        QCOMPARE(right->min(), 0.0);
        QVERIFY2(right->max() >= 450 && right->max() <= 1000,
                 qPrintable(QString::number(right->max())));
        QCOMPARE(std::round(right->max() / right->tickInterval()),
                 std::round((left->max() - left->min()) / left->tickInterval()));

        std::map<double, double> drawn = barsOf(bars->upperSeries()->points());
        if (days < 100) {
            QCOMPARE(drawn, amounts);
            // The bars are painted where the outline says: halfway up the
            // highest, the plot differs from the gap beside it.
            view->resize(600, 400);
            const QImage shot = view->grab().toImage();
            auto pixel = [&](double x) {
                QPointF atChart = view->chart()->mapToPosition(QPointF(x, 225), bars);
                return shot.pixelColor(view->mapFromScene(view->chart()->mapToScene(atChart)));
            };
            QVERIFY(pixel(days / 2 + 0.2) != pixel(days / 2 + 0.5));
            continue;
        }
        QVERIFY(drawn.size() <= 1024);
        double highest = 0;
        for (const auto& [x, height] : drawn) highest = std::max(highest, height);
        QCOMPARE(highest, 450.0);
    }

    chart.setSeriesCount(1);  // the bars and their axis go, and come back
    binder.syncAll();
    QCOMPARE(view->chart()->axes(Qt::Vertical).size(), 1);
    chart.setSeriesCount(2);
    binder.syncAll();
    QCOMPARE(view->chart()->axes(Qt::Vertical).size(), 2);
}

// A line without its points is drawn where its points are, again when they
// move; and a chart printed (a widget is printed through a picture of it at
// the printer's resolution) is drawn at that resolution, not scaled up from
// the screen's picture in blocks of screen pixels.
void BindingsTest::lineIsDrawnWhereItsPointsAreOnScreenAndOnPaper() {
    const QColor ink(0, 0, 200);
    BoundChart bound({.seriesColors = {ink}, .pointsUpTo = 60});
    auto& [form, chart, window, dialogs, binder, view] = bound;
    view->resize(400, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    chart.setSeriesCount(1);
    auto drawLine = [&](double from, double to) {
        chart.setRowCount(0);
        chart.setRowCount(100);
        for (int i = 1; i <= 100; ++i) chart.setValue(i, 1, from + (to - from) * (i - 1) / 99);
        chart.setAxis(0, 10);
        binder.syncAll();
    };
    auto* series = view->chart()->series().value(0);
    auto at = [&](QPointF value) {
        return view->mapFromScene(
            view->chart()->mapToScene(view->chart()->mapToPosition(value, series)));
    };
    // The line's colour at or right beside the point, its edges blended.
    auto inked = [&](const QImage& shot, QPoint p) {
        for (int dy = -2; dy <= 2; ++dy) {
            const QColor c = shot.pixelColor(p + QPoint(0, dy));
            if (c.blue() > 150 && c.red() < 100 && c.green() < 100) return true;
        }
        return false;
    };
    drawLine(2, 3);
    QImage shot = view->grab().toImage();
    QVERIFY(inked(shot, at({50, 2.5})));
    QVERIFY(!inked(shot, at({50, 7.5})));
    drawLine(7, 8);
    shot = view->grab().toImage();
    QVERIFY(!inked(shot, at({50, 2.5})));
    QVERIFY(inked(shot, at({50, 7.5})));

    const int scale = 4;
    QImage printed(view->size() * scale, QImage::Format_ARGB32);
    printed.fill(Qt::white);
    {
        QPainter painter(&printed);
        painter.scale(scale, scale);
        // Printed as the printer prints a widget.
        static_cast<QWidget*>(view)->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    // Down one column across the sloping line: its edges are a row or two
    // of blended colour at this resolution, never a block of rows alike.
    const QPoint middle = at({50, 7.5}) * scale;
    int alike = 1, mostAlike = 1, inkRows = 0;
    for (int y = middle.y() - 6 * scale; y <= middle.y() + 6 * scale; ++y) {
        const QColor colour = printed.pixelColor(middle.x(), y);
        const bool blended = colour != ink && colour != QColor(Qt::white);
        alike = blended && colour == printed.pixelColor(middle.x(), y - 1) ? alike + 1 : 1;
        mostAlike = std::max(mostAlike, alike);
        inkRows += colour == ink;
    }
    QVERIFY2(mostAlike < scale, qPrintable(QString::number(mostAlike)));
    QVERIFY2(inkRows >= scale, qPrintable(QString::number(inkRows)));
}

// A memo of several lines: the model's CR LF line ends show as line breaks,
// and what the user types reaches the model as the whole text with CR LF.
void BindingsTest::multiLineBoxKeepsCrLfLineEnds() {
    ui::Form form;
    ui::TextBox memo(form, "txtTest", nullptr);
    memo.setText("一行目\r\n\r\n三行目");

    QWidget window;
    ui::ScriptedDialogs dialogs;
    qtgui::Binder binder(form, dialogs);
    QPlainTextEdit* edit = qtgui::bindMultiLineTextBox(binder, memo, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(edit->toPlainText(), QStringLiteral("一行目\n\n三行目"));

    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, QStringLiteral("walk"));
    QCOMPARE(QString::fromStdString(memo.text()), QStringLiteral("一行目\r\n\r\n三行目\r\nwalk"));

    memo.setText("");
    binder.syncAll();
    QCOMPARE(edit->toPlainText(), QString());
}

// A save button with a caption shows its letter, "一言日記保存(S)", a
// picture button names it in its tool tip; Alt with the letter presses each,
// and the model's caption stays as the program wrote it.
void BindingsTest::buttonsWithoutAKeyAnswerAltAndALetter() {
    ui::Form form;
    ui::Button text(form, "cmdMemoHozon", nullptr, "一言日記保存");
    ui::Button picture(form, "cmdAvgPri", nullptr);
    ui::Button other(form, "cmdTest", nullptr, "その他");
    picture.setToolTip("平均データを印刷");
    text.setAccessKey('S');
    picture.setAccessKey('P');
    int textClicks = 0, pictureClicks = 0;
    text.Click = [&] { ++textClicks; };
    picture.Click = [&] { ++pictureClicks; };

    QWidget window;
    ui::ScriptedDialogs dialogs;
    qtgui::Binder binder(form, dialogs);
    auto* layout = new QVBoxLayout(&window);
    QPushButton* textView = qtgui::bindButton(binder, text, &window);
    QPushButton* pictureView = qtgui::bindButton(binder, picture, &window);
    QPushButton* otherView = qtgui::bindButton(binder, other, &window);
    for (QWidget* w : {textView, pictureView, otherView}) layout->addWidget(w);
    binder.syncAll();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QCOMPARE(textView->text(), QStringLiteral("一言日記保存(&S)"));
    QCOMPARE(otherView->text(), QStringLiteral("その他"));
    QCOMPARE(pictureView->toolTip(), QStringLiteral("平均データを印刷（Alt+P）"));
    QCOMPARE(text.caption(), std::string("一言日記保存"));
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(textClicks, 1);  // a pressed shortcut clicks after a short animation
    QTRY_COMPARE(pictureClicks, 1);

    binder.syncAll();  // a second sync keeps one letter, not two
    QCOMPARE(textView->text(), QStringLiteral("一言日記保存(&S)"));
    QCOMPARE(pictureView->toolTip(), QStringLiteral("平均データを印刷（Alt+P）"));
}

QTEST_MAIN(BindingsTest)
#include "bindings_test.moc"
