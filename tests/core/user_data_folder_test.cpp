// Where the program keeps its data when no folder is named: the folder that
// the system names for a user's programs, never a guess from HOME on Windows.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/platform.h"

namespace core::platform {
namespace {

#ifdef _WIN32
// The known folder is what %APPDATA% names (Wine sets both alike).
TEST(UserDataFolder, IsTheRoamingApplicationDataFolder) {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    ASSERT_NE(appData, nullptr);
    EXPECT_EQ(userDataFolder(), std::filesystem::path(appData));
}
#else
TEST(UserDataFolder, IsXdgDataHomeElseTheOneInHome) {
    struct Case {
        const char* xdg;  // nullptr: unset
        const char* home;
        std::filesystem::path folder;
    };
    const Case cases[] = {
        {"/data/hanako", "/home/hanako", "/data/hanako"},
        {"", "/home/hanako", "/home/hanako/.local/share"},
        {nullptr, "/home/hanako", "/home/hanako/.local/share"},
    };
    const std::string xdg = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    for (const Case& c : cases) {
        if (c.xdg)
            setenv("XDG_DATA_HOME", c.xdg, 1);
        else
            unsetenv("XDG_DATA_HOME");
        setenv("HOME", c.home, 1);
        EXPECT_EQ(userDataFolder(), c.folder) << (c.xdg ? c.xdg : "unset");
    }
    if (xdg.empty())
        unsetenv("XDG_DATA_HOME");
    else
        setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    setenv("HOME", home.c_str(), 1);
}
#endif

}  // namespace
}  // namespace core::platform
