// play/session: the play session every front end stands on, and the play it runs.
// One game at play, the same under every front end: the Game on its desktop and everything around
// it that the player meets (the front end's own keys, key bindings, playing from the keyboard or a
// controller alone, the sound levels, notices and marks, recording and replaying fights, demo play
// with its stand-in player, attract mode, practice, two players, the kept settings). A front end
// turns its platform's events into these entries and does what its PlayHost is asked; it decides
// no rule of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "forms/desktop.h"
#include "game/game.h"
#include "play/session/attract_mode.h"
#include "play/input/key_bindings.h"
#include "play/input/keyboard_navigation.h"
#include "play/replays/replay_session.h"
#include "play/session/notices.h"
#include "play/session/play_host.h"
#include "play/settings/settings.h"
#include "play/settings/sound_levels.h"
#include "play/session/stand_in_player.h"
#include "play/session/versus_session.h"

namespace mojara {

// The replay texts of the game: one played from the title.
inline constexpr const char* kReplayOnlyFromTitle = "リプレイはタイトル画面から再生できます";
inline constexpr const char* kReplayUnreadable = "リプレイを読めませんでした";

class PlaySession {
 public:
  static constexpr forms::Nanos kNoticeTime = 2'500'000'000;
  static constexpr forms::Nanos kFileNoticeTime = 8'000'000'000;  // long enough to read a line or two
  // The looks between events (attract mode, the versus session, demo play) come this often.
  static constexpr forms::Nanos kLookInterval = AttractMode::kLookInterval;

  // `kept`: the settings the player chose last time. `keepsFullScreen`: whether full screen is
  // kept from one run to the next (a page may only go full screen at the player's own key).
  PlaySession(forms::Desktop& desktop, const forms::Clock& clock, PlayHost& host, Settings kept,
              bool keepsFullScreen);

  Game& game() { return game_; }
  const Game& game() const { return game_; }

  // Before the start: every fight played is written as a replay at `path`; `warn` is told why one
  // cannot be (the player is told too).
  void record(std::string path, std::function<void(const std::string&)> warn = {});
  // Before the start: the start is this recorded fight.
  void replay(RecordedFight fight, AfterReplay after, std::function<void(const std::string&)> disagree);

  struct Start {
    bool attract = true;  // false: no attract mode this run, whatever is kept
    bool demo = false;    // alone: the computer plays the whole campaign; with a fight, that fight
    std::optional<std::pair<int, int>> fight;
    std::optional<std::pair<int, int>> versus;
    std::uint64_t clockSeed = 0;         // the clock's, for attract mode and the stand-in player
    std::optional<std::uint64_t> runSeed;  // a fixed one: the stand-in draws as the runner's does
  };
  // The title, or the replay, versus fight, practice fight or demo campaign asked for; the kept
  // sound levels and full screen applied first.
  void start(const Start& start);

  // Input, each one event. A key of the keyboard with its modifiers, to `form` (the window that
  // has the keyboard): the front end's own keys (full screen, mute, the volumes, F2 the key
  // settings, F3 two players), then playing without the mouse, then the bound command's key for
  // its player.
  void keyPressed(forms::Form& form, int code, int shift);
  // A key of the game's own (the battle's code) for its player.
  void gameKeyPressed(forms::Form& form, GameKey key, int shift = 0);
  // A controller button of `player`'s controller (`repeat` while held), to the window in front.
  void padPressed(int player, PadButton button, bool repeat);
  // A command of `player` from any source (an on-screen button): the key bound to it.
  void command(int player, command::Command command);
  // Mouse input, or any input on a window's widgets: whether it goes on to the game (false when it
  // ended a demo fight).
  bool input();
  // After every timer event the desktop fired.
  void timerFired();
  // Between events, every kLookInterval: attract mode, the versus session, the stand-in player.
  // Whether anything changed.
  bool look();
  // Plays a recorded fight (a replay file's text) from the title; false, with a notice, when it
  // cannot be played or the title is not where the player is.
  bool playReplay(const std::string& text);

  // Two players. The versus window opened by the front end itself (mojara --host).
  void openVersus();
  // A versus fight of these roster slots; false, said in a notice, when one cannot start.
  bool versusFight(int p0, int p1);
  // The versus window closed: the title, with the game as it was.
  void versusClosed();
  const VersusSession& versus() const { return versus_; }
  VersusSession& versus() { return versus_; }
  bool versusWindowOpen() const { return versusWindowOpen_; }

  // The settings in effect, and a change the player made (kept by the host).
  const Settings& settings() const { return settings_; }
  void change(const Settings& changed);
  // Binds a key (or a controller button) to `player`'s command as the key-settings window binds: a
  // key held elsewhere changes places, a front-end key is refused; kept when done.
  KeyBindings::Change bindKey(int player, command::Command command, int code);
  KeyBindings::Change bindButton(int player, command::Command command, PadButton button);
  const KeyBindings& bindings() const { return settings_.bindings; }
  const SoundLevels& soundLevels() const { return levels_; }
  bool fullScreen() const { return fullScreen_; }

  // Notices over the front window; `slot` as Notices has it.
  void showNotice(const Wording& text, forms::Nanos shownFor = kNoticeTime, const std::string& slot = {});
  void showNotice(const std::string& text, forms::Nanos shownFor = kNoticeTime, const std::string& slot = {}) {
    showNotice(Wording{text, {}}, shownFor, slot);
  }
  const Notices& notices() const { return notices_; }
  // Drops the notices whose time is over (the front end's clock says when).
  void expireNotices();
  // The windows are gone for good (the program ending): nothing more is said in them.
  void windowsGone() { windowsGone_ = true; }

  const KeyboardNavigation& navigation() const { return navigation_; }
  KeyboardNavigation& navigation() { return navigation_; }
  ReplayRecorder* recorder() { return recorder_ ? &*recorder_ : nullptr; }
  const ReplayPlayer* player() const { return player_ ? &*player_ : nullptr; }
  bool attractRunning() const { return attract_ && attract_->running(); }

  // Told of each action the stand-in player takes, in the input script's words, before it is
  // taken (the page's log).
  std::function<void(const std::string&)> standInActs;

 private:
  void openVersusWindow(const VersusOpening& opening);
  void soundChanged(const SoundLevels& levels);
  void showMark();

  forms::Desktop& desktop_;
  const forms::Clock& clock_;
  PlayHost& host_;
  Game game_;
  KeyboardNavigation navigation_;
  VersusSession versus_;
  bool versusWindowOpen_ = false;
  Settings settings_;
  SoundLevels levels_;
  bool keepsFullScreen_;
  bool fullScreen_ = false;
  Notices notices_;
  bool windowsGone_ = false;
  std::optional<AttractMode> attract_;
  std::optional<StandInPlayer> standIn_;
  std::optional<ReplayRecorder> recorder_;
  std::optional<ReplayPlayer> player_;
};

}  // namespace mojara
