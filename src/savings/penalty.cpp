#include "savings/penalty.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "core/fields.h"
#include "core/numbers.h"

namespace savings {
namespace {

constexpr double kMaxYen = std::numeric_limits<int32_t>::max();
constexpr double kMinYen = std::numeric_limits<int32_t>::min();

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

// Whole yen, ties to the even number, held within 32 bits.
int32_t saturatedYen(double yen) {
    if (std::isnan(yen)) return 0;
    if (yen >= kMaxYen) return std::numeric_limits<int32_t>::max();
    if (yen <= kMinYen) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(core::roundEven(yen));
}

int32_t addYen(int32_t a, int32_t b) {
    return saturatedYen(static_cast<double>(a) + b);
}

std::optional<int16_t> kansanRate(std::string_view text) {
    if (!core::IsNumeric(text)) return std::nullopt;
    double rate = std::nearbyint(core::Val(text));
    if (!(rate >= -32768.0 && rate <= 32767.0)) return std::nullopt;
    return static_cast<int16_t>(rate);
}

ConversionEntry::ConversionEntry(std::string fromDate, int16_t rate)
    : FromDate(std::move(fromDate)), Rate(rate) {
    if (auto d = core::parseDate(FromDate)) From = std::chrono::sys_days(*d);
}

ConversionTable READ_KANSAN(const core::DataDir& dir) {
    ConversionTable table;
    auto text = dir.readText(kConversionFile);
    if (!text) return table;
    std::vector<ConversionEntry> entries;
    std::vector<std::string_view> fields;
    core::forEachLine(*text, [&](std::string_view line) {
        if (isBlank(line)) return;
        core::splitFields(line, fields);
        std::optional<int16_t> rate;
        if (fields.size() >= 2 && core::parseDate(fields[0])) rate = kansanRate(fields[1]);
        if (rate)
            entries.emplace_back(std::string(fields[0]), *rate);
        else
            ++table.SkippedLines;
    });
    if (!entries.empty()) table.entries = std::move(entries);
    return table;
}

float KANSAN_RATE(const ConversionTable& table, std::string_view date) {
    return RateWalk(table).rateOf(date);
}

float RateWalk::rateOf(std::string_view date) {
    // A table of one entry has one rate for every date, read or not.
    if (entries_.size() == 1) return entries_.front().Rate;
    return rateOn(core::parseDate(date));
}

float RateWalk::rateOn(const std::optional<core::Date>& date) {
    const auto& e = entries_;
    if (!date) return e.front().Rate;
    const std::chrono::sys_days day(*date);
    if (day < last_) at_ = 0;
    last_ = day;
    for (; at_ + 1 < e.size(); ++at_)
        if (e[at_ + 1].From && *e[at_ + 1].From > day) return e[at_].Rate;
    return e.back().Rate;
}

int32_t WEIGHING_PENALTY(float W, float P, float F, float R) {
    int32_t a = saturatedYen((static_cast<double>(W) - P) * R);
    int32_t b = saturatedYen((static_cast<double>(W) - F) * R);
    return addYen(std::max(a, 0), std::max(b, 0));
}

int32_t ADD_PENALTY(int32_t T, double g, float R) {
    if (!(static_cast<float>(g) > 0)) return T;
    double sum = T + g * R;
    return std::isnan(sum) ? T : saturatedYen(sum);
}

int32_t addWeighing(int32_t T, float W, float P, float F, float R) {
    T = ADD_PENALTY(T, static_cast<double>(W) - P, R);
    return ADD_PENALTY(T, static_cast<double>(W) - F, R);
}

}  // namespace savings
