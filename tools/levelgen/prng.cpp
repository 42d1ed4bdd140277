// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "prng.h"

#include <bit>

namespace levelgen
{

namespace
{

// One splitmix64 step: advances state and returns a well-mixed word.
std::uint64_t SplitMix64(std::uint64_t &state)
{
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

std::uint64_t LevelSeed(std::uint64_t master, int number, int salt)
{
    std::uint64_t state =
        master ^ (static_cast<std::uint64_t>(number) << 32) ^ static_cast<std::uint64_t>(salt);
    SplitMix64(state);
    return SplitMix64(state);
}

TPrng::TPrng(std::uint64_t seed)
{
    for (std::uint64_t &word : myState)
        word = SplitMix64(seed);
}

std::uint64_t TPrng::Next()
{
    const std::uint64_t result = std::rotl(myState[1] * 5, 7) * 9;
    const std::uint64_t t = myState[1] << 17;
    myState[2] ^= myState[0];
    myState[3] ^= myState[1];
    myState[1] ^= myState[2];
    myState[0] ^= myState[3];
    myState[2] ^= t;
    myState[3] = std::rotl(myState[3], 45);
    return result;
}

// Multiply-and-shift with rejection: exact uniformity without a division per draw.
std::uint32_t TPrng::Below(std::uint32_t bound)
{
    std::uint64_t product = (Next() >> 32) * bound;
    auto low = static_cast<std::uint32_t>(product);
    if (low < bound) {
        const std::uint32_t threshold = (0U - bound) % bound;
        while (low < threshold) {
            product = (Next() >> 32) * bound;
            low = static_cast<std::uint32_t>(product);
        }
    }
    return static_cast<std::uint32_t>(product >> 32);
}

int TPrng::Between(int lo, int hi)
{
    return lo + static_cast<int>(Below(static_cast<std::uint32_t>(hi - lo + 1)));
}

bool TPrng::Percent(int chance)
{
    return static_cast<int>(Below(100)) < chance;
}

} // namespace levelgen
