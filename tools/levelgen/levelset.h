// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "global.h"
#include "levelmaker.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace levelgen
{

inline constexpr std::uint64_t MasterSeed = 0x566F726B61646532ULL;
inline constexpr int LevelTotal = 280;

// The texts of one block and how it is laid out.
struct TLevelInfo {
    std::string Title;
    std::string Collection;
    std::string AuthorMail;
    std::string AuthorPage;
    std::string Date;
    bool TitleFirst = false; // Title, Collection, Date, Author... instead of Author, Title...
    bool Ragged = false;     // rows keep their own length instead of being filled with blanks
};

// The texts of level `number`, 1..LevelTotal; a pure function of the two arguments.
TLevelInfo LevelInfoOf(std::uint64_t masterSeed, int number);

// Levels first..last (1 <= first <= last <= LevelTotal) made by `threads` workers,
// element i being level first + i. A level equal to any earlier one of the set, under
// any turn or mirror, is made again with the next salt. The earlier levels are
// `earlier` (levels 1..first - 1 as the level text reader gives them) when it has them
// all, else they are made too; either way a part comes out as it stands in
// the whole set, and the result does not depend on the number of workers. `progress`,
// when given, hears of each level as it is done, from the worker threads.
std::vector<TMadeLevel>
MakeLevels(std::uint64_t masterSeed, int first, int last, int threads,
           const std::function<void(int, const TMadeLevel &)> &progress = {},
           const std::vector<TLevel> &earlier = {});

// The level's block in the level text, CR LF line ends.
std::string LevelBlock(const TMadeLevel &level, const TLevelInfo &info);
// The level's line in the solutions file, LF line end.
std::string SolutionLine(int number, const TMadeLevel &level);
// Per world: boxes, optimal pushes, box changes, detours, must-expand counts, room
// sizes and states searched; Markdown.
std::string StatisticsTable(const std::vector<TMadeLevel> &levels);

} // namespace levelgen
