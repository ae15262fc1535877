// The period buttons of the range list: each sets the period from today back
// by a fixed number of days, or from the log's first date, or leaves the
// period as the user chose it.
#pragma once

#include <optional>
#include <string_view>

#include "core/dates.h"
#include "records/list_filter.h"

namespace records {

enum class PeriodButton {
    cmdKikan1,
    cmdKikan2,
    cmdKikan3,
    cmdKikan4,
    cmdKikan5,
    cmdKikan6,
    cmdKikan7,
    cmdKikan8,
    cmdAllDay,
    cmdKikanF,
};

struct PeriodButtonInfo {
    PeriodButton button;
    std::string_view caption;
    std::optional<int> daysBack;  // none: the start is not counted back from today
};

// The buttons in the order of their periods, shortest first.
inline constexpr PeriodButtonInfo kPeriodButtons[] = {
    {PeriodButton::cmdKikan1, "前日", 1},
    {PeriodButton::cmdKikan8, "３日", 2},
    {PeriodButton::cmdKikan2, "１週間", 7},
    {PeriodButton::cmdKikan3, "２週間", 14},
    {PeriodButton::cmdKikan4, "１ヶ月", 30},
    {PeriodButton::cmdKikan5, "３ヶ月", 90},
    {PeriodButton::cmdKikan6, "半年", 180},
    {PeriodButton::cmdKikan7, "１年", 365},
    {PeriodButton::cmdAllDay, "全部", std::nullopt},
    {PeriodButton::cmdKikanF, "任意", std::nullopt},
};

const PeriodButtonInfo& infoOf(PeriodButton button);

// The period a button sets, given today, the date of the log's first record
// (`FirstDate`) and the period the combo boxes show now. Every button but
// "任意" ends the period today; "任意" keeps the period as it stands.
Period periodOf(PeriodButton button, core::Date today, std::string_view firstDate,
                const Period& shown);

}  // namespace records
