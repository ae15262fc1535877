// The one quoting convention of every data file: text fields in double quotes
// without escaping, numbers bare, fields separated by commas, lines ended by
// CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

inline constexpr std::string_view kLineEnd = "\r\n";

// Calls f(line) for every line of the text, without its line end. A bare LF
// ends a line as well as CR LF, and a last line without a line end counts.
template <typename F>
void forEachLine(std::string_view text, F&& f) {
    while (!text.empty()) {
        size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        f(line);
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
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
