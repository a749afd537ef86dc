#pragma once

#include <cstdint>
#include <vector>

namespace mojara::sounds {

// The effects are short and mostly noise: 22050 Hz mono is plenty.
inline constexpr std::uint32_t kEffectSampleRate = 22050;

struct FinishShape {
  double fadeInSeconds;
  double fadeOutSeconds;
  double peakDbfs;
};

// Shapes both ends down to exact silence, removes any DC offset without
// touching the ends, then scales the loudest sample to shape.peakDbfs.
void finishSound(std::vector<float>& samples, std::uint32_t sampleRate, const FinishShape& shape);

// snd1: a short punchy hit (~0.2 s).
std::vector<float> makeHitSound(std::uint32_t sampleRate);

// snd2: a heavy knock-down crash, a body slamming down and bouncing (~0.8 s).
std::vector<float> makeKnockDownSound(std::uint32_t sampleRate);

// beep: a short clean alert tone used as the system beep (~0.12 s).
std::vector<float> makeBeepSound(std::uint32_t sampleRate);

}  // namespace mojara::sounds
