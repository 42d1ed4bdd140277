// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "room.h"

#include <algorithm>

namespace levelgen
{

namespace
{

// The cells of the 4-connected floor area holding `start`, found by a stack walk.
std::vector<int> FloorArea(int width, int height, const std::vector<char> &floor, int start,
                           std::vector<char> &seen)
{
    std::vector<int> area{start};
    seen[start] = 1;
    for (std::size_t i = 0; i < area.size(); ++i) {
        const int x = area[i] % width;
        const int y = area[i] / width;
        for (int d = 0; d < DirectionCount; ++d) {
            const int nx = x + DeltaX[d];
            const int ny = y + DeltaY[d];
            const int n = ny * width + nx;
            if (nx < 0 || ny < 0 || nx >= width || ny >= height || !floor[n] || seen[n])
                continue;
            seen[n] = 1;
            area.push_back(n);
        }
    }
    return area;
}

// The largest 4-connected area; the first one found wins a tie.
std::vector<int> LargestArea(int width, int height, const std::vector<char> &floor)
{
    std::vector<char> seen(floor.size(), 0);
    std::vector<int> best;
    for (int i = 0; i < width * height; ++i) {
        if (!floor[i] || seen[i])
            continue;
        std::vector<int> area = FloorArea(width, height, floor, i, seen);
        if (area.size() > best.size())
            best = std::move(area);
    }
    return best;
}

} // namespace

TRoom TRoom::FromFloor(int width, int height, const std::vector<char> &floor)
{
    const std::vector<int> area = LargestArea(width, height, floor);
    TRoom room;
    if (area.empty())
        return room;
    int left = width, top = height, right = 0, bottom = 0;
    for (const int i : area) {
        left = std::min(left, i % width);
        right = std::max(right, i % width);
        top = std::min(top, i / width);
        bottom = std::max(bottom, i / width);
    }
    // One wall cell on every side of the floor's bounding box.
    room.myOriginX = left - 1;
    room.myOriginY = top - 1;
    room.myWidth = right - left + 3;
    room.myHeight = bottom - top + 3;
    room.myTiles.assign(static_cast<std::size_t>(room.myWidth) *
                            static_cast<std::size_t>(room.myHeight),
                        TRoomTile::Blank);
    for (const int i : area) {
        const int x = i % width - left + 1;
        const int y = i / width - top + 1;
        room.myTiles[y * room.myWidth + x] = TRoomTile::Floor;
    }
    for (const int i : area) {
        const int x = i % width - left + 1;
        const int y = i / width - top + 1;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                TRoomTile &tile = room.myTiles[(y + dy) * room.myWidth + x + dx];
                if (tile == TRoomTile::Blank)
                    tile = TRoomTile::Wall;
            }
        }
    }
    room.Number();
    return room;
}

TRoomTile TRoom::Tile(int x, int y) const
{
    if (x < 0 || y < 0 || x >= myWidth || y >= myHeight)
        return TRoomTile::Blank;
    return myTiles[y * myWidth + x];
}

int TRoom::FloorAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= myWidth || y >= myHeight)
        return -1;
    return myFloorAt[y * myWidth + x];
}

void TRoom::Number()
{
    myFloorAt.assign(myTiles.size(), -1);
    for (int y = 0; y < myHeight; ++y) {
        for (int x = 0; x < myWidth; ++x) {
            if (myTiles[y * myWidth + x] != TRoomTile::Floor)
                continue;
            myFloorAt[y * myWidth + x] = static_cast<int>(myX.size());
            myX.push_back(x);
            myY.push_back(y);
        }
    }
    myNext.resize(myX.size());
    for (std::size_t cell = 0; cell < myX.size(); ++cell) {
        for (int d = 0; d < DirectionCount; ++d)
            myNext[cell][d] = FloorAt(myX[cell] + DeltaX[d], myY[cell] + DeltaY[d]);
    }
}

} // namespace levelgen
