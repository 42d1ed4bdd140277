#pragma once

#include "room.h"

#include <bit>
#include <cstdint>
#include <vector>

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

// All the floor cells of a room.
inline TCellSet FloorSet(const TRoom &room)
{
    return (TCellSet(1) << room.FloorCount()) - 1;
}

// Per floor cell, the set of floor cells next to it.
inline std::vector<TCellSet> NeighbourSets(const TRoom &room)
{
    std::vector<TCellSet> neighbours(room.FloorCount(), 0);
    for (int cell = 0; cell < room.FloorCount(); ++cell) {
        for (int d = 0; d < DirectionCount; ++d) {
            if (room.Next(cell, d) >= 0)
                neighbours[cell] |= CellBit(room.Next(cell, d));
        }
    }
    return neighbours;
}

// A hash of a set (and of whatever a search packs into its top bits).
inline std::uint64_t HashOf(TCellSet set)
{
    const auto mix = [](std::uint64_t x) {
        x ^= x >> 33;
        x *= 0xFF51AFD7ED558CCDULL;
        x ^= x >> 33;
        x *= 0xC4CEB9FE1A85EC53ULL;
        return x ^ (x >> 33);
    };
    return mix(static_cast<std::uint64_t>(set) ^ mix(static_cast<std::uint64_t>(set >> 64)));
}

// The cells reached from `start` through `open` cells, `neighbours[cell]` being the
// floor cells next to `cell`.
inline TCellSet Flood(const std::vector<TCellSet> &neighbours, TCellSet open, int start)
{
    TCellSet reach = CellBit(start);
    TCellSet frontier = reach;
    while (frontier != 0) {
        const int cell = FirstCell(frontier);
        frontier &= frontier - 1;
        const TCellSet fresh = neighbours[cell] & open & ~reach;
        reach |= fresh;
        frontier |= fresh;
    }
    return reach;
}

} // namespace levelgen
