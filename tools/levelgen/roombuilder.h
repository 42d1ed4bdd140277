// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "prng.h"
#include "room.h"

#include <vector>

namespace levelgen
{

// How a room is drawn: rectangles joined on a canvas, then notches cut into its
// outline and pillars stood on its open floor.
struct TRoomShape {
    int CanvasWidth = 10; // the floor's extent at most; walls come around it
    int CanvasHeight = 8;
    int MinSide = 2;
    int MaxSide = 5;
    int Notches = 2;
    int Pillars = 2;
    int MinFloor = 12;
    int MaxFloor = 40;
    // The chance, in percent, that a rectangle grows out from the drawing's edge
    // instead of from any cell of it: rooms that sprawl, with arms and corridors.
    int EdgePercent = 0;
    int MinHeight = 0; // rows, walls included
};

// The drawing itself: `floor` marks, row by row on the canvas, the cells drawn as
// floor; they may fall apart in pieces, which TRoom::FromFloor settles.
std::vector<char> DrawFloor(TPrng &rng, const TRoomShape &shape);

// A room drawn at random in the given shape, or an empty room (FloorCount() == 0)
// when the drawing's floor count falls outside MinFloor..MaxFloor or the room is
// lower than MinHeight.
TRoom BuildRoom(TPrng &rng, const TRoomShape &shape);

} // namespace levelgen
