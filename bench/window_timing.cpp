// Click to repaint in the real window: a side button that switches the panel,
// a save on the main panel and a click on its calendar, each timed from the
// user's action until the window has painted, on generated logs of 1,000 and
// 32,767 records. Run it under a real display server:
//
//   xvfb-run -a ./build/bench/bench/yaserunba-window-timing
#include <QApplication>
#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "generated_log.h"
#include "qt/program.h"

namespace {

constexpr int kRepeats = 15;

struct Timing {
    double median = 0;
    double worst = 0;
};

// Paints the whole window now, after the events that wait.
void paintNow(QWidget& window) {
    QCoreApplication::processEvents();
    window.repaint();
}

// The window after an action, painted: the events the action queued, then a
// paint of the whole window. `prepare` runs before each action, untimed.
Timing timeRepeated(QWidget& window, const std::function<void(int)>& act,
                    const std::function<void()>& prepare = {}) {
    std::vector<double> ms;
    for (int i = 0; i < kRepeats; ++i) {
        if (prepare) {
            prepare();
            paintNow(window);
        }
        QElapsedTimer timer;
        timer.start();
        act(i);
        paintNow(window);
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

void report(int records, const char* what, Timing t) {
    qInfo("%6d records  %-28s median %7.2f ms  worst %7.2f ms", records, what, t.median, t.worst);
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
        static const char* const kPanels[] = {"cmdTaijyu", "cmdCale",   "cmdBunseki",
                                              "cmdRentai", "cmdAvgtai", "cmdCyokin",
                                              "cmdMemo",   "cmdSettei", "cmdMain"};
        report(records, "paint only (the floor)", timeRepeated(w.window(), [](int) {}));
        for (const char* panel : kPanels) {
            // From the main panel to this one; the way back is not timed.
            Timing t = timeRepeated(
                w.window(), [&](int) { w.click(panel); }, [&] { w.click("cmdMain"); });
            report(records, (std::string("switch to ") + panel).c_str(), t);
        }
        w.click("cmdMain");
        auto* calendar = w.find<QCalendarWidget>("mtvmain");
        QVERIFY(calendar);
        QDate last = calendar->selectedDate();
        report(records, "calendar click", timeRepeated(w.window(), [&](int i) {
                   QDate day = last.addDays(-(i % 7) - 1);
                   calendar->setSelectedDate(day);
                   emit calendar->clicked(day);
               }));
        calendar->setSelectedDate(last);
        emit calendar->clicked(last);
        auto* weight = w.find<QLineEdit>("txtTaiInp");
        QVERIFY(weight);
        int before = core::readLogRecords(w.folder.dir()).records.size();
        auto* situations = w.find<QListWidget>("lstAct");
        QVERIFY(situations);
        // A situation chosen and a weight typed, untimed; then the save.
        report(records, "save a weighing",
               timeRepeated(
                   w.window(), [&](int) { w.click("cmdTaiHozon"); },
                   [&] {
                       QRect item = situations->visualItemRect(situations->item(1));
                       QTest::mouseClick(situations->viewport(), Qt::LeftButton, {}, item.center());
                       weight->setText("70.4");
                   }));
        // Every save reached the log.
        QCOMPARE(int(core::readLogRecords(w.folder.dir()).records.size()), before + kRepeats);
    }
};

QTEST_MAIN(WindowTiming)
#include "window_timing.moc"
