// The small settings files and the profile, read once at start-up and
// rewritten whole whenever the user changes a value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/data_dir.h"

namespace core {

inline constexpr std::string_view kSetteiFile = "設定.TXT";
inline constexpr std::string_view kJikanFile = "自動時間.TXT";
inline constexpr std::string_view kIdouFile = "移動平均.TXT";
inline constexpr std::string_view kKizamiFile = "体重計刻み.TXT";
inline constexpr std::string_view kMarkerFile = "マーカー.TXT";
inline constexpr std::string_view kTrendLineFile = "傾向線.TXT";
inline constexpr std::string_view kProfileFile = "ﾌﾟﾗｲﾍﾞｰﾄ.txt";

struct Profile {
    std::string UserName;
    float Height = 0;        // cm
    float TargetWeight = 0;  // kg
};

// Each reader gives the default when its file is missing: help tour on,
// automatic time off, moving average "10", scale step "0.1", marker 1, an
// empty profile.
int16_t readHelpTour(const DataDir& dir);
Status writeHelpTour(const DataDir& dir, int16_t helpTour);

int readAutoTime(const DataDir& dir);
Status writeAutoTime(const DataDir& dir, int value);

std::string readMovingAverageWidth(const DataDir& dir);
Status writeMovingAverageWidth(const DataDir& dir, std::string_view width);

std::string readScaleStep(const DataDir& dir);
Status writeScaleStep(const DataDir& dir, std::string_view step);

int16_t readMarkerStyle(const DataDir& dir);
Status writeMarkerStyle(const DataDir& dir, int16_t style);

// The check box of the trend line: 1 shown, 0 not. A missing file, or one
// whose first line is not the number 1, reads as 0; anything but 0 is
// written as 1.
int readTrendLine(const DataDir& dir);
Status writeTrendLine(const DataDir& dir, int value);

Profile readProfile(const DataDir& dir);
Status writeProfile(const DataDir& dir, const Profile& profile);

}  // namespace core
