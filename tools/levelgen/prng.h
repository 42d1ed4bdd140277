// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace levelgen
{

// xoshiro256** seeded through splitmix64. The generator needs the same numbers on
// every machine and standard library, which std::mt19937 with the standard
// distributions does not promise (their algorithms are left to each library).
class TPrng
{
public:
    explicit TPrng(std::uint64_t seed);

    std::uint64_t Next();
    // Uniform in 0..bound - 1; bound >= 1.
    std::uint32_t Below(std::uint32_t bound);
    // Uniform in lo..hi, both included; lo <= hi.
    int Between(int lo, int hi);
    // True with the given chance, 0..100.
    bool Percent(int chance);

    template <class T> void Shuffle(std::vector<T> &items)
    {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[Below(static_cast<std::uint32_t>(i))]);
    }

private:
    std::uint64_t myState[4];
};

// One level's seed: a pure function of the master seed, the level number and
// a salt that is raised only when a level must be made again.
std::uint64_t LevelSeed(std::uint64_t master, int number, int salt);

} // namespace levelgen
