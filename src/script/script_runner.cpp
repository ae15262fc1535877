#include "script/script_runner.h"

#include <charconv>
#include <cstdio>
#include <limits>
#include <map>
#include <stdexcept>

#include "core/codepage.h"
#include "core/csv.h"
#include "core/data_dir.h"
#include "core/dates.h"
#include "core/platform.h"

namespace script {
namespace {

class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

int toInt(const std::string& text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        throw ScriptError("not a number: " + text);
    return value;
}

core::Date toDate(const std::string& text) {
    auto date = core::parseDate(text);
    if (!date) throw ScriptError("not a date: " + text);
    return *date;
}

core::TimeOfDay toTime(const std::string& text) {
    int h = 0, m = 0, s = 0;
    char c1 = 0, c2 = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c%d", &h, &c1, &m, &c2, &s) != 5 || c1 != ':' ||
        c2 != ':')
        throw ScriptError("not a time: " + text);
    return {h, m, s};
}

ui::Answer toAnswer(const std::string& text) {
    if (text == "OK") return ui::Answer::OK;
    if (text == "Cancel") return ui::Answer::Cancel;
    if (text == "Yes") return ui::Answer::Yes;
    if (text == "No") return ui::Answer::No;
    throw ScriptError("unknown answer: " + text);
}

// An item of a list: an index from 0, or a quoted text.
int itemIndex(const std::vector<std::string>& items, const Word& word) {
    if (!word.quoted) {
        int i = toInt(word.text);
        if (i < 0 || i >= static_cast<int>(items.size())) throw ScriptError("no item " + word.text);
        return i;
    }
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == word.text) return static_cast<int>(i);
    throw ScriptError("no item \"" + word.text + "\"");
}

void need(const std::vector<Word>& words, size_t count) {
    if (words.size() != count)
        throw ScriptError("'" + words[0].text + "' takes " + std::to_string(count - 1) +
                          " argument(s)");
}

template <typename T>
T& as(ui::Control& c, const char* what) {
    auto* t = dynamic_cast<T*>(&c);
    if (!t) throw ScriptError(c.name() + " is not a " + what);
    return *t;
}

}  // namespace

std::vector<Word> splitWords(const std::string& line) {
    std::vector<Word> words;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        Word w;
        if (line[i] == '"') {
            w.quoted = true;
            ++i;
            while (i < line.size() && line[i] != '"') {
                char c = line[i++];
                if (c == '\\' && i < line.size()) {
                    char e = line[i++];
                    c = e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e;
                }
                w.text += c;
            }
            if (i >= line.size()) throw std::runtime_error("unclosed quote");
            ++i;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') w.text += line[i++];
        }
        words.push_back(std::move(w));
    }
    return words;
}

ScriptRunner::ScriptRunner(std::filesystem::path dataDir, std::ostream& out)
    : dataDir_(std::move(dataDir)), out_(out) {
    // A file dialog answered with a relative name chooses it in the data folder.
    scripted_.dialogs.setFileFolder(core::platform::utf8Of(dataDir_));
}

ScriptRunner::~ScriptRunner() = default;

