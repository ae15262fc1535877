#include "core/numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iomanip>
#include <limits>
#include <string>

#include "core/dates.h"

namespace core {
namespace {

TEST(Format, Patterns) {
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {-0.04, "0.0Kg", "-0.0Kg"},   {0.04, "0.0Kg", "0.0Kg"},
        {0.05, "0.0Kg", "0.1Kg"},     {-0.05, "0.0Kg", "-0.1Kg"},
        {0.35, "0.0", "0.4"},  // 0.35 is 0.34999... in binary: 15 digits decide
        {0.25, "0.0", "0.3"},         {60.599998474121094, "0.0Kg", "60.6Kg"},  // the single 60.6
        {99.96, "0.0", "100.0"},      {0, "0.0Kg", "0.0Kg"},
        {5, "0,0円", "05円"},         {0, "0,0円", "00円"},
        {1250, "0,0円", "1,250円"},   {1234567, "0,0円", "1,234,567円"},
        {-1250, "0,0円", "-1,250円"}, {7.92, "00.0", "07.9"},
        {62.4555, "00.0", "62.5"},    {0.045, "0.0%", "4.5%"},
        {0, "0.0%", "0.0%"},          {12.5, "0", "13"},
        {350, "0g", "350g"},          {1.6855, "0.000Kg", "1.686Kg"},
        {65.25, "0.0～", "65.3～"},   {0.0004, "0.0", "0.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;
}

// The top of a weight axis is never below the weight it must hold.
TEST(WeightAxisTop, HoldsWeightsJustAboveAWholeKilogram) {
    struct Case {
        float highest;
        double top;
    };
    const Case cases[] = {{71.1f, 72}, {60.04f, 61}, {60.09f, 61}, {70.1f, 71}, {70.0f, 70},
                          {70.5f, 71}, {70.05f, 71}, {69.95f, 70}, {0.0f, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(weightAxisTop(c.highest), c.top) << c.highest;
        EXPECT_GE(weightAxisTop(c.highest), c.highest) << c.highest;
    }
}

// "#" shows a digit only where the number has one.
TEST(Format, DigitPlaceholder) {
    EXPECT_EQ(Format(5, "#,0"), "5");
    EXPECT_EQ(Format(0.4, "#,0"), "0");
    EXPECT_EQ(Format(999.5, "#,0kcal"), "1,000kcal");
    EXPECT_EQ(Format(-1234.4, "#,0"), "-1,234");
}

// The sign follows the value as shown: what rounds to zero is "+".
TEST(FormatSigned, SignOfTheRoundedValue) {
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {-0.004, "0.00Kg", "+0.00Kg"},
        {-0.005, "0.00Kg", "-0.01Kg"},
        {0, "0.0Kg", "+0.0Kg"},
        {0.45, "0.0Kg", "+0.5Kg"},
        {-999.5, "#,0kcal", "-1,000kcal"},
        {999.4, "#,0kcal", "+999kcal"},
        {-0.4, "#,0kcal", "+0kcal"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatSigned(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;
}

// Format is total: values that are no number or beyond every range give a
// sane text and never read past a buffer.
TEST(Format, ValuesThatAreNoPlainNumber) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {nan, "0.0Kg", "NaNKg"}, {-nan, "0.0", "NaN"},     {inf, "0.0Kg", "∞Kg"},
        {-inf, "0,0円", "-∞円"}, {inf, "0.000Kg", "∞Kg"},  {1e308, "0.0%", "∞%"},
        {nan, "0.0%", "NaN%"},   {-1e-300, "0.0", "-0.0"}, {4.9e-324, "0.000Kg", "0.000Kg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;
    std::string huge = Format(1e300, "0,0円");
    EXPECT_EQ(huge.substr(0, 4), "1,00");
    EXPECT_EQ(huge.size(), 301u + 100u + std::string("円").size());
}

// Rounding to a whole number agrees with the library's nearbyint on halves,
// on values a hair from them, and about 2^52 where a double has no fraction
// left.
TEST(Numbers, RoundEvenAsTheLibraryRounds) {
    std::vector<double> values = {0.0, -0.0, 0.49999999999999994, 1e-300, -1e-300};
    for (double whole : {0.0, 1.0, 2.0, 7.0, 1e6, 4503599627370494.0, 4503599627370495.0,
                         4503599627370496.0, 9007199254740991.0, 9.2e18})
        for (double part : {0.0, 0.25, 0.5, 0.75})
            for (double sign : {1.0, -1.0}) {
                const double v = sign * (whole + part);
                values.insert(values.end(), {v, std::nextafter(v, 0.0), std::nextafter(v, 1e300),
                                             std::nextafter(v, -1e300)});
            }
    for (double v : values) {
        const double expected = std::nearbyint(v);
        if (std::fabs(expected) >= 9223372036854775808.0) continue;
        EXPECT_EQ(roundEven(v), static_cast<int64_t>(expected)) << std::setprecision(17) << v;
    }
}

// Conversions to whole numbers never leave their range.
TEST(Numbers, WholeNumbersStayInRange) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(roundEven(1e300), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(roundEven(-inf), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(roundEven(nan), 0);
    EXPECT_EQ(roundEven(2.5), 2);
    EXPECT_EQ(roundEven(-3.5), -4);
    struct Case {
        double value;
        std::optional<int64_t> expected;
    };
    const Case cases[] = {
        {1.9, 1},
        {-1.9, -1},
        {32767.9, 32767},
        {32768, std::nullopt},
        {-32768.5, -32768},
        {-32769, std::nullopt},
        {1e300, std::nullopt},
        {inf, std::nullopt},
        {nan, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wholePartIn(c.value, -32768, 32767), c.expected) << c.value;
    EXPECT_EQ(toFloat(1e300), std::nullopt);
    EXPECT_EQ(toFloat(nan), std::nullopt);
    EXPECT_EQ(toFloat(168.5), 168.5f);
}

TEST(Format, Dates) {
    Date d{std::chrono::year(2003), std::chrono::month(8), std::chrono::day(1)};
    EXPECT_EQ(Format(d, "yyyy/mm/dd"), "2003/08/01");
    EXPECT_EQ(Format(d, "yy/mm/dd"), "03/08/01");
    EXPECT_EQ(Format(d, "yyyy年mm月"), "2003年08月");
}

// Days in a row, from starts at and around month ends, leap days and year
// turns, each as Format writes it alone.
TEST(Format, DaysInARowAsEachAlone) {
    using std::chrono::day, std::chrono::month, std::chrono::year;
    const Date starts[] = {{year(2024), month(2), day(27)},
                           {year(2023), month(12), day(31)},
                           {year(1999), month(1), day(1)},
                           {year(2100), month(2), day(28)},
                           {year(9999), month(12), day(1)}};
    for (Date first : starts)
        for (size_t count : {size_t{0}, size_t{1}, size_t{2}, size_t{31}, size_t{800}}) {
            if (std::chrono::sys_days(first) + std::chrono::days(count) >
                std::chrono::sys_days(year(9999) / 12 / 31) + std::chrono::days(1))
                continue;
            std::vector<std::string> texts = {"kept"};
            addShortDateTexts(first, count, texts);
            ASSERT_EQ(texts.size(), count + 1);
            EXPECT_EQ(texts.front(), "kept");
            for (size_t i = 0; i < count; ++i)
                ASSERT_EQ(
                    texts[i + 1],
                    Format(Date(std::chrono::sys_days(first) + std::chrono::days(i)), "yy/mm/dd"))
                    << dateText(first) << " + " << i;
        }
}

// Every pattern on days across the whole range of years, against printf's
// widths; and the plain form read like any other form of the same date.
TEST(Format, DatesMatchPrintfOverTheYears) {
    auto day = std::chrono::sys_days(std::chrono::year(-30) / 1 / 1);
    const auto last = std::chrono::sys_days(std::chrono::year(10030) / 12 / 31);
    char buf[64];
    for (; day <= last; day += std::chrono::days(97)) {
        Date d(day);
        int y = static_cast<int>(d.year());
        unsigned m = static_cast<unsigned>(d.month()), dd = static_cast<unsigned>(d.day());
        std::snprintf(buf, sizeof buf, "%04d/%02u/%02u", y, m, dd);
        ASSERT_EQ(Format(d, "yyyy/mm/dd"), buf);
        std::snprintf(buf, sizeof buf, "%02d/%02u/%02u", y % 100, m, dd);
        ASSERT_EQ(Format(d, "yy/mm/dd"), buf);
        std::snprintf(buf, sizeof buf, "%04d年%02u月", y, m);
        ASSERT_EQ(Format(d, "yyyy年mm月"), buf);
        std::string text = dateText(d);
        std::string dashed = text;
        std::replace(dashed.begin(), dashed.end(), '/', '-');
        EXPECT_EQ(parseDate(text), parseDate(dashed)) << text;
        if (y >= 1000 && y <= 9999) {
            EXPECT_EQ(parseDate(text), d) << text;
        }
        EXPECT_EQ(isPlainDate(text), y >= 1000 && y <= 9999) << text;
        EXPECT_FALSE(isPlainDate(dashed)) << dashed;
    }
    for (const char* text : {"0999/12/31", "2023/02/29", "2024/00/10", "2024/01/00", "2024/1a/01",
                             "2024/04/31", "2024/01/32"})
        EXPECT_FALSE(parseDate(text) || isPlainDate(text)) << text;
    EXPECT_TRUE(parseDate("2024/02/29") && isPlainDate("2024/02/29"));
    EXPECT_FALSE(isPlainDate("2024/1/05"));
}

TEST(Val, ReadsTheLeadingNumber) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"74.5kg", 74.5}, {"  58.6", 58.6}, {"-0.5", -0.5}, {"+3", 3},  {".5", 0.5},  {"abc", 0},
        {"", 0},          {"kg74", 0},      {"1e2", 100},   {"nan", 0}, {"0.0Kg", 0}, {"-0.0Kg", 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.expected) << c.text;
}

TEST(IsNumeric, WholeTextMustBeANumber) {
    for (const char* yes : {"58.6", " 58.6 ", "-1", "+1", ".5", "1e3", "0"})
        EXPECT_TRUE(IsNumeric(yes)) << yes;
    for (const char* no : {"", " ", "58.6kg", "abc", "1.2.3", "-", ".", "inf", "nan", "５８"})
        EXPECT_FALSE(IsNumeric(no)) << no;
}

// The quick reading of short decimals against std::from_chars, bit for bit.
void expectReadAsFromChars(const std::string& text) {
    float quick = 12345.0f, reference = 12345.0f;
    bool quickOk = readWholeFloat(text, quick);
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), reference);
    bool referenceOk = ec == std::errc() && end == text.data() + text.size();
    ASSERT_EQ(quickOk, referenceOk) << text;
    if (!referenceOk) return;
    uint32_t a, b;
    std::memcpy(&a, &quick, 4);
    std::memcpy(&b, &reference, 4);
    ASSERT_EQ(a, b) << text;
}

TEST(ReadWholeFloat, ShortDecimalsAsFromCharsReadsThem) {
    // Every digit string up to five digits with the point at every place,
    // and a stride through the seven-digit ones, both signs.
    for (uint32_t m = 0; m < 100000; ++m) {
        std::string digits = std::to_string(m);
        for (size_t point = 1; point <= digits.size(); ++point) {
            std::string text =
                digits.substr(0, point) + (point < digits.size() ? "." + digits.substr(point) : "");
            expectReadAsFromChars(text);
            expectReadAsFromChars("-" + text);
        }
    }
    for (uint32_t m = 1000000; m < 10000000; m += 997) {
        std::string digits = std::to_string(m);
        for (size_t point = 1; point <= digits.size(); ++point)
            expectReadAsFromChars(digits.substr(0, point) + "." + digits.substr(point));
    }
}

TEST(ReadWholeFloat, OtherFormsGoToFromChars) {
    const char* texts[] = {"",      "-",         ".",         "65.",      ".5",        "-.5",
                           "+65",   "065.50",    "0000000.1", "12345678", "1234567.8", "1e3",
                           "1E-2",  "inf",       "-nan",      "0x10",     "65 ",       " 65",
                           "6 5",   "65,0",      "--1",       "1.2.3",    "3.4e38",    "1e39",
                           "1e-50", "0.0000001", "9999999",   "-0",       "-0.0",      "16777217"};
    for (const char* text : texts) expectReadAsFromChars(text);
}

TEST(ShortestText, GivesTheSameValueBack) {
    EXPECT_EQ(shortestText(58.6f), "58.6");
    EXPECT_EQ(shortestText(75.0f), "75");
    EXPECT_EQ(shortestText(1.685f), "1.685");
    EXPECT_EQ(shortestText(-0.5f), "-0.5");
    EXPECT_EQ(shortestText(60.0), "60");
    EXPECT_EQ(text15(58.6 + 0.1), "58.7");
    EXPECT_EQ(text15(static_cast<double>(58.6f) + 0.2), "58.7999984741211");
    EXPECT_EQ(text15(0 - 0.5), "-0.5");
    EXPECT_EQ(text15(0.1 + 0.2 - 0.3), "0");
}

TEST(Rounding, HalvesToEvenAndTenthsUpward) {
    const std::pair<double, int64_t> even[] = {{0.5, 0},   {1.5, 2},  {2.5, 2},   {-0.5, 0},
                                               {-1.5, -2}, {0.49, 0}, {20.0, 20}, {2.51, 3}};
    for (auto [v, r] : even) EXPECT_EQ(roundEven(v), r) << v;
    EXPECT_DOUBLE_EQ(roundTenthHalfUp(0.25), 0.3);
    EXPECT_DOUBLE_EQ(roundTenthHalfUp(-0.25), -0.2);
    EXPECT_DOUBLE_EQ(roundTenthHalfUp(1.24), 1.2);
}

TEST(Dates, ParseCountAndName) {
    auto d = parseDate("2024/1/5");
    ASSERT_TRUE(d);
    EXPECT_EQ(dateText(*d), "2024/01/05");
    EXPECT_FALSE(parseDate("2024/02/30"));
    EXPECT_FALSE(parseDate("2024/13/01"));
    EXPECT_FALSE(parseDate("24/01/05"));
    EXPECT_FALSE(parseDate("2024/01/05x"));
    EXPECT_EQ(daysBetween(*parseDate("2003/08/21"), *parseDate("2004/04/13")), 236);
    EXPECT_EQ(daysBetween(*parseDate("2024/03/01"), *parseDate("2024/02/28")), -2);
    EXPECT_EQ(weekdayName(*parseDate("2026/12/08")), "火");
    EXPECT_EQ(weekdayName(*parseDate("2026/12/06")), "日");
    EXPECT_EQ(longTimeText({7, 5, 9}), "7:05:09");
    EXPECT_EQ(longTimeText({23, 59, 0}), "23:59:00");
}

}  // namespace
}  // namespace core
