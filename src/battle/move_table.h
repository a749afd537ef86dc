// The move programs as data. Every move and hit reaction is a program of numbered steps, ten to a
// block (program 40 is steps 400..409, its start code 40000); a step row says what picture to show,
// how the fighter moves this tick and how the step counter changes. patan reads these rows;
// nothing here runs anything.
#pragma once

#include <array>
#include <cstdint>

#include "app/game_numbers.h"

namespace mojara::battle {

enum class Count : std::uint8_t {
  Slow,    // the row lowers ACTION by 25: with the tick's +50 the step lasts 4 ticks
  Slower,  // lowers it by 40: 10 ticks
  Keep,    // leaves it: 2 ticks
  Finish,  // sets ACTION to 50000 and the side stands: the program's last tick
};

enum class Extra : std::uint8_t {
  None,
  ClearHitCounter,  // if this side was hit last, the hit counter disappears
  AddPower,         // the power charge pays out: POW + 10
  ClearMoveDamage,  // the flying kick's extra damage ends
  BlobFlicker,      // the picture is 7 or 8 at random on every tick
};

inline constexpr std::int32_t kUnset = INT32_MIN;

// What a row's count takes off ACTION (the finish sets it instead).
constexpr std::int32_t countDown(Count count) {
  return count == Count::Slow ? 25 : count == Count::Slower ? 40 : 0;
}

// A step's row; a step without one (the default row) sets nothing and keeps the counter.
struct StepRow {
  bool present = false;                // the step has a row
  std::int8_t pose = 0;                // picture number; the flicker row draws its own
  std::int32_t ySpeed = kUnset;        // twips per tick, negative is up; kUnset
  std::int32_t xSpeedForward = kUnset; // twips per tick toward the facing direction; kUnset
  Count count = Count::Keep;
  Extra extra = Extra::None;
};

// The ten programs, 40 to 49, each its steps 0 to 9.
using Program = std::array<StepRow, 10>;
inline constexpr std::int32_t kFirstProgram = 40;
extern const std::array<Program, 10> kPrograms;

inline constexpr StepRow kNoRow{};

// The row of step number `step` (Int(ACTION / 100)); standing codes and step 465 have none.
inline const StepRow& stepRow(std::int32_t step) {
  const bool programmed = static_cast<std::uint32_t>(step - 10 * kFirstProgram) < 100;
  return programmed ? kPrograms[static_cast<std::size_t>(step / 10 - kFirstProgram)][static_cast<std::size_t>(step % 10)]
                    : kNoRow;
}

// A move that a command starts from standing.
struct MoveStart {
  std::int32_t startCode;  // first step number x 100
  std::int32_t powerCost;
  std::int32_t extraDamage;  // MOVEDMG
};

// What a command code does: the way it walks, and the move it starts from standing, if any.
struct CommandRow {
  std::int32_t walk = 0;  // -1 left, +1 right
  MoveStart move{};       // start code 0: none
};
// Codes 0..12, the computer's draws (the keys' codes among them); every other code does nothing.
inline constexpr std::int32_t kCommandCodes = kCommandDraws;
extern const std::array<CommandRow, kCommandCodes + 1> kCommandRows;  // then what every other code does
inline const CommandRow& commandRow(std::int32_t code) {
  return kCommandRows[static_cast<std::uint32_t>(code) < kCommandCodes ? static_cast<std::size_t>(code)
                                                                         : kCommandCodes];
}

inline constexpr std::int32_t kStanding = 50000;
inline constexpr std::int32_t kHeavyKnockDown = 40000, kFlinch = 41000, kKnockBack = 48000;

}  // namespace mojara::battle
