// The file dialog as the window shows it, and the CSV buttons of 編集 clicked
// in the real window: the dialog is set up for writing or for reading a CSV
// file, starts where the last file was chosen, and the buttons carry the
// chosen file to the panel, which writes and reads it.
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "core/weight_log.h"
#include "program_fixture.h"
#include "qt/program.h"
#include "qt/qt_services.h"
#include "ui/scripted.h"

namespace {

constexpr core::Date kToday{std::chrono::year(2026), std::chrono::December, std::chrono::day(7)};

// What a file dialog was when it would have been shown.
struct Shown {
    QString title;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QString defaultSuffix;
    QStringList nameFilters;
    QString directory;
    QStringList selected;
};

Shown shownOf(const QFileDialog& dialog) {
    return {dialog.windowTitle(),   dialog.acceptMode(),  dialog.fileMode(),
            dialog.defaultSuffix(), dialog.nameFilters(), dialog.directory().absolutePath(),
            dialog.selectedFiles()};
}

}  // namespace

class CsvDialogTest : public QObject, qttest::ProgramFixture {
    Q_OBJECT

  private slots:
    void initTestCase() { qtgui::setUpApplication(*qApp); }
    void theDialogIsSetUpForItsMode();
    void theNextDialogStartsWhereTheLastFileWasChosen();
    void theButtonsWriteAndReadTheChosenFile();
};

void CsvDialogTest::theDialogIsSetUpForItsMode() {
    qtgui::QtDialogs dialogs;
    Shown shown;
    dialogs.setFileDialogRunner([&](QFileDialog& dialog) -> std::optional<QString> {
        shown = shownOf(dialog);
        return std::nullopt;
    });

    QVERIFY(!dialogs.saveFile("CSVに書き出す", "ヤセルンバ.csv", "CSV ファイル (*.csv)"));
    QCOMPARE(shown.title, QStringLiteral("CSVに書き出す"));
    QCOMPARE(shown.acceptMode, QFileDialog::AcceptSave);
    QCOMPARE(shown.defaultSuffix, QStringLiteral("csv"));
    QCOMPARE(shown.nameFilters.value(0), QStringLiteral("CSV ファイル (*.csv)"));
    QVERIFY(shown.selected.value(0).endsWith(QStringLiteral("/ヤセルンバ.csv")));

    QVERIFY(!dialogs.openFile("CSVから取り込む", "CSV ファイル (*.csv)"));
    QCOMPARE(shown.title, QStringLiteral("CSVから取り込む"));
    QCOMPARE(shown.acceptMode, QFileDialog::AcceptOpen);
    QCOMPARE(shown.fileMode, QFileDialog::ExistingFile);
}

void CsvDialogTest::theNextDialogStartsWhereTheLastFileWasChosen() {
    QTemporaryDir folder;
    const QString chosen = folder.path() + QStringLiteral("/記録.csv");
    qtgui::QtDialogs dialogs;
    Shown shown;
    dialogs.setFileDialogRunner([&](QFileDialog& dialog) -> std::optional<QString> {
        shown = shownOf(dialog);
        return chosen;
    });
    QCOMPARE(dialogs.saveFile("CSVに書き出す", "ヤセルンバ.csv", "CSV ファイル (*.csv)"),
             std::optional<std::string>(chosen.toStdString()));
    QVERIFY(dialogs.openFile("CSVから取り込む", "CSV ファイル (*.csv)"));
    QCOMPARE(shown.directory, QDir(folder.path()).absolutePath());
}

void CsvDialogTest::theButtonsWriteAndReadTheChosenFile() {
    makeFolder();
    QVERIFY(core::APPEND_LOG(dir(), {"2026/12/07", "起床後", 60.5f, "", "", ""}).ok());
    ui::ScriptedDialogs answers;
    answers.setFileFolder(folder_->path().toStdString());
    program_ =
        std::make_unique<qtgui::Program>(folder_->path().toStdString(), false, kToday, &answers);
    program_->start();
    click(find<QWidget>("cmdSettei"));

    answers.queue(ui::Answer::OK, "out.csv");
    click(find<QPushButton>("cmdCsvOut"));
    auto written = dir().readFile("out.csv");
    QVERIFY(written.bytes);
    QCOMPARE(*written.bytes, std::string("\xEF\xBB\xBF日付,状況,体重,一言日記\r\n"
                                         "2026-12-07,起床後,60.5,\r\n"));

    QVERIFY(dir().writeText("in.csv", "date,weight\r\n2026-12-06,61.2\r\n").ok());
    answers.queue(ui::Answer::OK, "in.csv");
    answers.queue(ui::Answer::OK);
    click(find<QPushButton>("cmdCsvIn"));
    const auto log = core::readLogRecords(dir());
    QCOMPARE(log.records.size(), size_t{2});
    QCOMPARE(log.records[0].Date, std::string("2026/12/06"));
    QCOMPARE(log.records[0].Situation, std::string("取り込み"));

    const std::vector<std::string> shown = answers.takeLog();
    QCOMPARE(shown.size(), size_t{5});
    QVERIFY(shown[0].starts_with("filedialog title=\"CSVに書き出す\" mode=save"));
    QVERIFY(shown[2].starts_with("filedialog title=\"CSVから取り込む\" mode=open"));
    stopProgram();
}

QTEST_MAIN(CsvDialogTest)
#include "csv_dialog_test.moc"
