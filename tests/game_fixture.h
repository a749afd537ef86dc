// The whole program on the virtual clock, for tests of the flow between windows.
#pragma once

#include <gtest/gtest.h>

#include "app/game.h"
#include "app/title_window.h"
#include "battle/battle_window.h"
#include "fake_host.h"
#include "forms/layout.h"
#include "screens/continue_window.h"
#include "screens/ending_window.h"
#include "select/select_window.h"

namespace mojara::testing {

struct GameTest : ::testing::Test {
  VirtualDesktop v;
  Game game{v.desktop};
  Module1& M = game.M;
  Form5& select = game.select;

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
