#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace mojara::assets {

// The longest sound the game plays: its music lasts a minute or two, its
// effects a moment, so a file that says it lasts longer is broken.
inline constexpr double kLongestSoundSeconds = 3600;

// How long a sound file plays, in seconds, judged by what the file holds
// rather than by its name:
//   - RIFF/WAVE (PCM, float, A-law or mu-law): data frames / sample rate;
//   - Standard MIDI File, format 0 or 1: the time of the last event of any
//     track, following the tempo changes of all tracks (120 bpm until the
//     first), or the SMPTE frame rate for time-code divisions.
// std::nullopt when the file is missing, unreadable, truncated, corrupt, of
// any other kind, or longer than kLongestSoundSeconds.
std::optional<double> soundLengthSeconds(const std::filesystem::path& file);
// The same for a file's bytes already in memory.
std::optional<double> soundLengthSecondsOf(std::span<const std::uint8_t> bytes);

}  // namespace mojara::assets
