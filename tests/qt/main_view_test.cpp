// The main window clicked as a person would: its widgets mirror the control
// models, and the clicks reach the program's handlers, its message boxes and
// its files. Each test starts the whole program in a fresh data folder.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "analysis/rentai_panel.h"
#include "app/help_texts.h"
#include "core/memo.h"
#include "core/settings.h"
#include "qt/binder.h"
#include "qt/program.h"
#include "setup/settei_panel.h"

namespace {

struct Shown {
    QString title;
    QString text;
};

// Closes every message box as soon as it is shown, with its default button,
// and keeps what it said.
class MessageCatcher {
  public:
    MessageCatcher() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { closeModal(); });
        timer_.start();
    }
    std::vector<Shown> take() { return std::exchange(shown_, {}); }

  private:
    void closeModal() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->property("caught").toBool()) return;
        box->setProperty("caught", true);
        shown_.push_back({box->windowTitle(), box->text()});
        QTimer::singleShot(0, box, [box] { box->defaultButton()->click(); });
    }

    QTimer timer_;
    std::vector<Shown> shown_;
};

// The memo as its file holds it, "" when there is none.
QString memoFileOf(const core::DataDir& dir) {
    return QString::fromStdString(core::readMemo(dir).text);
}

}  // namespace

class MainViewTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qtgui::setUpApplication(*qApp); }
    void init();
    void cleanup();

    void sideButtonShowsItsPanelOnly();
    void helpTourExplainsTheOpenedPanel();
    void chkHelpSwitchesTheTourAndWritesTheSettings();
    void typingGoesThroughTheModel();
    void closingTheWindowEndsTheProgram();
    void f1OpensTheShownPanelsPage();
    void ctrlAndANumberOpensAPanel();
    void everyPanelFitsASmallLaptopScreen();
    void undoButtonsMirrorTheJournalAndCarryItsKeys();

  private:
    void start();
    QWidget* find(const char* name) const;
    void click(const char* name);
    core::DataDir dir() const { return core::DataDir(folder_->path().toStdString()); }

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<MessageCatcher> catcher_;
    std::unique_ptr<qtgui::Program> program_;
};

void MainViewTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    catcher_ = std::make_unique<MessageCatcher>();
    // A diet under way: on an empty folder the program would open the new start.
    QVERIFY(dir().writeText("データ.txt", "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n").ok());
}

void MainViewTest::cleanup() {
    program_.reset();
    catcher_.reset();
    folder_.reset();
}

void MainViewTest::start() {
    program_ = std::make_unique<qtgui::Program>(folder_->path().toStdString(), false);
    program_->start();
    QVERIFY(program_->view().isVisible());
}

QWidget* MainViewTest::find(const char* name) const {
    auto* widget = program_->view().findChild<QWidget*>(QString::fromLatin1(name));
    if (!widget) qFatal("no widget %s", name);
    return widget;
}

