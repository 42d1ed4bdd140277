// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "levelset.h"

#include "prng.h"
#include "ulevels.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <exception>
#include <set>
#include <thread>

namespace levelgen
{

namespace
{

constexpr int TitleFirstCount = 124;
constexpr int SlashDateCount = 59;
constexpr int RaggedCount = 87;
constexpr int LevelsPerWorld = 10;

const char *const Places[] = {
    "ENTREPOT", "HANGAR",  "QUAI",     "DOCK",    "CELLIER",  "GRENIER", "ATELIER",
    "COULOIR",  "DEPOT",   "MAGASIN",  "PASSAGE", "CAVE",     "REMISE",  "SILO",
    "COMPTOIR", "ARSENAL", "CHANTIER", "GARAGE",  "PAVILLON", "BASTION", "MOULIN",
};
const char *const Places2[] = {
    "DU NORD",     "DU SUD",     "DE L'EST", "DE L'OUEST", "DES BRUMES", "DU PORT",
    "DES CAISSES", "DU MEUNIER", "D'HIVER",  "D'ETE",      "DU MARCHE",  "DES ANCRES",
    "DU CANAL",    "DE MINUIT",  "DU PHARE", "DES VENTS",  "DU FLEUVE",  "DES TISSEURS",
};
const char *const Mails[] = {"equipe@example.org", "niveaux@example.org", "bramlek@example.org"};
const char *const Pages[] = {
    "https://www.example.org/vorkade/",        "https://www.example.org/vorkade/tutoriel",
    "https://www.example.org/vorkade/mondes",  "https://www.example.org/vorkade/niveaux",
    "https://www.example.org/vorkade/editeur", "https://www.example.org/vorkade/aide",
    "https://www.example.org/vorkade/equipe",
};

// Level numbers 1..LevelTotal in an order drawn from the master seed and `stream`: the first
// `count` of them get a property.
bool Among(std::uint64_t masterSeed, int stream, int count, int number)
{
    std::vector<int> numbers(LevelTotal);
    for (int i = 0; i < LevelTotal; ++i)
        numbers[i] = i + 1;
    TPrng rng(LevelSeed(masterSeed, 0, stream));
    rng.Shuffle(numbers);
    return std::find(numbers.begin(), numbers.begin() + count, number) != numbers.begin() + count;
}

std::string FreeTitle(std::uint64_t masterSeed, int number)
{
    std::vector<std::string> titles;
    for (const char *place : Places) {
        for (const char *side : Places2)
            titles.push_back(std::string(place) + " " + side);
    }
    TPrng rng(LevelSeed(masterSeed, 0, 4));
    rng.Shuffle(titles);
    return titles[number - 1];
}

// A world comes out a week after the one before; the tutorial a week before world 1.
std::string DateOf(int world, char separator)
{
    static const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int year = 2025, month = 10, day = 6 + 7 * world;
    while (day > monthDays[month - 1]) {
        day -= monthDays[month - 1];
        month = month % 12 + 1;
        year += month == 1;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%04d%c%02d%c%02d", year, separator, month, separator, day);
    return text;
}

// The grid under the eight turns and mirrors, the smallest of the eight spellings.
std::string CanonicalGrid(const std::vector<std::string> &rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows[0].size());
    std::string best;
    for (int symmetry = 0; symmetry < 8; ++symmetry) {
        const bool swap = symmetry & 4;
        const int outWidth = swap ? height : width;
        const int outHeight = swap ? width : height;
        std::string text;
        for (int y = 0; y < outHeight; ++y) {
            for (int x = 0; x < outWidth; ++x) {
                int sx = swap ? y : x;
                int sy = swap ? x : y;
                sx = (symmetry & 1) ? width - 1 - sx : sx;
                sy = (symmetry & 2) ? height - 1 - sy : sy;
                text += rows[sy][sx];
            }
            text += '\n';
        }
        if (best.empty() || text < best)
            best = text;
    }
    return best;
}

std::string RightTrimmed(std::string row)
{
    row.erase(row.find_last_not_of(' ') + 1);
    return row;
}

// The upper median of an even count.
template <typename T> T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? T() : values[values.size() / 2];
}

// Levels skipped + 1..skipped + count made with salt 0 by threads that each take the
// next level nobody has taken; a level's failure is kept for the caller.
class TLevelWork
{
public:
    TLevelWork(std::uint64_t masterSeed, int skipped, int count,
               const std::function<void(int, const TMadeLevel &)> &progress)
        : myMasterSeed(masterSeed), mySkipped(skipped), myProgress(progress), myLevels(count),
          myFailures(count)
    {
    }

