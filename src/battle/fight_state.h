// A fight as one plain value: everything its future depends on, from the battle window's load to
// its hand-over. The battle window copies it in from the shared state at its load, moves it on by
// the rules (fight.h) on each timer event and shows it; saving a fight is copying this value.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <type_traits>

#include "app/module1.h"
#include "app/program_random.h"

namespace mojara::battle {

using Nanos = std::int64_t;  // time on the fight's own clock: 0 at the window's load

// Where the fight is, and which of the window's timers runs: Timer3 the opening, Timer1 the live
// and the finishing ticks, Timer2 the closing; none while paused or once handed over.
enum class Phase : std::uint8_t { Opening, Live, Paused, Finishing, Closing, Over };

// What the banner (Label2) says.
enum class Banner : std::uint8_t {
  Design,  // "READY?", as the window is designed, until the opening's tenth tick
  Ready,   // "ＲＥＡＤＹ？"
  Go,      // "GO!!"
  Wait,    // "待った！！", what the pause shows
};

// What the centre message (Label3) says: a headline, and after the result its bonuses beneath.
enum class Headline : std::uint8_t {
  None,      // nothing (the load clears the message, and a combo's end clears the counter)
  Hits,      // "<hits>ＨＩＴ！！"
  TimeUp,    // "Ｔｉｍｅ　Ｕｐ！"
  KnockOut,  // "Ｋ．Ｏ．！！"
};

struct Message {
  Headline headline = Headline::None;
  std::int32_t hits = 0;  // the count a Hits headline shows
  bool result = false;    // the result's bonuses follow the headline
  std::int32_t lifeBonus = 0, timeBonus = 0;
  std::int32_t green = 0;  // the text's colour: red 0, this green, blue 0
  bool operator==(const Message&) const = default;
};

// A fighter's image slot as it stands: where, and which store picture it shows.
struct Sprite {
  std::int32_t left = 0, top = 0, picture = 0;
  bool operator==(const Sprite&) const = default;
};

// The three sound slots and the sound each plays.
enum class Sound : std::uint8_t {
  Music,     // MMControl1, music2.mid
  KnockDown, // MMControl2, snd2.wav
  Hit,       // MMControl3, snd1.wav
};
inline constexpr int kSounds = 3;

struct FightState {
  // The two fighters, named as the shared state names them.
  BySide<std::int32_t> LIFEFULL, LIFE, POW, SCORE, WALKSPD, ATK, CHARA;
  BySide<std::int32_t> XPOS, YPOS, XSPD, YSPD, POSE, FACING, ACTION;
  std::int32_t IX = 0;  // the side the battle procedures work on

  // The battle window's variables.
  BySide<std::int32_t> SHOWLIFE, SHOWPOW, MOVEDMG;
  std::int32_t CLOCK = 0;     // hundredths of a displayed second
  std::int32_t HITCOUNT = 0;  // hits of the current combo
  std::int32_t HITSIDE = 0;   // side that received the last hit
  std::int32_t SEQTICK = 0;   // events of the opening and the closing
  std::int32_t INPUTON = 0;   // 1: side 0 takes the player's keys
  std::int32_t KEYCMD = 0;    // the player's pending command code
  std::int32_t INPUTON2 = 0;  // 1: side 1 takes the second player's keys
  std::int32_t KEYCMD2 = 0;   // the second player's pending command code
  std::int32_t DMGTALLY = 0;  // damage tally of the current combo

  // What the window shows that none of the values above says.
  Phase phase = Phase::Opening;
  Banner banner = Banner::Design;
  Message message;
  bool overlay = false;             // Image1, which flips on every finishing tick
  BySide<std::int32_t> powGauge;    // the power the power gauge shows
  BySide<std::int32_t> pointsShown; // the points the name label shows
  BySide<Sprite> sprite;            // GAZOU
  std::int32_t marker = 0;          // Shape1's left: the player's sprite's, when last matched
  std::int32_t secondsShown = 0;    // the clock label's seconds; kClockDesign before any live tick

  // The program's random generator, the events run, and the fight's clock.
  ProgramRandom rnd;
  std::int64_t events = 0;  // timer events since the load
  Nanos now = 0;            // when the last event ran
  Nanos timerDue = 0;       // when the running timer fires next
  std::array<Nanos, kSounds> playingUntil{};  // each sound slot plays until then

  bool operator==(const FightState&) const = default;
};

static_assert(std::is_trivially_copyable_v<FightState>, "a fight is saved by copying it");

inline constexpr std::int32_t kClockDesign = INT32_MIN;  // the clock label shows "ＴＩＭＥ９９"

// A stable 64-bit hash of the value, field by field in a fixed order: the same fight on any
// machine, build or run has the same checksum. It leaves out the fight's clock (now, timerDue and
// the sound slots' ends): a pause in the window lasts as long as the player holds it, which a
// replay of its keys cannot know, and they decide nothing but when a sound starts again.
std::uint64_t checksum(const FightState& state);

std::ostream& operator<<(std::ostream& out, const FightState& state);
std::ostream& operator<<(std::ostream& out, Phase phase);

}  // namespace mojara::battle
