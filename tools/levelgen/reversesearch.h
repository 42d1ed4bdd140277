// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cellset.h"
#include "room.h"

#include <cstdint>
#include <vector>

namespace levelgen
{

// Breadth-first search over pulls, starting from the solved position with the keeper
// in each of its areas. A pull is a push played backwards, so every state reached is
// solvable, and because the layers are taken whole and in order, the depth of a state
// is the exact least number of pushes that solves it. That holds for every stored
// state even when the search stops early at its budget.
//
// A state is the set of box cells and the keeper's area, packed by PackState.
class TReverseSearch
{
public:
    // room.FloorCount() <= MaxSetCells. Boxes are never pulled onto cells outside
    // `boxCells`. When `exitCells` is not empty, only the solved states whose keeper
    // area holds one of those cells are starts.
    TReverseSearch(const TRoom &room, TCellSet targets, TCellSet boxCells, TCellSet exitCells);

    // Expands states in breadth-first order until none is left or `maxStates` are stored.
    // With a `wantedDepth`, the budget is paced: a search that has used more of it than
    // its depth's share of wantedDepth is stopped at the end of a layer, for such a
    // search is flooding a wide space and would run out long before the depth wanted.
    // With a `lastDepth`, the search ends once that layer is whole.
    void Run(std::int64_t maxStates, int wantedDepth = 0, int lastDepth = 0);

    bool Complete() const { return myComplete; }
    std::uint32_t StateCount() const { return static_cast<std::uint32_t>(myStates.size()); }
    // Depths run from 0 (solved) to MaxDepth(); states are stored by depth, those of
    // depth d in LayerStart(d)..LayerStart(d + 1) - 1.
    int MaxDepth() const { return static_cast<int>(myLayerStart.size()) - 2; }
    std::uint32_t LayerStart(int depth) const { return myLayerStart[depth]; }
    TCellSet Boxes(std::uint32_t state) const { return StateBoxes(myStates[state]); }

    // Smallest floor cell of the keeper's area.
    int KeeperCell(std::uint32_t state) const { return StateAreaCell(myStates[state]); }

    TCellSet KeeperArea(std::uint32_t state) const;
    // The state one push nearer the solution; a start is its own parent.
    std::uint32_t Parent(std::uint32_t state) const { return myParent[state]; }

private:
    // The cells the keeper reaches from `start` through `open` cells.
    TCellSet Flood(TCellSet open, int start) const;
    void AddStarts(TCellSet exitCells);
    void Expand(std::uint32_t state);
    void Insert(TCellSet key, std::uint64_t hash, std::uint32_t parent);

    const TRoom &myRoom;
    TCellSet myFloor;
    TCellSet myTargets;
    TCellSet myBoxCells;
    std::vector<TCellSet> myNeighbours;
    std::vector<TCellSet> myStates;
    std::vector<std::uint32_t> myParent;
    std::vector<std::uint32_t> myLayerStart;
    TStateIndex myIndex{1024};
    bool myComplete = false;
};

} // namespace levelgen
