#include "core/change.h"

#include <gtest/gtest.h>

#include "ui/color.h"

namespace core {
namespace {

// The grids mark the difference as it shows to one decimal, the diary the
// exact one: they part on the differences that show as 0.0 or -0.0.
TEST(Change, ShownAgainstExact) {
    const struct {
        double difference;
        Change shown;
        Change exact;
    } cases[] = {
        {0.0, Change::Same, Change::Same},   {-0.0, Change::Same, Change::Same},
        {0.04, Change::Same, Change::Up},    {-0.04, Change::Same, Change::Down},
        {0.05, Change::Up, Change::Up},      {-0.05, Change::Down, Change::Down},
        {-0.06, Change::Down, Change::Down}, {1.2, Change::Up, Change::Up},
        {0.02, Change::Same, Change::Up},    {-65.0, Change::Down, Change::Down},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shownChangeOf(c.difference), c.shown) << c.difference;
        EXPECT_EQ(changeOf(c.difference), c.exact) << c.difference;
    }
}

TEST(Change, WordsAndColours) {
    EXPECT_EQ(changeWord(Change::Up), " 増");
    EXPECT_EQ(changeWord(Change::Same), " 同");
    EXPECT_EQ(changeWord(Change::Down), " 減");
    EXPECT_EQ(ui::changeColor(Change::Up), ui::kLightRed);
    EXPECT_EQ(ui::changeColor(Change::Same), ui::kLightYellow);
    EXPECT_EQ(ui::changeColor(Change::Down), ui::kLightGreen);
}

}  // namespace
}  // namespace core
