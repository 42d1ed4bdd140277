// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chambers.h"

#include "effort.h"
#include "levelfinish.h"
#include "roombuilder.h"
#include "searchpick.h"
#include "solution.h"

#include <algorithm>
#include <stdexcept>

namespace levelgen
{

namespace
{

// Drawn as a row of chambers; the tall level is that drawing turned over its diagonal.
struct TChamberPlan {
    int Count;
    int Width;  // one chamber's canvas, along the row
    int Height; // across it
    int MinBoxes;
    int MaxBoxes;
    int MinPushes; // per chamber
    int MinFloor;
    int MaxFloor;
};

constexpr TChamberPlan WidePlan{.Count = 4,
                                .Width = 6,
                                .Height = 7,
                                .MinBoxes = 3,
                                .MaxBoxes = 5,
                                .MinPushes = 30,
                                .MinFloor = 20,
                                .MaxFloor = 30};
constexpr TChamberPlan TallPlan{.Count = 3,
                                .Width = 6,
                                .Height = 8,
                                .MinBoxes = 4,
                                .MaxBoxes = 6,
                                .MinPushes = 40,
                                .MinFloor = 24,
                                .MaxFloor = 34};
constexpr int DoorGap = 3;
constexpr std::int64_t ChamberBudget = 8'000'000;
constexpr int ChamberAttempts = 5000;
constexpr int LevelAttempts = 50;
constexpr std::int64_t ChamberEffortBudget = 4'000'000;
// The player must go out of his way in a big level too.
constexpr int MinDetour = 4;

// Chambers and doors on one canvas, the chambers' floors left out until drawn.
struct TLayout {
    int Width = 0;
    int Height = 0;
    std::vector<int> DoorRowIn;          // per chamber: the row its left door enters on
    std::vector<int> DoorRowOut;         // per chamber: the row its right door leaves from
    std::vector<std::vector<int>> Doors; // door i joins chamber i to i + 1, canvas cells in order
};

// What one chamber brings, in canvas cells.
struct TChamber {
    std::vector<int> Boxes;
    std::vector<int> Targets;
    std::vector<int> KeeperArea;
    std::vector<std::pair<int, int>> Pushes; // canvas cell of the box, direction
    std::int64_t States = 0;
};

int LeftOf(const TChamberPlan &plan, int chamber)
{
    return chamber * (plan.Width + DoorGap);
}

// Out of the left chamber on rowOut, one step, along the middle column to rowIn, one
// step into the right chamber: two bends, so a box can pass neither.
std::vector<int> DoorCells(const TChamberPlan &plan, const TLayout &layout, int chamber)
{
    const int rowOut = layout.DoorRowOut[chamber];
    const int rowIn = layout.DoorRowIn[chamber + 1];
    const int column = LeftOf(plan, chamber) + plan.Width;
    std::vector<int> cells{rowOut * layout.Width + column};
    const int step = rowIn > rowOut ? 1 : -1;
    for (int y = rowOut; y != rowIn + step; y += step)
        cells.push_back(y * layout.Width + column + 1);
    cells.push_back(rowIn * layout.Width + column + 2);
    return cells;
}

TLayout PlanLayout(TPrng &rng, const TChamberPlan &plan)
{
    TLayout layout;
    layout.Width = plan.Count * plan.Width + (plan.Count - 1) * DoorGap;
    layout.Height = plan.Height;
    for (int i = 0; i < plan.Count; ++i) {
        layout.DoorRowIn.push_back(rng.Between(0, plan.Height - 1));
        layout.DoorRowOut.push_back(rng.Between(0, plan.Height - 1));
    }
    for (int i = 0; i + 1 < plan.Count; ++i) {
        while (layout.DoorRowIn[i + 1] == layout.DoorRowOut[i])
            layout.DoorRowIn[i + 1] = rng.Between(0, plan.Height - 1);
        layout.Doors.push_back(DoorCells(plan, layout, i));
    }
    return layout;
}

int CanvasCell(const TRoom &room, int cell, int width)
{
    return (room.Y(cell) + room.OriginY()) * width + room.X(cell) + room.OriginX();
}

// A chamber's floor on the whole canvas, spanning its full length and open at its doors;
// empty when the drawing does not fit.
std::vector<char> DrawChamber(TPrng &rng, const TChamberPlan &plan, const TLayout &layout,
                              int chamber)
{
    const TRoomShape shape{.CanvasWidth = plan.Width,
                           .CanvasHeight = plan.Height,
                           .MinSide = 1,
                           .MaxSide = 4,
                           .Notches = 2,
                           .Pillars = 2,
                           .MinFloor = plan.MinFloor,
                           .MaxFloor = plan.MaxFloor};
    const TRoom room = TRoom::FromFloor(plan.Width, plan.Height, DrawFloor(rng, shape));
    const bool fits = room.Width() - 2 == plan.Width && room.FloorCount() >= plan.MinFloor &&
                      room.FloorCount() <= plan.MaxFloor &&
                      (chamber == 0 || room.FloorAt(-room.OriginX(), layout.DoorRowIn[chamber] -
                                                                         room.OriginY()) >= 0) &&
                      (chamber + 1 == plan.Count ||
                       room.FloorAt(plan.Width - 1 - room.OriginX(),
                                    layout.DoorRowOut[chamber] - room.OriginY()) >= 0);
    if (!fits)
        return {};
    std::vector<char> floor(static_cast<std::size_t>(layout.Width * layout.Height), 0);
    for (int cell = 0; cell < room.FloorCount(); ++cell) {
        const int x = LeftOf(plan, chamber) + room.X(cell) + room.OriginX();
        floor[(room.Y(cell) + room.OriginY()) * layout.Width + x] = 1;
    }
    return floor;
}

std::uint32_t RootOf(const TReverseSearch &search, std::uint32_t state)
{
    while (search.Parent(state) != state)
        state = search.Parent(state);
    return state;
}

// The chamber's room: its drawn floor and the doors beside it, where only the keeper
// may stand.
TRoom ChamberRoom(const TChamberPlan &plan, const TLayout &layout, int chamber,
                  std::vector<char> open)
{
    for (int i = std::max(0, chamber - 1); i <= chamber && i + 1 < plan.Count; ++i) {
        for (const int cell : layout.Doors[i])
            open[cell] = 1;
    }
    return TRoom::FromFloor(layout.Width, layout.Height, open);
}

// The room's cells on the chamber's drawn floor: where its boxes may go.
TCellSet BoxCellsOf(const TRoom &room, const TLayout &layout, const std::vector<char> &floor)
{
    TCellSet boxCells = 0;
    for (int cell = 0; cell < room.FloorCount(); ++cell)
        boxCells |= floor[CanvasCell(room, cell, layout.Width)] ? CellBit(cell) : 0;
    return boxCells;
}

// The room's floor cell on a canvas cell, -1 off the floor.
int RoomCell(const TRoom &room, const TLayout &layout, int canvas)
{
    return room.FloorAt(canvas % layout.Width - room.OriginX(),
                        canvas / layout.Width - room.OriginY());
}

// A chamber's start that the level can play: the keeper comes in by the entry door (in
// the first chamber he stands on its floor, not in its door), and the solved chamber
// lets him on through the exit door. Entry and exit are -1 where there is no door.
bool Passable(const TReverseSearch &search, TCellSet boxCells, int entry, int exit,
              std::uint32_t state)
{
    const TCellSet area = search.KeeperArea(state);
    return (entry >= 0 ? Holds(area, entry) : (area & boxCells) != 0) &&
           (exit < 0 || Holds(search.KeeperArea(RootOf(search, state)), exit));
}

// The chosen start and its pushes, in canvas cells.
void TakeStart(const TReverseSearch &search, const TRoom &room, const TLayout &layout,
               const std::vector<int> &targets, TCellSet boxCells, std::uint32_t state,
               TChamber &result)
{
    const auto canvas = [&](int cell) { return CanvasCell(room, cell, layout.Width); };
    for (const int cell : CellsOf(search.Boxes(state)))
        result.Boxes.push_back(canvas(cell));
    for (const int cell : targets)
        result.Targets.push_back(canvas(cell));
    for (const int cell : CellsOf(search.KeeperArea(state) & boxCells))
        result.KeeperArea.push_back(canvas(cell));
    for (const TPush &push : PushesFrom(search, room, state))
        result.Pushes.emplace_back(canvas(push.From), push.Direction);
}

// Searches one drawn chamber, with its doors as floor for the keeper only.
bool SearchChamber(TPrng &rng, const TChamberPlan &plan, const TLayout &layout, int chamber,
                   const std::vector<char> &floor, TChamber &result)
{
    const TRoom room = ChamberRoom(plan, layout, chamber, floor);
    const TCellSet boxCells = BoxCellsOf(room, layout, floor);
    const std::vector<int> targets =
        PlaceTargets(rng, room, rng.Between(plan.MinBoxes, plan.MaxBoxes), boxCells, 100);
    if (room.FloorCount() > MaxSetCells || targets.empty())
        return false;
    TReverseSearch search(room, SetOf(targets), boxCells, 0);
    search.Run(ChamberBudget);
    result.States += search.StateCount();
    if (!search.Complete())
        return false;
    const int entry = chamber == 0 ? -1 : RoomCell(room, layout, layout.Doors[chamber - 1].back());
    const int exit =
        chamber + 1 == plan.Count ? -1 : RoomCell(room, layout, layout.Doors[chamber].front());
    const auto passable = [&](std::uint32_t state, const std::vector<TPush> &) {
        return Passable(search, boxCells, entry, exit, state);
    };
    const std::vector<TCandidate> best = BestCandidates(
        search, room, SetOf(targets), plan.MinPushes, search.MaxDepth(), 1, passable);
    if (best.empty())
        return false;
    TakeStart(search, room, layout, targets, boxCells, best[0].State, result);
    return true;
}

// Rows of any lengths turned over the diagonal, the short ones read as if filled with
// blanks.
std::vector<std::string> Transposed(const std::vector<std::string> &rows)
{
    std::size_t width = 0;
    for (const std::string &row : rows)
        width = std::max(width, row.size());
    std::vector<std::string> turned(width, std::string(rows.size(), ' '));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x)
            turned[x][y] = rows[y][x];
    }
    return turned;
}

