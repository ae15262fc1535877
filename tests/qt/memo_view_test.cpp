// The diary list in the window: the row the user clicks shows selected as a
// whole, and stops showing so once nothing is chosen.
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

#include "core/weight_log.h"
#include "notes/memo_panel.h"
#include "program_fixture.h"

namespace {

constexpr core::Date kToday{std::chrono::year(2026), std::chrono::December, std::chrono::day(7)};

}  // namespace

class MemoViewTest : public QObject, qttest::ProgramFixture {
    Q_OBJECT

  private slots:
    void initTestCase() { qtgui::setUpApplication(*qApp); }
    void cleanup() { stopProgram(); }
    void theChosenRowShowsSelected();
};

void MemoViewTest::theChosenRowShowsSelected() {
    makeFolder();
    QVERIFY(core::APPEND_LOG(dir(), {"2026/12/06", "朝食前", 60.0f, "", "", ""}).ok());
    QVERIFY(core::APPEND_LOG(dir(), {"2026/12/06", "夕食後", 60.5f, "食べ過ぎ", "", ""}).ok());
    QVERIFY(core::APPEND_LOG(dir(), {"2026/12/07", "朝食前", 60.2f, "", "", ""}).ok());
    startProgram(kToday);
    click(find<QWidget>("cmdMemo"));
    auto* list = find<QTableView>("msgMemoList");
    QVERIFY(list->isVisible());
    QVERIFY(!list->selectionModel()->hasSelection());

    QRect cell = list->visualRect(list->model()->index(1, 2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(program_->window().panel<notes::MemoPanel>().chosenRow, 2);
    QVERIFY(list->selectionModel()->isRowSelected(1, QModelIndex()));
    QVERIFY(!list->selectionModel()->isRowSelected(0, QModelIndex()));
    QCOMPARE(find<QLineEdit>("txtMemo")->text(), QStringLiteral("食べ過ぎ"));

    // Leaving the panel and opening it again chooses nothing.
    click(find<QWidget>("cmdMain"));
    click(find<QWidget>("cmdMemo"));
    QVERIFY(!list->selectionModel()->hasSelection());
}

QTEST_MAIN(MemoViewTest)
#include "memo_view_test.moc"
