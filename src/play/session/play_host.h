// What a front end does for the play session that only its platform can: hear the sound at its
// levels, fill the screen, store the settings, open its own windows, show the notices.
#pragma once

#include <optional>
#include <utility>

#include "play/settings/settings.h"
#include "play/settings/sound_levels.h"

namespace mojara {

// The versus window opening: from the title (no fighters: the window keeps its own picks), or
// after a fight, on the fighters of the fight just over and who won it.
struct VersusOpening {
  std::optional<std::pair<int, int>> fighters;
  std::optional<int> winner;
};

class PlayHost {
 public:
  virtual ~PlayHost() = default;
  virtual void soundLevelsChanged(const SoundLevels& levels) = 0;
  virtual void fullScreenChanged(bool on) = 0;
  // The player changed a setting: `after` is to be stored, as a change from `before`.
  virtual void keepSettings(const Settings& before, const Settings& after) = 0;
  virtual void openKeyWindow() = 0;
  virtual void openVersusWindow(const VersusOpening& opening) = 0;
  // A game started from the title while the players chose: the versus window goes, with no title.
  virtual void versusTakenOver() {}
  // Whether one of the front end's own windows (the key settings) or an online session has the
  // players: they are not idle then.
  virtual bool playersBusy() const { return false; }
  virtual void noticesChanged() {}
};

}  // namespace mojara
