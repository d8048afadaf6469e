#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace snowtools {

ResonantFilter::Output ResonantFilter::step(double in, double cutoffHz, double q,
                                            double sampleRate) {
  double f = 2.0 * std::sin(std::numbers::pi * std::min(cutoffHz, sampleRate / 6) / sampleRate);
  double damping = 1.0 / std::max(q, 0.5);
  double high = in - low_ - damping * band_;
  band_ += f * high;
  low_ += f * band_;
  return {low_, band_, high};
}

Curve ramp(double t0, double v0, double t1, double v1) {
  return [=](double t) {
    if (t <= t0) return v0;
    if (t >= t1) return v1;
    return v0 + (v1 - v0) * (t - t0) / (t1 - t0);
  };
}

Curve strike(double start, double attack, double decay) {
  return [=](double t) {
    if (t < start) return 0.0;
    double since = t - start;
    if (since < attack) return since / attack;
    return std::exp(-(since - attack) / decay);
  };
}

Signal oscillator(size_t length, double sampleRate, const Curve& frequency, double shape) {
  Signal out(length);
  double phase = 0;
  for (size_t i = 0; i < length; ++i) {
    double t = static_cast<double>(i) / sampleRate;
    double f = frequency(t);
    double value = std::sin(phase);
    // A sawtooth-like tone from its first harmonics, kept below Nyquist.
    for (int h = 2; h <= 6 && h * f < sampleRate / 2; ++h) value += shape * std::sin(h * phase) / h;
    out[i] = value;
    phase += 2 * std::numbers::pi * f / sampleRate;
    if (phase > 2 * std::numbers::pi) phase -= 2 * std::numbers::pi;
  }
  return out;
}

void mixInto(Signal& into, const Signal& add, double gain, size_t offset) {
  for (size_t i = 0; i < add.size() && offset + i < into.size(); ++i)
    into[offset + i] += gain * add[i];
}

void shapeBy(Signal& signal, double sampleRate, const Curve& envelope) {
  for (size_t i = 0; i < signal.size(); ++i)
    signal[i] *= envelope(static_cast<double>(i) / sampleRate);
}

std::vector<uint8_t> toPcm8(const Signal& signal, double peak) {
  double loudest = 0;
  for (double v : signal) loudest = std::max(loudest, std::abs(v));
  double scale = loudest > 0 ? peak / loudest : 0;
  std::vector<uint8_t> out(signal.size());
  for (size_t i = 0; i < signal.size(); ++i) {
    double v = std::tanh(1.2 * signal[i] * scale) / std::tanh(1.2);
    long level = std::lround(128.0 + 127.0 * v);
    out[i] = static_cast<uint8_t>(std::clamp(level, 0L, 255L));
  }
  return out;
}

}  // namespace snowtools
