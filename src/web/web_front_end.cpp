#include "web/web_front_end.h"

#include <algorithm>
#include <chrono>

#include "play/versus_words.h"
#include "play/front_end_keys.h"
#include "play/input_file.h"
#include "play/input_script.h"
#include "play/language.h"
#include "play/practice.h"
#include "play/settings_store.h"
#include "play/sound_levels.h"
#include "forms/layout.h"

namespace mojara::web {

namespace {

constexpr const char* kDemoMarkSlot = "demo";
// Long enough to read a line or two.
constexpr forms::Nanos kFileNoticeTime = 8'000'000'000;
// The looks between events (attract mode, the versus session, demo play) come this often.
constexpr forms::Nanos kLookInterval = AttractMode::kLookInterval;
static_assert(StandInPlayer::kLookInterval == kLookInterval);

}  // namespace

WebFrontEnd::WebFrontEnd(WebOptions options)
    : options_(std::move(options)),
      sound_(clock_),
      desktop_(*this, clock_, options_.timerResolution),
      game_(std::make_unique<Game>(desktop_)),
      navigation_(*game_),
      versus_(*game_) {
  settingsText_ = SettingsText::parse(options_.settingsText);
  const SettingsReading reading = readSettings(settingsText_);
  settings_ = reading.settings;
  if (!reading.unusable.empty() || !reading.unreadLines.empty()) showNotice(kSettingsPartlyRead, kFileNoticeTime);
  if (!reading.moved.empty()) showNotice(kSettingsBindingsMoved, kFileNoticeTime);
  if (options_.lang.empty()) options_.lang = settings_.lang;
  if (options_.lang != kGameLanguage && options_.catalogue) texts_ = WindowTexts(CaptionTranslator(*options_.catalogue));
  texts_.setGame(game_.get());
  sound_.setLevels({settings_.music, settings_.effects, settings_.muted});
  fullScreen_ = false;  // a page goes full screen only at the player's own key
  if (options_.log) {
    lines_.emplace(clock_, logText_);
    lines_->watch(*game_);
    trace_.emplace(*game_, sound_, traceText_);
  }
  versus_.takenOver = [this](const std::string& notice) {
    versusWindowOpen_ = false;
    showNotice(notice);
  };
}

WebFrontEnd::~WebFrontEnd() = default;

void WebFrontEnd::start() {
  // --demo alone: the computer plays the whole campaign. With a fight, it plays that fight.
  const bool demoCampaign = options_.demo && !options_.fight;
  game_->setDemoPlay(demoCampaign);
  // With a fixed seed the stand-in draws as the headless runner's does.
  if (demoCampaign) standIn_.emplace(*game_, options_.seed ? StandInPlayer::seedOfRun(*options_.seed) : clockSeed());
  if (options_.record)
    recorder_.emplace(*game_, options_.programFolder + "/replay.txt", [this](const std::string&) {
      showNotice(kReplayNotSavedNotice, kFileNoticeTime);
    });
  if (options_.attract && settings_.attract && !demoCampaign && !options_.record)
    attract_.emplace(*game_, clockSeed() ^ 0xA77AC7ull);
  nextLook_ = clock_.now() + kLookInterval;
  if (options_.versus) {
    if (!versusFight(options_.versus->first, options_.versus->second)) game_->start();
  } else if (options_.fight) {
    startPractice(*game_, options_.fight->first, options_.fight->second, options_.demo);
  } else {
    game_->start();
  }
}

bool WebFrontEnd::playReplay(const std::string& text) {
  try {
    RecordedFight fight = readReplay(text);
    if (!game_->form(Window::Title).shown() || versus_.active() || (attract_ && attract_->running()) ||
        (player_ && player_->playing())) {
      showNotice("リプレイはタイトル画面から再生できます");
      return false;
    }
    player_.reset();
    player_.emplace(*game_, std::move(fight), AfterReplay::Title,
                    [this](const std::string&) { showNotice(kReplayDisagreesNotice, kFileNoticeTime); });
    player_->start();
    return true;
  } catch (const InputError&) {
    showNotice("リプレイを読めませんでした");
    return false;
  }
}

void WebFrontEnd::advanceTo(forms::Nanos now) {
  // Timers and looks in time order, each at its own moment, as a virtual clock runs them; a timer
  // and a look due together: the timer first, as a window's timers come before idle work.
  while (!ended_) {
    const std::optional<forms::Nanos> due = desktop_.nextDue();
    const bool timer = due && *due <= nextLook_;
    const forms::Nanos t = timer ? *due : nextLook_;
    if (t > now) break;
    clock_.set(std::max(clock_.now(), t));
    if (timer) {
      fireDueTimers();
    } else {
      looks();
      nextLook_ += kLookInterval;
    }
  }
  if (now > clock_.now() && !ended_) clock_.set(now);
  // Notices go at their time.
  std::erase_if(notices_, [this](const Notice& n) { return n.until <= clock_.now(); });
}

void WebFrontEnd::fireDueTimers() {
  while (fireNextDueTimer()) continue;
}

bool WebFrontEnd::fireNextDueTimer() {
  if (!desktop_.fireNextDueTimer(trace_ ? trace_->timerName() : nullptr)) return false;
  if (trace_) trace_->timerFired();
  if (player_) player_->timerFired();
  return true;
}

bool WebFrontEnd::step() {
  while (!ended_) {
    const std::optional<forms::Nanos> due = desktop_.nextDue();
    if (!due) return false;
    if (*due <= nextLook_) {
      clock_.set(std::max(clock_.now(), *due));
      return fireNextDueTimer();
    }
    advanceTo(nextLook_);
  }
  return false;
}

void WebFrontEnd::looks() {
  const forms::Nanos now = clock_.now();
  if (attract_) {
    // A player choosing keys or fighters is not idle.
    if (versusWindowOpen_) attract_->input(now);
    if (attract_->look(now)) showMark();
  }
  if (versus_.look()) {
    versusWindowOpen_ = true;
    const auto [p0, p1] = versus_.fighters();
    const std::optional<int> winner = versus_.winner();
    openVersus(std::to_string(p0) + " " + std::to_string(p1) + " " + (winner ? std::to_string(*winner) : "-"),
               winner);
  }
  if (standIn_) {
    if (const auto action = standIn_->look(now)) {
      if (lines_) lines_->input(actionText(*action));
      try {
        deliver(*game_, *action);
      } catch (const ScriptError&) {
        // The window it looked at went away in between: it looks again.
      }
    }
  }
}

bool WebFrontEnd::input() {
  if (!attract_) return true;
  const bool goesOn = attract_->input(clock_.now());
  showMark();
  return goesOn;
}

void WebFrontEnd::showMark() {
  const bool running = attract_ && attract_->running();
  std::erase_if(marks_, [](const auto& m) { return m.first == kDemoMarkSlot; });
  if (running) marks_.emplace_back(kDemoMarkSlot, texts_(kDemoMark));
}

void WebFrontEnd::keyDown(int code, int shift) {
  if (ended_) return;
  forms::Form* front = desktop_.foreground();
  if (messageBox_) {
    // The message box has the keyboard: Enter, Escape and the space bar close it.
    if (front) desktop_.navigate(*front, code, shift);
    return;
  }
  if (!input() || !front) return;
  using Action = FrontEndKey::Action;
  const FrontEndKey own = frontEndKeyOf(code, shift);
  switch (own.action) {
    case Action::FullScreen:
      fullScreen_ = !fullScreen_;
      requests_.push_back({PageRequest::Kind::FullScreen, fullScreen_ ? "on" : "off"});
      return;
    case Action::Mute:
      sound_.toggleMute();
      return soundChanged();
    case Action::Volume:
      sound_.changeVolume(own.musicSteps, own.effectsSteps);
      return soundChanged();
    case Action::Settings:
      if (front == &game_->form(Window::Title)) requests_.push_back({PageRequest::Kind::OpenKeySettings, ""});
      return;
    case Action::Versus:
      if (front == &game_->form(Window::Title)) {
        versus_.opened();
        versusWindowOpen_ = true;
        openVersus("-", std::nullopt);
      }
      return;
    case Action::None:
      if (navigation_.keyPressed(*front, code, shift)) return;  // moved about, or ended a demo
      return gameKey(*front, settings_.bindings.gameKey(code, versus_.fighting()), shift);
  }
}

void WebFrontEnd::gameKey(forms::Form& form, GameKey key, int shift) {
  if (recorder_) recorder_->keyPressed(form, key.code, key.player);
  if (player_ && !player_->takeKey(key.code)) return;
  if (key.player == 0)
    desktop_.keyDown(form, key.code, shift);
  else
    desktop_.secondPlayerKeyDown(form, key.code);
}

void WebFrontEnd::command(int player, command::Command command) {
  forms::Form* front = desktop_.foreground();
  if (ended_ || messageBox_ || !front || !input()) return;
  if (player == 1 && !versus_.fighting()) return;
  gameKey(*front, {player, keyOf(command)}, 0);
}

void WebFrontEnd::padPressed(int player, PadButton button, bool repeat) {
  forms::Form* front = desktop_.foreground();
  if (ended_ || !front) return;
  if (messageBox_) {
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
  gameKey(*front, {player, keyOf(*bound)}, 0);
}

forms::Form* WebFrontEnd::shownForm(const std::string& name) const {
  for (forms::Form* form : shown_)
    if (form->name() == name) return form;
  return nullptr;
}

void WebFrontEnd::mouseDown(const std::string& name, float x, float y, int button) {
  forms::Form* form = shownForm(name);
  if (ended_ || !form || !input()) return;
  desktop_.mouseDown(*form, x * forms::kTwipsPerPixel, y * forms::kTwipsPerPixel, button);
}

void WebFrontEnd::mouseMove(const std::string& name, float x, float y, int buttons) {
  forms::Form* form = shownForm(name);
  if (ended_ || !form || !input()) return;
  desktop_.mouseMove(*form, x * forms::kTwipsPerPixel, y * forms::kTwipsPerPixel, buttons);
}

void WebFrontEnd::click(const std::string& name, const std::string& control, int index) {
  forms::Form* form = shownForm(name);
  if (ended_ || !form || !input()) return;
  if (forms::Control* c = form->findControl(control, index)) desktop_.click(*c);
}

void WebFrontEnd::change(const std::string& name, const std::string& control, int index, int value) {
  forms::Form* form = shownForm(name);
  if (ended_ || !form || !input()) return;
  forms::Control* c = form->findControl(control, index);
  if (c && c->Kind == forms::ControlKind::HScrollBar) desktop_.change(static_cast<forms::HScrollBar&>(*c), value);
}

void WebFrontEnd::choose(const std::string& name, const std::string& control, int index, int listIndex) {
  forms::Form* form = shownForm(name);
  if (ended_ || !form || !input()) return;
  forms::Control* c = form->findControl(control, index);
  if (c && c->Kind == forms::ControlKind::ComboBox) desktop_.choose(static_cast<forms::ComboBox&>(*c), listIndex);
}

void WebFrontEnd::closeRequest(const std::string& name) {
  if (forms::Form* form = shownForm(name); form && !ended_) desktop_.closeRequest(*form);
}

void WebFrontEnd::closeMessageBox() {
  if (messageBox_) desktop_.closeMessageBox();
}

void WebFrontEnd::scriptInput(std::string_view text) {
  const bool timed = !text.empty() && text.front() >= '0' && text.front() <= '9';
  const std::vector<ScriptLine> lines = readGameScript(timed ? std::string(text) : "0 " + std::string(text));
  if (lines.size() != 1) throw ScriptError("expected one input line");
  const ScriptLine& line = lines.front();
  // The runner's own checks, so that a line it refuses fails here too.
  using A = ScriptLine::Action;
  if (ended_) throw ScriptError("the game has ended");
  const LineTarget target = targetOf(*game_, line);
  if (lines_) lines_->input(actionText(line));
  // Then as the page's own input comes: a key of the keyboard, a click, the mouse on a window.
  switch (line.action) {
    case A::Key:
      return keyDown(line.number, 0);
    case A::Click:
      return click(line.form, line.control, line.index);
    case A::Hover:
    case A::Press: {
      const forms::Box box = forms::absoluteBox(*target.control);
      const float x = (box.left + box.width / 2) / forms::kTwipsPerPixel;
      const float y = (box.top + box.height / 2) / forms::kTwipsPerPixel;
      if (line.action == A::Hover) return mouseMove(line.form, x, y, 0);
      return mouseDown(line.form, x, y, line.number);
    }
    case A::Scroll:
      return change(line.form, line.control, line.index, line.number);
    case A::Choose:
      return choose(line.form, line.control, line.index, target.item);
    case A::Ok:
      return closeMessageBox();
    case A::Close:
      return closeRequest(line.form);
  }
}

std::string WebFrontEnd::log(const std::string& endReason) {
  if (lines_ && !endReason.empty() && !logEnded_) {
    lines_->end(ended_ ? "quit" : endReason);
    logEnded_ = true;
  }
  return logText_.str();
}

void WebFrontEnd::openVersus(std::string picks, std::optional<int> winner) {
  PageRequest request{PageRequest::Kind::OpenVersus, std::move(picks), {}};
  const auto shown = [this](const std::string& text) { return texts_(text); };
  const VersusWords words = versusWords(winner, false);
  for (const Wording* w : {&words.title, &words.heading, &words.fight, &words.back})
    request.words.push_back(w->text(shown));
  requests_.push_back(std::move(request));
}

bool WebFrontEnd::versusFight(int p0, int p1) {
  if (const auto why = versus_.refusal()) {
    showNotice(*why);
    return false;
  }
  versusWindowOpen_ = false;
  return versus_.fight(p0, p1);
}

void WebFrontEnd::versusClosed() {
  // After a fight or from the title: the title, with the game as it was.
  versusWindowOpen_ = false;
  versus_.closed();
  if (versus_.active())
    versus_.toTitle();
  else if (!game_->form(Window::Title).shown())
    game_->start();
}

void WebFrontEnd::setBindings(const KeyBindings& bindings) {
  if (bindings.problem()) return;
  Settings now = settings_;
  now.bindings = bindings;
  keep(now);
}

KeyBindings::Change WebFrontEnd::bindKey(int player, command::Command command, int code) {
  Settings now = settings_;
  KeyBindings::Change change = now.bindings.bindKey(player, command, code);
  if (change.done) keep(now);
  return change;
}

KeyBindings::Change WebFrontEnd::bindButton(int player, command::Command command, PadButton button) {
  Settings now = settings_;
  KeyBindings::Change change = now.bindings.bindButton(player, command, button);
  if (change.done) keep(now);
  return change;
}

void WebFrontEnd::setAttract(bool on) {
  Settings now = settings_;
  now.attract = on;
  keep(now);
}

void WebFrontEnd::setLang(const std::string& lang) {
  Settings now = settings_;
  now.lang = lang;
  keep(now);
}

void WebFrontEnd::keep(const Settings& changed) {
  if (changed == settings_) return;
  writeChange(settingsText_, settings_, changed);
  settings_ = changed;
  requests_.push_back({PageRequest::Kind::SaveSettings, settingsText_.text()});
}

void WebFrontEnd::soundChanged() {
  const SoundLevels& levels = sound_.levels();
  showNotice(soundLevelsNotice(levels.music, levels.effects, levels.muted), kNoticeTime, "sound");
  Settings now = settings_;
  now.music = levels.music;
  now.effects = levels.effects;
  now.muted = levels.muted;
  keep(now);
}

void WebFrontEnd::showNotice(const std::string& text, forms::Nanos shownFor, const std::string& slot) {
  const std::string shown = texts_(text);
  if (!slot.empty()) std::erase_if(notices_, [&slot](const Notice& n) { return n.slot == slot; });
  notices_.push_back({shown, clock_.now() + shownFor, slot});
}

void WebFrontEnd::showNotice(const Wording& text, forms::Nanos shownFor, const std::string& slot) {
  showNotice(text.text([this](const std::string& part) { return texts_(part); }), shownFor, slot);
}

std::vector<std::string> WebFrontEnd::notices() const {
  std::vector<std::string> lines;
  for (const Notice& n : notices_) lines.push_back(n.text);
  return lines;
}

std::vector<std::string> WebFrontEnd::marks() const {
  std::vector<std::string> shown;
  for (const auto& [slot, text] : marks_) shown.push_back(text);
  return shown;
}

std::vector<PageRequest> WebFrontEnd::takeRequests() {
  std::vector<PageRequest> out;
  out.swap(requests_);
  return out;
}

void WebFrontEnd::formLoaded(forms::Form& form) {
  if (lines_) lines_->loaded(form);
}

void WebFrontEnd::formMoved(forms::Form& form) {
  if (lines_) lines_->moved(form);
}

void WebFrontEnd::beep() {
  if (lines_) lines_->beep();
  if (trace_) trace_->beep();
  sound_.beep();
}

void WebFrontEnd::formShown(forms::Form& form) {
  if (lines_) lines_->shown(form);
  std::erase(shown_, &form);
  shown_.push_back(&form);
}

void WebFrontEnd::formRaised(forms::Form& form) { formShown(form); }

void WebFrontEnd::formUnloaded(forms::Form& form) {
  if (lines_) lines_->unloaded(form);
  std::erase(shown_, &form);
}

void WebFrontEnd::messageBox(const std::string& text, const std::string& caption) {
  if (lines_) lines_->messageBox(text, caption);
  messageBox_ = MessageBox{texts_(text), texts_(caption)};
}

std::uint64_t WebFrontEnd::clockSeed() {
  if (options_.seed) return *options_.seed + static_cast<std::uint64_t>(clock_.now() / 1'000'000);
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace mojara::web
