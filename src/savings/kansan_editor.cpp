#include "savings/kansan_editor.h"

#include "core/dates.h"
#include "core/fields.h"

namespace savings {
namespace {

constexpr int32_t kMaxEntries = 32767;  // the table's counter is 16-bit

std::string_view trimmed(std::string_view text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

KansanEdit refused(std::string_view text, std::string_view title) {
    return {std::nullopt, {std::string(text), std::string(title)}};
}

KansanEdit noRowChosen() {
    return refused("対象の換算値をクリックしてください。", "換算値選択確認");
}

bool hasRow(const ConversionTable& table, int32_t row) {
    return row >= 1 && static_cast<size_t>(row) <= table.entries.size();
}

}  // namespace

std::optional<std::string> kansanDate(std::string_view text) {
    auto date = core::parseDate(trimmed(text));
    if (!date) return std::nullopt;
    return core::dateText(*date);
}

KansanInput checkKansanInput(std::string_view dateText, std::string_view rateText) {
    auto date = kansanDate(dateText);
    if (!date) return {std::nullopt, {"日付の形式がおかしいようです。", "時間入力確認"}};
    auto rate = kansanRate(rateText);
    if (!rate)
        return {std::nullopt,
                {"換算値は -32768 から 32767 までの数値を入力してください。", "換算値入力確認"}};
    return {ConversionEntry(*date, *rate), {}};
}

KansanEdit addKansan(const ConversionTable& table, const ConversionEntry& entry) {
    if (table.entries.size() >= static_cast<size_t>(kMaxEntries))
        return refused("これ以上換算値を追加することはできません。", "換算値追加禁止");
    ConversionTable edited = table;
    edited.entries.push_back(entry);
    return {std::move(edited), {}};
}

KansanEdit changeKansan(const ConversionTable& table, int32_t row, const ConversionEntry& entry) {
    if (!hasRow(table, row)) return noRowChosen();
    ConversionTable edited = table;
    edited.entries[static_cast<size_t>(row - 1)] = entry;
    return {std::move(edited), {}};
}

KansanEdit deleteKansan(const ConversionTable& table, int32_t row) {
    if (table.entries.size() <= 1)
        return refused("全部のデータを削除することはできません。", "全データ削除禁止");
    if (!hasRow(table, row)) return noRowChosen();
    ConversionTable edited = table;
    edited.entries.erase(edited.entries.begin() + (row - 1));
    return {std::move(edited), {}};
}

std::string addQuestion(std::string_view date, std::string_view rate) {
    return std::string(date) + " " + std::string(rate) + " を追加します。よろしいですか？";
}

std::string changeQuestion(std::string_view rowDate, std::string_view rowRate,
                           std::string_view date, std::string_view rate) {
    return std::string(rowDate) + " " + std::string(rowRate) + " を " + std::string(date) + " " +
           std::string(rate) + " に変更します。よろしいですか？";
}

std::string deleteQuestion(std::string_view rowDate, std::string_view rowRate) {
    return std::string(rowDate) + " " + std::string(rowRate) + " を削除します。よろしいですか？";
}

std::string kansanText(const ConversionTable& table) {
    std::string text;
    for (const auto& entry : table.entries)
        core::LineWriter(text).text(entry.FromDate).number(std::to_string(entry.Rate)).end();
    return text;
}

core::Status writeKansan(const core::DataDir& dir, const ConversionTable& table) {
    bool valid = !table.entries.empty();
    for (const auto& entry : table.entries)
        valid = valid && core::parseDate(entry.FromDate).has_value();
    if (!valid)
        return core::Status::failure(std::string(kConversionFile),
                                     "換算値の日付が正しくありません");
    return dir.writeText(kConversionFile, kansanText(table));
}

}  // namespace savings
