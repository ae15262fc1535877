#include "qt/command_line.h"

#include <QCommandLineParser>
#include <QSet>
#include <system_error>

#include "core/data_dir.h"
#include "core/platform.h"

namespace qtgui {
namespace {

const QString kDataDir = QStringLiteral("data-dir");
const QString kToday = QStringLiteral("today");
const QString kSnapshot = QStringLiteral("snapshot");

std::string utf8(const QString& text) {
    return text.toStdString();
}

std::filesystem::path fileName(const QString& text) {
    return core::platform::pathOf(utf8(text));
}

// The parser knows our options only; its help and version options are the
// usual -h/--help and -v/--version.
struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();

    Parser() {
        parser.setApplicationDescription(
            QStringLiteral("ヤセルンバ: 体重を記録して、増えた分を罰金として貯金します。"));
        parser.addOptions({
            {kDataDir,
             QStringLiteral("DIR をデータフォルダーとして使います (省略時は "
                            "$XDG_DATA_HOME/yaserunba)。"),
             QStringLiteral("DIR")},
            {kToday, QStringLiteral("その日付を今日として扱います (時刻は実際の時刻)。"),
             QStringLiteral("yyyy/mm/dd")},
            {kSnapshot,
             QStringLiteral("画面を出さずに起動し、各パネルの画像を OUTDIR に保存して終了します。"),
             QStringLiteral("OUTDIR")},
        });
    }
};

// Qt's own options, which QApplication reads, and whether each takes a value.
bool isQtOption(const QString& arg, bool& takesValue) {
    static const QSet<QString> kValued = {QStringLiteral("-platform"),
                                          QStringLiteral("-platformpluginpath"),
                                          QStringLiteral("-platformtheme"),
                                          QStringLiteral("-plugin"),
                                          QStringLiteral("-qwindowgeometry"),
                                          QStringLiteral("-qwindowicon"),
                                          QStringLiteral("-qwindowtitle"),
                                          QStringLiteral("-display"),
                                          QStringLiteral("-geometry"),
                                          QStringLiteral("-style"),
                                          QStringLiteral("-stylesheet"),
                                          QStringLiteral("-session"),
                                          QStringLiteral("-name"),
                                          QStringLiteral("-title")};
    static const QSet<QString> kFlags = {QStringLiteral("-reverse"), QStringLiteral("-widgetcount"),
                                         QStringLiteral("-nograb"), QStringLiteral("-dograb"),
                                         QStringLiteral("-sync")};
    takesValue = kValued.contains(arg);
    return takesValue || kFlags.contains(arg);
}

QStringList withoutQtOptions(const QStringList& arguments) {
    QStringList ours;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        bool takesValue = false;
        if (i > 0 && isQtOption(arguments[i], takesValue)) {
            if (takesValue) ++i;
            continue;
        }
        ours << arguments[i];
    }
    return ours;
}

void readValues(const QCommandLineParser& parser, CommandLine& line) {
    if (parser.isSet(kDataDir)) line.dataDir = fileName(parser.value(kDataDir));
    if (parser.isSet(kSnapshot)) line.snapshotDir = fileName(parser.value(kSnapshot));
    if (parser.isSet(kToday)) {
        line.today = core::parseDate(utf8(parser.value(kToday)));
        if (!line.today)
            line.error = "--today には yyyy/mm/dd 形式の実在する日付が必要です: " +
                         utf8(parser.value(kToday));
    }
    if (line.error.empty() && !parser.positionalArguments().isEmpty())
        line.error =
            "余分な引数があります: " + utf8(parser.positionalArguments().join(QLatin1Char(' ')));
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    Parser p;
    if (!p.parser.parse(withoutQtOptions(arguments))) {
        line.error = utf8(p.parser.errorText());
        return line;
    }
    line.help = p.parser.isSet(p.help) || p.parser.isSet(QStringLiteral("help-all"));
    line.version = p.parser.isSet(p.version);
    readValues(p.parser, line);
    return line;
}

CommandLine parseCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (const std::string& arg : core::platform::commandLineArguments(argc, argv))
        arguments << QString::fromStdString(arg);
    return parseCommandLine(arguments);
}

std::string usageText() {
    Parser p;
    // Without an application object the parser cannot know our name.
    QString text = p.parser.helpText();
    text.replace(QLatin1String("<executable_name>"), QLatin1String("yaserunba"));
    return utf8(text);
}

std::string versionText() {
    return std::string("yaserunba ") + YASERUNBA_VERSION + "\n";
}

std::filesystem::path defaultDataDir() {
    std::filesystem::path base = core::platform::userDataFolder();
    return (base.empty() ? std::filesystem::path(".") : base) / "yaserunba";
}

namespace {

// Empty when the folder's list of files can be read.
std::string unreadable(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::directory_iterator it(dir, ec);
    return ec ? ec.message() : std::string();
}

}  // namespace

std::optional<std::filesystem::path> resolveDataDir(const CommandLine& line, std::string& error) {
    std::error_code ec;
    std::filesystem::path dir = line.dataDir.empty() ? defaultDataDir() : line.dataDir;
    // A folder the program makes is its user's alone: weights and a diary are
    // personal.
    if (line.dataDir.empty()) (void)core::makeDataFolder(dir);
    if (!std::filesystem::is_directory(dir, ec)) {
        error = (line.dataDir.empty() ? "yaserunba: データフォルダーを作れませんでした: "
                                      : "yaserunba: データフォルダーが見つかりません: ") +
                dir.string();
        return std::nullopt;
    }
    if (std::string why = unreadable(dir); !why.empty()) {
        error = "yaserunba: データフォルダーを読めません: " + dir.string() + " (" + why + ")";
        return std::nullopt;
    }
    return dir;
}

}  // namespace qtgui
