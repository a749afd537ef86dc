#include "app/attract_mode.h"

#include "app/game.h"
#include "app/title_window.h"
#include "battle/battle_window.h"
#include "select/roster.h"

namespace mojara {

bool AttractMode::input(forms::Nanos now) {
  lastInput_ = now;
  if (!running()) return true;
  stop();
  return false;
}

bool AttractMode::look(forms::Nanos now) {
  if (running()) {
    if (!fightOver_) return false;
    stop();
    lastInput_ = now;
    return true;
  }
  // The idle time counts from the title's showing or from the last input, whichever is later.
  const bool titleUp = game_.title.shown() && !game_.desktop.messageBoxOpen();
  if (titleUp && !titleSeen_) lastInput_ = now;
  titleSeen_ = titleUp;
  if (!titleUp || now - lastInput_ < kIdleTime) return false;
  start();
  return true;
}

void AttractMode::start() {
  Module1& M = game_.M;
  saved_ = Saved{M, game_.rnd, game_.demo};
  fightOver_ = false;
  game_.desktop.unload(game_.title);
  for (M.IX = 0; M.IX <= 1; ++M.IX) writeRosterRow(M, M.IX, static_cast<std::int32_t>(choices_.next() * 8));
  M.POW[0] = M.POW[1] = M.SCORE[0] = M.SCORE[1] = 0;
  M.SPEED = 5;
  game_.demo = true;
  // Where the demo fight would hand over, it only ends; the title comes back between events.
  game_.onHandOver = [this](forms::Form&) { fightOver_ = true; };
  game_.desktop.show(game_.battle);
}

void AttractMode::stop() {
  game_.onHandOver = nullptr;
  if (game_.battle.loaded()) game_.desktop.unload(game_.battle);
  game_.desktop.show(game_.title);
  game_.M = saved_->state;
  game_.rnd = saved_->random;
  game_.demo = saved_->demo;
  saved_.reset();
  titleSeen_ = true;
}

}  // namespace mojara
