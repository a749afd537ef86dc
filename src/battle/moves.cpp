// The move engine (patan) and the command step (CPU) of the battle window; their bodies are in
// steps.h, where the tick compiles them in line.
#include <cstdlib>

#include "app/game_numbers.h"
#include "app/vb_math.h"
#include "battle/battle_window.h"
#include "battle/move_table.h"
#include "battle/steps.h"

namespace mojara {

using battle::Extra;

void Form2::patan() { stepMoves(M.IX); }

void Form2::extraStep(Extra extra) {
  BattleControls& c = *ctl;
  const std::int32_t s = M.IX;
  switch (extra) {
    case Extra::None:
      break;
    case Extra::BlobFlicker:
      M.POSE[s] = program.rnd.below(2) + picture::BlobTall;  // or BlobSquat
      break;
    case Extra::AddPower:
      M.POW[s] += 10;
      break;  // the tick cuts it back to 100
    case Extra::ClearMoveDamage:
      MOVEDMG[s] = 0;
      break;
    case Extra::ClearHitCounter:
      // The counter goes when the side that was hit last is back on its feet.
      if (HITSIDE == s) {
        HITCOUNT = 0;
        c.Label3.Caption.clear();
      }
      break;
  }
}

void Form2::CPU() {
  stepCommand(M.IX);
  placeSprite(M.IX);
}

}  // namespace mojara
