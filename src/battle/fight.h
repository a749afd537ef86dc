// The rules of a fight, as steps on its value: the load's set-up, a key press, a timer event.
// Nothing here plays, paints or reads a clock: what is to be heard, beeped and handed over comes
// back as data, and the battle window (or a headless run) carries it out.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "app/fight_setup.h"
#include "app/module1.h"
#include "battle/fight_state.h"

namespace mojara::battle {

// The stage, as the battle window is laid out (in twips).
inline constexpr float kSpriteWidth = 855, kSpriteHeight = 1065;  // GAZOU, stretched
inline constexpr float kStageWidth = 7635 + 120;                   // the window's outer width
inline constexpr float kFloorTop = 4935;                           // Label1, the floor strip
inline constexpr std::array<Sprite, 2> kStartSprites{{{2415, 3885, 0}, {4305, 3885, 0}}};
inline constexpr std::int32_t kMarkerStart = 2415;                 // Shape1's design left

// What is fixed for the whole fight: how often the timers fire and how long each sound plays.
struct FightRules {
  Nanos tickPeriod = 0;      // Timer1; 0: it never fires
  Nanos sequencePeriod = 0;  // Timer3 and Timer2
  std::array<Nanos, kSounds> soundLength{};
};

// Which of the window's timers runs, and whether the banner (Label2) shows, in the fight's phase.
inline bool timer1Runs(const FightState& s) { return s.phase == Phase::Live || s.phase == Phase::Finishing; }
inline bool bannerShown(const FightState& s) { return s.phase == Phase::Opening || s.phase == Phase::Paused; }

// The rules for a fight at `speed` (Timer1's interval in ms) on a platform whose timers fire at
// most every `resolution`, with the sounds lasting `soundLength`.
FightRules fightRules(std::int32_t speed, Nanos resolution, const std::array<Nanos, kSounds>& soundLength);

enum class HandOver : std::uint8_t {
  None,
  Select,    // the player won: the next opponent, or the ending
  Continue,  // the player lost: the continue countdown
};

// What one step asks of whoever shows the fight.
struct FightStep {
  bool ran = false;  // a timer event ran (none while paused or once handed over)
  std::uint8_t soundCount = 0;
  std::array<Sound, 4> sounds{};  // plays started, in order
  std::int32_t beeps = 0;
  HandOver handOver = HandOver::None;
  bool operator==(const FightStep&) const = default;
};

// The fight's value as the battle window's load makes it from the shared state. The window's
// variables that the load does not set carry over from `previous`, the last fight's value; `rnd`
// is the program's generator as the load reseeded it.
FightState loadFight(const Module1& M, const FightState& previous, const ProgramRandom& rnd,
                     const FightRules& rules);
// What the next load takes over from `previous` and the shared state, and those values made so.
CarriedOver carriedOver(const FightState& previous, const Module1& M);
void carryOver(const CarriedOver& carried, FightState& previous, Module1& M);

// A key-down of player 1 (side 0) or player 2 (side 1), at `at` on the fight's clock. Any key
// sets PRESSED in the shared state; that is the caller's. Returns the beeps.
std::int32_t pressKey(FightState& state, const FightRules& rules, int player, std::int32_t keyCode, Nanos at);

// The next timer event, if a timer runs.
FightStep tick(FightState& state, const FightRules& rules);

// A key-down and who pressed it.
struct KeyDown {
  std::int32_t keyCode = 0;
  std::uint8_t player = 1;  // 1 or 2
  bool operator==(const KeyDown&) const = default;
};

// One event of the fight: the key presses made since the last event, in order (at its time),
// then the event. Their beeps count with the event's.
FightStep advance(FightState& state, const FightRules& rules, std::span<const KeyDown> keys);

// After the hand-over: what the result leaves in the shared state (the stage won, or the winner
// free to be drawn again).
void settleHandOver(Module1& M, const FightState& state, HandOver handOver);

// A checksum of the rules' tables (the move programs, the commands, the roster, the keys): two
// programs whose rules could part agree on a fight only if this agrees.
std::uint64_t rulesChecksum();

}  // namespace mojara::battle
