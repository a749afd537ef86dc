// A fight on the virtual clock for tests: the battle window loaded with two roster fighters, sound
// slots on virtual time, and the hand-over recorded instead of opening the next window.
#pragma once

#include <gtest/gtest.h>

#include "app/game.h"
#include "assets/sprite_store.h"
#include "battle/battle_window.h"
#include "fake_host.h"
#include "select/roster.h"
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
  std::string handedTo;

  // Loads the battle window with roster slots p0 and p1 as an accepted draw leaves them.
  void load(int p0 = 0, int p1 = 3, int speed = 5) {
    for (int side = 0; side <= 1; ++side) writeRosterRow(M, side, side == 0 ? p0 : p1);
    M.BEATEN[p1] = 1;
    M.PRESSED = 1;
    M.SPEED = speed;
    game.onHandOver = [this](forms::Form& next) { handedTo = next.name(); };
    desktop.show(battle);
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
