#include "play/session/attract_mode.h"

namespace mojara {

bool AttractMode::input(forms::Nanos now) {
  lastInput_ = now;
  if (!running()) return true;
  stop();
  return false;
}

bool AttractMode::look(forms::Nanos now) {
  if (running()) {
    if (!game_.fightStopped()) return false;
    stop();
    lastInput_ = now;
    return true;
  }
  // The idle time counts from the title's showing or from the last input, whichever is later. A
  // player reading the help or a message box is not idle: the title counts as up without them.
  const bool titleUp = game_.form(Window::Title).shown() && !game_.form(Window::Help).shown() &&
                       !game_.desktop.messageBoxOpen();
  if (titleUp && !titleSeen_) lastInput_ = now;
  titleSeen_ = titleUp;
  if (!titleUp || now - lastInput_ < kIdleTime) return false;
  start();
  return true;
}

void AttractMode::start() {
  saved_ = Saved{game_.M, game_.rnd};
  game_.unload(Window::Title);
  FightSetup demo;
  demo.player = static_cast<std::int32_t>(choices_.next() * 8);
  demo.opponent = static_cast<std::int32_t>(choices_.next() * 8);
  demo.demo = true;
  // Where the demo fight would hand over, it only ends; the title comes back between events.
  game_.startFight(demo, AfterFight::Stop);
}

void AttractMode::stop() {
  game_.unload(Window::Battle);
  game_.show(Window::Title);
  game_.M = saved_->state;
  game_.rnd = saved_->random;
  saved_.reset();
  titleSeen_ = true;
}

}  // namespace mojara
