#include "savings/history.h"

#include "core/dates.h"
#include "core/fields.h"

namespace savings {
namespace {

// "yyyy/mm/dd" as "yy/mm/dd" from its date read; a text that is not a date
// stays as it is.
std::string shortDate(std::string_view text, const std::optional<core::Date>& date) {
    if (!date) return std::string(text);
    // A date read from "yyyy/mm/dd" is written so without its century.
    if (text.size() == 10 && text[4] == '/' && text[7] == '/') return std::string(text.substr(2));
    return core::Format(*date, "yy/mm/dd");
}

// Builds the rows while the log is walked: a row is opened by the first
// record of a run of one date and closed with its amount when the next run
// begins or the log ends.
class HistoryBuilder {
  public:
    // For `records` weighings: at most as many rows, whose room costs
    // nothing until a row takes it.
    HistoryBuilder(const ConversionTable& table, size_t records) : rates_(table) {
        history_.rows.reserve(records);
    }

    void add(const core::WeightRecord& record) {
        if (history_.rows.empty()) previous_ = record.Weight;
        if (history_.rows.empty() || !core::sameDateText(record.Date, *date_)) openRow(record);
        amount_ = addWeighing(amount_, record.Weight, previous_, dayFirst_, rate_);
        previous_ = record.Weight;
    }

    History finish() {
        closeRow();
        return std::move(history_);
    }

  private:
    void openRow(const core::WeightRecord& record) {
        closeRow();
        date_ = &record.Date;
        dayFirst_ = record.Weight;
        // Once per run of one date.
        const std::optional<core::Date> date = core::parseDate(*date_);
        rate_ = rates_.rateOn(date);
        amount_ = 0;
        auto number = static_cast<int32_t>(history_.rows.size() + 1);
        history_.rows.push_back({number, shortDate(*date_, date), 0, 0});
    }

    void closeRow() {
        if (history_.rows.empty()) return;
        HistoryRow& row = history_.rows.back();
        row.amount = static_cast<int32_t>(amount_);
        history_.grandTotal = addYen(history_.grandTotal, row.amount);
        row.total = history_.grandTotal;
    }

    RateWalk rates_;
    History history_;
    const std::string* date_ = nullptr;  // of the run, in the records walked
    float previous_ = 0, dayFirst_ = 0, rate_ = 0;
    double amount_ = 0;  // whole yen within 32 bits
};

}  // namespace

History history(std::span<const core::WeightRecord> records, const ConversionTable& table) {
    HistoryBuilder builder(table, records.size());
    for (const auto& record : records) builder.add(record);
    return builder.finish();
}

HistoryChart historyChart(const History& history) {
    HistoryChart chart;
    chart.total.reserve(history.rows.size() + 1);
    chart.amount.reserve(history.rows.size() + 1);
    for (const auto& row : history.rows) {
        chart.total.emplace_back(row.total);
        chart.amount.emplace_back(row.amount);
    }
    if (history.rows.empty()) {
        chart.total.emplace_back();
        chart.amount.emplace_back();
    }
    return chart;
}

std::string historyText(const History& history) {
    std::string text;
    for (const auto& row : history.rows)
        core::LineWriter(text)
            .text(row.Date)
            .number(std::to_string(row.amount))
            .number(std::to_string(row.total))
            .end();
    return text;
}

core::Status writeHistory(const core::DataDir& dir, const History& history) {
    return dir.writeText(kHistoryFile, historyText(history));
}

}  // namespace savings
