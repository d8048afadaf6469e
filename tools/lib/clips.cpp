#include "clips.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "synth.h"

namespace snowtools {
namespace {

constexpr double kRate = 11025;

size_t samplesFor(double seconds, double rate) {
  return static_cast<size_t>(std::lround(seconds * rate));
}

// Noise through a swept resonant band-pass: wind, snow spray, breath.
Signal bandNoise(size_t length, double rate, uint32_t seed, const Curve& centre, double q) {
  NoiseSource noise(seed);
  ResonantFilter filter;
  Signal out(length);
  for (size_t i = 0; i < length; ++i)
    out[i] = filter.step(noise.next(), centre(static_cast<double>(i) / rate), q, rate).band;
  return out;
}

Signal lowNoise(size_t length, double rate, uint32_t seed, const Curve& cutoff) {
  NoiseSource noise(seed);
  ResonantFilter filter;
  Signal out(length);
  for (size_t i = 0; i < length; ++i)
    out[i] = filter.step(noise.next(), cutoff(static_cast<double>(i) / rate), 0.7, rate).low;
  return out;
}

// Every clip starts and ends quietly so the cut between clips does not click.
void fadeEdges(Signal& s, double rate) {
  size_t in = samplesFor(0.003, rate), out = samplesFor(0.03, rate);
  for (size_t i = 0; i < in && i < s.size(); ++i) s[i] *= static_cast<double>(i) / in;
  for (size_t i = 0; i < out && i < s.size(); ++i)
    s[s.size() - 1 - i] *= static_cast<double>(i) / out;
}

// 1: a body hitting something hard: a deep thud, a crunch of snow, and the
// skis and poles clattering after it.
Signal crash(double rate) {
  size_t n = samplesFor(0.74, rate);
  Signal s(n, 0.0);
  Signal thud = oscillator(n, rate, ramp(0, 95, 0.25, 38), 0.3);
  shapeBy(thud, rate, strike(0, 0.004, 0.09));
  mixInto(s, thud, 1.0);
  Signal crunch = lowNoise(n, rate, 11, ramp(0, 2600, 0.3, 500));
  shapeBy(crunch, rate, strike(0, 0.002, 0.07));
  mixInto(s, crunch, 1.4);
  const double clatterAt[] = {0.16, 0.27, 0.41, 0.52};
  for (int k = 0; k < 4; ++k) {
    Signal clack = bandNoise(n, rate, 20 + k, ramp(0, 1900 - 250 * k, 1, 1500 - 250 * k), 6);
    shapeBy(clack, rate, strike(clatterAt[k], 0.002, 0.025));
    mixInto(s, clack, 0.9 - 0.18 * k);
  }
  return s;
}

// 2: launched into the air: a rush of wind that swells and fades.
Signal launch(double rate) {
  size_t n = samplesFor(1.67, rate);
  auto centre = [](double t) {
    return 350 + 1700 * std::sin(std::numbers::pi * std::min(t / 1.5, 1.0));
  };
  Signal s = bandNoise(n, rate, 2, centre, 2.5);
  Signal air = lowNoise(n, rate, 3, ramp(0, 600, 1.67, 300));
  mixInto(s, air, 0.6);
  shapeBy(s, rate, [](double t) {
    double rise = std::min(t / 0.35, 1.0);
    double fall = t < 0.6 ? 1.0 : std::exp(-(t - 0.6) / 0.35);
    return rise * fall;
  });
  return s;
}

// 3: one short, gruff bark.
Signal bark(double rate) {
  size_t n = samplesFor(0.30, rate);
  Signal voice = oscillator(n, rate, ramp(0, 520, 0.12, 260), 1.0);
  Signal breath = bandNoise(n, rate, 4, ramp(0, 1400, 0.2, 700), 2);
  Signal s(n, 0.0);
  ResonantFilter mouth;
  for (size_t i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / rate;
    s[i] = mouth.step(voice[i] + 0.5 * breath[i], 900 + 1200 * std::exp(-t / 0.05), 3, rate).low;
  }
  shapeBy(s, rate, [](double t) { return t < 0.012 ? t / 0.012 : std::exp(-(t - 0.012) / 0.07); });
  return s;
}

// 4: skis meeting snow again: a soft, short crunch with a low knock.
Signal landing(double rate) {
  size_t n = samplesFor(0.30, rate);
  Signal s = lowNoise(n, rate, 5, ramp(0, 5000, 0.2, 900));
  shapeBy(s, rate, strike(0, 0.002, 0.045));
  Signal knock = oscillator(n, rate, ramp(0, 140, 0.1, 70), 0.2);
  shapeBy(knock, rate, strike(0, 0.003, 0.05));
  mixInto(s, knock, 0.8);
  Signal spray = bandNoise(n, rate, 6, ramp(0, 3500, 0.3, 2000), 1.5);
  shapeBy(spray, rate, strike(0.03, 0.02, 0.08));
  mixInto(s, spray, 0.5);
  return s;
}

// 5: a board leaving the lip: a scrape rising into a short whoosh.
Signal boarderJump(double rate) {
  size_t n = samplesFor(0.74, rate);
  Signal scrape = bandNoise(n, rate, 7, ramp(0, 700, 0.15, 2600), 4);
  shapeBy(scrape, rate,
          [](double t) { return t < 0.15 ? t / 0.15 : std::exp(-(t - 0.15) / 0.04); });
  Signal whoosh = bandNoise(n, rate, 8, ramp(0.1, 2400, 0.74, 600), 2);
  shapeBy(whoosh, rate, [](double t) {
    return t < 0.12 ? 0.0 : std::min((t - 0.12) / 0.12, 1.0) * std::exp(-(t - 0.12) / 0.22);
  });
  Signal s = scrape;
  mixInto(s, whoosh, 1.2);
  return s;
}

// 6: another skier going down: a falling "whoa" and two tumbling bumps.
Signal racerFalls(double rate) {
  size_t n = samplesFor(0.69, rate);
  Signal voice = oscillator(n, rate, ramp(0, 330, 0.35, 150), 0.8);
  ResonantFilter throat;
  for (size_t i = 0; i < n; ++i) voice[i] = throat.step(voice[i], 1100, 4, rate).low;
  shapeBy(voice, rate, [](double t) {
    return std::min(t / 0.03, 1.0) * (t < 0.3 ? 1.0 : std::exp(-(t - 0.3) / 0.06));
  });
  Signal s = voice;
  const double bumps[] = {0.33, 0.5};
  for (int k = 0; k < 2; ++k) {
    Signal bump = lowNoise(n, rate, 30 + k, ramp(0, 1800, 1, 900));
    shapeBy(bump, rate, strike(bumps[k], 0.003, 0.05));
    mixInto(s, bump, 1.6 - 0.5 * k);
  }
  return s;
}

// 7: the monster's catch: a rising roar with a throaty growl and a snap of jaws.
Signal monsterCatch(double rate) {
  size_t n = samplesFor(1.86, rate);
  auto pitch = [](double t) {
    return 70 + 45 * std::sin(std::numbers::pi * std::min(t / 1.4, 1.0)) +
           6 * std::sin(2 * std::numbers::pi * 7 * t);
  };
  Signal growl = oscillator(n, rate, pitch, 1.0);
  Signal rasp = bandNoise(n, rate, 9, ramp(0, 500, 1.86, 300), 1.5);
  Signal s(n, 0.0);
  ResonantFilter throat;
  for (size_t i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / rate;
    double flutter = 0.65 + 0.35 * std::sin(2 * std::numbers::pi * 23 * t);
    s[i] = throat
               .step((growl[i] + 0.8 * rasp[i]) * flutter,
                     700 + 500 * std::sin(std::numbers::pi * std::min(t / 1.6, 1.0)), 2.5, rate)
               .low;
  }
  shapeBy(s, rate, [](double t) {
    double rise = std::min(t / 0.25, 1.0);
    return rise * (t < 1.3 ? 1.0 : std::exp(-(t - 1.3) / 0.2));
  });
  Signal chomp = lowNoise(n, rate, 10, ramp(1.45, 3000, 1.6, 800));
  shapeBy(chomp, rate, strike(1.45, 0.002, 0.04));
  mixInto(s, chomp, 1.5);
  return s;
}

// 8: a dog's business: two sniffs, then a thin trickle into the snow.
Signal yellowSnow(double rate) {
  size_t n = samplesFor(1.50, rate);
  Signal s(n, 0.0);
  for (int k = 0; k < 2; ++k) {
    Signal sniff = bandNoise(n, rate, 40 + k, ramp(0, 3000, 1, 3000), 2);
    double at = 0.05 + 0.18 * k;
    shapeBy(sniff, rate, [at](double t) {
      return t < at || t > at + 0.1 ? 0.0 : std::sin(std::numbers::pi * (t - at) / 0.1);
    });
    mixInto(s, sniff, 0.8);
  }
  Signal trickle = bandNoise(n, rate, 50, ramp(0.45, 2200, 1.5, 1700), 5);
  shapeBy(trickle, rate, [](double t) {
    return t < 0.45
               ? 0.0
               : std::min((t - 0.45) / 0.08, 1.0) * (t < 1.25 ? 1.0 : std::exp(-(t - 1.25) / 0.07));
  });
  mixInto(s, trickle, 0.45);
  // Droplets: short falling blips at pseudo-random moments and pitches.
  NoiseSource chooser(60);
  for (int k = 0; k < 22; ++k) {
    double at = 0.48 + 0.8 * (chooser.next() + 1) / 2;
    double pitch = 1500 + 900 * (chooser.next() + 1) / 2;
    Signal blip = oscillator(n, rate, ramp(at, pitch, at + 0.03, pitch * 1.6), 0.0);
    shapeBy(blip, rate, strike(at, 0.002, 0.012));
    mixInto(s, blip, 0.45);
  }
  return s;
}

// 9: something is coming: a two-tone alarm that speeds up.
Signal chaseAlarm(double rate) {
  size_t n = samplesFor(2.44, rate);
  auto tone = [](double t) {
    double period = 0.24 - 0.06 * std::min(t / 2.0, 1.0);
    return std::fmod(t, period) < period / 2 ? 740.0 : 520.0;
  };
  Signal s = oscillator(n, rate, tone, 0.7);
  Signal rumble = oscillator(n, rate, ramp(0, 55, 2.44, 75), 1.0);
  mixInto(s, rumble, 0.35);
  shapeBy(s, rate, [](double t) {
    return std::min(t / 0.05, 1.0) * (t < 2.1 ? 1.0 : std::exp(-(t - 2.1) / 0.12));
  });
  return s;
}

}  // namespace

SoundClipData synthesiseClip(int id) {
  double rate = id == 4 ? 2 * kRate : kRate;
  Signal s;
  switch (id) {
    case 1:
      s = crash(rate);
      break;
    case 2:
      s = launch(rate);
      break;
    case 3:
      s = bark(rate);
      break;
    case 4:
      s = landing(rate);
      break;
    case 5:
      s = boarderJump(rate);
      break;
    case 6:
      s = racerFalls(rate);
      break;
    case 7:
      s = monsterCatch(rate);
      break;
    case 8:
      s = yellowSnow(rate);
      break;
    case 9:
      s = chaseAlarm(rate);
      break;
    default:
      throw std::out_of_range("sound clip ids are 1 to 9");
  }
  fadeEdges(s, rate);
  return {static_cast<uint32_t>(rate), toPcm8(s, 0.85)};
}

}  // namespace snowtools
