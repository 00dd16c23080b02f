#include "effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "synth.h"

namespace quandel::soundgen {

namespace {

constexpr int kTiers = 3, kCounts = 4;

// Chain blasts get longer and louder with the number of boxes, and each tier starts a little higher.
double BlastSeconds(int tier, int count) { return 0.40 + 0.10 * tier + 0.15 * (count - 1); }
double BlastLoudness(int tier, int count) { return -20.5 + 1.2 * tier + 0.8 * (count - 1); }

const EffectPlan& PlanFor(const std::string& file) {
  for (const EffectPlan& p : EffectPlans()) {
    if (p.file == file) return p;
  }
  throw std::invalid_argument("no such effect: " + file);
}

std::string BlastFile(int tier, int count) { return "bomb_" + std::to_string(tier * kCounts + count) + ".wav"; }

// Everything that shapes one chain blast. Tiers differ mostly in brightness, counts in weight and length.
struct BlastRecipe {
  double seconds;
  int bursts;
  double burstGap;
  double cutoffStart, cutoffEnd, sweepTau;  // the roar: low-passed noise whose corner falls after each burst
  double bodyTau;
  double thumpStartHz, thumpEndHz, thumpTau, thumpLevel;    // the punch: a sine dropping in pitch
  double rumbleHz, rumbleTau, rumbleLevel;                  // the tail: slow, heavily filtered noise
  double crackleRate, crackleTau, crackleHz, crackleLevel;  // debris: short bright clicks
  uint32_t seed;
};

BlastRecipe RecipeFor(int tier, int count) {
  constexpr std::array<double, kTiers> kCutoff{900, 2000, 4200}, kCutoffEnd{140, 220, 380};
  constexpr std::array<double, kTiers> kThumpStart{130, 160, 200}, kThumpEnd{40, 48, 58}, kThumpLevel{1.0, 0.75, 0.55};
  constexpr std::array<double, kTiers> kRumbleHz{160, 200, 260};
  constexpr std::array<double, kTiers> kCrackleRate{6, 35, 90}, kCrackleHz{1200, 2400, 4000},
      kCrackleLevel{0.4, 0.6, 0.8};
  const double c = count - 1;
  BlastRecipe r{};
  r.seconds = BlastSeconds(tier, count);
  r.bursts = count;
  r.burstGap = 0.055;
  r.cutoffStart = kCutoff[tier] * (1 + 0.12 * c);
  r.cutoffEnd = kCutoffEnd[tier];
  r.sweepTau = 0.06 + 0.01 * c;
  r.bodyTau = 0.095 + 0.025 * c + 0.015 * tier;
  r.thumpStartHz = kThumpStart[tier];
  r.thumpEndHz = kThumpEnd[tier];
  r.thumpTau = 0.07 + 0.02 * c;
  r.thumpLevel = kThumpLevel[tier];
  r.rumbleHz = kRumbleHz[tier];
  r.rumbleTau = 0.10 + 0.06 * c + 0.02 * tier;
  r.rumbleLevel = 0.45 + 0.15 * c;
  r.crackleRate = kCrackleRate[tier] * (1 + 0.4 * c);
  r.crackleTau = 0.08 + 0.05 * c;
  r.crackleHz = kCrackleHz[tier];
  r.crackleLevel = kCrackleLevel[tier];
  r.seed = 1000u + 10u * static_cast<uint32_t>(tier) + static_cast<uint32_t>(count);
  return r;
}

std::vector<double> RenderBlast(const BlastRecipe& r) {
  const int n = SamplesFor(r.seconds);
  Noise noise(r.seed);
  std::vector<double> burstAt(r.bursts), burstGain(r.bursts), thumpPhase(r.bursts, 0.0);
  for (int b = 0; b < r.bursts; ++b) {
    burstAt[b] = b == 0 ? 0.0 : burstAt[b - 1] + r.burstGap * (0.8 + 0.4 * noise.Uniform());
    burstGain[b] = b == 0 ? 1.0 : 0.75 + 0.25 * noise.Uniform();
  }
  Biquad body1, body2, rumble1, rumble2, crackleHp;
  rumble1.SetLowpass(r.rumbleHz, 0.7);
  rumble2.SetLowpass(r.rumbleHz, 0.9);
  crackleHp.SetHighpass(r.crackleHz, 0.7);
  const double wobble = 2 * kPi * noise.Uniform();
  const double crackleDecay = std::exp(-1.0 / (0.003 * kSampleRate));
  double crackleEnv = 0;

  std::vector<double> out(n);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double bodyEnv = 0, thump = 0, lastBurst = 0;
    for (int b = 0; b < r.bursts; ++b) {
      const double x = t - burstAt[b];
      if (x < 0) continue;
      lastBurst = burstAt[b];
      bodyEnv += burstGain[b] * Ramp(x, 0.004) * std::exp(-x / r.bodyTau);
      const double hz = r.thumpEndHz + (r.thumpStartHz - r.thumpEndHz) * std::exp(-x / 0.035);
      thumpPhase[b] += 2 * kPi * hz / kSampleRate;
      thump += burstGain[b] * Ramp(x, 0.002) * std::exp(-x / r.thumpTau) * std::sin(thumpPhase[b]);
    }
    if (i % 16 == 0) {
      const double corner = r.cutoffEnd + (r.cutoffStart - r.cutoffEnd) * std::exp(-(t - lastBurst) / r.sweepTau);
      body1.SetLowpass(corner, 0.7);
      body2.SetLowpass(corner, 1.1);
    }
    const double roar = body2.Process(body1.Process(noise.Bipolar())) * bodyEnv;

    const double tremble = 1 + 0.35 * std::sin(2 * kPi * 6.5 * t + wobble);
    const double rumble =
        rumble2.Process(rumble1.Process(noise.Bipolar())) * 4.0 * Ramp(t, 0.03) * std::exp(-t / r.rumbleTau) * tremble;

    const double crackleChance = r.crackleRate * std::exp(-t / r.crackleTau) / kSampleRate;
    if (noise.Uniform() < crackleChance) crackleEnv = std::max(crackleEnv, 0.4 + 0.6 * noise.Uniform());
    crackleEnv *= crackleDecay;
    const double crackle = crackleHp.Process(noise.Bipolar()) * crackleEnv;

    out[i] = 2.0 * roar + r.thumpLevel * thump + r.rumbleLevel * rumble + r.crackleLevel * crackle;
  }
  return out;
}

}  // namespace

