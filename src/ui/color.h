// Colours as the program names them: red, green and blue from 0 to 255.
#pragma once

#include <cstdint>
#include <string>

#include "core/change.h"

namespace ui {

struct Color {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
};

inline constexpr Color kLightRed{255, 192, 192};
inline constexpr Color kLightYellow{255, 255, 192};
inline constexpr Color kLightGreen{192, 255, 192};

// The cell of a change: light red up, light yellow the same, light green down.
inline Color changeColor(core::Change change) {
    switch (change) {
        case core::Change::Up:
            return kLightRed;
        case core::Change::Down:
            return kLightGreen;
        case core::Change::Same:
            break;
    }
    return kLightYellow;
}

// "#RRGGBB".
std::string colorText(Color c);

}  // namespace ui
