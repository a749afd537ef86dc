// The move programs as data. Every move and hit reaction is a run of numbered steps; a step row
// says what picture to show, how the fighter moves this tick and how the step counter changes.
// The engine (patan) reads these rows; nothing here runs anything.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

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

inline constexpr std::int32_t kUnset = INT32_MIN;  // the row does not set this velocity

struct StepRow {
  std::int16_t step;           // Int(ACTION / 100)
  std::int8_t pose;            // picture number; the flicker row draws its own
  std::int32_t ySpeed;         // twips per tick, negative is up; kUnset
  std::int32_t xSpeedForward;  // twips per tick toward the facing direction; kUnset
  Count count;
  Extra extra = Extra::None;
};

// The row of a step number, if the step has one (standing codes and step 465 have none).
const StepRow* stepRow(std::int32_t step);

// `yes` if `b`, else `no`, chosen without a branch: the battle picks between values that depend on
// random draws, where a branch would guess wrong every other time.
inline std::int32_t pick(bool b, std::int32_t yes, std::int32_t no) {
  // Told that either way is as likely, the compiler selects (a conditional move) instead of
  // jumping.
  return __builtin_expect_with_probability(b, true, 0.5) ? yes : no;
}

// A step row as the engine applies it every tick, with no case to tell apart: a velocity the row
// does not set is kept, and the count is a decrement or the finish. A step without a row keeps
// everything.
struct StepEffect {
  bool present = false;  // the step has a row
  bool setsYSpeed = false, setsXSpeed = false;
  bool finishes = false;         // Count::Finish
  std::int8_t pose = 0;
  Extra extra = Extra::None;
  std::int32_t countDown = 0;  // what the row takes off ACTION: 25, 40 or 0
  std::int32_t ySpeed = 0, xSpeedForward = 0;
};
inline constexpr std::int32_t kFirstStep = 400, kStepCount = 100;  // steps 400..499 have rows
// Steps 400..499, then the effect of every other step.
extern const std::array<StepEffect, kStepCount + 1> kStepEffects;

// The effect of a step number; one that has no row has `present` false.
inline const StepEffect& stepEffect(std::int32_t step) {
  const auto at = static_cast<std::uint32_t>(step - kFirstStep);
  return kStepEffects[static_cast<std::size_t>(pick(at < kStepCount, static_cast<std::int32_t>(at), kStepCount))];
}

// A move that a command starts from standing.
struct MoveStart {
  std::int32_t command;
  std::int32_t startCode;  // first step number x 100
  std::int32_t powerCost;
  std::int32_t extraDamage;  // MOVEDMG
};

std::optional<MoveStart> moveForCommand(std::int32_t command);

// What a command code does in the command step: the way it walks, and the move it starts.
struct CommandEffect {
  std::int32_t walk = 0;  // -1 left, +1 right, 0 none
  bool startsMove = false;
  MoveStart move{};
};
inline constexpr std::int32_t kCommandCodes = 13;  // codes 0..12; every other code does nothing
// Codes 0..12, then the effect of every other code.
extern const std::array<CommandEffect, kCommandCodes + 1> kCommandEffects;

inline const CommandEffect& commandEffect(std::int32_t command) {
  const auto at = static_cast<std::uint32_t>(command);
  return kCommandEffects[static_cast<std::size_t>(
      pick(at < kCommandCodes, static_cast<std::int32_t>(at), kCommandCodes))];
}

inline constexpr std::int32_t kStanding = 50000;
inline constexpr std::int32_t kHeavyKnockDown = 40000, kFlinch = 41000, kKnockBack = 48000;

}  // namespace mojara::battle
