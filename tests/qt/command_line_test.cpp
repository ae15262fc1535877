// The program's options as main() reads them: --today takes a real calendar
// date and nothing else, an unknown option or a stray word is one error line,
// Qt's own options pass through, and the data folder must be one whose files
// can be listed.
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <string>
#include <vector>

#include "qt/command_line.h"

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void todayNeedsARealDate();
    void optionsAndErrors();
    void helpNamesEveryOption();
    void dataFolderMustBeReadable();
};

namespace {

qtgui::CommandLine parse(std::vector<std::string> words) {
    QStringList arguments{QStringLiteral("yaserunba")};
    for (const std::string& word : words) arguments << QString::fromStdString(word);
    return qtgui::parseCommandLine(arguments);
}

}  // namespace

void CommandLineTest::todayNeedsARealDate() {
    using namespace std::chrono;
    struct Case {
        std::vector<std::string> args;
        std::optional<core::Date> today;
        bool error;
    };
    const Case cases[] = {
        {{}, std::nullopt, false},
        {{"--today", "2026/12/07"}, year(2026) / December / day(7), false},
        {{"--today=2024/02/29"}, year(2024) / February / day(29), false},
        {{"--today", "2026/02/29"}, std::nullopt, true},
        {{"--today", "yesterday"}, std::nullopt, true},
        {{"--today"}, std::nullopt, true},
    };
    for (const Case& c : cases) {
        qtgui::CommandLine line = parse(c.args);
        QCOMPARE(line.today, c.today);
        QCOMPARE(!line.error.empty(), c.error);
    }
    qtgui::CommandLine line =
        parse({"--data-dir", "/tmp/x", "--today", "2026/12/07", "--snapshot", "out"});
    QVERIFY(line.error.empty());
    QCOMPARE(line.dataDir.string(), std::string("/tmp/x"));
    QCOMPARE(line.snapshotDir.string(), std::string("out"));
}

void CommandLineTest::optionsAndErrors() {
    struct Case {
        std::vector<std::string> args;
        bool help, version, error;
        std::string dataDir;
    };
    const Case cases[] = {
        {{"--help"}, true, false, false, ""},
        {{"-h"}, true, false, false, ""},
        {{"--help-all"}, true, false, false, ""},
        {{"--version"}, false, true, false, ""},
        {{"--frobnicate"}, false, false, true, ""},
        {{"--data-dir"}, false, false, true, ""},
        {{"stray"}, false, false, true, ""},
        // Qt's own options, with their values, are QApplication's.
        {{"-platform", "offscreen", "--data-dir", "d"}, false, false, false, "d"},
        {{"-style", "fusion", "-reverse", "--data-dir=日本語"}, false, false, false, "日本語"},
    };
    for (const Case& c : cases) {
        qtgui::CommandLine line = parse(c.args);
        QCOMPARE(line.help, c.help);
        QCOMPARE(line.version, c.version);
        QCOMPARE(!line.error.empty(), c.error);
        QCOMPARE(line.dataDir.string(), c.dataDir);
        QVERIFY(line.error.find('\n') == std::string::npos);
    }
}

void CommandLineTest::helpNamesEveryOption() {
    std::string usage = qtgui::usageText();
    for (const char* option : {"--data-dir", "--today", "--snapshot", "--help", "--version"})
        QVERIFY2(usage.find(option) != std::string::npos, option);
    QVERIFY(usage.find("yaserunba [options]") != std::string::npos);
    QVERIFY(qtgui::versionText().starts_with("yaserunba "));
}

void CommandLineTest::dataFolderMustBeReadable() {
    QTemporaryDir temp;
    std::filesystem::path root = temp.path().toStdString();
    std::ofstream(root / "a-file") << "x";
    std::filesystem::create_directory(root / "folder");
    struct Case {
        std::filesystem::path dataDir;
        bool found;
    };
    const Case cases[] = {
        {root / "folder", true},
        {root / "missing", false},  // a mistyped folder is not made anew
        {root / "a-file", false},
    };
    for (const Case& c : cases) {
        qtgui::CommandLine line;
        line.dataDir = c.dataDir;
        std::string error;
        QCOMPARE(qtgui::resolveDataDir(line, error).has_value(), c.found);
        QCOMPARE(error.empty(), c.found);
        QVERIFY(error.find('\n') == std::string::npos);
    }
    // The default folder is made when missing, and refused when it cannot be.
    qtgui::CommandLine line;
    std::string error;
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((root / "xdg").string()));
    QCOMPARE(qtgui::resolveDataDir(line, error), std::optional(root / "xdg" / "yaserunba"));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((root / "a-file").string()));
    QVERIFY(!qtgui::resolveDataDir(line, error));
    QVERIFY(error.find("a-file") != std::string::npos);
}

QTEST_APPLESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
