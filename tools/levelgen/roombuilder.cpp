// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "roombuilder.h"

#include <algorithm>
#include <vector>

namespace levelgen
{

namespace
{

class TCanvas
{
public:
    TCanvas(int width, int height)
        : myWidth(width), myHeight(height), myFloor(static_cast<std::size_t>(width * height), 0)
    {
    }

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < myWidth && y < myHeight; }

    bool Floor(int x, int y) const { return Inside(x, y) && myFloor[y * myWidth + x]; }

    void Set(int x, int y, bool floor)
    {
        if (Inside(x, y))
            myFloor[y * myWidth + x] = floor ? 1 : 0;
    }

    void Fill(int left, int top, int width, int height, bool floor)
    {
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x)
                Set(x, y, floor);
        }
    }

    // Cells for which `wanted` holds, row by row.
    template <class F> std::vector<int> Cells(F wanted) const
    {
        std::vector<int> cells;
        for (int y = 0; y < myHeight; ++y) {
            for (int x = 0; x < myWidth; ++x) {
                if (wanted(x, y))
                    cells.push_back(y * myWidth + x);
            }
        }
        return cells;
    }

    const std::vector<char> &Floor() const { return myFloor; }

    int FloorCount() const
    {
        return static_cast<int>(std::count(myFloor.begin(), myFloor.end(), 1));
    }

    int Width() const { return myWidth; }

private:
    int myWidth;
    int myHeight;
    std::vector<char> myFloor;
};

// The drawn cell furthest out towards a side drawn at random.
int EdgeCell(TPrng &rng, const std::vector<int> &floor, int width)
{
    const int side = static_cast<int>(rng.Below(DirectionCount));
    const auto outward = [&](int cell) {
        return (cell % width) * DeltaX[side] + (cell / width) * DeltaY[side];
    };
    return *std::max_element(floor.begin(), floor.end(),
                             [&](int a, int b) { return outward(a) < outward(b); });
}

// Rectangles until the floor reaches a size drawn in the shape's range; notches and
// pillars take a few cells back afterwards.
void JoinRectangles(TPrng &rng, const TRoomShape &shape, TCanvas &canvas)
{
    constexpr int MostRectangles = 40;
    const int wanted = rng.Between(shape.MinFloor + shape.Notches, shape.MaxFloor);
    for (int i = 0; i < MostRectangles && canvas.FloorCount() < wanted; ++i) {
        const int w = rng.Between(shape.MinSide, std::min(shape.MaxSide, shape.CanvasWidth));
        const int h = rng.Between(shape.MinSide, std::min(shape.MaxSide, shape.CanvasHeight));
        const std::vector<int> floor =
            canvas.Cells([&](int x, int y) { return canvas.Floor(x, y); });
        int left = rng.Between(0, shape.CanvasWidth - w);
        int top = rng.Between(0, shape.CanvasHeight - h);
        if (!floor.empty()) {
            // Overlap a cell already drawn, so the rectangles stay joined.
            const int anchor = shape.EdgePercent > 0 && rng.Percent(shape.EdgePercent)
                                   ? EdgeCell(rng, floor, canvas.Width())
                                   : floor[rng.Below(static_cast<std::uint32_t>(floor.size()))];
            left = std::clamp(anchor % canvas.Width() - rng.Between(0, w - 1), 0,
                              shape.CanvasWidth - w);
            top = std::clamp(anchor / canvas.Width() - rng.Between(0, h - 1), 0,
                             shape.CanvasHeight - h);
        }
        canvas.Fill(left, top, w, h, true);
    }
}

bool OnOutline(const TCanvas &canvas, int x, int y)
{
    if (!canvas.Floor(x, y))
        return false;
    for (int d = 0; d < DirectionCount; ++d) {
        if (!canvas.Floor(x + DeltaX[d], y + DeltaY[d]))
            return true;
    }
    return false;
}

bool OpenAround(const TCanvas &canvas, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (!canvas.Floor(x + dx, y + dy))
                return false;
        }
    }
    return true;
}

// A notch takes one or two cells out of the outline.
void CutNotches(TPrng &rng, const TRoomShape &shape, TCanvas &canvas)
{
    for (int i = 0; i < shape.Notches; ++i) {
        const std::vector<int> outline =
            canvas.Cells([&](int x, int y) { return OnOutline(canvas, x, y); });
        if (outline.empty())
            return;
        const int cell = outline[rng.Below(static_cast<std::uint32_t>(outline.size()))];
        const int d = static_cast<int>(rng.Below(DirectionCount));
        const int x = cell % canvas.Width();
        const int y = cell / canvas.Width();
        canvas.Set(x, y, false);
        if (rng.Percent(40))
            canvas.Set(x + DeltaX[d], y + DeltaY[d], false);
    }
}

// A pillar stands only on open floor, so it never cuts the room in two.
void StandPillars(TPrng &rng, const TRoomShape &shape, TCanvas &canvas)
{
    for (int i = 0; i < shape.Pillars; ++i) {
        const std::vector<int> open =
            canvas.Cells([&](int x, int y) { return OpenAround(canvas, x, y); });
        if (open.empty())
            return;
        const int cell = open[rng.Below(static_cast<std::uint32_t>(open.size()))];
        canvas.Set(cell % canvas.Width(), cell / canvas.Width(), false);
    }
}

} // namespace

std::vector<char> DrawFloor(TPrng &rng, const TRoomShape &shape)
{
    TCanvas canvas(shape.CanvasWidth, shape.CanvasHeight);
    JoinRectangles(rng, shape, canvas);
    CutNotches(rng, shape, canvas);
    StandPillars(rng, shape, canvas);
    return canvas.Floor();
}

TRoom BuildRoom(TPrng &rng, const TRoomShape &shape)
{
    TRoom room = TRoom::FromFloor(shape.CanvasWidth, shape.CanvasHeight, DrawFloor(rng, shape));
    if (room.FloorCount() < shape.MinFloor || room.FloorCount() > shape.MaxFloor ||
        room.Height() < shape.MinHeight)
        return {};
    return room;
}

} // namespace levelgen
