#pragma once

#include <cstdint>
#include <vector>

namespace mojara::sounds {

// The effects are short and mostly noise: 22050 Hz mono is plenty.
inline constexpr std::uint32_t kEffectSampleRate = 22050;

// The effects' loudest sample. They play over the music, which peaks a few dB lower, and this leaves
// room for a hit over the loudest bar of it without clipping.
inline constexpr double kEffectPeakDbfs = -9.0;

struct FinishShape {
  double fadeInSeconds;
  double fadeOutSeconds;
  double peakDbfs;
};

// Shapes both ends down to exact silence, removes any DC offset without
// touching the ends, then scales the loudest sample to shape.peakDbfs.
void finishSound(std::vector<float>& samples, std::uint32_t sampleRate, const FinishShape& shape);

// snd1: a hit landing (0.2 s): a bright click, a thump falling from 180 to 60 Hz over 60 ms and a
// shorter slap that small speakers play.
std::vector<float> makeHitSound(std::uint32_t sampleRate);

// snd2: a knock-down (0.8 s): the blow, then the body landing 250 ms later as a smaller thud,
// over a rumble that has died away before the end.
std::vector<float> makeKnockDownSound(std::uint32_t sampleRate);

// beep: a short clean alert tone used as the system beep (~0.12 s).
std::vector<float> makeBeepSound(std::uint32_t sampleRate);

}  // namespace mojara::sounds
