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

// The crack of a contact: bright noise (what is left of white noise once its lows are taken
// out) that is over within a few milliseconds.
class Click {
 public:
  Click(double sampleRate, double decaySeconds) : decaySeconds_(decaySeconds) {
    lows_.setCutoff(2500.0, sampleRate);
  }

  double process(double white, double t) { return (white - lows_.process(white)) * decay(t, decaySeconds_); }

 private:
  OnePoleLowpass lows_;
  double decaySeconds_;
};

// A body struck: a tone whose pitch falls from fromHz to toHz over sweepSeconds (evenly on a
// musical scale), then holds, dying away. Its overtones (the octave and the twelfth) let speakers
// too small for the fundamental still play the fall.
struct Thump {
  double fromHz;
  double toHz;
  double sweepSeconds;
  double decaySeconds;

  double sample(double t, double& phase, double sampleRate) const {
    const double along = std::min(t / sweepSeconds, 1.0);
    phase += kTwoPi * fromHz * std::pow(toHz / fromHz, along) / sampleRate;
    const double attack = 1.0 - decay(t, 0.0015);
    const double tone = std::sin(phase) + 0.35 * std::sin(2.0 * phase) + 0.2 * std::sin(3.0 * phase);
    return tone * attack * decay(t, decaySeconds);
  }
};

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
  // A fist landing: the crack of the contact, a thump whose pitch falls as the body gives, and a
  // short slap of skin on skin. The click and the slap sit where small speakers play; the
  // thump's overtones carry its fall there too.
  const double rate = sampleRate;
  std::vector<float> out(sampleCount(0.20, sampleRate));
  NoiseSource noise(0x51D1u);
  Click click(rate, 0.0012);
  const Thump thump{.fromHz = 180.0, .toHz = 60.0, .sweepSeconds = 0.060, .decaySeconds = 0.050};
  BandPass slapLow(620.0, 1.4, rate);
  BandPass slapHigh(1400.0, 1.5, rate);

  double phase = 0.0;
  double smackPhase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double white = noise.next();
    const double body = thump.sample(t, phase, rate);
    const double slap = (5.0 * slapLow.process(white) + 1.0 * slapHigh.process(white)) * decay(t, 0.022);
    // The flesh struck rings briefly, dropping from about 720 to 480 Hz.
    smackPhase += kTwoPi * (480.0 + 240.0 * decay(t, 0.02)) / rate;
    const double smack = std::sin(smackPhase) * decay(t, 0.028);
    out[i] = static_cast<float>(std::tanh(1.6 * (2.2 * click.process(white, t) + 0.9 * body + 0.8 * slap + 0.7 * smack)));
  }
  finishSound(out, sampleRate, {.fadeInSeconds = 0.0002, .fadeOutSeconds = 0.04, .peakDbfs = kEffectPeakDbfs});
  return out;
}

std::vector<float> makeKnockDownSound(std::uint32_t sampleRate) {
  // One heavy blow that throws the fighter down, then the body landing a quarter of a second
  // later: a smaller, duller thud. Under both the floor rumbles, and it has died away before the
  // sound ends so a second knock-down starts from quiet.
  const double rate = sampleRate;
  std::vector<float> out(sampleCount(0.80, sampleRate));
  NoiseSource noise(0xD0D0u);
  Click click(rate, 0.0016);
  const Thump blow{.fromHz = 160.0, .toHz = 48.0, .sweepSeconds = 0.080, .decaySeconds = 0.090};
  const Thump landing{.fromHz = 120.0, .toHz = 52.0, .sweepSeconds = 0.045, .decaySeconds = 0.050};
  constexpr double kLandingAt = 0.25;
  BandPass crackBand(750.0, 1.0, rate);
  BandPass landingBand(650.0, 1.1, rate);
  OnePoleLowpass rumbleTone;
  rumbleTone.setCutoff(170.0, rate);
  BandPass rattleBand(380.0, 1.5, rate);  // the rumble's top, for small speakers

  double blowPhase = 0.0;
  double landingPhase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double white = noise.next();
    const double crack = 5.0 * crackBand.process(white) * decay(t, 0.035);
    double land = 0.0;
    if (t >= kLandingAt) {
      const double u = t - kLandingAt;
      land = 0.45 * landing.sample(u, landingPhase, rate) + 1.0 * landingBand.process(white) * decay(u, 0.016);
    }
    const double rumbleShape = (1.0 - decay(t, 0.025)) * decay(t, 0.18);
    const double rumble = (6.0 * rumbleTone.process(white) + 2.5 * rattleBand.process(white)) * rumbleShape;
    out[i] = static_cast<float>(std::tanh(
        2.0 * (1.8 * click.process(white, t) + blow.sample(t, blowPhase, rate) + 0.5 * crack + land + 0.45 * rumble)));
  }
  finishSound(out, sampleRate, {.fadeInSeconds = 0.0002, .fadeOutSeconds = 0.15, .peakDbfs = kEffectPeakDbfs});
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