const std::vector<EffectPlan>& EffectPlans() {
  static const std::vector<EffectPlan> plans = [] {
    std::vector<EffectPlan> p{
        {"tick.wav", 0.12, -20.5, 0.7},   {"extend.wav", 0.90, -17.0, 0.7}, {"bomb_m.wav", 0.25, -17.0, 0.7},
        {"magnet.wav", 0.45, -18.0, 0.7}, {"short.wav", 0.30, -20.0, 0.7},
    };
    for (int tier = 0; tier < kTiers; ++tier) {
      for (int count = 1; count <= kCounts; ++count) {
        p.push_back({BlastFile(tier, count), BlastSeconds(tier, count), BlastLoudness(tier, count), 0.8});
      }
    }
    return p;
  }();
  return plans;
}

std::vector<int16_t> MakeChainBlast(int tier, int count) {
  if (tier < 0 || tier >= kTiers || count < 1 || count > kCounts) throw std::out_of_range("no such chain blast");
  const EffectPlan& plan = PlanFor(BlastFile(tier, count));
  // Short fade-out: the blast has already died away by then, this only guarantees a silent last sample.
  return Finish(RenderBlast(RecipeFor(tier, count)), plan.loudnessDb, plan.peakCeiling, 0.0015, plan.seconds * 0.25);
}

std::vector<int16_t> MakeTick() {
  const EffectPlan& plan = PlanFor("tick.wav");
  const int n = SamplesFor(plan.seconds);
  Noise noise(7);
  Biquad click;
  click.SetBandpass(3200, 1.5);
  std::vector<double> s(n);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    // A small wooden knock: two inharmonic partials and a breath of noise for the attack.
    s[i] = std::sin(2 * kPi * 1250 * t) * std::exp(-t / 0.018) +
           0.5 * std::sin(2 * kPi * 2750 * t) * std::exp(-t / 0.008) +
           0.8 * click.Process(noise.Bipolar()) * std::exp(-t / 0.003);
  }
  return Finish(std::move(s), plan.loudnessDb, plan.peakCeiling, 0.0005, 0.04);
}

