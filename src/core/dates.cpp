#include "core/dates.h"

#include <charconv>
#include <cstdio>

namespace core {
namespace {

bool readNumber(std::string_view& text, int maxDigits, int& value) {
    const char* begin = text.data();
    const char* end = begin + std::min<size_t>(text.size(), static_cast<size_t>(maxDigits));
    auto [stop, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || stop == begin || *begin == '-' || *begin == '+') return false;
    text.remove_prefix(static_cast<size_t>(stop - begin));
    return true;
}

bool readSeparator(std::string_view& text) {
    if (text.empty() || (text.front() != '/' && text.front() != '-')) return false;
    text.remove_prefix(1);
    return true;
}

// Two or four decimal digits with leading zeros.
char* putDigits(char* out, unsigned value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + width;
}

// The digits of "yyyy/mm/dd" in one pass: the form of every date in the
// files, read once a record in some views.
bool readPlainDate(std::string_view t, int& y, int& m, int& d) {
    if (t.size() != 10 || t[4] != '/' || t[7] != '/') return false;
    int value[3] = {0, 0, 0};
    static constexpr int kPart[10] = {0, 0, 0, 0, -1, 1, 1, -1, 2, 2};
    for (size_t i = 0; i < 10; ++i) {
        if (kPart[i] < 0) continue;
        unsigned digit = static_cast<unsigned char>(t[i]) - unsigned('0');
        if (digit > 9) return false;
        value[kPart[i]] = value[kPart[i]] * 10 + static_cast<int>(digit);
    }
    y = value[0];
    m = value[1];
    d = value[2];
    return true;
}

bool isRealDay(int y, int m, int d) {
    static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1) return false;
    bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
    return d <= kMonthDays[m - 1] + (m == 2 && leap ? 1 : 0);
}

}  // namespace

bool isPlainDate(std::string_view text) {
    int y = 0, m = 0, d = 0;
    return readPlainDate(text, y, m, d) && y >= 1000 && isRealDay(y, m, d);
}

std::optional<Date> parseDate(std::string_view text) {
    int y = 0, m = 0, d = 0;
    if (!readPlainDate(text, y, m, d) &&
        (text.size() < 8 || !readNumber(text, 4, y) || !readSeparator(text) ||
         !readNumber(text, 2, m) || !readSeparator(text) || !readNumber(text, 2, d) ||
         !text.empty()))
        return std::nullopt;
    Date date{std::chrono::year(y), std::chrono::month(static_cast<unsigned>(m)),
              std::chrono::day(static_cast<unsigned>(d))};
    if (y < 1000 || !date.ok()) return std::nullopt;
    return date;
}

std::string Format(Date date, std::string_view pattern) {
    int y = static_cast<int>(date.year());
    unsigned m = static_cast<unsigned>(date.month());
    unsigned d = static_cast<unsigned>(date.day());
    char buf[40];
    if (y < 0 || y > 9999) {  // beyond four digits: printf's widths
        if (pattern == "yy/mm/dd")
            std::snprintf(buf, sizeof buf, "%02d/%02u/%02u", y % 100, m, d);
        else if (pattern == "yyyy年mm月")
            std::snprintf(buf, sizeof buf, "%04d年%02u月", y, m);
        else
            std::snprintf(buf, sizeof buf, "%04d/%02u/%02u", y, m, d);
        return buf;
    }
    char* out = buf;
    if (pattern == "yy/mm/dd") {
        out = putDigits(out, static_cast<unsigned>(y % 100), 2);
        *out++ = '/';
        out = putDigits(out, m, 2);
        *out++ = '/';
        out = putDigits(out, d, 2);
    } else if (pattern == "yyyy年mm月") {
        std::string text(buf, putDigits(buf, static_cast<unsigned>(y), 4));
        text += "年";
        text.append(buf, putDigits(buf, m, 2));
        return text + "月";
    } else {
        out = putDigits(out, static_cast<unsigned>(y), 4);
        *out++ = '/';
        out = putDigits(out, m, 2);
        *out++ = '/';
        out = putDigits(out, d, 2);
    }
    return std::string(buf, out);
}

std::string dateText(Date date) {
    return Format(date, "yyyy/mm/dd");
}

void addShortDateTexts(Date first, size_t count, std::vector<std::string>& out) {
    out.reserve(out.size() + count);
    // The day is counted on from the first; the month and the year are
    // worked out again only when it runs past the month's end.
    std::chrono::sys_days day(first);
    for (size_t i = 0; i < count;) {
        const Date date(day);
        std::string month = Format(date, "yy/mm/dd");
        month.resize(month.size() - 2);  // "yy/mm/"
        const auto last =
            static_cast<unsigned>((date.year() / date.month() / std::chrono::last).day());
        for (unsigned d = static_cast<unsigned>(date.day()); d <= last && i < count; ++d, ++i) {
            std::string& text = out.emplace_back(month);
            text.push_back(static_cast<char>('0' + d / 10));
            text.push_back(static_cast<char>('0' + d % 10));
            day += std::chrono::days(1);
        }
    }
}

int daysBetween(Date from, Date to) {
    return static_cast<int>((std::chrono::sys_days(to) - std::chrono::sys_days(from)).count());
}

std::string_view weekdayName(Date date) {
    static constexpr std::string_view kNames[] = {"日", "月", "火", "水", "木", "金", "土"};
    return kNames[std::chrono::weekday(std::chrono::sys_days(date)).c_encoding()];
}

std::string longTimeText(TimeOfDay time) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d", time.hours, time.minutes, time.seconds);
    return buf;
}

}  // namespace core
