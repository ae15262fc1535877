#include "core/numbers.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
        } else if (c == '#' && !afterPoint) {
            // a digit shown only when the number has it
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
// zero, worked out on the value's 15 significant digits (as printf's "%.14e"
// gives them; to_chars gives the same digits without printf's cost). Returns
// the digits and how many of them stand before the decimal point.
std::string roundedDigits(double magnitude, int decimals, int& intDigits) {
    char buf[40];
    char* end =
        std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14).ptr;
    int exponent = 0;
    std::from_chars(buf + (buf[17] == '+' ? 18 : 17), end, exponent);
    intDigits = exponent + 1;
    int keep = intDigits + decimals;
    if (keep < 0) {
        intDigits = 0;
        return std::string(static_cast<size_t>(decimals), '0');
    }
    char sig[15];
    sig[0] = buf[0];
    std::memcpy(sig + 1, buf + 2, 14);
    std::string digits;
    digits.reserve(static_cast<size_t>(keep) + 2 + static_cast<size_t>(std::max(0, -intDigits)));
    if (intDigits < 0) digits.append(static_cast<size_t>(-intDigits), '0');
    size_t lead = digits.size();
    if (keep < 15) {
        digits.append(sig, static_cast<size_t>(keep));
        bool up = sig[keep] >= '5';
        for (size_t i = digits.size(); up && i > lead; --i) {
            char& d = digits[i - 1];
            up = d == '9';
            d = up ? '0' : static_cast<char>(d + 1);
        }
        if (up && lead > 0) {
            digits[lead - 1] = '1';  // the carry takes the place of a leading zero
            ++intDigits;
        } else if (up) {
            digits.insert(digits.begin(), '1');
            ++intDigits;
        }
    } else {
        digits.append(sig, 15);
        digits.append(static_cast<size_t>(keep) - 15, '0');
    }
    intDigits = std::max(intDigits, 0);
    return digits;
}

// The same digits for most values at a fraction of the cost: under a million
// and with up to three decimals, the 15 significant digits lie within 5e-7
// of the value scaled to its decimals; so when the scaled value is farther
// than 1e-6 from a half, both round to the same whole number, whose digits
// these are. False for a value too close to a half, too large, or with more
// decimals, which roundedDigits then works out.
bool quickRoundedDigits(double magnitude, int decimals, std::string& digits, int& intDigits) {
    static constexpr double kScale[] = {1, 10, 100, 1000};
    if (decimals < 0 || decimals > 3 || !(magnitude < 1e6)) return false;
    const double scaled = magnitude * kScale[decimals];
    const double below = std::floor(scaled);
    if (std::fabs(scaled - below - 0.5) <= 1e-6) return false;
    const auto whole = static_cast<uint64_t>(below) + (scaled - below > 0.5 ? 1 : 0);
    char buf[24];
    const auto size = static_cast<int>(std::to_chars(buf, buf + sizeof buf, whole).ptr - buf);
    digits.assign(static_cast<size_t>(std::max(0, decimals - size)), '0');
    digits.append(buf, static_cast<size_t>(size));
    intDigits = static_cast<int>(digits.size()) - decimals;
    return true;
}

void appendGrouped(std::string& out, std::string_view intPart) {
    for (size_t i = 0; i < intPart.size(); ++i) {
        if (i > 0 && (intPart.size() - i) % 3 == 0) out += ',';
        out += intPart[i];
    }
}

}  // namespace

std::string Format(double value, std::string_view pattern) {
    NumberPattern p = parsePattern(pattern);
    if (p.percent) value *= 100;
    if (std::isnan(value)) return "NaN" + std::string(p.suffix);
    if (std::isinf(value)) return (value < 0 ? "-∞" : "∞") + std::string(p.suffix);
    int intDigits = 0;
    std::string digits;
    if (!quickRoundedDigits(std::fabs(value), p.decimals, digits, intDigits))
        digits = roundedDigits(std::fabs(value), p.decimals, intDigits);
    std::string_view all = digits;
    std::string_view intPart = all.substr(0, static_cast<size_t>(intDigits));
    intPart.remove_prefix(std::min(intPart.find_first_not_of('0'), intPart.size()));
    std::string out;
    out.reserve(digits.size() + p.suffix.size() + 8);
    if (value < 0) out += '-';
    size_t pad =
        static_cast<size_t>(std::max(0, p.minIntDigits - static_cast<int>(intPart.size())));
    if (p.thousands) {
        std::string padded(pad, '0');
        padded += intPart;
        appendGrouped(out, padded);
    } else {
        out.append(pad, '0');
        out += intPart;
    }
    if (p.decimals > 0) {
        out += '.';
        out += all.substr(static_cast<size_t>(intDigits));
    }
    out += p.suffix;
    return out;
}

std::string formatSigned(double value, std::string_view pattern) {
    std::string out = Format(value, pattern);
    if (out.front() == '-' && out.find_first_of("123456789") == std::string::npos)
        out.erase(0, 1);  // a value that rounds to zero is no loss
    if (out.front() != '-') out.insert(0, "+");
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

bool readFloatByFromChars(std::string_view text, float& value) {
    const char* end = text.data() + text.size();
    auto [stop, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && stop == end;
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

double weightAxisTop(float highest) {
    const double top = std::floor(static_cast<double>(highest) + 0.9);
    return top < highest ? top + 1 : top;
}

}  // namespace core
