#include "play/versus_session.h"

namespace mojara {

void VersusSession::fight(std::int32_t p0, std::int32_t p1) {
  if (fighting_) return;
  if (!saved_) saved_ = Saved{game_.M, game_.rnd};
  if (game_.form(Window::Title).loaded()) game_.unload(Window::Title);
  fighters_ = {p0, p1};
  winner_.reset();
  FightSetup versus = practiceFight(p0, p1);
  versus.versus = true;
  fighting_ = true;
  // Where a fight of the campaign would hand over to the select or continue window, a versus
  // fight only ends; the players choose what follows.
  game_.startFight(versus, AfterFight::Stop);
}

void VersusSession::fightOver(Window next) {
  // The battle hands over to the select window when side 0 has won, to the continue window when
  // it has lost.
  if (fighting_) winner_ = next == Window::Select ? 0 : 1;
}

bool VersusSession::look() {
  if (!fighting_ || !game_.fightStopped()) return false;
  fighting_ = false;
  return true;
}

void VersusSession::toTitle() {
  if (!saved_) return;
  if (game_.form(Window::Battle).loaded()) game_.unload(Window::Battle);
  fighting_ = false;
  game_.show(Window::Title);
  game_.M = saved_->state;
  game_.rnd = saved_->random;
  saved_.reset();
}

}  // namespace mojara
