// The sprite store: every fighter picture in one 448x512 sheet of 32x32 cells.
#pragma once

#include "canvas.h"

namespace pictures {

inline constexpr int kCellSize = 32;
inline constexpr int kCellsPerRow = 14;
inline constexpr int kCellCount = 224;

// Cell index = fighter * 28 + (facing left ? 14 : 0) + pose.
Canvas buildStore();
Canvas storeCell(const Canvas& store, int index);

}  // namespace pictures
