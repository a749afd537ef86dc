// The names of every picture the game shows: the sprite store's cells and the fixed screen
// pictures, with the files they are read from in the program's picture folder.
#pragma once

#include <array>
#include <string_view>

#include "app/game_numbers.h"
#include "assets/asset_files.h"
#include "forms/types.h"

namespace mojara::assets {

// The sprite store (kStoreFile): eight fighters of 28 pictures, each a facing-right set of 14
// then a facing-left set of 14, fourteen cells a row.
inline constexpr int kStoreSize = kStorePictures;
inline constexpr int kStoreColumns = kPicturesPerFacing;
inline constexpr int kStoreCellPixels = 32;

// The screen pictures the game reads, numbered in the order of the asset file list.
enum class ScreenPicture {
#define MOJARA_SCREEN_PICTURE_NAME(name, file) name,
  MOJARA_SCREEN_PICTURE_FILES(MOJARA_SCREEN_PICTURE_NAME)
#undef MOJARA_SCREEN_PICTURE_NAME
};

inline constexpr std::array kScreenPictureFiles = {
#define MOJARA_SCREEN_PICTURE_FILE(name, file) k##name##File,
    MOJARA_SCREEN_PICTURE_FILES(MOJARA_SCREEN_PICTURE_FILE)
#undef MOJARA_SCREEN_PICTURE_FILE
};

inline forms::PictureRef storePicture(int index) { return {forms::PictureRef::Source::Store, index}; }

inline forms::PictureRef screenPicture(ScreenPicture p) {
  return {forms::PictureRef::Source::Screen, static_cast<int>(p)};
}

inline std::string_view fileOf(ScreenPicture p) { return kScreenPictureFiles[static_cast<int>(p)]; }

// The head portrait of roster slot k on the select window.
// Kept: slots 3, 4 and 5 show a store picture (100, 138, 154: a facing-left pose) for a portrait.
inline forms::PictureRef portrait(int k) {
  switch (k) {
    case 3:
      return storePicture(storeIndex(3, 1, picture::Ready));
    case 4:
      return storePicture(storeIndex(4, 1, picture::WindUp));
    case 5:
      return storePicture(storeIndex(5, 1, picture::WalkA));
    case 6:
      return screenPicture(ScreenPicture::Portrait6);
    case 7:
      return screenPicture(ScreenPicture::Portrait7);
    default:
      return screenPicture(static_cast<ScreenPicture>(static_cast<int>(ScreenPicture::Portrait0) + k));
  }
}

}  // namespace mojara::assets
