#include "records/list_filter.h"

#include <algorithm>

#include "core/dates.h"

namespace records {
namespace {

bool validWeekday(int16_t weekday) {
    return weekday >= 0 && weekday <= 6;
}

bool inPeriod(const Period& period, std::string_view date) {
    return period.start <= date && date <= period.end;
}

bool onWeekday(int weekday, std::string_view date) {
    auto parsed = core::parseDate(date);
    return parsed && std::chrono::weekday(std::chrono::sys_days(*parsed)).c_encoding() ==
                         static_cast<unsigned>(weekday);
}

}  // namespace

bool listed(const ListFilter& filter, const core::WeightRecord& record) {
    if (filter.period && !inPeriod(*filter.period, record.Date)) return false;
    if (filter.dates &&
        std::find(filter.dates->begin(), filter.dates->end(), record.Date) == filter.dates->end())
        return false;
    if (filter.weekday && !onWeekday(*filter.weekday, record.Date)) return false;
    if (filter.keyword && record.Situation.find(*filter.keyword) == std::string::npos) return false;
    return true;
}

ListBuilder chooseBuilder(std::string_view keyword, int16_t selectedWeekday) {
    if (validWeekday(selectedWeekday))
        return keyword.empty() ? ListBuilder::DSP_LIST_WEEK : ListBuilder::DSP_LIST_WEEK_KEY;
    return keyword.empty() ? ListBuilder::DSP_LIST_PERIOD : ListBuilder::DSP_LIST_KEY;
}

ListFilter filterFor(ListBuilder builder, std::string_view start, std::string_view end,
                     std::string_view keyword, int16_t selectedWeekday) {
    ListFilter filter;
    if (builder == ListBuilder::DSP_LIST_ALL) return filter;
    filter.period = Period{std::string(start), std::string(end)};
    bool byKey = builder == ListBuilder::DSP_LIST_KEY || builder == ListBuilder::DSP_LIST_WEEK_KEY;
    bool byWeek =
        builder == ListBuilder::DSP_LIST_WEEK || builder == ListBuilder::DSP_LIST_WEEK_KEY;
    if (byKey) filter.keyword = std::string(keyword);
    if (byWeek && validWeekday(selectedWeekday)) filter.weekday = selectedWeekday;
    return filter;
}

}  // namespace records
