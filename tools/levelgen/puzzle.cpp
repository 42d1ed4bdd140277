// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "puzzle.h"

#include "ulevels.h"

#include <algorithm>

namespace levelgen
{

namespace
{

char CellChar(bool box, bool target, bool keeper)
{
    if (box)
        return target ? '*' : '$';
    if (keeper)
        return target ? '+' : '@';
    return target ? '.' : ' ';
}

// Boxes, targets and keeper read from rows whose grid was mapped onto `room`.
void ReadPieces(const std::vector<std::string> &rows, TPuzzle &puzzle)
{
    const TRoom &room = puzzle.Room;
    for (int cell = 0; cell < room.FloorCount(); ++cell) {
        const char c = rows[room.Y(cell) + room.OriginY()][room.X(cell) + room.OriginX()];
        if (IsBoxCell(c))
            puzzle.Boxes.push_back(cell);
        if (IsTargetCell(c))
            puzzle.Targets.push_back(cell);
        if (IsKeeperCell(c))
            puzzle.Keeper = cell;
    }
}

} // namespace

std::vector<std::string> TPuzzle::Rows() const
{
    std::vector<std::string> rows(Room.Height(), std::string(Room.Width(), ' '));
    for (int y = 0; y < Room.Height(); ++y) {
        for (int x = 0; x < Room.Width(); ++x) {
            if (Room.Tile(x, y) == TTile::Wall)
                rows[y][x] = '#';
        }
    }
    for (int cell = 0; cell < Room.FloorCount(); ++cell) {
        const bool box = std::binary_search(Boxes.begin(), Boxes.end(), cell);
        const bool target = std::binary_search(Targets.begin(), Targets.end(), cell);
        rows[Room.Y(cell)][Room.X(cell)] = CellChar(box, target, cell == Keeper);
    }
    return rows;
}

TPuzzle TPuzzle::FromRows(const std::vector<std::string> &rows)
{
    const int height = static_cast<int>(rows.size());
    int width = 0;
    for (const std::string &row : rows)
        width = std::max(width, static_cast<int>(row.size()));
    std::vector<std::string> grid = rows;
    for (std::string &row : grid)
        row.resize(width, ' ');

    std::vector<char> open(static_cast<std::size_t>(width * height), 0);
    int keeper = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            open[y * width + x] = grid[y][x] != '#';
            if (IsKeeperCell(grid[y][x]))
                keeper = y * width + x;
        }
    }
    // Only the keeper's area is floor: blank the other open cells. Without a keeper
    // there is no floor at all.
    std::vector<char> floor(open.size(), 0);
    if (keeper >= 0 && width > 0) {
        std::vector<int> stack{keeper};
        floor[keeper] = 1;
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            for (int d = 0; d < DirectionCount; ++d) {
                const int x = i % width + DeltaX[d];
                const int y = i / width + DeltaY[d];
                const int n = y * width + x;
                if (x < 0 || y < 0 || x >= width || y >= height || !open[n] || floor[n])
                    continue;
                floor[n] = 1;
                stack.push_back(n);
            }
        }
    }
    TPuzzle puzzle;
    puzzle.Room = TRoom::FromFloor(width, height, floor);
    ReadPieces(grid, puzzle);
    return puzzle;
}

TPuzzle TPuzzle::WithFloor(const std::vector<char> &keep) const
{
    std::vector<std::string> rows = Rows();
    for (int cell = 0; cell < Room.FloorCount(); ++cell) {
        if (!keep[cell])
            rows[Room.Y(cell)][Room.X(cell)] = '#';
    }
    return FromRows(rows);
}

} // namespace levelgen
