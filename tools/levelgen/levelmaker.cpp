// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "levelmaker.h"

#include "chambers.h"
#include "effort.h"
#include "levelfinish.h"
#include "roombuilder.h"
#include "searchpick.h"
#include "tutorial.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

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
    // The planner's effort a level must take (see effort.h): at least MinEffort
    // states, fewer than MaxEffort; no band when MinEffort is 0.
    std::int64_t MinEffort = 0;
    std::int64_t MaxEffort = 0;
    int DetourWeight = 3;
    bool Pulled = false; // starts from random pulls (TryPulledStarts)
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
    std::int64_t Budget; // of the reverse search; none when Pulled
    bool Pulled = false;
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
     .LastWorld = 19,
     .MinBoxes = 5,
     .MaxBoxes = 7,
     .LowPushes = 40,
     .HighPushes = 52,
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
    // Rooms past the reach of a whole reverse search: starts from random pulls.
    {.FirstWorld = 20,
     .LastWorld = 23,
     .MinBoxes = 7,
     .MaxBoxes = 8,
     .LowPushes = 40,
     .HighPushes = 48,
     .WindowPercent = 0,
     .Shape = {.CanvasWidth = 24,
               .CanvasHeight = 13,
               .MinSide = 2,
               .MaxSide = 4,
               .Notches = 4,
               .Pillars = 5,
               .MinFloor = 56,
               .MaxFloor = 72,
               .EdgePercent = 70},
     .StorePercent = 100,
     .Budget = 0,
     .Pulled = true},
    {.FirstWorld = 24,
     .LastWorld = 27,
     .MinBoxes = 8,
     .MaxBoxes = 9,
     .LowPushes = 46,
     .HighPushes = 56,
     .WindowPercent = 0,
     .Shape = {.CanvasWidth = 20,
               .CanvasHeight = 15,
               .MinSide = 2,
               .MaxSide = 5,
               .Notches = 4,
               .Pillars = 5,
               .MinFloor = 56,
               .MaxFloor = 74,
               .EdgePercent = 50},
     .StorePercent = 100,
     .Budget = 0,
     .Pulled = true},
};

constexpr int RoomAttempts = 2000;
constexpr int TargetSets = 2;
constexpr std::size_t CandidatesKept = 6;
constexpr int FirstGreedyWorld = 5;

// From world FirstBandWorld on, a level must take the planner at least its world's
// floor. The first BandedPlaces levels of a world must also take less than the next
// world's floor, so that more than half of each world stands below every level of the
// next and the medians climb; the last entry closes the last world's band.
constexpr int FirstBandWorld = 16;
constexpr int BandedPlaces = 6;
// The harder half of a world may reach this many worlds' floors further.
constexpr std::size_t HarderHalfReach = 3;
constexpr std::int64_t EffortFloors[] = {3'000,   5'000,   8'000,    12'000,  18'000,
                                         28'000,  45'000,  75'000,   120'000, 205'000,
                                         320'000, 510'000, 1'500'000};
// The closing levels of the last worlds are the hardest of all.
constexpr int FirstPeakWorld = 22;
constexpr int LastWorld = 27;
constexpr std::int64_t PeakEffort = 2'000'000;
constexpr int TallPlaces = 3;
constexpr int LastTallWorld = 26;
constexpr int TallHeight = 15;
// Where the planner gives up on a peak.
constexpr std::int64_t EffortCeiling = 6'000'000;
// Starts drawn by random pulls per target set, and how many pulls make one.
constexpr int PulledWalks = 6;
constexpr int MinPulls = 30;
constexpr int MaxPulls = 90;
constexpr std::size_t CandidatesMeasured = 24;
constexpr std::size_t TriageStarts = 3;
constexpr std::int64_t TriageShortfall = 8;
// The planner's effort grows with the detour above all, so a banded world looks for it.
constexpr int BandDetourWeight = 12;
// The most states the planner may take on a level made without a band.
constexpr std::int64_t EffortBudget = 4'000'000;

bool IsPeak(int world, int place)
{
    const int firstPlace = world == FirstPeakWorld ? 10 : world == LastWorld ? 8 : 9;
    return world >= FirstPeakWorld && place >= firstPlace;
}

