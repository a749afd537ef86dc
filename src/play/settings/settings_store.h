// The settings as the settings file's text holds them: read at the start with what could not be
// used, and each change the player makes written onto the text the file holds at that moment
// (another copy of the game may have written it since).
//
// The file's sections and keys: [window] scale, fullScreen; [sound] music, effects, muted;
// [title] attract; [game] lang; [keys1] [keys2] a key by command (walkLeft, punch, ...: the
// commands' setting names) for player 1 and 2; [pad1] [pad2] a controller button by command.
#pragma once

#include <string>
#include <vector>

#include "play/settings/settings.h"
#include "play/settings/settings_text.h"

namespace mojara {

struct SettingsReading {
  Settings settings;
  // "window/scale", "keys1/punch", ...: values the game cannot use (it uses their defaults).
  std::vector<std::string> unusable;
  // "keys2/walkLeft", ...: bindings that could not hold as the file has them, a key or button
  // being bound twice. The file's binding lines are taken in its order, each as the key-settings
  // window binds: the key goes to the line's command, and a command that held it changes places
  // with it (it takes the key the line's command had). So a later line wins over an earlier one.
  std::vector<std::string> moved;
  std::vector<int> unreadLines;  // lines that are neither settings, sections, comments nor blank
};
SettingsReading readSettings(const SettingsText& text);

// What the front ends tell the player of a reading with unusable values or moved bindings (the
// game's texts; the catalogues translate them).
inline constexpr const char* kSettingsPartlyRead = "設定ファイルに読めないところがありました。読めた設定を使います";
inline constexpr const char* kSettingsBindingsMoved = "設定ファイルで同じキーかボタンが二度使われていたので、入れ替えました";

// Writes onto `text` what changed from `before` to `after`, and nothing else: each setting that
// changed is set. Each binding that changed is bound on the bindings the text holds now, as the
// key-settings window binds (a key held elsewhere changes places, so the newest change wins and
// no key is ever bound twice); every binding line that does not say what holds after that is
// written again, and a binding at its default has no line. All bindings back at their defaults
// (the key-settings window's defaults) is a change of every binding.
void writeChange(SettingsText& text, const Settings& before, const Settings& after);

}  // namespace mojara
