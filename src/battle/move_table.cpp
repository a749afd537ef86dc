#include "battle/move_table.h"

namespace mojara::battle {

namespace {

using C = Count;
using E = Extra;
constexpr std::int32_t _ = kUnset;

// clang-format off
constexpr StepRow kSteps[] = {
    // Heavy knock-down, 40000: a hit after which the damage tally is 60 or more.
    {400, 10, -800, -500, C::Slow}, {401, 10, -300, -300, C::Slow}, {402, 10, 300, -250, C::Slow},
    {403, 10, 800, -100, C::Slow},  {404, 11, _, _, C::Slower},      {405, 6, -150, 100, C::Keep},
    {406, 1, 150, 100, C::Keep},    {407, 1, _, _, C::Finish, E::ClearHitCounter},
    // Flinch, 41000: a hit with a tally below 20.
    {410, 10, _, -300, C::Slow}, {411, 11, _, -100, C::Keep}, {412, 6, _, _, C::Keep},
    {413, 1, _, _, C::Finish, E::ClearHitCounter},
    // Rampage, 42000.
    {420, 12, _, _, C::Slow}, {421, 9, _, -200, C::Slow}, {422, 5, _, 300, C::Slow}, {423, 3, _, 400, C::Slow},
    {424, 5, _, 500, C::Slow}, {425, 4, _, _, C::Keep},   {426, 1, _, _, C::Finish},
    // Heel drop, 43000.
    {430, 9, -400, 200, C::Slow}, {431, 9, -300, 150, C::Slow}, {432, 7, _, _, C::Slow, E::BlobFlicker},
    {433, 5, 300, _, C::Slow},    {434, 5, 400, _, C::Slow},    {435, 6, _, _, C::Slow},
    {436, 1, _, _, C::Finish},
    // Power charge, 44000.
    {440, 7, _, 50, C::Slow}, {441, 8, _, -50, C::Slow}, {442, 7, _, 50, C::Slow}, {443, 8, _, -50, C::Slow},
    {444, 1, _, _, C::Finish, E::AddPower},
    // Rising dragon punch, 45000.
    {450, 7, _, 300, C::Slow},   {451, 8, _, 100, C::Slow},  {452, 12, _, 50, C::Slow}, {453, 3, -300, 50, C::Slow},
    {454, 3, -100, 50, C::Slow}, {455, 4, 400, 50, C::Slow}, {456, 6, _, _, C::Keep},   {457, 1, _, _, C::Finish},
    // Kick, 46000. Step 465 has no row: the side keeps picture 5 for two ticks.
    {460, 12, _, -100, C::Slow}, {461, 9, _, 200, C::Slow},  {462, 5, -200, 200, C::Keep},
    {463, 5, -100, 200, C::Slow}, {464, 5, 100, 100, C::Slow}, {466, 5, 200, 100, C::Keep},
    {467, 6, _, _, C::Keep},     {468, 1, _, _, C::Finish},
    // Punch, 47000.
    {470, 2, _, 200, C::Keep}, {471, 3, _, _, C::Keep}, {472, 2, _, -200, C::Keep}, {473, 1, _, _, C::Finish},
    // Knock-back, 48000: a hit with a tally from 20 to 59.
    {480, 10, -300, -300, C::Slow}, {481, 10, -100, -200, C::Keep}, {482, 10, 100, -150, C::Keep},
    {483, 10, 300, -100, C::Slow},  {484, 11, _, _, C::Slow},        {485, 6, -150, 100, C::Keep},
    {486, 1, 150, 100, C::Keep},    {487, 1, _, _, C::Finish, E::ClearHitCounter},
    // Flying kick, 49000 (steerable by walking while it runs).
    {490, 9, -300, _, C::Slow}, {491, 9, -200, _, C::Slow}, {492, 9, -100, _, C::Keep}, {493, 5, 100, _, C::Keep},
    {494, 5, 200, _, C::Slow},  {495, 5, 300, _, C::Slow},  {496, 6, _, _, C::Slow},
    {497, 1, _, _, C::Finish, E::ClearMoveDamage},
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
    {3, 49000, 0, 4},  {5, 47000, 0, 5},   {6, 46000, 0, 3},  {7, 45000, 10, 8},
    {8, 44000, 0, 0},  {9, 43000, 25, 10}, {10, 42000, 40, 6},
};
// clang-format on

}  // namespace

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
