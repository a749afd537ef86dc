// The eight fighters: what the select window writes into the shared state for a side.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "app/module1.h"

namespace mojara {

struct RosterRow {
  std::string_view name;
  std::int32_t lifeFull;
  std::int32_t attack;
  std::int32_t walkSpeed;
};

inline constexpr std::array<RosterRow, 8> kRoster = {{
    {"だいさく", 380, 5, 100},
    {"みよ", 320, 6, 150},
    {"タマ", 190, 3, 250},
    {"大顔面", 450, 9, 50},
    {"暗黒騎士 jiro", 150, 7, 175},
    {"はにい", 255, 4, 200},
    {"あいあんどーる", 200, 2, 300},
    {"黒炭人", 80, 5, 120},
}};

// Fills side `side` of the shared state with roster slot `slot` (0..7): CHARA, PNAME, LIFEFULL, ATK,
// WALKSPD, and LIFE full, FACING = the side.
inline void writeRosterRow(Module1& M, std::int32_t side, std::int32_t slot) {
  const RosterRow& row = kRoster.at(static_cast<std::size_t>(slot));
  M.CHARA[side] = slot;
  M.PNAME[side] = std::string(row.name);
  M.LIFEFULL[side] = row.lifeFull;
  M.ATK[side] = row.attack;
  M.WALKSPD[side] = row.walkSpeed;
  M.LIFE[side] = M.LIFEFULL[side];
  M.FACING[side] = side;
}

// The shared state as an accepted left-click draw on the select window leaves it: both sides
// filled, the opponent marked as met, the click's button code kept.
inline void acceptDraw(Module1& M, std::int32_t playerSlot, std::int32_t opponentSlot) {
  for (M.IX = 0; M.IX <= 1; ++M.IX) writeRosterRow(M, M.IX, M.IX == 0 ? playerSlot : opponentSlot);
  M.BEATEN[opponentSlot] = 1;
  M.PRESSED = 1;
}

}  // namespace mojara
