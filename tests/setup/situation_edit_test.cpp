#include "setup/situation_edit.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

using Labels = std::vector<std::string>;

TEST(DragMove, MovesJustBeforeTheReleasedItem) {
    struct Case {
        const char* what;
        int pressed, released;
        bool moved;
        Labels after;
    };
    const Case cases[] = {
        {"onto itself", 1, 1, false, {"a", "b", "c", "d"}},
        {"onto the item right below", 1, 2, false, {"a", "b", "c", "d"}},
        {"the third onto the first", 2, 0, true, {"c", "a", "b", "d"}},
        {"the first onto the last", 0, 3, true, {"b", "c", "a", "d"}},
        {"the last onto the first", 3, 0, true, {"d", "a", "b", "c"}},
        {"the last onto the one above", 3, 2, true, {"a", "b", "d", "c"}},
        {"the first two below", 0, 2, true, {"b", "a", "c", "d"}},
        {"the last onto itself", 3, 3, false, {"a", "b", "c", "d"}},
        {"released outside the list", 0, -1, false, {"a", "b", "c", "d"}},
        {"released past the end", 0, 4, false, {"a", "b", "c", "d"}},
        {"nothing pressed", -1, 2, false, {"a", "b", "c", "d"}},
    };
    for (const auto& c : cases) {
        Labels items{"a", "b", "c", "d"};
        EXPECT_EQ(moveDraggedItem(items, c.pressed, c.released), c.moved) << c.what;
        EXPECT_EQ(items, c.after) << c.what;
    }
}

TEST(DragMove, EmptyListAndSingleItem) {
    Labels none;
    EXPECT_FALSE(moveDraggedItem(none, 0, 0));
    Labels one{"a"};
    EXPECT_FALSE(moveDraggedItem(one, 0, 0));
    EXPECT_EQ(one, Labels{"a"});
}

TEST(AddLabel, EmptyDoesNothingUnstorableIsRefusedDuplicatesAreKept) {
    struct Case {
        const char* what;
        const char* answer;
        bool added, refused;
    };
    const Case cases[] = {
        {"empty answer or Cancel", "", false, false}, {"a double quote", "朝\"食", false, true},
        {"an emoji", "散歩😀", false, true},           {"a line break", "朝\r\n食", false, true},
        {"a duplicate", "朝食前", true, false},       {"a comma", "朝食前,散歩", true, false},
    };
    for (const auto& c : cases) {
        Labels labels{"朝食前"};
        AddResult r = addLabel(labels, c.answer);
        EXPECT_EQ(r.added, c.added) << c.what;
        EXPECT_EQ(r.refusal.has_value(), c.refused) << c.what;
        EXPECT_EQ(labels.size(), c.added ? 2u : 1u) << c.what;
        if (c.added) {
            EXPECT_EQ(labels.back(), c.answer) << c.what;
        }
        if (c.refused) {
            EXPECT_EQ(r.refusal->icon, ui::Icon::Exclamation) << c.what;
        }
    }
}

TEST(RemoveLabel, OnlyTheSelectedItem) {
    Labels labels{"a", "b", "a"};
    EXPECT_FALSE(hasSelection(labels, -1));
    EXPECT_FALSE(hasSelection(labels, 3));
    EXPECT_TRUE(hasSelection(labels, 2));
    EXPECT_FALSE(removeLabel(labels, -1));
    EXPECT_FALSE(removeLabel(labels, 3));
    EXPECT_EQ(labels.size(), 3u);
    EXPECT_TRUE(removeLabel(labels, 2));
    EXPECT_EQ(labels, (Labels{"a", "b"}));
    EXPECT_EQ(deleteConfirmation("b").text, "bを削除します。よろしいですか？");
    EXPECT_EQ(deleteConfirmation("b").buttons, ui::Buttons::OKCancel);
}

TEST(RenameCheck, SelectionEmptyTextRefusalAndQuestion) {
    const Labels labels{"朝食前", "夕食後"};
    using Kind = RenameCheck::Kind;
    struct Case {
        const char* what;
        int selected;
        const char* to;
        Kind kind;
        const char* title;
    };
    const Case cases[] = {
        {"no selection", -1, "散歩後", Kind::Nothing, ""},
        {"a lost selection", 2, "散歩後", Kind::Nothing, ""},
        {"empty new text", 0, "", Kind::Refused, "変更後コメント未入力"},
        {"a double quote", 0, "a\"b", Kind::Refused, "使用できない文字"},
        {"an emoji", 0, "😀", Kind::Refused, "使用できない文字"},
        {"a storable text", 1, "散歩後", Kind::Confirm, "クリア確認"},
    };
    for (const auto& c : cases) {
        RenameCheck check = checkRename(labels, c.selected, c.to);
        EXPECT_EQ(check.kind, c.kind) << c.what;
        EXPECT_EQ(check.message.title, c.title) << c.what;
    }
    RenameCheck ok = checkRename(labels, 1, "散歩後");
    EXPECT_EQ(ok.message.text, "『夕食後』 を 『散歩後』 に変更します。よろしいですか？");
    EXPECT_EQ(ok.from, "夕食後");
    EXPECT_EQ(ok.to, "散歩後");
}

TEST(Rename, ReplacesExactMatchesOnlyEverywhere) {
    Labels labels{"朝食前", "朝食前 ", "夕食", "朝食前"};
    EXPECT_EQ(replaceLabel(labels, "朝食前", "夕食"), 2);
    EXPECT_EQ(labels, (Labels{"夕食", "朝食前 ", "夕食", "夕食"}));

    const std::vector<core::WeightRecord> records{
        {"2024/06/01", "朝食前", 60.5f, "7:05:09", "", ""},
        {"2024/06/01", "朝食前後", 60.0f, "", "", ""},
        {"2024/06/02", "朝食前", 59.8f, "日記", "x", "y"},
        {"2024/06/02", "", 59.9f, "", "", ""},
    };
    RenamedRecords renamed = renameSituation(records, "朝食前", "起床後");
    EXPECT_EQ(renamed.count, 2);
    ASSERT_EQ(renamed.records.size(), records.size());
    const char* situations[] = {"起床後", "朝食前後", "起床後", ""};
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(renamed.records[i].Situation, situations[i]) << i;
        EXPECT_EQ(renamed.records[i].Date, records[i].Date) << i;
        EXPECT_EQ(renamed.records[i].Weight, records[i].Weight) << i;
        EXPECT_EQ(renamed.records[i].Diary, records[i].Diary) << i;
    }
    EXPECT_EQ(renameSituation(records, "無い", "x").count, 0);
}

}  // namespace
}  // namespace setup
