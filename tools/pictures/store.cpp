#include "store.h"

#include "assets/picture_shapes.h"
#include "fighters.h"

namespace pictures {

Canvas buildStore() {
  // every cell is shown in the battle's fighter box, so the whole store has its tall pixels
  Canvas store(kCellsPerRow * kCellSize, kCellCount / kCellsPerRow * kCellSize, Clear,
               float(mojara::assets::kFighterShape.pixelAspect()));
  for (int who = 0; who < FighterCount; ++who)
    for (int facing = 0; facing < 2; ++facing)
      for (int pose = 0; pose < PoseCount; ++pose) {
        const int index = storeIndex(who, facing, pose);
        const Canvas cell = drawFighter(Fighter(who), Pose(pose), facing == 1);
        store.blit(cell, index % kCellsPerRow * kCellSize, index / kCellsPerRow * kCellSize);
      }
  return store;
}

Canvas storeCell(const Canvas& store, int index) {
  return store.cropped(index % kCellsPerRow * kCellSize, index / kCellsPerRow * kCellSize, kCellSize,
                       kCellSize);
}

}  // namespace pictures
