// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The move rules through the play window: any small grid, any bytes in its cells,
// any presses. After every press the working grid keeps its size and its numbers
// of boxes and keepers, only the cells of the press change, the targets stay where
// they were, a lone keeper is where the window thinks it is, the collection's copy
// is untouched, and the board picture shows exactly the tiles of the grid.
//
// Input: byte 0 is the width and byte 1 the height, '1'..'8' read as 1..8 (any
// byte: its value minus 1, modulo 8, plus 1); then the cells, row by row, any byte,
// floor where the input ends first; every byte after them is one press, picked by
// its value modulo 32 from Presses below (so l, u, r, d and L, U, R, D are the four
// arrows, as in the solution lines of the level set). A move reads three cells in a
// line, so eight cells a side hold every case of the rules; a larger board only makes
// each reload dearer. Runs pass -max_len=16: a grid around the keeper and a dozen
// presses, where longer inputs only add presses to replay.
#include "fplay2d.h"
#include "fuzzwindow.h"
#include "global.h"
#include "imageview.h"
#include "tileset.h"
#include "ulevels.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace
{

enum class TEffect {
    Move,    // an arrow: at most the keeper's cell and the next two change
    Reload,  // navigation with a single level: the level starts again
    Nothing, // a key the window has no use for
};

struct TPress {
    TEffect Effect;
    int Key;    // 0: a click on one of ButtonNames
    int Dx, Dy; // the direction of a move
    Qt::KeyboardModifiers Modifiers;
};

// Indexed by a press byte modulo 32; index 7 clicks one of the five buttons. Most
// entries move, and few reload: a reload redraws the whole board.
const std::array<TPress, 32> Presses{{
    {TEffect::Reload, Qt::Key_Home, 0, 0, Qt::NoModifier},
    {TEffect::Reload, Qt::Key_End, 0, 0, Qt::NoModifier},
    {TEffect::Move, Qt::Key_Right, 1, 0, Qt::NoModifier},
    {TEffect::Reload, Qt::Key_PageUp, 0, 0, Qt::NoModifier},
    {TEffect::Move, Qt::Key_Down, 0, 1, Qt::NoModifier},
    {TEffect::Move, Qt::Key_Up, 0, -1, Qt::NoModifier},
    {TEffect::Reload, Qt::Key_PageDown, 0, 0, Qt::NoModifier},
    {TEffect::Reload, 0, 0, 0, Qt::NoModifier},
    {TEffect::Nothing, Qt::Key_Space, 0, 0, Qt::NoModifier},
    {TEffect::Move, Qt::Key_Left, -1, 0, Qt::ShiftModifier},
    {TEffect::Move, Qt::Key_Right, 1, 0, Qt::ControlModifier},
    {TEffect::Move, Qt::Key_Up, 0, -1, Qt::AltModifier},
    {TEffect::Move, Qt::Key_Left, -1, 0, Qt::NoModifier},
    {TEffect::Move, Qt::Key_Down, 0, 1, Qt::KeypadModifier},
    {TEffect::Nothing, Qt::Key_Escape, 0, 0, Qt::NoModifier},
    {TEffect::Move, Qt::Key_Right, 1, 0, Qt::ShiftModifier | Qt::ControlModifier},
    {TEffect::Move, Qt::Key_Left, -1, 0, Qt::NoModifier},
    {TEffect::Move, Qt::Key_Down, 0, 1, Qt::ShiftModifier},
    {TEffect::Move, Qt::Key_Right, 1, 0, Qt::NoModifier},
    {TEffect::Move, Qt::Key_Up, 0, -1, Qt::ControlModifier},
    {TEffect::Move, Qt::Key_Left, -1, 0, Qt::KeypadModifier},
    {TEffect::Move, Qt::Key_Up, 0, -1, Qt::NoModifier},
    {TEffect::Move, Qt::Key_Down, 0, 1, Qt::NoModifier},
    {TEffect::Move, Qt::Key_Right, 1, 0, Qt::AltModifier},
    {TEffect::Move, Qt::Key_Left, -1, 0, Qt::ControlModifier},
    {TEffect::Move, Qt::Key_Up, 0, -1, Qt::ShiftModifier},
    {TEffect::Move, Qt::Key_Right, 1, 0, Qt::KeypadModifier},
    {TEffect::Move, Qt::Key_Down, 0, 1, Qt::AltModifier},
    {TEffect::Nothing, Qt::Key_A, 0, 0, Qt::NoModifier},
    {TEffect::Move, Qt::Key_Up, 0, -1, Qt::KeypadModifier},
    {TEffect::Move, Qt::Key_Left, -1, 0, Qt::AltModifier},
    {TEffect::Move, Qt::Key_Down, 0, 1, Qt::ControlModifier},
}};

const std::array<const char *, 5> ButtonNames{
    "BTNPremierNiveau", "BTNNiveauPrecedent", "BTNNiveauAleatoire",
    "BTNNiveauSuivant", "BTNDernierNiveau",
};

TFRMPlay2D *Window = nullptr;
const QSize WindowSize(130, 150);

template <typename Predicate> int CountCells(const TTablo &tablo, Predicate predicate)
{
    int count = 0;
    for (const auto &column : tablo)
        count += static_cast<int>(std::count_if(column.begin(), column.end(), predicate));
    return count;
}

int SideOf(std::uint8_t byte)
{
    return (byte + 7) % 8 + 1;
}

// The same cell without its target.
char OffTarget(char c)
{
    switch (c) {
    case '.':
        return ' ';
    case '*':
        return '$';
    case '+':
        return '@';
    default:
        return c;
    }
}

// A solved grid opens the modal congratulation box, which would hold the run. Moves
// keep the boxes and the targets, so with more boxes than targets one box always
// stands off a target and the grid is never solved (with no box it never is either).
// Targets are taken away from the last cell backwards until that holds.
void KeepUnsolvable(TLevel &level)
{
    const int boxes = CountCells(level.Tablo, IsBoxCell);
    int targets = CountCells(level.Tablo, IsTargetCell);
    for (std::int32_t i = level.Width * level.Height - 1; i >= 0 && boxes > 0 && targets >= boxes;
         --i) {
        char &cell = level.Tablo[i % level.Width][i / level.Width];
        if (IsTargetCell(cell)) {
            cell = OffTarget(cell);
            --targets;
        }
    }
}

TLevel DecodeLevel(const std::uint8_t *data, std::size_t size, std::size_t &used)
{
    TLevel level;
    level.Width = SideOf(data[0]);
    level.Height = SideOf(data[1]);
    SizeTablo(level.Tablo, level.Width, level.Height, ' ');
    used = 2;
    for (std::int32_t y = 0; y < level.Height; ++y) {
        for (std::int32_t x = 0; x < level.Width && used < size; ++x)
            level.Tablo[x][y] = static_cast<char>(data[used++]);
    }
    KeepUnsolvable(level);
    return level;
}

void UseOnlyLevel(const TLevel &level)
{
    Levels.assign(1, level);
    LevelCount = 1;
    CurrentLevel = 1;
    RefreshWindows();
}

// Between inputs the window holds a one-cell keeper. A grid without a keeper leaves
// the player where the last one stood, so no earlier input decides where the moves
// start; and every input frees as many blocks as it allocates, since libFuzzer runs
// an input that ends holding more a second time, as a possible leak.
void UseParkingLevel()
{
    TLevel parking;
    parking.Width = parking.Height = 1;
    SizeTablo(parking.Tablo, 1, 1, '@');
    UseOnlyLevel(parking);
}

void Send(const TPress &press, std::uint8_t byte)
{
    if (press.Key != 0) {
        QTest::keyClick(Window, Qt::Key(press.Key), press.Modifiers);
        return;
    }
    const char *name = ButtonNames[(byte / Presses.size()) % ButtonNames.size()];
    auto *button = Window->findChild<QToolButton *>(QString::fromLatin1(name));
    Require(button != nullptr, "the play window has its five buttons");
    // The button's own signal, not a mouse click: a click repaints the whole window
    // twice on the spot; the window paints once per input.
    button->click();
}

// Pixel by pixel in a plain loop: a memcmp per tile row would go through the
// fuzzer's comparison hook, and checked loads of pixels that Qt owns would cost
// more than the press they check.
[[clang::no_sanitize("address", "undefined")]] void
CheckCellPicture(const QImage &picture, std::int32_t x, std::int32_t y, char cell)
{
    const QImage &tile = TileImage(TileOf(cell));
    bool same = true;
    for (int row = 0; row < TileSize; ++row) {
        const auto *drawn =
            reinterpret_cast<const QRgb *>(picture.constScanLine(y * TileSize + row)) +
            std::size_t(x) * TileSize;
        const auto *wanted = reinterpret_cast<const QRgb *>(tile.constScanLine(row));
        for (int column = 0; column < TileSize; ++column)
            same &= drawn[column] == wanted[column];
    }
    Require(same, "every cell shows its tile");
}

const QImage &CheckPictureSize(std::int32_t width, std::int32_t height)
{
    const QImage &picture = Window->ImageBramlek()->Picture();
    Require(picture.size() == QSize(width * TileSize, height * TileSize),
            "the picture is the grid's size in tiles");
    Require(picture.format() == QImage::Format_RGB32, "the picture keeps its format");
    return picture;
}

void CheckPicture(const TTablo &tablo, std::int32_t width, std::int32_t height)
{
    const QImage &picture = CheckPictureSize(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x)
            CheckCellPicture(picture, x, y, tablo[x][y]);
    }
}

