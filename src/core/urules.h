// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "global.h"

#include <array>
#include <cstddef>
#include <string_view>

// Directions, in the order of the solution letters: "lurd" for the keeper's steps,
// "LURD" for his pushes.
inline constexpr int DirectionCount = 4;
inline constexpr std::array<int, DirectionCount> DeltaX{-1, 0, 1, 0};
inline constexpr std::array<int, DirectionCount> DeltaY{0, -1, 0, 1};
inline constexpr std::array<char, DirectionCount> WalkLetters{'l', 'u', 'r', 'd'};
inline constexpr std::array<char, DirectionCount> PushLetters{'L', 'U', 'R', 'D'};

inline constexpr int Opposite(int direction)
{
    return (direction + 2) % DirectionCount;
}

// The direction a solution letter names, step or push; -1 for any other character.
inline int LetterDirection(char letter)
{
    for (int d = 0; d < DirectionCount; ++d) {
        if (letter == WalkLetters[d] || letter == PushLetters[d])
            return d;
    }
    return -1;
}

inline bool IsPushLetter(char letter)
{
    return letter >= 'A' && letter <= 'Z';
}

// What a position outside the grid reads as: it matches no rule, so the edge blocks.
inline constexpr char OutsideCell = 'Z';

// The cell at (x, y) of a width x height grid, or OutsideCell beyond its edges.
char ReadCell(const TTablo &tablo, std::int32_t width, std::int32_t height, std::int32_t x,
              std::int32_t y);

// One row of a rewrite table: when the cells read Pattern, they become Replacement.
struct TRewriteRule {
    std::string_view Pattern;
    std::string_view Replacement;
};

// Keeper cell and next cell.
inline constexpr std::array<TRewriteRule, 4> StepTable{{
    {"@ ", " @"},
    {"@.", " +"},
    {"+ ", ".@"},
    {"+.", ".+"},
}};

// Keeper cell, next cell and the cell beyond.
inline constexpr std::array<TRewriteRule, 8> PushTable{{
    {"@$ ", " @$"},
    {"@$.", " @*"},
    {"@* ", " +$"},
    {"@*.", " +*"},
    {"+$ ", ".@$"},
    {"+$.", ".@*"},
    {"+* ", ".+$"},
    {"+*.", ".+*"},
}};

// The three cells of one press after the tables: a push overrides a step,
// and cells that match no row keep their characters.
std::array<char, 3> RewriteCells(char c0, char c1, char c2);

// No box off a target, at least one box on a target, and no free target
// (a target under the keeper is not counted).
bool IsSolvedTablo(const TTablo &tablo);

// Where the keeper stands: the last keeper cell in reading order, the one that drawing
// the grid cell after cell leaves current. False, x and y untouched, when there is none.
bool FindKeeper(const TTablo &tablo, std::int32_t width, std::int32_t height, std::int32_t &x,
                std::int32_t &y);

// Per cell of a grid, [x][y]: 1 where the keeper on (x, y) can walk through cells that
// are not walls ('#'), without leaving the grid.
std::vector<std::vector<char>> KeeperReach(const TTablo &tablo, std::int32_t width,
                                           std::int32_t height, std::int32_t x, std::int32_t y);

// Plays one solution letter through the tables, the keeper on (x, y) following it.
// False, the grid untouched, when the letter does not do what its case says: a step
// must move the keeper and push nothing, a push must push a box.
bool PlayLetter(TTablo &tablo, std::int32_t width, std::int32_t height, std::int32_t &x,
                std::int32_t &y, char letter);

// Plays letters one after the other from the keeper FindKeeper finds, stopping before
// a letter that PlayLetter refuses or once the grid is solved; how many were played.
// A solution solves the grid when all of it plays and IsSolvedTablo holds after.
std::size_t ReplayLetters(TTablo &tablo, std::int32_t width, std::int32_t height,
                          std::string_view letters);
