#include "core/settings.h"

#include <limits>
#include <optional>
#include <vector>

#include "core/codepage.h"
#include "core/fields.h"
#include "core/numbers.h"

namespace core {
namespace {

// The first line of a file, without its line end; nullopt when the file is
// missing or empty.
std::optional<std::string> firstLine(const DataDir& dir, std::string_view name) {
    auto text = dir.readText(name);
    if (!text || text->empty()) return std::nullopt;
    std::optional<std::string> line;
    forEachLine(*text, [&](std::string_view l) {
        if (!line) line = std::string(l);
    });
    return line;
}

// The items of each record of a file, record by record.
std::vector<std::vector<std::string>> records(const DataDir& dir, std::string_view name) {
    std::vector<std::vector<std::string>> out;
    auto text = dir.readText(name);
    if (!text) return out;
    std::vector<std::string_view> fields;
    forEachLine(*text, [&](std::string_view line) {
        splitFields(line, fields);
        out.emplace_back(fields.begin(), fields.end());
    });
    return out;
}

// The whole part of a number read from a file, or the file's default when the
// text is no number a setting of that size can hold (1e300, inf).
template <typename Int>
Int settingNumber(std::string_view text, Int fallback) {
    auto whole =
        wholePartIn(Val(text), std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max());
    return whole ? static_cast<Int>(*whole) : fallback;
}

// A profile figure; 0, the empty profile's value, when a single cannot hold it.
float profileNumber(std::string_view text) {
    return toFloat(Val(text)).value_or(0.0f);
}

Status writeLine(const DataDir& dir, std::string_view name, std::string_view line) {
    return dir.writeText(name, std::string(line) + std::string(kLineEnd));
}

}  // namespace

int16_t readHelpTour(const DataDir& dir) {
    auto rec = records(dir, kSetteiFile);
    if (rec.empty() || rec[0].size() < 2) return 1;
    return settingNumber<int16_t>(rec[0][1], 1);
}

Status writeHelpTour(const DataDir& dir, int16_t helpTour) {
    std::string line;
    LineWriter(line).text("ヘルプツアー").number(static_cast<double>(helpTour)).end();
    return dir.writeText(kSetteiFile, line);
}

int readAutoTime(const DataDir& dir) {
    auto line = firstLine(dir, kJikanFile);
    return line ? settingNumber<int32_t>(*line, 0) : 0;
}

Status writeAutoTime(const DataDir& dir, int value) {
    return writeLine(dir, kJikanFile, std::to_string(value));
}

std::string readMovingAverageWidth(const DataDir& dir) {
    return firstLine(dir, kIdouFile).value_or("10");
}

Status writeMovingAverageWidth(const DataDir& dir, std::string_view width) {
    return writeLine(dir, kIdouFile, width);
}

std::string readScaleStep(const DataDir& dir) {
    return firstLine(dir, kKizamiFile).value_or("0.1");
}

Status writeScaleStep(const DataDir& dir, std::string_view step) {
    return writeLine(dir, kKizamiFile, step);
}

int16_t readMarkerStyle(const DataDir& dir) {
    auto line = firstLine(dir, kMarkerFile);
    return line ? settingNumber<int16_t>(*line, 1) : 1;
}

Status writeMarkerStyle(const DataDir& dir, int16_t style) {
    return writeLine(dir, kMarkerFile, std::to_string(style));
}

int readTrendLine(const DataDir& dir) {
    auto line = firstLine(dir, kTrendLineFile);
    return line && Val(*line) == 1 ? 1 : 0;
}

Status writeTrendLine(const DataDir& dir, int value) {
    return writeLine(dir, kTrendLineFile, value != 0 ? "1" : "0");
}

Profile readProfile(const DataDir& dir) {
    Profile p;
    auto rec = records(dir, kProfileFile);
    auto value = [&](size_t i) { return i < rec.size() && rec[i].size() >= 2 ? rec[i][1] : ""; };
    // A name that could not be written back between quotes is no name.
    p.UserName = isStorableText(value(0)) ? value(0) : "";
    p.Height = profileNumber(value(1));
    p.TargetWeight = profileNumber(value(2));
    return p;
}

Status writeProfile(const DataDir& dir, const Profile& p) {
    if (!isStorableText(p.UserName))
        return Status::failure(std::string(kProfileFile), "氏名に保存できない文字があります");
    std::string text;
    LineWriter(text).text("氏名").text(p.UserName).end();
    LineWriter(text).text("身長").weight(p.Height).end();
    LineWriter(text).text("目標体重").weight(p.TargetWeight).end();
    return dir.writeText(kProfileFile, text);
}

}  // namespace core
