// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "global.h"

std::vector<TLevel> Levels;
std::int32_t LevelCount = 0;
std::int32_t CurrentLevel = 0;

void SizeTablo(TTablo &tablo, std::int32_t width, std::int32_t height, char fill)
{
    const auto columns = static_cast<std::size_t>(width > 0 ? width : 0);
    const auto rows = static_cast<std::size_t>(height > 0 ? height : 0);
    tablo.assign(columns, std::vector<char>(rows, fill));
}
