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

  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    // A thump whose pitch drops fast, like a fist landing on a body.
    const double freq = 65.0 + 175.0 * decay(t, 0.025);
    phase += kTwoPi * freq / rate;
    const double thump = std::sin(phase) * decay(t, 0.055);
    const double white = noise.next();
    const double smack = 2.0 * smackTone.process(white) * decay(t, 0.018);
    const double click = (white - clickBody.process(white)) * decay(t, 0.003);
    out[i] = static_cast<float>(std::tanh(1.6 * (0.9 * thump + 0.8 * smack + 0.35 * click)));
  }
  finishSound(out, sampleRate, {.fadeInSeconds = 0.001, .fadeOutSeconds = 0.04, .peakDbfs = -3.0});
  return out;
}

std::vector<float> makeKnockDownSound(std::uint32_t sampleRate) {
  struct Bounce {
    double start;
    double gain;
  };
  // The body hits the floor, then bounces a few times with less force each time.
  constexpr Bounce kBounces[] = {{0.14, 0.55}, {0.27, 0.38}, {0.39, 0.25}, {0.50, 0.14}};

  const double rate = sampleRate;
  std::vector<float> out(sampleCount(0.80, sampleRate));
  NoiseSource noise(0xD0D0u);
  OnePoleLowpass crashTone;
  OnePoleLowpass rattleHigh;
  OnePoleLowpass rattleLow;
  rattleHigh.setCutoff(2500.0, rate);
  rattleLow.setCutoff(300.0, rate);

  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double freq = 40.0 + 85.0 * decay(t, 0.07);
    phase += kTwoPi * freq / rate;
    const double boom = std::sin(phase) * decay(t, 0.25);

    // The crash starts bright and darkens as it dies away.
    crashTone.setCutoff(600.0 + 4400.0 * decay(t, 0.12), rate);
    const double white = noise.next();
    const double crash = 1.5 * crashTone.process(white) * decay(t, 0.20);

    const double rattleBand = rattleHigh.process(white) - rattleLow.process(white);
    double bounces = 0.0;
    for (const Bounce& b : kBounces) {
      if (t < b.start) continue;
      const double u = t - b.start;
      const double thud = std::sin(kTwoPi * 95.0 * u) * decay(u, 0.04);
      bounces += b.gain * (thud + 1.5 * rattleBand * decay(u, 0.025));
    }
    out[i] = static_cast<float>(std::tanh(1.4 * (boom + 0.7 * crash + bounces)));
  }
  finishSound(out, sampleRate, {.fadeInSeconds = 0.001, .fadeOutSeconds = 0.15, .peakDbfs = -3.0});
  return out;
}

std::vector<float> makeBeepSound(std::uint32_t sampleRate) {
  const double rate = sampleRate;
  std::vector<float> out(sampleCount(0.12, sampleRate));
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<float>(std::sin(kTwoPi * 880.0 * static_cast<double>(i) / rate));
  }
  // A pure tone is loud for its peak: keep it a little lower than the hits.
  finishSound(out, sampleRate, {.fadeInSeconds = 0.004, .fadeOutSeconds = 0.05, .peakDbfs = -6.0});
  return out;
}

}  // namespace mojara::sounds
