#include "analysis/day_averages.h"

#include <algorithm>
#include <charconv>
#include <chrono>

#include "analysis/day_means.h"
#include "core/numbers.h"

namespace analysis {
namespace {

constexpr std::string_view kUnreadableLogDate =
    "体重データに日付として読めないものがあるため、日毎平均を表示できません。";
constexpr std::string_view kTooManyDays = "日数が 32767 日を超えるため、日毎平均を表示できません。";
constexpr std::string_view kTooManyWeeks =
    "週の数が 32767 を超えるため、週毎平均を表示できません。";
constexpr std::string_view kTooManyMonths =
    "月の数が 32767 を超えるため、月毎平均を表示できません。";
constexpr std::string_view kUnreadableBox =
    "期間の日付が読めません。yy/mm/dd の形で入力してください。";
constexpr std::string_view kEndBeforeStart = "期間の終わりの日付が始めの日付より前になっています。";

constexpr int kListX = 9000;

struct Day {
    float sum = 0;
    int32_t count = 0;
    bool weighed = false;  // the count before a day without weighing is carried
};

// Every calendar day from the earliest record's date to the latest one's,
// each record on its own date, with the last average carried over days without
// weighing.
struct DayTable {
    core::Date first{};
    std::vector<Day> days;
    float highest = 0, lowest = 0;

