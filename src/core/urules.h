// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "global.h"

#include <array>
#include <string_view>

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
