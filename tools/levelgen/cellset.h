// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "room.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace levelgen
{

// A set of floor cells, one bit per floor number; the searches work on rooms of at
// most MaxSetCells floor cells, which leaves the top bits free for a search to use.
using TCellSet = unsigned __int128;
inline constexpr int MaxSetCells = 120;

// A search state (PackState) holds the box cells below bit KeeperShift and its keeper
// area's smallest cell from there on.
inline constexpr int KeeperShift = MaxSetCells;
inline constexpr TCellSet BoxMask = (TCellSet(1) << KeeperShift) - 1;

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

// The cells of a set, smallest first.
inline std::vector<int> CellsOf(TCellSet set)
{
    std::vector<int> cells;
    for (; set != 0; set &= set - 1)
        cells.push_back(FirstCell(set));
    return cells;
}

inline TCellSet SetOf(const std::vector<int> &cells)
{
    TCellSet set = 0;
    for (const int cell : cells)
        set |= CellBit(cell);
    return set;
}

// A search state of the box cells and the keeper's area, the area named by its
// smallest cell so that every keeper cell of one area makes the same state.
inline TCellSet PackState(TCellSet boxes, TCellSet keeperArea)
{
    return boxes | (TCellSet(FirstCell(keeperArea)) << KeeperShift);
}

inline TCellSet StateBoxes(TCellSet state)
{
    return state & BoxMask;
}

// The smallest cell of the state's keeper area.
inline int StateAreaCell(TCellSet state)
{
    return static_cast<int>(state >> KeeperShift);
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

// An index over the states a search keeps in a list of its own, by open addressing. A
// slot holds the state's place in the list + 1 in its low half (0 when the slot is
// empty) and the high half of the state's hash, which settles most mismatches without
// reading the state itself.
class TStateIndex
{
public:
    // `slots`: a power of two.
    explicit TStateIndex(std::size_t slots) : mySlots(slots, 0) {}

    // The slot a lookup of `hash` starts from, to prefetch before a batch of lookups.
    const std::uint64_t *FirstSlot(std::uint64_t hash) const
    {
        return &mySlots[hash & (mySlots.size() - 1)];
    }

    // The place of `key` in `states`. A key not there is given the place states.size(),
    // and the caller appends it.
    std::size_t FindOrClaim(const std::vector<TCellSet> &states, TCellSet key, std::uint64_t hash)
    {
        if (states.size() * 2 >= mySlots.size())
            Grow(states);
        const std::uint64_t tag = hash & ~LowHalf;
        const std::size_t mask = mySlots.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const std::uint64_t held = mySlots[slot];
            if (held == 0) {
                mySlots[slot] = tag | (states.size() + 1);
                return states.size();
            }
            const std::size_t place = (held & LowHalf) - 1;
            if ((held & ~LowHalf) == tag && states[place] == key)
                return place;
        }
    }

private:
    static constexpr std::uint64_t LowHalf = 0xFFFFFFFFULL;

    void Grow(const std::vector<TCellSet> &states)
    {
        mySlots.assign(mySlots.size() * 2, 0);
        const std::size_t mask = mySlots.size() - 1;
        for (std::size_t place = 0; place < states.size(); ++place) {
            const std::uint64_t hash = HashOf(states[place]);
            std::size_t slot = hash & mask;
            while (mySlots[slot] != 0)
                slot = (slot + 1) & mask;
            mySlots[slot] = (hash & ~LowHalf) | (place + 1);
        }
    }

    std::vector<std::uint64_t> mySlots;
};

// The successors of one state, gathered before any is looked up so that their index
// slots are fetched from memory while the others are still being worked out. The
// fetch is asked for with the compiler's own hint, as the standard library has none.
template <int Capacity> class TSuccessors
{
public:
    void Add(TCellSet state, const TStateIndex &index)
    {
        myStates[myCount] = state;
        myHashes[myCount] = HashOf(state);
        __builtin_prefetch(index.FirstSlot(myHashes[myCount]));
        ++myCount;
    }

    std::size_t Count() const { return myCount; }
    TCellSet State(std::size_t i) const { return myStates[i]; }
    std::uint64_t Hash(std::size_t i) const { return myHashes[i]; }

private:
    TCellSet myStates[Capacity];
    std::uint64_t myHashes[Capacity];
    std::size_t myCount = 0;
};

// The cells reached from `start` through `open` cells, `neighbours[cell]` being the
// floor cells next to `cell`. The searches' own flood, run for every state over floor
// numbers as bits, where the core's KeeperReach walks the cells of a text grid.
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
