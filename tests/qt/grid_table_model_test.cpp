// The table model over a Grid: consistent for Qt's item views whatever the
// grid goes through, and showing exactly the grid's texts, colours and
// alignments.
#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSignalSpy>
#include <QtTest>

#include "qt/grid_table_model.h"

class GridTableModelTest : public QObject {
    Q_OBJECT

  private slots:
    void passesTheModelTesterThroughChanges();
    void showsTheGridsCells();
    void staysSafeUntilReloaded();
};

void GridTableModelTest::passesTheModelTesterThroughChanges() {
    ui::Form form;
    ui::Grid grid(form, "msgTest", nullptr, 3);
    qtgui::GridTableModel model(grid);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    for (int i = 1; i <= 50; ++i) grid.addRow({std::to_string(i), "起床後", "65.0Kg"});
    QVERIFY(model.reload());
    QCOMPARE(model.rowCount(), 50);

    grid.setText(3, 1, "夕食後");
    grid.setCellColor(3, 2, ui::kLightRed);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(!model.reload());
    QCOMPARE(changed.count(), 1);

    grid.removeRow(10);
    QVERIFY(model.reload());
    QCOMPARE(model.rowCount(), 49);

    grid.setRows(1);
    QVERIFY(model.reload());
    QCOMPARE(model.rowCount(), 0);
}

void GridTableModelTest::showsTheGridsCells() {
    ui::Form form;
    ui::Grid grid(form, "msgTest", nullptr, 3);
    grid.setText(0, 1, "状況");
    grid.setFixedAlignment(1, ui::Align::Left);
    grid.setColAlignment(1, ui::Align::Center);
    grid.addRow({"1", "朝食前", "64.8"});
    grid.setCellColor(1, 2, ui::kLightGreen);
    qtgui::GridTableModel model(grid);

    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("状況"));
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignLeft | Qt::AlignVCenter));
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("朝食前"));
    QCOMPARE(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignHCenter | Qt::AlignVCenter));
    // Without an alignment of its own a number is right aligned.
    QCOMPARE(model.data(model.index(0, 2), Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(model.data(model.index(0, 2), Qt::BackgroundRole).value<QBrush>().color(),
             QColor(192, 255, 192));
    QVERIFY(!model.data(model.index(0, 1), Qt::BackgroundRole).isValid());
}

// A view may paint between a change of the grid and the reload that follows
// it (a message box shown in the middle of a handler): the rows it still
// knows read as empty instead of failing.
void GridTableModelTest::staysSafeUntilReloaded() {
    ui::Form form;
    ui::Grid grid(form, "msgTest", nullptr, 2);
    for (int i = 0; i < 5; ++i) grid.addRow({"a", "b"});
    qtgui::GridTableModel model(grid);
    grid.setRows(2);
    QCOMPARE(model.rowCount(), 5);
    QVERIFY(!model.data(model.index(4, 1), Qt::DisplayRole).isValid());
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("b"));
}

QTEST_MAIN(GridTableModelTest)
#include "grid_table_model_test.moc"
