#pragma once

#include <filesystem>
#include <optional>

namespace mojara::assets {

// How long a sound file plays, in seconds, judged by what the file holds
// rather than by its name:
//   - RIFF/WAVE (PCM, float, A-law or mu-law): data frames / sample rate;
//   - Standard MIDI File, format 0 or 1: the time of the last event of any
//     track, following the tempo changes of all tracks (120 bpm until the
//     first), or the SMPTE frame rate for time-code divisions.
// std::nullopt when the file is missing, unreadable, truncated, corrupt or of
// any other kind.
std::optional<double> soundLengthSeconds(const std::filesystem::path& file);

}  // namespace mojara::assets
