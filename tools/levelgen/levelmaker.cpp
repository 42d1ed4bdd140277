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
#include <optional>
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
    int MinDetour = 0;
    // The states every push-optimal A* must expand (effort.h): at least MinBelow, fewer
    // than MaxBelow; no band when MinBelow is 0.
    std::int64_t MinBelow = 0;
    std::int64_t MaxBelow = 0;
    int DetourWeight = 3;
    bool Cored = false; // a core from a reverse search and free boxes (TryCoredStarts)
};

// Worlds FirstWorld..LastWorld share boxes, room shape and search budget; their push
// windows slide from LowPushes up to HighPushes.
struct TTier {
    int FirstWorld;
    int LastWorld;
    int MinBoxes;
    int MaxBoxes;
    int LowPushes; // the push window, none when Cored: the band bounds the length
    int HighPushes;
    int WindowPercent; // the push window's width, in percent of the range
    TRoomShape Shape;
    int StorePercent;
    std::int64_t Budget; // of the reverse search; that of the core's when Cored
    bool Cored = false;
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
    // Rooms past the reach of a whole reverse search: a core and free boxes.
    {.FirstWorld = 20,
     .LastWorld = 23,
     .MinBoxes = 7,
     .MaxBoxes = 8,
     .LowPushes = 0,
     .HighPushes = 0,
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
     .Budget = 500'000,
     .Cored = true},
    {.FirstWorld = 24,
     .LastWorld = 27,
     .MinBoxes = 8,
     .MaxBoxes = 9,
     .LowPushes = 0,
     .HighPushes = 0,
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
     .Budget = 500'000,
     .Cored = true},
};

constexpr int RoomAttempts = 2000;
constexpr int TargetSets = 2;
constexpr std::size_t CandidatesKept = 6;
constexpr int FirstGreedyWorld = 5;
// From this world on a level must make the player spend some pushes beyond the
// distances (a detour of 2 at least, detours being even); from FirstBandWorld on, 4.
constexpr int FirstDetourWorld = 5;
constexpr int BandDetour = 4;

// From world FirstBandWorld on, a level's must-expand count is at least its world's
// floor. The first BandedPlaces levels of a world stay below the next world's floor,
// so that more than half of each world stands below every level of the next and the
// medians climb; the last entry closes the last world's band.
constexpr int FirstBandWorld = 16;
constexpr int BandedPlaces = 6;
// The harder half of a world may reach this many worlds' floors further.
constexpr std::size_t HarderHalfReach = 3;
constexpr std::int64_t BelowFloors[] = {3'000,  5'000,  8'000,   12'000,  16'000,  24'000, 36'000,
                                        54'000, 80'000, 120'000, 180'000, 320'000, 600'000};
// The closing levels of the last worlds are the deepest of all.
constexpr int FirstPeakWorld = 22;
constexpr int LastWorld = 27;
constexpr std::int64_t PeakBelow = 1'000'000;
constexpr std::int64_t PeakCeiling = 3'000'000;
constexpr int TallPlaces = 3;
constexpr int LastTallWorld = 26;
constexpr int TallHeight = 15;
// The planner's budget for a band, in expansions: the states below the optimum and
// those of the optimum's own layer it takes before the solved one.
constexpr std::int64_t BandBudgetFactor = 2;
constexpr std::size_t CandidatesMeasured = 24;
constexpr std::size_t TriageStarts = 3;
constexpr std::int64_t TriageShortfall = 8;
// The detour is what a banded world looks for above all.
constexpr int BandDetourWeight = 12;
// The most states the planner may take on a level made without a band.
constexpr std::int64_t EffortBudget = 4'000'000;

// The core of a cored level: its boxes, the candidates it is chosen from (those that
// leave the keeper most of the free floor, so that he can reach the free boxes), and
// the free boxes' target sets tried around one core.
constexpr int CoreBoxes = 5;
constexpr int CoreKeeperPercent = 80;
constexpr int FreeTargetSets = 6;
// The start with the free boxes still on their targets must keep the core's detour;
// it is small, so a small budget tells.
constexpr std::int64_t ProbeBudget = 100'000;
constexpr int MaxFreePulls = 60;
constexpr int MaxMeasures = 8;

bool IsPeak(int world, int place)
{
    const int firstPlace = world == FirstPeakWorld ? 10 : world == LastWorld ? 8 : 9;
    return world >= FirstPeakWorld && place >= firstPlace;
}

