// The list of panels (panel_list.cpp) is the one list of them: the Ctrl
// digits, the help's table of contents, the pictures of the panels and the
// AppStream screenshots follow it. A panel added, moved or renamed there and
// forgotten in one of those fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace app {
namespace {

std::filesystem::path sourceFile(const std::string& name) {
    return std::filesystem::path(YASERUNBA_SOURCE_DIR) / name;
}

std::string readSource(const std::string& name) {
    std::ifstream in(sourceFile(name), std::ios::binary);
    EXPECT_TRUE(in) << name;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The window's panels, in the order of the side column.
class PanelList : public testing::Test {
  protected:
    const std::vector<frmMain::PanelEntry>& panels() const { return w_.window.panels(); }

  private:
    TempFolder folder_;
    TestWindow w_{folder_.dir(), {"2024/06/01"}};
};

// Ctrl and 1 to 9 press the first nine side buttons from the top, Ctrl and 0
// the tenth; any further button has no digit.
TEST_F(PanelList, CtrlDigitsAreOneToNineThenZeroDownTheColumn) {
    ASSERT_GE(panels().size(), 10u);
    for (size_t i = 0; i < panels().size(); ++i) {
        const char expected = i < 9 ? static_cast<char>('1' + i) : i == 9 ? '0' : 0;
        const host::SideButton& button = panels()[i].panel->info().button;
        EXPECT_EQ(button.key, expected) << button.name << " at " << i + 1;
    }
}

// The help's table of contents has one entry a panel, in the order of the
// column, each with the panel's icon and a link to the panel's page; that
// page exists and shows the picture of its panel.
TEST_F(PanelList, TheHelpIndexListsEveryPanelInTheColumnsOrder) {
    const std::string index = readSource("resources/help/index.html");
    size_t after = 0;
    for (const frmMain::PanelEntry& entry : panels()) {
        const host::PanelInfo& info = entry.panel->info();
        const std::string page = std::string(info.helpPage) + ".html";
        const size_t link = index.find("<a href=\"" + page + "\">", after);
        ASSERT_NE(link, std::string::npos)
            << info.frame << ": no link to " << page << " after the panel before it";
        const size_t itemStart = index.rfind("<li>", link);
        const size_t itemEnd = index.find("</li>", link);
        ASSERT_TRUE(itemStart != std::string::npos && itemEnd != std::string::npos) << page;
        const std::string item = index.substr(itemStart, itemEnd - itemStart);
        EXPECT_NE(item.find("src=\"../icons/" + std::string(info.button.icon) + ".svg\""),
                  std::string::npos)
            << item;
        EXPECT_NE(readSource("resources/help/" + page)
                      .find("pictures/" + std::string(info.frame) + ".png"),
                  std::string::npos)
            << page;
        after = itemEnd;
    }
}

// docs/ holds a picture of every panel (README.md, the help and the
// screenshots show them), and the AppStream description lists them all, in
// the order of the column.
TEST_F(PanelList, TheScreenshotsAreThePanelsInTheColumnsOrder) {
    const std::string packaging = readSource("packaging/CMakeLists.txt");
    const size_t start = packaging.find("set(screenshots");
    ASSERT_NE(start, std::string::npos);
    const std::string list = packaging.substr(start, packaging.find("\")", start) - start);
    std::vector<std::string> listed;
    const std::regex shot("\"(fra[A-Za-z]+)\\|");
    for (auto it = std::sregex_iterator(list.begin(), list.end(), shot);
         it != std::sregex_iterator(); ++it)
        listed.push_back((*it)[1]);

    std::vector<std::string> frames;
    for (const frmMain::PanelEntry& entry : panels()) {
        frames.emplace_back(entry.panel->info().frame);
        EXPECT_TRUE(std::filesystem::is_regular_file(sourceFile("docs/" + frames.back() + ".png")))
            << frames.back();
    }
    EXPECT_EQ(listed, frames);
}

}  // namespace
}  // namespace app
