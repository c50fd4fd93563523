// Sounds; see sounds.h. Every effect is a sum of decaying partials and filtered noise, shaped with a
// short attack and release so that it never clicks, and normalised to a peak of about -6 dBFS.
//
//   0 soft tick (balls appear)   4 shot (pop with a breath of air)   8 dull thud (a ball sticks)
//   1 rising two-note chime      5 button click                      9 light wooden knock (a letter)
//   2 falling two-note chime     6 ball burst (a bright bubble pop)
//   3 soft bell                  7 sparkle glissando
#include "tools/assets/sounds.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/wave.h"

namespace art {
namespace {

constexpr int kRate = 44100;

// A fixed-seed generator for noise: the same samples on every run.
class Noise {
 public:
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / double(1u << 24) * 2 - 1;
  }

 private:
  uint32_t state_ = 0x2545F491u;
};

struct Partial {
  double freq, amp, decay;  // Hz, level, seconds to fall to 1/e
  double glide = 0;         // frequency change a second, as a factor (-0.5 = halve in ~1 s)
};

std::vector<double> Silence(double seconds) {
  return std::vector<double>(size_t(seconds * kRate), 0.0);
}

void AddPartials(std::vector<double>& out, double start, const std::vector<Partial>& partials) {
  for (const Partial& p : partials) {
    double phase = 0;
    for (size_t i = size_t(start * kRate); i < out.size(); ++i) {
      const double t = double(i) / kRate - start;
      const double f = p.freq * std::exp(p.glide * t);
      phase += 2 * M_PI * f / kRate;
      out[i] += p.amp * std::exp(-t / p.decay) * std::sin(phase);
    }
  }
}

// Noise through a one-pole low-pass whose cut-off moves from `from` to `to` Hz.
void AddNoise(std::vector<double>& out, double start, double amp, double decay, double from, double to,
              bool highPass = false) {
  Noise noise;
  double low = 0;
  const double length = double(out.size()) / kRate - start;
  for (size_t i = size_t(start * kRate); i < out.size(); ++i) {
    const double t = double(i) / kRate - start;
    const double cut = from * std::pow(to / from, t / length);
    const double k = 1 - std::exp(-2 * M_PI * cut / kRate);
    const double n = noise.Next();
    low += k * (n - low);
    out[i] += amp * std::exp(-t / decay) * (highPass ? n - low : low);
  }
}

// Attack and release ramps, then a peak of 0.5 (-6 dBFS).
std::vector<uint8_t> Finish(std::vector<double> s, double attack = 0.003, double release = 0.012) {
  const size_t a = size_t(attack * kRate), r = size_t(release * kRate);
  for (size_t i = 0; i < s.size(); ++i) {
    double g = 1;
    if (i < a) g = double(i) / a;
    if (i + r > s.size()) g = std::min(g, double(s.size() - i) / r);
    s[i] *= g;
  }
  double peak = 1e-9;
  for (double v : s)
    peak = std::max(peak, std::fabs(v));
  std::vector<uint8_t> bytes;
  bytes.reserve(s.size() * 2);
  for (double v : s) {
    const int16_t q = int16_t(std::lround(v / peak * 0.5 * 32767));
    bytes.push_back(uint8_t(q & 0xFF));
    bytes.push_back(uint8_t((q >> 8) & 0xFF));
  }
  return bytes;
}

// The effects made of notes alone: the tick, the chimes, the bell and the sparkle (the default).
std::vector<uint8_t> TonalEffect(int number) {
  switch (number) {
    case 0: {  // soft tick
      auto s = Silence(0.06);
      AddPartials(s, 0, {{1850, 1.0, 0.012, -2}, {3700, 0.25, 0.006}});
      return Finish(s, 0.001);
    }
    case 1: {  // rising chime
      auto s = Silence(0.26);
      AddPartials(s, 0, {{880, 0.8, 0.06}, {1760, 0.2, 0.03}});
      AddPartials(s, 0.08, {{1318.5, 0.9, 0.08}, {2637, 0.2, 0.04}});
      return Finish(s);
    }
    case 2: {  // falling chime
      auto s = Silence(0.26);
      AddPartials(s, 0, {{1318.5, 0.8, 0.06}, {2637, 0.2, 0.03}});
      AddPartials(s, 0.08, {{880, 0.9, 0.08}, {1760, 0.2, 0.04}});
      return Finish(s);
    }
    case 3: {  // soft bell
      auto s = Silence(0.38);
      AddPartials(s, 0, {{1046.5, 0.8, 0.12}, {2093, 0.25, 0.06}, {2816, 0.12, 0.04}});
      return Finish(s, 0.002, 0.03);
    }
    default: {  // sparkle: quick rising notes
      auto s = Silence(0.3);
      const double notes[4] = {1568, 1976, 2349, 3136};
      for (int i = 0; i < 4; ++i)
        AddPartials(s, 0.045 * i, {{notes[i], 0.6, 0.05}});
      return Finish(s);
    }
  }
}

// The effects with noise in them: the shot, the click, the burst, the thud and the knock (the default).
std::vector<uint8_t> NoisyEffect(int number) {
  switch (number) {
    case 4: {  // shot: a short pop and a breath
      auto s = Silence(0.16);
      AddPartials(s, 0, {{420, 0.9, 0.025, -3.5}, {840, 0.3, 0.015, -3.5}});
      AddNoise(s, 0, 0.6, 0.05, 5000, 900);
      return Finish(s, 0.002, 0.03);
    }
    case 5: {  // click
      auto s = Silence(0.05);
      AddPartials(s, 0, {{2400, 0.6, 0.006}, {1200, 0.8, 0.01}});
      AddNoise(s, 0, 0.3, 0.004, 6000, 6000, true);
      return Finish(s, 0.0005, 0.01);
    }
    case 6: {  // burst: a bubble's pop, its pitch leaping up, over a tiny crack
      auto s = Silence(0.12);
      AddPartials(s, 0, {{700, 1.0, 0.03, 7}, {1400, 0.3, 0.02, 7}});
      AddNoise(s, 0, 0.35, 0.005, 5000, 5000, true);
      return Finish(s, 0.001, 0.02);
    }
    case 8: {  // thud
      auto s = Silence(0.15);
      AddPartials(s, 0, {{150, 1.0, 0.05, -2.5}, {300, 0.3, 0.02, -2.5}});
      AddNoise(s, 0, 0.5, 0.02, 600, 200);
      return Finish(s, 0.002, 0.03);
    }
    default: {  // wooden knock
      auto s = Silence(0.08);
      AddPartials(s, 0, {{720, 1.0, 0.018}, {1980, 0.35, 0.008}, {3100, 0.12, 0.004}});
      AddNoise(s, 0, 0.25, 0.003, 4000, 4000);
      return Finish(s, 0.0008, 0.015);
    }
  }
}

// Effect 0..9 of the table at the top of this file.
std::vector<uint8_t> Effect(int number) {
  const bool tonal = (number >= 0 && number <= 3) || number == 7;
  return tonal ? TonalEffect(number) : NoisyEffect(number);
}

}  // namespace

void MakeSounds(DataSet& data) {
  for (int n = 0; n < 10; ++n)
    data.SaveFile("wav/" + std::to_string(n) + ".wav", MakeWaveFile(1, kRate, 16, Effect(n)));
}

}  // namespace art
