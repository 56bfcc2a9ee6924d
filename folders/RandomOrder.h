#pragma once
// The program's pseudo-random generator and the random arrangement that every draw builds.
// The generator is the classic 32-bit linear congruential one (state * 134775813 + 1), whose
// Random(n) takes the upper half of state * n; MakeRandomOrder reseeds it from the high-resolution
// counter at every call, so successive arrangements differ as the counter advances.

#include <cstdint>
#include <vector>

namespace vx {

extern std::uint32_t RandSeed;

// Seeds the generator from the clock (start-up and the archive run).
void Randomize();

// A number from 0 to n - 1.
std::uint32_t Random(std::uint32_t n);

// order becomes 0..n-1 in random arrangement: every position i is swapped with a position drawn from
// the whole range. The count is taken whole: a release of more than 65,535 photos is drawn from in full.
void MakeRandomOrder(std::vector<int> &order, int n);

// The same shuffle from a given seed, without reseeding (tests and reproducible draws).
void MakeRandomOrderFromSeed(std::vector<int> &order, int n, std::uint32_t seed);

} // namespace vx