// Turns the level over its diagonal: rows become columns, and so do the letters.
void Transpose(TMadeLevel &level)
{
    level.Rows = Transposed(level.Rows);
    const std::string from = "lurdLURD";
    const std::string to = "uldrULDR";
    for (char &letter : level.Solution)
        letter = to[from.find(letter)];
}

// One chamber of a big level drawn as a row: its floor and its two doors, all else
// walled (the keeper's own cell too, past the first chamber), with the keeper on the
// cell by which he comes in. Column 0 is the wall left of the canvas, and the only
// floor in the column before a chamber is the last cell of its door. A row cut short
// (a level text may drop its trailing blanks) still holds the wall right of its floor.
TPuzzle ChamberPuzzle(const TChamberPlan &plan, std::vector<std::string> rows, int chamber)
{
    const int entry = LeftOf(plan, chamber);
    const TRoom whole = TPuzzle::FromRows(rows).Room;
    for (int cell = 0; cell < whole.FloorCount() && chamber > 0; ++cell) {
        if (whole.X(cell) + whole.OriginX() == entry)
            rows[whole.Y(cell) + whole.OriginY()][entry] = '@';
    }
    for (std::string &row : rows) {
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            if (x < entry + 1 - DoorGap || x > entry + plan.Width + DoorGap)
                row[x] = '#';
        }
    }
    return TPuzzle::FromRows(rows);
}

