// Bits of scenery shared by the screen pictures: banded skies, clouds and ground shadows.
// The screens are shown stretched, so colours mix only along a row (pixels side by side keep
// their size on screen), never from row to row.
#pragma once

#include <initializer_list>

#include "canvas.h"

namespace pictures {

// Two colours mixed in an ordered 4x4 pattern; level 0..16 is the share of `b`.
Colour dither(Colour a, Colour b, int level, int x, int y);

// Two colours mixed along a row only: level 0..16 is the share of `b`, the same in every row,
// so a stretched picture shows the mix as evenly as a flat colour.
Colour rowMix(Colour a, Colour b, int level, int x);

// Fills rows top..bottom (exclusive) with bands through the given colours: each colour flat for
// a while, then a few rows each mixed a quarter, a half and three quarters along the row into
// the next.
void gradient(Canvas& c, int top, int bottom, std::initializer_list<Colour> bands);

// A puffy cloud with a shaded underside, at a point and size in display units.
void cloud(Canvas& c, Pt at, float size);

// A shadow on the ground: darkens what is there in a flat ellipse, in display units.
void groundShadow(Canvas& c, Pt centre, float rx, float ry);

// The lowest and the highest painted rows of a picture, or -1 when it is empty.
int lowestRow(const Canvas& c);
int topRow(const Canvas& c);

}  // namespace pictures
