#include "analysis/trend_source.h"

#include <vector>

#include "core/fields.h"
#include "core/numbers.h"

namespace analysis {

std::string TrendSource::captionMark() const {
    switch (basis) {
        case TrendBasis::DayMean:
            return "";
        case TrendBasis::Situation:
            return "（" + label + "）";
        default:
            return "（" + std::string(kTrendBasisCaptions[static_cast<size_t>(basis)]) + "）";
    }
}

TrendSource readTrendSource(const core::DataDir& dir) {
    TrendSource source;
    auto text = dir.readText(kTrendSourceFile);
    if (!text) return source;
    std::vector<std::string> lines;
    core::forEachLine(*text, [&](std::string_view line) { lines.emplace_back(line); });
    if (lines.empty() || !core::IsNumeric(lines[0])) return source;
    const double kind = core::Val(lines[0]);
    if (lines.size() > 1) {
        std::vector<std::string_view> fields;
        core::splitFields(lines[1], fields);
        if (!fields.empty()) source.label = std::string(fields[0]);
    }
    if (kind == 1 || kind == 2 || kind == 3) source.basis = static_cast<TrendBasis>(kind);
    return source;
}

core::Status writeTrendSource(const core::DataDir& dir, const TrendSource& source) {
    std::string text = std::to_string(static_cast<int>(source.basis)) + std::string(core::kLineEnd);
    core::LineWriter(text).text(source.label).end();
    return dir.writeText(kTrendSourceFile, text);
}

}  // namespace analysis
