// Short notices to the player over the front game window (a sound level changed, a setting that
// could not be used, a recording that could not be written), each gone after its time, and marks
// that stay until taken away (the demo fight's). They lie over the windows, never in the game's own
// controls, so no window, fight or trace changes for them. Each is kept as the game words it, for
// the front end to show in the player's language.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/scheduler.h"
#include "play/texts/wording.h"

namespace mojara {

class Notices {
 public:
  // Shows `text` until `until`; a notice with the same non-empty `slot` (the sound level, say)
  // takes the place of the one shown before.
  void show(const Wording& text, forms::Nanos until, const std::string& slot = {});
  // Drops what has had its time; whether anything went.
  bool expire(forms::Nanos now);
  // When the next notice goes, if any is shown.
  std::optional<forms::Nanos> nextExpiry() const;
  // The lines shown, oldest first.
  std::vector<Wording> lines() const;
  bool empty() const { return shown_.empty() && marks_.empty(); }

  // A mark that stays until it is taken away, one a slot; whether anything changed.
  bool mark(const Wording& text, const std::string& slot);
  bool unmark(const std::string& slot);
  std::vector<Wording> marks() const;

 private:
  struct Notice {
    Wording text;
    forms::Nanos until;
    std::string slot;
  };
  std::vector<Notice> shown_;
  std::vector<std::pair<std::string, Wording>> marks_;  // by slot, oldest first
};

}  // namespace mojara
