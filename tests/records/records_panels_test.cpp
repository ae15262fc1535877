// What the scenarios cannot show of the range list and the calendar: a
// printer that does not take the job, and a log that cannot be read.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/frm_main.h"
#include "records/cale_panel.h"
#include "records/taijyu_panel.h"
#include "support/temp_folder.h"
#include "ui/scripted.h"

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

struct Window {
    explicit Window(const TempFolder& folder)
        : window(folder.dir(), scripted.services(&dialogs, &printer)) {
        folder.put("設定.TXT", "\"ヘルプツアー\",0\r\n");
        folder.put("データ.txt",
                   "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n"
                   "\"2024/06/02\",\"朝食前\",59.5,\"\",\"\",\"\"\r\n");
        scripted.clock.set(*core::parseDate("2024/06/02"), {7, 0, 0});
        window.Form_Load();
        dialogs.titles.clear();
    }
    ui::ScriptedServices scripted;
    TitleDialogs dialogs;
    EndingPrinter printer;
    app::frmMain window;
};

ui::Button& sideButton(app::frmMain& window, std::string_view name) {
    return dynamic_cast<ui::Button&>(*window.form.find(name));
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
        Window w(folder);
        sideButton(w.window, "cmdTaijyu").click();
        w.printer.outcome = c.outcome;
        w.printer.font = c.font;
        w.dialogs.queue(ui::Answer::OK, "");
        w.window.panel<records::TaijyuPanel>().cmdPriData.click();
        EXPECT_EQ(w.dialogs.titles, c.titles) << static_cast<int>(c.outcome);
        EXPECT_EQ(w.window.panel<records::TaijyuPanel>().msgBunseki.rows(),
                  3);  // the table stays as it was
    }
}

// The log turns unreadable while a panel is open: each rebuild says so and
// leaves what the panel showed.
TEST(RecordsPanels, AnUnreadableLogIsToldAndChangesNothing) {
    TempFolder folder;
    Window w(folder);
    sideButton(w.window, "cmdTaijyu").click();
    auto& list = w.window.panel<records::TaijyuPanel>();
    ASSERT_EQ(list.msgBunseki.rows(), 3);
    std::filesystem::remove(folder.path() / "データ.txt");
    std::filesystem::create_directory(folder.path() / "データ.txt");

    list.cmdKikan2.press();
    list.cmdWeek(1).press();
    EXPECT_EQ(w.dialogs.titles, (std::vector<std::string>{"読み込みエラー", "読み込みエラー"}));
    EXPECT_EQ(list.msgBunseki.rows(), 3);
    EXPECT_EQ(list.cboStdate.text(), "2024/06/01");  // the period button set nothing
    EXPECT_TRUE(list.fraTaijyu.visible());

    w.dialogs.titles.clear();
    sideButton(w.window, "cmdCale").press();
    EXPECT_EQ(w.dialogs.titles, std::vector<std::string>{"読み込みエラー"});
    EXPECT_EQ(w.window.panel<records::CalePanel>().msgList2.rows(), 1);
    EXPECT_TRUE(w.window.panel<records::CalePanel>().fraCale.visible());
}

}  // namespace
}  // namespace records
