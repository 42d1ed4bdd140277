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
    int StorePercent;
    std::int64_t Budget;
};

// Rooms grow with the box count so that the reverse search still finds deep states.
constexpr TTier Tiers[] = {
    {.FirstWorld = 1,
     .LastWorld = 4,
     .MinBoxes = 2,
     .MaxBoxes = 3,
     .LowPushes = 10,
     .HighPushes = 20,
     .WindowPercent = 33,
     .Shape = {.CanvasWidth = 8,
               .CanvasHeight = 7,
               .MinSide = 1,
               .MaxSide = 4,
               .Notches = 2,
               .Pillars = 1,
               .MinFloor = 14,
               .MaxFloor = 26},
     .StorePercent = 75,
     .Budget = 100'000},
    {.FirstWorld = 5,
     .LastWorld = 9,
     .MinBoxes = 3,
     .MaxBoxes = 4,
     .LowPushes = 20,
     .HighPushes = 30,
     .WindowPercent = 33,
     .Shape = {.CanvasWidth = 9,
               .CanvasHeight = 8,
               .MinSide = 1,
               .MaxSide = 4,
               .Notches = 2,
               .Pillars = 2,
               .MinFloor = 20,
               .MaxFloor = 32},
     .StorePercent = 75,
     .Budget = 400'000},
    {.FirstWorld = 10,
     .LastWorld = 15,
     .MinBoxes = 4,
     .MaxBoxes = 5,
     .LowPushes = 30,
     .HighPushes = 42,
     .WindowPercent = 33,
     .Shape = {.CanvasWidth = 10,
               .CanvasHeight = 9,
               .MinSide = 1,
               .MaxSide = 4,
               .Notches = 3,
               .Pillars = 2,
               .MinFloor = 26,
               .MaxFloor = 38},
     .StorePercent = 90,
     .Budget = 1'000'000},
    {.FirstWorld = 16,
     .LastWorld = 21,
     .MinBoxes = 5,
     .MaxBoxes = 7,
     .LowPushes = 40,
     .HighPushes = 55,
     .WindowPercent = 40,
     .Shape = {.CanvasWidth = 11,
               .CanvasHeight = 10,
               .MinSide = 1,
               .MaxSide = 4,
               .Notches = 3,
               .Pillars = 3,
               .MinFloor = 30,
               .MaxFloor = 44},
     .StorePercent = 100,
     .Budget = 2'500'000},
    {.FirstWorld = 22,
     .LastWorld = 27,
     .MinBoxes = 6,
     .MaxBoxes = 8,
     .LowPushes = 50,
     .HighPushes = 72,
     .WindowPercent = 50,
     .Shape = {.CanvasWidth = 12,
               .CanvasHeight = 10,
               .MinSide = 1,
               .MaxSide = 4,
               .Notches = 3,
               .Pillars = 3,
               .MinFloor = 35,
               .MaxFloor = 50},
     .StorePercent = 100,
     .Budget = 2'500'000},
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
        return {.MinBoxes = tier.MinBoxes,
                .MaxBoxes = tier.MaxBoxes,
                .MinPushes = low,
                .MaxPushes = low + width,
                .Shape = tier.Shape,
                .Budget = tier.Budget,
                .StorePercent = tier.StorePercent,
                .RejectGreedy = world >= FirstGreedyWorld};
    }
    throw std::logic_error("no plan for this world");
}

TPuzzle StartOf(TPrng &rng, const TReverseSearch &search, const TRoom &room,
                const std::vector<int> &targets, std::uint32_t state)
{
    const std::vector<int> area = CellsOf(search.KeeperArea(state));
    return {.Room = room,
            .Boxes = CellsOf(search.Boxes(state)),
            .Targets = targets,
            .Keeper = PickKeeper(rng, area, targets)};
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
    const TFinishRules rules{
        .RejectGreedy = plan.RejectGreedy, .Trim = true, .RequireReturn = true, .LimitFloor = true};
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
