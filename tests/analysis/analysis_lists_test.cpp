#include "analysis/analysis_lists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/numbers.h"

namespace analysis {
namespace {

// A trend over weighings one a day from 2024/01/01, or on the given days.
std::shared_ptr<const Trend> trendOf(std::vector<float> weights, std::vector<int> days = {}) {
    std::vector<core::WeightRecord> log;
    for (size_t i = 0; i < weights.size(); ++i) {
        int day = days.empty() ? static_cast<int>(i) : days[i];
        auto date = std::chrono::sys_days(std::chrono::year(2024) / 1 / 1) + std::chrono::days(day);
        log.push_back({core::dateText(core::Date(date)), "朝", weights[i], "", "", ""});
    }
    return std::make_shared<const Trend>(trend(log));
}

// Every row of a list, made one by one as the grid makes them.
template <typename List>
std::vector<ListRow> rowsOf(const List& list) {
    std::vector<ListRow> rows;
    for (size_t i = 0; i < list.size(); ++i) rows.push_back(list.row(i));
    return rows;
}

std::vector<std::string> column(const std::vector<ListRow>& rows, size_t c) {
    std::vector<std::string> cells;
    for (const auto& row : rows) cells.push_back(row[c]);
    return cells;
}

TEST(Jikei, DifferenceToPreviousOrFirst) {
    auto t = trendOf({75.0f, 74.6f, 74.6f, 75.1f});
    struct Case {
        DiffBase base;
        const char* header;
        std::vector<std::string> diffs;
    };
    const Case cases[] = {
        {DiffBase::Previous, "前回差", {"±0.0Kg", "-0.4Kg", "±0.0Kg", "+0.5Kg"}},
        {DiffBase::First, "初回差", {"±0.0Kg", "-0.4Kg", "-0.4Kg", "+0.1Kg"}},
    };
    for (const auto& c : cases) {
        JikeiList list = jikeiList(t, c.base);
        EXPECT_EQ(list.header3, c.header);
        EXPECT_EQ(column(rowsOf(list), 3), c.diffs) << c.header;
    }
    ListRow second = jikeiList(t, DiffBase::Previous).row(1);
    EXPECT_EQ(second, (ListRow{"2回目", "2024/01/02", "74.6Kg", "-0.4Kg"}));
    EXPECT_TRUE(jikeiList(trendOf({}), DiffBase::First).size() == 0);
}

TEST(Kugiri, MilestonesOfTheLoss) {
    auto t = trendOf({75.0f, 74.5f, 73.9f, 74.2f, 73.4f}, {0, 3, 10, 15, 20});
    KugiriList list = kugiriList(*t);
    const std::vector<ListRow> expected = {
        {"0.5Kg減", "2024/01/04", "3日後", "3日後"},
        {"1.0Kg減", "2024/01/11", "10日後", "7日後"},
        {"1.5Kg減", "2024/01/21", "20日後", "10日後"},
    };
    EXPECT_EQ(list.rows, expected);
    EXPECT_EQ(list.note, "最高　1.6Kg減を達成してから　0日経過");

    // one weighing reaching two milestones; the lowest reached 4 days before the end
    list = kugiriList(*trendOf({80.0f, 78.6f, 79.0f}, {0, 5, 9}));
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[1], (ListRow{"1.0Kg減", "2024/01/06", "5日後", "0日後"}));
    EXPECT_EQ(list.note, "最高　1.4Kg減を達成してから　4日経過");

