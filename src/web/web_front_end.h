// The game in a browser page: the desktop host, the game's clock and the sound service under the
// same play session as the windowed program (play/session/play_session.h). The page feeds it time
// and input and is handed, after each, what to draw and hear (web/scene_json.h) and what else to do
// (PageRequest). Nothing here knows of the browser: it builds and is tested natively.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/desktop.h"
#include "forms/virtual_clock.h"
#include "game/game.h"
#include "play/input/key_bindings.h"
#include "play/texts/language.h"
#include "play/session/play_session.h"
#include "play/settings/settings_store.h"
#include "play/settings/settings_text.h"
#include "play/texts/wording.h"
#include "sim/event_lines.h"
#include "web/fight_trace.h"
#include "web/web_sound.h"
#include "play/texts/window_texts.h"

namespace mojara::web {

struct WebOptions {
  std::string programFolder = ".";  // where the sound files are
  std::string settingsText;         // what the browser keeps of the settings file
  std::string lang;                 // none: the kept one
  std::optional<CaptionTranslator::Lookup> catalogue;  // the language's, unless it is the game's
  forms::Nanos timerResolution = forms::kDefaultTimerResolution;
  bool attract = true;  // false: never, whatever is kept
  bool demo = false;
  std::optional<std::pair<int, int>> fight;
  std::optional<std::pair<int, int>> versus;
  std::optional<std::uint64_t> seed;  // a fixed seed for every reseeding from the clock (tests)
  bool record = false;  // each fight played is written as a replay file under programFolder
  // Keeps the headless runner's event lines of the whole game (the log) and the trace of every
  // fight played (the trace), for the checks that the page plays as the runner does.
  bool log = false;
};

// What the page is asked to do besides drawing and sounding: each once, in order.
struct PageRequest {
  enum class Kind { FullScreen, SaveSettings, OpenKeySettings, OpenVersus, ReplayWritten };
  Kind kind;
  std::string text;  // the settings file's new text; the replay's path
  // The versus window's words as shown (its title, heading, fight and back buttons).
  std::vector<std::string> words;
};

class WebFrontEnd : public forms::DesktopHost, public PlayHost {
 public:
  explicit WebFrontEnd(WebOptions options);
  ~WebFrontEnd() override;

  // The start: the title (or the fight, versus fight or replay the options ask for).
  void start();
  // Plays a recorded fight (a replay file's text) from the title; false, with a notice, when it
  // cannot be played or the title is not what the player is at.
  bool playReplay(const std::string& text) { return play_.playReplay(text); }

  // Moves the game's clock on to `now` (never back), firing every timer due on the way at its own
  // due time, then the looks between events (attract mode, the versus session, demo play, notices).
  void advanceTo(forms::Nanos now);
  // Fires the next timer that falls due (the looks before it first), moving the clock to its
  // time; false when no timer runs.
  bool step();
  forms::Nanos now() const { return clock_.now(); }
  // When the next timer falls due, if any runs.
  std::optional<forms::Nanos> nextDue() const { return desktop_.nextDue(); }

  // Input, each handled at once as one event.
  void keyDown(int code, int shift);
  // A command of `player` from any source (an on-screen button, say): the key bound to it.
  void command(int player, command::Command command) { play_.command(player, command); }
  // A controller button pressed (`repeat` while held) on the controller of `player`.
  void padPressed(int player, PadButton button, bool repeat) { play_.padPressed(player, button, repeat); }
  void mouseDown(const std::string& form, float x, float y, int button);  // form pixels at scale 1
  void mouseMove(const std::string& form, float x, float y, int buttons);
  void click(const std::string& form, const std::string& control, int index);
  void change(const std::string& form, const std::string& control, int index, int value);
  void choose(const std::string& form, const std::string& control, int index, int listIndex);
  void closeRequest(const std::string& form);
  void closeMessageBox();
  // An input in the whole-game script's syntax ("click Form3.Command1", "key SPACE"; a time before
  // it is left to the caller), carried out as the player's own key, click or mouse would, and
  // logged as the runner logs it. Throws ScriptError where the runner would.
  void scriptInput(std::string_view line);
  // The log and the trace so far (empty unless logging). With a reason, the log's end line is
  // written first, once ("quit" instead when the program has ended).
  std::string log(const std::string& endReason = {});
  std::string trace() const { return traceText_.str(); }
  // Two players: a versus fight of these roster slots, as the page's versus window starts it.
  bool versusFight(int p0, int p1) { return play_.versusFight(p0, p1); }
  void versusClosed() { play_.versusClosed(); }
  // The key settings as the page's key-settings window leaves them.
  void setBindings(const KeyBindings& bindings);
  // Binds a key (or a controller button) to `player`'s command as the key-settings window binds:
  // a key held elsewhere changes places, a front-end key is refused. What happened, as the window
  // says it, in the player's language.
  KeyBindings::Change bindKey(int player, command::Command command, int code) {
    return play_.bindKey(player, command, code);
  }
  KeyBindings::Change bindButton(int player, command::Command command, PadButton button) {
    return play_.bindButton(player, command, button);
  }
  void setAttract(bool on);
  void setLang(const std::string& lang);  // kept for the next start (the page reloads in it)

