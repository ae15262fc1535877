#include "setup/new_start.h"

#include <gtest/gtest.h>

#include "setup/situation_list.h"
#include "support/temp_folder.h"

namespace setup {
namespace {

NewStartForm filled() {
    return {"花子", "158", "50", "74.5", std::string(kFirstSituation)};
}

TEST(NewStartCheck, RefusesInOrderWithItsMessage) {
    struct Case {
        const char* what;
        void (*edit)(NewStartForm&);
        const char* text;
        const char* title;
        FormBox box;
    };
    const Case cases[] = {
        {"all empty", [](NewStartForm& f) { f = {}; }, "身長が入力されていません", "身長未入力",
         FormBox::Height},
        {"no target", [](NewStartForm& f) { f.target.clear(); }, "目標体重が入力されていません",
         "目標体重未入力", FormBox::Target},
        {"no weight, bad height",
         [](NewStartForm& f) {
             f.weight.clear();
             f.height = "abc";
         },
         "現在の体重が入力されていません", "現体重未入力", FormBox::Weight},
        {"no situation", [](NewStartForm& f) { f.situation.clear(); },
         "初回の状況が入力されていません", "初回状況（コメント）未入力", FormBox::Situation},
        {"height not a number", [](NewStartForm& f) { f.height = "158cm"; },
         "身長は半角の数字で入力してください", "身長入力エラー", FormBox::Height},
        {"height full-width", [](NewStartForm& f) { f.height = "１５８"; },
         "身長は半角の数字で入力してください", "身長入力エラー", FormBox::Height},
        {"height beyond a float", [](NewStartForm& f) { f.height = "1e39"; },
         "身長は半角の数字で入力してください", "身長入力エラー", FormBox::Height},
        {"height zero", [](NewStartForm& f) { f.height = "0"; },
         "身長は０より大きい数字で入力してください", "身長入力エラー", FormBox::Height},
        {"height negative", [](NewStartForm& f) { f.height = "-160"; },
         "身長は０より大きい数字で入力してください", "身長入力エラー", FormBox::Height},
        {"target not a number", [](NewStartForm& f) { f.target = "五十"; },
         "目標体重は半角の数字で入力してください", "目標体重入力エラー", FormBox::Target},
        {"weight not a number", [](NewStartForm& f) { f.weight = "kg"; },
         "現在の体重は半角の数字で入力してください", "現体重入力エラー", FormBox::Weight},
        {"weight zero", [](NewStartForm& f) { f.weight = "0"; },
         "現在の体重は半角の数字で入力してください", "現体重入力エラー", FormBox::Weight},
        {"name with a quote", [](NewStartForm& f) { f.name = "花\"子"; }, nullptr,
         "使用できない文字", FormBox::Name},
        {"name with an emoji", [](NewStartForm& f) { f.name = "花子😀"; }, nullptr,
         "使用できない文字", FormBox::Name},
        {"situation with a quote", [](NewStartForm& f) { f.situation = "\"一歩\""; }, nullptr,
         "使用できない文字", FormBox::Situation},
        {"situation with an emoji", [](NewStartForm& f) { f.situation = "一歩😀"; }, nullptr,
         "使用できない文字", FormBox::Situation},
    };
    for (const auto& c : cases) {
        NewStartForm form = filled();
        c.edit(form);
        auto refusal = checkNewStart(form);
        ASSERT_TRUE(refusal) << c.what;
        if (c.text) {
            EXPECT_EQ(refusal->message.text, c.text) << c.what;
        }
        EXPECT_EQ(refusal->message.title, c.title) << c.what;
        EXPECT_EQ(refusal->message.buttons, ui::Buttons::OK) << c.what;
        EXPECT_EQ(refusal->box, c.box) << c.what;
    }
}

TEST(NewStartCheck, AcceptsWhatTheFormAllows) {
    const char* const weights[] = {"74.5", "74.5kg", " 74.5", "60"};
    for (const char* w : weights) {
        NewStartForm form = filled();
        form.weight = w;
        EXPECT_FALSE(checkNewStart(form)) << w;
    }
    NewStartForm form = filled();
    form.name = "";
    form.situation = "朝,一歩";
    EXPECT_FALSE(checkNewStart(form));
}

TEST(NewStart, BuildsTheFirstRecordAndTheProfile) {
    NewStartForm form = filled();
    form.weight = "74.5kg";
    NewStart start = buildNewStart(form, *core::parseDate("2003/11/08"));
    EXPECT_EQ(core::recordLine(start.first),
              "\"2003/11/08\",\"はじめの一歩\",74.5,\"\",\"\",\"\"\r\n");
    EXPECT_EQ(start.profile.UserName, "花子");
    EXPECT_EQ(start.profile.Height, 158.0f);
    EXPECT_EQ(start.profile.TargetWeight, 50.0f);
}

constexpr const char* kOldLog =
    "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n"
    "\"2024/06/02\",\"朝食前\",61,\"\",\"\",\"\"\r\n";
constexpr const char* kNewLog = "\"2024/07/01\",\"はじめの一歩\",74.5,\"\",\"\",\"\"\r\n";

core::Status startNew(const core::DataDir& dir, NewStartForm form = filled()) {
    return saveNewStart(dir, buildNewStart(form, *core::parseDate("2024/07/01")));
}

TEST(NewStart, KeepsTheOldLogThenReplacesItAndSavesTheProfile) {
    TempFolder folder;
    folder.put("データ.txt", kOldLog);
    folder.put("状況リスト.txt", "散歩後\r\n");
    NewStartForm form = filled();
    form.name = "";
    form.height = "168.5";
    ASSERT_TRUE(startNew(folder.dir(), form));
    EXPECT_EQ(folder.text("データ.txt"), kNewLog);
    EXPECT_EQ(folder.text("データbak.txt"), kOldLog);
    EXPECT_EQ(folder.text("状況リスト.txt"), "散歩後\r\n");  // an existing list stays
    core::Profile p = core::readProfile(folder.dir());
    EXPECT_EQ(p.UserName, "");
    EXPECT_EQ(p.Height, 168.5f);
    EXPECT_EQ(startupTitle(p.UserName), " ヤセルンバ");
    // A second new start keeps the first one's log under the next free name.
    ASSERT_TRUE(startNew(folder.dir()));
    EXPECT_EQ(folder.text("データbak.txt"), kOldLog);
    EXPECT_EQ(folder.text("データbak2.txt"), kNewLog);
}

TEST(NewStart, AFirstStartWritesTheStarterListAndNoBackup) {
    TempFolder folder;
    ASSERT_TRUE(startNew(folder.dir()));
    EXPECT_EQ(folder.text("データ.txt"), kNewLog);
    EXPECT_FALSE(folder.has("データbak.txt"));
    EXPECT_EQ(readSituationList(folder.dir()), starterSituations());
    EXPECT_EQ(core::readProfile(folder.dir()).UserName, "花子");
}

// Whichever of the writes fails (backup, log, list, profile), the start is
// reported as failed and the old log is still whole, in its place or in the
// backup; the profile is written last, so a failure leaves none behind.
TEST(NewStart, AFailedWriteNeverLosesTheOldLog) {
    for (int failing = 1; failing <= 4; ++failing) {
        TempFolder folder;
        folder.put("データ.txt", kOldLog);
        core::DataDir dir = folder.dir();
        int renames = 0;
        dir.setFaultHook([&](core::WriteStep s) {
            return s == core::WriteStep::Rename && ++renames == failing;
        });
        SCOPED_TRACE(failing);
        EXPECT_FALSE(startNew(dir));
        bool kept = folder.text("データ.txt") == kOldLog || folder.text("データbak.txt") == kOldLog;
        EXPECT_TRUE(kept);
        EXPECT_FALSE(folder.has("ﾌﾟﾗｲﾍﾞｰﾄ.txt"));
    }
}

TEST(ProfileCheck, SameRulesWithoutWeightAndSituation) {
    struct Case {
        ProfileForm form;
        const char* title;  // nullptr: accepted
    };
    const Case cases[] = {
        {{"花子", "", "50"}, "身長未入力"},
        {{"花子", "158", ""}, "目標体重未入力"},
        {{"花子", "x", "50"}, "身長入力エラー"},
        {{"花子", "0", "50"}, "身長入力エラー"},
        {{"花子", "158", "50kg"}, "目標体重入力エラー"},
        {{"花😀", "158", "50"}, "使用できない文字"},
        {{"", "158", "50"}, nullptr},
        {{"花子", " 158.5 ", "49.5"}, nullptr},
    };
    for (const auto& c : cases) {
        auto refusal = checkProfile(c.form);
        EXPECT_EQ(refusal.has_value(), c.title != nullptr) << c.form.height << c.form.target;
        if (refusal && c.title) {
            EXPECT_EQ(refusal->message.title, c.title);
        }
    }
    core::Profile p = buildProfile({"花子", "158.5", "49.5"});
    EXPECT_EQ(p.Height, 158.5f);
    EXPECT_EQ(p.TargetWeight, 49.5f);
}

TEST(WindowTitle, StartUpAndAfterSaving) {
    EXPECT_EQ(startupTitle(""), " ヤセルンバ");
    EXPECT_EQ(startupTitle("花子"), " 花子 の ヤセルンバ");
    EXPECT_EQ(profileSavedTitle(""), " ヤセルンバ");
    EXPECT_EQ(profileSavedTitle("花子"), " 花子 ヤセルンバ");
}

}  // namespace
}  // namespace setup
