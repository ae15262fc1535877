#include "records/calendar.h"

#include <algorithm>
#include <charconv>

namespace records {
namespace {

// The weighings of the day being read and where its cell goes.
struct OpenDay {
    std::optional<core::Date> date;
    int row = 0;
    std::vector<float> weights;
};

int32_t& counterOf(CaleCounts& counts, DayClass cls) {
    switch (cls) {
        case DayClass::Lost:
            return counts.lost;
        case DayClass::Unchanged:
            return counts.unchanged;
        case DayClass::Gained:
            return counts.gained;
        case DayClass::Once:
            break;
    }
    return counts.once;
}

void completeDay(Calendar& cal, OpenDay& day, CaleMode mode) {
    if (day.weights.empty()) return;
    DayClass cls = classifyDay(day.weights);
    ++counterOf(cal.counts, cls);
    int dayOfMonth = static_cast<int>(static_cast<unsigned>(day.date->day()));
    cal.cells.push_back({day.row, dayOfMonth, cls, colorOf(cls, mode)});
    day.weights.clear();
}

int32_t unmeasuredDays(const CaleCounts& c, core::Date first, core::Date last) {
    int64_t span = static_cast<int64_t>(core::daysBetween(first, last)) + 1;
    int64_t measured = int64_t{c.lost} + c.unchanged + c.gained + c.once;
    return static_cast<int32_t>(std::max<int64_t>(0, span - measured));
}

// Reads a run of decimal digits of the given length.
std::optional<int> digits(std::string_view& text, size_t count) {
    if (text.size() < count) return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + count, value);
    if (ec != std::errc() || end != text.data() + count || text.front() == '-' ||
        text.front() == '+')
        return std::nullopt;
    text.remove_prefix(count);
    return value;
}

bool literal(std::string_view& text, std::string_view word) {
    if (!text.starts_with(word)) return false;
    text.remove_prefix(word.size());
    return true;
}

}  // namespace

CaleColors caleColors(CaleMode mode) {
    if (mode == CaleMode::Simple) return {ui::kLightGreen, ui::kLightRed};
    return {ui::kLightYellow, ui::Color{192, 192, 255}};
}

DayClass classifyDay(std::span<const float> weights) {
    if (weights.size() < 2) return DayClass::Once;
    if (weights.back() < weights.front()) return DayClass::Lost;
    if (weights.back() > weights.front()) return DayClass::Gained;
    return DayClass::Unchanged;
}

ui::Color colorOf(DayClass cls, CaleMode mode) {
    switch (cls) {
        case DayClass::Lost:
            return ui::kLightGreen;
        case DayClass::Gained:
            return ui::kLightRed;
        case DayClass::Unchanged:
            return caleColors(mode).same;
        case DayClass::Once:
            break;
    }
    return caleColors(mode).once;
}

Calendar calendarDays(std::span<const core::WeightRecord> records, CaleMode mode,
                      core::Date today) {
    Calendar cal;
    OpenDay day;
    std::optional<core::Date> first;
    core::Date last = today;
    // The records of one date come together: their date is read, and its
    // month named, once for all of them.
    std::string_view runText;
    std::optional<core::Date> date;
    std::optional<std::chrono::year_month> named;  // the month of the last row
    for (const auto& record : records) {
        if (record.Date != runText) {
            runText = record.Date;
            date = core::parseDate(record.Date);
            if (!date) continue;
            const std::chrono::year_month month{date->year(), date->month()};
            if (month != named) {
                cal.months.push_back(core::Format(*date, "yyyy年mm月"));
                named = month;
            }
        }
        if (!date) continue;
        if (day.date != date) {
            completeDay(cal, day, mode);
            day.date = date;
            day.row = static_cast<int>(cal.months.size());
        }
        day.weights.push_back(record.Weight);
        if (!first) first = date;
        last = std::max(last, *date);
    }
    completeDay(cal, day, mode);
    if (first) cal.counts.unmeasured = unmeasuredDays(cal.counts, *first, last);
    return cal;
}

CaleSummary caleSummary(const CaleCounts& c) {
    auto days = [](int64_t n) { return std::to_string(n) + "日"; };
    int64_t good = int64_t{c.lost} + c.unchanged;
    int64_t bad = int64_t{c.once} + c.gained;
    CaleSummary s;
    s.lblDn_c = "体重減  " + days(c.lost);
    s.lblUp_c = "体重増  " + days(c.gained);
    s.lblSm_c = "増減無し  " + days(c.unchanged);
    s.lblOne_c = "１回だけ計測  " + days(c.once);
    s.lblNon_c = "未計測  " + days(c.unmeasured);
    s.lblGenT = days(good);
    s.lblZouT = days(bad);
    s.lblHugou = good > bad ? ">" : good == bad ? "=" : "<";
    s.face = good > bad ? Face::Laughing : good == bad ? Face::Smiling : Face::Sad;
    return s;
}

std::optional<core::Date> cellDate(int row, int col, std::string_view monthLabel) {
    if (row < 1 || col < 1 || col > kCaleColumns - 1) return std::nullopt;
    std::string_view text = monthLabel;
    auto year = digits(text, 4);
    if (!year || !literal(text, "年")) return std::nullopt;
    auto month = digits(text, 2);
    if (!month || !literal(text, "月") || !text.empty()) return std::nullopt;
    core::Date date{std::chrono::year(*year), std::chrono::month(static_cast<unsigned>(*month)),
                    std::chrono::day(static_cast<unsigned>(col))};
    if (!date.ok()) return std::nullopt;
    return date;
}

}  // namespace records
