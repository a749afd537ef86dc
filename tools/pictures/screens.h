// Every picture the game shows outside the fight itself.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace pictures {

struct Picture {
  std::string file;  // name under the picture folder
  Canvas canvas;
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

// A review sheet of every store cell, magnified, followed by every screen picture.
Canvas contactSheet(const Canvas& store, const std::vector<Picture>& screens, int cellScale);

}  // namespace pictures
