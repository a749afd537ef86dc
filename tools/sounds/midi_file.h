#pragma once

#include <cstdint>
#include <vector>

#include "song.h"

namespace mojara::sounds {

// The bytes of a format 1 Standard MIDI File: a conductor track (title, metre,
// key, tempo) followed by one track per part. Every track ends exactly at
// song.lengthTicks so players loop on the bar line.
std::vector<std::uint8_t> encodeMidiFile(const Song& song);

}  // namespace mojara::sounds
