// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "searchpick.h"

#include <algorithm>
#include <climits>

namespace levelgen
{

namespace
{

constexpr std::size_t SamplesPerLayer = 1500;

// Cells a lone box can be pulled at least two pushes away from.
std::vector<int> TargetCells(const TRoom &room, TCellSet allowed)
{
    std::vector<int> cells;
    for (int cell = 0; cell < room.FloorCount(); ++cell) {
        if (!Holds(allowed, cell))
            continue;
        const std::vector<int> reach = LoneBoxDistances(room, {cell})[0];
        if (*std::max_element(reach.begin(), reach.end()) >= 2)
            cells.push_back(cell);
    }
    return cells;
}

std::vector<int> WalkDistances(const TRoom &room, int from)
{
    std::vector<int> distance(room.FloorCount(), -1);
    std::vector<int> queue{from};
    distance[from] = 0;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        for (int d = 0; d < DirectionCount; ++d) {
            const int next = room.Next(queue[i], d);
            if (next >= 0 && distance[next] < 0) {
                distance[next] = distance[queue[i]] + 1;
                queue.push_back(next);
            }
        }
    }
    return distance;
}

// Pushes, box changes, box lines, and the detour over the matching bound: the more a
// solution winds and switches boxes beyond what the distances ask, the better.
int Score(const TSolutionShape &shape, int bound, int detourWeight)
{
    return shape.Pushes + 2 * shape.BoxChanges + shape.BoxLines +
           detourWeight * (shape.Pushes - bound);
}

struct TPull {
    int Box, To, Keeper;
};

// A walk of pulls through a room: the boxes, those of them that may be pulled (followed
// as they move), and the keeper.
class TPullWalk
{
public:
    TPullWalk(const TPuzzle &from, TCellSet pullable);
    // On a cell drawn at random in the keeper's area around `cell` (any free cell when
    // cell < 0), one from which he can pull something when there is one.
    void PlaceKeeper(TPrng &rng, int cell);
    // One pull drawn at random; false when none is left.
    bool Step(TPrng &rng);
    bool PulledOnTarget() const { return (myPullable & myTargets) != 0; }
    TPuzzle Start() const;

private:
    std::vector<TPull> Choices(TCellSet boxes, TCellSet pullable, int keeper) const;
    bool PullAmong(TPrng &rng, std::vector<TPull> options);

    const TPuzzle &myFrom;
    std::vector<TCellSet> myNeighbours;
    TCellSet myFloor;
    TCellSet myTargets;
    std::vector<int> myNearest; // per cell, the pushes a lone box needs to some target
    TCellSet myBoxes;
    TCellSet myPullable;
    int myKeeper = -1;
};

TPullWalk::TPullWalk(const TPuzzle &from, TCellSet pullable)
    : myFrom(from), myNeighbours(NeighbourSets(from.Room)), myFloor(FloorSet(from.Room)),
      myTargets(SetOf(from.Targets)), myNearest(from.Room.FloorCount(), INT_MAX),
      myBoxes(SetOf(from.Boxes)), myPullable(pullable)
{
    for (const std::vector<int> &distance : LoneBoxDistances(from.Room, from.Targets)) {
        for (int cell = 0; cell < from.Room.FloorCount(); ++cell) {
            if (distance[cell] >= 0)
                myNearest[cell] = std::min(myNearest[cell], distance[cell]);
        }
    }
}

void TPullWalk::PlaceKeeper(TPrng &rng, int cell)
{
    std::vector<int> free =
        CellsOf(cell < 0 ? myFloor & ~myBoxes : Flood(myNeighbours, myFloor & ~myBoxes, cell));
    rng.Shuffle(free);
    const auto firstPull = std::find_if(free.begin(), free.end(), [&](int at) {
        return !Choices(myBoxes, myPullable, at).empty();
    });
    myKeeper = firstPull == free.end() ? free[0] : *firstPull;
}

std::vector<TPull> TPullWalk::Choices(TCellSet boxes, TCellSet pullable, int keeper) const
{
    std::vector<TPull> found;
    const TCellSet reach = Flood(myNeighbours, myFloor & ~boxes, keeper);
    for (TCellSet left = pullable; left != 0; left &= left - 1) {
        const int box = FirstCell(left);
        for (int d = 0; d < DirectionCount; ++d) {
            const int to = myFrom.Room.Next(box, d);
            const int beyond = to < 0 ? -1 : myFrom.Room.Next(to, d);
            if (beyond >= 0 && Holds(reach, to) && !Holds(boxes, beyond))
                found.push_back({.Box = box, .To = to, .Keeper = beyond});
        }
    }
    return found;
}

// A pull after which the keeper could pull nothing more is drawn again.
bool TPullWalk::PullAmong(TPrng &rng, std::vector<TPull> options)
{
    while (!options.empty()) {
        const std::size_t pick = rng.Below(static_cast<std::uint32_t>(options.size()));
        const TPull pull = options[pick];
        const TCellSet moved = CellBit(pull.Box) | CellBit(pull.To);
        if (!Choices(myBoxes ^ moved, myPullable ^ moved, pull.Keeper).empty()) {
            myBoxes ^= moved;
            myPullable ^= moved;
            myKeeper = pull.Keeper;
            return true;
        }
        options.erase(options.begin() + static_cast<std::ptrdiff_t>(pick));
    }
    return false;
}

// A pull that takes a box further from every target is drawn three times in four, so
// that the boxes spread instead of shuffling about the store.
bool TPullWalk::Step(TPrng &rng)
{
    const std::vector<TPull> any = Choices(myBoxes, myPullable, myKeeper);
    std::vector<TPull> outward;
    for (const TPull &pull : any) {
        if (myNearest[pull.To] > myNearest[pull.Box])
            outward.push_back(pull);
    }
    return (!outward.empty() && rng.Percent(75) && PullAmong(rng, outward)) || PullAmong(rng, any);
}

TPuzzle TPullWalk::Start() const
{
    return {.Room = myFrom.Room,
            .Boxes = CellsOf(myBoxes),
            .Targets = myFrom.Targets,
            .Keeper = myKeeper};
}

} // namespace

