// What the scenarios cannot show: the order of start-up against the window's
// life, the help, the log that cannot be read, the folder's lock, and the
// access keys of every panel.
#include "app/frm_main.h"

#include <gtest/gtest.h>

#include "core/platform.h"
#include "setup/settei_panel.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace app {
namespace {

// Notes, for each message, how many of the window's events came before it.
class NotingDialogs : public ui::ScriptedDialogs {
  public:
    ui::Answer message(std::string_view text, std::string_view title, ui::Icon icon,
                       ui::Buttons buttons) override {
        shown.push_back({std::string(title), shell->events().size()});
        return ui::ScriptedDialogs::message(text, title, icon, buttons);
    }
    std::vector<std::pair<std::string, size_t>> shown;
    const ui::ScriptShell* shell = nullptr;  // the window's, whose events are counted
};

constexpr TestToday kToday{"2024/06/01"};

TEST(StartUp, WelcomeComesAfterTheWindowIsShownAndLoadingHasEnded) {
    TempFolder folder;
    // A diet under way: on an empty folder the program would open the new start.
    folder.put("データ.txt", "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n");
    NotingDialogs dialogs;
    TestWindow w(folder.dir(), kToday, &dialogs);
    dialogs.shell = &w.scripted.shell;
    w.window.Form_Load();
    const auto& events = w.scripted.shell.events();
    ASSERT_GE(events.size(), 5u);
    EXPECT_EQ(events[0], "splash");
    auto at = [&](const char* e) {
        return std::find(events.begin(), events.end(), e) - events.begin();
    };
    EXPECT_LT(at("wait"), at("show"));
    EXPECT_LT(at("show"), at("close splash"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].first, "ヘルプツアー");
    EXPECT_GT(static_cast<long>(dialogs.shown[0].second), at("close splash"));
    EXPECT_FALSE(w.window.state.Loading);
    // Start-up writes no file but the folder's lock and the first snapshot
    // of the day.
    EXPECT_EQ(folder.fileCount(), 3u);
    EXPECT_TRUE(folder.has("yaserunba.lock"));
    EXPECT_EQ(core::listSnapshots(folder.path() / "バックアップ").size(), 1u);
}

TEST(Window, HelpOpensAndTheEndClosesIt) {
    TempFolder folder;
    folder.putHelpTourOff();
    TestWindow w(folder.dir(), kToday);
    w.start();
    w.window.cmdHelp.click();
    EXPECT_EQ(w.scripted.help.openWindows(), 1);
    EXPECT_FALSE(w.scripted.shell.ended());
    w.window.cmdOwari.click();
    EXPECT_EQ(w.scripted.help.openWindows(), 0);
    EXPECT_TRUE(w.scripted.shell.ended());
}

// F1 opens the help at the page of the panel on view, whichever it is.
TEST(Window, HelpOnAPanelOpensItsPage) {
    TempFolder folder;
    folder.putHelpTourOff();
    TestWindow w(folder.dir(), kToday);
    w.start();
    for (const auto& entry : w.window.panels()) {
        entry.button->click();
        w.window.helpOnPanel();
        EXPECT_EQ(w.scripted.help.page(), entry.panel->info().helpPage);
    }
    w.window.cmdHelp.click();
    EXPECT_EQ(w.scripted.help.page(), "index");
}

// A log that cannot be read (here a folder of that name) is said so, in the
// same words, at start-up and by every panel that shows the log as it opens;
// it is never called a failed save, and nothing writes over it.
TEST(Window, ALogThatCannotBeReadIsSaidSoTheSameWayEverywhere) {
    TempFolder folder;
    folder.putHelpTourOff();
    std::filesystem::create_directory(folder.path() / "データ.txt");
    const std::string reason = core::sharedLogRecords(folder.dir())->status.reason();
    ASSERT_FALSE(reason.empty());
    const std::string expected =
        "message icon=exclamation buttons=OK title=\"読み込みエラー\" text=" +
        ui::quoted("「データ.txt」を読めませんでした。\r\n" + reason +
                   "\r\nファイルには何も書き込んでいません。") +
        " answer=OK";
    TestWindow w(folder.dir(), kToday);
    w.window.Form_Load();
    EXPECT_EQ(w.dialogs.takeLog(), std::vector<std::string>{expected}) << "start-up";
    for (const auto& entry : w.window.panels()) {
        entry.button->press();
        auto shown = w.dialogs.takeLog();
        if (entry.panel->frame.name() == "fraMain" || entry.panel->frame.name() == "fraSettei")
            EXPECT_TRUE(shown.empty())
                << entry.panel->frame.name();  // they read no log as they open
        else
            EXPECT_EQ(shown, std::vector<std::string>{expected}) << entry.panel->frame.name();
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "データ.txt"));
}