void SetBand(TWorldPlan &plan, int world, int place)
{
    if (IsPeak(world, place)) {
        plan.MinBelow = PeakBelow;
        plan.MaxBelow = PeakCeiling;
    } else if (world >= FirstBandWorld) {
        const std::size_t band = static_cast<std::size_t>(world - FirstBandWorld);
        plan.MinBelow = BelowFloors[band];
        plan.MaxBelow = BelowFloors[std::min<std::size_t>(
            band + (place <= BandedPlaces ? 1 : HarderHalfReach), std::size(BelowFloors) - 1)];
    }
    if (plan.MinBelow > 0) {
        plan.MinDetour = BandDetour;
        plan.DetourWeight = BandDetourWeight;
    }
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
                        .MinDetour = world >= FirstDetourWorld ? 2 : 0,
                        .Cored = tier.Cored};
        SetBand(plan, world, place);
        // A cored world opens with tall rooms, taller than the play window shows until
        // its frame is stretched.
        if (tier.Cored && place <= TallPlaces && world <= LastTallWorld) {
            std::swap(plan.Shape.CanvasWidth, plan.Shape.CanvasHeight);
            plan.Shape.MinHeight = TallHeight;
        }
        return plan;
    }
    throw std::logic_error("no plan for this world");
}

// The planner's figures for a level, within `budget` expansions; the stored solution
// must be as short as the planner's.
bool Measure(TMadeLevel &made, std::int64_t budget, std::int64_t maxBelow = INT64_MAX)
{
    const TEffort effort = MeasureEffort(TPuzzle::FromRows(made.Rows), budget, maxBelow);
    if (!effort.Complete)
        return false;
    if (effort.Pushes != made.Pushes)
        throw std::logic_error("the planner and the reverse search disagree on a level");
    made.Detour = effort.Detour;
    made.BelowOptimum = effort.BelowOptimum;
    return true;
}

bool WithinPlan(const TMadeLevel &made, const TWorldPlan &plan)
{
    return made.Detour >= plan.MinDetour &&
           (plan.MinBelow == 0 ||
            (made.BelowOptimum >= plan.MinBelow && made.BelowOptimum < plan.MaxBelow));
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
    const bool banded = plan.MinBelow > 0;
    const std::int64_t budget = banded ? BandBudgetFactor * plan.MaxBelow : EffortBudget;
    std::set<std::vector<std::string>> measured;
    std::int64_t deepest = 0;
    for (const TCandidate &candidate :
         BestCandidates(search, room, SetOf(targets), plan.MinPushes, plan.MaxPushes,
                        banded ? CandidatesMeasured : CandidatesKept, {}, plan.DetourWeight)) {
        const TPuzzle start = StartOf(rng, search, room, targets, candidate.State);
        TMadeLevel made = FinishLevel(start, PushesFrom(search, room, candidate.State), rules);
        // Starts that differ only in the keeper's area can trim to the same level; and
        // a room whose first starts all fall far short seldom holds a deep one.
        if (made.Rows.empty() || !measured.insert(made.Rows).second)
            continue;
        if (banded && measured.size() > TriageStarts && deepest * TriageShortfall < plan.MinBelow)
            break;
        // The search stops past the band's top, so a level too deep costs no more than
        // one just deep enough.
        const bool complete = Measure(made, budget, banded ? plan.MaxBelow : INT64_MAX);
        deepest = std::max(deepest, complete ? made.BelowOptimum : plan.MaxBelow);
        if (complete && WithinPlan(made, plan))
            return made;
    }
    return {};
}

// The core's start: the deepest detour among the states the search holds with no box
// on a target and most of the free floor open to the keeper, so that he can reach the
// free boxes.
std::optional<std::uint32_t> CoreState(const TReverseSearch &search, const TRoom &room,
                                       TCellSet targets)
{
    const int freeFloor = room.FloorCount() - CellCount(targets);
    const auto open = [&](std::uint32_t state, const std::vector<TPush> &) {
        return CellCount(search.KeeperArea(state)) * 100 >= freeFloor * CoreKeeperPercent;
    };
    const std::vector<TCandidate> best =
        BestCandidates(search, room, targets, 1, search.MaxDepth(), 1, open, BandDetourWeight);
    if (best.empty())
        return std::nullopt;
    return best[0].State;
}

// The cells the core's solution moves its boxes through, and those its keeper pushes
// from: no free box may wait there.
TCellSet CoreWay(const TReverseSearch &search, const TRoom &room, std::uint32_t state)
{
    TCellSet way = search.Boxes(state);
    for (const TPush &push : PushesFrom(search, room, state)) {
        way |= CellBit(push.From) | CellBit(room.Next(push.From, push.Direction)) |
               CellBit(room.Next(push.From, Opposite(push.Direction)));
    }
    return way;
}

