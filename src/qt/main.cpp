// yaserunba [--data-dir DIR] [--today yyyy/mm/dd] [--snapshot OUTDIR]
#include <QApplication>
#include <iostream>

#include "qt/command_line.h"
#include "qt/program.h"

namespace {

// The name of the menu entry (packaging/CMakeLists.txt), which desktops match
// with the window.
constexpr char kDesktopFileName[] = "io.github.yaserunba.yaserunba";

}  // namespace

int main(int argc, char** argv) {
    qtgui::CommandLine line = qtgui::parseCommandLine(argc, argv);
    if (!line.error.empty()) {
        std::cerr << "yaserunba: " << line.error << " (--help で使い方を表示します)\n";
        return 2;
    }
    if (line.help) {
        std::cout << qtgui::usageText();
        return 0;
    }
    if (line.version) {
        std::cout << qtgui::versionText();
        return 0;
    }
    // Before any window: a folder we cannot work in is one line, not a window.
    std::string error;
    if (!qtgui::resolveDataDir(line, error)) {
        std::cerr << error << "\n";
        return 2;
    }
    // A run that only takes pictures needs no screen.
    if (!line.snapshotDir.empty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    return qtgui::run(app, line);
}
