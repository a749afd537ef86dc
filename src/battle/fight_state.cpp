#include "battle/fight_state.h"

#include <ostream>
#include <string_view>

namespace mojara::battle {

namespace {

// Every field of the value, in a fixed order, as (name, whole number): what a failing comparison
// prints, and but for the clock's what the checksum hashes.
enum class Clock { Included, Left };
template <class Visit>
void forEachField(const FightState& s, Visit visit, Clock clock = Clock::Included) {
  const auto sides = [&](std::string_view name, const BySide<std::int32_t>& v) {
    visit(name, v[0]);
    visit(name, v[1]);
  };
  sides("LIFEFULL", s.LIFEFULL);
  sides("LIFE", s.LIFE);
  sides("POW", s.POW);
  sides("SCORE", s.SCORE);
  sides("WALKSPD", s.WALKSPD);
  sides("ATK", s.ATK);
  sides("CHARA", s.CHARA);
  sides("XPOS", s.XPOS);
  sides("YPOS", s.YPOS);
  sides("XSPD", s.XSPD);
  sides("YSPD", s.YSPD);
  sides("POSE", s.POSE);
  sides("FACING", s.FACING);
  sides("ACTION", s.ACTION);
  visit("IX", s.IX);
  sides("SHOWLIFE", s.SHOWLIFE);
  sides("SHOWPOW", s.SHOWPOW);
  sides("MOVEDMG", s.MOVEDMG);
  visit("CLOCK", s.CLOCK);
  visit("HITCOUNT", s.HITCOUNT);
  visit("HITSIDE", s.HITSIDE);
  visit("SEQTICK", s.SEQTICK);
  visit("INPUTON", s.INPUTON);
  visit("KEYCMD", s.KEYCMD);
  visit("INPUTON2", s.INPUTON2);
  visit("KEYCMD2", s.KEYCMD2);
  visit("DMGTALLY", s.DMGTALLY);
  visit("phase", static_cast<std::int64_t>(s.phase));
  visit("banner", static_cast<std::int64_t>(s.banner));
  visit("message.headline", static_cast<std::int64_t>(s.message.headline));
  visit("message.hits", s.message.hits);
  visit("message.result", s.message.result);
  visit("message.lifeBonus", s.message.lifeBonus);
  visit("message.timeBonus", s.message.timeBonus);
  visit("message.green", s.message.green);
  visit("overlay", s.overlay);
  sides("powGauge", s.powGauge);
  sides("pointsShown", s.pointsShown);
  for (const Sprite& sprite : s.sprite) {
    visit("sprite.left", sprite.left);
    visit("sprite.top", sprite.top);
    visit("sprite.picture", sprite.picture);
  }
  visit("marker", s.marker);
  visit("secondsShown", s.secondsShown);
  visit("rnd", static_cast<std::int64_t>(s.rnd.state()));
  visit("events", s.events);
  if (clock == Clock::Left) return;
  visit("now", s.now);
  visit("timerDue", s.timerDue);
  for (const Nanos until : s.playingUntil) visit("playingUntil", until);
}

// A new field must be hashed and printed too: this fails to build until forEachField has it.
static_assert(sizeof(FightState) == 312, "add the new field to forEachField");

}  // namespace

std::uint64_t checksum(const FightState& state) {
  // FNV-1a over each field as eight little-endian bytes.
  std::uint64_t hash = 0xcbf29ce484222325ull;
  forEachField(state, [&](std::string_view, std::int64_t value) {
    auto bits = static_cast<std::uint64_t>(value);
    for (int byte = 0; byte < 8; ++byte, bits >>= 8) {
      hash ^= bits & 0xff;
      hash *= 0x100000001b3ull;
    }
  }, Clock::Left);
  return hash;
}

std::ostream& operator<<(std::ostream& out, const FightState& state) {
  out << '{';
  std::string_view last;
  forEachField(state, [&](std::string_view name, std::int64_t value) {
    if (name == last) {
      out << ',' << value;
    } else {
      out << (last.empty() ? "" : " ") << name << '=' << value;
      last = name;
    }
  });
  return out << '}';
}

std::ostream& operator<<(std::ostream& out, Phase phase) {
  constexpr std::string_view kNames[] = {"Opening", "Live", "Paused", "Finishing", "Closing", "Over"};
  return out << kNames[static_cast<int>(phase)];
}

}  // namespace mojara::battle