// One window per data folder: a second start on a folder in use says who has
// it and ends without touching a file; the first window keeps the folder.
TEST(StartUp, ASecondStartOnTheSameFolderIsRefused) {
    TempFolder folder;
    folder.putHelpTourOff();
    folder.put("データ.txt", "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n");
    TestWindow first(folder.dir(), kToday);
    first.start();
    const std::string log = folder.bytes("データ.txt"), lock = folder.bytes("yaserunba.lock");

    TestWindow second(folder.dir(), kToday);
    second.window.Form_Load();
    auto shown = second.dialogs.takeLog();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("このデータフォルダーは別のヤセルンバで使用中です。"),
              std::string::npos);
    EXPECT_TRUE(second.scripted.shell.ended());
    EXPECT_EQ(second.scripted.shell.events(), std::vector<std::string>{"quit"});  // no splash
    EXPECT_EQ(folder.fileCount(), 4u);  // the settings, the log, the lock and the snapshots
    EXPECT_EQ(core::listSnapshots(folder.path() / "バックアップ").size(), 1u);
    EXPECT_EQ(folder.bytes("データ.txt"), log);
    EXPECT_EQ(folder.bytes("yaserunba.lock"), lock);
    EXPECT_FALSE(first.scripted.shell.ended());
}

// A lock that a program left behind when it was killed (its process is gone)
// does not keep the user out: the start takes it over and says nothing.
TEST(StartUp, ALockLeftByAProgramThatIsGoneIsTakenOver) {
    TempFolder folder;
    folder.putHelpTourOff();
    folder.put("データ.txt", "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n");
    // No system gives a process an id this high.
    folder.putBytes("yaserunba.lock",
                    "2000000000\nyaserunba\n" + core::platform::hostName() + "\n");
    TestWindow w(folder.dir(), kToday);
    w.window.Form_Load();
    EXPECT_TRUE(w.dialogs.takeLog().empty());
    EXPECT_FALSE(w.scripted.shell.ended());
    EXPECT_EQ(folder.bytes("yaserunba.lock"), std::to_string(core::platform::processId()) +
                                                  "\nyaserunba\n" + core::platform::hostName() +
                                                  "\n");
}

// Alt with a letter presses exactly one button: no two buttons on screen
// together share a letter, on any panel, in any view inside one, and with
// the new start's group open.
TEST(Window, NoTwoButtonsOnScreenShareALetter) {
    TempFolder folder;
    folder.putHelpTourOff();
    folder.put("データ.txt", "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n");
    TestWindow w(folder.dir(), kToday);
    w.start();
    auto checkLetters = [&](const std::string& where) {
        std::map<char, std::string> seen;
        for (ui::Control* c : w.window.form.controls()) {
            auto* button = dynamic_cast<ui::Button*>(c);
            if (!button || !button->accessKey() || !button->shown()) continue;
            EXPECT_TRUE(button->accessKey() >= 'A' && button->accessKey() <= 'Z') << button->name();
            auto [first, fresh] = seen.emplace(button->accessKey(), button->name());
            EXPECT_TRUE(fresh) << where << ": " << first->second << " and " << button->name();
        }
        return seen.size();
    };
    size_t lettered = 0;
    for (const auto& entry : w.window.panels()) {
        entry.button->click();
        lettered += checkLetters(entry.panel->frame.name());
        for (const host::Panel::SubView& sub : entry.panel->subViews()) {
            sub.open();
            lettered += checkLetters(sub.name);
            sub.close();
        }
    }
    w.window.panel<setup::SetteiPanel>().profile.cmdNew1.click();
    lettered += checkLetters("fraNew");
    EXPECT_GT(lettered, 20u);  // the letters are there to be checked
}

}  // namespace
}  // namespace app
