// Format's digits come from to_chars; printf's digits, rounded by hand as the
// program rounds, are the reference over many values and every pattern.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "core/numbers.h"

namespace core {
namespace {

// What each pattern asks for, written out by hand rather than read from the
// pattern by the code under test: the least number of integer digits, the
// decimals, grouping by thousands, a percentage, and the text after the
// number.
struct NumberPattern {
    std::string_view text;
    int minIntDigits = 0;
    int decimals = 0;
    bool thousands = false;
    bool percent = false;
    std::string_view suffix;
};

constexpr NumberPattern kPatterns[] = {
    {"0", 1, 0, false, false, ""},       {"0.0", 1, 1, false, false, ""},
    {"00.0", 2, 1, false, false, ""},    {"0.000", 1, 3, false, false, ""},
    {"0.0Kg", 1, 1, false, false, "Kg"}, {"0Kg", 1, 0, false, false, "Kg"},
    {"0g", 1, 0, false, false, "g"},     {"0,0円", 2, 0, true, false, "円"},
    {"0円", 1, 0, false, false, "円"},   {"0～", 1, 0, false, false, "～"},
    {"0.0～", 1, 1, false, false, "～"}, {"0.0%", 1, 1, false, true, "%"},
    {"0%", 1, 0, false, true, "%"},      {"0.00", 1, 2, false, false, ""},
    {"#", 0, 0, false, false, ""},       {"#,0kcal", 1, 0, true, false, "kcal"},
    {"0,0.0", 2, 1, true, false, ""},    {"", 0, 0, false, false, ""},
    {"000", 3, 0, false, false, ""},     {"0.0000000000000000000", 1, 19, false, false, ""},
};

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

std::string referenceFormat(double value, const NumberPattern& p) {
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

void expectSame(double v) {
    for (const NumberPattern& pattern : kPatterns)
        ASSERT_EQ(Format(v, pattern.text), referenceFormat(v, pattern)) << v << " " << pattern.text;
}

TEST(FormatReference, EdgesOfRoundingAndMagnitude) {
    const double values[] = {0,       -0.0,   0.05,  -0.05,   0.04,     -0.04,         0.0005,
                             0.00049, 0.0996, 0.995, 9.95,    99.95,    999.5,         0.45,
                             1.25,    1.35,   2.675, -2.675,  74.45,    1e-300,        5e-324,
                             1e15,    1e16,   1e22,  1.7e308, -1.7e308, 123456789.125, 999999.5,
                             1e-5,    0.5,    -0.5,  NAN,     INFINITY, -INFINITY};
    for (double v : values) expectSame(v);
}

TEST(FormatReference, EveryTenthOfAWeightAsASingleHoldsIt) {
    for (int tenths = -300; tenths <= 2500; ++tenths) {
        expectSame(static_cast<double>(static_cast<float>(tenths) / 10.0f));
        expectSame(tenths / 10.0);
        expectSame(tenths / 1000.0);
    }
}

// A day's average of a few weighings, and values a hair from a half at one,
// two and three decimals, where the rounding turns on the last digits.
TEST(FormatReference, AveragesAndValuesBesideAHalf) {
    std::mt19937_64 random(11);
    std::uniform_int_distribution<int> tenths(300, 1500);
    std::uniform_int_distribution<int> count(1, 7);
    for (int i = 0; i < 2000; ++i) {
        const int n = count(random);
        double sum = 0;
        for (int k = 0; k < n; ++k) sum += tenths(random) / 10.0;
        expectSame(sum / n);
    }
    for (int half = 1; half < 4000; half += 17)
        for (double scale : {20.0, 200.0, 2000.0})
            for (double hair : {0.0, 1e-12, 1e-9, 4e-7, 1e-6, 3e-6, 1e-4})
                for (double v : {half / scale + hair, half / scale - hair, 999999.0 - half / scale})
                    expectSame(v);
}

TEST(FormatReference, RandomValuesOverManyMagnitudes) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 18);
    for (int i = 0; i < 10000; ++i) expectSame(mantissa(random) * std::pow(10.0, exponent(random)));
}

}  // namespace
}  // namespace core
