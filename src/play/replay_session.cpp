#include "play/replay_session.h"

#include <fstream>

#include "forms/types.h"

namespace mojara {

ReplayRecorder::ReplayRecorder(Game& game, std::string path, std::function<void(const std::string&)> warn)
    : game_(game), path_(std::move(path)), warn_(std::move(warn)) {
  game_.addObserver(*this);
}

void ReplayRecorder::fightStarting(const FightSetup& fight) {
  fight_ = {fight, {}, std::nullopt};
  recording_ = true;
  ++fights_;
  save(false);
}

void ReplayRecorder::keyPressed(const forms::Form& form, int code, int player) {
  const forms::Form& battle = game_.form(Window::Battle);
  if (!recording_ || &form != &battle || !battle.loaded()) return;
  fight_.keys.push_back({battle.timerEvents() + 1, code, player});
  // Written as it goes, so a program that is killed still leaves the keys played so far.
  save(false);
}

void ReplayRecorder::fightOver(Window) {
  if (!recording_) return;
  recording_ = false;
  save(false);
}

void ReplayRecorder::programEnding() {
  if (!recording_) return;
  recording_ = false;
  save(true);
}

void ReplayRecorder::save(bool cutShort) {
  const forms::Form& battle = game_.form(Window::Battle);
  fight_.cutShortAfter = cutShort ? std::optional<long long>(battle.timerEvents()) : std::nullopt;
  const std::string path = replayPath(path_, fights_);
  std::ofstream out(path, std::ios::trunc);
  out << replayText(fight_);
  out.flush();
  if (!out && !warned_ && warn_) {
    warned_ = true;
    warn_("cannot write the replay " + path);
  }
}

void ReplayPlayer::start() {
  game_.startFight(fight_, AfterFight::EndProgram);
  timerFired();
}

bool ReplayPlayer::takeKey(int code) {
  if (code == forms::vk::Escape) game_.desktop.end();
  return false;
}

void ReplayPlayer::timerFired() {
  forms::Form& battle = game_.form(Window::Battle);
  if (!battle.loaded()) return;
  if (cutShortAfter_ && battle.timerEvents() >= *cutShortAfter_) return game_.desktop.end();
  keys_.deliverBefore(battle.timerEvents() + 1,
                      [&](const KeyPress& press) { pressKey(game_.desktop, battle, press); });
}

}  // namespace mojara
