// Body figures: BMI, standard weight and obesity, the six obesity classes
// with their colours, and the positions of the BMI pointers on their bands.
#pragma once

#include <optional>
#include <string_view>

#include "ui/color.h"

namespace analysis {

struct BmiClass {
    std::string_view text;
    ui::Color labelColor;
    std::optional<int> segment;  // the band segment, none below the band
};

// The class of a BMI; tested from the top, first match wins.
const BmiClass& classify(float bmi);

// weight / (height / 100)², in double precision, kept as a single.
float bmiOf(float weightKg, float heightCm);

// 22 × (height / 100)², kept as a single.
float standardWeight(float heightCm);

// (weight − S) / S with the standard weight S kept as a single, the rest in
// double precision: the obesity of a weighing wherever one is listed (shown
// with "0.0%"), so that a weight equal to S shows 0.0% in every list. The BMI
// meter works it out from its rounded boxes instead, as it shows them.
double obesityRatio(float weightKg, float heightCm);

// A band of the meter: its scale in twips per BMI unit, and the left edges and
// widths of its five segments.
struct Band {
    int twipsPerBmi;
    int lefts[5];
    int widths[5];
};

inline constexpr Band kMeterBand{
    500, {450, 1950, 3975, 5145, 6945}, {1545, 2055, 1245, 1845, 1020}};
inline constexpr Band kMainBar{160, {210, 675, 1305, 1680, 2235}, {480, 645, 390, 570, 345}};
inline constexpr ui::Color kSegmentColors[5] = {
    {0, 255, 255}, {0, 255, 0}, {255, 255, 0}, {255, 0, 255}, {255, 0, 0}};

// The left edge of a 480-twip pointer icon centred on the BMI: the left edge
// of segment 2 (BMI 24) minus the distance from 24, minus half the icon.
int pointerLeft(const Band& band, float bmi);

// The BMI kept within the meter's range, 17.0 to 32.0.
float clampToMeter(float bmi);

}  // namespace analysis
