// The pattern "0.00" (the pace of the trend in kilograms a week): two
// decimals, halves away from zero on the value's 15 significant digits.
#include <gtest/gtest.h>

#include "core/numbers.h"

namespace core {
namespace {

TEST(Format, Hundredths) {
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {0.125, "0.00", "0.13"},  // exact in binary: half away from zero
        {-0.125, "0.00", "-0.13"},
        {-0.004, "0.00", "-0.00"},  // rounds to zero, keeps its sign
        {0.005, "0.00", "0.01"},
        {1.005, "0.00", "1.01"},  // 1.00499999999999989 is 1.00500000000000 in 15 digits
        {2.675, "0.00", "2.68"},  // likewise 2.67499999999999982
        {99.995, "0.00", "100.00"},
        {0, "0.00", "0.00"},
        {-0.3164020017457137, "0.00Kg", "-0.32Kg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;
}

}  // namespace
}  // namespace core
