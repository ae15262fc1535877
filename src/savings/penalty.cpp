#include "savings/penalty.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/fields.h"
#include "core/numbers.h"

namespace savings {
namespace {

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

std::optional<int16_t> kansanRate(std::string_view text) {
    if (!core::IsNumeric(text)) return std::nullopt;
    double rate = std::nearbyint(core::Val(text));
    if (!(rate >= -32768.0 && rate <= 32767.0)) return std::nullopt;
    return static_cast<int16_t>(rate);
}

ConversionEntry::ConversionEntry(std::string fromDate, int16_t rate)
    : FromDate(std::move(fromDate)), Rate(rate) {
    if (auto d = core::parseDate(FromDate)) from = std::chrono::sys_days(*d);
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
            ++table.skippedLines;
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
        if (e[at_ + 1].from && *e[at_ + 1].from > day) return e[at_].Rate;
    return e.back().Rate;
}

int32_t WEIGHING_PENALTY(float W, float P, float F, float R) {
    int32_t a = saturatedYen((static_cast<double>(W) - P) * R);
    int32_t b = saturatedYen((static_cast<double>(W) - F) * R);
    return addYen(std::max(a, 0), std::max(b, 0));
}

}  // namespace savings
