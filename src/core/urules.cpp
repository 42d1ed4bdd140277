// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "urules.h"

std::array<char, 3> RewriteCells(char c0, char c1, char c2)
{
    const char step[2] = {c0, c1};
    const char push[3] = {c0, c1, c2};
    std::array<char, 3> result{c0, c1, c2};
    for (const TRewriteRule &rule : StepTable) {
        if (rule.Pattern == std::string_view(step, 2)) {
            result[0] = rule.Replacement[0];
            result[1] = rule.Replacement[1];
        }
    }
    for (const TRewriteRule &rule : PushTable) {
        if (rule.Pattern == std::string_view(push, 3)) {
            for (std::size_t i = 0; i < 3; ++i)
                result[i] = rule.Replacement[i];
        }
    }
    return result;
}

bool IsSolvedTablo(const TTablo &tablo)
{
    int boxes = 0;
    int placed = 0;
    int targets = 0;
    for (const auto &column : tablo) {
        for (const char cell : column) {
            boxes += cell == '$';
            placed += cell == '*';
            targets += cell == '.';
        }
    }
    return boxes == 0 && placed > 0 && targets == 0;
}

char ReadCell(const TTablo &tablo, std::int32_t width, std::int32_t height, std::int32_t x,
              std::int32_t y)
{
    if (x < 0 || x >= width || y < 0 || y >= height)
        return OutsideCell;
    return tablo[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
}
