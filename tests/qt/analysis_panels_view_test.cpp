// The trend and the analysis panels clicked as a person would: the target
// button moves the chart's floor and turns orange, the option buttons of a
// group switch its list. The whole program runs in a fresh data folder.
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "analysis/rentai_panel.h"
#include "core/settings.h"
#include "core/weight_log.h"
#include "program_fixture.h"
#include "qt/program.h"

namespace {

constexpr core::Date kToday{std::chrono::year(2024), std::chrono::June, std::chrono::day(3)};

}  // namespace

class AnalysisPanelsViewTest : public QObject, qttest::ProgramFixture {
    Q_OBJECT

  private slots:
    void initTestCase() { qtgui::setUpApplication(*qApp); }
    void init();
    void cleanup();

    void targetButtonMovesTheFloor();
    void optionsSwitchTheirOwnList();
};

void AnalysisPanelsViewTest::init() {
    makeFolder();
    QVERIFY(
        core::writeProfile(dir(), {.UserName = "花子", .Height = 160, .TargetWeight = 65}).ok());
    QVERIFY(core::APPEND_LOG(dir(), {"2024/06/01", "朝食前", 75.0f, "", "", ""}).ok());
    QVERIFY(core::APPEND_LOG(dir(), {"2024/06/02", "朝食前", 74.6f, "", "", ""}).ok());
    QVERIFY(core::APPEND_LOG(dir(), {"2024/06/03", "朝食前", 74.6f, "", "", ""}).ok());
    startProgram(kToday);
    QVERIFY(program_->view().isVisible());
}

void AnalysisPanelsViewTest::cleanup() {
    stopProgram();
}

void AnalysisPanelsViewTest::targetButtonMovesTheFloor() {
    analysis::RenTaiPanel& rentai = program_->window().panel<analysis::RenTaiPanel>();
    click(find<QWidget>("cmdRentai"));
    auto* target = find<QPushButton>("cmdMokuChk");
    QVERIFY(target->isVisible());
    // The caption as the panel wrote it, with the letter that presses it.
    QCOMPARE(target->text(), QStringLiteral("目標まで残り　9.6Kg(&M)"));
    QCOMPARE(rentai.mcrRentai.axisMin().value_or(-1), 74.0);
    click(target);
    QCOMPARE(rentai.mcrRentai.axisMin().value_or(-1), 65.0);
    QVERIFY(target->styleSheet().contains(QStringLiteral("#FFE0C0"), Qt::CaseInsensitive));
    click(target);
    QCOMPARE(rentai.mcrRentai.axisMin().value_or(-1), 74.0);
    QVERIFY(target->styleSheet().isEmpty());
}

void AnalysisPanelsViewTest::optionsSwitchTheirOwnList() {
    click(find<QWidget>("cmdBunseki"));
    auto* series = find<QTableView>("msgB1")->model();
    auto* bands = find<QTableView>("msgB4")->model();
    QCOMPARE(series->index(2, 3).data().toString(), QStringLiteral("±0.0Kg"));
    click(find<QRadioButton>("Option1(1)"));
    QCOMPARE(series->index(2, 3).data().toString(), QStringLiteral("-0.4Kg"));
    QCOMPARE(bands->index(0, 1).data().toString(), QStringLiteral("74.5～74.9Kg"));
    click(find<QRadioButton>("Option2(0)"));
    QCOMPARE(bands->index(0, 1).data().toString(), QStringLiteral("74.0～74.9Kg"));
    QCOMPARE(bands->index(1, 1).data().toString(), QStringLiteral("75.0～75.9Kg"));
    QVERIFY(find<QRadioButton>("Option1(1)")->isChecked());
}

QTEST_MAIN(AnalysisPanelsViewTest)
#include "analysis_panels_view_test.moc"
