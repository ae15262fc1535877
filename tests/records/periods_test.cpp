#include "records/periods.h"

#include <gtest/gtest.h>

namespace records {
namespace {

core::Date ymd(int y, unsigned m, unsigned d) {
    return core::Date{std::chrono::year(y), std::chrono::month(m), std::chrono::day(d)};
}

TEST(PeriodButtons, StartsCountBackAcrossMonthAndLeapYearEnds) {
    struct Case {
        PeriodButton button;
        core::Date today;
        const char* start;
    };
    const Case cases[] = {
        {PeriodButton::cmdKikan1, ymd(2004, 3, 1), "2004/02/29"},
        {PeriodButton::cmdKikan8, ymd(2004, 3, 1), "2004/02/28"},
        {PeriodButton::cmdKikan2, ymd(2004, 3, 1), "2004/02/23"},
        {PeriodButton::cmdKikan3, ymd(2004, 3, 1), "2004/02/16"},
        {PeriodButton::cmdKikan4, ymd(2004, 3, 1), "2004/01/31"},
        {PeriodButton::cmdKikan5, ymd(2004, 3, 1), "2003/12/02"},
        {PeriodButton::cmdKikan6, ymd(2004, 3, 1), "2003/09/03"},
        {PeriodButton::cmdKikan7, ymd(2004, 3, 1), "2003/03/02"},
        {PeriodButton::cmdKikan4, ymd(2004, 3, 31), "2004/03/01"},
        {PeriodButton::cmdKikan1, ymd(2005, 3, 1), "2005/02/28"},
        {PeriodButton::cmdKikan1, ymd(2004, 1, 1), "2003/12/31"},
        {PeriodButton::cmdKikan7, ymd(2005, 3, 1), "2004/03/01"},
    };
    const Period shown{"2001/01/01", "2001/12/31"};
    for (const auto& c : cases) {
        Period p = periodOf(c.button, c.today, "2000/01/01", shown);
        EXPECT_EQ(p.start, c.start) << infoOf(c.button).caption << " " << core::dateText(c.today);
        EXPECT_EQ(p.end, core::dateText(c.today)) << infoOf(c.button).caption;
    }
}

TEST(PeriodButtons, WholeLogAndFreeChoice) {
    const Period shown{"2001/01/01", "2001/12/31"};
    EXPECT_EQ(periodOf(PeriodButton::cmdAllDay, ymd(2004, 3, 1), "2003/11/01", shown),
              (Period{"2003/11/01", "2004/03/01"}));
    EXPECT_EQ(periodOf(PeriodButton::cmdKikanF, ymd(2004, 3, 1), "2003/11/01", shown), shown);
    // The captions are not in the order of the names.
    EXPECT_EQ(infoOf(PeriodButton::cmdKikan8).caption, "３日");
    EXPECT_EQ(infoOf(PeriodButton::cmdKikan2).caption, "１週間");
}

}  // namespace
}  // namespace records
