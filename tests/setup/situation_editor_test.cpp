// 編集's situation list editor in the window: what a change does when its
// write fails, and a drag whose list was read again while the button was
// held.
#include "setup/situation_editor.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "records/taijyu_panel.h"
#include "setup/settei_panel.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"
#include "weighing/main_panel.h"

namespace setup {
namespace {

using Items = std::vector<std::string>;

constexpr std::string_view kLog =
    "\"2024/06/01\",\"朝食前\",60,\"\",\"\",\"\"\r\n"
    "\"2024/06/01\",\"夕食後\",60.5,\"\",\"\",\"\"\r\n";
constexpr std::string_view kList = "起床後\r\n朝食前\r\n夕食後\r\n";
const Items kItems{"起床後", "朝食前", "夕食後"};

void putFiles(const TempFolder& folder) {
    folder.putHelpTourOff();
    folder.put("データ.txt", kLog);
    folder.put("状況リスト.txt", kList);
}

// A mouse click on an item, as the user makes it: down and up on it.
void clickItem(ui::ListBox& list, int index) {
    list.act([&] {
        list.press(index);
        list.release(index);
    });
}

void drag(ui::ListBox& list, int from, int to) {
    list.act([&] {
        list.press(from);
        list.release(to);
    });
}

// Each change of the list made on a disk that takes no write: the user is
// told, the files are as they were, and no list box shows the change, so
// that none shows what the files do not hold. A dragged order not saved stays
// dragged, 並び替え still waiting.
TEST(SituationEditor, AChangeThatCannotBeWrittenIsShownNowhere) {
    struct Case {
        const char* what;
        std::function<void(TestWindow&, SituationEditor&)> act;
        Items shown;  // lstKoumoku afterwards
        bool sortPending;
    };
    const Case cases[] = {
        {"追加",
         [](TestWindow& w, SituationEditor& e) {
             w.dialogs.queue(ui::Answer::OK, "散歩後");
             e.cmdNew2.press();
         },
         kItems, false},
        {"削除",
         [](TestWindow& w, SituationEditor& e) {
             clickItem(e.lstKoumoku, 1);
             w.dialogs.queue(ui::Answer::OK);
             e.cmdDel.press();
         },
         kItems, false},
        {"全削除",
         [](TestWindow& w, SituationEditor& e) {
             w.dialogs.queue(ui::Answer::OK);
             e.cmdDel2.press();
         },
         kItems, false},
        {"並び替え",
         [](TestWindow&, SituationEditor& e) {
             drag(e.lstKoumoku, 2, 0);
             e.cmdSort.press();
         },
         {"夕食後", "起床後", "朝食前"},
         true},
        {"入れ替え",
         [](TestWindow& w, SituationEditor& e) {
             clickItem(e.lstKoumoku, 1);
             e.txtChg.setText("朝ごはん前");
             w.dialogs.queue(ui::Answer::OK);
             e.cmdChg.press();
         },
         kItems, false},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        putFiles(folder);
        bool diskFull = false;
        core::DataDir dir = folder.dir();
        dir.setFaultHook([&](core::WriteStep s) { return diskFull && s != core::WriteStep::Read; });
        TestWindow w(dir, {"2024/06/01"});
        w.start();
        SituationEditor& editor = w.open<SetteiPanel>().situations;
        diskFull = true;
        c.act(w, editor);
        auto shown = w.dialogs.takeLog();
        ASSERT_FALSE(shown.empty()) << c.what;
        EXPECT_NE(shown.back().find("title=\"保存エラー\""), std::string::npos)
            << c.what << ": " << shown.back();
        EXPECT_EQ(folder.text("状況リスト.txt"), kList) << c.what;
        EXPECT_EQ(folder.text("データ.txt"), kLog) << c.what;
        EXPECT_EQ(editor.lstKoumoku.items(), c.shown) << c.what;
        EXPECT_EQ(editor.sortPending(), c.sortPending) << c.what;
        EXPECT_EQ(w.panel<weighing::MainPanel>().entry.lstAct.items(), kItems) << c.what;
        EXPECT_EQ(w.panel<records::TaijyuPanel>().lstAct2.items(), kItems) << c.what;
    }
}

// The list read again between the press and the release (another part of
// the window wrote it): the drag moves the pressed item only when that item
// still stands where it was pressed; otherwise it is dropped and the list
// stays as read.
TEST(SituationEditor, ADragOverAListReadAgainMovesOnlyThePressedItem) {
    struct Case {
        const char* what;
        std::string_view listThen;  // the file read again while the button is held
        Items shown;
        bool sortPending;
    };
    const Case cases[] = {
        {"the same list", "起床後\r\n朝食前\r\n夕食後\r\n", {"夕食後", "起床後", "朝食前"}, true},
        {"a label added at the end",
         "起床後\r\n朝食前\r\n夕食後\r\n散歩後\r\n",
         {"夕食後", "起床後", "朝食前", "散歩後"},
         true},
        {"another label where the pressed one was",
         "夕食後\r\n朝食前\r\n起床後\r\n",
         {"夕食後", "朝食前", "起床後"},
         false},
        {"the pressed label gone", "起床後\r\n朝食前\r\n", {"起床後", "朝食前"}, false},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        putFiles(folder);
        TestWindow w(folder.dir(), {"2024/06/01"});
        w.start();
        SituationEditor& editor = w.open<SetteiPanel>().situations;
        editor.lstKoumoku.act([&] {
            editor.lstKoumoku.press(2);
            folder.put("状況リスト.txt", c.listThen);
            w.window.situationsWritten();
            editor.lstKoumoku.release(0);
        });
        EXPECT_EQ(editor.lstKoumoku.items(), c.shown) << c.what;
        EXPECT_EQ(editor.sortPending(), c.sortPending) << c.what;
        EXPECT_EQ(folder.text("状況リスト.txt"), c.listThen) << c.what;  // a drag writes nothing
    }
}

}  // namespace
}  // namespace setup
