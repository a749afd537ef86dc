// What stands on the world map's ground: mountains, the fighters' landmarks, their pins and
// the compass rose. All places are in display units.
#pragma once

#include <vector>

#include "canvas.h"

namespace pictures::worldmap {

// One mountain as the map draws it: a peak rising from the middle of its foot.
struct Peak {
  Pt foot;
  float halfWidth;
  float height;
  bool snowy;
};

// Every mountain of every range, from the back (north) to the front (south).
const std::vector<Peak>& peaks();

// The fire mountain on its own island, smoking over the charcoal man's kilns.
inline constexpr Pt kVolcano = {191, 96};
inline constexpr float kVolcanoHalfWidth = 8;

void drawMountains(Canvas& c);
void drawLandmarks(Canvas& c);
void drawPins(Canvas& c);
void drawCompass(Canvas& c);

}  // namespace pictures::worldmap
