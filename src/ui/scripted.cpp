#include "ui/scripted.h"

#include <ctime>
#include <utility>

#include "core/platform.h"
#include "ui/controls.h"

namespace ui {
namespace {

const char* iconName(Icon i) {
    switch (i) {
        case Icon::Information:
            return "information";
        case Icon::Exclamation:
            return "exclamation";
        case Icon::Question:
            return "question";
        case Icon::None:
            break;
    }
    return "none";
}

const char* buttonsName(Buttons b) {
    switch (b) {
        case Buttons::OKCancel:
            return "OKCancel";
        case Buttons::YesNo:
            return "YesNo";
        case Buttons::OK:
            break;
    }
    return "OK";
}

const char* answerName(Answer a) {
    switch (a) {
        case Answer::Cancel:
            return "Cancel";
        case Answer::Yes:
            return "Yes";
        case Answer::No:
            return "No";
        case Answer::OK:
            break;
    }
    return "OK";
}

const char* modeName(FileMode mode) {
    switch (mode) {
        case FileMode::Save:
            return "save";
        case FileMode::Open:
            break;
        case FileMode::Folder:
            return "folder";
    }
    return "open";
}

}  // namespace

ScriptedDialogs::Queued ScriptedDialogs::next(std::string_view what) {
    if (answers_.empty())
        throw NoAnswerQueued("no answer queued for the dialog \"" + std::string(what) + "\"");
    Queued q = answers_.front();
    answers_.pop_front();
    return q;
}

Answer ScriptedDialogs::message(std::string_view text, std::string_view title, Icon icon,
                                Buttons buttons) {
    Answer answer = buttons == Buttons::OK ? Answer::OK : next(title).answer;
    log_.push_back(std::string("message icon=") + iconName(icon) +
                   " buttons=" + buttonsName(buttons) + " title=" + quoted(title) +
                   " text=" + quoted(text) + " answer=" + answerName(answer));
    return answer;
}

std::optional<std::string> ScriptedDialogs::input(std::string_view prompt, std::string_view title,
                                                  std::string_view defaultText) {
    Queued q = next(title);
    std::string line = "input title=" + quoted(title) + " prompt=" + quoted(prompt) +
                       " default=" + quoted(defaultText) + " answer=" + answerName(q.answer);
    if (q.answer == Answer::OK) line += " text=" + ui::quoted(q.text);
    log_.push_back(line);
    if (q.answer != Answer::OK) return std::nullopt;
    return q.text;
}

std::optional<std::string> ScriptedDialogs::chooseFile(FileMode mode, std::string_view title,
                                                       std::string_view suggestedName,
                                                       std::string_view) {
    Queued q = next(title);
    if (q.answer != Answer::OK && q.answer != Answer::Cancel)
        throw std::invalid_argument("a file dialog takes OK or Cancel");
    const bool chosen = q.answer == Answer::OK;
    if (chosen && q.text.empty())
        throw std::invalid_argument("OK to a file dialog needs the name of a file");
    log_.push_back("filedialog title=" + quoted(title) + " mode=" + modeName(mode) +
                   " default=" + quoted(suggestedName) + " answer=" + answerName(q.answer) +
                   " path=" + ui::quoted(chosen ? q.text : ""));
    if (!chosen) return std::nullopt;
    namespace platform = core::platform;
    return platform::utf8Of(platform::pathOf(fileFolder_) / platform::pathOf(q.text));
}

std::vector<std::string> ScriptedDialogs::takeLog() {
    return std::exchange(log_, {});
}

namespace {
std::tm localNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}
}  // namespace

core::Date FixedClock::today() const {
    if (fixed_) return date_;
    std::tm t = localNow();
    return core::Date{std::chrono::year(t.tm_year + 1900),
                      std::chrono::month(static_cast<unsigned>(t.tm_mon + 1)),
                      std::chrono::day(static_cast<unsigned>(t.tm_mday))};
}

core::TimeOfDay FixedClock::timeOfDay() const {
    if (fixed_) return time_;
    std::tm t = localNow();
    return {t.tm_hour, t.tm_min, t.tm_sec};
}

std::chrono::steady_clock::time_point FixedClock::monotonic() const {
    return std::chrono::steady_clock::now();
}

void RecordingPrinter::op(std::string line) {
    if (!inJob_) ops_.push_back("job");
    inJob_ = true;
    ops_.push_back(std::move(line));
}

void RecordingPrinter::print(std::string_view text) {
    op("print " + quoted(text));
}

void RecordingPrinter::picture(const Chart& chart, const PictureBox&) {
    op("picture " + chart.name());
}

std::vector<std::string> RecordingPrinter::takeLog() {
    return std::exchange(ops_, {});
}

void RecordingClipboard::setPicture(const Chart& chart) {
    picture_ = chart.name();
}

}  // namespace ui
