#include "core/typed_weight.h"

#include <cmath>

#include "core/numbers.h"

namespace core {

std::variant<float, WeightRefusal> parseTypedWeight(std::string_view text) {
    if (text.empty()) return WeightRefusal{"体重が入力されていません", "体重未入力"};
    if (!IsNumeric(text)) return WeightRefusal{"数値を入力してください", "数値以外入力"};
    std::optional<float> weight = toFloat(Val(text));
    if (!weight || std::fabs(*weight) >= kWeightLimit)
        return WeightRefusal{"体重は 10000Kg 未満の数値を入力してください", "数値範囲外"};
    return *weight;
}

}  // namespace core
