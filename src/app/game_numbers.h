// The numbers the game is built on: which picture of a fighter is which, where it sits in the
// sprite store, and the command codes of the battle. The game keeps these in int32 variables
// (POSE, KEYCMD), so the enums are plain int32 enums that compare with them as they are.
#pragma once

#include <cstdint>

namespace mojara {

namespace picture {

// The fourteen pictures each fighter has for each facing, in store order.
enum Picture : std::int32_t {
  WalkA = 0,      // standing, walking frame A
  Rest = 1,       // walking frame B, the resting picture
  Ready = 2,      // ready stance, stepping forward
  Punch = 3,      // a striking picture: arm stretched out
  FrontView = 4,  // upright, facing the player
  Kick = 5,       // a striking picture: leg stretched out
  Crouch = 6,
  BlobTall = 7,   // the power aura, tall
  BlobSquat = 8,  // the power aura, squat
  Jump = 9,
  Hit = 10,
  Lying = 11,  // knocked down
  WindUp = 12,
  Victory = 13,
};

}  // namespace picture

// The sprite store: eight fighters, each a facing-right set of fourteen pictures followed by a
// facing-left set of fourteen.
inline constexpr std::int32_t kPicturesPerFacing = 14;
inline constexpr std::int32_t kPicturesPerFighter = 28;
inline constexpr std::int32_t kFighters = 8;
inline constexpr std::int32_t kStorePictures = 224;

// The store cell of a fighter's picture; facing is 0 for right, 1 for left.
constexpr std::int32_t storeIndex(std::int32_t fighter, std::int32_t facing, std::int32_t picture) {
  return fighter * kPicturesPerFighter + facing * kPicturesPerFacing + picture;
}

static_assert(kPicturesPerFacing == picture::Victory + 1);
static_assert(kPicturesPerFighter == 2 * kPicturesPerFacing);
static_assert(kStorePictures == kFighters * kPicturesPerFighter);

namespace command {

// The battle's command codes: what a key (or the computer's draw) asks a fighter to do next, and
// the pause. Every command a player binds to a key or a controller button is one of these.
enum Command : std::int32_t {
  None = 0,
  WalkLeft = 1,
  WalkRight = 2,
  FlyingKick = 3,
  Wait = 4,  // commands nothing, but replaces a pending command
  Punch = 5,
  Kick = 6,
  RisingDragonPunch = 7,
  PowerCharge = 8,
  HeelDrop = 9,
  Rampage = 10,
  WalkLeftToo = 11,  // the computer's draw walks on 11 and 12 as on 1 and 2
  WalkRightToo = 12,
  // The space bar's: it pauses or resumes the fight at once. Not a draw, and never stored in KEYCMD.
  Pause = 13,
};

}  // namespace command

// The computer draws its next command as Fix(r * kCommandDraws), 0 to 12.
inline constexpr std::int32_t kCommandDraws = 13;

static_assert(kCommandDraws == command::WalkRightToo + 1);
static_assert(command::Pause >= kCommandDraws, "the pause is no draw of the computer");

}  // namespace mojara
