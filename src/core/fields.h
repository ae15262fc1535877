// The one quoting convention of every data file: text fields in double quotes
// without escaping, numbers bare, fields separated by commas, lines ended by
// CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

inline constexpr std::string_view kLineEnd = "\r\n";

// Calls f(line, end) for every line of the text: the line without its line
// end, and the line end as found: CR LF, a bare LF, a bare CR (old editors
// end lines so), or nothing at an unended last line.
template <typename F>
void forEachRawLine(std::string_view text, F&& f) {
    while (!text.empty()) {
        size_t stop = text.find_first_of("\r\n");
        if (stop == std::string_view::npos) {
            f(text, std::string_view());
            return;
        }
        size_t endSize =
            text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n' ? 2 : 1;
        f(text.substr(0, stop), text.substr(stop, endSize));
        text.remove_prefix(stop + endSize);
    }
}

// Calls f(line) for every line of the text, without its line end. CR LF, a
// bare LF and a bare CR all end a line, and a last line without a line end
// counts.
template <typename F>
void forEachLine(std::string_view text, F&& f) {
    forEachRawLine(text, [&](std::string_view line, std::string_view) { f(line); });
}

// Splits one line into its items: commas outside double quotes separate them;
// a quoted item loses its quotes (anything after the closing quote up to the
// next comma is dropped); an unquoted item loses the blanks around it.
void splitFields(std::string_view line, std::vector<std::string_view>& out);

// Builds one line of fields in the quoting convention, ended by CR LF.
class LineWriter {
  public:
    explicit LineWriter(std::string& out) : out_(out) {}
    LineWriter& text(std::string_view value);
    LineWriter& number(std::string_view bareText);  // already in its written form
    LineWriter& number(double value);               // shortest form: 58.6, 60
    LineWriter& weight(float value);                // shortest form of the single value
    void end();

  private:
    void separate();
    std::string& out_;
    bool first_ = true;
};

}  // namespace core
