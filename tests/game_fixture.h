// The whole program on the virtual clock, for tests of the flow between windows.
#pragma once

#include <gtest/gtest.h>

#include "battle/battle_window.h"
#include "fake_host.h"
#include "forms/layout.h"
#include "game/game.h"
#include "screens/continue_window.h"
#include "screens/ending_window.h"
#include "select/select_window.h"
#include "title/title_window.h"

namespace mojara::testing {

struct GameTest : ::testing::Test {
  VirtualDesktop v;
  Game game{v.desktop};
  Module1& M = game.M;
  Form5& select = game.select;

  // The shared state as each fight's hand-over found it.
  struct HandOvers : FightObserver {
    explicit HandOvers(const Module1& M) : M(M) {}
    void fightOver(Window next) override { seen.push_back({next, M}); }
    const Module1& M;
    std::vector<std::pair<Window, Module1>> seen;
  } handOvers{M};
  GameTest() { game.addObserver(handOvers); }

  void run(double millis) { v.runFor(ms(millis)); }
  // Runs until the window is shown (or the time is up).
  bool runUntilShown(const forms::Form& form, double maxMillis = 600000) {
    for (double t = 0; t < maxMillis && !form.shown() && !v.desktop.ended(); t += 50) run(50);
    return form.shown();
  }
  void hover(int k) {
    const forms::Box box = forms::absoluteBox(select.ctl->KYARA[k]);
    v.desktop.mouseMove(select, box.left + box.width / 2, box.top + box.height / 2);
  }
  void press(int k, int button) {
    const forms::Box box = forms::absoluteBox(select.ctl->KYARA[k]);
    v.desktop.mouseDown(select, box.left + box.width / 2, box.top + box.height / 2, button);
  }
  // Plays the running fight on to its end: the computer's life (or the player's) is gone, and the
  // closing runs until the battle window hands over.
  void finishFight(bool playerWins) {
    ASSERT_TRUE(game.battle.shown());
    game.battle.fight().LIFE[playerWins ? 1 : 0] = 0;
    const std::size_t before = handOvers.seen.size();
    for (int i = 0; i < 20000 && handOvers.seen.size() == before; ++i) run(50);
    ASSERT_EQ(handOvers.seen.size(), before + 1) << "the fight did not end";
    EXPECT_EQ(handOvers.seen.back().first, playerWins ? Window::Select : Window::Continue);
  }
  // From the title to a chosen fighter: "Ｐｌａｙ　Ｇａｍｅ", the strip, a hover and a left click.
  void startGameWith(int k) {
    game.start();
    v.desktop.click(game.title.ctl->Command1);
    run(60);  // the strip slides in on the first tick
    hover(k);
    press(k, forms::mouse::Left);
  }
};

}  // namespace mojara::testing
