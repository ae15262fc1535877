// The services as the headless driver and the tests use them: answers given
// in advance, a clock that is set, and recorders of what the program did.
#pragma once

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/services.h"

namespace ui {

// Thrown when a dialog asks a question that no queued answer answers.
class NoAnswerQueued : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ScriptedDialogs : public Dialogs {
  public:
    void queue(Answer answer, std::string text = {}) {
        answers_.push_back({answer, std::move(text)});
    }
    Answer message(std::string_view text, std::string_view title, Icon icon,
                   Buttons buttons) override;
    std::optional<std::string> input(std::string_view prompt, std::string_view title,
                                     std::string_view defaultText) override;
    // A file dialog takes OK with the name of the file chosen, or Cancel.
    std::optional<std::string> chooseFile(FileMode mode, std::string_view title,
                                          std::string_view suggestedName,
                                          std::string_view filter) override;
    // The folder (UTF-8) that a relative name answering a file dialog is in:
    // the data folder, for the driver. An absolute name stands as it is.
    void setFileFolder(std::string folder) { fileFolder_ = std::move(folder); }
    // The dialogs shown since the last call, one line each, then forgets them.
    std::vector<std::string> takeLog();

  private:
    struct Queued {
        Answer answer;
        std::string text;
    };
    Queued next(std::string_view what);
    std::deque<Queued> answers_;
    std::vector<std::string> log_;
    std::string fileFolder_;
};

// The system clock until a moment is set.
class FixedClock : public Clock {
  public:
    void set(core::Date date, core::TimeOfDay time) {
        date_ = date;
        time_ = time;
        fixed_ = true;
    }
    core::Date today() const override;
    core::TimeOfDay timeOfDay() const override;
    std::chrono::steady_clock::time_point monotonic() const override;

  private:
    bool fixed_ = false;
    core::Date date_{};
    core::TimeOfDay time_{};
};

class RecordingPrinter : public Printer {
  public:
    void setX(int twips) override { op("x " + std::to_string(twips)); }
    void setY(int twips) override { op("y " + std::to_string(twips)); }
    void print(std::string_view text) override;
    void zone() override { op("zone"); }
    void newLine() override { op("newline"); }
    // The box is not recorded: a dump shows what a report prints, not how a
    // printer fits it on its paper.
    void picture(const Chart& chart, const PictureBox& box) override;
    void endDoc() override {
        op("enddoc");
        inJob_ = false;
    }
    // The jobs since the last call, one operation a line, then forgets them.
    std::vector<std::string> takeLog();

  private:
    void op(std::string line);
    std::vector<std::string> ops_;
    bool inJob_ = false;
};

class RecordingClipboard : public Clipboard {
  public:
    void setPicture(const Chart& chart) override;
    const std::string& pictureName() const { return picture_; }

  private:
    std::string picture_;
};

class RecordingHelp : public HelpViewer {
  public:
    void openStartPage() override { openPage("index"); }
    void openPage(std::string_view name) override {
        opened_ = 1;
        page_ = name;
    }
    void closeAll() override { opened_ = 0; }
    int openWindows() const { return opened_; }
    // The page shown last.
    const std::string& page() const { return page_; }

  private:
    int opened_ = 0;
    std::string page_;
};

// Records the window's life; never waits.
class ScriptShell : public Shell {
  public:
    void showSplash() override { events_.push_back("splash"); }
    void waitUntil(std::chrono::steady_clock::time_point) override { events_.push_back("wait"); }
    void showMainWindow() override { events_.push_back("show"); }
    void closeSplash() override { events_.push_back("close splash"); }
    void repaint() override { events_.push_back("repaint"); }
    void quit() override {
        events_.push_back("quit");
        ended_ = true;
    }
    void openFolder(std::string_view path) override {
        events_.push_back("open folder " + std::string(path));
    }
    bool ended() const { return ended_; }
    const std::vector<std::string>& events() const { return events_; }
    // A new run of the program on the same services.
    void restart() {
        events_.clear();
        ended_ = false;
    }

  private:
    std::vector<std::string> events_;
    bool ended_ = false;
};

// Every service as the headless driver, the tests, the benchmarks and the
// fuzzers use them. A test may put dialogs or a printer of its own in the
// place of the scripted ones.
struct ScriptedServices {
    ScriptedDialogs dialogs;
    FixedClock clock;
    RecordingPrinter printer;
    RecordingClipboard clipboard;
    RecordingHelp help;
    ScriptShell shell;

    Services services(Dialogs* dialogsInstead = nullptr, Printer* printerInstead = nullptr) {
        return {dialogsInstead ? *dialogsInstead : dialogs,
                clock,
                printerInstead ? *printerInstead : printer,
                clipboard,
                help,
                shell};
    }
};

}  // namespace ui
