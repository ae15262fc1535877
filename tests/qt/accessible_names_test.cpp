// Every control of the window has a name that a screen reader can say. The
// whole program is started on the demo diet and each panel opened in turn,
// with the views inside it (the conversion editor, the new-start group);
// every widget on screen that takes the keyboard focus or a click must have
// a name: its own, its caption, or the text of a label that names it.
#include <QAbstractButton>
#include <QAccessible>
#include <QDir>
#include <QSet>
#include <QtTest>

#include "program_fixture.h"
#include "qt/program.h"

namespace {

constexpr core::Date kToday{std::chrono::year(2026), std::chrono::December, std::chrono::day(7)};

bool takesFocusOrClick(const QWidget* widget) {
    // A widget that hands its focus on (a combo box's line edit to the
    // combo box, a calendar to its table of days) is named by the other.
    bool focus = widget->focusPolicy() != Qt::NoFocus && !widget->focusProxy();
    return focus || qobject_cast<const QAbstractButton*>(widget);
}

// The name a screen reader says for the widget: a button's caption (without
// the & of its letter) unless it was given a name, any other widget's given
// name (setAccessibleName). Qt makes up no other name that counts: it names
// a combo box after its text on Linux, a control in a group box after the
// group.
QString spokenName(QWidget* widget) {
    if (!qobject_cast<QAbstractButton*>(widget)) return widget->accessibleName().trimmed();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
}

// Where the widget stands, for the message: its class and the names of the
// widgets it is in.
QString placeOf(const QWidget* widget) {
    QStringList names;
    for (const QObject* w = widget; w; w = w->parent())
        if (!w->objectName().isEmpty()) names.prepend(w->objectName());
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(widget->metaObject()->className()),
                                       names.join(QLatin1Char('/')));
}

}  // namespace

class AccessibleNamesTest : public QObject, qttest::ProgramFixture {
    Q_OBJECT

  private slots:
    void initTestCase() { qtgui::setUpApplication(*qApp); }
    void init();
    void cleanup() { stopProgram(); }

    void everyControlHasAName();
    void namesComeFromWhatTheUserSees_data();
    void namesComeFromWhatTheUserSees();

  private:
    void openPanel(const QString& frame);
    // Adds the controls on screen without a name to `unnamed` as VIEW/NAME,
    // each once.
    void collectUnnamed(const QString& view, QSet<QString>& unnamed);
    QSet<const QWidget*> seen_;
};

void AccessibleNamesTest::init() {
    makeFolder();
    const QDir demo(QStringLiteral(YASERUNBA_DEMO_DIR));
    for (const QString& name : demo.entryList(QDir::Files)) {
        QFile::remove(QDir(folder_->path()).filePath(name));
        QVERIFY(QFile::copy(demo.filePath(name), QDir(folder_->path()).filePath(name)));
    }
    QVERIFY(core::writeHelpTour(dir(), 0).ok());
    startProgram(kToday);
    program_->view().show();
    QVERIFY(QTest::qWaitForWindowExposed(&program_->view()));
    seen_.clear();
}

void AccessibleNamesTest::openPanel(const QString& frame) {
    for (const auto& entry : program_->window().panels())
        if (QString::fromStdString(entry.panel->frame.name()) == frame)
            click(find<QWidget>(entry.button->name().c_str()));
    program_->view().syncAll();
}

void AccessibleNamesTest::collectUnnamed(const QString& view, QSet<QString>& unnamed) {
    program_->view().syncAll();
    for (QWidget* widget : program_->view().findChildren<QWidget*>()) {
        if (!widget->isVisible() || !takesFocusOrClick(widget) || seen_.contains(widget)) continue;
        seen_.insert(widget);
        if (!spokenName(widget).isEmpty()) continue;
        unnamed.insert(view + QLatin1Char('/') + widget->objectName());
        qInfo("no name in %s: %s", qPrintable(view), qPrintable(placeOf(widget)));
    }
}

void AccessibleNamesTest::everyControlHasAName() {
    QSet<QString> unnamed;
    for (const auto& entry : program_->window().panels()) {
        QString panel = QString::fromStdString(entry.panel->frame.name());
        openPanel(panel);
        QVERIFY2(entry.panel->frame.visible(), qPrintable(panel));
        collectUnnamed(panel, unnamed);
        for (const host::Panel::SubView& sub : entry.panel->subViews()) {
            sub.open();
            collectUnnamed(QString::fromStdString(sub.name), unnamed);
            sub.close();
        }
    }
    // The settings panel's new-start group, opened by its button.
    openPanel(QStringLiteral("fraSettei"));
    click(find<QWidget>("cmdNew1"));
    collectUnnamed(QStringLiteral("fraNew"), unnamed);
    click(find<QWidget>("cmdYame"));

    QVERIFY2(seen_.size() > 100, qPrintable(QString::number(seen_.size())));
    QStringList names = unnamed.values();
    names.sort();
    QVERIFY2(names.isEmpty(),
             qPrintable(QStringLiteral("no name: ") + names.join(QLatin1Char(' '))));
}

// Each source of a name, on a control of the program that has it.
void AccessibleNamesTest::namesComeFromWhatTheUserSees_data() {
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("picture button: its tool tip")
        << "fraMain"
        << "cmdTaiHozon" << QStringLiteral("体重を保存します");
    QTest::newRow("button: its caption without the & of its letter")
        << "fraMemo"
        << "cmdMemoHozon" << QStringLiteral("一言日記保存(S)");
    QTest::newRow("side button: its caption") << "fraMain"
                                              << "cmdCyokin" << QStringLiteral("貯金推移");
    QTest::newRow("list box: the label made its buddy") << "fraMain"
                                                        << "lstAct" << QStringLiteral("状況選択");
    QTest::newRow("combo box: the label made its buddy") << "fraRenTai"
                                                         << "cboIdou" << QStringLiteral("移動平均");
    QTest::newRow("chart: its panel and its series")
        << "fraMain"
        << "mcrSub" << QStringLiteral("メインのグラフ：本日の累計、各回の罰金");
    QTest::newRow("chart: the view's words")
        << "fraCyokin"
        << "mcrSub2"
        << QStringLiteral("貯金推移のグラフ：累計（左の目盛り）と日ごとの金額（右の目盛り）");
    QTest::newRow("calendar: its arrow") << "fraMain"
                                         << "qt_calendar_prevmonth" << QStringLiteral("前の月");
}

void AccessibleNamesTest::namesComeFromWhatTheUserSees() {
    QFETCH(QString, panel);
    QFETCH(QString, control);
    QFETCH(QString, name);
    openPanel(panel);
    QWidget* widget = find<QWidget>(control.toUtf8().constData());
    QVERIFY(widget->isVisible());
    QCOMPARE(spokenName(widget), name);
}

QTEST_MAIN(AccessibleNamesTest)
#include "accessible_names_test.moc"
