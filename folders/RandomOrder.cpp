#include "folders/RandomOrder.h"

#include "platform/Clock.h"

#include <algorithm>
#include <numeric>

namespace vx {

std::uint32_t RandSeed = 0;

void Randomize() { RandSeed = clock::highResolutionCounter(); }

std::uint32_t Random(std::uint32_t n)
{
    RandSeed = RandSeed * 134775813u + 1u;
    return static_cast<std::uint32_t>((std::uint64_t(RandSeed) * n) >> 32);
}

void MakeRandomOrderFromSeed(std::vector<int> &order, int n, std::uint32_t seed)
{
    const int count = std::max(n, 0);
    order.resize(std::size_t(count));
    std::iota(order.begin(), order.end(), 0);
    RandSeed = seed;
    for (int i = 0; i < count; ++i)
        std::swap(order[std::size_t(i)], order[Random(std::uint32_t(count))]);
}

void MakeRandomOrder(std::vector<int> &order, int n) { MakeRandomOrderFromSeed(order, n, clock::highResolutionCounter()); }

} // namespace vx
