// yaserunba [--data-dir DIR] [--today yyyy/mm/dd] [--snapshot OUTDIR]
#include <QApplication>
#include <iostream>

#include "qt/command_line.h"
#include "qt/program.h"

int main(int argc, char** argv) {
    qtgui::CommandLine line = qtgui::parseCommandLine(argc, argv);
    if (!line.error.empty()) {
        std::cerr << line.error << "\n" << qtgui::usageText();
        return 2;
    }
    if (line.help) {
        std::cout << qtgui::usageText();
        return 0;
    }
    // A run that only takes pictures needs no screen.
    if (!line.snapshotDir.empty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return qtgui::run(app, line);
}
