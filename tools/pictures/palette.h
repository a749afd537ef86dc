// The sixteen colours every picture of the game is drawn with.
#pragma once

#include <array>
#include <cstdint>

namespace pictures {

// Palette index of one pixel; Clear marks a see-through pixel.
enum Colour : std::uint8_t {
  Black,
  Maroon,
  Green,
  Olive,
  Navy,
  Purple,
  Teal,
  Silver,
  Grey,
  Red,
  Lime,
  Yellow,
  Blue,
  Fuchsia,
  Aqua,
  White,
  Clear = 0xFF,
};

inline constexpr std::array<std::uint32_t, 16> kRgb = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

// One step darker, used for the shadow side of a shape.
constexpr Colour shadeOf(Colour c) {
  constexpr std::array<Colour, 16> darker = {
      Black, Black,  Black, Maroon, Black, Navy,   Navy, Grey,
      Black, Maroon, Green, Olive,  Navy,  Purple, Teal, Silver,
  };
  return c == Clear ? Clear : darker[c];
}

// One step lighter, used for glints and highlights.
constexpr Colour lightOf(Colour c) {
  constexpr std::array<Colour, 16> lighter = {
      Grey,   Red,    Lime,  Yellow, Blue, Fuchsia, Aqua,  White,
      Silver, Yellow, White, White,  Aqua, White,   White, White,
  };
  return c == Clear ? Clear : lighter[c];
}

}  // namespace pictures
