#include "setup/weighing_csv.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "core/codepage.h"
#include "core/csv.h"
#include "core/dates.h"
#include "core/fields.h"
#include "core/numbers.h"
#include "core/typed_weight.h"

namespace setup {
namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";  // U+3000

constexpr std::string_view kDateHeaders[] = {"日付", "日時", "date", "datetime", "time"};
constexpr std::string_view kWeightHeaders[] = {"体重", "体重(kg)", "weight", "weight (kg)"};
constexpr std::string_view kSituationHeaders[] = {"状況"};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view s) {
    while (true) {
        if (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
            s.remove_prefix(1);
        else if (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
            s.remove_suffix(1);
        else if (s.starts_with(kIdeographicSpace))
            s.remove_prefix(kIdeographicSpace.size());
        else if (s.ends_with(kIdeographicSpace))
            s.remove_suffix(kIdeographicSpace.size());
        else
            return s;
    }
}

std::optional<size_t> findColumn(const std::vector<std::string>& header,
                                 std::span<const std::string_view> names) {
    for (size_t i = 0; i < header.size(); ++i)
        for (std::string_view name : names)
            if (core::equalIgnoringAsciiCase(trimBlanks(header[i]), name)) return i;
    return std::nullopt;
}

// Reads `least` to `most` digits as a number; false when there are fewer,
// or more digits follow.
bool readNumber(std::string_view& s, size_t least, size_t most, unsigned& value) {
    size_t n = 0;
    value = 0;
    while (n < s.size() && n < most && isDigit(s[n])) value = value * 10 + unsigned(s[n++] - '0');
    if (n < least || (n < s.size() && isDigit(s[n]))) return false;
    s.remove_prefix(n);
    return true;
}

std::string decodeBytes(std::string_view bytes) {
    if (bytes.starts_with(core::kUtf8Bom)) bytes.remove_prefix(core::kUtf8Bom.size());
    return core::isValidUtf8(bytes) ? std::string(bytes) : core::decodeCp932(bytes);
}

struct Columns {
    size_t date = 0, weight = 0;
    std::optional<size_t> situation;
};

// The columns named by the first record.
std::optional<Columns> columnsOf(const core::CsvText& csv) {
    if (csv.records.empty()) return std::nullopt;
    const auto& header = csv.records.front().fields;
    auto date = findColumn(header, kDateHeaders), weight = findColumn(header, kWeightHeaders);
    if (!date || !weight) return std::nullopt;
    return Columns{*date, *weight, findColumn(header, kSituationHeaders)};
}

// The weights already there, by date and situation.
class Seen {
  public:
    bool has(const core::WeightRecord& r) const {
        auto it = weights_.find({r.Date, r.Situation});
        if (it == weights_.end()) return false;
        return std::any_of(it->second.begin(), it->second.end(), [&](float w) {
            return std::fabs(static_cast<double>(w) - static_cast<double>(r.Weight)) <= kSameWeight;
        });
    }
    void add(const core::WeightRecord& r) { weights_[{r.Date, r.Situation}].push_back(r.Weight); }

  private:
    std::map<std::pair<std::string, std::string>, std::vector<float>> weights_;
};

std::optional<core::WeightRecord> readRow(const core::CsvRecord& row, const Columns& c) {
    if (row.malformed || row.fields.size() <= std::max(c.date, c.weight)) return std::nullopt;
    auto date = importDate(row.fields[c.date]);
    auto weight = importWeight(row.fields[c.weight]);
    std::string situation;
    if (c.situation && *c.situation < row.fields.size()) situation = row.fields[*c.situation];
    if (situation.empty()) situation = kImportSituation;
    if (!date || !weight || !core::isStorableText(situation)) return std::nullopt;
    return core::WeightRecord{*date, situation, *weight, "", "", ""};
}

void planRows(std::span<const core::CsvRecord> rows, const Columns& columns, Seen& seen,
              ImportPlan& plan) {
    for (const core::CsvRecord& row : rows) {
        auto record = readRow(row, columns);
        if (!record) {
            ++plan.unreadable;
        } else if (seen.has(*record)) {
            ++plan.duplicates;
            seen.add(*record);
        } else {
            seen.add(*record);
            plan.records.push_back(std::move(*record));
        }
    }
}

}  // namespace

std::string weighingCsv(std::span<const core::WeightRecord> records) {
    std::string out(core::kUtf8Bom);
    out += kCsvHeader;
    out += "\r\n";
    for (const auto& r : records) {
        std::string date = r.Date;
        std::replace(date.begin(), date.end(), '/', '-');
        core::appendCsvRecord(out, {date, r.Situation, core::shortestText(r.Weight), r.Diary});
    }
    return out;
}

ImportPlan planImport(std::string_view bytes, std::span<const core::WeightRecord> log) {
    ImportPlan plan;
    core::CsvText csv = core::readCsv(decodeBytes(bytes));
    auto columns = columnsOf(csv);
    if (!columns) {
        plan.error = kNoCsvColumns;
        return plan;
    }
    Seen seen;
    for (const auto& r : log) seen.add(r);
    planRows(std::span(csv.records).subspan(1), *columns, seen, plan);
    plan.overLimit = log.size() + plan.records.size() > static_cast<size_t>(core::kMaxRecords);
    return plan;
}

std::optional<std::string> importDate(std::string_view cell) {
    std::string_view s = trimBlanks(cell);
    unsigned y = 0, m = 0, d = 0;
    if (!readNumber(s, 4, 4, y) || s.empty() || (s.front() != '-' && s.front() != '/'))
        return std::nullopt;
    const char separator = s.front();
    s.remove_prefix(1);
    if (!readNumber(s, 1, 2, m) || s.empty() || s.front() != separator) return std::nullopt;
    s.remove_prefix(1);
    if (!readNumber(s, 1, 2, d)) return std::nullopt;
    core::Date date{std::chrono::year(static_cast<int>(y)), std::chrono::month(m),
                    std::chrono::day(d)};
    if (!date.ok() || y < 1000) return std::nullopt;
    return core::dateText(date);
}

std::optional<float> importWeight(std::string_view cell) {
    std::string_view s = trimBlanks(cell);
    std::string_view number = s;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    size_t digits = 0;
    while (digits < s.size() && isDigit(s[digits])) ++digits;
    if (digits == 0) return std::nullopt;
    s.remove_prefix(digits);
    if (!s.empty() && s.front() == '.') {
        s.remove_prefix(1);
        size_t fraction = 0;
        while (fraction < s.size() && isDigit(s[fraction])) ++fraction;
        if (fraction == 0) return std::nullopt;
        s.remove_prefix(fraction);
    }
    if (!s.empty()) return std::nullopt;
    auto weight = core::parseTypedWeight(number);
    if (const float* w = std::get_if<float>(&weight)) return *w;
    return std::nullopt;
}

std::string importQuestion(const ImportPlan& plan) {
    if (plan.count() == 0) return std::string(kNothingToImport);
    std::string text = std::to_string(plan.count()) + " 件の記録を取り込みます。\r\n";
    if (plan.duplicates != 0 || plan.unreadable != 0)
        text += "重複 " + std::to_string(plan.duplicates) + " 件、読めない行 " +
                std::to_string(plan.unreadable) + " 行は取り込みません。\r\n";
    return text + "よろしいですか？";
}

std::string importDoneText(int32_t count) {
    return std::to_string(count) + " 件の記録を取り込みました。";
}

std::string exportDoneText(int32_t count, std::string_view fileName, int32_t unreadableLines) {
    std::string text =
        std::to_string(count) + " 件の記録を " + std::string(fileName) + " に書き出しました。";
    if (unreadableLines != 0)
        text += "\r\n読めない行 " + std::to_string(unreadableLines) + " 行は書き出していません。";
    return text;
}

}  // namespace setup
