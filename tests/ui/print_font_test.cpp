// The printouts' font: the first of the program's monospaced Japanese fonts
// that the system has, in the program's order, else the system's own, which
// the user then hears of.
#include <gtest/gtest.h>

#include <set>

#include "ui/print_job.h"

namespace ui {
namespace {

TEST(PrintFont, TheFirstOfTheListThatTheSystemHas) {
    struct Case {
        std::set<std::string_view> installed;
        const char* family;
        bool listed;
    };
    const Case cases[] = {
        {{"MS Gothic", "Noto Sans Mono CJK JP", "IPAGothic"}, "Noto Sans Mono CJK JP", true},
        {{"IPAGothic", "MS Gothic"}, "MS Gothic", true},
        {{"ＭＳ ゴシック"}, "ＭＳ ゴシック", true},  // Windows in Japanese
        {{"Noto Sans Mono CJK TC", "TakaoGothic"}, "TakaoGothic", true},
        {{"DejaVu Sans", "Arial"}, "DejaVu Sans Mono", false},
        {{}, "DejaVu Sans Mono", false},
    };
    for (const Case& c : cases) {
        PrintFont font =
            choosePrintFont([&](std::string_view family) { return c.installed.count(family) > 0; },
                            "DejaVu Sans Mono");
        EXPECT_EQ(font.family, c.family);
        EXPECT_EQ(font.listed, c.listed) << c.family;
    }
    EXPECT_NE(printFontNote("DejaVu Sans Mono").find("「DejaVu Sans Mono」で印刷しました"),
              std::string::npos);
}

}  // namespace
}  // namespace ui
