#include "play/session/versus_session.h"

namespace mojara {

namespace {

constexpr const char* kGameIsOn = "ゲームの途中なので対戦はできません";
constexpr const char* kVersusEnded = "ひとりでゲームを始めたので対戦をやめました";

}  // namespace

std::optional<std::string> VersusSession::refusal() const {
  for (Window w : {Window::Select, Window::Battle, Window::Continue, Window::Ending})
    if (game_.form(w).loaded()) return kGameIsOn;
  return std::nullopt;
}

bool VersusSession::fight(std::int32_t p0, std::int32_t p1) { return fight(practiceFight(p0, p1)); }

bool VersusSession::fight(const FightSetup& setup) {
  if (fighting_ || refusal()) return false;
  open_ = true;
  if (!saved_) saved_ = Saved{game_.M, game_.rnd};
  if (game_.form(Window::Title).loaded()) game_.unload(Window::Title);
  fighters_ = {setup.player, setup.opponent};
  winner_.reset();
  FightSetup versus = setup;
  versus.versus = true;
  fighting_ = true;
  stopped_ = false;
  // Where a fight of the campaign would hand over to the select or continue window, a versus
  // fight only ends; the players choose what follows.
  game_.startFight(versus, AfterFight::Stop);
  return true;
}

void VersusSession::fightStarting(const FightSetup& fight) {
  if (open_ && !fight.versus) takeOver();
}

void VersusSession::windowShowing(Window window) {
  if (open_ && !fighting_ && (window == Window::Select || window == Window::Continue || window == Window::Ending))
    takeOver();
}

void VersusSession::takeOver() {
  // The one-player game (or its fight) goes on from here: nothing of the session's is put back.
  open_ = false;
  fighting_ = false;
  saved_.reset();
  if (takenOver) takenOver(kVersusEnded);
}

void VersusSession::fightOver(Window next) {
  // The battle hands over to the select window when side 0 has won, to the continue window when
  // it has lost.
  if (fighting_) winner_ = next == Window::Select ? 0 : 1;
}

void VersusSession::stopFight() {
  if (!fighting_) return;
  stopped_ = true;
  winner_.reset();
  if (game_.form(Window::Battle).loaded()) game_.unload(Window::Battle);
}

bool VersusSession::look() {
  if (!fighting_ || !(game_.fightStopped() || stopped_)) return false;
  fighting_ = false;
  stopped_ = false;
  return true;
}

void VersusSession::toTitle() {
  if (!saved_) return;
  if (game_.form(Window::Battle).loaded()) game_.unload(Window::Battle);
  fighting_ = false;
  stopped_ = false;
  game_.show(Window::Title);
  game_.M = saved_->state;
  game_.rnd = saved_->random;
  saved_.reset();
}

}  // namespace mojara
