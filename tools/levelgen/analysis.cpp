// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis.h"

#include <algorithm>
#include <array>
#include <climits>
#include <stdexcept>

namespace levelgen
{

namespace
{

std::vector<int> DistancesTo(const TRoom &room, int target)
{
    std::vector<int> distance(room.FloorCount(), -1);
    std::vector<int> queue{target};
    distance[target] = 0;
    // Played backwards: the box on `box` came from `from`, pushed by a keeper on `behind`.
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const int box = queue[i];
        for (int d = 0; d < DirectionCount; ++d) {
            const int from = room.Next(box, d);
            const int behind = from < 0 ? -1 : room.Next(from, d);
            if (behind < 0 || distance[from] >= 0)
                continue;
            distance[from] = distance[box] + 1;
            queue.push_back(from);
        }
    }
    return distance;
}

// The nearest free target for one box, the others standing still: pushes, target, and
// the cell the keeper ends on. Pushes is INT_MAX when no target can be reached.
struct TGreedyMove {
    int Pushes = INT_MAX;
    int Target = -1;
    int KeeperEnd = -1;
};

// `others`: the boxes that stand still.
TGreedyMove NearestTarget(const TRoom &room, const std::vector<TCellSet> &neighbours,
                          TCellSet others, int box, int keeper, TCellSet freeTargets)
{
    const int cells = room.FloorCount();
    const TCellSet floor = FloorSet(room);
    std::vector<int> seen(static_cast<std::size_t>(cells * cells), -1);

    struct TNode {
        int Box, Keeper, Pushes;
    };

    std::vector<TNode> queue{{.Box = box, .Keeper = keeper, .Pushes = 0}};
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const TNode node = queue[i];
        if (Holds(freeTargets, node.Box) && node.Pushes > 0)
            return {.Pushes = node.Pushes, .Target = node.Box, .KeeperEnd = node.Keeper};
        const TCellSet area = Flood(neighbours, floor & ~(others | CellBit(node.Box)), node.Keeper);
        for (int d = 0; d < DirectionCount; ++d) {
            const int behind = room.Next(node.Box, Opposite(d));
            const int to = room.Next(node.Box, d);
            if (behind < 0 || !Holds(area, behind) || to < 0 || Holds(others, to))
                continue;
            const int name =
                FirstCell(Flood(neighbours, floor & ~(others | CellBit(to)), node.Box));
            int &mark = seen[static_cast<std::size_t>(to) * static_cast<std::size_t>(cells) +
                             static_cast<std::size_t>(name)];
            if (mark < 0) {
                mark = node.Pushes + 1;
                queue.push_back({.Box = to, .Keeper = node.Box, .Pushes = node.Pushes + 1});
            }
        }
    }
    return {};
}

// A pairing cost that marks a box that can never reach that target: more than any
// total of real distances.
constexpr int Unreachable = 1 << 14;

using TCostTable = std::array<std::array<int, MaxMatchedBoxes>, MaxMatchedBoxes>;

// The least-cost perfect matching of an n x n cost table by the Hungarian method with
// potentials, rows and columns counted from 1 as the method is usually written. Its
// time grows as n^3, where a table over the subsets of boxes would double with each box.
class TMatching
{
public:
    TMatching(int n, const TCostTable &cost) : myN(n), myCost(cost) {}

    int Least()
    {
        for (int row = 1; row <= myN; ++row)
            AddRow(row);
        return -myV[0];
    }

private:
    using TLine = std::array<int, MaxMatchedBoxes + 1>;

    // Matches `row`, the rows before it moving along the cheapest augmenting path.
    void AddRow(int row)
    {
        myMatch[0] = row;
        TLine least;
        least.fill(INT_MAX);
        std::array<bool, MaxMatchedBoxes + 1> used{};
        int column = 0;
        do
            column = Grow(column, least, used);
        while (myMatch[column] != 0);
        for (; column != 0; column = myWay[column])
            myMatch[column] = myMatch[myWay[column]];
    }

