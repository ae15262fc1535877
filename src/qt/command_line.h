// The program's command line:
// yaserunba [--data-dir DIR] [--today yyyy/mm/dd] [--snapshot OUTDIR],
// with --help and --version.
#pragma once

#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>

#include "core/dates.h"

namespace qtgui {

struct CommandLine {
    // The program folder; empty for the user's data location.
    std::filesystem::path dataDir;
    // Where --snapshot saves one picture per panel; empty for a normal run.
    std::filesystem::path snapshotDir;
    // The date the clock gives as today, for demonstrations and pictures;
    // none for the real date.
    std::optional<core::Date> today;
    bool help = false;
    bool version = false;
    // What was wrong with the arguments, one line, empty when nothing.
    std::string error;
};

// Reads our options. Qt's own single-dash options (-platform xcb, -style
// fusion, ...) are left to Qt.
CommandLine parseCommandLine(const QStringList& arguments);
CommandLine parseCommandLine(int argc, char** argv);

// What --help and --version print.
std::string usageText();
std::string versionText();

// $XDG_DATA_HOME/yaserunba, or ~/.local/share/yaserunba without it.
std::filesystem::path defaultDataDir();

// The folder the program works in: the one given, which must exist, or the
// user's data location, created when missing; in both cases a folder whose
// list of files can be read. nullopt, with `error` set to one line, when
// there is none.
std::optional<std::filesystem::path> resolveDataDir(const CommandLine& line, std::string& error);

}  // namespace qtgui
