// The arrow keys in a list box: one item up or down, by key, never past an end.
#include <gtest/gtest.h>

#include "ui/controls.h"

namespace ui {
namespace {

TEST(ListBoxStep, MovesOneItemAndRunsClickOnlyWhenItMoves) {
    const struct {
        int from;
        int by;
        int to;
        int clicks;
    } cases[] = {
        {-1, 1, 0, 1},  // nothing selected: the first item
        {-1, -1, 0, 1}, {0, 1, 1, 1},
        {1, -1, 0, 1},  {2, 1, 2, 0},  // past the last: stays, no click
        {0, -1, 0, 0},                 // past the first
    };
    for (const auto& c : cases) {
        Form form;
        ListBox list(form, "lst", nullptr);
        list.setItems({"朝食前", "夕食後", "就寝前"});
        list.setListIndex(c.from);
        int clicks = 0;
        list.Click = [&] { ++clicks; };
        list.step(c.by);
        EXPECT_EQ(list.listIndex(), c.to) << c.from << " by " << c.by;
        EXPECT_EQ(clicks, c.clicks) << c.from << " by " << c.by;
    }
}

TEST(ListBoxStep, AnEmptyListSelectsNothing) {
    Form form;
    ListBox list(form, "lst", nullptr);
    int clicks = 0;
    list.Click = [&] { ++clicks; };
    list.step(1);
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(clicks, 0);
}

// The user's act takes the focus for a control that can have it, then acts.
TEST(ControlAct, FocusFirstThenTheAction) {
    Form form;
    ListBox list(form, "lst", nullptr);
    Label label(form, "lbl", nullptr);
    Control* focusDuringAction = nullptr;
    list.act([&] { focusDuringAction = form.focus(); });
    EXPECT_EQ(focusDuringAction, &list);
    label.act([&] { focusDuringAction = form.focus(); });
    EXPECT_EQ(focusDuringAction, &list);  // a label takes no focus
}

}  // namespace
}  // namespace ui