int ScriptRunner::run(std::istream& script, std::ostream& err) {
    std::string line;
    for (int number = 1; std::getline(script, line); ++number) {
        if (int signal = core::platform::takeEndRequest()) {
            // Asked to end from outside: the command before has run to its
            // end, and the program ends as 終了 ends it.
            if (window_ && !scripted_.shell.ended()) window_->cmdOwari_Click();
            window_.reset();
            out_.flush();
            err << "line " << number << ": ended by signal " << signal << "\n";
            return 128 + signal;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        try {
            execute(splitWords(line));
        } catch (const std::exception& e) {
            out_.flush();
            err << "line " << number << ": " << e.what() << "\n";
            return 1;
        }
    }
    return 0;
}

// Each command of the script language and the number of its words (0: it
// checks them itself).
const std::map<std::string, ScriptRunner::Command, std::less<>>& ScriptRunner::commands() {
    static const std::map<std::string, Command, std::less<>> kTable{
        {"now", {3, &ScriptRunner::now}},
        {"answer", {0, &ScriptRunner::answer}},
        {"start", {1, &ScriptRunner::startCommand}},
        {"dump", {0, &ScriptRunner::dump}},
        {"click", {0, &ScriptRunner::click}},
        {"dblclick", {4, &ScriptRunner::dblclick}},
        {"type", {3, &ScriptRunner::type}},
        {"key", {3, &ScriptRunner::key}},
        {"choose", {3, &ScriptRunner::choose}},
        {"date", {3, &ScriptRunner::date}},
        {"scroll", {3, &ScriptRunner::scroll}},
        {"drag", {4, &ScriptRunner::drag}},
        {"alt", {2, &ScriptRunner::alt}},
        {"outside", {4, &ScriptRunner::outside}},
    };
    return kTable;
}

void ScriptRunner::execute(const std::vector<Word>& words) {
    auto it = commands().find(words[0].text);
    if (it == commands().end()) throw ScriptError("unknown command: " + words[0].text);
    if (it->second.words != 0) need(words, it->second.words);
    (this->*it->second.run)(words);
}

void ScriptRunner::now(const std::vector<Word>& words) {
    scripted_.clock.set(toDate(words[1].text), toTime(words[2].text));
}

// Another program appends a line to a data file behind the program's back.
void ScriptRunner::outside(const std::vector<Word>& words) {
    if (words[1].text != "append") throw ScriptError("unknown outside action: " + words[1].text);
    core::Status status = core::DataDir(dataDir_).appendText(words[2].text, words[3].text + "\r\n");
    if (!status) throw ScriptError("cannot append to " + words[2].text + ": " + status.reason());
}

void ScriptRunner::answer(const std::vector<Word>& words) {
    if (words.size() != 2 && words.size() != 3)
        throw ScriptError("'answer' takes 1 or 2 arguments");
    scripted_.dialogs.queue(toAnswer(words[1].text), words.size() == 3 ? words[2].text : "");
}

void ScriptRunner::startCommand(const std::vector<Word>&) {
    start();
}

void ScriptRunner::dblclick(const std::vector<Word>& words) {
    auto& grid = as<ui::Grid>(reachable(words[1].text), "grid");
    int row = toInt(words[2].text), col = toInt(words[3].text);
    grid.act([&] { grid.doubleClickCell(row, col); });
}

void ScriptRunner::type(const std::vector<Word>& words) {
    ui::Control& c = reachable(words[1].text);
    const std::string& typed = words[2].text;
    if (auto* text = dynamic_cast<ui::TextBox*>(&c)) {
        text->act([&] {
            text->setText(typed);
            text->select(std::numeric_limits<int>::max(), 0);  // caret at the end
        });
    } else {
        auto& combo = as<ui::ComboBox>(c, "text box or combo box");
        combo.act([&] { combo.setText(typed); });
    }
}

void ScriptRunner::choose(const std::vector<Word>& words) {
    auto& combo = as<ui::ComboBox>(reachable(words[1].text), "combo box");
    int item = itemIndex(combo.items(), words[2]);
    combo.act([&] { combo.choose(item); });
}

void ScriptRunner::date(const std::vector<Word>& words) {
    auto& calendar = as<ui::MonthCalendar>(reachable(words[1].text), "month calendar");
    core::Date date = toDate(words[2].text);
    calendar.act([&] { calendar.clickDate(date); });
}

void ScriptRunner::scroll(const std::vector<Word>& words) {
    auto& slider = as<ui::Slider>(reachable(words[1].text), "slider");
    int value = toInt(words[2].text);
    slider.act([&] { slider.setValue(value); });
}

void ScriptRunner::drag(const std::vector<Word>& words) {
    auto& list = as<ui::ListBox>(reachable(words[1].text), "list box");
    list.act([&] {
        list.press(itemIndex(list.items(), words[2]));
        list.release(itemIndex(list.items(), words[3]));
    });
}

// Alt and a letter: the button on screen that has it as its key.
void ScriptRunner::alt(const std::vector<Word>& words) {
    const std::string& letter = words[1].text;
    if (letter.size() != 1) throw ScriptError("not a letter: " + letter);
    requireRunning();
    ui::Button* pressed = nullptr;
    for (ui::Control* c : window_->form.controls()) {
        auto* button = dynamic_cast<ui::Button*>(c);
        if (!button || button->accessKey() != letter[0] || !button->shown() || !button->enabled())
            continue;
        if (pressed) throw ScriptError("two buttons answer Alt+" + letter);
        pressed = button;
    }
    if (!pressed) throw ScriptError("no button answers Alt+" + letter);
    pressed->act([&] { pressed->click(); });
}

void ScriptRunner::start() {
    window_.reset();
    scripted_.shell.restart();
    window_ = std::make_unique<app::frmMain>(core::DataDir(dataDir_), scripted_.services());
    window_->Form_Load();
}

void ScriptRunner::requireRunning() {
    if (!window_) throw ScriptError("the program has not been started");
    if (scripted_.shell.ended()) throw ScriptError("the program has ended");
}

ui::Control& ScriptRunner::control(const std::string& name) {
    requireRunning();
    ui::Control* c = window_->form.find(name);
    if (!c) throw ScriptError("unknown control: " + name);
    return *c;
}

ui::Control& ScriptRunner::reachable(const std::string& name) {
    ui::Control& c = control(name);
    if (!c.shown()) throw ScriptError(name + " is not visible");
    if (!c.enabled()) throw ScriptError(name + " is not enabled");
    return c;
}

void ScriptRunner::click(const std::vector<Word>& words) {
    if (words.size() < 2) throw ScriptError("'click' needs a control");
    ui::Control& c = reachable(words[1].text);
    if (auto* list = dynamic_cast<ui::ListBox*>(&c)) {
        need(words, 3);
        int item = itemIndex(list->items(), words[2]);
        list->act([&] {
            list->press(item);
            list->release(item);
        });
    } else if (auto* grid = dynamic_cast<ui::Grid*>(&c)) {
        need(words, 4);
        int row = toInt(words[2].text), col = toInt(words[3].text);
        grid->act([&] { grid->clickCell(row, col); });
    } else {
        need(words, 2);
        c.act([&] { clickOn(c); });
    }
}

void ScriptRunner::clickOn(ui::Control& c) {
    if (auto* button = dynamic_cast<ui::Button*>(&c)) {
        button->click();
    } else if (auto* check = dynamic_cast<ui::CheckBox*>(&c)) {
        check->toggle();
    } else if (auto* option = dynamic_cast<ui::OptionButton*>(&c)) {
        option->click();
    } else if (auto* chart = dynamic_cast<ui::Chart*>(&c); chart && chart->Click) {
        chart->click();
    } else {
        throw ScriptError(c.name() + " cannot be clicked");
    }
}

// A key in a text box or combo box (Enter or a character), or an arrow key
// (Up, Down) in a list box.
void ScriptRunner::key(const std::vector<Word>& words) {
    ui::Control& c = reachable(words[1].text);
    const std::string& key = words[2].text;
    if (auto* list = dynamic_cast<ui::ListBox*>(&c)) {
        if (key != "Up" && key != "Down") throw ScriptError("a list box takes Up or Down");
        list->act([&] { list->step(key == "Up" ? -1 : 1); });
        return;
    }
    ui::KeyPress press;
    press.enter = key == "Enter";
    if (!press.enter) press.ch = key;
    if (auto* text = dynamic_cast<ui::TextBox*>(&c))
        text->act([&] { text->keyPress(press); });
    else if (auto* combo = dynamic_cast<ui::ComboBox*>(&c))
        combo->act([&] { combo->keyPress(press); });
    else
        throw ScriptError(c.name() + " takes no keys");
}

void ScriptRunner::dump(const std::vector<Word>& words) {
    if (words.size() == 3 && words[1].text == "file") return dumpFile(words[2].text);
    if (words.size() == 3 && words[1].text == "tip") {
        requireRunning();
        out_ << "tip " << words[2].text << " text=" << ui::quoted(control(words[2].text).toolTip())
             << "\n";
        return;
    }
    need(words, 2);
    const std::string& what = words[1].text;
    if (what == "messages") {
        for (const auto& line : scripted_.dialogs.takeLog()) out_ << line << "\n";
    } else if (what == "file") {
        throw ScriptError("'dump file' needs a file name");
    } else if (what == "printer") {
        requireRunning();
        for (const auto& line : scripted_.printer.takeLog()) out_ << line << "\n";
    } else if (what == "clipboard") {
        requireRunning();
        if (scripted_.clipboard.pictureName().empty())
            out_ << "clipboard empty\n";
        else
            out_ << "clipboard picture=" << scripted_.clipboard.pictureName() << "\n";
    } else if (what == "title") {
        requireRunning();
        out_ << "title " << ui::quoted(window_->form.title()) << "\n";
    } else if (what == "panel") {
        requireRunning();
        const char* shown = "none";
        for (const auto& entry : window_->panels())
            if (entry.panel->frame.visible()) shown = entry.panel->frame.name().c_str();
        out_ << "panel " << shown << "\n";
    } else if (what == "focus") {
        requireRunning();
        ui::Control* f = window_->form.focus();
        out_ << "focus " << (f ? f->name() : "none") << "\n";
    } else {
        control(what).dump(out_);
    }
}

// A data file decoded from Shift-JIS; a file that starts with the UTF-8
// byte-order mark and is UTF-8 throughout (an export) is shown as UTF-8,
// without the mark. The header line is the same for both.
void ScriptRunner::dumpFile(const std::string& name) {
    auto bytes = core::DataDir(dataDir_).readBytes(name);
    if (!bytes) {
        out_ << "file " << name << " missing\n";
        return;
    }
    std::string_view raw = *bytes;
    const bool utf8 =
        raw.starts_with(core::kUtf8Bom) && core::isValidUtf8(raw.substr(core::kUtf8Bom.size()));
    std::string text =
        utf8 ? std::string(raw.substr(core::kUtf8Bom.size())) : core::decodeCp932(raw);
    std::vector<std::string> lines;
    bool crlf = true;
    std::string_view rest = text;
    while (!rest.empty()) {
        size_t nl = rest.find('\n');
        std::string_view line = rest.substr(0, nl);
        bool endsWithCrLf = nl != std::string_view::npos && !line.empty() && line.back() == '\r';
        crlf = crlf && endsWithCrLf;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (nl == std::string_view::npos) break;
        rest.remove_prefix(nl + 1);
    }
    out_ << "file " << name << " lines=" << lines.size() << " crlf=" << (crlf ? 1 : 0) << "\n";
    for (const auto& line : lines) out_ << line << "\n";
}

}  // namespace script
