// play/settings: what the player chose and the game keeps, its file's text, the sound levels.
// What the player chose and the game keeps from one run to the next: the window's scale and full
// screen, the sound levels, attract mode, the players' keys and controller buttons, the language of
// the windows' texts. Game progress is never kept, as in the original. A command-line option wins
// over a kept setting for its run and is not kept.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "play/input/key_bindings.h"
#include "play/texts/language.h"
#include "play/options/options.h"

namespace mojara {

struct Settings {
  static constexpr int kMaxScale = 8;
  static constexpr int kLevelSteps = 8;  // each sound level runs from 0 (silent) to this (full)

  std::optional<int> scale;  // none: the largest that fits the screen
  bool fullScreen = false;
  int music = kLevelSteps;
  int effects = kLevelSteps;
  bool muted = false;
  bool attract = true;
  KeyBindings bindings = KeyBindings::defaults();
  std::string lang{kGameLanguage};

  friend bool operator==(const Settings&, const Settings&) = default;
};
// By the settings file's key names: "scale=3 fullScreen=false music=8 ... keys1 walkLeft=LEFT ...".
std::ostream& operator<<(std::ostream& out, const Settings& settings);

// The options of this run: the command line's where it gave them, the kept settings elsewhere
// (the command line can only turn attract mode off).
inline Options withSettings(Options options, const Settings& kept) {
  if (!options.scale) options.scale = kept.scale;
  if (options.attract) options.attract = kept.attract;
  if (!options.lang) options.lang = kept.lang;
  return options;
}

}  // namespace mojara
