// The sound files of a fight, and how long each plays.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "battle/fight_state.h"

namespace mojara::battle {

std::string_view soundFile(Sound sound);  // its file's name

// How long each sound's file in `folder` plays (no time at all for one the game cannot play).
std::array<Nanos, kSounds> soundLengths(const std::string& folder);

}  // namespace mojara::battle
