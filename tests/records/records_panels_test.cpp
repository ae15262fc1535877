// What the scenarios cannot show of the range list and the calendar: a
// printer that does not take the job, and a log that cannot be read.
#include <gtest/gtest.h>

#include <filesystem>

#include "records/cale_panel.h"
#include "records/taijyu_panel.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace records {
namespace {

// A printer whose jobs end as the test says, in the font it says.
class EndingPrinter : public ui::RecordingPrinter {
  public:
    Outcome outcome = Outcome::Printed;
    std::string font;  // a font outside the printouts' own
    Outcome lastJob() const override { return outcome; }
    std::string unlistedFont() const override { return font; }
};

// Notes the title of every message.
class TitleDialogs : public ui::ScriptedDialogs {
  public:
    ui::Answer message(std::string_view text, std::string_view title, ui::Icon icon,
                       ui::Buttons buttons) override {
        titles.emplace_back(title);
        return ui::ScriptedDialogs::message(text, title, icon, buttons);
    }
    std::vector<std::string> titles;
};

// Two days of weighings, the help tour off.
void putTwoDays(const TempFolder& folder) {
    folder.putHelpTourOff();
    folder.put("データ.txt",
               "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n"
               "\"2024/06/02\",\"朝食前\",59.5,\"\",\"\",\"\"\r\n");
}

TEST(TaijyuPrint, OnlyAFailedJobIsReported) {
    using Outcome = ui::Printer::Outcome;
    struct Case {
        Outcome outcome;
        std::string font;
        std::vector<std::string> titles;
    };
    // A job printed in the system's own font says which font it was.
    const Case cases[] = {
        {Outcome::Printed, "", {"印刷確認"}},
        {Outcome::Cancelled, "", {"印刷確認"}},
        {Outcome::Failed, "", {"印刷確認", "印刷エラー"}},
        {Outcome::Printed, "DejaVu Sans Mono", {"印刷確認", "印刷"}},
        {Outcome::Cancelled, "DejaVu Sans Mono", {"印刷確認"}},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        putTwoDays(folder);
        TitleDialogs dialogs;
        EndingPrinter printer;
        TestWindow w(folder.dir(), {"2024/06/02"}, &dialogs, &printer);
        w.start();
        dialogs.titles.clear();
        TaijyuPanel& list = w.open<TaijyuPanel>();
        printer.outcome = c.outcome;
        printer.font = c.font;
        dialogs.queue(ui::Answer::OK, "");
        list.cmdPriData.click();
        EXPECT_EQ(dialogs.titles, c.titles) << static_cast<int>(c.outcome);
        EXPECT_EQ(list.msgBunseki.rows(), 3);  // the table stays as it was
    }
}

// The log turns unreadable while a panel is open: each rebuild says so and
// leaves what the panel showed.
TEST(RecordsPanels, AnUnreadableLogIsToldAndChangesNothing) {
    TempFolder folder;
    putTwoDays(folder);
    TitleDialogs dialogs;
    TestWindow w(folder.dir(), {"2024/06/02"}, &dialogs);
    w.start();
    dialogs.titles.clear();
    TaijyuPanel& list = w.open<TaijyuPanel>();
    ASSERT_EQ(list.msgBunseki.rows(), 3);
    std::filesystem::remove(folder.path() / "データ.txt");
    std::filesystem::create_directory(folder.path() / "データ.txt");

    list.cmdKikan2.press();
    list.cmdWeek(1).press();
    EXPECT_EQ(dialogs.titles, (std::vector<std::string>{"読み込みエラー", "読み込みエラー"}));
    EXPECT_EQ(list.msgBunseki.rows(), 3);
    EXPECT_EQ(list.cboStdate.text(), "2024/06/01");  // the period button set nothing
    EXPECT_TRUE(list.fraTaijyu.visible());

    dialogs.titles.clear();
    CalePanel& calendar = w.open<CalePanel>();
    EXPECT_EQ(dialogs.titles, std::vector<std::string>{"読み込みエラー"});
    EXPECT_EQ(calendar.msgList2.rows(), 1);
    EXPECT_TRUE(calendar.fraCale.visible());
}

}  // namespace
}  // namespace records
