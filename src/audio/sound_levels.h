// The sound levels are the player's settings, shared by every front end: the sound back end uses
// them as they are.
#pragma once

#include "play/settings/sound_levels.h"

namespace mojara::audio {
using mojara::SoundLevels;
}
