#include "qt/command_line.h"

#include <cstdlib>
#include <string_view>
#include <system_error>

namespace qtgui {

CommandLine parseCommandLine(int argc, char** argv) {
    CommandLine line;
    for (int i = 1; i < argc && line.error.empty(); ++i) {
        std::string_view arg = argv[i];
        auto value = [&](std::filesystem::path& into) {
            if (i + 1 >= argc) {
                line.error = std::string(arg) + " にはフォルダー名が必要です。";
                return;
            }
            into = argv[++i];
        };
        if (arg == "--data-dir") {
            value(line.dataDir);
        } else if (arg == "--today") {
            line.today = i + 1 < argc ? core::parseDate(argv[++i]) : std::nullopt;
            if (!line.today) line.error = "--today には yyyy/mm/dd 形式の日付が必要です。";
        } else if (arg == "--snapshot") {
            value(line.snapshotDir);
        } else if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg.starts_with("--")) {
            line.error = "不明なオプションです: " + std::string(arg);
        }
    }
    return line;
}

std::string usageText() {
    return "使い方: yaserunba [--data-dir フォルダー] [--today 日付] [--snapshot 出力フォルダー]\n"
           "  --data-dir DIR     DIR をデータフォルダーとして使います\n"
           "                     (省略時は $XDG_DATA_HOME/yaserunba)\n"
           "  --today yyyy/mm/dd その日付を今日として扱います (時刻は実際の時刻)\n"
           "  --snapshot OUTDIR  画面を出さずに起動し、各パネルの画像を OUTDIR "
           "に保存して終了します\n";
}

std::filesystem::path defaultDataDir() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg) return std::filesystem::path(xdg) / "yaserunba";
    const char* home = std::getenv("HOME");
    std::filesystem::path base = home && *home ? home : ".";
    return base / ".local" / "share" / "yaserunba";
}

std::optional<std::filesystem::path> resolveDataDir(const CommandLine& line, std::string& error) {
    std::error_code ec;
    if (!line.dataDir.empty()) {
        if (std::filesystem::is_directory(line.dataDir, ec)) return line.dataDir;
        error = "データフォルダーが見つかりません: " + line.dataDir.string();
        return std::nullopt;
    }
    std::filesystem::path dir = defaultDataDir();
    std::filesystem::create_directories(dir, ec);
    if (std::filesystem::is_directory(dir, ec)) return dir;
    error = "データフォルダーを作れませんでした: " + dir.string();
    return std::nullopt;
}

}  // namespace qtgui
