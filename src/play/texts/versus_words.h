// The versus window's words, as every front end shows them: its title, the line above the fighters
// (who won the last fight, or what kind of fight this is) and its two buttons, in the game's words.
#pragma once

#include <optional>

#include "play/texts/wording.h"

namespace mojara {

struct VersusWords {
  Wording title, heading, fight, back;
};

// For a fight at one machine, or online (`online`); `winner` is the player (0 or 1) who won the
// last fight, if one was played since the window opened.
VersusWords versusWords(std::optional<int> winner, bool online);

}  // namespace mojara
