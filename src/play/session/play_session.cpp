#include "play/session/play_session.h"

#include "play/input/front_end_keys.h"
#include "play/input/input_file.h"
#include "play/input/input_script.h"
#include "play/session/practice.h"

namespace mojara {

namespace {

constexpr const char* kDemoMarkSlot = "demo";
constexpr const char* kSoundSlot = "sound";
static_assert(StandInPlayer::kLookInterval == PlaySession::kLookInterval);
static_assert(Settings::kLevelSteps == SoundLevels::kSteps);

}  // namespace

PlaySession::PlaySession(forms::Desktop& desktop, const forms::Clock& clock, PlayHost& host, Settings kept,
                         bool keepsFullScreen)
    : desktop_(desktop),
      clock_(clock),
      host_(host),
      game_(desktop),
      navigation_(game_),
      versus_(game_),
      settings_(std::move(kept)),
      levels_(SoundLevels{settings_.music, settings_.effects, settings_.muted}.valid()),
      keepsFullScreen_(keepsFullScreen),
      fullScreen_(keepsFullScreen && settings_.fullScreen) {
  // A game started from the title while the players choose ends the session: one fight at a time.
  versus_.takenOver = [this](const std::string& notice) {
    versusWindowOpen_ = false;
    host_.versusTakenOver();
    showNotice(notice);
  };
}

void PlaySession::record(std::string path, std::function<void(const std::string&)> warn) {
  recorder_.emplace(game_, std::move(path), [this, warn = std::move(warn)](const std::string& why) {
    if (warn) warn(why);
    showNotice(kReplayNotSavedNotice, kFileNoticeTime);
  });
}

void PlaySession::replay(RecordedFight fight, AfterReplay after, std::function<void(const std::string&)> disagree) {
  player_.reset();
  player_.emplace(game_, std::move(fight), after, std::move(disagree));
}

void PlaySession::start(const Start& start) {
  host_.soundLevelsChanged(levels_);
  if (fullScreen_) host_.fullScreenChanged(true);
  // Demo play alone: the computer plays the whole campaign, a stand-in player clicking through the
  // windows with choices of its own. With a fight it plays the practice fight, after which the
  // title is the player's.
  const bool demoCampaign = start.demo && !start.fight;
  game_.setDemoPlay(demoCampaign);
  if (demoCampaign) standIn_.emplace(game_, start.runSeed ? StandInPlayer::seedOfRun(*start.runSeed) : start.clockSeed);
  // Attract mode, on the plain title only: not while fights are recorded or a replay is the start.
  if (start.attract && settings_.attract && !demoCampaign && !recorder_ && !player_)
    attract_.emplace(game_, start.clockSeed ^ 0xA77AC7ull);
  if (player_)
    player_->start();
  else if (start.versus && versusFight(start.versus->first, start.versus->second))
    return;
  else if (start.fight && !start.versus)
    startPractice(game_, start.fight->first, start.fight->second, start.demo);
  else
    game_.start();
}

void PlaySession::keyPressed(forms::Form& form, int code, int shift) {
  if (desktop_.ended()) return;
  // The message box has the keyboard: Enter, Escape and the space bar close it.
  if (desktop_.messageBoxOpen()) return void(desktop_.navigate(form, code, shift));
  if (!input()) return;
  using Action = FrontEndKey::Action;
  const FrontEndKey own = frontEndKeyOf(code, shift);
  const bool onTitle = &form == &game_.form(Window::Title);
  switch (own.action) {
    case Action::FullScreen: {
      fullScreen_ = !fullScreen_;
      host_.fullScreenChanged(fullScreen_);
      if (!keepsFullScreen_) return;
      Settings now = settings_;
      now.fullScreen = fullScreen_;
      return change(now);
    }
    case Action::Mute: {
      SoundLevels levels = levels_;
      levels.muted = !levels.muted;
      return soundChanged(levels);
    }
    case Action::Volume:
      return soundChanged(levels_.changed(own.musicSteps, own.effectsSteps));
    case Action::Settings:
      if (onTitle) host_.openKeyWindow();
      return;
    case Action::Versus:
      if (onTitle) openVersus();
      return;
    case Action::None:
      if (navigation_.keyPressed(form, code, shift)) return;  // moved about, or ended a demo
      return gameKeyPressed(form, settings_.bindings.gameKey(code, versus_.fighting()), shift);
  }
}

void PlaySession::gameKeyPressed(forms::Form& form, GameKey key, int shift) {
  // While a replay plays the player's keys do not reach its fight (Escape ends it); what reaches
  // the game is what is recorded.
  if (player_ && !player_->takeKey(key.code)) return;
  if (recorder_) recorder_->keyPressed(form, key.code, key.player);
  if (key.player == 0)
    desktop_.keyDown(form, key.code, shift);
  else
    desktop_.secondPlayerKeyDown(form, key.code);
}

void PlaySession::padPressed(int player, PadButton button, bool repeat) {
  forms::Form* front = desktop_.foreground();
  if (desktop_.ended() || !front) return;
  if (desktop_.messageBoxOpen()) {
    // A or Start closes the message box, as Enter does.
    if (!repeat) desktop_.navigate(*front, KeyboardNavigation::keyOfButton(button), 0);
    return;
  }
  if (!input()) return;
  const std::optional<command::Command> bound = settings_.bindings.commandOfButton(player, button);
  // A held button repeats like a held key, except pause, which would toggle on and off.
  const bool commands = bound && !(repeat && *bound == command::Pause);
  // Outside a fight the buttons move about the window in front, for either player.
  if (navigation_.padPressed(*front, button, repeat)) return;
  // Player 2's controller steers only in a versus fight.
  if (!commands || (player == 1 && !versus_.fighting())) return;
  gameKeyPressed(*front, {player, keyOf(*bound)});
}

void PlaySession::command(int player, command::Command command) {
  forms::Form* front = desktop_.foreground();
  if (desktop_.ended() || desktop_.messageBoxOpen() || !front || !input()) return;
  if (player == 1 && !versus_.fighting()) return;
  gameKeyPressed(*front, {player, keyOf(command)});
}

bool PlaySession::input() {
  if (!attract_) return true;
  const bool goesOn = attract_->input(clock_.now());
  showMark();
  return goesOn;
}

void PlaySession::timerFired() {
  if (player_) player_->timerFired();
}

bool PlaySession::look() {
  const forms::Nanos now = clock_.now();
  bool changed = false;
  if (attract_) {
    // A player choosing keys or fighters is not idle.
    if (versusWindowOpen_ || versus_.active() || host_.playersBusy()) attract_->input(now);
    if (attract_->look(now)) {
      showMark();
      changed = true;
    }
  }
  // When a versus fight has ended (after its result has shown), the players choose the next one.
  if (versus_.look()) {
    openVersusWindow({versus_.fighters(), versus_.winner()});
    changed = true;
  }
  if (standIn_) {
    if (const auto action = standIn_->look(now)) {
      if (standInActs) standInActs(actionText(*action));
      try {
        deliver(game_, *action);
      } catch (const ScriptError&) {
        // The window it looked at went away in between: it looks again.
      }
      changed = true;
    }
  }
  return changed;
}

bool PlaySession::playReplay(const std::string& text) {
  try {
    RecordedFight fight = readReplay(text);
    if (!game_.form(Window::Title).shown() || versus_.active() || attractRunning() ||
        (player_ && player_->playing())) {
      showNotice(kReplayOnlyFromTitle);
      return false;
    }
    replay(std::move(fight), AfterReplay::Title,
           [this](const std::string&) { showNotice(kReplayDisagreesNotice, kFileNoticeTime); });
    player_->start();
    return true;
  } catch (const InputError&) {
    showNotice(kReplayUnreadable);
    return false;
  }
}

void PlaySession::openVersus() {
  versus_.opened();
  openVersusWindow({});
}

void PlaySession::openVersusWindow(const VersusOpening& opening) {
  versusWindowOpen_ = true;
  host_.openVersusWindow(opening);
}

bool PlaySession::versusFight(int p0, int p1) {
  if (const auto why = versus_.refusal()) {
    showNotice(*why);
    return false;
  }
  versusWindowOpen_ = false;
  return versus_.fight(p0, p1);
}

void PlaySession::versusClosed() {
  // After a fight or from the title: the title, with the game as it was.
  versusWindowOpen_ = false;
  versus_.closed();
  if (versus_.active())
    versus_.toTitle();
  else if (!game_.form(Window::Title).shown())
    game_.start();
}

void PlaySession::change(const Settings& changed) {
  if (changed == settings_) return;
  const Settings before = std::exchange(settings_, changed);
  host_.keepSettings(before, settings_);
}

KeyBindings::Change PlaySession::bindKey(int player, command::Command command, int code) {
  Settings now = settings_;
  KeyBindings::Change done = now.bindings.bindKey(player, command, code);
  if (done.done) change(now);
  return done;
}

KeyBindings::Change PlaySession::bindButton(int player, command::Command command, PadButton button) {
  Settings now = settings_;
  KeyBindings::Change done = now.bindings.bindButton(player, command, button);
  if (done.done) change(now);
  return done;
}

void PlaySession::soundChanged(const SoundLevels& levels) {
  levels_ = levels.valid();
  host_.soundLevelsChanged(levels_);
  showNotice(soundLevelsNotice(levels_.music, levels_.effects, levels_.muted), kNoticeTime, kSoundSlot);
  Settings now = settings_;
  now.music = levels_.music;
  now.effects = levels_.effects;
  now.muted = levels_.muted;
  change(now);
}

void PlaySession::showNotice(const Wording& text, forms::Nanos shownFor, const std::string& slot) {
  if (windowsGone_) return;
  notices_.show(text, clock_.now() + shownFor, slot);
  host_.noticesChanged();
}

void PlaySession::expireNotices() {
  if (notices_.expire(clock_.now())) host_.noticesChanged();
}

void PlaySession::showMark() {
  const bool changed = attractRunning() ? notices_.mark(Wording{kDemoMark, {}}, kDemoMarkSlot)
                                        : notices_.unmark(kDemoMarkSlot);
  if (changed) host_.noticesChanged();
}

}  // namespace mojara
