// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tutorial.h"

#include "levelfinish.h"
#include "searchpick.h"

#include <stdexcept>
#include <string>

namespace levelgen
{

namespace
{

// One lesson: its idea in a few French words, the room ('#' wall, '.' target, '@' any
// floor cell, to show where the floor is), the box count, the push window, and what the
// solution must show.
struct TLesson {
    const char *Idea;
    std::vector<std::string> Rows;
    int Boxes;
    int MinPushes;
    int MaxPushes;
    int MinLines;      // box lines of the solution, at least ...
    int MaxLines;      // ... and at most
    int MinChanges;    // box changes, at least
    bool GreedyFails;  // taking the nearest box first must lose
    bool CornerAtHand; // a first push can already lose the box in a corner
};

const std::vector<TLesson> &Lessons()
{
    static const std::vector<TLesson> lessons{
        {.Idea = "une premiere poussee",
         .Rows = {"#########", "#@      #", "#   .   #", "#########"},
         .Boxes = 1,
         .MinPushes = 2,
         .MaxPushes = 3,
         .MinLines = 1,
         .MaxLines = 1,
         .MinChanges = 0,
         .GreedyFails = false,
         .CornerAtHand = false},
        {.Idea = "amener la caisse sur la cible",
         .Rows = {"########", "#@     #", "#      #", "#      #", "#    . #", "########"},
         .Boxes = 1,
         .MinPushes = 3,
         .MaxPushes = 5,
         .MinLines = 2,
         .MaxLines = 2,
         .MinChanges = 0,
         .GreedyFails = false,
         .CornerAtHand = false},
        {.Idea = "un coin piege la caisse",
         .Rows = {"#########", "#@      #", "#       #", "#   #   #", "#     . #", "#########"},
         .Boxes = 1,
         .MinPushes = 4,
         .MaxPushes = 6,
         .MinLines = 2,
         .MaxLines = 4,
         .MinChanges = 0,
         .GreedyFails = false,
         .CornerAtHand = true},
        {.Idea = "deux caisses",
         .Rows = {"#########", "#@      #", "#       #", "#  . .  #", "#       #", "#########"},
         .Boxes = 2,
         .MinPushes = 4,
         .MaxPushes = 7,
         .MinLines = 2,
         .MaxLines = 4,
         .MinChanges = 0,
         .GreedyFails = false,
         .CornerAtHand = false},
        {.Idea = "l'ordre compte",
         .Rows = {"#########", "#..   @ #", "###  #  #", "  #     #", "  #######"},
         .Boxes = 2,
         .MinPushes = 5,
         .MaxPushes = 9,
         .MinLines = 2,
         .MaxLines = 6,
         .MinChanges = 1,
         .GreedyFails = true,
         .CornerAtHand = false},
        {.Idea = "contourner la caisse",
         .Rows = {"########", "#@     #", "#      #", "#  #   #", "#.     #", "########"},
         .Boxes = 1,
         .MinPushes = 5,
         .MaxPushes = 8,
         .MinLines = 3,
         .MaxLines = 6,
         .MinChanges = 0,
         .GreedyFails = false,
         .CornerAtHand = false},
        {.Idea = "faire de la place",
         .Rows = {"##########", "#@   #   #", "#        #", "#        #", "#..  #   #",
                  "##########"},
         .Boxes = 2,
         .MinPushes = 5,
         .MaxPushes = 10,
         .MinLines = 3,
         .MaxLines = 8,
         .MinChanges = 2,
         .GreedyFails = false,
         .CornerAtHand = false},
        {.Idea = "un couloir",
         .Rows = {"##########", "#@   #   #", "#        #", "#    #  .#", "######  .#",
                  "     #####"},
         .Boxes = 2,
         .MinPushes = 6,
         .MaxPushes = 10,
         .MinLines = 2,
         .MaxLines = 8,
         .MinChanges = 1,
         .GreedyFails = false,
         .CornerAtHand = false},
        {.Idea = "aller et revenir",
         .Rows = {"##########", "#@       #", "#  #  #  #", "#        #", "#   ..   #",
                  "#        #", "##########"},
         .Boxes = 2,
         .MinPushes = 6,
         .MaxPushes = 11,
         .MinLines = 3,
         .MaxLines = 10,
         .MinChanges = 2,
         .GreedyFails = false,
         .CornerAtHand = false},
        {.Idea = "tout ensemble",
         .Rows = {"##########", "#..    @ #", "####  #  #", "   #     #", "   #  #  #",
                  "   #     #", "   #######"},
         .Boxes = 2,
         .MinPushes = 8,
         .MaxPushes = 12,
         .MinLines = 3,
         .MaxLines = 12,
         .MinChanges = 2,
         .GreedyFails = true,
         .CornerAtHand = false},
    };
    return lessons;
}

// Whether some push open to the keeper at the start puts a box where no target can
// be reached any more.
bool CornerAtHand(const TReverseSearch &search, const TRoom &room, const std::vector<char> &live,
                  std::uint32_t state)
{
    const TCellSet boxes = search.Boxes(state);
    const TCellSet area = search.KeeperArea(state);
    for (const int box : CellsOf(boxes)) {
        for (int d = 0; d < DirectionCount; ++d) {
            const int behind = room.Next(box, Opposite(d));
            const int to = room.Next(box, d);
            if (behind >= 0 && Holds(area, behind) && to >= 0 && !Holds(boxes, to) && !live[to])
                return true;
        }
    }
    return false;
}

bool Teaches(const TLesson &lesson, const TReverseSearch &search, const TPuzzle &drawn,
             std::uint32_t state, const std::vector<TPush> &pushes)
{
    // A keeper shut in a pocket would hide the lesson.
    constexpr int SmallestArea = 4;
    if (CellCount(search.KeeperArea(state)) < SmallestArea)
        return false;
    const TSolutionShape shape = ShapeOf(drawn.Room, pushes);
    if (shape.BoxLines < lesson.MinLines || shape.BoxLines > lesson.MaxLines ||
        shape.BoxChanges < lesson.MinChanges)
        return false;
    const TPuzzle start{.Room = drawn.Room,
                        .Boxes = CellsOf(search.Boxes(state)),
                        .Targets = drawn.Targets,
                        .Keeper = search.KeeperCell(state)};
    if (lesson.GreedyFails && GreedySolves(start))
        return false;
    const std::vector<char> live = LiveCells(LoneBoxDistances(drawn.Room, drawn.Targets));
    return !lesson.CornerAtHand || CornerAtHand(search, drawn.Room, live, state);
}

} // namespace

TMadeLevel MakeTutorialLevel(TPrng &rng, int number)
{
    const TLesson &lesson = Lessons()[number - 1];
    const TPuzzle drawn = TPuzzle::FromRows(lesson.Rows);
    const TCellSet targets = SetOf(drawn.Targets);
    TReverseSearch search(drawn.Room, targets, ~TCellSet(0), 0);
    search.Run(std::int64_t(1) << 22);
    const auto teaches = [&](std::uint32_t state, const std::vector<TPush> &pushes) {
        return Teaches(lesson, search, drawn, state, pushes);
    };
    const std::vector<TCandidate> best =
        BestCandidates(search, drawn.Room, targets, lesson.MinPushes, lesson.MaxPushes, 1, teaches);
    if (best.empty() ||
        static_cast<int>(CellsOf(search.Boxes(best[0].State)).size()) != lesson.Boxes)
        throw std::logic_error("tutorial " + std::to_string(number) + " does not show \"" +
                               lesson.Idea + "\"");
    const std::vector<int> area = CellsOf(search.KeeperArea(best[0].State));
    const TPuzzle start{.Room = drawn.Room,
                        .Boxes = CellsOf(search.Boxes(best[0].State)),
                        .Targets = drawn.Targets,
                        .Keeper = PickKeeper(rng, area, drawn.Targets)};
    // A lesson's room is drawn by hand and its solution is short: nothing is trimmed or
    // turned down.
    const TFinishRules rules{
        .RejectGreedy = false, .Trim = false, .RequireReturn = false, .LimitFloor = false};
    TMadeLevel made = FinishLevel(start, PushesFrom(search, drawn.Room, best[0].State), rules);
    made.StatesSearched = search.StateCount();
    return made;
}

} // namespace levelgen
