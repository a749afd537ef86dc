// A small 5x7 block font for lettering and the contact sheet's labels.
#pragma once

#include <string_view>

#include "canvas.h"

namespace pictures {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Width of a line of text, one blank column between letters.
int textWidth(std::string_view text, int scale = 1);
// Draws upper-case letters, digits and a little punctuation; anything else is a blank.
void drawText(Canvas& canvas, int x, int y, std::string_view text, Colour colour, int scale = 1);

}  // namespace pictures