    // One thread's share of the work.
    void TakeShare()
    {
        for (std::size_t i = myNext++; i < myLevels.size(); i = myNext++) {
            const int number = mySkipped + static_cast<int>(i) + 1;
            try {
                myLevels[i] = MakeLevel(myMasterSeed, number, 0);
                if (myProgress)
                    myProgress(number, myLevels[i]);
            } catch (...) {
                myFailures[i] = std::current_exception();
            }
        }
    }

    // Once every thread is done: the levels, or the first level's failure thrown again.
    std::vector<TMadeLevel> Results()
    {
        for (const std::exception_ptr &failure : myFailures) {
            if (failure)
                std::rethrow_exception(failure);
        }
        return std::move(myLevels);
    }

private:
    std::uint64_t myMasterSeed;
    int mySkipped;
    const std::function<void(int, const TMadeLevel &)> &myProgress;
    std::vector<TMadeLevel> myLevels;
    std::vector<std::exception_ptr> myFailures;
    std::atomic<std::size_t> myNext{0};
};

} // namespace

TLevelInfo LevelInfoOf(std::uint64_t masterSeed, int number)
{
    const int world = WorldOf(number);
    const int place = (number - 1) % LevelsPerWorld + 1;
    TLevelInfo info;
    char text[32];
    if (world == 0) {
        std::snprintf(text, sizeof text, "TUTORIAL %02d", place);
        info.Title = text;
        info.Collection = "TUTORIAL";
    } else {
        info.Title = FreeTitle(masterSeed, number - 10);
        std::snprintf(text, sizeof text, "MONDE %02d", world);
        info.Collection = text;
    }
    info.AuthorMail = Mails[world % 3];
    info.AuthorPage = Pages[(world + place) % 7];
    info.Date = DateOf(world, Among(masterSeed, 1, SlashDateCount, number) ? '/' : '-');
    info.TitleFirst = Among(masterSeed, 2, TitleFirstCount, number);
    info.Ragged = Among(masterSeed, 3, RaggedCount, number);
    return info;
}

std::vector<TMadeLevel> MakeLevels(std::uint64_t masterSeed, int first, int last, int threads,
                                   const std::function<void(int, const TMadeLevel &)> &progress,
                                   const std::vector<TLevel> &earlier)
{
    // Whether a level is made again depends on every level before it, so without the
    // earlier grids a part of the set is made from level 1 on and cut out at the end.
    const bool given = static_cast<int>(earlier.size()) >= first - 1;
    const int skipped = given ? first - 1 : 0;
    std::set<std::string> seen;
    for (int i = 0; i < skipped; ++i)
        seen.insert(
            CanonicalGrid(TabloRows(earlier[i].Tablo, earlier[i].Width, earlier[i].Height)));
    TLevelWork work(masterSeed, skipped, last - skipped, progress);
    std::vector<std::thread> workers;
    for (int i = 0; i < std::max(1, threads); ++i)
        workers.emplace_back(&TLevelWork::TakeShare, &work);
    for (std::thread &worker : workers)
        worker.join();
    std::vector<TMadeLevel> levels = work.Results();
    for (std::size_t i = 0; i < levels.size(); ++i) {
        for (int salt = 1; seen.count(CanonicalGrid(levels[i].Rows)) != 0; ++salt)
            levels[i] = MakeLevel(masterSeed, skipped + static_cast<int>(i) + 1, salt);
        seen.insert(CanonicalGrid(levels[i].Rows));
    }
    levels.erase(levels.begin(), levels.begin() + (first - 1 - skipped));
    return levels;
}

