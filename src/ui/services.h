// What the program needs from outside its window: message boxes, the input
// box and the file dialogs, the clock, the printer, the clipboard, the help
// viewer, and the window's own life (splash, showing, repainting, ending).
// Each has a Qt implementation and a scripted one for the headless driver and
// the tests.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "core/dates.h"
#include "ui/print_job.h"

namespace ui {

class Chart;

enum class Icon { None, Information, Exclamation, Question };
enum class Buttons { OK, OKCancel, YesNo };
enum class Answer { OK, Cancel, Yes, No };
// A file dialog asks for a file to write, for one to read, or for a folder.
enum class FileMode { Save, Open, Folder };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual Answer message(std::string_view text, std::string_view title, Icon icon,
                           Buttons buttons = Buttons::OK) = 0;
    // The text typed, or nullopt on Cancel.
    virtual std::optional<std::string> input(std::string_view prompt, std::string_view title,
                                             std::string_view defaultText) = 0;
    // The full path of the file the user chose, in UTF-8, or nullopt on
    // Cancel. `suggestedName` is the name offered at first ("" for none);
    // `filter` names the kind of file offered, as "CSV ファイル (*.csv)".
    // Dialogs that can show no file dialog (a run with nobody at the screen)
    // cancel it.
    virtual std::optional<std::string> chooseFile(FileMode /*mode*/, std::string_view /*title*/,
                                                  std::string_view /*suggestedName*/,
                                                  std::string_view /*filter*/) {
        return std::nullopt;
    }
    std::optional<std::string> saveFile(std::string_view title, std::string_view suggestedName,
                                        std::string_view filter) {
        return chooseFile(FileMode::Save, title, suggestedName, filter);
    }
    std::optional<std::string> openFile(std::string_view title, std::string_view filter) {
        return chooseFile(FileMode::Open, title, "", filter);
    }
    // A folder, the dialog starting in `current`.
    std::optional<std::string> chooseFolder(std::string_view title, std::string_view current) {
        return chooseFile(FileMode::Folder, title, current, "");
    }
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual core::Date today() const = 0;
    virtual core::TimeOfDay timeOfDay() const = 0;
    // A clock that never runs backwards, for waits.
    virtual std::chrono::steady_clock::time_point monotonic() const = 0;
};

// Printing as a sequence of positioned texts and pictures, in twips. A
// picture is scaled down, never up, into the room its box leaves it.
class Printer {
  public:
    virtual ~Printer() = default;
    virtual void setX(int twips) = 0;
    virtual void setY(int twips) = 0;
    virtual void print(std::string_view text) = 0;
    virtual void zone() = 0;
    virtual void newLine() = 0;
    virtual void picture(const Chart& chart, const PictureBox& box) = 0;
    virtual void endDoc() = 0;
    // How the last job ended, once endDoc has run: on paper, cancelled by the
    // user in the print dialog, or failed (no printer could take it).
    enum class Outcome { Printed, Cancelled, Failed };
    virtual Outcome lastJob() const { return Outcome::Printed; }
    // The font the last job printed in when the system had none of the
    // printouts' own (ui::kPrintFamilies), the first time only; else empty.
    virtual std::string unlistedFont() const { return {}; }
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void setPicture(const Chart& chart) = 0;
};

class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    virtual void openStartPage() = 0;
    // The page of one panel (PanelInfo::helpPage).
    virtual void openPage(std::string_view name) = 0;
    virtual void closeAll() = 0;
};

// The window's own life.
class Shell {
  public:
    virtual ~Shell() = default;
    // The program holds its data folder now (its lock is taken): a window
    // lets a second start on the folder reach it from here on.
    virtual void folderHeld() {}
    virtual void showSplash() = 0;
    // Keeps the splash up until the moment has passed on the monotonic clock.
    virtual void waitUntil(std::chrono::steady_clock::time_point moment) = 0;
    virtual void showMainWindow() = 0;
    virtual void closeSplash() = 0;
    // Lets the window repaint and handle what is pending.
    virtual void repaint() = 0;
    // Closes the window and ends the program.
    virtual void quit() = 0;
    // Ends the program and starts it afresh on the same data folder, as after
    // a new start (a front end without a window just ends).
    virtual void startAgain() { quit(); }
    // Shows a folder in the system's file manager.
    virtual void openFolder(std::string_view /*path*/) {}
};

struct Services {
    Dialogs& dialogs;
    Clock& clock;
    Printer& printer;
    Clipboard& clipboard;
    HelpViewer& help;
    Shell& shell;
};

}  // namespace ui
