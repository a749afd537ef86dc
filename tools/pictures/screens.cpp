#include "screens.h"

namespace pictures {

std::vector<Picture> screenPictures(const Canvas& store) {
  std::vector<Picture> out = {
      {"title.png", drawTitle(store)},     {"worldmap.png", drawWorldMap()},
      {"continue.png", drawContinue()},    {"ending.png", drawEnding(store)},
      {"transparent.png", Canvas(32, 32)}, {"icon.png", drawIcon()},
      {"help-icon.png", drawHelpIcon()},
  };
  for (int i = 0; i < 8; ++i)
    out.push_back({"portrait" + std::to_string(i) + ".png", drawPortrait(i, store)});
  return out;
}

}  // namespace pictures