std::string LevelBlock(const TMadeLevel &level, const TLevelInfo &info)
{
    std::string block = "[LEVEL]\r\n";
    for (const std::string &row : level.Rows)
        block += (info.Ragged ? RightTrimmed(row) : row) + "\r\n";
    const std::string author = "Author=Equipe Vorkade\r\n";
    const std::string title = "Title=" + info.Title + "\r\nCollection=" + info.Collection + "\r\n";
    const std::string links =
        "AuthorMail=" + info.AuthorMail + "\r\nAuthorPage=" + info.AuthorPage + "\r\n";
    const std::string date = "Date=" + info.Date + "\r\n";
    block += info.TitleFirst ? title + date + author + links : author + title + links + date;
    return block + "[/LEVEL]\r\n";
}

std::string SolutionLine(int number, const TMadeLevel &level)
{
    return std::to_string(number) + " " + level.Solution + "\n";
}

namespace
{

// "min / median / max" of a column.
template <typename T> std::string Spread(const std::vector<T> &values)
{
    return std::to_string(*std::min_element(values.begin(), values.end())) + " / " +
           std::to_string(Median(values)) + " / " +
           std::to_string(*std::max_element(values.begin(), values.end()));
}

int AreaOf(const TMadeLevel &level)
{
    return static_cast<int>(level.Rows.size() * level.Rows[0].size());
}

// A Markdown table row of the cells given.
std::string TableRow(const std::vector<std::string> &cells)
{
    std::string row = "|";
    for (const std::string &cell : cells)
        row += " " + cell + " |";
    return row + "\n";
}

// The figures of one world: the levels start..start + LevelsPerWorld - 1 that there are.
struct TWorldFigures {
    std::vector<int> Boxes, Pushes, Changes, Detours, Cells;
    std::vector<std::int64_t> Below;
    std::int64_t States = 0;
    const TMadeLevel *Largest = nullptr;
};

TWorldFigures FiguresOf(const std::vector<TMadeLevel> &levels, std::size_t start)
{
    TWorldFigures figures;
    figures.Largest = &levels[start];
    for (std::size_t i = start; i < std::min(levels.size(), start + LevelsPerWorld); ++i) {
        const TMadeLevel &level = levels[i];
        figures.Boxes.push_back(level.Boxes);
        figures.Pushes.push_back(level.Pushes);
        figures.Changes.push_back(level.BoxChanges);
        figures.Detours.push_back(level.Detour);
        figures.Below.push_back(level.BelowOptimum);
        figures.Cells.push_back(AreaOf(level));
        figures.States += level.StatesSearched;
        if (AreaOf(level) > AreaOf(*figures.Largest))
            figures.Largest = &level;
    }
    return figures;
}

std::string WorldRow(const std::vector<TMadeLevel> &levels, std::size_t start)
{
    const TWorldFigures figures = FiguresOf(levels, start);
    const int world = static_cast<int>(start / LevelsPerWorld);
    const auto [fewest, most] = std::minmax_element(figures.Boxes.begin(), figures.Boxes.end());
    const TMadeLevel &largest = *figures.Largest;
    return TableRow({
        world == 0 ? "Tutorial" : "World " + std::to_string(world),
        std::to_string(*fewest) + "-" + std::to_string(*most),
        Spread(figures.Pushes),
        std::to_string(Median(figures.Changes)),
        Spread(figures.Detours),
        Spread(figures.Below),
        std::to_string(Median(figures.Cells)),
        std::to_string(largest.Rows[0].size()) + " x " + std::to_string(largest.Rows.size()),
        std::to_string(figures.States),
    });
}

} // namespace

std::string StatisticsTable(const std::vector<TMadeLevel> &levels)
{
    std::string table =
        "| World | Boxes | Optimal pushes (min / median / max) | Box changes (median) | "
        "Detour D (min / median / max) | Must-expand N< (min / median / max) | "
        "Room cells (median) | Largest room | States searched |\n"
        "|---|---|---|---|---|---|---|---|---|\n";
    for (std::size_t start = 0; start < levels.size(); start += LevelsPerWorld)
        table += WorldRow(levels, start);
    return table;
}

} // namespace levelgen
