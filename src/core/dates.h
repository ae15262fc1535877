// Calendar dates and times of day as the program writes and reads them.
#pragma once

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Appends the "yy/mm/dd" texts of `count` days in a row from `first`: the
// items of a box that lists every day of a log.
void addShortDateTexts(Date first, size_t count, std::vector<std::string>& out);

// True when both date texts are the same text; two "yyyy/mm/dd" are compared
// in two loads, for runs of records of one date are told on every record.
inline bool sameDateText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    return a.size() == 10 ? std::memcmp(a.data(), b.data(), 10) == 0 : a == b;
}

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
