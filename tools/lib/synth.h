// A few deterministic synthesis building blocks for the sound clips: our own
// noise generator (no library randomness, so every build makes the same
// bytes), oscillators, a resonant filter and envelopes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace snowtools {

using Signal = std::vector<double>;

class NoiseSource {
 public:
  explicit NoiseSource(uint32_t seed) : state_(seed) {}
  // Uniform in [-1, 1).
  double next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 23) - 1.0;
  }

 private:
  uint32_t state_;
};

// Two-pole state-variable filter; cutoff and resonance may change per sample.
class ResonantFilter {
 public:
  struct Output {
    double low, band, high;
  };
  Output step(double in, double cutoffHz, double q, double sampleRate);

 private:
  double low_ = 0, band_ = 0;
};

// A function of time in seconds, for sweeps and envelopes.
using Curve = std::function<double(double)>;

// Linear between (t0, v0) and (t1, v1), constant outside.
Curve ramp(double t0, double v0, double t1, double v1);
// Attack to 1 in `attack` seconds, then exponential fall with time constant `decay`.
Curve strike(double start, double attack, double decay);

// Band-limited-ish oscillators with a frequency curve; `shape` 0 is a sine,
// 1 a soft sawtooth (a few harmonics).
Signal oscillator(size_t length, double sampleRate, const Curve& frequency, double shape);

void mixInto(Signal& into, const Signal& add, double gain, size_t offset = 0);
void shapeBy(Signal& signal, double sampleRate, const Curve& envelope);
// Scales to the given peak and converts to unsigned 8-bit with a soft clip.
std::vector<uint8_t> toPcm8(const Signal& signal, double peak);

}  // namespace snowtools
