// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reversesearch.h"

namespace levelgen
{

TReverseSearch::TReverseSearch(const TRoom &room, TCellSet targets, TCellSet boxCells,
                               TCellSet exitCells)
    : myRoom(room), myFloor(FloorSet(room)), myTargets(targets), myBoxCells(boxCells),
      myNeighbours(NeighbourSets(room))
{
    AddStarts(exitCells);
}

TCellSet TReverseSearch::Flood(TCellSet open, int start) const
{
    return levelgen::Flood(myNeighbours, open, start);
}

TCellSet TReverseSearch::KeeperArea(std::uint32_t state) const
{
    return Flood(myFloor & ~Boxes(state), KeeperCell(state));
}

void TReverseSearch::AddStarts(TCellSet exitCells)
{
    TCellSet left = myFloor & ~myTargets;
    while (left != 0) {
        const TCellSet area = Flood(myFloor & ~myTargets, FirstCell(left));
        left &= ~area;
        if (exitCells == 0 || (area & exitCells) != 0) {
            const TCellSet key = PackState(myTargets, area);
            Insert(key, HashOf(key), StateCount());
        }
    }
    myLayerStart = {0, StateCount()};
}

void TReverseSearch::Run(std::int64_t maxStates, int wantedDepth, int lastDepth)
{
    // Reserving touches no memory yet, and saves copying the states as they grow.
    myStates.reserve(static_cast<std::size_t>(maxStates) + 64);
    myParent.reserve(static_cast<std::size_t>(maxStates) + 64);
    for (int depth = 0;; ++depth) {
        const std::uint32_t end = myLayerStart[depth + 1];
        for (std::uint32_t state = myLayerStart[depth]; state < end; ++state) {
            if (static_cast<std::int64_t>(StateCount()) >= maxStates) {
                myLayerStart.push_back(StateCount());
                return;
            }
            Expand(state);
        }
        if (StateCount() == end) {
            myComplete = true;
            return;
        }
        myLayerStart.push_back(StateCount());
        if (depth + 1 == lastDepth)
            return;
        if (wantedDepth > depth + 1 &&
            static_cast<std::int64_t>(StateCount()) * wantedDepth > maxStates * (depth + 1))
            return;
    }
}

// Each pull: the keeper stands next to a box, steps away from it, and the box follows
// into the cell the keeper left.
void TReverseSearch::Expand(std::uint32_t state)
{
    const TCellSet boxes = Boxes(state);
    const TCellSet reach = KeeperArea(state);
    TSuccessors<MaxSetCells * DirectionCount> successors;
    for (TCellSet left = boxes; left != 0; left &= left - 1) {
        const int box = FirstCell(left);
        for (int d = 0; d < DirectionCount; ++d) {
            const int keeper = myRoom.Next(box, d);
            if (keeper < 0 || !Holds(reach, keeper) || !Holds(myBoxCells, keeper))
                continue;
            const int beyond = myRoom.Next(keeper, d);
            if (beyond < 0 || Holds(boxes, beyond))
                continue;
            const TCellSet moved = boxes ^ CellBit(box) ^ CellBit(keeper);
            successors.Add(PackState(moved, Flood(myFloor & ~moved, beyond)), myIndex);
        }
    }
    for (std::size_t i = 0; i < successors.Count(); ++i)
        Insert(successors.State(i), successors.Hash(i), state);
}

void TReverseSearch::Insert(TCellSet key, std::uint64_t hash, std::uint32_t parent)
{
    if (myIndex.FindOrClaim(myStates, key, hash) < myStates.size())
        return;
    myStates.push_back(key);
    myParent.push_back(parent);
}

} // namespace levelgen
