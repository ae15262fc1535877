// The main panel and the BMI meter clicked as a person would: a weighing
// entered with the real list, buttons and weight box reaches the log and
// comes back in the day list; the meter's slider moves the pointer over the
// band and rewrites the formulas. Each test starts the whole program in a
// fresh data folder, with 2026/12/07 as today.
#include <QAbstractItemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "core/settings.h"
#include "core/weight_log.h"
#include "program_fixture.h"
#include "qt/program.h"
#include "setup/settei_panel.h"
#include "setup/situation_list.h"

namespace {

constexpr core::Date kToday{std::chrono::year(2026), std::chrono::December, std::chrono::day(7)};

}  // namespace

class MainPanelTest : public QObject, qttest::ProgramFixture {
    Q_OBJECT

  private slots:
    void initTestCase() { qtgui::setUpApplication(*qApp); }
    void init();
    void cleanup();

    void enteredWeighingIsSavedAndListed();
    void meterSliderMovesPointerAndFormulas();
};

// At 200 cm the BMI is a quarter of the weight: 80 kg is BMI 20.0.
void MainPanelTest::init() {
    makeFolder();
    QVERIFY(
        core::writeProfile(dir(), {.UserName = "花子", .Height = 200, .TargetWeight = 70}).ok());
    QVERIFY(dir().writeText(setup::kSituationFile, "起床後\r\n朝食前\r\n").ok());
    QVERIFY(core::APPEND_LOG(dir(), {"2026/12/06", "起床後", 80.0f, "", "", ""}).ok());
    QVERIFY(core::APPEND_LOG(dir(), {"2026/12/07", "起床後", 80.0f, "", "", ""}).ok());
    startProgram(kToday);
    QVERIFY(program_->view().isVisible());
}

void MainPanelTest::cleanup() {
    stopProgram();
}

// Situation, one step up, save: the log gets the weighing dated today, the
// entry goes back to idle and the day list shows the new row.
void MainPanelTest::enteredWeighingIsSavedAndListed() {
    auto* situations = find<QListWidget>("lstAct");
    auto* weight = find<QLineEdit>("txtTaiInp");
    auto* up = find<QPushButton>("cmdUp");
    auto* rows = find<QTableView>("msgDayList")->model();
    QCOMPARE(rows->rowCount(), 1);
    QVERIFY(!up->isEnabled());

    QRect item = situations->visualItemRect(situations->item(1));
    QTest::mouseClick(situations->viewport(), Qt::LeftButton, {}, item.center());
    QCOMPARE(weight->text(), QStringLiteral("80"));
    QVERIFY(weight->hasFocus());
    QVERIFY(up->isEnabled());
    click(up);
    QCOMPARE(weight->text(), QStringLiteral("80.1"));
    click(find<QPushButton>("cmdTaiHozon"));

    core::LogScan scan = core::READ_LOG(dir());
    core::RecordView record, last;
    int count = 0;
    while (scan.next(record)) last = record, ++count;
    QCOMPARE(count, 3);
    QCOMPARE(last.Date, std::string_view("2026/12/07"));
    QCOMPARE(last.Situation, std::string_view("朝食前"));
    QCOMPARE(last.Weight, 80.1f);

    QCOMPARE(rows->rowCount(), 2);
    QCOMPARE(rows->index(1, 1).data().toString(), QStringLiteral("朝食前"));
    QCOMPARE(rows->index(1, 2).data().toString(), QStringLiteral("80.1Kg"));
    QCOMPARE(rows->index(1, 4).data().toString(), QStringLiteral("↑"));
    QCOMPARE(weight->text(), QString());
    QVERIFY(!up->isEnabled());
}

// A click beside the thumb moves the meter by 1.0, an arrow key by 0.1; the
// pointer's tip stays over the band segment of the class the label names.
void MainPanelTest::meterSliderMovesPointerAndFormulas() {
    app::frmMain& w = program_->window();
    click(find<QWidget>("cmdSettei"));
    auto* slider = find<QScrollBar>("HScroll1");
    auto* pointer = find<QLabel>("Image2");
    QVERIFY(slider->isVisible() && pointer->isVisible());
    QCOMPARE(slider->minimum(), 170);
    QCOMPARE(slider->maximum(), 320);
    QCOMPARE(slider->value(), 200);

    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = Qt::Horizontal;
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = slider->value();
    option.pageStep = slider->pageStep();
    option.singleStep = slider->singleStep();
    QRect arrow = slider->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                  QStyle::SC_ScrollBarAddLine, slider);
    QPoint besideThumb(arrow.left() - 4, slider->height() / 2);
    for (int i = 0; i < 5; ++i) QTest::mouseClick(slider, Qt::LeftButton, {}, besideThumb);
    QCOMPARE(w.panel<setup::SetteiPanel>().meter.HScroll1.value(), 250);
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(w.panel<setup::SetteiPanel>().meter.HScroll1.value(), 251);
    QCOMPARE(slider->value(), 251);

    QCOMPARE(find<QLabel>("Label9(25)")->text(), QStringLiteral("25.1"));
    QCOMPARE(find<QLabel>("Label9(28)")->text(), QStringLiteral("100.4"));
    QCOMPARE(find<QLabel>("lblTai")->text(), QStringLiteral("100.4"));
    QCOMPARE(find<QLabel>("lblHyouka")->text(), QStringLiteral("でぶメゾフォルテ"));
    QCOMPARE(find<QLabel>("lblHyojun(1)")->text(), QStringLiteral("88.0"));
    QCOMPARE(find<QLabel>("lblHiman")->text(), QStringLiteral("14.1"));  // (100.4 - 88.0) / 88.0

    auto* segment = find<QWidget>("Shape2(2)");  // BMI 24 to 26.4
    int tip = pointer->geometry().center().x();
    QVERIFY2(tip > segment->x() && tip < segment->geometry().right(),
             qPrintable(QStringLiteral("tip %1 outside %2..%3")
                            .arg(tip)
                            .arg(segment->x())
                            .arg(segment->geometry().right())));
    // 25.1 lies 1.1 of the segment's 2.4 BMI from its left edge.
    double along = (tip - segment->x()) / static_cast<double>(segment->width());
    QVERIFY2(std::abs(along - 1.1 / 2.4) < 0.05, qPrintable(QString::number(along)));
}

QTEST_MAIN(MainPanelTest)
#include "main_panel_test.moc"
