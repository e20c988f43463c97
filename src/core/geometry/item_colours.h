// The item colour table: 16 colours used in list order, repeated modulo
// 16, for materials in the display palette, item overlays and plot curves.
#pragma once

#include <array>
#include <cstdint>

namespace elix {

struct ItemColour {
    std::uint8_t red, green, blue;
};

inline constexpr std::array<ItemColour, 16> kItemColours{{
    {255, 0, 0},
    {0, 255, 0},
    {0, 0, 255},
    {127, 0, 0},
    {0, 127, 0},
    {0, 0, 127},
    {255, 255, 0},
    {0, 255, 255},
    {255, 0, 255},
    {127, 127, 0},
    {0, 127, 127},
    {127, 0, 127},
    {255, 127, 0},
    {0, 255, 127},
    {127, 0, 255},
    {255, 127, 127},
}};

// The colour of the item at position index of its list.
inline constexpr ItemColour ItemColourAt(int index) {
    return kItemColours[static_cast<std::size_t>(((index % 16) + 16) % 16)];
}

}  // namespace elix