// Cells that may differ after a move: the keeper's and the next two in its direction.
bool InPress(std::int32_t x, std::int32_t y, QPoint keeper, const TPress &press)
{
    for (int step = 0; step < 3; ++step) {
        if (x == keeper.x() + step * press.Dx && y == keeper.y() + step * press.Dy)
            return true;
    }
    return false;
}

// What every press leaves alone, counted once per input.
struct TCounts {
    int Boxes = 0;
    int Keepers = 0;
};

TCounts CountsOf(const TTablo &tablo)
{
    return {CountCells(tablo, IsBoxCell), CountCells(tablo, IsKeeperCell)};
}

void CheckPress(const TLevel &level, const TCounts &counts, const TTablo &before, QPoint keeper,
                const TPress &press)
{
    const TTablo &after = Window->Tablo();
    Require(Window->BoardWidth() == level.Width && Window->BoardHeight() == level.Height,
            "the grid keeps its size");
    Require(after.size() == static_cast<std::size_t>(level.Width), "the grid keeps its columns");
    for (const auto &column : after)
        Require(column.size() == static_cast<std::size_t>(level.Height),
                "columns keep their cells");

    // One pass over the grid for the counts, the targets and the cells a move wrote.
    TCounts now;
    for (std::int32_t x = 0; x < level.Width; ++x) {
        for (std::int32_t y = 0; y < level.Height; ++y) {
            const char cell = after[x][y];
            now.Boxes += IsBoxCell(cell) ? 1 : 0;
            now.Keepers += IsKeeperCell(cell) ? 1 : 0;
            Require(IsTargetCell(cell) == IsTargetCell(level.Tablo[x][y]), "targets stay put");
            if (press.Effect == TEffect::Move && cell != before[x][y])
                Require(InPress(x, y, keeper, press), "a move writes only its own cells");
        }
    }
    Require(now.Boxes == counts.Boxes, "boxes are never lost");
    Require(now.Keepers == counts.Keepers, "keepers are never lost nor added");
    if (press.Effect == TEffect::Reload)
        Require(SameCells(after, level.Tablo), "navigation on the only level starts it again");
    if (press.Effect == TEffect::Nothing)
        Require(SameCells(after, before), "a key without a use changes nothing");
    if (counts.Keepers == 1) {
        const std::int32_t x = Window->PlayerX();
        const std::int32_t y = Window->PlayerY();
        Require(x >= 0 && x < level.Width && y >= 0 && y < level.Height &&
                    IsKeeperCell(after[x][y]),
                "a lone keeper is where the window puts the player");
    }
    Require(Levels.size() == 1 && SameCells(Levels[0].Tablo, level.Tablo),
            "play never writes into the collection");

    // A move draws its own cells, checked here; a reload draws them all, and what it
    // drew stays until a move redraws some, so the whole picture is checked when the
    // input ends.
    if (press.Effect == TEffect::Move) {
        const QImage &picture = CheckPictureSize(level.Width, level.Height);
        for (int step = 0; step < 3; ++step) {
            const std::int32_t x = keeper.x() + step * press.Dx;
            const std::int32_t y = keeper.y() + step * press.Dy;
            if (x >= 0 && x < level.Width && y >= 0 && y < level.Height)
                CheckCellPicture(picture, x, y, after[x][y]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    StartOffscreenApplication();
    Window = new TFRMPlay2D;
    FRMPlay2D = Window;
    // Just wider than the button bar and the largest board: the end of every input
    // repaints the control, and a larger window would paint mostly background.
    Window->resize(WindowSize);
    Window->show();
    Require(QTest::qWaitForWindowExposed(Window), "the play window is shown");
    UseParkingLevel();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    std::size_t used = 0;
    const TLevel level = DecodeLevel(data, size, used);

    UseOnlyLevel(level);
    CheckPicture(level.Tablo, level.Width, level.Height);

    // A copy, not a reference: the press rewrites the window's grid. Assigned into
    // the grid of the last press, it allocates nothing while the size stays.
    TTablo before;
    const TCounts counts = CountsOf(level.Tablo);
    for (std::size_t i = used; i < size; ++i) {
        const TPress &press = Presses[data[i] % Presses.size()];
        before = Window->Tablo();
        const QPoint keeper(Window->PlayerX(), Window->PlayerY());
        Send(press, data[i]);
        CheckPress(level, counts, before, keeper, press);
    }
    CheckPicture(Window->Tablo(), level.Width, level.Height);
    // Lets the window paint what the presses changed, as the event loop would.
    QCoreApplication::processEvents();
    UseParkingLevel();
    return 0;
}
