// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "room.h"

#include <string>
#include <vector>

namespace levelgen
{

// A room with its boxes, targets and keeper, all given as floor cells of the room.
// Boxes and Targets are sorted and of equal size.
struct TPuzzle {
    TRoom Room;
    std::vector<int> Boxes;
    std::vector<int> Targets;
    int Keeper = -1;

    // The grid rows in the level text alphabet, every row Room.Width() long.
    std::vector<std::string> Rows() const;
    // The inverse of Rows: the floor is the area the keeper reaches through
    // non-wall cells, walled afresh, so a text with stray floor comes back clean.
    static TPuzzle FromRows(const std::vector<std::string> &rows);
    // The same puzzle on a room that lost some floor: `keep` tells, per floor cell,
    // whether it stays. Boxes, targets and keeper must all stay.
    TPuzzle WithFloor(const std::vector<char> &keep) const;
};

} // namespace levelgen
