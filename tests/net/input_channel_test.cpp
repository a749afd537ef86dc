// What one fight's channel takes of the other's datagrams: everything a peer playing fair can
// send, and nothing that claims what the other cannot have (an acknowledgement of presses never
// sent, presses past the prediction window, checksums of events it cannot have run), whatever the
// counters say; a refused datagram leaves nothing behind.
#include "net/input_channel.h"

#include <gtest/gtest.h>

#include "app/fight_setup.h"
#include "battle/fight_sounds.h"
#include "forms/scheduler.h"

namespace mojara::net {
namespace {

constexpr int kDelay = 2, kLimit = 8;

RollbackFight loadedFight() {
  Module1 M;
  setUpFight(M, practiceFight(1, 4));
  ProgramRandom rnd;
  rnd.reseed(3);
  const battle::FightRules rules =
      battle::fightRules(M.SPEED, forms::kDefaultTimerResolution, battle::soundLengths(MOJARA_BIN_DIR));
  battle::FightState state = battle::loadFight(M, battle::FightState{}, rnd, rules);
  state.INPUTON2 = 1;
  return RollbackFight(state, rules, 1, kLimit);
}

Inputs presses(std::uint32_t first, int count) {
  Inputs in;
  in.fight = 1;
  in.firstPress = first;
  in.presses.assign(static_cast<std::size_t>(count), Presses{});
  return in;
}

TEST(InputChannel, TakesWhatAFairPeerCanSendAndRefusesWhatItCannotHave) {
  // This end has sent its presses of events 1..2 and nothing else: the other, having them, can
  // run at most 2 + 8 events and have pressed 2 + 8 + 2 + 1 ahead.
  struct Case {
    const char* what;
    Inputs in;
    bool taken;
  };
  auto with = [](Inputs in, auto change) {
    change(in);
    return in;
  };
  const Inputs fair = presses(1, 13);
  const Case cases[] = {
      {"presses through the furthest event it can have", fair, true},
      {"a press past it", presses(1, 14), false},
      {"presses that leave a gap after what came", presses(2, 3), false},
      {"every press acknowledged", with(fair, [](Inputs& in) { in.pressesAck = 2; }), true},
      {"a press acknowledged that was never sent", with(fair, [](Inputs& in) { in.pressesAck = 3; }), false},
      {"all of them, by the wrap of a counter", with(fair, [](Inputs& in) { in.pressesAck = 0xFFFFFFFF; }),
       false},
      {"a checksum acknowledged that was never sent", with(fair, [](Inputs& in) { in.checksAck = 1; }),
       false},
      {"events run beyond the window", with(fair, [](Inputs& in) { in.ran = kDelay + kLimit + 1; }), false},
      {"events run to its edge", with(fair, [](Inputs& in) { in.ran = kDelay + kLimit; }), true},
      {"both said to have presses never sent", with(fair, [](Inputs& in) { in.bothHave = 3; }), false},
      {"a fight ended past what it can have run", with(fair, [](Inputs& in) { in.ended = 3; }), false},
      {"a desync at an event never checked", with(fair, [](Inputs& in) { in.desyncAt = 1; }), false},
      {"checksums of events it cannot have confirmed",
       with(Inputs{.fight = 1}, [](Inputs& in) { in.firstCheck = 1, in.checksums.assign(3, 7); }), false},
      {"checksums of the events it has",
       with(Inputs{.fight = 1}, [](Inputs& in) { in.firstCheck = 1, in.checksums.assign(2, 7); }), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RollbackFight fight = loadedFight();
    for (long long e = 1; e <= kDelay; ++e) fight.setLocal(e, {});
    InputChannel channel(1, kDelay, kLimit, {});
    channel.outgoing(fight, 0);
    EXPECT_EQ(channel.take(c.in, true, fight, {}), c.taken);
    if (c.taken) continue;
    EXPECT_EQ(fight.remoteKnown(), 0) << "a refused datagram's presses were kept";
    EXPECT_EQ(channel.checksKept(), 0u);
    EXPECT_EQ(channel.peerPressesAck(), 0);
  }
}

}  // namespace
}  // namespace mojara::net
