// 編集's profile and new start in the window: where a refusal sends the
// user, and a save that the disk does not take.
#include "setup/profile_editor.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "setup/settei_panel.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace setup {
namespace {

constexpr std::string_view kLog = "\"2024/06/01\",\"朝食前\",70,\"\",\"\",\"\"\r\n";
constexpr std::string_view kProfile = "\"氏名\",\"花子\"\r\n\"身長\",168.5\r\n\"目標体重\",65\r\n";

void putFiles(const TempFolder& folder) {
    folder.putHelpTourOff();
    folder.put("データ.txt", kLog);
    folder.put("ﾌﾟﾗｲﾍﾞｰﾄ.txt", kProfile);
    folder.put("状況リスト.txt", "朝食前\r\n");
}

// The new start's group opened and filled with a form that can be saved.
// The window started on the files above, on a disk that takes no write once
// `full` is set (reads still work).
struct FullDisk {
    FullDisk() {
        putFiles(folder);
        window.start();
    }
    TempFolder folder;
    bool full = false;
    core::DataDir dir = [this] {
        core::DataDir d = folder.dir();
        d.setFaultHook([this](core::WriteStep s) { return full && s != core::WriteStep::Read; });
        return d;
    }();
    TestWindow window{dir, {"2024/06/02"}};
};

void openFilledNewStart(ProfileEditor& profile) {
    profile.cmdNew1.press();
    profile.txtPriData1.setText("桜");
    profile.txtSincyou1.setText("158");
    profile.txtMokuTai1.setText("50");
    profile.txtNowTai.setText("74.5");
}

// A refusal of either form says why once and puts the focus in the box it
// names, of the form that was sent; nothing is written and the program goes
// on.
TEST(ProfileEditor, ARefusalSendsTheFocusToItsBoxAndWritesNothing) {
    struct Case {
        const char* what;
        bool newStart;
        std::function<void(ProfileEditor&)> edit;
        const char* focus;
    };
    const Case cases[] = {
        {"profile, no height", false, [](ProfileEditor& p) { p.txtSincyou.setText(""); },
         "txtSincyou"},
        {"profile, target not a number", false,
         [](ProfileEditor& p) { p.txtMokuTai.setText("五十"); }, "txtMokuTai"},
        {"profile, name with a quote", false,
         [](ProfileEditor& p) { p.txtPriData.setText("花\"子"); }, "txtPriData"},
        {"new start, no height", true, [](ProfileEditor& p) { p.txtSincyou1.setText(""); },
         "txtSincyou1"},
        {"new start, no target", true, [](ProfileEditor& p) { p.txtMokuTai1.setText(""); },
         "txtMokuTai1"},
        {"new start, weight zero", true, [](ProfileEditor& p) { p.txtNowTai.setText("0"); },
         "txtNowTai"},
        {"new start, no situation", true, [](ProfileEditor& p) { p.txtNowJyou.setText(""); },
         "txtNowJyou"},
        {"new start, name with an emoji", true,
         [](ProfileEditor& p) { p.txtPriData1.setText("桜😀"); }, "txtPriData1"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        putFiles(folder);
        TestWindow w(folder.dir(), {"2024/06/02"});
        w.start();
        ProfileEditor& profile = w.open<SetteiPanel>().profile;
        if (c.newStart) openFilledNewStart(profile);
        w.dialogs.takeLog();
        c.edit(profile);
        (c.newStart ? profile.cmdStHozon : profile.cmdPHozon1).press();
        EXPECT_EQ(w.dialogs.takeLog().size(), 1u) << c.what;
        ASSERT_NE(w.window.form.focus(), nullptr) << c.what;
        EXPECT_EQ(w.window.form.focus()->name(), c.focus) << c.what;
        EXPECT_EQ(folder.text("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), kProfile) << c.what;
        EXPECT_EQ(folder.text("データ.txt"), kLog) << c.what;
        EXPECT_FALSE(folder.has("データbak.txt")) << c.what;
        EXPECT_FALSE(w.scripted.shell.ended()) << c.what;
    }
}

// データ変更 on a disk that takes no write: the title and the profile the
// window goes by stay as they were, so the panel opened again shows the
// profile of the file.
TEST(ProfileEditor, AProfileThatCannotBeWrittenChangesNothing) {
    FullDisk disk;
    TestWindow& w = disk.window;
    TempFolder& folder = disk.folder;
    bool& diskFull = disk.full;
    const std::string title = w.window.form.title();
    ProfileEditor& profile = w.open<SetteiPanel>().profile;
    diskFull = true;
    profile.txtPriData.setText("桜");
    profile.txtSincyou.setText("160");
    profile.cmdPHozon1.press();
    auto shown = w.dialogs.takeLog();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("title=\"保存エラー\""), std::string::npos) << shown[0];
    EXPECT_EQ(w.window.form.title(), title);
    EXPECT_EQ(folder.text("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), kProfile);
    EXPECT_EQ(w.window.values().get<core::Profile>().Height, 168.5f);
    EXPECT_EQ(w.window.values().get<core::Profile>().UserName, "花子");
}

// 新規登録 on a disk that takes no write: the program does not end, the log
// is as it was, and the group stays open with what the user typed.
TEST(ProfileEditor, ANewStartThatCannotBeWrittenKeepsTheProgramAndTheForm) {
    FullDisk disk;
    TestWindow& w = disk.window;
    TempFolder& folder = disk.folder;
    bool& diskFull = disk.full;
    ProfileEditor& profile = w.open<SetteiPanel>().profile;
    openFilledNewStart(profile);
    w.dialogs.takeLog();
    diskFull = true;
    w.dialogs.queue(ui::Answer::OK);
    profile.cmdStHozon.press();
    auto shown = w.dialogs.takeLog();
    ASSERT_EQ(shown.size(), 2u);  // the question, then why nothing was saved
    EXPECT_NE(shown[1].find("title=\"保存エラー\""), std::string::npos) << shown[1];
    EXPECT_FALSE(w.scripted.shell.ended());
    EXPECT_EQ(folder.text("データ.txt"), kLog);
    EXPECT_EQ(folder.text("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), kProfile);
    EXPECT_TRUE(profile.fraNew.visible());
    EXPECT_EQ(profile.txtSincyou1.text(), "158");
    EXPECT_EQ(profile.txtNowTai.text(), "74.5");
}

}  // namespace
}  // namespace setup
