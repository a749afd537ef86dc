// The cast drawn large for the screen pictures: the same fighters as in the sprite store, but
// drawn at the picture's own pixel size instead of enlarged, so every line is one pixel fine
// and round things stay round however the picture is stretched on screen.
#pragma once

#include "fighters.h"
#include "pose.h"

namespace pictures {

// A fighter in a stick-figure pose, `scale` display units for every pixel of his sprite, for a
// picture whose pixels are shown pixelAspect times as tall as wide. Drawn facing right unless
// facingLeft; the canvas carries that pixel aspect.
Canvas drawLargeFighter(Fighter who, const Skeleton& pose, float scale, float pixelAspect,
                        bool facingLeft = false);

// Drops a figure into a picture with its lowest row on floorY, centred on column centreX.
void standAt(Canvas& c, const Canvas& figure, int centreX, int floorY);

// The leftmost and rightmost painted columns, centred on: where a figure's middle is.
int middleColumn(const Canvas& c);

}  // namespace pictures
