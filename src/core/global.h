// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A level grid: Width columns of Height cells, indexed [x][y] with x the column
// (0 at the left) and y the row (0 at the top). One byte per cell, taken as is.
using TTablo = std::vector<std::vector<char>>;

// One level of the collection. Width and Height are both 0 (no grid) or both >= 1.
struct TLevel {
    TTablo Tablo;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::string Author;
    std::string Title;
    std::string Collection;
    std::string AuthorMail;
    std::string AuthorPage;
    std::string Date;
};

// Sizes a grid in one step to width columns of height cells; every cell becomes fill.
void SizeTablo(TTablo &tablo, std::int32_t width, std::int32_t height, char fill);

// The collection. Invariants between operations: Levels.size() == LevelCount;
// CurrentLevel == 0 exactly when LevelCount == 0, else 1 <= CurrentLevel <= LevelCount.
// Level number n (1-based) is Levels[n - 1].
extern std::vector<TLevel> Levels;
extern std::int32_t LevelCount;
extern std::int32_t CurrentLevel;