    list = kugiriList(*trendOf({70.0f, 70.5f, 71.0f}));  // the first is the lowest
    EXPECT_TRUE(list.rows.empty());
    EXPECT_FALSE(list.note);
}

TEST(Kugiri, ALossOfThirtyKilograms) {
    std::vector<float> weights;
    for (int i = 0; i <= 60; ++i) weights.push_back(100.0f - 0.5f * static_cast<float>(i));
    KugiriList list = kugiriList(*trendOf(weights));
    ASSERT_EQ(list.rows.size(), 60u);
    struct Case {
        size_t row;
        const char* milestone;
    };
    for (auto c : {Case{0, "0.5Kg減"}, Case{1, "1.0Kg減"}, Case{50, "25.5Kg減"},
                   Case{51, "26.0Kg減"}, Case{59, "30.0Kg減"}}) {
        EXPECT_EQ(list.rows[c.row][0], c.milestone);
        EXPECT_EQ(list.rows[c.row][2], std::to_string(c.row + 1) + "日後");
        EXPECT_EQ(list.rows[c.row][3], "1日後");
    }
    EXPECT_EQ(list.note, "最高　30.0Kg減を達成してから　0日経過");
}

TEST(Heikin, RunningAverageAndStreak) {
    struct Case {
        std::vector<float> weights;
        std::vector<std::string> averages, changes;
        int32_t streak;
        const char* note;
    };
    const Case cases[] = {
        {{70.0f, 69.0f, 69.0f, 70.0f},
         {"70.000Kg", "69.500Kg", "69.333Kg", "69.500Kg"},
         {"0g", "-500g", "-167g", "+167g"},
         0,
         "平均を上回ってしまいました..."},
        {{70.0f, 69.0f, 68.0f},
         {"70.000Kg", "69.500Kg", "69.000Kg"},
         {"0g", "-500g", "-500g"},
         2,
         "連続ﾏｲﾅｽ記録 2日間達成！"},
        {{70.0f, 70.0f, 69.0f},
         {"70.000Kg", "70.000Kg", "69.667Kg"},
         {"0g", "±0g", "-333g"},
         2,
         "連続ﾏｲﾅｽ記録 2日間達成！"},
        {{70.0f}, {"70.000Kg"}, {"0g"}, 0, "平均を上回ってしまいました..."},
    };
    for (const auto& c : cases) {
        HeikinList list = heikinList(trendOf(c.weights));
        EXPECT_EQ(column(rowsOf(list), 2), c.averages);
        EXPECT_EQ(column(rowsOf(list), 3), c.changes);
        EXPECT_EQ(list.streak, c.streak);
        EXPECT_EQ(list.note, c.note);
    }
}

TEST(Banzuke, BandsRankedByWeighings) {
    struct Case {
        const char* what;
        std::vector<float> weights;
        BandWidth width;
        std::vector<ListRow> rows;
    };
    const Case cases[] = {
        {"1.0 kg bands",
         {69.5f, 70.2f, 70.8f, 71.4f, 70.4f},
         BandWidth::OneKilogram,
         {{"1位", "70.0～70.9Kg", "3回", ""},
          {"2位", "69.0～69.9Kg", "1回", "2回"},
          {"3位", "71.0～71.9Kg", "1回", "0回"}}},
        {"0.5 kg bands",
         {69.5f, 70.2f, 70.8f, 71.4f, 70.4f},
         BandWidth::HalfKilogram,
         {{"1位", "70.0～70.4Kg", "2回", ""},
          {"2位", "69.5～69.9Kg", "1回", "1回"},
          {"3位", "70.5～70.9Kg", "1回", "0回"},
          {"4位", "71.0～71.4Kg", "1回", "0回"}}},
        {"a tie reversed by the exchange",
         {69.2f, 70.3f, 71.1f, 71.5f},
         BandWidth::OneKilogram,
         {{"1位", "71.0～71.9Kg", "2回", ""},
          {"2位", "70.0～70.9Kg", "1回", "1回"},
          {"3位", "69.0～69.9Kg", "1回", "0回"}}},
        {"a weight .99 above its band's bound falls in none",
         {70.0f, 70.99f},
         BandWidth::OneKilogram,
         {{"1位", "70.0～70.9Kg", "1回", ""}}},
        {"weights 55 kg apart in half kilograms",
         {40.0f, 95.0f},
         BandWidth::HalfKilogram,
         {{"1位", "40.0～40.4Kg", "1回", ""}, {"2位", "95.0～95.4Kg", "1回", "0回"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(banzukeList(*trendOf(c.weights), c.width).rows, c.rows) << c.what;
    EXPECT_EQ(banzukeList(*trendOf({70.0f}), BandWidth::OneKilogram).caption,
              "    体重推移累積番付 < 1.0Kg刻み >");
    EXPECT_EQ(banzukeList(*trendOf({70.0f}), BandWidth::HalfKilogram).caption,
              "    体重推移累積番付 < 0.5Kg刻み >");
}

// Every hundredth from 50.00 to 59.99 kg, each weighed twice and in no
// order: each band holds all of its hundredths but its last (.99 above a
// whole or half kilogram falls between bands), so all bands tie and keep
// their order.
TEST(Banzuke, EveryHundredthCountedInItsBand) {
    std::vector<float> weights;
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 1000; ++i) weights.push_back(static_cast<float>((5000 + i) / 100.0));
    std::shuffle(weights.begin(), weights.end(), std::mt19937(7));
    const auto t = trendOf(weights);
    struct Case {
        BandWidth width;
        double step;
        const char* count;
    };
    for (const Case& c :
         {Case{BandWidth::OneKilogram, 1.0, "198回"}, Case{BandWidth::HalfKilogram, 0.5, "98回"}}) {
        const BanzukeList list = banzukeList(*t, c.width);
        ASSERT_EQ(list.rows.size(), static_cast<size_t>(std::lround(10 / c.step))) << c.count;
        for (size_t r = 0; r < list.rows.size(); ++r) {
            EXPECT_EQ(list.rows[r][1].substr(0, 4),
                      core::Format(50 + static_cast<double>(r) * c.step, "0.0"))
                << c.count << " rank " << r;
            EXPECT_EQ(list.rows[r][2], c.count) << "band from " << list.rows[r][1];
        }
    }
}

// The exchange sort over every band, empty ones included, as the ranking is
// defined; leaving the empty bands out must not change the order.
TEST(Banzuke, EmptyBandsDoNotChangeTheOrderOfTies) {
    std::mt19937 random(12345);
    for (int trial = 0; trial < 500; ++trial) {
        std::vector<WeightBand> all(1 + random() % 12);
        for (size_t k = 0; k < all.size(); ++k)
            all[k] = {static_cast<double>(k), static_cast<int32_t>(random() % 4)};
        std::vector<WeightBand> nonEmpty;
        for (const auto& b : all)
            if (b.count > 0) nonEmpty.push_back(b);
        for (size_t m = 0; m + 1 < all.size(); ++m)
            for (size_t j = m + 1; j < all.size(); ++j)
                if (all[m].count < all[j].count) std::swap(all[m], all[j]);
        rankBands(nonEmpty);
        for (size_t r = 0; r < nonEmpty.size(); ++r)
            ASSERT_EQ(nonEmpty[r].lower, all[r].lower) << "trial " << trial << " rank " << r;
    }
}

TEST(Lists, AbsurdWeightsStayWithinTheRowLimit) {
    auto t = trendOf({3.0e38f, 1.0f, -3.0e38f, 2.0e38f});
    EXPECT_EQ(kugiriList(*t).rows.size(), static_cast<size_t>(kMaxListRows));
    BanzukeList bands = banzukeList(*t, BandWidth::HalfKilogram);
    EXPECT_LE(bands.rows.size(), 4u);
    EXPECT_EQ(heikinList(t).size(), 4u);
    EXPECT_EQ(jikeiList(t, DiffBase::First).size(), 4u);
}

}  // namespace
}  // namespace analysis