// How many pulls to draw before measuring again: many while the count is far below
// the band, few near it.
int PullsTowards(std::int64_t below, std::int64_t floor)
{
    constexpr std::pair<std::int64_t, int> Steps[] = {{64, 12}, {8, 8}, {2, 4}};
    for (const auto &[shortfall, pulls] : Steps) {
        if (below * shortfall < floor)
            return pulls;
    }
    return 2;
}

// The free boxes are drawn out from their targets a few pulls at a time, the planner
// measuring after each draw, until the level falls in the band or past it.
TMadeLevel DrawFreeBoxes(TPrng &rng, TPuzzle start, TCellSet core, const TWorldPlan &plan,
                         std::int64_t &states)
{
    const TFinishRules rules{.RejectGreedy = plan.RejectGreedy,
                             .Trim = false,
                             .RequireReturn = true,
                             .LimitFloor = true};
    TEffort effort = MeasureEffort(start, ProbeBudget);
    states += effort.Expanded;
    for (int pulls = 0, measures = 0; pulls < MaxFreePulls && measures < MaxMeasures;) {
        if (effort.Pushes < 0 || effort.Detour < plan.MinDetour ||
            effort.BelowOptimum >= plan.MaxBelow)
            return {};
        const int more = PullsTowards(effort.BelowOptimum, plan.MinBelow);
        start = PulledStart(rng, start, SetOf(start.Boxes) & ~core, more);
        pulls += more;
        if ((SetOf(start.Boxes) & SetOf(start.Targets)) != 0)
            continue;
        effort = MeasureEffort(start, BandBudgetFactor * plan.MaxBelow, plan.MaxBelow);
        states += effort.Expanded;
        ++measures;
        if (!effort.Complete || effort.BelowOptimum < plan.MinBelow)
            continue;
        TMadeLevel made = FinishLevel(start, effort.Solution, rules);
        made.Detour = effort.Detour;
        made.BelowOptimum = effort.BelowOptimum;
        if (made.Rows.empty() || !WithinPlan(made, plan))
            return {};
        if (made.Rows != start.Rows())
            throw std::logic_error("an untrimmed level came out changed");
        return made;
    }
    return {};
}

// Rooms too large for a reverse search to take whole to a useful depth: a core of a few
// boxes whose start has the deepest detour a reverse search finds near their store, and
// free boxes drawn out by pulls from targets of their own, which multiply the states
// below the optimum. Such a start can be solved by construction; the planner finds its
// optimum, which proves it, for it expands every state its bound leaves below that
// optimum.
TMadeLevel TryCoredStarts(TPrng &rng, const TRoom &room, int boxes, const TWorldPlan &plan,
                          std::int64_t &states)
{
    const std::vector<int> coreTargets =
        PlaceTargets(rng, room, CoreBoxes, ~TCellSet(0), plan.StorePercent);
    if (coreTargets.empty())
        return {};
    TReverseSearch search(room, SetOf(coreTargets), ~TCellSet(0), 0);
    search.Run(plan.Budget);
    states += search.StateCount();
    const std::optional<std::uint32_t> state = CoreState(search, room, SetOf(coreTargets));
    if (!state)
        return {};
    const TCellSet core = search.Boxes(*state);
    const TCellSet way = CoreWay(search, room, *state);
    for (int set = 0; set < FreeTargetSets; ++set) {
        const std::vector<int> freeTargets = PlaceTargets(
            rng, room, boxes - CoreBoxes, FloorSet(room) & ~SetOf(coreTargets) & ~way, 0);
        const std::vector<int> keeperCells =
            CellsOf(search.KeeperArea(*state) & ~SetOf(freeTargets));
        if (freeTargets.empty() || keeperCells.empty())
            continue;
        const std::vector<int> targets = CellsOf(SetOf(coreTargets) | SetOf(freeTargets));
        const TPuzzle start{.Room = room,
                            .Boxes = CellsOf(core | SetOf(freeTargets)),
                            .Targets = targets,
                            .Keeper = PickKeeper(rng, keeperCells, targets)};
        TMadeLevel made = DrawFreeBoxes(rng, start, core, plan, states);
        if (!made.Rows.empty())
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
            TMadeLevel made = plan.Cored ? TryCoredStarts(rng, room, boxes, plan, states)
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
    if (made.Detour < 0 && !Measure(made, EffortBudget))
        throw std::logic_error("the planner could not measure a level");
    return made;
}

} // namespace levelgen
