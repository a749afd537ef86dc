// A fight on the virtual clock for tests: the battle window loaded with two roster fighters, sound
// slots on virtual time, and the hand-over recorded instead of opening the next window.
#pragma once

#include <gtest/gtest.h>

#include "app/roster.h"
#include "assets/sprite_store.h"
#include "battle/battle_window.h"
#include "fake_host.h"
#include "game/game.h"
#include "sim/headless_sound.h"

namespace mojara::testing {

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
  // Keeps the computer still: it draws "nothing" only if its draws say so, so give it no chance.
  void playerOnly() { M.WALKSPD[1] = 0; }
};

}  // namespace mojara::testing
