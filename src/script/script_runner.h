// The headless driver: runs the window's logic against a data folder, driven
// by a script of user actions, and prints the controls that the script asks
// for.
#pragma once

#include <filesystem>
#include <istream>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "ui/scripted.h"

namespace script {

struct Word {
    std::string text;
    bool quoted = false;
};

// Splits a script line into words; a quoted word may hold spaces and the
// escapes \" \\ \r \n \t. Throws std::runtime_error on an unclosed quote.
std::vector<Word> splitWords(const std::string& line);

class ScriptRunner {
  public:
    ScriptRunner(std::filesystem::path dataDir, std::ostream& out);
    ~ScriptRunner();

    // Runs the script; returns 0 when every command ran, 1 when one could not
    // (with one line on `err` naming the script line and the reason). A
    // request to end from outside (core::platform::watchEndRequests) ends the
    // program before the next command, as 終了 does, and returns 128 + the
    // signal's number.
    int run(std::istream& script, std::ostream& err);

  private:
    struct Command {
        size_t words;
        void (ScriptRunner::*run)(const std::vector<Word>&);
    };
    static const std::map<std::string, Command, std::less<>>& commands();
    void execute(const std::vector<Word>& words);
    void now(const std::vector<Word>& words);
    void outside(const std::vector<Word>& words);
    void answer(const std::vector<Word>& words);
    void startCommand(const std::vector<Word>& words);
    void dump(const std::vector<Word>& words);
    void click(const std::vector<Word>& words);
    void dblclick(const std::vector<Word>& words);
    void type(const std::vector<Word>& words);
    void key(const std::vector<Word>& words);
    void choose(const std::vector<Word>& words);
    void date(const std::vector<Word>& words);
    void scroll(const std::vector<Word>& words);
    void drag(const std::vector<Word>& words);
    void alt(const std::vector<Word>& words);

    void start();
    void dumpFile(const std::string& name);
    ui::Control& reachable(const std::string& name);
    ui::Control& control(const std::string& name);
    void requireRunning();
    // A click on a button, check box, option button or chart.
    void clickOn(ui::Control& c);

    std::filesystem::path dataDir_;
    std::ostream& out_;
    ui::ScriptedServices scripted_;
    std::unique_ptr<app::frmMain> window_;
};

}  // namespace script