TMadeLevel Assemble(TPrng &rng, const TLayout &layout, const std::vector<char> &floor,
                    const std::vector<TChamber> &chambers)
{
    const TRoom room = TRoom::FromFloor(layout.Width, layout.Height, floor);
    const auto cellAt = [&](int canvas) {
        return room.FloorAt(canvas % layout.Width - room.OriginX(),
                            canvas / layout.Width - room.OriginY());
    };
    TPuzzle start{.Room = room, .Boxes = {}, .Targets = {}, .Keeper = -1};
    std::vector<TPush> pushes;
    for (const TChamber &chamber : chambers) {
        for (const int cell : chamber.Boxes)
            start.Boxes.push_back(cellAt(cell));
        for (const int cell : chamber.Targets)
            start.Targets.push_back(cellAt(cell));
        for (const auto &[cell, direction] : chamber.Pushes)
            pushes.push_back({.From = cellAt(cell), .Direction = direction});
    }
    std::sort(start.Boxes.begin(), start.Boxes.end());
    std::sort(start.Targets.begin(), start.Targets.end());
    std::vector<int> area;
    for (const int cell : chambers[0].KeeperArea)
        area.push_back(cellAt(cell));
    start.Keeper = PickKeeper(rng, area, start.Targets);
    // Untrimmed, each chamber keeps the floor it was searched on.
    const TFinishRules rules{
        .RejectGreedy = true, .Trim = false, .RequireReturn = true, .LimitFloor = true};
    return FinishLevel(start, pushes, rules);
}

