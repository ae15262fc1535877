// Colours as the program names them: red, green and blue from 0 to 255.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

struct Color {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
};

inline constexpr Color kLightRed{255, 192, 192};
inline constexpr Color kLightYellow{255, 255, 192};
inline constexpr Color kLightGreen{192, 255, 192};

// "#RRGGBB".
std::string colorText(Color c);

}  // namespace ui
