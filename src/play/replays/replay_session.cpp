#include "play/replays/replay_session.h"

#include "app/program.h"
#include "forms/types.h"
#include "play/input/input_file.h"

namespace mojara {

std::string disagreement(long long event, const std::vector<StateCheck>& checks, std::size_t failed) {
  std::string text = "the replay stopped agreeing with its recording: the fight's state after event " +
                     std::to_string(event) + " is not the one recorded";
  if (failed > 0) text += " (it still agreed after event " + std::to_string(checks[failed - 1].event) + ")";
  return text + "; it was recorded by another version of the game, or the file was changed";
}

ReplayRecorder::ReplayRecorder(Game& game, std::string path, std::function<void(const std::string&)> warn)
    : game_(game), path_(std::move(path)), warn_(std::move(warn)) {
  game_.addObserver(*this);
}

void ReplayRecorder::fightStarting(const FightSetup& fight) {
  recording_ = true;
  online_ = false;
  ++fights_;
  fightPath_ = replayPath(path_, fights_);
  checkedAfter_ = -1;
  if (!file_.open(fightPath_)) return fail();
  append(replayHeader(fight));
}

void ReplayRecorder::keyPressed(const forms::Form& form, int code, int player) {
  const forms::Form& battle = game_.form(Window::Battle);
  if (!recording_ || online_ || &form != &battle || !battle.loaded()) return;
  // Written as it goes, so a program that is killed still leaves the keys played so far.
  append(keyLinesText({{battle.timerEvents() + 1, code, player}}));
}

void ReplayRecorder::eventRan(long long event) {
  if (!recording_ || online_ || event % kCheckEvery != 0) return;
  append(checkLine({event, game_.fightChecksum()}));
  checkedAfter_ = event;
}

void ReplayRecorder::followConfirmed() {
  if (!recording_) return;
  online_ = true;
  confirmed_ = 0;
  confirmedChecksum_ = 0;
}

void ReplayRecorder::confirmed(long long event, const std::vector<KeyPress>& presses, std::uint64_t checksum) {
  if (!recording_ || !online_ || event != confirmed_ + 1) return;
  if (!presses.empty()) append(keyLinesText(presses));
  confirmed_ = event;
  confirmedChecksum_ = checksum;
  if (event % kCheckEvery != 0) return;
  append(checkLine({event, checksum}));
  checkedAfter_ = event;
}

void ReplayRecorder::cutShort() { finish(cutShortLine(eventsRun())); }

long long ReplayRecorder::eventsRun() const {
  return online_ ? confirmed_ : game_.form(Window::Battle).timerEvents();
}

std::uint64_t ReplayRecorder::checksumNow() const { return online_ ? confirmedChecksum_ : game_.fightChecksum(); }

void ReplayRecorder::fightOver(Window) { finish(fightOverLine(eventsRun())); }

void ReplayRecorder::programEnding() { finish(cutShortLine(eventsRun())); }

void ReplayRecorder::finish(const std::string& endLine) {
  if (!recording_) return;
  recording_ = false;
  const long long events = eventsRun();
  // Online, before the first confirmed event there is no checksum to give.
  if (events != checkedAfter_ && !(online_ && events == 0)) append(checkLine({events, checksumNow()}));
  append(endLine);
  file_.close();
  online_ = false;
}

void ReplayRecorder::append(const std::string& text) {
  if (!file_.isOpen() || file_.append(text)) return;
  fail();
}

void ReplayRecorder::fail() {
  // From here on this fight's file is written no more: a later line would leave a gap in it. What
  // it holds plays as far as its last whole key press.
  file_.close();
  if (warned_ || !warn_) return;
  warned_ = true;
  warn_("cannot write the replay " + quote(fightPath_) + " (" + file_.error() +
        "); the rest of this fight is not recorded");
}

ReplayPlayer::ReplayPlayer(Game& game, RecordedFight fight, AfterReplay after,
                           std::function<void(const std::string&)> disagree)
    : game_(game),
      fight_(fight.fight),
      keys_(std::move(fight.keys)),
      checks_(std::move(fight.checks)),
      disagree_(std::move(disagree)),
      cutShortAfter_(fight.cutShortAfter),
      after_(after) {
  game_.addObserver(*this);
}

void ReplayPlayer::start() {
  if (game_.form(Window::Title).loaded()) game_.unload(Window::Title);
  playing_ = true;
  // A fight replays from what it took over when recorded, whatever this window played before.
  if (!fight_.carried) fight_.carried = CarriedOver{};
  game_.startFight(fight_, after_ == AfterReplay::Title ? AfterFight::ToTitle : AfterFight::EndProgram);
  timerFired();
}

bool ReplayPlayer::takeKey(int code) {
  if (!playing_) return true;
  if (code == forms::vk::Escape) end();
  return false;
}

void ReplayPlayer::timerFired() {
  forms::Form& battle = game_.form(Window::Battle);
  if (!playing_ || !battle.loaded()) return;
  if (disagreedAfter_) {
    if (disagree_) disagree_(disagreement(*disagreedAfter_, checks_, nextCheck_));
    return end();
  }
  if (cutShortAfter_ && battle.timerEvents() >= *cutShortAfter_) return end();
  keys_.deliverBefore(battle.timerEvents() + 1,
                      [&](const KeyPress& press) { pressKey(game_.desktop, battle, press); });
}

void ReplayPlayer::eventRan(long long event) {
  // Checked here, acted on once the event is over (timerFired).
  while (nextCheck_ < checks_.size() && checks_[nextCheck_].event < event) ++nextCheck_;
  if (!playing_ || disagreedAfter_ || nextCheck_ >= checks_.size() || checks_[nextCheck_].event != event) return;
  if (game_.fightChecksum() != checks_[nextCheck_].checksum) disagreedAfter_ = event;
}

void ReplayPlayer::fightOver(Window) {
  playing_ = false;
  if (!disagreedAfter_) return;
  // A disagreement found at the deciding event is said all the same.
  if (disagree_) disagree_(disagreement(*disagreedAfter_, checks_, nextCheck_));
  if (after_ != AfterReplay::EndProgram) return;
  game_.setAfterFight(AfterFight::Stop);
  sayDisagreed();
}

void ReplayPlayer::sayDisagreed() {
  game_.desktop.msgBox(kReplayDisagreesNotice, kProgramTitle, [this] { game_.desktop.end(); });
}

void ReplayPlayer::end() {
  playing_ = false;
  if (after_ == AfterReplay::EndProgram && disagreedAfter_) {
    if (game_.form(Window::Battle).loaded()) game_.unload(Window::Battle);
    return sayDisagreed();
  }
  if (after_ == AfterReplay::EndProgram) return game_.desktop.end();
  if (game_.form(Window::Battle).loaded()) game_.unload(Window::Battle);
  game_.show(Window::Title);
}

}  // namespace mojara
