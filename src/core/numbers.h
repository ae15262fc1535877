// Numbers as the program shows and reads them: the fixed display patterns,
// reading a number at the start of a text, shortest decimal texts, rounding.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Formats a value with one of the program's fixed patterns: "0", "0.0",
// "00.0", "0.00", "0.000", "#,0", optionally followed by a literal suffix ("Kg", "g", "円",
// "～", "%"). A "," in the number part groups thousands ("0,0円" gives 05円 and
// 1,250円; "#,0" gives 5 and 1,250); "%" shows the value times 100. Rounding takes the nearer
// decimal, halves away from zero, on the value's 15 significant digits. A
// negative value that rounds to zero keeps its sign: -0.04 gives -0.0. A value
// that is not a number shows as "NaN", an infinite one as "∞" or "-∞", each
// followed by the pattern's suffix.
std::string Format(double value, std::string_view pattern);

// Format with a sign always in front: "+" or "-" by the sign of the value as
// rounded, "+" for one that rounds to zero ("+0.00Kg", "-1,234kcal").
std::string formatSigned(double value, std::string_view pattern);

// The number at the start of the text (after leading blanks), 0 when none:
// Val("74.5kg") is 74.5.
double Val(std::string_view text);

// True when the whole text, blanks around it aside, is one decimal number.
bool IsNumeric(std::string_view text);

// readWholeFloat's general case.
bool readFloatByFromChars(std::string_view text, float& value);

// The whole text read as std::from_chars reads a single: false when it does
// not take every character or the value is beyond a single's range. A plain
// decimal of at most seven digits ("65", "-64.25") is read without it, with
// the same result: both its digits and its power of ten are exact singles,
// so one division rounds as from_chars does. Inline: the log's reader calls
// it once a line.
inline bool readWholeFloat(std::string_view text, float& value) {
    static constexpr float kPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f};
    const char* p = text.data();
    const char* end = p + text.size();
    bool negative = p < end && *p == '-';
    p += negative ? 1 : 0;
    uint32_t digits = 0;
    int count = 0, fraction = -1;
    for (; p < end && count <= 7; ++p) {
        if (*p >= '0' && *p <= '9') {
            digits = digits * 10 + static_cast<uint32_t>(*p - '0');
            ++count;
            if (fraction >= 0) ++fraction;
        } else if (*p == '.' && fraction < 0 && count > 0) {
            fraction = 0;
        } else {
            break;
        }
    }
    if (p == end && count > 0 && count <= 7 && fraction != 0) {
        float v = static_cast<float>(digits) / kPowers[fraction < 0 ? 0 : fraction];
        value = negative ? -v : v;
        return true;
    }
    return readFloatByFromChars(text, value);
}

// The shortest decimal text that reads back as the same value: 75, 74.5, 1.685.
std::string shortestText(float value);
std::string shortestText(double value);

// A double as text with at most 15 significant digits: 58.6 + 0.1 gives 58.7.
std::string text15(double value);

// From 2^52 on, a double holds no fraction.
inline constexpr double kNoFractionFrom = 4503599627370496.0;

// The nearest whole number to a value smaller than 2^52 either way, as a
// double, ties to the even number. Adding 2^52 leaves no bits for a fraction,
// so the sum is rounded as the processor rounds (to the nearest, ties to
// even), and taking 2^52 away again gives the whole number, without a call to
// the library. Inline: every weighing's penalty rounds twice.
inline double roundEvenSmall(double value) {
    constexpr double kShift = kNoFractionFrom;
    return value >= 0 ? (value + kShift) - kShift : (value - kShift) + kShift;
}

// Nearest whole number, ties to the even number. Beyond the 64-bit range the
// result stops at its limit; a value that is not a number gives 0.
inline int64_t roundEven(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    const double rounded = std::fabs(value) < kNoFractionFrom ? roundEvenSmall(value) : value;
    if (rounded >= kLimit) return std::numeric_limits<int64_t>::max();
    if (rounded < -kLimit) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(rounded);
}

// The whole part of the value (cut toward zero) when it lies in [low, high];
// nullopt for a value outside that range, infinite or not a number.
std::optional<int64_t> wholePartIn(double value, int64_t low, int64_t high);

// The value as a single when it is finite and a single can hold it.
std::optional<float> toFloat(double value);

// Nearest tenth, halves upward.
double roundTenthHalfUp(double value);

// The top of a chart's weight axis: the highest weight plus 0.9, in double,
// cut to a whole kilogram, and one more when the weight would stand above
// it. A weight just above a whole kilogram lies below its decimal as a
// single (71.1 is 71.0999985), and Int(71.9999985) is 71.
double weightAxisTop(float highest);

}  // namespace core