TMadeLevel TryChambers(TPrng &rng, const TChamberPlan &plan, std::int64_t &states)
{
    const TLayout layout = PlanLayout(rng, plan);
    std::vector<char> floor(static_cast<std::size_t>(layout.Width * layout.Height), 0);
    std::vector<TChamber> chambers(plan.Count);
    for (int i = 0; i < plan.Count; ++i) {
        bool found = false;
        for (int attempt = 0; attempt < ChamberAttempts && !found; ++attempt) {
            const std::vector<char> drawn = DrawChamber(rng, plan, layout, i);
            chambers[i] = {};
            found = !drawn.empty() && SearchChamber(rng, plan, layout, i, drawn, chambers[i]);
            states += chambers[i].States;
            if (found)
                std::transform(floor.begin(), floor.end(), drawn.begin(), floor.begin(),
                               [](char a, char b) { return static_cast<char>(a | b); });
        }
        if (!found)
            return {};
    }
    for (const std::vector<int> &door : layout.Doors) {
        for (const int cell : door)
            floor[cell] = 1;
    }
    return Assemble(rng, layout, floor, chambers);
}

} // namespace

TEffort MeasureChambers(const std::vector<std::string> &rows, bool wide)
{
    const TChamberPlan &plan = wide ? WidePlan : TallPlan;
    TEffort sum;
    sum.Detour = 0;
    sum.Pushes = 0;
    sum.Complete = true;
    for (int chamber = 0; chamber < plan.Count; ++chamber) {
        const TEffort effort = MeasureEffort(
            ChamberPuzzle(plan, wide ? rows : Transposed(rows), chamber), ChamberEffortBudget);
        sum.Expanded += effort.Expanded;
        sum.BelowOptimum += effort.BelowOptimum;
        sum.Detour += effort.Detour;
        sum.Pushes += effort.Pushes;
        sum.Complete = sum.Complete && effort.Complete && effort.Pushes >= 0;
    }
    return sum;
}

TMadeLevel MakeChamberLevel(TPrng &rng, bool wide)
{
    const TChamberPlan &plan = wide ? WidePlan : TallPlan;
    std::int64_t states = 0;
    for (int attempt = 0; attempt < LevelAttempts; ++attempt) {
        TMadeLevel made = TryChambers(rng, plan, states);
        if (made.Rows.empty())
            continue;
        made.StatesSearched = states;
        if (!wide)
            Transpose(made);
        if (!ReplaySolves(made.Rows, made.Solution))
            throw std::logic_error("a big level's solution does not replay");
        const TEffort effort = MeasureChambers(made.Rows, wide);
        if (effort.Complete && effort.Pushes != made.Pushes)
            throw std::logic_error("the planner and the reverse search disagree on a chamber");
        if (!effort.Complete || effort.Detour < MinDetour)
            continue;
        made.Detour = effort.Detour;
        made.BelowOptimum = effort.BelowOptimum;
        return made;
    }
    throw std::runtime_error("no big level found within the attempts allowed");
}

} // namespace levelgen
