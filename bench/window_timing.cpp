// Click to repaint in the real window: every side button, a click on the
// main panel's calendar, a weighing saved, a diary saved and the trend line
// of 全グラフ switched, each timed from the user's action until the window
// has painted, on generated logs of 1,000 and 32,767 records; and the start,
// from the process's start to the first paint of the main window, beside a
// bare QWidget of the same size started the same way (the floor). Run it
// under a real display server:
//
//   xvfb-run -a ./build/bench/bench/yaserunba-window-timing [--rounds N]
//
// Each of the N rounds (3 unless told) starts a fresh window; for each action
// the report gives the round with the lowest median, its median and its
// worst, so that a moment of load on the machine does not count as the
// program's.
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform.h"
#include "generated_log.h"
#include "qt/program.h"

namespace {

constexpr int kRepeats = 15;
int rounds = 3;

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

// What each action took in each round, in the order first timed.
struct Rounds {
    std::vector<std::string> order;
    std::map<std::string, std::vector<Timing>> timings;
};
Rounds measured;

void report(int, const char* what, Timing t) {
    auto [at, added] = measured.timings.try_emplace(what);
    if (added) measured.order.push_back(what);
    at->second.push_back(t);
}

// For each action, the round with the lowest median.
void printBestRounds(int records) {
    for (const std::string& what : measured.order) {
        const auto& all = measured.timings[what];
        const Timing best =
            *std::min_element(all.begin(), all.end(),
                              [](const Timing& a, const Timing& b) { return a.median < b.median; });
        qInfo("%6d records  %-28s median %7.2f ms  worst %7.2f ms%s", records, what.c_str(),
              best.median, best.worst,
              best.unpainted
                  ? qPrintable(QStringLiteral("  (%1 without a paint)").arg(best.unpainted))
                  : "");
    }
    measured = {};
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

// Every side button, in the order of the side column: from the main panel
// to its panel (the way back not timed), and the main panel's own from the
// diary panel, last. The first of the repeats is the panel's first showing.
void timePanelSwitches(TimedWindow& w, int records) {
    std::vector<std::string> buttons;
    for (const auto& entry : w.program->window().panels()) buttons.push_back(entry.button->name());
    std::rotate(buttons.begin(), buttons.begin() + 1, buttons.end());
    for (const std::string& panel : buttons) {
        const char* from = panel == "cmdMain" ? "cmdMemo" : "cmdMain";
        Timing t = timeRepeated([&](int) { w.click(panel.c_str()); }, [&] { w.click(from); });
        report(records, ("switch to " + panel).c_str(), t);
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
    int before = static_cast<int>(core::readLogRecords(w.folder.dir()).records.size());
    report(records, "save a weighing",
           timeRepeated([&](int) { w.click("cmdTaiHozon"); },
                        [&] {
                            QRect item = situations->visualItemRect(situations->item(1));
                            QTest::mouseClick(situations->viewport(), Qt::LeftButton, {},
                                              item.center());
                            weight->setText(QStringLiteral("70.4"));
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

// ---- the start

constexpr char kStartOption[] = "--start-of";
constexpr char kPainted[] = "painted\n";

// The child's clock, from the start of main(): the phases of its start are
// told against it.
QElapsedTimer sinceMain;

void tellPhase(const char* name) {
    printf("phase %s %.2f\n", name, static_cast<double>(sinceMain.nsecsElapsed()) / 1e6);
}

// Says so on standard output at the first paint of `window`, then ends.
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(QWidget& window) { window.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            tellPhase("painted");
            fputs(kPainted, stdout);
            fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }
};

// The child's side: the program on the folder, as main() starts it without
// the splash's wait, or a bare QWidget of the window's size.
int startChild(int argc, char** argv, const char* what, const char* folder) {
    QApplication app(argc, argv);
    tellPhase("application");
    if (std::strcmp(what, "floor") == 0) {
        QWidget bare;
        bare.resize(1326, 720);
        FirstPaint paint(bare);
        bare.show();
        return app.exec();
    }
    qtgui::setUpApplication(app);
    tellPhase("theme");
    qtgui::Program program(folder, true);
    tellPhase("window");
    FirstPaint paint(program.view());
    program.start();
    tellPhase("loaded");
    return app.exec();
}

// A start timed: from the start of the process to the first paint, and the
// phases the child told, each in milliseconds from its main().
struct Start {
    double ms = -1;
    std::vector<std::pair<std::string, double>> phases;
};

Start timeStart(const QString& what, const bench::BenchFolder& folder) {
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    child.start(
        QCoreApplication::applicationFilePath(),
        {QString::fromLatin1(kStartOption), what, QString::fromStdString(folder.path().string())});
    Start start;
    for (bool painted = false; !painted;) {
        while (!child.canReadLine())
            if (!child.waitForReadyRead(10000)) return start;
        const QByteArray line = child.readLine();
        if (line == kPainted) {
            start.ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
            painted = true;
        } else if (line.startsWith("phase ")) {
            const QList<QByteArray> words = line.trimmed().split(' ');
            if (words.size() == 3)
                start.phases.push_back({words[1].toStdString(), words[2].toDouble()});
        }
    }
    child.waitForFinished(10000);
    return start;
}

void printPhases(int records, const char* what, const Start& start) {
    std::string text;
    for (const auto& [name, ms] : start.phases)
        text += " " + name + " " + QString::number(ms, 'f', 1).toStdString();
    qInfo("%6d records  %-28s ms from main():%s (the process %.1f)", records, what, text.c_str(),
          start.ms);
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
        for (int round = 0; round < rounds; ++round) {
            TimedWindow w(records);
            report(records, "paint only (the floor)",
                   timeRepeated([&](int) { w.window().update(); }));
            timePanelSwitches(w, records);
            timeCalendarClick(w, records);
            timeWeighingSave(w, records);
            timeDiarySave(w, records);
            timeTrendLine(w, records);
        }
        printBestRounds(records);
    }

    void startToFirstPaint_data() { clickToRepaint_data(); }

    // Each start a fresh process, the program and the floor in turn; the
    // lowest median of the rounds, each of kRepeats / 3 starts.
    void startToFirstPaint() {
        QFETCH(int, records);
        bench::BenchFolder folder;
        folder.writeLog(bench::generateRecords(records));
        Start lastProgram, lastFloor, lastFirst;
        for (int round = 0; round < rounds; ++round) {
            std::vector<double> program, floor, first;
            for (int i = 0; i < kRepeats / 3; ++i) {
                lastProgram = timeStart(QStringLiteral("program"), folder);
                lastFloor = timeStart(QStringLiteral("floor"), folder);
                // With no snapshot of the day, the start makes one.
                std::filesystem::remove_all(folder.path() / core::platform::pathOf("バックアップ"));
                lastFirst = timeStart(QStringLiteral("program"), folder);
                program.push_back(lastProgram.ms);
                floor.push_back(lastFloor.ms);
                first.push_back(lastFirst.ms);
            }
            QVERIFY(*std::min_element(program.begin(), program.end()) > 0);
            QVERIFY(*std::min_element(floor.begin(), floor.end()) > 0);
            auto timing = [](std::vector<double> ms) {
                std::sort(ms.begin(), ms.end());
                return Timing{ms[ms.size() / 2], ms.back(), 0};
            };
            report(records, "start (the program)", timing(program));
            report(records, "start (first of the day)", timing(first));
            report(records, "start (a bare QWidget)", timing(floor));
        }
        printBestRounds(records);
        // Where the last start of each went.
        printPhases(records, "start phases (the program)", lastProgram);
        printPhases(records, "start phases (first of day)", lastFirst);
        printPhases(records, "start phases (a bare QWidget)", lastFloor);
    }
};

// --rounds N is ours; the rest goes to QTest. The probe started with
// --start-of is one start being timed.
int main(int argc, char** argv) {
    sinceMain.start();
    if (argc == 4 && std::strcmp(argv[1], kStartOption) == 0)
        return startChild(1, argv, argv[2], argv[3]);
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
            continue;
        }
        args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    QApplication app(count, args.data());
    app.setAttribute(Qt::AA_Use96Dpi, true);
    WindowTiming timing;
    return QTest::qExec(&timing, count, args.data());
}

#include "window_timing.moc"
