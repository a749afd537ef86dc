#include "screens.h"

#include "assets/asset_files.h"

namespace pictures {

std::vector<Picture> screenPictures(const Canvas& store) {
  using namespace mojara::assets;
  std::vector<Picture> out = {
      {std::string(kTitleFile), drawTitle(), &kTitleShape},
      {std::string(kWorldMapFile), drawWorldMap(), &kWorldMapShape},
      {std::string(kContinueFile), drawContinue(), &kContinueShape},
      {std::string(kEndingFile), drawEnding(), &kEndingShape},
      {std::string(kTransparentFile), Canvas(32, 32), &kPortraitShape},  // the select cursor
      {std::string(kGameIconFile), drawIcon()},
      {std::string(kHelpIconFile), drawHelpIcon()},
  };
  for (std::size_t i = 0; i < kPortraitFiles.size(); ++i)
    out.push_back({std::string(kPortraitFiles[i]), drawPortrait(int(i), store), &kPortraitShape});
  return out;
}

}  // namespace pictures
