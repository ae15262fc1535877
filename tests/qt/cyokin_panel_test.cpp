// The savings panel clicked as a person would: the side button fills and
// shows the history list, the table button puts the editor in the list's
// place, a click on an entry of the real table chooses it, 戻る brings the
// list back.
#include <QGroupBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "core/settings.h"
#include "core/weight_log.h"
#include "program_fixture.h"
#include "qt/program.h"
#include "savings/cyokin_panel.h"

namespace {

constexpr core::Date kToday{std::chrono::year(2026), std::chrono::December, std::chrono::day(7)};

}  // namespace

class CyokinPanelTest : public QObject, qttest::ProgramFixture {
    Q_OBJECT

  private slots:
    void initTestCase() { qtgui::setUpApplication(*qApp); }
    void init();
    void cleanup();

    void theEditorTakesTheListsPlace();
};

void CyokinPanelTest::init() {
    makeFolder();
    QVERIFY(core::APPEND_LOG(dir(), {"2026/12/06", "A", 60.0f, "", "", ""}).ok());
    QVERIFY(core::APPEND_LOG(dir(), {"2026/12/07", "A", 60.5f, "", "", ""}).ok());
    startProgram(kToday);
    QTest::mouseClick(find<QWidget>("cmdCyokin"), Qt::LeftButton);
}

void CyokinPanelTest::cleanup() {
    stopProgram();
}

void CyokinPanelTest::theEditorTakesTheListsPlace() {
    auto* history = find<QTableView>("msgCyokin2");
    auto* editor = find<QGroupBox>("fraKansan");
    QVERIFY(history->isVisible());
    QVERIFY(!editor->isVisible());
    QCOMPARE(history->model()->rowCount(), 2);

    QTest::mouseClick(find<QPushButton>("cmdKansan"), Qt::LeftButton);
    QVERIFY(editor->isVisible());
    QVERIFY(!history->isVisible());
    auto* change = find<QPushButton>("cmdKanHen");
    QVERIFY(!change->isEnabled());
    auto* table = find<QTableView>("msgCyokin");
    QRect cell = table->visualRect(table->model()->index(0, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(program_->window().panel<savings::CyokinPanel>().SelectedKansanRow, 1);
    QVERIFY(change->isEnabled());

    QTest::mouseClick(find<QPushButton>("cmdModori"), Qt::LeftButton);
    QVERIFY(history->isVisible());
    QVERIFY(!editor->isVisible());
}

QTEST_MAIN(CyokinPanelTest)
#include "cyokin_panel_test.moc"
