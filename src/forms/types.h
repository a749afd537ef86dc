// Plain value types shared by every control: colours, fonts, pictures and boxes, all in twips.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace mojara::forms {

// 1440 twips make an inch; at the standard 96 dots per inch 15 twips are one pixel.
inline constexpr int kTwipsPerPixel = 15;

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& c);  // "rgb(255,128,0)"

struct FontSpec {
  std::string Name = "ＭＳ Ｐゴシック";
  float Size = 9.0f;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool operator==(const FontSpec&) const = default;
};
std::ostream& operator<<(std::ostream& out, const FontSpec& f);  // "ＭＳ Ｐゴシック 9pt bold"

// A picture is a reference into a picture source, never a copy of pixels: an index into the
// sprite store, or one of the fixed screen pictures (numbered by the assets module).
struct PictureRef {
  enum class Source : std::uint8_t { None, Store, Screen };
  Source source = Source::None;
  int index = 0;
  bool operator==(const PictureRef&) const = default;
};
std::ostream& operator<<(std::ostream& out, PictureRef::Source source);  // "store"
std::ostream& operator<<(std::ostream& out, const PictureRef& p);        // "store picture 100"

struct Box {
  float left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Box&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Box& b);  // "box left 0 top 0 width 15 height 15"

// Virtual-key codes of the keyboard, as the game's key handlers see them.
namespace vk {
inline constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Pause = 19,
                     Escape = 27, Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37,
                     Up = 38, Right = 39, Down = 40, Insert = 45, Delete = 46, F1 = 112, F11 = 122, F12 = 123;
// The punctuation keys of a US layout.
inline constexpr int Semicolon = 186, Equals = 187, Comma = 188, Minus = 189, Period = 190, Slash = 191,
                     BracketLeft = 219, BracketRight = 221, Apostrophe = 222;
// The number pad's keys are keys of their own: its digits and operators have their own codes; its
// other keys (Enter, and with Num Lock off the arrows, Home, End, PageUp, PageDown, Insert, Delete
// and the middle 5, Clear) are KeypadOf + the code of the main key of the same name.
inline constexpr int Numpad0 = 96, Multiply = 106, Add = 107, Subtract = 109, Decimal = 110, Divide = 111;
inline constexpr int Clear = 12, KeypadOf = 0x100, KeypadEnter = KeypadOf + Return;
}  // namespace vk

// Mouse button codes as the mouse handlers receive them.
namespace mouse {
inline constexpr int Left = 1, Right = 2, Middle = 4;
}

}  // namespace mojara::forms
