// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "urules.h"

#include "ulevels.h"

#include <utility>

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

bool FindKeeper(const TTablo &tablo, std::int32_t width, std::int32_t height, std::int32_t &x,
                std::int32_t &y)
{
    bool found = false;
    for (std::int32_t row = 0; row < height; ++row) {
        for (std::int32_t column = 0; column < width; ++column) {
            if (IsKeeperCell(tablo[column][row])) {
                x = column;
                y = row;
                found = true;
            }
        }
    }
    return found;
}

std::vector<std::vector<char>> KeeperReach(const TTablo &tablo, std::int32_t width,
                                           std::int32_t height, std::int32_t x, std::int32_t y)
{
    std::vector<std::vector<char>> reach(static_cast<std::size_t>(width),
                                         std::vector<char>(static_cast<std::size_t>(height), 0));
    std::vector<std::pair<std::int32_t, std::int32_t>> stack{{x, y}};
    reach[x][y] = 1;
    while (!stack.empty()) {
        const auto [cx, cy] = stack.back();
        stack.pop_back();
        for (int d = 0; d < DirectionCount; ++d) {
            const std::int32_t nx = cx + DeltaX[d];
            const std::int32_t ny = cy + DeltaY[d];
            const char cell = ReadCell(tablo, width, height, nx, ny);
            if (cell == OutsideCell || cell == '#' || reach[nx][ny])
                continue;
            reach[nx][ny] = 1;
            stack.emplace_back(nx, ny);
        }
    }
    return reach;
}

bool PlayLetter(TTablo &tablo, std::int32_t width, std::int32_t height, std::int32_t &x,
                std::int32_t &y, char letter)
{
    const int d = LetterDirection(letter);
    if (d < 0)
        return false;
    const std::int32_t xs[3] = {x, x + DeltaX[d], x + 2 * DeltaX[d]};
    const std::int32_t ys[3] = {y, y + DeltaY[d], y + 2 * DeltaY[d]};
    char before[3];
    for (int i = 0; i < 3; ++i)
        before[i] = ReadCell(tablo, width, height, xs[i], ys[i]);
    const std::array<char, 3> after = RewriteCells(before[0], before[1], before[2]);
    if (after[0] == before[0] || IsBoxCell(before[1]) != IsPushLetter(letter))
        return false;
    for (int i = 0; i < 3; ++i) {
        if (before[i] != OutsideCell)
            tablo[xs[i]][ys[i]] = after[i];
    }
    x = xs[1];
    y = ys[1];
    return true;
}

std::size_t ReplayLetters(TTablo &tablo, std::int32_t width, std::int32_t height,
                          std::string_view letters)
{
    std::int32_t x = -1;
    std::int32_t y = -1;
    if (!FindKeeper(tablo, width, height, x, y))
        return 0;
    std::size_t played = 0;
    while (played < letters.size() && !IsSolvedTablo(tablo) &&
           PlayLetter(tablo, width, height, x, y, letters[played]))
        ++played;
    return played;
}
