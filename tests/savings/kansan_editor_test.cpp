#include "savings/kansan_editor.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/temp_folder.h"

namespace savings {
namespace {

ConversionTable tableOf(std::vector<ConversionEntry> entries) {
    ConversionTable table;
    table.entries = std::move(entries);
    return table;
}

// "date rate" of each entry, for comparing whole tables at a glance.
std::vector<std::string> listed(const ConversionTable& table) {
    std::vector<std::string> out;
    for (const auto& e : table.entries) out.push_back(e.FromDate + " " + std::to_string(e.Rate));
    return out;
}

using Rows = std::vector<std::string>;

TEST(KansanInputCheck, DatesAreReformattedOrRefused) {
    struct Case {
        const char* typed;
        std::optional<std::string> stored;
    };
    const Case cases[] = {
        {"2024/1/5", "2024/01/05"},   {"2024/01/05", "2024/01/05"}, {" 2024/1/5 ", "2024/01/05"},
        {"2024/02/29", "2024/02/29"}, {"2024/02/30", std::nullopt}, {"2023/02/29", std::nullopt},
        {"2024/13/01", std::nullopt}, {"abc", std::nullopt},        {"", std::nullopt},
        {"2024/1/5x", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(kansanDate(c.typed), c.stored) << c.typed;
}

TEST(KansanInputCheck, RatesAreRoundedToEvenAndKeptInSixteenBits) {
    struct Case {
        const char* typed;
        std::optional<int16_t> rate;
    };
    const Case cases[] = {
        {"100", 100},
        {"-50", -50},
        {" 200 ", 200},
        {"150.5", 150},
        {"151.5", 152},
        {"32767", 32767},
        {"32767.4", 32767},
        {"-32768.5", -32768},
        {"32767.5", std::nullopt},
        {"-32769", std::nullopt},
        {"40000", std::nullopt},
        {"1e5", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"12abc", std::nullopt},
        {"1e400", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(kansanRate(c.typed), c.rate) << c.typed;
}

TEST(KansanInputCheck, TheDateIsCheckedFirstAndBothBeforeAnyChange) {
    struct Case {
        const char* date;
        const char* rate;
        const char* text;
        const char* title;
    };
    const Case refusals[] = {
        {"abc", "abc", "日付の形式がおかしいようです。", "時間入力確認"},
        {"2024/02/30", "100", "日付の形式がおかしいようです。", "時間入力確認"},
        {"2024/1/5", "abc", "換算値は -32768 から 32767 までの数値を入力してください。",
         "換算値入力確認"},
    };
    for (const auto& c : refusals) {
        KansanInput input = checkKansanInput(c.date, c.rate);
        EXPECT_FALSE(input.entry.has_value()) << c.date << " " << c.rate;
        EXPECT_EQ(input.refusal.text, c.text);
        EXPECT_EQ(input.refusal.title, c.title);
    }
    KansanInput input = checkKansanInput("2024/1/5", "150.5");
    ASSERT_TRUE(input.entry.has_value());
    EXPECT_EQ(input.entry->FromDate, "2024/01/05");
    EXPECT_EQ(input.entry->Rate, 150);
}

TEST(KansanEdits, AddChangeDeleteKeepTheOtherEntriesAsStored) {
    const ConversionTable two = tableOf({{"2000/01/01", 100}, {"2024/6/1", 200}});
    const ConversionEntry early{"1999/01/01", 30};
    struct Case {
        const char* what;
        KansanEdit edit;
        Rows result;  // empty when refused
        const char* refusal;
    };
    const Case cases[] = {
        {"an added entry goes last, whatever its date",
         addKansan(two, early),
         {"2000/01/01 100", "2024/6/1 200", "1999/01/01 30"},
         ""},
        {"change the chosen row only",
         changeKansan(two, 1, early),
         {"1999/01/01 30", "2024/6/1 200"},
         ""},
        {"change without a chosen row", changeKansan(two, 0, early), {}, "換算値選択確認"},
        {"change past the last row", changeKansan(two, 3, early), {}, "換算値選択確認"},
        {"delete leaves exactly the other", deleteKansan(two, 2), {"2000/01/01 100"}, ""},
        {"delete the first", deleteKansan(two, 1), {"2024/6/1 200"}, ""},
        {"delete past the last row", deleteKansan(two, 3), {}, "換算値選択確認"},
        {"the last entry cannot go",
         deleteKansan(tableOf({{"2024/6/1", 200}}), 1),
         {},
         "全データ削除禁止"},
        {"the default entry is edited like any other",
         addKansan(ConversionTable{}, early),
         {"2000/01/01 100", "1999/01/01 30"},
         ""},
    };
    for (const auto& c : cases) {
        if (c.result.empty()) {
            EXPECT_FALSE(c.edit.table.has_value()) << c.what;
            EXPECT_EQ(c.edit.refusal.title, c.refusal) << c.what;
            continue;
        }
        ASSERT_TRUE(c.edit.table.has_value()) << c.what;
        EXPECT_EQ(listed(*c.edit.table), c.result) << c.what;
    }
    EXPECT_EQ(deleteKansan(tableOf({{"2024/6/1", 200}}), 1).refusal.text,
              "全部のデータを削除することはできません。");
}

TEST(KansanEdits, Questions) {
    EXPECT_EQ(addQuestion("2024/01/05", "150"), "2024/01/05 150 を追加します。よろしいですか？");
    EXPECT_EQ(changeQuestion("2000/01/01", "100", "2024/01/05", "150.5"),
              "2000/01/01 100 を 2024/01/05 150.5 に変更します。よろしいですか？");
    EXPECT_EQ(deleteQuestion("2000/01/01", "100"), "2000/01/01 100 を削除します。よろしいですか？");
}

TEST(WriteKansan, RewritesTheFileThatReadKansanReadsBack) {
    TempFolder t;
    t.put("換算.TXT", "\"2000/01/01\",100\r\n");
    ConversionTable table = tableOf({{"2000/01/01", 100}, {"2024/6/1", -50}});
    EXPECT_EQ(kansanText(table), "\"2000/01/01\",100\r\n\"2024/6/1\",-50\r\n");
    ASSERT_TRUE(writeKansan(t.dir(), table).ok());
    EXPECT_EQ(t.text("換算.TXT"), "\"2000/01/01\",100\r\n\"2024/6/1\",-50\r\n");
    EXPECT_EQ(t.fileCount(), 1u);
    ConversionTable back = READ_KANSAN(t.dir());
    EXPECT_EQ(listed(back), listed(table));
    EXPECT_EQ(back.skippedLines, 0);
}

TEST(WriteKansan, NeverLeavesTheFileEmptyOrHalfWritten) {
    TempFolder t;
    const std::string old = "\"2000/01/01\",100\r\n";
    t.put("換算.txt", old);
    ConversionTable empty;
    empty.entries.clear();
    EXPECT_FALSE(writeKansan(t.dir(), empty).ok());
    EXPECT_FALSE(writeKansan(t.dir(), tableOf({{"abc", 100}})).ok());
    EXPECT_FALSE(writeKansan(t.dir(), tableOf({{"\"2024/01/01", 100}})).ok());
    core::DataDir failing = t.dir();
    failing.setFaultHook([](core::WriteStep step) { return step == core::WriteStep::WriteSide; });
    EXPECT_FALSE(writeKansan(failing, tableOf({{"2024/01/01", 5}})).ok());
    EXPECT_EQ(t.text("換算.txt"), old);
    EXPECT_EQ(t.fileCount(), 1u);
}

}  // namespace
}  // namespace savings
