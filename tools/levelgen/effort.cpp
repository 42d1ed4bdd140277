// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "effort.h"

#include "analysis.h"
#include "cellset.h"
#include "searchpick.h"

#include <algorithm>
#include <array>
#include <climits>
#include <span>

namespace levelgen
{

namespace
{

class TAStar
{
public:
    explicit TAStar(const TPuzzle &puzzle);
    TEffort Run(std::int64_t maxExpanded, std::int64_t maxBelow, TCellSet boxes, int keeper);

private:
    // The bound of a box set, or -1 when some box can reach no target of its own.
    int Bound(TCellSet boxes) const;
    // Whether the box just pushed onto `cell` closes a 2 x 2 block that can never move.
    bool Frozen(TCellSet boxes, int cell) const;
    TCellSet KeyOf(TCellSet boxes, int keeper) const;
    // Reaches `key` at depth `g`: a new state, or a shorter way to one still open.
    void Offer(TCellSet key, std::uint64_t hash, int g, std::uint32_t parent);
    bool TakeNext(std::size_t f, std::uint32_t &index);
    void Expand(std::uint32_t index);
    // Takes the states of layer f in order: true when the search is over, solved or
    // out of its budget of expansions.
    bool SpendLayer(std::size_t f, std::int64_t maxExpanded, TEffort &effort);
    // Writes the solved state's figures and path into `effort`.
    void Solved(std::uint32_t index, TEffort &effort) const;
    std::vector<TPush> PathTo(std::uint32_t index) const;

