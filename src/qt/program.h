// The whole program put together: the Qt services, frmMain and its window.
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "app/frm_main.h"
#include "qt/help_window.h"
#include "qt/main_view.h"
#include "qt/qt_services.h"
#include "qt/qt_shell.h"

class QApplication;

namespace qtgui {

struct CommandLine;

class Program {
  public:
    // `silent`: every dialog is answered at once without being shown.
    // `today`: the date the clock gives as today, when not the real one.
    // `answers`: when given, answers every dialog instead (for tests).
    Program(const std::filesystem::path& dataDir, bool silent,
            std::optional<core::Date> today = std::nullopt, ui::Dialogs* answers = nullptr);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The start-up sequence: splash, loading, main window, welcome.
    void start();
    // Whether the program has been ended (終了, or closing the window).
    bool ended() const { return shell_.ended(); }
    // Whether it ended to start again (a new start).
    bool startsAgain() const { return shell_.startsAgain(); }

    app::frmMain& window() { return *window_; }
    MainView& view() { return *view_; }
    QtHelpViewer& help() { return help_; }

    // Saves a picture of the window with each panel shown in turn, as
    // <panel name>.png in `folder`; false when one could not be saved.
    bool saveSnapshots(const std::filesystem::path& folder);

  private:
    QtClock clock_;
    QtDialogs dialogs_;
    SilentDialogs silentDialogs_;
    QtPrinter printer_;
    QtClipboard clipboard_;
    QtHelpViewer help_;
    QtShell shell_{help_};
    std::unique_ptr<app::frmMain> window_;
    std::unique_ptr<MainView> view_;
};

// Prepares the application once: bundled pictures and help, Japanese texts of
// Qt's own dialogs, font, palette and style.
void setUpApplication(QApplication& app);

// Runs the program for a parsed command line; returns the exit code.
int run(QApplication& app, const CommandLine& line);

// Runs the window on the folder until it ends other than by a new start,
// which starts it again; returns the exit code. `answers` and `started` (the
// program once it has started, each time) are for tests.
int runWindow(QApplication& app, const std::filesystem::path& dataDir,
              std::optional<core::Date> today, ui::Dialogs* answers = nullptr,
              const std::function<void(Program&)>& started = {});

}  // namespace qtgui
