// The sprite store: every fighter picture in one 448x512 sheet of 32x32 cells.
#pragma once

#include "app/game_numbers.h"
#include "canvas.h"

namespace pictures {

inline constexpr int kCellSize = 32;
inline constexpr int kCellsPerRow = mojara::kPicturesPerFacing;
inline constexpr int kCellCount = mojara::kStorePictures;

// Cell index = storeIndex(fighter, facing left ? 1 : 0, pose).
using mojara::storeIndex;
Canvas buildStore();
Canvas storeCell(const Canvas& store, int index);

}  // namespace pictures