    core::Date dateOf(size_t d) const {
        return core::Date(std::chrono::sys_days(first) + std::chrono::days(d));
    }
    core::Date last() const { return dateOf(days.size() - 1); }
};

// The days of the records in log order; false when one is no date.
bool readDays(std::span<const core::WeightRecord> records,
              std::vector<std::chrono::sys_days>& days) {
    days.reserve(records.size());
    const std::string* previous = nullptr;  // a run of one date is read once
    for (const auto& r : records) {
        if (previous && core::sameDateText(r.Date, *previous)) {
            days.push_back(days.back());
            continue;
        }
        auto date = core::parseDate(r.Date);
        if (!date) return false;
        days.push_back(std::chrono::sys_days(*date));
        previous = &r.Date;
    }
    return true;
}

// Each record on its own calendar day, whatever the order of the log: the
// days run from the earliest date to the latest. A day's weights are added
// in single precision in log order.
std::string_view placeRecords(std::span<const core::WeightRecord> records, DayTable& table) {
    std::vector<std::chrono::sys_days> days;
    if (!readDays(records, days)) return kUnreadableLogDate;
    auto [earliest, latest] = std::minmax_element(days.begin(), days.end());
    if ((*latest - *earliest).count() >= kMaxDays) return kTooManyDays;
    table.first = core::Date(*earliest);
    table.days.resize(static_cast<size_t>((*latest - *earliest).count()) + 1);
    for (size_t i = 0; i < records.size(); ++i) {
        Day& day = table.days[static_cast<size_t>((days[i] - *earliest).count())];
        day.sum += records[i].Weight;
        ++day.count;
        day.weighed = true;
        table.highest = std::max(table.highest, records[i].Weight);
        table.lowest = std::min(table.lowest, records[i].Weight);
    }
    return {};
}

// Builds the table; an empty text on success, else why it cannot be built.
std::string_view buildDayTable(std::span<const core::WeightRecord> records, DayTable& table) {
    table.highest = table.lowest = records.front().Weight;
    if (auto error = placeRecords(records, table); !error.empty()) return error;
    for (size_t d = 1; d < table.days.size(); ++d)
        if (!table.days[d].weighed) {
            table.days[d].sum = table.days[d - 1].sum;
            table.days[d].count = table.days[d - 1].count;
        }
    return {};
}

float averageOf(const Day& day) {
    return day.sum / static_cast<float>(day.count);
}

void addRow(DayAverages& out, const DayTable& table, size_t d) {
    const Day& day = table.days[d];
    const auto average = static_cast<double>(averageOf(day));
    out.rows.add(table.dateOf(d), day.weighed ? std::optional(average) : std::nullopt);
    out.chart.push_back(average);
}

DayAveragesResult refused(std::string_view why) {
    return {std::string(why), {}};
}

// Reads 1 or 2 digits followed by the separator (none after the last).
bool readPart(std::string_view& text, int& value, bool last) {
    size_t digits = 0;
    while (digits < text.size() && digits < 3 && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 2) return false;
    std::from_chars(text.data(), text.data() + digits, value);
    text.remove_prefix(digits);
    if (last) return text.empty();
    if (text.empty() || (text.front() != '/' && text.front() != '-')) return false;
    text.remove_prefix(1);
    return true;
}

int64_t distanceToLog(core::Date date, core::Date first, core::Date last) {
    if (date < first) return core::daysBetween(date, first);
    if (last < date) return core::daysBetween(last, date);
    return 0;
}

// "yy/mm/dd" in the century nearest to the log's days.
std::optional<core::Date> readShortDate(std::string_view text, core::Date first, core::Date last) {
    int yy = 0, mm = 0, dd = 0;
    if (!readPart(text, yy, false) || !readPart(text, mm, false) || !readPart(text, dd, true))
        return std::nullopt;
    std::optional<core::Date> best;
    int64_t bestDistance = 0;
    int century = static_cast<int>(first.year()) / 100 * 100;
    for (int y = century - 100 + yy; y <= century + 200 + yy; y += 100) {
        core::Date date{std::chrono::year(y), std::chrono::month(static_cast<unsigned>(mm)),
                        std::chrono::day(static_cast<unsigned>(dd))};
        if (!date.ok()) continue;
        int64_t distance = distanceToLog(date, first, last);
        if (!best || distance < bestDistance) {
            best = date;
            bestDistance = distance;
        }
    }
    return best;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The numeric value of an average text in plain decimal, 0 for none.
std::string exportNumber(std::string_view average) {
    double value = core::Val(average);
    return value == 0 ? "0" : core::shortestText(value);
}

// The first day of the week (from Sunday) or the month holding the day.
DayNumber periodStart(DayNumber day, Unit unit) {
    if (unit == Unit::Week) {
        std::chrono::weekday weekday{std::chrono::sys_days(std::chrono::days(day))};
        return day - static_cast<DayNumber>(weekday.c_encoding());
    }
    core::Date date = dateOfDay(day);
    return dayNumber(date.year() / date.month() / 1);
}

DayNumber nextPeriodStart(DayNumber start, Unit unit) {
    if (unit == Unit::Week) return start + 7;
    core::Date date = dateOfDay(start);
    return dayNumber(date.year() / date.month() / 1 + std::chrono::months(1));
}

int64_t periodCount(DayNumber first, DayNumber last, Unit unit) {
    if (unit == Unit::Week) return (periodStart(last, unit) - periodStart(first, unit)) / 7 + 1;
    auto months = [](core::Date d) {
        return int64_t{static_cast<int>(d.year())} * 12 + static_cast<unsigned>(d.month());
    };
    return months(dateOfDay(last)) - months(dateOfDay(first)) + 1;
}

// One row per period; `next` walks the weighed days in date order.
void addPeriodRows(DayAverages& out, const std::vector<DayMean>& days, Unit unit) {
    size_t next = 0;
    double carried = days.front().mean;
    for (DayNumber start = periodStart(days.front().day, unit); next < days.size();) {
        DayNumber end = nextPeriodStart(start, unit);
        double sum = 0;
        int32_t count = 0;
        for (; next < days.size() && days[next].day < end; ++next, ++count) sum += days[next].mean;
        if (count > 0) carried = sum / count;
        out.rows.add(dateOfDay(start), count > 0 ? std::optional(carried) : std::nullopt);
        out.chart.push_back(carried);
        start = end;
    }
}

void printLine(ui::PrintJob& job, std::string text) {
    job.push_back(ui::printX(kListX));
    job.push_back(ui::printText(std::move(text)));
}

}  // namespace

DayRow DayRows::operator[](size_t i) const {
    const Row& row = rows_[i];
    if (row.kind == Row::Kind::Blank) return {};
    return {std::to_string(i + 1), core::Format(row.start, "yy/mm/dd"),
            row.kind == Row::Kind::Weighed ? formatValue(row.average, "0.0") : ""};
}

std::vector<DayRow> DayRows::all() const {
    std::vector<DayRow> rows;
    rows.reserve(size());
    for (size_t i = 0; i < size(); ++i) rows.push_back((*this)[i]);
    return rows;
}

void DayRows::add(core::Date start, std::optional<double> average) {
    rows_.push_back(
        {start, average.value_or(0), average ? Row::Kind::Weighed : Row::Kind::Unweighed});
}

void DayRows::padTo(size_t count) {
    if (count > rows_.size()) rows_.resize(count);
}

DayAveragesResult dayAverages(std::span<const core::WeightRecord> records) {
    DayAveragesResult result;
    if (records.empty()) return result;
    DayTable table;
    if (auto error = buildDayTable(records, table); !error.empty()) return refused(error);
    DayAverages& out = result.table;
    out.rows.reserve(table.days.size());
    out.chart.reserve(table.days.size());
    out.dateItems.reserve(table.days.size());
    for (size_t d = 0; d < table.days.size(); ++d) addRow(out, table, d);
    core::addShortDateTexts(table.first, table.days.size(), out.dateItems);
    out.startText = core::Format(table.first, "yy/mm/dd");
    out.endText = core::Format(table.last(), "yy/mm/dd");
    out.axis = weightAxis(table.lowest, table.highest);
    out.RecordCount = static_cast<int32_t>(records.size());
    return result;
}

DayAveragesResult dayAveragesForPeriod(std::span<const core::WeightRecord> records,
                                       std::string_view startText, std::string_view endText) {
    DayAveragesResult result;
    if (records.empty()) return result;
    DayTable table;
    if (auto error = buildDayTable(records, table); !error.empty()) return refused(error);
    auto start = readBoxDate(startText, table.first, table.last());
    auto end = readBoxDate(endText, table.first, table.last());
    if (!start || !end) return refused(kUnreadableBox);
    if (*end < *start) return refused(kEndBeforeStart);
    int64_t length = int64_t{core::daysBetween(*start, *end)} + 1;
    if (length > kMaxDays) return refused(kTooManyDays);
    DayAverages& out = result.table;
    for (size_t d = 0; d < table.days.size(); ++d)
        if (*start <= table.dateOf(d) && table.dateOf(d) <= *end) addRow(out, table, d);
    out.rows.padTo(static_cast<size_t>(length));
    out.chart.resize(static_cast<size_t>(length));
    out.axis = weightAxis(table.lowest, table.highest);
    out.RecordCount = static_cast<int32_t>(records.size());
    return result;
}

DayAveragesResult periodAverages(std::span<const core::WeightRecord> records, Unit unit) {
    DayAveragesResult result;
    if (records.empty()) return result;
    DayMeans means = dayMeans(records);
    if (means.unreadableDates > 0) return refused(kUnreadableLogDate);
    if (periodCount(means.days.front().day, means.days.back().day, unit) > kMaxDays)
        return refused(unit == Unit::Week ? kTooManyWeeks : kTooManyMonths);
    DayAverages& out = result.table;
    addPeriodRows(out, means.days, unit);
    out.axis = weightAxis(means.lowest, means.highest);
    out.RecordCount = static_cast<int32_t>(records.size());
    return result;
}

std::optional<core::Date> readBoxDate(std::string_view text, core::Date first, core::Date last) {
    text = trimmed(text);
    if (auto full = core::parseDate(text)) return full;
    return readShortDate(text, first, last);
}

std::string dayAverageExport(std::span<const DayRow> rows) {
    std::string text;
    for (const auto& row : rows)
        text += "\"" + row.date + "\"," + exportNumber(row.average) + "\r\n";
    return text;
}

core::Status writeDayAverages(const core::DataDir& dir, std::span<const DayRow> rows) {
    return dir.writeText(kDayAverageFile, dayAverageExport(rows));
}

ui::PrintJob dayAveragePrintJob(std::span<const DayRow> rows) {
    ui::PrintJob job = {ui::printX(0), ui::printY(0), ui::printPicture("mcrAvgtai"), ui::printY(0)};
    printLine(job, "　日付け    　  体重");
    job.push_back(ui::printNewLine());
    printLine(job, std::string(19, '-'));
    job.push_back(ui::printNewLine());
    for (const auto& row : rows) {
        printLine(job, row.date);
        job.push_back(ui::printZone());
        job.push_back(ui::printText(row.average));
        job.push_back(ui::printNewLine());
    }
    job.push_back(ui::printEndDoc());
    return job;
}

}  // namespace analysis
