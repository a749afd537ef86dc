#include "battle/move_table.h"

#include "app/game_numbers.h"

namespace mojara::battle {

namespace {

using C = Count;
using E = Extra;
namespace P = picture;
constexpr std::int32_t _ = kUnset;

// clang-format off
constexpr StepRow kSteps[] = {
    // Heavy knock-down, 40000: a hit after which the damage tally is 60 or more.
    {400, P::Hit, -800, -500, C::Slow}, {401, P::Hit, -300, -300, C::Slow},
    {402, P::Hit, 300, -250, C::Slow}, {403, P::Hit, 800, -100, C::Slow}, {404, P::Lying, _, _, C::Slower},
    {405, P::Crouch, -150, 100, C::Keep}, {406, P::Rest, 150, 100, C::Keep},
    {407, P::Rest, _, _, C::Finish, E::ClearHitCounter},
    // Flinch, 41000: a hit with a tally below 20.
    {410, P::Hit, _, -300, C::Slow}, {411, P::Lying, _, -100, C::Keep}, {412, P::Crouch, _, _, C::Keep},
    {413, P::Rest, _, _, C::Finish, E::ClearHitCounter},
    // Rampage, 42000.
    {420, P::WindUp, _, _, C::Slow}, {421, P::Jump, _, -200, C::Slow}, {422, P::Kick, _, 300, C::Slow},
    {423, P::Punch, _, 400, C::Slow}, {424, P::Kick, _, 500, C::Slow}, {425, P::FrontView, _, _, C::Keep},
    {426, P::Rest, _, _, C::Finish},
    // Heel drop, 43000.
    {430, P::Jump, -400, 200, C::Slow}, {431, P::Jump, -300, 150, C::Slow},
    {432, P::BlobTall, _, _, C::Slow, E::BlobFlicker}, {433, P::Kick, 300, _, C::Slow},
    {434, P::Kick, 400, _, C::Slow}, {435, P::Crouch, _, _, C::Slow}, {436, P::Rest, _, _, C::Finish},
    // Power charge, 44000.
    {440, P::BlobTall, _, 50, C::Slow}, {441, P::BlobSquat, _, -50, C::Slow},
    {442, P::BlobTall, _, 50, C::Slow}, {443, P::BlobSquat, _, -50, C::Slow},
    {444, P::Rest, _, _, C::Finish, E::AddPower},
    // Rising dragon punch, 45000.
    {450, P::BlobTall, _, 300, C::Slow}, {451, P::BlobSquat, _, 100, C::Slow},
    {452, P::WindUp, _, 50, C::Slow}, {453, P::Punch, -300, 50, C::Slow},
    {454, P::Punch, -100, 50, C::Slow}, {455, P::FrontView, 400, 50, C::Slow},
    {456, P::Crouch, _, _, C::Keep}, {457, P::Rest, _, _, C::Finish},
    // Kick, 46000. Step 465 has no row: the side keeps the kick picture for two ticks.
    {460, P::WindUp, _, -100, C::Slow}, {461, P::Jump, _, 200, C::Slow},
    {462, P::Kick, -200, 200, C::Keep}, {463, P::Kick, -100, 200, C::Slow},
    {464, P::Kick, 100, 100, C::Slow}, {466, P::Kick, 200, 100, C::Keep}, {467, P::Crouch, _, _, C::Keep},
    {468, P::Rest, _, _, C::Finish},
    // Punch, 47000.
    {470, P::Ready, _, 200, C::Keep}, {471, P::Punch, _, _, C::Keep}, {472, P::Ready, _, -200, C::Keep},
    {473, P::Rest, _, _, C::Finish},
    // Knock-back, 48000: a hit with a tally from 20 to 59.
    {480, P::Hit, -300, -300, C::Slow}, {481, P::Hit, -100, -200, C::Keep},
    {482, P::Hit, 100, -150, C::Keep}, {483, P::Hit, 300, -100, C::Slow}, {484, P::Lying, _, _, C::Slow},
    {485, P::Crouch, -150, 100, C::Keep}, {486, P::Rest, 150, 100, C::Keep},
    {487, P::Rest, _, _, C::Finish, E::ClearHitCounter},
    // Flying kick, 49000 (steerable by walking while it runs).
    {490, P::Jump, -300, _, C::Slow}, {491, P::Jump, -200, _, C::Slow}, {492, P::Jump, -100, _, C::Keep},
    {493, P::Kick, 100, _, C::Keep}, {494, P::Kick, 200, _, C::Slow}, {495, P::Kick, 300, _, C::Slow},
    {496, P::Crouch, _, _, C::Slow}, {497, P::Rest, _, _, C::Finish, E::ClearMoveDamage},
};
// clang-format on

// Rows by step number 400..499, for a lookup without a search.
struct StepIndex {
  std::array<const StepRow*, 100> rows{};
  constexpr StepIndex() {
    for (const StepRow& row : kSteps) rows[row.step - 400] = &row;
  }
};
constexpr StepIndex kIndex;

// clang-format off
constexpr MoveStart kMoves[] = {
    {command::FlyingKick, 49000, 0, 4}, {command::Punch, 47000, 0, 5}, {command::Kick, 46000, 0, 3},
    {command::RisingDragonPunch, 45000, 10, 8}, {command::PowerCharge, 44000, 0, 0},
    {command::HeelDrop, 43000, 25, 10}, {command::Rampage, 42000, 40, 6},
};
// clang-format on

constexpr std::array<StepEffect, kStepCount + 1> stepEffects() {
  std::array<StepEffect, kStepCount + 1> effects{};
  for (const StepRow& row : kSteps) {
    StepEffect& e = effects[static_cast<std::size_t>(row.step - kFirstStep)];
    e.present = true;
    e.setsYSpeed = row.ySpeed != kUnset;
    e.setsXSpeed = row.xSpeedForward != kUnset;
    e.ySpeed = e.setsYSpeed ? row.ySpeed : 0;
    e.xSpeedForward = e.setsXSpeed ? row.xSpeedForward : 0;
    e.finishes = row.count == Count::Finish;
    e.countDown = row.count == Count::Slow ? 25 : row.count == Count::Slower ? 40 : 0;
    e.pose = row.pose;
    e.extra = row.extra;
  }
  return effects;
}

constexpr std::array<CommandEffect, kCommandCodes + 1> commandEffects() {
  std::array<CommandEffect, kCommandCodes + 1> effects{};
  effects[command::WalkLeft].walk = effects[command::WalkLeftToo].walk = -1;
  effects[command::WalkRight].walk = effects[command::WalkRightToo].walk = 1;
  // Moves start only from codes above the walks.
  for (const MoveStart& move : kMoves)
    if (move.command > command::WalkRight) effects[static_cast<std::size_t>(move.command)] = {0, true, move};
  return effects;
}

}  // namespace

constexpr std::array<StepEffect, kStepCount + 1> kStepEffects = stepEffects();
constexpr std::array<CommandEffect, kCommandCodes + 1> kCommandEffects = commandEffects();

const StepRow* stepRow(std::int32_t step) {
  if (step < 400 || step > 499) return nullptr;
  return kIndex.rows[static_cast<std::size_t>(step - 400)];
}

std::optional<MoveStart> moveForCommand(std::int32_t command) {
  for (const MoveStart& move : kMoves)
    if (move.command == command) return move;
  return std::nullopt;
}

}  // namespace mojara::battle