// A store far out makes the boxes travel across the room.
std::vector<int> PlaceTargets(TPrng &rng, const TRoom &room, int count, TCellSet allowed,
                              int storePercent)
{
    std::vector<int> cells = TargetCells(room, allowed);
    if (static_cast<int>(cells.size()) < count)
        return {};
    rng.Shuffle(cells);
    if (rng.Percent(storePercent)) {
        const std::vector<int> fromAny = WalkDistances(room, cells[0]);
        const int far = static_cast<int>(
            std::max_element(cells.begin(), cells.end(),
                             [&](int a, int b) { return fromAny[a] < fromAny[b]; }) -
            cells.begin());
        const std::vector<int> distance = WalkDistances(room, cells[far]);
        std::stable_sort(cells.begin(), cells.end(),
                         [&](int a, int b) { return distance[a] < distance[b]; });
    }
    cells.resize(count);
    std::sort(cells.begin(), cells.end());
    return cells;
}

int PickKeeper(TPrng &rng, const std::vector<int> &area, const std::vector<int> &targets)
{
    std::vector<int> free;
    for (const int cell : area) {
        if (std::find(targets.begin(), targets.end(), cell) == targets.end())
            free.push_back(cell);
    }
    const std::vector<int> &from = free.empty() ? area : free;
    return from[rng.Below(static_cast<std::uint32_t>(from.size()))];
}

std::vector<TPush> PushesFrom(const TReverseSearch &search, const TRoom &room, std::uint32_t state)
{
    std::vector<TPush> pushes;
    for (std::uint32_t s = state; search.Parent(s) != s; s = search.Parent(s)) {
        pushes.push_back(PushBetween(room, search.Boxes(s), search.Boxes(search.Parent(s))));
    }
    return pushes;
}

TPuzzle PulledStart(TPrng &rng, const TPuzzle &from, TCellSet pullable, int pulls)
{
    TPullWalk walk(from, pullable);
    walk.PlaceKeeper(rng, from.Keeper);
    for (int i = 0; i < 4 * pulls && (i < pulls || walk.PulledOnTarget()); ++i) {
        if (!walk.Step(rng))
            break;
    }
    return walk.Start();
}

std::vector<TCandidate> BestCandidates(const TReverseSearch &search, const TRoom &room,
                                       TCellSet targets, int minPushes, int maxPushes,
                                       std::size_t kept, const TStateFilter &accept,
                                       int detourWeight)
{
    const TDistances distances = LoneBoxDistances(room, CellsOf(targets));
    std::vector<TCandidate> best;
    for (int depth = std::min(maxPushes, search.MaxDepth()); depth >= minPushes; --depth) {
        const std::uint32_t first = search.LayerStart(depth);
        const std::uint32_t size = search.LayerStart(depth + 1) - first;
        const std::uint32_t stride = std::max<std::uint32_t>(1, size / SamplesPerLayer);
        for (std::uint32_t state = first; state < first + size; state += stride) {
            if ((search.Boxes(state) & targets) != 0)
                continue;
            const std::vector<TPush> pushes = PushesFrom(search, room, state);
            if (accept && !accept(state, pushes))
                continue;
            const int bound = MatchingBound(distances, CellsOf(search.Boxes(state)));
            best.push_back(
                {.State = state, .Score = Score(ShapeOf(room, pushes), bound, detourWeight)});
        }
    }
    std::stable_sort(best.begin(), best.end(),
                     [](const TCandidate &a, const TCandidate &b) { return a.Score > b.Score; });
    if (best.size() > kept)
        best.resize(kept);
    return best;
}

} // namespace levelgen