void MainViewTest::click(const char* name) {
    QWidget* widget = find(name);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void MainViewTest::sideButtonShowsItsPanelOnly() {
    QVERIFY(core::writeHelpTour(dir(), 0).ok());
    start();
    app::frmMain& w = program_->window();
    // Every side button in the order of the column, the first (its panel is on
    // view from the start) last.
    const auto& entries = w.panels();
    for (size_t i = 1; i <= entries.size(); ++i) {
        const app::frmMain::PanelEntry& chosen = entries[i % entries.size()];
        const std::string button = chosen.button->name();
        const ui::Frame* opened = &chosen.panel->frame;
        click(button.c_str());
        QVERIFY2(opened->visible(), button.c_str());
        for (const auto& entry : w.panels()) {
            const ui::Frame* panel = &entry.panel->frame;
            QWidget* widget = find(panel->name().c_str());
            QCOMPARE(widget->isVisible(), panel == opened);
            QCOMPARE(widget->isVisible(), panel->visible());
        }
        QVERIFY(find(button.c_str())->property("current").toBool());
    }
    QVERIFY(catcher_->take().empty());
}

void MainViewTest::helpTourExplainsTheOpenedPanel() {
    start();  // no 設定.TXT: the tour is on
    auto welcome = catcher_->take();
    QCOMPARE(welcome.size(), size_t(1));
    QCOMPARE(welcome[0].text, qtgui::displayText(app::kWelcomeText));

    click("cmdRentai");
    auto shown = catcher_->take();
    QCOMPARE(shown.size(), size_t(1));
    QCOMPARE(shown[0].title, QStringLiteral("ヘルプツアー"));
    QCOMPARE(shown[0].text, qtgui::displayText(analysis::RenTaiPanel::kInfo.helpText));
    QVERIFY(find("fraRenTai")->isVisible());

    click("cmdRentai");  // already shown: no second explanation
    QVERIFY(catcher_->take().empty());
}

void MainViewTest::chkHelpSwitchesTheTourAndWritesTheSettings() {
    start();
    catcher_->take();
    auto* box = qobject_cast<QCheckBox*>(find("chkHelp"));
    QVERIFY(box && box->isChecked());
    QVERIFY(!dir().exists(core::kSetteiFile));

    click("chkHelp");
    QCOMPARE(program_->window().chkHelp.value(), 0);
    QVERIFY(!box->isChecked());
    auto shown = catcher_->take();
    QCOMPARE(shown.size(), size_t(1));
    QCOMPARE(shown[0].text, QStringLiteral("ヘルプツアー機能をオフにします。"));
    QCOMPARE(core::readHelpTour(dir()), int16_t(0));

    click("chkHelp");
    QVERIFY(box->isChecked());
    QCOMPARE(catcher_->take().at(0).title, QStringLiteral("ヘルプツアーＯＮ"));
    QCOMPARE(core::readHelpTour(dir()), int16_t(1));
}

void MainViewTest::typingGoesThroughTheModel() {
    QVERIFY(core::writeHelpTour(dir(), 0).ok());
    start();
    click("cmdSettei");
    auto* edit = qobject_cast<QLineEdit*>(find("txtKizami"));
    QVERIFY(edit && edit->isVisible());
    QTest::mouseClick(edit, Qt::LeftButton);
    QCOMPARE(program_->window().form.focus(),
             &program_->window().panel<setup::SetteiPanel>().txtKizami);

    QTest::keyClicks(edit, QStringLiteral("0.3"));
    QCOMPARE(program_->window().panel<setup::SetteiPanel>().txtKizami.text(), std::string("0.3"));
    QCOMPARE(edit->text(), QStringLiteral("0.3"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(program_->window().panel<setup::SetteiPanel>().txtKizami.text(), std::string("0."));
    QTest::keyClicks(edit, QStringLiteral("4"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(core::readScaleStep(dir()), std::string("0.4"));
}

void MainViewTest::closingTheWindowEndsTheProgram() {
    QVERIFY(core::writeHelpTour(dir(), 0).ok());
    start();
    click("cmdHelp");
    QVERIFY(program_->help().window() && program_->help().window()->isVisible());
    program_->view().close();
    QTRY_VERIFY(program_->ended());
    QVERIFY(!program_->view().isVisible());
    QTRY_VERIFY(!program_->help().window());
}

// Ctrl with 1 to 9, then 0, presses the side buttons in their order, and
// each button's tool tip names its key.
void MainViewTest::ctrlAndANumberOpensAPanel() {
    QVERIFY(core::writeHelpTour(dir(), 0).ok());
    start();
    program_->view().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&program_->view()));
    int number = 0;
    for (const auto& entry : program_->window().panels()) {
        const int digit = ++number % 10;
        QTest::keyClick(&program_->view(), Qt::Key(Qt::Key_0 + digit), Qt::ControlModifier);
        QTRY_VERIFY2(entry.panel->frame.visible(), entry.button->name().c_str());
        QVERIFY(find(entry.button->name().c_str())
                    ->toolTip()
                    .endsWith(QStringLiteral("（Ctrl+%1）").arg(digit)));
    }
    QCOMPARE(number, 10);
    QVERIFY(catcher_->take().empty());
}

// F1 on any panel opens the help at that panel's page; ヘルプ at the start.
void MainViewTest::f1OpensTheShownPanelsPage() {
    QVERIFY(core::writeHelpTour(dir(), 0).ok());
    start();
    auto page = [this] { return program_->help().window()->browser()->source().fileName(); };
    for (const auto& entry : program_->window().panels()) {
        click(entry.button->name().c_str());
        program_->help().closeAll();
        QTRY_VERIFY(!program_->help().window());
        program_->view().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&program_->view()));
        QTest::keyClick(&program_->view(), Qt::Key_F1);
        QVERIFY(program_->help().window());
        QCOMPARE(page(), QString::fromUtf8(entry.panel->info().helpPage) + QStringLiteral(".html"));
    }
    click("cmdHelp");
    QCOMPARE(page(), QStringLiteral("index.html"));
}

// 1366 x 768, less the window frame and a desktop panel: every panel must
// be usable at that size, so the window may not ask for more.
void MainViewTest::everyPanelFitsASmallLaptopScreen() {
    QVERIFY(core::writeHelpTour(dir(), 0).ok());
    start();
    const QSize room(1366 - 16, 768 - 40);
    for (const auto& entry : program_->window().panels()) {
        click(entry.button->name().c_str());
        QWidget* panel = program_->view().widgetFor(entry.panel->frame);
        // The side column and the panel area's margins beside it, and the
        // area's margins above and below.
        QSize needed = panel->minimumSizeHint() + QSize(116 + 24, 22);
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(QString::fromStdString(entry.panel->frame.name()) +
                            QStringLiteral(" needs ") + QString::number(needed.width()) +
                            QStringLiteral(" x ") + QString::number(needed.height())));
    }
    QVERIFY(program_->view().minimumWidth() <= room.width());
    QVERIFY(program_->view().minimumHeight() <= room.height());
    QVERIFY(program_->view().height() <= room.height());
}

