// Every picture the game shows outside the fight itself.
#pragma once

#include <string>
#include <vector>

#include "assets/picture_shapes.h"
#include "canvas.h"
#include "fighters.h"
#include "pose.h"

namespace pictures {

struct Picture {
  std::string file;  // name under the picture folder
  Canvas canvas;
  // The box a window stretches it into; none for a window icon, shown as it is.
  const mojara::assets::PictureShape* shape = nullptr;
};

Canvas drawTitle();
Canvas drawWorldMap();
Canvas drawContinue();

// A rectangle of picture pixels, right and bottom exclusive.
struct PixelRect {
  int left, top, right, bottom;
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};
// Where the continue window prints its countdown over the continue picture.
PixelRect countdownArea();
Canvas drawEnding();

// One of the cast in the ending's group shot: who, striking which pose, standing where.
struct CastMember {
  Fighter who;
  Skeleton pose;
  int x;        // the column they stand on
  int floor;    // the row under their feet
  float scale;  // display units for each pixel of their sprite
  bool facingLeft;
  int lift = 0;  // rows off the ground
};
std::vector<CastMember> endingCast();
Canvas drawIcon();
Canvas drawHelpIcon();
Canvas drawPortrait(int fighter, const Canvas& store);

// The screens, icons and portraits in the order the contact sheet shows them.
std::vector<Picture> screenPictures(const Canvas& store);

// A review sheet: every store cell magnified and as the battle shows it at scales 1 to
// largestScale, then every screen picture as drawn beside how its window shows it at those scales.
Canvas contactSheet(const Canvas& store, const std::vector<Picture>& screens, int cellScale, int largestScale = 2);

}  // namespace pictures
