#include "core/fields.h"

#include "core/numbers.h"

namespace core {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}
}  // namespace

void splitFields(std::string_view line, std::vector<std::string_view>& out) {
    out.clear();
    size_t pos = 0;
    while (true) {
        while (pos < line.size() && isBlank(line[pos])) ++pos;
        size_t comma;
        if (pos < line.size() && line[pos] == '"') {
            size_t close = line.find('"', pos + 1);
            if (close == std::string_view::npos) close = line.size();
            out.push_back(line.substr(pos + 1, close - pos - 1));
            comma = line.find(',', close);
        } else {
            comma = line.find(',', pos);
            out.push_back(trimBlanks(line.substr(pos, comma - pos)));
        }
        if (comma == std::string_view::npos) return;
        pos = comma + 1;
    }
}

void LineWriter::separate() {
    if (!first_) out_ += ',';
    first_ = false;
}

LineWriter& LineWriter::text(std::string_view value) {
    separate();
    out_ += '"';
    out_ += value;
    out_ += '"';
    return *this;
}

LineWriter& LineWriter::number(std::string_view bareText) {
    separate();
    out_ += bareText;
    return *this;
}

LineWriter& LineWriter::number(double value) {
    return number(shortestText(value));
}

LineWriter& LineWriter::weight(float value) {
    return number(shortestText(value));
}

void LineWriter::end() {
    out_ += kLineEnd;
}

}  // namespace core
