// The program's options as main() reads them: --today takes a real calendar
// date and nothing else, and the other options keep working beside it.
#include <QtTest>
#include <string>
#include <vector>

#include "qt/command_line.h"

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void todayNeedsARealDate();
};

namespace {

qtgui::CommandLine parse(std::vector<std::string> words) {
    words.insert(words.begin(), "yaserunba");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    return qtgui::parseCommandLine(static_cast<int>(argv.size()), argv.data());
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
        {{"--today", "2024/02/29"}, year(2024) / February / day(29), false},
        {{"--today", "2026/02/29"}, std::nullopt, true},
        {{"--today", "--snapshot"}, std::nullopt, true},
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

QTEST_APPLESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
