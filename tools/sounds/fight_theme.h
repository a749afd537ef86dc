#pragma once

#include "song.h"

namespace mojara::sounds {

// The battle music (music2.mid): a looping fight theme in A minor at 150 bpm.
// Throws std::invalid_argument if one of its note tables is malformed.
Song composeFightTheme();

}  // namespace mojara::sounds
