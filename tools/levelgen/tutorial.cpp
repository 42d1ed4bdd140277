#include "tutorial.h"

#include "levelfinish.h"
#include "searchpick.h"

#include <stdexcept>
#include <string>

namespace levelgen
{

namespace
{

// One lesson: the room ('#' wall, '.' target, '@' any floor cell, to show where the
// floor is), the box count, the push window, and what the solution must show.
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
        {"une premiere poussee",
         {"#########", "#@      #", "#   .   #", "#########"},
         1,
         2,
         3,
         1,
         1,
         0,
         false,
         false},
        {"amener la caisse sur la cible",
         {"########", "#@     #", "#      #", "#      #", "#    . #", "########"},
         1,
         3,
         5,
         2,
         2,
         0,
         false,
         false},
        {"un coin piege la caisse",
         {"#########", "#@      #", "#       #", "#   #   #", "#     . #", "#########"},
         1,
         4,
         6,
         2,
         4,
         0,
         false,
         true},
        {"deux caisses",
         {"#########", "#@      #", "#       #", "#  . .  #", "#       #", "#########"},
         2,
         4,
         7,
         2,
         4,
         0,
         false,
         false},
        {"l'ordre compte",
         {"#########", "#..   @ #", "###  #  #", "  #     #", "  #######"},
         2,
         5,
         9,
         2,
         6,
         1,
         true,
         false},
        {"contourner la caisse",
         {"########", "#@     #", "#      #", "#  #   #", "#.     #", "########"},
         1,
         5,
         8,
         3,
         6,
         0,
         false,
         false},
        {"faire de la place",
         {"##########", "#@   #   #", "#        #", "#        #", "#..  #   #", "##########"},
         2,
         5,
         10,
         3,
         8,
         2,
         false,
         false},
        {"un couloir",
         {"##########", "#@   #   #", "#        #", "#    #  .#", "######  .#", "     #####"},
         2,
         6,
         10,
         2,
         8,
         1,
         false,
         false},
        {"aller et revenir",
         {"##########", "#@       #", "#  #  #  #", "#        #", "#   ..   #", "#        #",
          "##########"},
         2,
         6,
         11,
         3,
         10,
         2,
         false,
         false},
        {"tout ensemble",
         {"##########", "#..    @ #", "####  #  #", "   #     #", "   #  #  #", "   #     #",
          "   #######"},
         2,
         8,
         12,
         3,
         12,
         2,
         true,
         false},
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

bool Teaches(const TLesson &lesson, const TReverseSearch &search, const TPuzzle &room,
             std::uint32_t state, const std::vector<TPush> &pushes)
{
    // A keeper shut in a pocket would hide the lesson.
    constexpr int SmallestArea = 4;
    if (CellCount(search.KeeperArea(state)) < SmallestArea)
        return false;
    const TSolutionShape shape = ShapeOf(room.Room, pushes);
    if (shape.BoxLines < lesson.MinLines || shape.BoxLines > lesson.MaxLines ||
        shape.BoxChanges < lesson.MinChanges)
        return false;
    const TPuzzle start{room.Room, CellsOf(search.Boxes(state)), room.Targets,
                        search.KeeperCell(state)};
    if (lesson.GreedyFails && GreedySolves(start))
        return false;
    const std::vector<char> live = LiveCells(LoneBoxDistances(room.Room, room.Targets));
    return !lesson.CornerAtHand || CornerAtHand(search, room.Room, live, state);
}

} // namespace

const char *TutorialIdea(int number)
{
    return Lessons()[number - 1].Idea;
}

TMadeLevel MakeTutorialLevel(TPrng &rng, int number)
{
    const TLesson &lesson = Lessons()[number - 1];
    const TPuzzle room = TPuzzle::FromRows(lesson.Rows);
    const TCellSet targets = SetOf(room.Targets);
    TReverseSearch search(room.Room, targets, ~TCellSet(0), 0);
    search.Run(std::int64_t(1) << 22);
    const auto teaches = [&](std::uint32_t state, const std::vector<TPush> &pushes) {
        return Teaches(lesson, search, room, state, pushes);
    };
    const std::vector<TCandidate> best =
        BestCandidates(search, room.Room, targets, lesson.MinPushes, lesson.MaxPushes, 1, teaches);
    if (best.empty() ||
        static_cast<int>(CellsOf(search.Boxes(best[0].State)).size()) != lesson.Boxes)
        throw std::logic_error("tutorial " + std::to_string(number) + " does not hold its lesson");
    const std::vector<int> area = CellsOf(search.KeeperArea(best[0].State));
    const TPuzzle start{room.Room, CellsOf(search.Boxes(best[0].State)), room.Targets,
                        PickKeeper(rng, area, room.Targets)};
    TMadeLevel made = FinishLevel(start, PushesFrom(search, room.Room, best[0].State),
                                  {false, false, false, false});
    made.StatesSearched = search.StateCount();
    return made;
}

} // namespace levelgen
