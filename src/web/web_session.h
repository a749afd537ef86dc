// The page's one game: started from the page's options (JSON), then driven by the page's calls,
// each answered with the scene that follows it (web/scene_json.h). The entry file hands these
// calls to the page as plain C functions; everything here builds and is tested natively.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "web/scene_json.h"
#include "web/web_front_end.h"

namespace mojara::web {

class WebSession {
 public:
  // Options: {"lang": "en", "catalogue": {...} (the language's locale/<lang>.json), "settings":
  // the kept settings file's text, "folder": where the sound files are, "timerResolution": ms,
  // "attract": false, "demo": true, "fight": [p0, p1], "versus": [p0, p1], "seed": n, "record":
  // true}; every member may be left out, but one given must be of its kind (null is no kind) and
  // a number within its range, whole where the game counts in whole numbers. Answers {"assets":
  // ..., "lang": the language shown, "fighters": their names by roster slot, "words": {name: text}
  // (play/texts/page_words.h), both in that language, "scene": ...}, or {"error": why}.
  std::string start(std::string_view optionsJson);
  bool started() const { return frontEnd_ != nullptr; }

  // The game's clock moved on to `ms` (never back), every timer due on the way fired; a time that
  // is no number of milliseconds from 0 to kLatestMillis is answered {"error": why}.
  std::string frame(double ms);
  // The next timer that falls due fired, the clock at its time (the looks before it first).
  std::string step();
  // An input line of the whole-game script ("press Form5.KYARA(3) 1"), as the page's own input
  // carries it out; {"error": why} where the headless runner would refuse it.
  std::string input(std::string_view line);
  // With the "log" option: the event lines so far (with a reason, ended by the end line), and the
  // trace of the fights played.
  std::string log(const std::string& endReason);
  std::string trace() const;
  // A key of the browser: its KeyboardEvent.code and .key, and the modifier bits (shift 1,
  // ctrl 2, alt 4).
  std::string keyDown(std::string_view code, std::string_view key, int shift);
  std::string virtualKeyDown(int code, int shift);
  std::string padPressed(int player, int button, bool repeat);
  // A bindable command of `player`, by its row in kBindableCommands (the page lists them so).
  std::string command(int player, int row);
  std::string mouseDown(const std::string& form, double x, double y, int button);
  std::string mouseMove(const std::string& form, double x, double y, int buttons);
  std::string click(const std::string& form, const std::string& control, int index);
  std::string change(const std::string& form, const std::string& control, int index, int value);
  std::string choose(const std::string& form, const std::string& control, int index, int listIndex);
  std::string closeRequest(const std::string& form);
  std::string closeMessageBox();
  std::string versusFight(int p0, int p1);
  std::string versusClosed();
  std::string keyWindowClosed();
  std::string playReplay(const std::string& text);
  // The players' keys as the page's key-settings window leaves them: {"keys": [[10 codes], [10
  // codes]], "buttons": [[10 names], [10 names]]} (the settings file's order of commands), and
  // "attract", "lang" when changed. Anything of the wrong kind, or keys the game cannot play with,
  // changes nothing and is said in a notice.
  std::string setSettings(std::string_view json);
  // Binds as the key-settings window binds; answers {"done", "message"} (the message in the
  // player's language), the settings then as settingsJson() gives them under "settings".
  std::string bindKey(int player, int row, int code);
  std::string bindButton(int player, int row, int button);
  // The whole scene again, every window written.
  std::string scene();
  // The settings the page's key-settings window starts from: {"keys", "buttons", "attract",
  // "lang", "commands": [{"name","label","battleKey"}], "keyLabels": {code: label}}.
  std::string settingsJson() const;
  // When the next timer falls due (ms), or -1.
  double nextDue() const;

  WebFrontEnd* frontEnd() { return frontEnd_.get(); }

 private:
  std::string answer();
  std::unique_ptr<WebFrontEnd> frontEnd_;
  SceneWriter writer_;
};

}  // namespace mojara::web