// The window spans a part of the tier's range and slides from its bottom in the first
// world to its top in the last.
TWorldPlan PlanOf(int world, int place)
{
    for (const TTier &tier : Tiers) {
        if (world < tier.FirstWorld || world > tier.LastWorld)
            continue;
        const int range = tier.HighPushes - tier.LowPushes;
        const int width = range * tier.WindowPercent / 100;
        const int low = tier.LowPushes + (range - width) * (world - tier.FirstWorld) /
                                             std::max(1, tier.LastWorld - tier.FirstWorld);
        TWorldPlan plan{.MinBoxes = tier.MinBoxes,
                        .MaxBoxes = tier.MaxBoxes,
                        .MinPushes = low,
                        .MaxPushes = low + width,
                        .Shape = tier.Shape,
                        .Budget = tier.Budget,
                        .StorePercent = tier.StorePercent,
                        .RejectGreedy = world >= FirstGreedyWorld,
                        .Pulled = tier.Pulled};
        if (world >= FirstBandWorld) {
            plan.MinEffort = EffortFloors[world - FirstBandWorld];
            const int band = world - FirstBandWorld;
            plan.MaxEffort = EffortFloors[std::min<std::size_t>(
                band + (place <= BandedPlaces ? 1 : HarderHalfReach), std::size(EffortFloors) - 1)];
        }
        // A pulled world opens with tall rooms, taller than the play window shows
        // until its frame is stretched.
        if (tier.Pulled && place <= TallPlaces && world <= LastTallWorld) {
            std::swap(plan.Shape.CanvasWidth, plan.Shape.CanvasHeight);
            plan.Shape.MinHeight = TallHeight;
        }
        if (IsPeak(world, place)) {
            plan.MinEffort = PeakEffort;
            plan.MaxEffort = EffortCeiling;
        }
        if (plan.MinEffort > 0)
            plan.DetourWeight = BandDetourWeight;
        return plan;
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
    search.Run(plan.Budget, plan.MinPushes, plan.MaxPushes);
    states += search.StateCount();
    const TFinishRules rules{
        .RejectGreedy = plan.RejectGreedy, .Trim = true, .RequireReturn = true, .LimitFloor = true};
    const std::size_t kept = plan.MinEffort > 0 ? CandidatesMeasured : CandidatesKept;
    std::set<std::vector<std::string>> measured;
    std::int64_t hardest = 0;
    for (const TCandidate &candidate :
         BestCandidates(search, room, SetOf(targets), plan.MinPushes, plan.MaxPushes, kept, {},
                        plan.DetourWeight)) {
        const TPuzzle start = StartOf(rng, search, room, targets, candidate.State);
        TMadeLevel made = FinishLevel(start, PushesFrom(search, room, candidate.State), rules);
        if (made.Rows.empty())
            continue;
        if (plan.MinEffort == 0)
            return made;
        // Starts that differ only in the keeper's area can trim to the same level; and
        // a room whose first starts all fall far short seldom holds a hard one.
        if (!measured.insert(made.Rows).second)
            continue;
        if (measured.size() > TriageStarts && hardest * TriageShortfall < plan.MinEffort)
            break;
        // The search stops past the band's top, so a level too hard costs no more
        // than one just hard enough.
        const TEffort effort = MeasureEffort(TPuzzle::FromRows(made.Rows), plan.MaxEffort);
        hardest = std::max(hardest, effort.Complete ? effort.Expanded : plan.MaxEffort);
        if (!effort.Complete || effort.Expanded < plan.MinEffort)
            continue;
        if (effort.Pushes != made.Pushes)
            throw std::logic_error("the planner and the reverse search disagree on a level");
        made.Effort = effort.Expanded;
        return made;
    }
    return {};
}

// Rooms too large for a reverse search to take whole to a useful depth start from
// random pulls instead; the planner finds their optimum itself, which proves it, for
// it expands every state its bound leaves below that optimum.
TMadeLevel TryPulledStarts(TPrng &rng, const TRoom &room, int boxes, const TWorldPlan &plan,
                           std::int64_t &states)
{
    const std::vector<int> targets =
        PlaceTargets(rng, room, boxes, ~TCellSet(0), plan.StorePercent);
    if (targets.empty())
        return {};
    const TFinishRules rules{.RejectGreedy = plan.RejectGreedy,
                             .Trim = false,
                             .RequireReturn = true,
                             .LimitFloor = true};
    for (int walk = 0; walk < PulledWalks; ++walk) {
        const TPuzzle start = PulledStart(rng, room, targets, rng.Between(MinPulls, MaxPulls));
        if ((SetOf(start.Boxes) & SetOf(targets)) != 0)
            continue;
        const TEffort effort = MeasureEffort(start, plan.MaxEffort);
        states += effort.Expanded;
        if (!effort.Complete || effort.Expanded < plan.MinEffort || effort.Pushes < plan.MinPushes)
            continue;
        TMadeLevel made = FinishLevel(start, effort.Solution, rules);
        if (made.Rows.empty())
            continue;
        if (made.Rows != start.Rows())
            throw std::logic_error("an untrimmed level came out changed");
        made.Effort = effort.Expanded;
        return made;
    }
    return {};
}

TMadeLevel MakeRoomLevel(TPrng &rng, int world, int place)
{
    const TWorldPlan plan = PlanOf(world, place);
    std::int64_t states = 0;
    for (int attempt = 0; attempt < RoomAttempts; ++attempt) {
        const TRoom room = BuildRoom(rng, plan.Shape);
        if (room.FloorCount() == 0 || room.FloorCount() > MaxSetCells)
            continue;
        const int boxes = rng.Between(plan.MinBoxes, plan.MaxBoxes);
        for (int set = 0; set < TargetSets; ++set) {
            TMadeLevel made = plan.Pulled ? TryPulledStarts(rng, room, boxes, plan, states)
                                          : TryTargets(rng, room, boxes, plan, states);
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
    TMadeLevel made;
    if (number <= TutorialCount)
        made = MakeTutorialLevel(rng, number);
    else if (number == WideLevel || number == TallLevel)
        made = MakeChamberLevel(rng, number == WideLevel);
    else
        made = MakeRoomLevel(rng, WorldOf(number), (number - TutorialCount - 1) % 10 + 1);
    if (made.Effort < 0) {
        const TEffort effort = MeasureEffort(TPuzzle::FromRows(made.Rows), EffortBudget);
        // Past the budget the count is only a floor: the level needs more than that.
        made.Effort = effort.Expanded;
        made.EffortComplete = effort.Complete;
        if (effort.Complete && effort.Pushes != made.Pushes)
            throw std::logic_error("the planner and the reverse search disagree on a level");
    }
    return made;
}

} // namespace levelgen
