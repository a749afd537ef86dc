// The names of every picture the game shows: the sprite store's cells and the fixed screen
// pictures, with the files they are read from in the program's picture folder.
#pragma once

#include <array>
#include <string_view>

#include "forms/types.h"

namespace mojara::assets {

// The sprite store: eight fighters of 28 pictures, each a facing-right set of 14 then a
// facing-left set of 14.
inline constexpr int kStoreSize = 224;
inline constexpr int kStoreColumns = 14;
inline constexpr int kStoreCellPixels = 32;
inline constexpr std::string_view kStoreFile = "sprites.png";

enum class ScreenPicture {
  Transparent,
  Title,
  WorldMap,
  Continue,
  Ending,
  GameIcon,
  HelpIcon,
  Portrait0,
  Portrait1,
  Portrait2,
  Portrait6,
  Portrait7,
};

inline constexpr std::array<std::string_view, 12> kScreenPictureFiles = {
    "transparent.png", "title.png",     "worldmap.png",  "continue.png",  "ending.png",    "icon.png",
    "help-icon.png",   "portrait0.png", "portrait1.png", "portrait2.png", "portrait6.png", "portrait7.png"};

inline forms::PictureRef storePicture(int index) { return {forms::PictureRef::Source::Store, index}; }

inline forms::PictureRef screenPicture(ScreenPicture p) {
  return {forms::PictureRef::Source::Screen, static_cast<int>(p)};
}

inline std::string_view fileOf(ScreenPicture p) { return kScreenPictureFiles[static_cast<int>(p)]; }

// The head portrait of roster slot k on the select window; three of them are store pictures.
inline forms::PictureRef portrait(int k) {
  switch (k) {
    case 3:
      return storePicture(100);
    case 4:
      return storePicture(138);
    case 5:
      return storePicture(154);
    case 6:
      return screenPicture(ScreenPicture::Portrait6);
    case 7:
      return screenPicture(ScreenPicture::Portrait7);
    default:
      return screenPicture(static_cast<ScreenPicture>(static_cast<int>(ScreenPicture::Portrait0) + k));
  }
}

}  // namespace mojara::assets
