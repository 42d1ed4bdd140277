#pragma once

#include <bit>
#include <cstdint>

namespace levelgen
{

// A set of floor cells, one bit per floor number; the searches work on rooms of at
// most MaxSetCells floor cells, which leaves the top bits free for a search to use.
using TCellSet = unsigned __int128;
inline constexpr int MaxSetCells = 120;

inline TCellSet CellBit(int cell)
{
    return TCellSet(1) << cell;
}

inline bool Holds(TCellSet set, int cell)
{
    return ((set >> cell) & 1) != 0;
}

// The smallest cell of a non-empty set.
inline int FirstCell(TCellSet set)
{
    const auto low = static_cast<std::uint64_t>(set);
    if (low != 0)
        return std::countr_zero(low);
    return 64 + std::countr_zero(static_cast<std::uint64_t>(set >> 64));
}

inline int CellCount(TCellSet set)
{
    return std::popcount(static_cast<std::uint64_t>(set)) +
           std::popcount(static_cast<std::uint64_t>(set >> 64));
}

} // namespace levelgen
