// A chart's series given whole: one value a row, and a change the window sees.
#include <gtest/gtest.h>

#include "ui/controls.h"

namespace ui {
namespace {

TEST(ChartSeries, AWholeSeriesFitsTheRowsAndIsSeenAsAChange) {
    using Values = std::vector<std::optional<double>>;
    const struct {
        Values given;
        Values kept;
    } cases[] = {
        {{1.5, std::nullopt, 3.0}, {1.5, std::nullopt, 3.0}},
        {{1.5}, {1.5, std::nullopt, std::nullopt}},  // filled up without values
        {{1.0, 2.0, 3.0, 4.0}, {1.0, 2.0, 3.0}},     // cut to the rows
        {{}, {std::nullopt, std::nullopt, std::nullopt}},
    };
    for (const auto& c : cases) {
        Form form;
        Chart chart(form, "mcr", nullptr);
        chart.setSeriesCount(2);
        chart.setRowCount(3);
        chart.setValue(1, 1, 9.0);
        const auto before = chart.revision();
        chart.setSeries(2, c.given);
        EXPECT_EQ(chart.series(2), c.kept);
        EXPECT_EQ(chart.series(1), (Values{9.0, std::nullopt, std::nullopt}));
        EXPECT_NE(chart.revision(), before);
    }
}

}  // namespace
}  // namespace ui
