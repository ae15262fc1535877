#include "core/snapshot.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <utility>

#include "core/fields.h"

namespace core {

namespace {

// The value of a run of decimal digits, all of them; false for anything else.
bool readDigits(std::string_view text, int& value) {
    if (text.empty()) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// The snapshot names among `names`, each once, newest first.
std::vector<std::pair<SnapshotName, std::string>> newestFirst(
    const std::vector<std::string>& names) {
    std::vector<std::pair<SnapshotName, std::string>> out;
    for (const std::string& name : names)
        if (auto parsed = parseSnapshotName(name)) out.emplace_back(*parsed, name);
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a > b; });
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// Whether the rule keeps each of the snapshots, given newest first: each
// part of the rule goes down the list and keeps the first snapshot of each
// new day (week, month) until it has kept its count; the last-snapshots
// part takes every snapshot as a new one.
std::vector<bool> keptByRule(const std::vector<std::pair<SnapshotName, std::string>>& snapshots) {
    using std::chrono::sys_days;
    auto dayOf = [](const SnapshotName& s) {
        return static_cast<int64_t>(sys_days(s.date).time_since_epoch().count());
    };
    struct Part {
        int left;
        std::function<int64_t(const SnapshotName&, size_t)> period;
        std::optional<int64_t> last = std::nullopt;
    };
    Part parts[] = {
        {kKeepLast, [](const SnapshotName&, size_t i) { return static_cast<int64_t>(i); }},
        {kKeepDaily, [&](const SnapshotName& s, size_t) { return dayOf(s); }},
        // A week is known by its Sunday.
        {kKeepWeekly,
         [&](const SnapshotName& s, size_t) {
             const std::chrono::weekday weekday{sys_days(s.date)};
             return dayOf(s) - static_cast<int64_t>(weekday.c_encoding());
         }},
        {kKeepMonthly,
         [](const SnapshotName& s, size_t) {
             return int64_t{static_cast<int>(s.date.year())} * 12 +
                    static_cast<unsigned>(s.date.month());
         }},
    };
    std::vector<bool> kept(snapshots.size(), false);
    for (size_t i = 0; i < snapshots.size(); ++i) {
        for (Part& part : parts) {
            const int64_t period = part.period(snapshots[i].first, i);
            if (part.left == 0 || part.last == period) continue;
            part.last = period;
            --part.left;
            kept[i] = true;
        }
    }
    return kept;
}

std::vector<std::string> keptOrRemoved(const std::vector<std::string>& names, bool keptOnes) {
    const auto snapshots = newestFirst(names);
    const std::vector<bool> kept = keptByRule(snapshots);
    std::vector<std::string> out;
    for (size_t i = 0; i < snapshots.size(); ++i)
        if (kept[i] == keptOnes) out.push_back(snapshots[i].second);
    return out;
}

}  // namespace

bool isSnapshotFile(std::string_view name) {
    return std::any_of(kSnapshotFiles.begin(), kSnapshotFiles.end(),
                       [&](std::string_view file) { return equalIgnoringAsciiCase(file, name); });
}

std::strong_ordering operator<=>(const SnapshotName& a, const SnapshotName& b) {
    if (auto c = a.date <=> b.date; c != 0) return c;
    if (auto c = a.time.hours <=> b.time.hours; c != 0) return c;
    if (auto c = a.time.minutes <=> b.time.minutes; c != 0) return c;
    if (auto c = a.time.seconds <=> b.time.seconds; c != 0) return c;
    return a.sequence <=> b.sequence;
}

std::optional<SnapshotName> parseSnapshotName(std::string_view name) {
    // "yyyymmdd-hhmmss", then "-N" with N from 2 to nine digits.
    if (name.size() < 15 || name[8] != '-') return std::nullopt;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (!readDigits(name.substr(0, 4), y) || !readDigits(name.substr(4, 2), mo) ||
        !readDigits(name.substr(6, 2), d) || !readDigits(name.substr(9, 2), h) ||
        !readDigits(name.substr(11, 2), mi) || !readDigits(name.substr(13, 2), s))
        return std::nullopt;
    SnapshotName out;
    out.date = Date{std::chrono::year(y), std::chrono::month(static_cast<unsigned>(mo)),
                    std::chrono::day(static_cast<unsigned>(d))};
    if (y < 1000 || !out.date.ok() || h > 23 || mi > 59 || s > 59) return std::nullopt;
    out.time = {h, mi, s};
    std::string_view rest = name.substr(15);
    if (rest.empty()) return out;
    if (rest.size() < 2 || rest.size() > 10 || rest[0] != '-' || rest[1] == '0' ||
        !readDigits(rest.substr(1), out.sequence) || out.sequence < 2)
        return std::nullopt;
    return out;
}

std::string snapshotNameText(const SnapshotName& name) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02u%02u-%02d%02d%02d",
                  static_cast<int>(name.date.year()), static_cast<unsigned>(name.date.month()),
                  static_cast<unsigned>(name.date.day()), name.time.hours, name.time.minutes,
                  name.time.seconds);
    std::string out = text;
    if (name.sequence != 1) out.append("-").append(std::to_string(name.sequence));
    return out;
}

std::vector<std::string> snapshotsToKeep(const std::vector<std::string>& names) {
    return keptOrRemoved(names, true);
}

std::vector<std::string> snapshotsToRemove(const std::vector<std::string>& names) {
    return keptOrRemoved(names, false);
}

}  // namespace core
