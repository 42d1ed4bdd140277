// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "puzzle.h"

#include "ulevels.h"
#include "urules.h"

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

// Boxes, targets and keeper read from the grid that was mapped onto `room`.
void ReadPieces(const TLevel &grid, TPuzzle &puzzle)
{
    const TRoom &room = puzzle.Room;
    for (int cell = 0; cell < room.FloorCount(); ++cell) {
        const char c = grid.Tablo[room.X(cell) + room.OriginX()][room.Y(cell) + room.OriginY()];
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
            if (Room.Tile(x, y) == TRoomTile::Wall)
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
    TLevel grid;
    ReadLevelGrid(grid, TLines(rows.begin(), rows.end()));
    // Only the keeper's area is floor: blank the other open cells. Without a keeper
    // there is no floor at all.
    std::vector<char> floor(static_cast<std::size_t>(grid.Width * grid.Height), 0);
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (FindKeeper(grid.Tablo, grid.Width, grid.Height, x, y)) {
        const std::vector<std::vector<char>> reach =
            KeeperReach(grid.Tablo, grid.Width, grid.Height, x, y);
        for (std::int32_t row = 0; row < grid.Height; ++row) {
            for (std::int32_t column = 0; column < grid.Width; ++column)
                floor[row * grid.Width + column] = reach[column][row];
        }
    }
    TPuzzle puzzle;
    puzzle.Room = TRoom::FromFloor(grid.Width, grid.Height, floor);
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
