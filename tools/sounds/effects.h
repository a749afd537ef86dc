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

// snd1: a short punchy hit with a slap that small speakers play (~0.2 s).
std::vector<float> makeHitSound(std::uint32_t sampleRate);

// snd2: one heavy knock-down blow with a rumbling tail that carries the fall (~0.8 s).
std::vector<float> makeKnockDownSound(std::uint32_t sampleRate);

// beep: a short clean alert tone used as the system beep (~0.12 s).
std::vector<float> makeBeepSound(std::uint32_t sampleRate);

}  // namespace mojara::sounds
