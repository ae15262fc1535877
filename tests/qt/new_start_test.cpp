// A new start ends the window and the program comes back by itself on the new
// diet, in the same data folder; an ordinary end does not come back.
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/settings.h"
#include "core/weight_log.h"
#include "qt/main_view.h"
#include "qt/program.h"
#include "setup/settei_panel.h"
#include "support/window_fixture.h"
#include "ui/scripted.h"

namespace {

constexpr core::Date kToday{std::chrono::year(2026), std::chrono::December, std::chrono::day(7)};

}  // namespace

class NewStartTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qtgui::setUpApplication(*qApp); }
    void theWindowComesBackOnTheNewDiet();
};

void NewStartTest::theWindowComesBackOnTheNewDiet() {
    QTemporaryDir folder;
    core::DataDir dir(folder.path().toStdString());
    QVERIFY(core::writeHelpTour(dir, 0).ok());
    QVERIFY(core::APPEND_LOG(dir, {"2026/12/01", "朝食前", 70.0f, "", "", ""}).ok());
    ui::ScriptedDialogs answers;
    int runs = 0;
    bool shownAgain = false;
    auto started = [&](qtgui::Program& program) {
        ++runs;
        if (runs == 1) {
            // In the window, as the user would: the new start's form, filled and sent.
            QTimer::singleShot(0, &program.view(), [&program, &answers] {
                auto& start = openPanel<setup::SetteiPanel>(program.window()).profile;
                start.cmdNew1.click();
                start.txtSincyou1.setText("160");
                start.txtMokuTai1.setText("55");
                start.txtNowTai.setText("64.5");
                answers.queue(ui::Answer::OK);
                start.cmdStHozon.click();
            });
            return;
        }
        shownAgain = program.view().isVisible() && !program.ended();
        QTimer::singleShot(0, &program.view(), [&program] { program.window().cmdOwari_Click(); });
    };
    int code = qtgui::runWindow(*qApp, dir.folder(), kToday, &answers, started);
    QCOMPARE(code, 0);
    QCOMPARE(runs, 2);
    QVERIFY(shownAgain);
    auto log = core::readLogRecords(dir);
    QCOMPARE(log.records.size(), size_t{1});
    QCOMPARE(log.records.front().Weight, 64.5f);
}

QTEST_MAIN(NewStartTest)
#include "new_start_test.moc"
