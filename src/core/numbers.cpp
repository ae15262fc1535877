#include "core/numbers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace core {
namespace {

struct NumberPattern {
    int minIntDigits = 0;
    int decimals = 0;
    bool thousands = false;
    bool percent = false;
    std::string_view suffix;
};

NumberPattern parsePattern(std::string_view pattern) {
    NumberPattern p;
    size_t i = 0;
    bool afterPoint = false;
    for (; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c == '0') {
            (afterPoint ? p.decimals : p.minIntDigits)++;
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (c == ',' && !afterPoint) {
            p.thousands = true;
        } else {
            break;
        }
    }
    p.suffix = pattern.substr(i);
    p.percent = p.suffix.find('%') != std::string_view::npos;
    return p;
}

// The decimal digits of |value| rounded to `decimals` places, halves away from
// zero, worked out on the value's 15 significant digits. Returns the digits
// and how many of them stand before the decimal point.
std::string roundedDigits(double magnitude, int decimals, int& intDigits) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", magnitude);
    std::string digits;
    digits += buf[0];
    digits.append(buf + 2, 14);
    int exponent = std::atoi(buf + 17);
    intDigits = exponent + 1;
    int keep = intDigits + decimals;
    if (keep < 0) {
        intDigits = 0;
        return std::string(static_cast<size_t>(decimals), '0');
    }
    if (keep < static_cast<int>(digits.size())) {
        bool up = digits[static_cast<size_t>(keep)] >= '5';
        digits.resize(static_cast<size_t>(keep));
        for (int i = keep - 1; up && i >= 0; --i) {
            char& d = digits[static_cast<size_t>(i)];
            up = d == '9';
            d = up ? '0' : static_cast<char>(d + 1);
        }
        if (up) {
            digits.insert(digits.begin(), '1');
            ++intDigits;
        }
    } else {
        digits.append(static_cast<size_t>(keep) - digits.size(), '0');
    }
    if (intDigits < 0) {
        digits.insert(0, static_cast<size_t>(-intDigits), '0');
        intDigits = 0;
    }
    return digits;
}

std::string groupThousands(const std::string& intPart) {
    std::string out;
    for (size_t i = 0; i < intPart.size(); ++i) {
        if (i > 0 && (intPart.size() - i) % 3 == 0) out += ',';
        out += intPart[i];
    }
    return out;
}

}  // namespace

std::string Format(double value, std::string_view pattern) {
    NumberPattern p = parsePattern(pattern);
    if (p.percent) value *= 100;
    if (std::isnan(value)) return "NaN" + std::string(p.suffix);
    if (std::isinf(value)) return (value < 0 ? "-∞" : "∞") + std::string(p.suffix);
    int intDigits = 0;
    std::string digits = roundedDigits(std::fabs(value), p.decimals, intDigits);
    std::string intPart = digits.substr(0, static_cast<size_t>(intDigits));
    size_t firstNonZero = intPart.find_first_not_of('0');
    intPart.erase(0, std::min(firstNonZero, intPart.size()));
    if (static_cast<int>(intPart.size()) < p.minIntDigits)
        intPart.insert(0, static_cast<size_t>(p.minIntDigits) - intPart.size(), '0');
    std::string out = value < 0 ? "-" : "";
    out += p.thousands ? groupThousands(intPart) : intPart;
    if (p.decimals > 0) {
        out += '.';
        out += digits.substr(static_cast<size_t>(intDigits));
    }
    out += p.suffix;
    return out;
}

double Val(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    double sign = 1;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        if (text.front() == '-') sign = -1;
        text.remove_prefix(1);
    }
    if (text.empty() ||
        !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
        return 0;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc()) return 0;
    return sign * value;
}

bool IsNumeric(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    if (text.empty() ||
        !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
        return false;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

std::string shortestText(float value) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

std::string shortestText(double value) {
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

std::string text15(double value) {
    if (value == 0) return "0";
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string s(buf);
    if (s.find('e') == std::string::npos) return s;
    std::snprintf(buf, sizeof buf, "%.15f", value);
    s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

int64_t roundEven(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    double rounded = std::nearbyint(value);
    if (rounded >= kLimit) return std::numeric_limits<int64_t>::max();
    if (rounded < -kLimit) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(rounded);
}

std::optional<int64_t> wholePartIn(double value, int64_t low, int64_t high) {
    double whole = std::trunc(value);  // NaN fails both comparisons
    if (!(whole >= static_cast<double>(low) && whole < static_cast<double>(high) + 1.0))
        return std::nullopt;
    return static_cast<int64_t>(whole);
}

std::optional<float> toFloat(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (!(value >= -kMax && value <= kMax)) return std::nullopt;
    return static_cast<float>(value);
}

double roundTenthHalfUp(double value) {
    return std::floor(value * 10 + 0.5) / 10;
}

}  // namespace core
