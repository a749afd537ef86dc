// Every picture the game shows outside the fight itself.
#pragma once

#include <string>
#include <vector>

#include "assets/picture_shapes.h"
#include "canvas.h"

namespace pictures {

struct Picture {
  std::string file;  // name under the picture folder
  Canvas canvas;
  // The box a window stretches it into; none for a window icon, shown as it is.
  const mojara::assets::PictureShape* shape = nullptr;
};

Canvas drawTitle(const Canvas& store);
Canvas drawWorldMap();
Canvas drawContinue();
Canvas drawEnding(const Canvas& store);
Canvas drawIcon();
Canvas drawHelpIcon();
Canvas drawPortrait(int fighter, const Canvas& store);

// The screens, icons and portraits in the order the contact sheet shows them.
std::vector<Picture> screenPictures(const Canvas& store);

// A review sheet: every store cell magnified and as the battle shows it at scale 1 and 2, then
// every screen picture as drawn beside how its window shows it at scale 1 and 2.
Canvas contactSheet(const Canvas& store, const std::vector<Picture>& screens, int cellScale);

}  // namespace pictures
