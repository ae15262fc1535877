// Calendar dates and times of day as the program writes and reads them.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace core {

using Date = std::chrono::year_month_day;

// Reads "yyyy/mm/dd" (also "yyyy/m/d" and "-" separators); nullopt when the
// text is not a real calendar date.
std::optional<Date> parseDate(std::string_view text);

// "yyyy/mm/dd" exactly and a real date from the year 1000 on: the form of
// every date in the files, checked on every record, so without the general
// reader.
bool isPlainDate(std::string_view text);

// Formats with "yyyy/mm/dd", "yy/mm/dd" or "yyyy年mm月".
std::string Format(Date date, std::string_view pattern);

// "yyyy/mm/dd", the form in which the log stores and compares dates.
std::string dateText(Date date);

// Days from `from` to `to` (negative when `to` is earlier).
int daysBetween(Date from, Date to);

// 日 月 火 水 木 金 土.
std::string_view weekdayName(Date date);

struct TimeOfDay {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

// The long time text: hours without a leading zero, "7:05:09".
std::string longTimeText(TimeOfDay time);

}  // namespace core
