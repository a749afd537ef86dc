#include "effects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mojara::sounds {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// White noise in [-1, 1) from a fixed seed, so every build writes the same files.
class NoiseSource {
 public:
  explicit NoiseSource(std::uint32_t seed) : state_(seed ? seed : 1u) {}

  float next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ >> 8) * (2.0f / 16777216.0f) - 1.0f;
  }

 private:
  std::uint32_t state_;
};

class OnePoleLowpass {
 public:
  void setCutoff(double hz, double sampleRate) { a_ = 1.0 - std::exp(-kTwoPi * hz / sampleRate); }

  double process(double x) {
    z_ += a_ * (x - z_);
    return z_;
  }

 private:
  double a_ = 1.0;
  double z_ = 0.0;
};

// A two-pole band-pass (the usual biquad, constant peak gain), centred on `hz`.
class BandPass {
 public:
  BandPass(double hz, double q, double sampleRate) {
    const double w = kTwoPi * hz / sampleRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    b0_ = alpha / a0;
    a1_ = -2.0 * std::cos(w) / a0;
    a2_ = (1.0 - alpha) / a0;
  }

  double process(double x) {
    const double y = b0_ * (x - x2_) - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
  }

 private:
  double b0_, a1_, a2_;
  double x1_ = 0.0, x2_ = 0.0, y1_ = 0.0, y2_ = 0.0;
};

double decay(double t, double tau) { return std::exp(-t / tau); }

std::size_t sampleCount(double seconds, std::uint32_t sampleRate) {
  return static_cast<std::size_t>(std::lround(seconds * sampleRate));
}

// Raised-cosine ramp from 0 (at i = 0) to 1 (at i = length).
double ramp(std::size_t i, std::size_t length) {
  return 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / static_cast<double>(length));
}

}  // namespace

void finishSound(std::vector<float>& samples, std::uint32_t sampleRate, const FinishShape& shape) {
  const std::size_t n = samples.size();
  if (n < 3) {
    samples.assign(n, 0.0f);
    return;
  }
  const std::size_t fadeIn = std::max<std::size_t>(1, sampleCount(shape.fadeInSeconds, sampleRate));
  const std::size_t fadeOut = std::max<std::size_t>(1, sampleCount(shape.fadeOutSeconds, sampleRate));
  for (std::size_t i = 0; i < n; ++i) {
    double gain = 1.0;
    if (i < fadeIn) gain *= ramp(i, fadeIn);
    if (n - 1 - i < fadeOut) gain *= ramp(n - 1 - i, fadeOut);
    samples[i] = static_cast<float>(samples[i] * gain);
  }

  // Take the DC out with a sin^2 bump spanning the whole sound: it is zero at
  // both ends, so the silent ends stay silent.
  double sum = 0.0;
  double bumpSum = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double bump =
        std::pow(std::sin(std::numbers::pi * static_cast<double>(i) / static_cast<double>(n - 1)), 2);
    sum += samples[i];
    bumpSum += bump;
  }
  const double offset = sum / bumpSum;
  double peak = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double bump =
        std::pow(std::sin(std::numbers::pi * static_cast<double>(i) / static_cast<double>(n - 1)), 2);
    samples[i] = static_cast<float>(samples[i] - offset * bump);
    peak = std::max(peak, static_cast<double>(std::fabs(samples[i])));
  }

  if (peak <= 0.0) return;
  const double scale = std::pow(10.0, shape.peakDbfs / 20.0) / peak;
  for (float& s : samples) s = static_cast<float>(s * scale);
}

std::vector<float> makeHitSound(std::uint32_t sampleRate) {
  const double rate = sampleRate;
  std::vector<float> out(sampleCount(0.20, sampleRate));
  NoiseSource noise(0x51D1u);
  OnePoleLowpass smackTone;
  smackTone.setCutoff(3200.0, rate);
  OnePoleLowpass clickBody;
  clickBody.setCutoff(1500.0, rate);
  // The slap of skin on skin, where small speakers still play: noise through a band around
  // 570 Hz (about 400 to 800 Hz), over a tone that drops from 760 to 520 Hz.
  BandPass slapBand(570.0, 1.4, rate);

  double phase = 0.0;
  double slapPhase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    // A thump whose pitch drops fast, like a fist landing on a body.
    const double freq = 65.0 + 175.0 * decay(t, 0.025);
    phase += kTwoPi * freq / rate;
    const double thump = std::sin(phase) * decay(t, 0.055);
    const double white = noise.next();
    const double smack = 2.0 * smackTone.process(white) * decay(t, 0.018);
    const double click = (white - clickBody.process(white)) * decay(t, 0.003);
    slapPhase += kTwoPi * (520.0 + 240.0 * decay(t, 0.02)) / rate;
    const double slap = (4.0 * slapBand.process(white) + 0.6 * std::sin(slapPhase)) * decay(t, 0.035);
    out[i] = static_cast<float>(std::tanh(1.6 * (0.75 * thump + 0.5 * smack + 0.3 * click + 0.8 * slap)));
  }
  finishSound(out, sampleRate, {.fadeInSeconds = 0.001, .fadeOutSeconds = 0.04, .peakDbfs = kEffectPeakDbfs});
  return out;
}

std::vector<float> makeKnockDownSound(std::uint32_t sampleRate) {
  // One heavy blow that throws the fighter down: a deep boom with a crack on top, then the floor
  // and the body go on rumbling while the fighter flies, dying away as the fighter comes down.
  const double rate = sampleRate;
  std::vector<float> out(sampleCount(0.80, sampleRate));
  NoiseSource noise(0xD0D0u);
  OnePoleLowpass crashTone;
  OnePoleLowpass rumbleTone;
  rumbleTone.setCutoff(180.0, rate);
  BandPass thwackBand(450.0, 1.0, rate);  // the crack, on laptop speakers too

  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double freq = 38.0 + 90.0 * decay(t, 0.08);
    phase += kTwoPi * freq / rate;
    const double boom = std::sin(phase) * decay(t, 0.30);

    // The crash starts bright and darkens as it dies away.
    crashTone.setCutoff(500.0 + 4500.0 * decay(t, 0.10), rate);
    const double white = noise.next();
    const double crash = 1.5 * crashTone.process(white) * decay(t, 0.14);
    const double thwack = 3.0 * thwackBand.process(white) * decay(t, 0.05);
    // A low rumble that swells a little after the blow and carries the tail.
    const double rumble = 5.0 * rumbleTone.process(white) * (1.0 - decay(t, 0.03)) * decay(t, 0.32);
    out[i] = static_cast<float>(std::tanh(1.4 * (boom + 0.6 * crash + 0.7 * thwack + 0.8 * rumble)));
  }
  finishSound(out, sampleRate, {.fadeInSeconds = 0.001, .fadeOutSeconds = 0.15, .peakDbfs = kEffectPeakDbfs});
  return out;
}

std::vector<float> makeBeepSound(std::uint32_t sampleRate) {
  const double rate = sampleRate;
  std::vector<float> out(sampleCount(0.12, sampleRate));
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<float>(std::sin(kTwoPi * 880.0 * static_cast<double>(i) / rate));
  }
  // A pure tone is loud for its peak: keep it a little lower than the hits.
  finishSound(out, sampleRate, {.fadeInSeconds = 0.004, .fadeOutSeconds = 0.05, .peakDbfs = kEffectPeakDbfs - 3.0});
  return out;
}

}  // namespace mojara::sounds
