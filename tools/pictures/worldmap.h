// The world map's layout: where each fighter comes from and where the compass sits, so the
// select window's map and whoever checks it agree on the places.
#pragma once

#include <array>

#include "canvas.h"

namespace pictures::worldmap {

// The map is drawn for the select window's box, where a pixel is shown wider than tall.
float pixelAspect();

// Each fighter's home, in display units (see Canvas), in roster order: the schoolboy's town,
// the schoolgirl's harbour town, the cat's fishing village, the big face's desert, the dark
// knight's castle in the frozen north, the haniwa's burial mound, the iron doll's mill town,
// and the charcoal man's volcano.
const std::array<Pt, 8>& homes();

// A home is marked by a round pin of this colour, ringed in black.
inline constexpr Colour kPin = Red;
inline constexpr float kPinRadius = 2.6f;

// The compass rose out at sea, in display units.
inline constexpr Pt kCompass = {259, 17};
inline constexpr float kCompassRadius = 12;

}  // namespace pictures::worldmap
