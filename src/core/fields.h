// The one quoting convention of every data file: text fields in double quotes
// without escaping, numbers bare, fields separated by commas, lines ended by
// CR LF.
#pragma once

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace core {

inline constexpr std::string_view kLineEnd = "\r\n";

// The text with A to Z as a to z and every other byte as it is: file names
// and column headers are matched without regard to the case of letters.
inline std::string foldAsciiCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

inline bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && foldAsciiCase(a) == foldAsciiCase(b);
}

// Takes the first line off the text and gives it without its line end, the
// line end as found going to `end` (CR LF, a bare LF, a bare CR, or nothing
// at an unended last line). Two memchr calls, not a search per byte.
inline std::string_view takeLine(std::string_view& text, std::string_view& end) {
    const char* begin = text.data();
    const char* lf = static_cast<const char*>(std::memchr(begin, '\n', text.size()));
    const char* stop = lf ? lf : begin + text.size();
    const char* cr =
        static_cast<const char*>(std::memchr(begin, '\r', static_cast<size_t>(stop - begin)));
    size_t endSize = cr ? (cr + 1 == lf ? 2 : 1) : (lf ? 1 : 0);
    if (cr) stop = cr;
    std::string_view line(begin, static_cast<size_t>(stop - begin));
    end = text.substr(line.size(), endSize);
    text.remove_prefix(line.size() + endSize);
    return line;
}

// Calls f(line, end) for every line of the text: the line without its line
// end, and the line end as found: CR LF, a bare LF, a bare CR (old editors
// end lines so), or nothing at an unended last line.
template <typename F>
void forEachRawLine(std::string_view text, F&& f) {
    while (!text.empty()) {
        std::string_view end;
        std::string_view line = takeLine(text, end);
        f(line, end);
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
