#include "savings/penalty.h"

#include <algorithm>
#include <chrono>

#include "core/fields.h"
#include "core/numbers.h"

namespace savings {
namespace {

// Whole yen, ties to the even number.
int32_t nearestYen(double x) {
    return static_cast<int32_t>(core::roundEven(x));
}

}  // namespace

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
        core::splitFields(line, fields);
        if (fields.size() < 2 || !core::parseDate(fields[0]) || !core::IsNumeric(fields[1])) return;
        double rate = std::clamp(core::Val(fields[1]), -32768.0, 32767.0);
        entries.emplace_back(std::string(fields[0]), static_cast<int16_t>(core::roundEven(rate)));
    });
    if (!entries.empty()) table.entries = std::move(entries);
    return table;
}

float KANSAN_RATE(const ConversionTable& table, std::string_view date) {
    const auto& e = table.entries;
    auto parsed = core::parseDate(date);
    if (!parsed) return e.front().Rate;
    auto day = std::chrono::sys_days(*parsed);
    for (size_t i = 0; i + 1 < e.size(); ++i)
        if (e[i + 1].From && *e[i + 1].From > day) return e[i].Rate;
    return e.back().Rate;
}

int32_t WEIGHING_PENALTY(float W, float P, float F, float R) {
    int32_t a = nearestYen((static_cast<double>(W) - P) * R);
    int32_t b = nearestYen((static_cast<double>(W) - F) * R);
    return std::max(a, 0) + std::max(b, 0);
}

int32_t ADD_PENALTY(int32_t T, double g, float R) {
    if (static_cast<float>(g) > 0) return nearestYen(T + g * R);
    return T;
}

int32_t addWeighing(int32_t T, float W, float P, float F, float R) {
    T = ADD_PENALTY(T, static_cast<double>(W) - P, R);
    return ADD_PENALTY(T, static_cast<double>(W) - F, R);
}

}  // namespace savings
