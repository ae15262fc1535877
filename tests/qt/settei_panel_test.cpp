// The situation list editor dragged as a person would: a press on one item
// of the real list and a release on another move the item in the model and
// in the widget, and light 並び替え; a press on blank space and a release
// where the press began move nothing. Each test starts the whole program in
// a fresh data folder, with 2026/12/07 as today.
#include <QListWidget>
#include <QPushButton>
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
const std::string kList = "A\r\nB\r\nC\r\nD\r\n";

// The one-letter situations in the given order, "CABD" for C, A, B, D.
QStringList situations(const char* order) {
    QStringList list;
    for (const char* letter = order; *letter; ++letter) list << QString(QLatin1Char(*letter));
    return list;
}

}  // namespace

class SetteiPanelTest : public QObject, qttest::ProgramFixture {
    Q_OBJECT

  private slots:
    void initTestCase() { qtgui::setUpApplication(*qApp); }
    void init();
    void cleanup();

    void dragMovesTheItem_data();
    void dragMovesTheItem();
    void pressOnBlankSpaceStartsNoDrag();

  private:
    QPoint centreOf(int row) const { return list_->visualItemRect(list_->item(row)).center(); }
    QStringList widgetItems() const {
        QStringList items;
        for (int i = 0; i < list_->count(); ++i) items << list_->item(i)->text();
        return items;
    }
    QStringList modelItems() const {
        QStringList items;
        for (const auto& item :
             program_->window().panel<setup::SetteiPanel>().situations.lstKoumoku.items())
            items << QString::fromStdString(item);
        return items;
    }
    QListWidget* list_ = nullptr;
};

void SetteiPanelTest::init() {
    makeFolder();
    QVERIFY(dir().writeText(setup::kSituationFile, kList).ok());
    QVERIFY(core::APPEND_LOG(dir(), {"2026/12/07", "A", 60.0f, "", "", ""}).ok());
    startProgram(kToday);
    QTest::mouseClick(find<QWidget>("cmdSettei"), Qt::LeftButton);
    list_ = find<QListWidget>("lstKoumoku");
    QVERIFY(list_->isVisible());
    QCOMPARE(list_->dragDropMode(), QAbstractItemView::NoDragDrop);
}

void SetteiPanelTest::cleanup() {
    stopProgram();
}

void SetteiPanelTest::dragMovesTheItem_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<bool>("pending");
    const QStringList same = situations("ABCD");
    QTest::newRow("third onto first") << 2 << 0 << situations("CABD") << true;
    QTest::newRow("first onto last") << 0 << 3 << situations("BCAD") << true;
    QTest::newRow("onto itself") << 1 << 1 << same << false;
    QTest::newRow("onto the one below") << 1 << 2 << same << false;
}

void SetteiPanelTest::dragMovesTheItem() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, order);
    QFETCH(bool, pending);
    QTest::mousePress(list_->viewport(), Qt::LeftButton, {}, centreOf(from));
    QCOMPARE(list_->currentRow(), from);
    QTest::mouseMove(list_->viewport(), centreOf(to));
    QTest::mouseRelease(list_->viewport(), Qt::LeftButton, {}, centreOf(to));
    QCOMPARE(modelItems(), order);
    QCOMPARE(widgetItems(), order);
    QCOMPARE(program_->window().panel<setup::SetteiPanel>().situations.sortPending(), pending);
    QCOMPARE(dir().readText(setup::kSituationFile).value(), kList);  // saved only by 並び替え
}

void SetteiPanelTest::pressOnBlankSpaceStartsNoDrag() {
    QPoint blank(list_->viewport()->width() / 2, list_->viewport()->height() - 2);
    QVERIFY(!list_->itemAt(blank));
    QTest::mousePress(list_->viewport(), Qt::LeftButton, {}, blank);
    QTest::mouseRelease(list_->viewport(), Qt::LeftButton, {}, centreOf(0));
    QCOMPARE(modelItems(), situations("ABCD"));
    QVERIFY(!program_->window().panel<setup::SetteiPanel>().situations.sortPending());
    QVERIFY(!find<QPushButton>("cmdSort")->isEnabled());
}

QTEST_MAIN(SetteiPanelTest)
#include "settei_panel_test.moc"
