#include "battle/move_table.h"

#include "app/game_numbers.h"

namespace mojara::battle {

namespace {

using C = Count;
using E = Extra;
namespace P = picture;
constexpr std::int32_t _ = kUnset;

constexpr StepRow row(std::int8_t pose, std::int32_t ySpeed, std::int32_t xSpeedForward, Count count,
                      Extra extra = Extra::None) {
  return {true, pose, ySpeed, xSpeedForward, count, extra};
}

}  // namespace

// clang-format off
constexpr std::array<Program, 10> kPrograms{{
    // 40, heavy knock-down: a hit after which the damage tally is 60 or more.
    {row(P::Hit, -800, -500, C::Slow), row(P::Hit, -300, -300, C::Slow), row(P::Hit, 300, -250, C::Slow),
     row(P::Hit, 800, -100, C::Slow), row(P::Lying, _, _, C::Slower), row(P::Crouch, -150, 100, C::Keep),
     row(P::Rest, 150, 100, C::Keep), row(P::Rest, _, _, C::Finish, E::ClearHitCounter)},
    // 41, flinch: a hit with a tally below 20.
    {row(P::Hit, _, -300, C::Slow), row(P::Lying, _, -100, C::Keep), row(P::Crouch, _, _, C::Keep),
     row(P::Rest, _, _, C::Finish, E::ClearHitCounter)},
    // 42, rampage.
    {row(P::WindUp, _, _, C::Slow), row(P::Jump, _, -200, C::Slow), row(P::Kick, _, 300, C::Slow),
     row(P::Punch, _, 400, C::Slow), row(P::Kick, _, 500, C::Slow), row(P::FrontView, _, _, C::Keep),
     row(P::Rest, _, _, C::Finish)},
    // 43, heel drop.
    {row(P::Jump, -400, 200, C::Slow), row(P::Jump, -300, 150, C::Slow),
     row(P::BlobTall, _, _, C::Slow, E::BlobFlicker), row(P::Kick, 300, _, C::Slow), row(P::Kick, 400, _, C::Slow),
     row(P::Crouch, _, _, C::Slow), row(P::Rest, _, _, C::Finish)},
    // 44, power charge.
    {row(P::BlobTall, _, 50, C::Slow), row(P::BlobSquat, _, -50, C::Slow), row(P::BlobTall, _, 50, C::Slow),
     row(P::BlobSquat, _, -50, C::Slow), row(P::Rest, _, _, C::Finish, E::AddPower)},
    // 45, rising dragon punch.
    {row(P::BlobTall, _, 300, C::Slow), row(P::BlobSquat, _, 100, C::Slow), row(P::WindUp, _, 50, C::Slow),
     row(P::Punch, -300, 50, C::Slow), row(P::Punch, -100, 50, C::Slow), row(P::FrontView, 400, 50, C::Slow),
     row(P::Crouch, _, _, C::Keep), row(P::Rest, _, _, C::Finish)},
    // 46, kick.
    // Kept: step 465 has no row, so the side keeps the kick picture, and can still hit, for two ticks.
    {row(P::WindUp, _, -100, C::Slow), row(P::Jump, _, 200, C::Slow), row(P::Kick, -200, 200, C::Keep),
     row(P::Kick, -100, 200, C::Slow), row(P::Kick, 100, 100, C::Slow), kNoRow, row(P::Kick, 200, 100, C::Keep),
     row(P::Crouch, _, _, C::Keep), row(P::Rest, _, _, C::Finish)},
    // 47, punch.
    {row(P::Ready, _, 200, C::Keep), row(P::Punch, _, _, C::Keep), row(P::Ready, _, -200, C::Keep),
     row(P::Rest, _, _, C::Finish)},
    // 48, knock-back: a hit with a tally from 20 to 59.
    {row(P::Hit, -300, -300, C::Slow), row(P::Hit, -100, -200, C::Keep), row(P::Hit, 100, -150, C::Keep),
     row(P::Hit, 300, -100, C::Slow), row(P::Lying, _, _, C::Slow), row(P::Crouch, -150, 100, C::Keep),
     row(P::Rest, 150, 100, C::Keep), row(P::Rest, _, _, C::Finish, E::ClearHitCounter)},
    // 49, flying kick (steerable by walking while it runs).
    {row(P::Jump, -300, _, C::Slow), row(P::Jump, -200, _, C::Slow), row(P::Jump, -100, _, C::Keep),
     row(P::Kick, 100, _, C::Keep), row(P::Kick, 200, _, C::Slow), row(P::Kick, 300, _, C::Slow),
     row(P::Crouch, _, _, C::Slow), row(P::Rest, _, _, C::Finish, E::ClearMoveDamage)},
}};

namespace {
// The moves the commands start: start code, power cost, MOVEDMG.
constexpr MoveStart kFlyingKick{49000, 0, 4}, kPunch{47000, 0, 5}, kKick{46000, 0, 3},
    kRisingDragonPunch{45000, 10, 8}, kPowerCharge{44000, 0, 0}, kHeelDrop{43000, 25, 10}, kRampage{42000, 40, 6};
}  // namespace
// clang-format on

constexpr std::array<CommandRow, kCommandCodes + 1> kCommandRows{{
    {},                         // 0: nothing
    {-1},                       // 1: walk left
    {1},                        // 2: walk right
    {0, kFlyingKick},          // 3
    {},                         // 4: the P key, no move
    {0, kPunch},               // 5
    {0, kKick},                // 6
    {0, kRisingDragonPunch},   // 7
    {0, kPowerCharge},         // 8
    {0, kHeelDrop},            // 9
    {0, kRampage},             // 10
    {-1},                       // 11: the draw walks left as on 1
    {1},                        // 12: and right as on 2
    {},                         // any other code
}};

}  // namespace mojara::battle
