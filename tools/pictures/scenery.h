// Bits of scenery shared by the screen pictures: dithered skies, clouds, ground,
// and fighters lifted out of the sprite store.
#pragma once

#include <initializer_list>

#include "canvas.h"

namespace pictures {

// Two colours mixed in an ordered 4x4 pattern; level 0..16 is the share of `b`.
Colour dither(Colour a, Colour b, int level, int x, int y);

// Fills rows top..bottom (exclusive) with a smooth blend through the given colours.
void gradient(Canvas& c, int top, int bottom, std::initializer_list<Colour> bands);

// A puffy cloud with a shaded underside.
void cloud(Canvas& c, Pt at, float size);

// A store cell, magnified and dropped with its feet at (centreX, floorY).
void stand(Canvas& c, const Canvas& store, int cell, int centreX, int floorY, int scale);

// A soft shadow on the ground: darkens what is there in a dithered ellipse.
void groundShadow(Canvas& c, Pt centre, float rx, float ry);

// The lowest painted row of a picture, or -1 when it is empty.
int lowestRow(const Canvas& c);

}  // namespace pictures
