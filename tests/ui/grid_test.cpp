// A grid whose rows come from a source reads like one filled cell by cell,
// and asks the source only for the rows that are read.
#include <gtest/gtest.h>

#include <sstream>

#include "ui/controls.h"

namespace ui {
namespace {

constexpr Color kMark{255, 0, 0};

std::string cellText(int index, int col) {
    return std::to_string(index) + ":" + std::to_string(col);
}

void giveRow(int index, Grid::RowCells& row) {
    for (size_t c = 0; c < row.texts.size(); ++c) row.texts[c] = cellText(index, int(c));
    if (index % 2) row.colors[1] = kMark;
}

// The same content, cell by cell.
void fillByHand(Grid& grid, int count) {
    grid.setRows(count + 1);
    for (int r = 1; r <= count; ++r) {
        for (int c = 0; c < grid.cols(); ++c) grid.setText(r, c, cellText(r - 1, c));
        if ((r - 1) % 2) grid.setCellColor(r, 1, kMark);
    }
}

std::string dumped(const Grid& grid) {
    std::ostringstream out;
    grid.dump(out);
    return out.str();
}

struct GridPair {
    Form form;
    Grid sourced{form, "msgA", nullptr, 3};
    Grid byHand{form, "msgA", nullptr, 3};
    int asked = 0;

    GridPair(int count) {
        sourced.setText(0, 0, "head");
        byHand.setText(0, 0, "head");
        sourced.setRowSource(count, [this](int index, Grid::RowCells& row) {
            ++asked;
            giveRow(index, row);
        });
        fillByHand(byHand, count);
    }
};

TEST(GridRowSource, AsksOnlyForTheRowsRead) {
    GridPair g(1000);
    EXPECT_EQ(g.sourced.rows(), 1001);
    EXPECT_EQ(g.asked, 0);
    EXPECT_EQ(g.sourced.text(500, 2), cellText(499, 2));
    EXPECT_EQ(g.sourced.text(500, 0), cellText(499, 0));
    EXPECT_EQ(g.asked, 1);
    EXPECT_EQ(g.sourced.text(0, 0), "head");
    EXPECT_EQ(g.asked, 1);
}

// Every change a panel makes after filling leaves the grid as the same
// change on a grid filled by hand.
TEST(GridRowSource, ChangesAfterFillingMatchAGridFilledByHand) {
    struct Change {
        const char* what;
        void (*apply)(Grid&);
    };
    const Change changes[] = {
        {"nothing", [](Grid&) {}},
        {"a text", [](Grid& g) { g.setText(3, 1, "edited"); }},
        {"a colour", [](Grid& g) { g.setCellColor(4, 0, kMark); }},
        {"fewer rows", [](Grid& g) { g.setRows(4); }},
        {"header only", [](Grid& g) { g.setRows(1); }},
        {"more rows", [](Grid& g) { g.setRows(12); }},
        {"a row removed", [](Grid& g) { g.removeRow(2); }},
        {"a row added",
         [](Grid& g) {
             g.addRow({"x", "y", "z"});
         }},
        {"a new source", [](Grid& g) { g.setRowSource(2, giveRow); }},
        {"scrolled", [](Grid& g) { g.setTopRow(7); }},
    };
    for (const Change& change : changes) {
        GridPair g(8);
        change.apply(g.sourced);
        change.apply(g.byHand);
        if (std::string(change.what) == "a new source") fillByHand(g.byHand, 2);
        EXPECT_EQ(dumped(g.sourced), dumped(g.byHand)) << change.what;
    }
}

TEST(GridRowSource, SettingFewerRowsAsksOnlyForTheRowsKept) {
    GridPair g(32767);
    g.sourced.setRows(1);
    EXPECT_EQ(g.asked, 0);
    GridPair h(32767);
    h.sourced.setRows(3);
    EXPECT_EQ(h.asked, 2);
    EXPECT_EQ(h.sourced.text(2, 1), cellText(1, 1));
}

}  // namespace
}  // namespace ui
