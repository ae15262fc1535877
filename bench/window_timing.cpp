// Click to repaint in the real window: every side button, a click on the
// main panel's calendar, a weighing saved, a diary saved and the trend line
// of 全グラフ switched, each timed from the user's action until the window
// has painted, on generated logs of 1,000 and 32,767 records. Run it under a
// real display server:
//
//   xvfb-run -a ./build/bench/bench/yaserunba-window-timing
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>

#include "generated_log.h"
#include "qt/program.h"

namespace {

constexpr int kRepeats = 15;

struct Timing {
    double median = 0;
    double worst = 0;
    int unpainted = 0;  // actions after which nothing was painted
};

// Counts the paints of the window's widgets.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// The events that an action queued, up to the paint of what it changed: the
// window's own paint, which Qt may put off, waited for a tenth of a second
// at most.
bool paintNow() {
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    QCoreApplication::processEvents();
    QElapsedTimer waited;
    waited.start();
    while (counter.paints == 0 && waited.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QCoreApplication::processEvents();
    qApp->removeEventFilter(&counter);
    return counter.paints > 0;
}

// The window after an action, painted. `prepare` runs before each action,
// untimed.
Timing timeRepeated(const std::function<void(int)>& act,
                    const std::function<void()>& prepare = {}) {
    std::vector<double> ms;
    int unpainted = 0;
    for (int i = 0; i < kRepeats; ++i) {
        if (prepare) {
            prepare();
            paintNow();
        }
        QElapsedTimer timer;
        timer.start();
        act(i);
        if (!paintNow()) ++unpainted;
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back(), unpainted};
}

void report(int records, const char* what, Timing t) {
    qInfo("%6d records  %-28s median %7.2f ms  worst %7.2f ms%s", records, what, t.median, t.worst,
          t.unpainted ? qPrintable(QStringLiteral("  (%1 without a paint)").arg(t.unpainted)) : "");
}

// A window on `count` generated records, leaving room for the saves.
struct TimedWindow {
    explicit TimedWindow(int count) : records(bench::generateRecords(count - kRepeats)) {
        folder.writeLog(records);
        program = std::make_unique<qtgui::Program>(folder.path(), true,
                                                   *core::parseDate(records.back().Date));
        program->start();
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
    }
    QWidget& window() { return *program->view().window(); }
    template <typename W>
    W* find(const char* name) {
        return program->view().findChild<W*>(QString::fromUtf8(name));
    }
    void click(const char* name) {
        auto* w = find<QWidget>(name);
        QVERIFY(w);
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    }

    std::vector<core::WeightRecord> records;
    bench::BenchFolder folder;
    std::unique_ptr<qtgui::Program> program;
};

// The side buttons of the panels, in the order of the side column.
const char* const kPanels[] = {"cmdTaijyu", "cmdCale", "cmdBunseki", "cmdRentai", "cmdAvgtai",
                               "cmdCyokin", "cmdMemo", "cmdSettei",  "cmdMain"};

// Every side button: from the main panel to its panel (the way back not
// timed), and the main panel's own from the diary panel. The first of the
// repeats is the panel's first showing.
void timePanelSwitches(TimedWindow& w, int records) {
    for (const char* panel : kPanels) {
        const char* from = std::string_view(panel) == "cmdMain" ? "cmdMemo" : "cmdMain";
        Timing t = timeRepeated([&](int) { w.click(panel); }, [&] { w.click(from); });
        report(records, (std::string("switch to ") + panel).c_str(), t);
    }
}

// A click on the main panel's calendar, one of the seven days before the
// last, then back to the last day.
void timeCalendarClick(TimedWindow& w, int records) {
    w.click("cmdMain");
    auto* calendar = w.find<QCalendarWidget>("mtvmain");
    QVERIFY(calendar);
    QDate last = calendar->selectedDate();
    report(records, "calendar click", timeRepeated([&](int i) {
               QDate day = last.addDays(-(i % 7) - 1);
               calendar->setSelectedDate(day);
               emit calendar->clicked(day);
           }));
    calendar->setSelectedDate(last);
    emit calendar->clicked(last);
}

// A situation chosen and a weight typed, untimed; then the save. Every save
// reaches the log.
void timeWeighingSave(TimedWindow& w, int records) {
    w.click("cmdMain");
    auto* weight = w.find<QLineEdit>("txtTaiInp");
    auto* situations = w.find<QListWidget>("lstAct");
    QVERIFY(weight && situations);
    int before = core::readLogRecords(w.folder.dir()).records.size();
    report(records, "save a weighing",
           timeRepeated([&](int) { w.click("cmdTaiHozon"); },
                        [&] {
                            QRect item = situations->visualItemRect(situations->item(1));
                            QTest::mouseClick(situations->viewport(), Qt::LeftButton, {},
                                              item.center());
                            weight->setText("70.4");
                        }));
    QCOMPARE(int(core::readLogRecords(w.folder.dir()).records.size()), before + kRepeats);
}

// On the diary panel: a row in sight chosen and a diary typed, untimed;
// then the save, which rewrites the whole log.
void timeDiarySave(TimedWindow& w, int records) {
    w.click("cmdMemo");
    auto* list = w.find<QTableView>("msgMemoList");
    auto* diary = w.find<QLineEdit>("txtMemo");
    QVERIFY(list && diary);
    report(records, "save a diary",
           timeRepeated([&](int) { w.click("cmdMemoHozon"); },
                        [&, i = 0]() mutable {
                            int row = list->rowAt(list->viewport()->height() / 2);
                            QRect cell = list->visualRect(list->model()->index(row, 6));
                            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
                            diary->setText(QStringLiteral("野菜中心%1").arg(i++));
                        }));
    QVERIFY(core::readLogRecords(w.folder.dir()).records.size() > 0);
}

// The trend line of 全グラフ switched on and off, each a timed click.
void timeTrendLine(TimedWindow& w, int records) {
    w.click("cmdRentai");
    auto* trend = w.find<QCheckBox>("chkKeikou");
    if (!trend) {
        qInfo("%6d records  %-28s not in this window", records, "trend line (chkKeikou)");
        return;
    }
    report(records, "trend line on and off", timeRepeated([&](int) { w.click("chkKeikou"); }));
}

}  // namespace

class WindowTiming : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qtgui::setUpApplication(*qApp); }

    void clickToRepaint_data() {
        QTest::addColumn<int>("records");
        QTest::newRow("1000") << 1000;
        QTest::newRow("32767") << 32767;
    }

    void clickToRepaint() {
        QFETCH(int, records);
        TimedWindow w(records);
        report(records, "paint only (the floor)", timeRepeated([&](int) { w.window().update(); }));
        timePanelSwitches(w, records);
        timeCalendarClick(w, records);
        timeWeighingSave(w, records);
        timeDiarySave(w, records);
        timeTrendLine(w, records);
    }
};

QTEST_MAIN(WindowTiming)
#include "window_timing.moc"
