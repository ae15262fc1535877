#include "records/periods.h"

#include <chrono>

namespace records {

const PeriodButtonInfo& infoOf(PeriodButton button) {
    for (const auto& info : kPeriodButtons)
        if (info.button == button) return info;
    return kPeriodButtons[std::size(kPeriodButtons) - 1];
}

Period periodOf(PeriodButton button, core::Date today, std::string_view firstDate,
                const Period& shown) {
    if (button == PeriodButton::cmdKikanF) return shown;
    std::string end = core::dateText(today);
    if (button == PeriodButton::cmdAllDay) return {std::string(firstDate), end};
    auto start = std::chrono::sys_days(today) - std::chrono::days(*infoOf(button).daysBack);
    return {core::dateText(core::Date(start)), end};
}

}  // namespace records