// 元に戻す and やり直す mirror the journal (enabled, tooltip with its key)
// and carry its keys: Ctrl+Z, and Ctrl+Y with Ctrl+Shift+Z beside it, window
// wide, so that a text box with the focus takes them for its own typing
// first; a click undoes the newest change and does it again.
void MainViewTest::undoButtonsMirrorTheJournalAndCarryItsKeys() {
    QVERIFY(core::writeHelpTour(dir(), 0).ok());
    start();
    catcher_->take();
    auto* undo = qobject_cast<QToolButton*>(find("cmdUndo"));
    auto* redo = qobject_cast<QToolButton*>(find("cmdRedo"));
    QVERIFY(undo && redo && !undo->isEnabled() && !redo->isEnabled());
    QCOMPARE(undo->toolTip(), QStringLiteral("元に戻せる変更はありません（Ctrl+Z）"));
    QCOMPARE(undo->shortcut(), QKeySequence(QKeySequence::Undo));
    QCOMPARE(redo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    bool redoAgain = false;
    for (auto* shortcut : program_->view().findChildren<QShortcut*>())
        redoAgain =
            redoAgain || (shortcut->key() == QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) &&
                          shortcut->context() == Qt::WindowShortcut);
    QVERIFY(redoAgain);

    click("cmdMemo");
    auto* memo = qobject_cast<QPlainTextEdit*>(find("txtKizuki"));
    QVERIFY(memo);
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    QTest::keyClicks(memo, QStringLiteral("memo"));
    click("cmdKizukiHozon");
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->toolTip(), QStringLiteral("元に戻す：気付きメモの保存（Ctrl+Z）"));

    click("cmdUndo");
    QCOMPARE(catcher_->take().at(0).title, QStringLiteral("元に戻す"));
    QCOMPARE(memoFileOf(dir()), QString());
    QCOMPARE(memo->toPlainText(), QString());
    QVERIFY(!undo->isEnabled() && redo->isEnabled());
    QCOMPARE(redo->toolTip(), QStringLiteral("やり直す：気付きメモの保存（Ctrl+Y）"));
    click("cmdRedo");
    QCOMPARE(catcher_->take().at(0).title, QStringLiteral("やり直す"));
    QCOMPARE(memoFileOf(dir()), QStringLiteral("memo"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("memo"));
}

QTEST_MAIN(MainViewTest)
#include "main_view_test.moc"
