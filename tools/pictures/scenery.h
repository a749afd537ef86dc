// Bits of scenery shared by the screen pictures: banded skies, grass, clouds and ground
// shadows, shaded by hand: flat colours, a thin checker only where two of them meet.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "canvas.h"

namespace pictures {

// Two colours mixed in an ordered 4x4 pattern; level 0..16 is the share of `b`.
Colour dither(Colour a, Colour b, int level, int x, int y);

// One band of a sky or a field: a flat colour so many rows tall.
struct Band {
  Colour colour;
  int rows;
};

// Fills rows from `top` down with flat bands; where two meet, a thin checker of the two (two
// rows between bands eight rows tall or more, one row between thinner ones). Returns the row
// below the last band.
int bands(Canvas& c, int top, std::initializer_list<Band> list);

// Blades of grass rising from row `base` up to `tallest` rows into what lies above: clumps of
// a few blades, each clump of its own width and height, with gaps between.
void grassTips(Canvas& c, int base, int tallest, Colour blade, std::uint32_t seed);

// A small tuft of grass standing on pixel (x, y), one of a few shapes.
void tuft(Canvas& c, int x, int y, Colour blade, std::uint32_t seed);

// A puffy cloud with a shaded underside, at a point and size in display units.
void cloud(Canvas& c, Pt at, float size);

// A shadow on the ground: darkens what is there in a flat ellipse, in display units.
void groundShadow(Canvas& c, Pt centre, float rx, float ry);

// The lowest and the highest painted rows of a picture, or -1 when it is empty.
int lowestRow(const Canvas& c);
int topRow(const Canvas& c);

}  // namespace pictures
