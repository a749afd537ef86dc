// Fights for tests. FightValueTest: a fight's value as the battle window's load makes it, moved on
// by the rules alone. BattleTest: the battle window loaded with two roster fighters on the virtual
// clock, sound slots on virtual time, and the hand-over recorded instead of opening the next window.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "app/fight_setup.h"
#include "app/roster.h"
#include "assets/sprite_store.h"
#include "battle/battle_rules.h"
#include "battle/battle_window.h"
#include "battle/fight.h"
#include "forms/scheduler.h"
#include "fake_host.h"
#include "game/game.h"
#include "sim/headless_sound.h"

namespace mojara::testing {

struct FightValueTest : ::testing::Test {
  Module1 M;
  battle::FightRules rules;
  battle::FightState s;
  battle::FightStep out;  // what the procedures asked for since the last takeSounds()

  // The value the load makes of roster slots p0 and p1 as an accepted draw leaves them, with no
  // power and no points; no sound lasts, so the music starts again on every battle tick.
  void load(int p0 = 0, int p1 = 3) {
    setUpFight(M, practiceFight(p0, p1));
    ProgramRandom rnd;
    rnd.reseed(1);
    rules = battle::fightRules(M.SPEED, forms::kDefaultTimerResolution, {});
    s = battle::loadFight(M, battle::FightState{}, rnd, rules);
  }
  // The battle's procedures on the value, for side `side` (IX).
  battle::Battle on(std::int32_t side) {
    s.IX = side;
    return battle::Battle(s, rules, out);
  }
  // The next n timer events.
  void ticks(int n = 1) {
    for (int i = 0; i < n; ++i) ASSERT_TRUE(battle::tick(s, rules).ran) << "no timer runs";
  }
  // Runs the opening: after it the battle tick runs.
  void openingDone() {
    ticks(50);
    ASSERT_EQ(s.phase, battle::Phase::Live);
  }
  void key(std::int32_t code) { battle::pressKey(s, rules, 1, code, s.now); }
  std::vector<battle::Sound> takeSounds() {
    std::vector<battle::Sound> sounds(out.sounds.begin(), out.sounds.begin() + out.soundCount);
    out = {};
    return sounds;
  }
};

struct SoundHost : FakeHost {
  explicit SoundHost(const forms::Clock& clock) : sound(clock) {}
  sim::HeadlessSound sound;
  forms::SoundService* soundService() override { return &sound; }
};

struct BattleTest : ::testing::Test {
  forms::VirtualClock clock;
  SoundHost host{clock};
  forms::Desktop desktop{host, clock};
  Game game{desktop};
  Module1& M = game.M;
  Form2& battle = game.battle;
  std::string handedTo;  // the window the battle handed over to

  // Records the hand-over; the next window is not opened.
  struct HandOver : FightObserver {
    std::string& to;
    explicit HandOver(std::string& to) : to(to) {}
    void fightOver(Window next) override { to = std::string(formName(next)); }
  } handOver{handedTo};

  // Loads the battle window with roster slots p0 and p1 as an accepted draw leaves them; power
  // and points are what the state holds.
  void load(int p0 = 0, int p1 = 3, int speed = 5) {
    FightSetup fight = fightOfState(M);
    fight.player = p0;
    fight.opponent = p1;
    fight.speed = speed;
    game.addObserver(handOver);
    game.startFight(fight, AfterFight::Stop);
  }
  BattleControls& c() { return *battle.ctl; }
  // Fires the next n timer events of the window.
  void events(int n = 1) {
    for (int i = 0; i < n; ++i) {
      auto due = desktop.nextDue();
      ASSERT_TRUE(due) << "no timer is enabled";
      clock.set(*due);
      desktop.fireNextDueTimer();
    }
  }
  // Runs the opening: after it the battle tick runs.
  void openingDone() {
    events(50);
    ASSERT_TRUE(c().Timer1.Enabled());
  }
  void key(int code) { desktop.keyDown(battle, code); }
};

}  // namespace mojara::testing