std::vector<int16_t> MakeExtend() {
  const EffectPlan& plan = PlanFor("extend.wav");
  const int n = SamplesFor(plan.seconds);
  struct Tone {
    double start, midiKey, tau, level;
  };
  // G4 C5 E5 G5 climbing to a ringing C6 with E6 above it.
  const std::array<Tone, 6> tones{{{0.00, 67, 0.10, 0.8},
                                   {0.06, 72, 0.10, 0.8},
                                   {0.12, 76, 0.10, 0.85},
                                   {0.18, 79, 0.10, 0.9},
                                   {0.24, 84, 0.28, 1.0},
                                   {0.24, 88, 0.24, 0.6}}};
  std::vector<double> s(n, 0.0);
  for (const Tone& tone : tones) {
    const double hz = 440.0 * std::pow(2.0, (tone.midiKey - 69) / 12.0);
    double phase = 0;
    for (int i = SamplesFor(tone.start); i < n; ++i) {
      const double x = static_cast<double>(i) / kSampleRate - tone.start;
      const double vibrato = 1 + 0.006 * std::sin(2 * kPi * 6 * x) * Ramp(x, 0.15);
      phase += 2 * kPi * hz * vibrato / kSampleRate;
      const double voice = 0.55 * BandLimitedSquare(phase, hz) + 0.45 * std::sin(2 * phase);
      s[i] += tone.level * Ramp(x, 0.003) * std::exp(-x / tone.tau) * voice;
    }
  }
  return Finish(std::move(s), plan.loudnessDb, plan.peakCeiling, 0.001, 0.2);
}

std::vector<int16_t> MakePlacedBomb() {
  const EffectPlan& plan = PlanFor("bomb_m.wav");
  const int n = SamplesFor(plan.seconds);
  Noise noise(11);
  Biquad thud, fuse;
  thud.SetLowpass(1800, 0.7);
  fuse.SetHighpass(5000, 0.7);
  std::vector<double> s(n);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    // A dropping "pomp" with a soft thud under it and a short hiss of the fuse catching.
    phase += 2 * kPi * (110 + 370 * std::exp(-t / 0.04)) / kSampleRate;
    s[i] = std::sin(phase) * std::exp(-t / 0.07) + 0.5 * thud.Process(noise.Bipolar()) * std::exp(-t / 0.012) +
           0.12 * fuse.Process(noise.Bipolar()) * Ramp(t, 0.01) * std::exp(-t / 0.05);
  }
  return Finish(std::move(s), plan.loudnessDb, plan.peakCeiling, 0.001, 0.06);
}

std::vector<int16_t> MakeMagnet() {
  const EffectPlan& plan = PlanFor("magnet.wav");
  const int n = SamplesFor(plan.seconds);
  Biquad tone;
  std::vector<double> s(n);
  double phase = 0, upperPhase = 0;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    // An electric hum that swells upwards, with a wah on it and a slightly detuned octave for shimmer.
    const double hz = 150 * std::pow(2.0, std::min(t / 0.25, 1.0));
    phase += 2 * kPi * hz / kSampleRate;
    upperPhase += 2 * kPi * (2 * hz + 3) / kSampleRate;
    if (i % 16 == 0) tone.SetLowpass(1500 + 900 * std::sin(2 * kPi * 9 * t), 2.0);
    const double tremolo = 1 - 0.3 * (0.5 + 0.5 * std::sin(2 * kPi * 24 * t));
    const double envelope = Ramp(t, 0.02) * (1 - Ramp(t - 0.28, plan.seconds - 0.28));
    s[i] = envelope * tremolo * (tone.Process(BandLimitedSaw(phase, hz)) + 0.3 * std::sin(upperPhase));
  }
  return Finish(std::move(s), plan.loudnessDb, plan.peakCeiling, 0.002, 0.03);
}

std::vector<int16_t> MakeShort() {
  const EffectPlan& plan = PlanFor("short.wav");
  const int n = SamplesFor(plan.seconds);
  Biquad dull1, dull2;
  dull1.SetLowpass(600, 0.7);
  dull2.SetLowpass(600, 0.7);
  std::vector<double> s(n);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    // Two low, muffled buzzes, the second one lower: "nuh-uh".
    const bool second = t >= 0.15;
    const double hz = second ? 98 : 123;
    const double x = second ? t - 0.15 : t, len = second ? 0.13 : 0.11;
    phase += 2 * kPi * hz / kSampleRate;
    const double envelope = Ramp(x, 0.005) * (1 - Ramp(x - (len - 0.02), 0.02));
    s[i] = dull2.Process(dull1.Process(envelope * BandLimitedSquare(phase, hz)));
  }
  return Finish(std::move(s), plan.loudnessDb, plan.peakCeiling, 0.002, 0.02);
}

std::vector<int16_t> MakeEffect(const std::string& file) {
  if (file == "tick.wav") return MakeTick();
  if (file == "extend.wav") return MakeExtend();
  if (file == "bomb_m.wav") return MakePlacedBomb();
  if (file == "magnet.wav") return MakeMagnet();
  if (file == "short.wav") return MakeShort();
  for (int tier = 0; tier < kTiers; ++tier) {
    for (int count = 1; count <= kCounts; ++count) {
      if (file == BlastFile(tier, count)) return MakeChainBlast(tier, count);
    }
  }
  throw std::invalid_argument("no such effect: " + file);
}

}  // namespace quandel::soundgen
