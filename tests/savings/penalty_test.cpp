#include "savings/penalty.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/temp_folder.h"

namespace savings {
namespace {

// The day after one that ended at 59.8 kg: 60.0, 60.4, 60.2, 60.6 at rate 100.
TEST(Penalty, WorkedExampleCostsTheSameByEitherForm) {
    const float day[] = {60.0f, 60.4f, 60.2f, 60.6f};
    const int32_t each[] = {20, 80, 20, 100};
    float previous = 59.8f, first = day[0];
    int32_t sum = 0;
    double running = 0;  // as a walk over a log keeps it
    for (int i = 0; i < 4; ++i) {
        int32_t p = WEIGHING_PENALTY(day[i], previous, first, 100);
        EXPECT_EQ(p, each[i]) << day[i];
        sum += p;
        running = addWeighing(running, day[i], previous, first, 100);
        previous = day[i];
    }
    EXPECT_EQ(sum, 220);
    EXPECT_EQ(running, 220);
}

TEST(Penalty, SinglePrecisionDecidesTheHalfYen) {
    struct Case {
        float from, to;
        int32_t yen;
    };
    const Case cases[] = {{60.0f, 60.1f, 0}, {60.1f, 60.2f, 1}};
    for (const auto& c : cases) {
        // the first weighing of a day: charged against the day before only
        EXPECT_EQ(WEIGHING_PENALTY(c.to, c.from, c.to, 5), c.yen) << c.from << "→" << c.to;
        EXPECT_EQ(addWeighing(0, c.to, c.from, c.to, 5), c.yen) << c.from << "→" << c.to;
    }
}

TEST(Penalty, GainsLossesAndSigns) {
    struct Case {
        const char* what;
        float W, P, F, R;
        int32_t weighing, added;
    };
    const Case cases[] = {
        {"the first record of the log", 65.0f, 65.0f, 65.0f, 100, 0, 0},
        {"below the previous, above the day's first", 60.2f, 60.4f, 60.0f, 100, 20, 20},
        {"a loss costs nothing", 59.5f, 60.0f, 60.0f, 100, 0, 0},
        {"a negative rate charges nothing but lowers the total", 60.5f, 60.0f, 60.0f, -100, 0,
         -100},
        {"a zero rate", 61.0f, 60.0f, 60.0f, 0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WEIGHING_PENALTY(c.W, c.P, c.F, c.R), c.weighing) << c.what;
        EXPECT_EQ(addWeighing(0, c.W, c.P, c.F, c.R), c.added) << c.what;
    }
    EXPECT_EQ(ADD_PENALTY(7, 0.0, 100), 7);
    EXPECT_EQ(ADD_PENALTY(7, -0.5, 100), 7);
    EXPECT_EQ(ADD_PENALTY(0, 0.025, 100), 2);  // 2.5 rounds to the even 2
    EXPECT_EQ(ADD_PENALTY(1, 0.025, 100), 4);  // 3.5 rounds to the even 4
}

TEST(KansanRate, WalksTheTableInItsOrder) {
    ConversionTable inOrder;
    inOrder.entries = {{"2000/01/01", 100}, {"2024/06/01", 200}};
    ConversionTable outOfOrder;
    outOfOrder.entries = {{"2000/01/01", 100}, {"2024/06/01", 200}, {"2010/01/01", 50}};
    struct Case {
        const ConversionTable* table;
        const char* date;
        float rate;
    };
    const Case cases[] = {
        {&inOrder, "2024/05/31", 100},    {&inOrder, "2024/06/01", 200},
        {&inOrder, "1999/12/31", 100},    {&outOfOrder, "2024/07/01", 50},
        {&outOfOrder, "2015/01/01", 100}, {&outOfOrder, "2005/01/01", 100},
    };
    for (const auto& c : cases) EXPECT_EQ(KANSAN_RATE(*c.table, c.date), c.rate) << c.date;
}

// One walk over a log's dates, later and earlier ones mixed, rates each date
// as the table read afresh does; an entry without a date is passed over.
TEST(KansanRate, OneWalkRatesEachDateAsAFreshOne) {
    ConversionTable table;
    table.entries = {{"2000/01/01", 100}, {"2010/01/01", 80}, {"そのうち", 70},
                     {"2024/06/01", 200}, {"2005/01/01", 50}, {"2030/01/01", 10}};
    const struct {
        const char* date;
        float rate;
    } walk[] = {{"1999/12/31", 100}, {"2009/12/31", 100}, {"2010/01/01", 70},  {"2024/05/31", 70},
                {"2024/06/01", 50},  {"2024/06/01", 50},  {"2012/03/04", 70},  {"2024/06/02", 50},
                {"いつか", 100},     {"2031/01/01", 10},  {"2001/01/01", 100}, {"2040/01/01", 10}};
    RateWalk rates(table);
    for (const auto& w : walk) {
        EXPECT_EQ(rates.rateOf(w.date), w.rate) << w.date;
        EXPECT_EQ(KANSAN_RATE(table, w.date), w.rate) << w.date;
    }
}

TEST(ReadKansan, DefaultWhenMissingOrEmptyAndFileOrderOtherwise) {
    TempFolder t;
    auto table = READ_KANSAN(t.dir());
    ASSERT_EQ(table.entries.size(), 1u);
    EXPECT_EQ(table.entries[0].FromDate, "2000/01/01");
    EXPECT_EQ(table.entries[0].Rate, 100);
    t.put("換算.txt", "");
    EXPECT_EQ(READ_KANSAN(t.dir()).entries.size(), 1u);
    EXPECT_EQ(t.text("換算.txt"), "");  // the default stays in memory
    t.put("換算.txt", "\"2024/06/01\",200\r\n\"2000/01/01\",-50\r\nbroken\r\n");
    table = READ_KANSAN(t.dir());
    ASSERT_EQ(table.entries.size(), 2u);
    EXPECT_EQ(table.entries[0].Rate, 200);
    EXPECT_EQ(table.entries[1].FromDate, "2000/01/01");
    EXPECT_EQ(table.entries[1].Rate, -50);
}

TEST(ReadKansan, SkipsAndCountsLinesItCannotUse) {
    struct Case {
        const char* what;
        const char* file;
        std::vector<std::string> entries;  // "date rate"; the default when none is usable
        int32_t skipped;
    };
    const Case cases[] = {
        {"blank lines are passed over quietly",
         "\r\n\"2000/01/01\",100\r\n  \r\n\"2024/06/01\",200\r\n",
         {"2000/01/01 100", "2024/06/01 200"},
         0},
        {"a date without leading zeros is a date, kept as written",
         "\"2000/01/01\",100\r\n\"2024/6/1\",200\r\n",
         {"2000/01/01 100", "2024/6/1 200"},
         0},
        {"dates that are not dates",
         "\"abc\",50\r\n\"2024/02/30\",60\r\n\"2000/01/01\",100\r\n",
         {"2000/01/01 100"},
         2},
        {"rates that are not numbers or not 16-bit",
         "\"2000/01/01\",x\r\n\"2001/01/01\",40000\r\n\"2002/01/01\",-32769\r\n"
         "\"2003/01/01\",32767.5\r\n\"2004/01/01\",100.5\r\n",
         {"2004/01/01 100"},
         4},
        {"a missing field", "\"2000/01/01\"\r\n\"2001/01/01\",7\r\n", {"2001/01/01 7"}, 1},
        {"nothing usable gives the default", "garbage\r\n\"abc\",1\r\n", {"2000/01/01 100"}, 2},
    };
    for (const auto& c : cases) {
        TempFolder t;
        t.put("換算.txt", c.file);
        ConversionTable table = READ_KANSAN(t.dir());
        std::vector<std::string> got;
        for (const auto& e : table.entries)
            got.push_back(e.FromDate + " " + std::to_string(e.Rate));
        EXPECT_EQ(got, c.entries) << c.what;
        EXPECT_EQ(table.skippedLines, c.skipped) << c.what;
    }
}

TEST(Penalty, YenStayWithinThirtyTwoBits) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(WEIGHING_PENALTY(3e38f, 1, 1, 100), kMax);  // both gains at the limit
    EXPECT_EQ(WEIGHING_PENALTY(kInf, 60, 60, 100), kMax);
    EXPECT_EQ(WEIGHING_PENALTY(kNaN, 60, 60, 100), 0);
    EXPECT_EQ(WEIGHING_PENALTY(kInf, 60, 60, 0), 0);
    EXPECT_EQ(addWeighing(kMax - 1, 61, 60, 60, 100), kMax);
    EXPECT_EQ(addWeighing(kMin + 1, 61, 60, 60, -100), kMin);
    EXPECT_EQ(ADD_PENALTY(5, kInf, 0), 5);
    EXPECT_EQ(ADD_PENALTY(5, kNaN, 100), 5);
    EXPECT_EQ(addYen(kMax, 1), kMax);
    EXPECT_EQ(addYen(kMin, kMin), kMin);
    EXPECT_EQ(saturatedYen(2.5), 2);
    EXPECT_EQ(saturatedYen(-1e300), kMin);
}

}  // namespace
}  // namespace savings