    // Takes `column` into the tree, moves the potentials by the least reduced cost out
    // of it, and returns the column reached at that cost.
    int Grow(int column, TLine &least, std::array<bool, MaxMatchedBoxes + 1> &used)
    {
        used[column] = true;
        const int at = myMatch[column];
        int delta = INT_MAX, nextColumn = 0;
        for (int j = 1; j <= myN; ++j) {
            if (used[j])
                continue;
            const int reduced = myCost[at - 1][j - 1] - myU[at] - myV[j];
            if (reduced < least[j]) {
                least[j] = reduced;
                myWay[j] = column;
            }
            if (least[j] < delta) {
                delta = least[j];
                nextColumn = j;
            }
        }
        for (int j = 0; j <= myN; ++j) {
            if (used[j]) {
                myU[myMatch[j]] += delta;
                myV[j] -= delta;
            } else {
                least[j] -= delta;
            }
        }
        return nextColumn;
    }

    int myN;
    const TCostTable &myCost;
    TLine myU{}, myV{}, myMatch{}, myWay{};
};

} // namespace

TDistances LoneBoxDistances(const TRoom &room, const std::vector<int> &targets)
{
    TDistances distances;
    for (const int target : targets)
        distances.push_back(DistancesTo(room, target));
    return distances;
}

std::vector<char> LiveCells(const TDistances &distances)
{
    std::vector<char> live(distances.empty() ? 0 : distances[0].size(), 0);
    for (const std::vector<int> &distance : distances) {
        for (std::size_t cell = 0; cell < live.size(); ++cell)
            live[cell] = live[cell] || distance[cell] >= 0;
    }
    return live;
}

int MatchingBound(const TDistances &distances, std::span<const int> boxes)
{
    if (boxes.size() > static_cast<std::size_t>(MaxMatchedBoxes))
        throw std::invalid_argument("more boxes than the matching bound takes");
    const int count = static_cast<int>(boxes.size());
    TCostTable cost{};
    for (int box = 0; box < count; ++box) {
        for (int target = 0; target < count; ++target) {
            const int d = distances[target][boxes[box]];
            cost[box][target] = d < 0 ? Unreachable : d;
        }
    }
    const int bound = TMatching(count, cost).Least();
    return bound >= Unreachable ? -1 : bound;
}

TPush PushBetween(const TRoom &room, TCellSet before, TCellSet after)
{
    const int from = FirstCell(before & ~after);
    const int to = FirstCell(after & ~before);
    int direction = 0;
    while (room.Next(from, direction) != to)
        ++direction;
    return {.From = from, .Direction = direction};
}

TSolutionShape ShapeOf(const TRoom &room, const std::vector<TPush> &pushes)
{
    TSolutionShape shape;
    shape.Pushes = static_cast<int>(pushes.size());
    for (std::size_t i = 0; i < pushes.size(); ++i) {
        const bool sameBox =
            i > 0 && pushes[i].From == room.Next(pushes[i - 1].From, pushes[i - 1].Direction);
        shape.BoxChanges += i > 0 && !sameBox;
        shape.BoxLines += !sameBox || pushes[i].Direction != pushes[i - 1].Direction;
    }
    return shape;
}

bool GreedySolves(const TPuzzle &puzzle)
{
    const TRoom &room = puzzle.Room;
    const std::vector<TCellSet> neighbours = NeighbourSets(room);
    TCellSet occupied = SetOf(puzzle.Boxes);
    TCellSet freeTargets = SetOf(puzzle.Targets) & ~occupied;
    std::vector<int> boxes = puzzle.Boxes;
    int keeper = puzzle.Keeper;
    for (;;) {
        TGreedyMove best;
        std::size_t chosen = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (std::find(puzzle.Targets.begin(), puzzle.Targets.end(), boxes[i]) !=
                puzzle.Targets.end())
                continue;
            const TGreedyMove move = NearestTarget(room, neighbours, occupied & ~CellBit(boxes[i]),
                                                   boxes[i], keeper, freeTargets);
            if (move.Pushes < best.Pushes) {
                best = move;
                chosen = i;
            }
        }
        if (best.Target < 0)
            return freeTargets == 0;
        occupied ^= CellBit(boxes[chosen]) | CellBit(best.Target);
        freeTargets &= ~CellBit(best.Target);
        boxes[chosen] = best.Target;
        keeper = best.KeeperEnd;
    }
}

} // namespace levelgen