    const TRoom &myRoom;
    TDistances myDistances;
    TCellSet myFloor;
    TCellSet myTargets;
    std::vector<TCellSet> myNeighbours;
    TCellSet myLive = 0;
    std::vector<TCellSet> myKeys;
    std::vector<std::uint16_t> myDepth;
    std::vector<std::uint16_t> myBound;
    std::vector<char> myClosed;
    std::vector<std::uint32_t> myParent;
    TStateIndex myIndex{std::size_t(1) << 12};
    // [f][g]: the states waiting, a stack per depth.
    std::vector<std::vector<std::vector<std::uint32_t>>> myOpen;
};

TAStar::TAStar(const TPuzzle &puzzle)
    : myRoom(puzzle.Room), myDistances(LoneBoxDistances(puzzle.Room, puzzle.Targets)),
      myFloor(FloorSet(puzzle.Room)), myTargets(SetOf(puzzle.Targets)),
      myNeighbours(NeighbourSets(puzzle.Room))
{
    const std::vector<char> live = LiveCells(myDistances);
    for (int cell = 0; cell < myRoom.FloorCount(); ++cell) {
        if (live[cell])
            myLive |= CellBit(cell);
    }
}

int TAStar::Bound(TCellSet boxes) const
{
    std::array<int, MaxMatchedBoxes> cells;
    std::size_t count = 0;
    for (; boxes != 0; boxes &= boxes - 1)
        cells[count++] = FirstCell(boxes);
    return MatchingBound(myDistances, std::span<const int>(cells.data(), count));
}

bool TAStar::Frozen(TCellSet boxes, int cell) const
{
    const int x = myRoom.X(cell), y = myRoom.Y(cell);
    for (int corner = 0; corner < 4; ++corner) {
        const int left = x - (corner & 1), top = y - (corner >> 1);
        bool closed = true, offTarget = false;
        for (int i = 0; i < 4 && closed; ++i) {
            const int at = myRoom.FloorAt(left + (i & 1), top + (i >> 1));
            if (at < 0)
                continue;
            closed = Holds(boxes, at);
            offTarget = offTarget || (closed && !Holds(myTargets, at));
        }
        if (closed && offTarget)
            return true;
    }
    return false;
}

TCellSet TAStar::KeyOf(TCellSet boxes, int keeper) const
{
    return PackState(boxes, Flood(myNeighbours, myFloor & ~boxes, keeper));
}

void TAStar::Offer(TCellSet key, std::uint64_t hash, int g, std::uint32_t parent)
{
    const std::size_t place = myIndex.FindOrClaim(myKeys, key, hash);
    if (place == myKeys.size()) {
        const int bound = Bound(StateBoxes(key));
        myKeys.push_back(key);
        myDepth.push_back(UINT16_MAX);
        myParent.push_back(parent);
        myBound.push_back(static_cast<std::uint16_t>(bound));
        // A state no pairing can solve is closed at once and never expanded.
        myClosed.push_back(bound < 0);
    }
    const auto index = static_cast<std::uint32_t>(place);
    if (myClosed[index] || g >= myDepth[index])
        return;
    myDepth[index] = static_cast<std::uint16_t>(g);
    myParent[index] = parent;
    const std::size_t f = static_cast<std::size_t>(g) + myBound[index];
    if (myOpen.size() <= f)
        myOpen.resize(f + 1);
    if (myOpen[f].size() <= static_cast<std::size_t>(g))
        myOpen[f].resize(static_cast<std::size_t>(g) + 1);
    myOpen[f][g].push_back(index);
}

// The start is its own parent (index 0).
std::vector<TPush> TAStar::PathTo(std::uint32_t index) const
{
    std::vector<TPush> pushes;
    for (; index != 0; index = myParent[index]) {
        pushes.push_back(
            PushBetween(myRoom, StateBoxes(myKeys[myParent[index]]), StateBoxes(myKeys[index])));
    }
    std::reverse(pushes.begin(), pushes.end());
    return pushes;
}

// The deepest state waiting in layer f, skipping stale entries (states since reached
// nearer, or already expanded); false when the layer is spent.
bool TAStar::TakeNext(std::size_t f, std::uint32_t &index)
{
    std::vector<std::vector<std::uint32_t>> &byDepth = myOpen[f];
    for (;;) {
        while (!byDepth.empty() && byDepth.back().empty())
            byDepth.pop_back();
        if (byDepth.empty())
            return false;
        const auto g = static_cast<std::uint16_t>(byDepth.size() - 1);
        index = byDepth.back().back();
        byDepth.back().pop_back();
        if (!myClosed[index] && myDepth[index] == g) {
            myClosed[index] = 1;
            return true;
        }
    }
}

void TAStar::Expand(std::uint32_t index)
{
    const TCellSet key = myKeys[index];
    const TCellSet current = StateBoxes(key);
    const TCellSet reach = Flood(myNeighbours, myFloor & ~current, StateAreaCell(key));
    TSuccessors<MaxMatchedBoxes * DirectionCount> successors;
    for (TCellSet left = current; left != 0; left &= left - 1) {
        const int box = FirstCell(left);
        for (int d = 0; d < DirectionCount; ++d) {
            const int behind = myRoom.Next(box, Opposite(d));
            const int to = myRoom.Next(box, d);
            if (behind < 0 || to < 0 || !Holds(reach, behind) || Holds(current, to) ||
                !Holds(myLive, to))
                continue;
            const TCellSet moved = current ^ CellBit(box) ^ CellBit(to);
            if (Frozen(moved, to))
                continue;
            successors.Add(KeyOf(moved, box), myIndex);
        }
    }
    for (std::size_t i = 0; i < successors.Count(); ++i)
        Offer(successors.State(i), successors.Hash(i), myDepth[index] + 1, index);
}

// The bound never falls by more than one a push, so it is consistent: the first time
// a state is taken from the open stacks its depth is final, and the layers of f are
// taken in order, so every state of f below the optimum is expanded before the solved
// state is taken.
TEffort TAStar::Run(std::int64_t maxExpanded, std::int64_t maxBelow, TCellSet boxes, int keeper)
{
    TEffort effort;
    const TCellSet start = KeyOf(boxes, keeper);
    Offer(start, HashOf(start), 0, 0);
    for (std::size_t f = 0; f < myOpen.size(); ++f) {
        // Every layer of a lower bound is spent: all its expansions fell below f.
        effort.BelowOptimum = effort.Expanded;
        if (effort.BelowOptimum >= maxBelow || SpendLayer(f, maxExpanded, effort))
            return effort;
    }
    effort.Complete = true; // every reachable state expanded: no solution
    return effort;
}

bool TAStar::SpendLayer(std::size_t f, std::int64_t maxExpanded, TEffort &effort)
{
    for (std::uint32_t index = 0; TakeNext(f, index);) {
        if (StateBoxes(myKeys[index]) == myTargets) {
            Solved(index, effort);
            return true;
        }
        if (effort.Expanded == maxExpanded)
            return true;
        ++effort.Expanded;
        Expand(index);
    }
    // The stacks of this bound are spent; free them before the next.
    std::vector<std::vector<std::uint32_t>>().swap(myOpen[f]);
    return false;
}

void TAStar::Solved(std::uint32_t index, TEffort &effort) const
{
    effort.Pushes = myDepth[index];
    effort.Detour = effort.Pushes - myBound[0];
    effort.Complete = true;
    effort.Solution = PathTo(index);
}

} // namespace

TEffort MeasureEffort(const TPuzzle &puzzle, std::int64_t maxExpanded, std::int64_t maxBelow)
{
    if (puzzle.Boxes.size() > static_cast<std::size_t>(MaxMatchedBoxes) ||
        puzzle.Room.FloorCount() > MaxSetCells)
        return {};
    return TAStar(puzzle).Run(maxExpanded, maxBelow, SetOf(puzzle.Boxes), puzzle.Keeper);
}

} // namespace levelgen
