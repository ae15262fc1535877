#include "analysis/bmi.h"

#include <cmath>

namespace analysis {

const BmiClass& classify(float b) {
    static const BmiClass kClasses[] = {
        {"やせ過ぎ", {192, 192, 255}, std::nullopt}, {"やせ気味", {192, 255, 255}, 0},
        {"スタンダード", {192, 255, 192}, 1},        {"でぶメゾフォルテ", {255, 255, 192}, 2},
        {"でぶフォルテ", {255, 192, 255}, 3},        {"でぶフォルテシモ", {255, 192, 192}, 4},
    };
    if (b < 17.0f) return kClasses[0];
    if (b < 20.0f) return kClasses[1];
    if (b <= 24.0f) return kClasses[2];
    if (b <= 26.4f) return kClasses[3];
    if (b < 30.0f) return kClasses[4];
    return kClasses[5];
}

float bmiOf(float weightKg, float heightCm) {
    double m = static_cast<double>(heightCm) / 100;
    return static_cast<float>(weightKg / (m * m));
}

float standardWeight(float heightCm) {
    double m = static_cast<double>(heightCm) / 100;
    return static_cast<float>(m * m * 22);
}

double obesityRatio(float weightKg, float heightCm) {
    double standard = standardWeight(heightCm);
    return (static_cast<double>(weightKg) - standard) / standard;
}

int pointerLeft(const Band& band, float bmi) {
    double left = band.lefts[2] - ((24 - static_cast<double>(bmi)) * band.twipsPerBmi + 240);
    return static_cast<int>(std::lround(left));
}

float clampToMeter(float bmi) {
    if (bmi > 32.0f) bmi = 32.0f;
    if (bmi < 17.0f) bmi = 17.0f;
    return bmi;
}

}  // namespace analysis
