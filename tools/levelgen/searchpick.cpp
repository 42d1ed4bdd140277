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

} // namespace

std::vector<int> CellsOf(TCellSet set)
{
    std::vector<int> cells;
    for (; set != 0; set &= set - 1)
        cells.push_back(FirstCell(set));
    return cells;
}

TCellSet SetOf(const std::vector<int> &cells)
{
    TCellSet set = 0;
    for (const int cell : cells)
        set |= CellBit(cell);
    return set;
}

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
        const std::uint32_t nearer = search.Parent(s);
        const int from = FirstCell(search.Boxes(s) & ~search.Boxes(nearer));
        const int to = FirstCell(search.Boxes(nearer) & ~search.Boxes(s));
        int direction = 0;
        while (room.Next(from, direction) != to)
            ++direction;
        pushes.push_back({.From = from, .Direction = direction});
    }
    return pushes;
}

TPuzzle PulledStart(TPrng &rng, const TRoom &room, const std::vector<int> &targets, int pulls)
{
    const std::vector<TCellSet> neighbours = NeighbourSets(room);
    const TCellSet floor = FloorSet(room);
    // A pull that takes a box further from every target is drawn most of the time, so
    // that the boxes spread instead of shuffling about the store.
    const TDistances distances = LoneBoxDistances(room, targets);
    const auto nearest = [&](int cell) {
        int best = INT_MAX;
        for (const std::vector<int> &distance : distances)
            best = distance[cell] >= 0 ? std::min(best, distance[cell]) : best;
        return best;
    };
    struct TPull {
        int Box, To, Keeper;
    };
    const auto choices = [&](TCellSet boxes, int keeper) {
        std::vector<TPull> found;
        const TCellSet reach = Flood(neighbours, floor & ~boxes, keeper);
        for (TCellSet left = boxes; left != 0; left &= left - 1) {
            const int box = FirstCell(left);
            for (int d = 0; d < DirectionCount; ++d) {
                const int to = room.Next(box, d);
                const int beyond = to < 0 ? -1 : room.Next(to, d);
                if (beyond >= 0 && Holds(reach, to) && !Holds(boxes, beyond))
                    found.push_back({.Box = box, .To = to, .Keeper = beyond});
            }
        }
        return found;
    };
    const TCellSet targetSet = SetOf(targets);
    TCellSet boxes = targetSet;
    // The keeper starts where he can pull something.
    std::vector<int> free = CellsOf(floor & ~boxes);
    rng.Shuffle(free);
    const auto firstPull = std::find_if(free.begin(), free.end(),
                                        [&](int cell) { return !choices(boxes, cell).empty(); });
    int keeper = firstPull == free.end() ? free[0] : *firstPull;
    for (int i = 0; i < 4 * pulls && (i < pulls || (boxes & targetSet) != 0); ++i) {
        std::vector<TPull> any = choices(boxes, keeper), outward;
        for (const TPull &pull : any) {
            if (nearest(pull.To) > nearest(pull.Box))
                outward.push_back(pull);
        }
        // A pull after which the keeper could pull nothing more is drawn again.
        const auto pullAmong = [&](std::vector<TPull> options) {
            while (!options.empty()) {
                const std::size_t pick = rng.Below(static_cast<std::uint32_t>(options.size()));
                const TPull pull = options[pick];
                const TCellSet next = boxes ^ CellBit(pull.Box) ^ CellBit(pull.To);
                if (!choices(next, pull.Keeper).empty()) {
                    boxes = next;
                    keeper = pull.Keeper;
                    return true;
                }
                options.erase(options.begin() + static_cast<std::ptrdiff_t>(pick));
            }
            return false;
        };
        const bool moved =
            (!outward.empty() && rng.Percent(75) && pullAmong(outward)) || pullAmong(any);
        if (!moved)
            break;
    }
    return {.Room = room, .Boxes = CellsOf(boxes), .Targets = targets, .Keeper = keeper};
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
