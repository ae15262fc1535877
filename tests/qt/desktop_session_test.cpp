// What a desktop program is expected to do at its start and its end: a
// second start on a folder that a running program of this computer holds
// brings that window to the front and ends without a word; a first that does
// not answer, or a lock of another computer, still gets the message that the
// folder is in use; a logout, a `kill` or Ctrl+C ends the program as 終了
// does, its lock gone and its records whole.
#include <signal.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "core/codepage.h"
#include "qt/program.h"
#include "qt/second_start.h"
#include "ui/scripted.h"

namespace {

const QString kProgram = QStringLiteral(YASERUNBA_PROGRAM);
const QString kDriver = QStringLiteral(YASERUNBA_DRIVER);
const QByteArray kLog = "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n";

void put(const QTemporaryDir& dir, const char* name, const QByteArray& utf8) {
    QFile file(dir.filePath(QString::fromUtf8(name)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(*core::encodeCp932(utf8.toStdString())));
}

// A folder with one weighing, and the help tour on or off.
void layOut(const QTemporaryDir& dir, bool helpTour) {
    put(dir, "データ.txt", kLog);
    if (!helpTour) put(dir, "設定.TXT", "\"ヘルプツアー\",0\r\n");
}

QByteArray logBytes(const QTemporaryDir& dir) {
    QFile file(dir.filePath(QStringLiteral("データ.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool locked(const QTemporaryDir& dir) {
    return QFile::exists(dir.filePath(QStringLiteral("yaserunba.lock")));
}

void startProgram(QProcess& process, const QTemporaryDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(kProgram, {QStringLiteral("--data-dir"), dir.path()});
}

// The start of a second window, in this process, answering its dialogs from
// `dialogs`: the exit code and how long it took.
std::pair<int, qint64> secondStart(const QTemporaryDir& dir, ui::ScriptedDialogs& dialogs) {
    QElapsedTimer took;
    took.start();
    int code = qtgui::runWindow(*qApp, dir.path().toStdString(), std::nullopt, &dialogs);
    return {code, took.elapsed()};
}

bool saidInUse(ui::ScriptedDialogs& dialogs) {
    for (const std::string& line : dialogs.takeLog())
        if (line.find("別のヤセルンバで使用中") != std::string::npos) return true;
    return false;
}

}  // namespace

class DesktopSessionTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qtgui::setUpApplication(*qApp); }

    // The first program runs here, minimised; the second is its own process.
    void secondStartShowsTheFirstWindow() {
        QTemporaryDir dir;
        layOut(dir, false);
        ui::ScriptedDialogs answers;
        qtgui::Program first(dir.path().toStdString(), false, std::nullopt, &answers);
        first.start();
        first.view().showMinimized();
        QVERIFY(first.view().windowState() & Qt::WindowMinimized);

        QProcess second;
        startProgram(second, dir);
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 10000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(!(first.view().windowState() & Qt::WindowMinimized));
        QVERIFY(first.view().isVisible());
        QVERIFY(answers.takeLog().empty());
        QVERIFY(!first.ended());
        QVERIFY(locked(dir));
    }

    // A first that takes the request and never answers: after two seconds
    // the second says the folder is in use, as it always did.
    void aSilentFirstGetsTheMessageAfterTwoSeconds() {
        QTemporaryDir dir;
        layOut(dir, false);
        QProcess driver;  // holds the folder, with no window to show
        driver.start(kDriver, {QStringLiteral("--data-dir"), dir.path()});
        driver.write("start\n");
        QTRY_VERIFY_WITH_TIMEOUT(locked(dir), 10000);
        QLocalServer silent;
        QVERIFY(silent.listen(qtgui::windowServerName(dir.path().toStdString())));

        ui::ScriptedDialogs dialogs;
        auto [code, took] = secondStart(dir, dialogs);
        QCOMPARE(code, 0);
        QVERIFY2(took >= 2000, qPrintable(QString::number(took)));
        QVERIFY(saidInUse(dialogs));
        QCOMPARE(logBytes(dir), QByteArray::fromStdString(*core::encodeCp932(kLog.toStdString())));
        driver.closeWriteChannel();
        QVERIFY(driver.waitForFinished(10000));
    }

    // Nothing of another computer can answer: the message comes at once.
    void aLockOfAnotherComputerGetsTheMessageAtOnce() {
        QTemporaryDir dir;
        layOut(dir, false);
        put(dir, "yaserunba.lock", "4242\r\nyaserunba\r\nanother-pc\r\n");
        ui::ScriptedDialogs dialogs;
        auto [code, took] = secondStart(dir, dialogs);
        QCOMPARE(code, 0);
        QVERIFY2(took < 1000, qPrintable(QString::number(took)));
        QVERIFY(saidInUse(dialogs));
    }

    void askedToEndTheProgramEndsAndLeavesNoLock_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("helpTour");
        QTest::addRow("SIGTERM with the welcome waiting") << SIGTERM << true;
        QTest::addRow("SIGTERM") << SIGTERM << false;
        QTest::addRow("SIGINT") << SIGINT << false;
        QTest::addRow("SIGHUP") << SIGHUP << false;
    }

    // A logout, a `kill` or Ctrl+C: the program ends as 終了 ends it, even
    // with a dialog waiting, and lets go of the folder.
    void askedToEndTheProgramEndsAndLeavesNoLock() {
        QFETCH(int, signal);
        QFETCH(bool, helpTour);
        QTemporaryDir dir;
        layOut(dir, helpTour);
        const QByteArray before = logBytes(dir);
        QProcess program;
        startProgram(program, dir);
        QTRY_VERIFY_WITH_TIMEOUT(locked(dir), 10000);
        ::kill(static_cast<pid_t>(program.processId()), signal);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(!locked(dir));
        QCOMPARE(logBytes(dir), before);
    }
};

QTEST_MAIN(DesktopSessionTest)
#include "desktop_session_test.moc"
