#include "levelmaker.h"

#include "chambers.h"
#include "levelfinish.h"
#include "roombuilder.h"
#include "searchpick.h"
#include "tutorial.h"

#include <stdexcept>

namespace levelgen
{

namespace
{

// What a world asks of its levels.
struct TWorldPlan {
    int MinBoxes;
    int MaxBoxes;
    int MinPushes;
    int MaxPushes;
    TRoomShape Shape;
    std::int64_t Budget; // states per reverse search
    int StorePercent;    // chance that the targets form one store
    bool RejectGreedy;
};

// Worlds FirstWorld..LastWorld share boxes, room shape and search budget; their push
// windows slide from LowPushes up to HighPushes.
struct TTier {
    int FirstWorld;
    int LastWorld;
    int MinBoxes;
    int MaxBoxes;
    int LowPushes;
    int HighPushes;
    int WindowPercent; // the push window's width, in percent of the range
    TRoomShape Shape;
    std::int64_t Budget;
    int StorePercent;
};

// Room shape: canvas width and height, rectangle sides, notches, pillars, floor range.
// Rooms grow with the box count so that the reverse search still finds deep states.
constexpr TTier Tiers[] = {
    {1, 4, 2, 3, 10, 20, 33, {8, 7, 1, 4, 2, 1, 14, 26}, 100000, 75},
    {5, 9, 3, 4, 20, 30, 33, {9, 8, 1, 4, 2, 2, 20, 32}, 400000, 75},
    {10, 15, 4, 5, 30, 42, 33, {10, 9, 1, 4, 3, 2, 26, 38}, 1000000, 90},
    {16, 21, 5, 7, 40, 55, 40, {11, 10, 1, 4, 3, 3, 30, 44}, 2500000, 100},
    {22, 27, 6, 8, 50, 72, 50, {12, 10, 1, 4, 3, 3, 35, 50}, 2500000, 100},
};

constexpr int RoomAttempts = 2000;
constexpr int TargetSets = 2;
constexpr std::size_t CandidatesKept = 6;
constexpr int FirstGreedyWorld = 5;

// The window spans a part of the tier's range and slides from its bottom in the first
// world to its top in the last.
TWorldPlan PlanOf(int world)
{
    for (const TTier &tier : Tiers) {
        if (world < tier.FirstWorld || world > tier.LastWorld)
            continue;
        const int range = tier.HighPushes - tier.LowPushes;
        const int width = range * tier.WindowPercent / 100;
        const int low = tier.LowPushes + (range - width) * (world - tier.FirstWorld) /
                                             (tier.LastWorld - tier.FirstWorld);
        return {tier.MinBoxes,
                tier.MaxBoxes,
                low,
                low + width,
                tier.Shape,
                tier.Budget,
                tier.StorePercent,
                world >= FirstGreedyWorld};
    }
    throw std::logic_error("no plan for this world");
}

TPuzzle StartOf(TPrng &rng, const TReverseSearch &search, const TRoom &room,
                const std::vector<int> &targets, std::uint32_t state)
{
    const std::vector<int> area = CellsOf(search.KeeperArea(state));
    return {room, CellsOf(search.Boxes(state)), targets, PickKeeper(rng, area, targets)};
}

TMadeLevel TryTargets(TPrng &rng, const TRoom &room, int boxes, const TWorldPlan &plan,
                      std::int64_t &states)
{
    const std::vector<int> targets =
        PlaceTargets(rng, room, boxes, ~TCellSet(0), plan.StorePercent);
    if (targets.empty())
        return {};
    TReverseSearch search(room, SetOf(targets), ~TCellSet(0), 0);
    search.Run(plan.Budget, plan.MinPushes);
    states += search.StateCount();
    const TFinishRules rules{plan.RejectGreedy, true, true, true};
    for (const TCandidate &candidate : BestCandidates(search, room, SetOf(targets), plan.MinPushes,
                                                      plan.MaxPushes, CandidatesKept, {})) {
        const TPuzzle start = StartOf(rng, search, room, targets, candidate.State);
        TMadeLevel made = FinishLevel(start, PushesFrom(search, room, candidate.State), rules);
        if (!made.Rows.empty())
            return made;
    }
    return {};
}

TMadeLevel MakeRoomLevel(TPrng &rng, int world)
{
    const TWorldPlan plan = PlanOf(world);
    std::int64_t states = 0;
    for (int attempt = 0; attempt < RoomAttempts; ++attempt) {
        const TRoom room = BuildRoom(rng, plan.Shape);
        if (room.FloorCount() == 0 || room.FloorCount() > MaxSetCells)
            continue;
        const int boxes = rng.Between(plan.MinBoxes, plan.MaxBoxes);
        for (int set = 0; set < TargetSets; ++set) {
            TMadeLevel made = TryTargets(rng, room, boxes, plan, states);
            if (!made.Rows.empty()) {
                made.StatesSearched = states;
                return made;
            }
        }
    }
    throw std::runtime_error("no level found within the attempts allowed");
}

} // namespace

int WorldOf(int number)
{
    return number <= TutorialCount ? 0 : (number - TutorialCount - 1) / 10 + 1;
}

TMadeLevel MakeLevel(std::uint64_t masterSeed, int number, int salt)
{
    TPrng rng(LevelSeed(masterSeed, number, salt));
    if (number <= TutorialCount)
        return MakeTutorialLevel(rng, number);
    if (number == WideLevel || number == TallLevel)
        return MakeChamberLevel(rng, number == WideLevel);
    return MakeRoomLevel(rng, WorldOf(number));
}

} // namespace levelgen