  // What is shown, for the scene.
  const Game& game() const { return play_.game(); }
  Game& game() { return play_.game(); }
  const forms::Desktop& desktop() const { return desktop_; }
  const std::vector<forms::Form*>& shownForms() const { return shown_; }  // back to front
  const WindowTexts& texts() const { return texts_; }
  // The language the windows are shown in: the one asked for when its catalogue came.
  std::string lang() const { return texts_.translated() ? options_.lang : std::string(kGameLanguage); }
  const KeyboardNavigation& navigation() const { return play_.navigation(); }
  struct MessageBox {
    std::string text, caption;
  };
  const std::optional<MessageBox>& messageBox() const { return messageBox_; }
  // The notices and marks shown, in the player's language.
  std::vector<std::string> notices() const { return shown(play_.notices().lines()); }
  std::vector<std::string> marks() const { return shown(play_.notices().marks()); }
  bool ended() const { return ended_; }
  const Settings& settings() const { return play_.settings(); }
  const VersusSession& versus() const { return play_.versus(); }
  WebSound& sound() { return sound_; }
  std::vector<PageRequest> takeRequests();

  // A notice over the front window for `shownFor`; one with the same non-empty slot replaces it.
  void showNotice(const std::string& text, forms::Nanos shownFor = kNoticeTime, const std::string& slot = {}) {
    play_.showNotice(text, shownFor, slot);
  }
  static constexpr forms::Nanos kNoticeTime = PlaySession::kNoticeTime;

  // DesktopHost
  void formLoaded(forms::Form& form) override;
  void formMoved(forms::Form& form) override;
  void formShown(forms::Form& form) override;
  void formRaised(forms::Form& form) override;
  void formUnloaded(forms::Form& form) override;
  void beep() override;
  void messageBox(const std::string& text, const std::string& caption) override;
  void messageBoxClosed() override { messageBox_.reset(); }
  void programEnded() override { ended_ = true; }
  forms::SoundService* soundService() override { return &sound_; }
  std::string programFolder() const override { return options_.programFolder; }
  std::uint64_t clockSeed() override;

  // PlayHost
  void soundLevelsChanged(const SoundLevels& levels) override { sound_.setLevels(levels); }
  void fullScreenChanged(bool on) override;
  void keepSettings(const Settings& before, const Settings& after) override;
  void openKeyWindow() override {
    keyWindowOpen_ = true;
    requests_.push_back({PageRequest::Kind::OpenKeySettings, "", {}});
  }
  // The page's key-settings window has closed: the player may idle again.
  void keyWindowClosed() { keyWindowOpen_ = false; }
  bool playersBusy() const override { return keyWindowOpen_; }
  void openVersusWindow(const VersusOpening& opening) override;

 private:
  forms::Form* shownForm(const std::string& name) const;
  std::vector<std::string> shown(const std::vector<Wording>& words) const;
  // The player's mouse or a widget's input on the window `name`: the form, when it goes to it.
  forms::Form* inputTo(const std::string& name);
  bool fireNextDueTimer();  // one timer, and what watches timers; false when none is due

  WebOptions options_;
  forms::VirtualClock clock_;
  // The log's lines and the traces (declared before the game, which tells them of its fights).
  std::ostringstream logText_, traceText_;
  std::optional<sim::EventLines> lines_;
  bool logEnded_ = false;
  WebSound sound_;
  SettingsText settingsText_;
  SettingsReading kept_;  // what the kept settings said at the start
  forms::Desktop desktop_;
  PlaySession play_;
  std::optional<FightTrace> trace_;
  forms::Nanos nextLook_ = 0;
  WindowTexts texts_;
  std::vector<forms::Form*> shown_;
  std::optional<MessageBox> messageBox_;
  std::vector<PageRequest> requests_;
  bool keyWindowOpen_ = false;
  bool ended_ = false;
};

}  // namespace mojara::web
