#pragma once

// The game's sound effects, synthesised from scratch.

#include <cstdint>
#include <string>
#include <vector>

namespace quandel::soundgen {

// What each effect file is meant to be: its length, its loudness (dB full scale over the loudest 100 ms, see
// LoudnessDb) and the level no sample may exceed (fraction of full scale). The loudness figures set the balance
// between the effects and against the music, which plays at about -23 dB.
struct EffectPlan {
  std::string file;
  double seconds;
  double loudnessDb;
  double peakCeiling;
};

// tick, extend, bomb_m, magnet, short, then bomb_1 ... bomb_12 (three tiers of four).
const std::vector<EffectPlan>& EffectPlans();

// Chain blasts: tier 0 low, 1 middle, 2 high; count 1..4 (4 stands for four or more boxes).
// The file number is tier * 4 + count.
std::vector<int16_t> MakeChainBlast(int tier, int count);

std::vector<int16_t> MakeTick();
std::vector<int16_t> MakeExtend();
std::vector<int16_t> MakePlacedBomb();
std::vector<int16_t> MakeMagnet();
std::vector<int16_t> MakeShort();

// The samples for one entry of EffectPlans(), by file name.
std::vector<int16_t> MakeEffect(const std::string& file);

}  // namespace quandel::soundgen
