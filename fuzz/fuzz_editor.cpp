// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The level editor under any mouse: presses, moves, double clicks and releases of
// any button, on the picture, on its lattice and frame, and far outside it, with
// any tool and any level size. After every event the editor's grid keeps its size
// and holds exactly what the events painted, the tool is what they picked, the
// status line reads the event's position, its cell when it is on the picture and
// the buttons held, a painted cell shows its tile, and the collection is untouched.
//
// Input: byte 0 is the width and byte 1 the height, each its value modulo 20 plus 1;
// byte 2 modulo 16 is a count n of cell bytes that follow, repeated row by row over
// the grid (n = 0: every cell is '-'). Then every 5 bytes are one event: a kind, then
// x and y as little-endian signed 16-bit numbers, in pixels of the picture (0, 0 is
// its top-left pixel, so 0..16 * width is on it and the rest off it, by up to 32 K).
// The kind modulo 5 is a press, a move, a release, a double click or a click on a
// palette button; the kind divided by 5 picks the mouse button from Buttons below, or
// the palette button from Palette. The tool is '#' when an input starts. Runs pass
// -max_len=64: a dozen events reach every case of the mapping.
#include "fediteur.h"
#include "fuzzwindow.h"
#include "global.h"
#include "imageview.h"
#include "tileset.h"
#include "ulevels.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace
{

constexpr int Pitch = 16;
// The window is kept small (WindowSize), so that boards of up to MaxSide cells a side
// are cropped on both axes, by odd and even margins, without the cost of redrawing
// large boards at every input.
constexpr int MaxSide = 20;
const QSize WindowSize(260, 160);

enum class TAction { Press, Move, Release, DoubleClick, Palette };

const std::array<Qt::MouseButton, 5> Buttons{
    Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton,
};

struct TPaletteEntry {
    const char *Name;
    char Tool;
};

const std::array<TPaletteEntry, 7> Palette{{
    {"BTNWall", '#'},
    {"BTNTarget", '.'},
    {"BTNBox1", '$'},
    {"BTNBox2", '*'},
    {"BTNBramlek1", '@'},
    {"BTNBramlek2", '+'},
    {"BTNEmpty", '-'},
}};

TFRMEditeur *Editor = nullptr;
std::array<QToolButton *, 7> PaletteButtons{};

// What the events should have made of the editor, kept apart from it.
struct TModel {
    TTablo Tablo;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    char Tool = '#';
    Qt::MouseButtons Held;
};

std::int16_t Signed16(const std::uint8_t *bytes)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
}

TLevel DecodeLevel(const std::uint8_t *data, std::size_t size, std::size_t &used)
{
    TLevel level;
    level.Width = data[0] % MaxSide + 1;
    level.Height = data[1] % MaxSide + 1;
    const std::size_t count = std::min<std::size_t>(data[2] % 16, size - 3);
    used = 3 + count;
    SizeTablo(level.Tablo, level.Width, level.Height, '-');
    if (count == 0)
        return level;
    std::size_t next = 0;
    for (std::int32_t y = 0; y < level.Height; ++y) {
        for (std::int32_t x = 0; x < level.Width; ++x) {
            level.Tablo[x][y] = static_cast<char>(data[3 + next]);
            next = (next + 1) % count;
        }
    }
    return level;
}

// The button's own signal, not a mouse click: a click repaints the whole window
// twice on the spot; the window paints once per input.
void ClickPalette(std::size_t index)
{
    PaletteButtons[index]->click();
}

// Where the centred picture's top-left pixel stands in the control; C++ division
// truncates toward zero, which is the rounding the editor promises.
QPoint PictureOffset(const TModel &model)
{
    const TImageView *view = Editor->ImageEditor();
    return {(view->width() - (Pitch * model.Width + 1)) / 2,
            (view->height() - (Pitch * model.Height + 1)) / 2};
}

// Pixel by pixel in a plain loop: a memcmp per tile row would go through the
// fuzzer's comparison hook, and checked loads of pixels that Qt owns would cost
// more than the event they check.
[[clang::no_sanitize("address", "undefined")]] void CheckCellPicture(std::int32_t x, std::int32_t y,
                                                                     char cell)
{
    const QImage &picture = Editor->ImageEditor()->Picture();
    const QImage &tile = TileImage(TileOf(cell));
    bool same = true;
    for (int row = 0; row < TileSize; ++row) {
        const auto *drawn =
            reinterpret_cast<const QRgb *>(picture.constScanLine(Pitch * y + 1 + row)) +
            static_cast<std::ptrdiff_t>(Pitch) * x + 1;
        const auto *wanted = reinterpret_cast<const QRgb *>(tile.constScanLine(row));
        for (int column = 0; column < TileSize; ++column)
            same &= drawn[column] == wanted[column];
    }
    Require(same, "a cell shows its tile");
}

// The status line an event should leave, written into a buffer: QString::arg would
// allocate a dozen times per event, and the sanitizer records every allocation with
// its stack.
class TStatusText
{
public:
    void Append(std::string_view part)
    {
        myLength = static_cast<std::size_t>(
            std::copy(part.begin(), part.end(), myText.begin() + myLength) - myText.begin());
    }
    void Append(int number)
    {
        char *const end = myText.data() + myText.size();
        myLength = static_cast<std::size_t>(
            std::to_chars(myText.data() + myLength, end, number).ptr - myText.data());
    }
    QLatin1String View() const
    {
        return QLatin1String(myText.data(), static_cast<qsizetype>(myLength));
    }

private:
    // "X1=-32768, Y1=-32768, X2=20, Y2=20, Copier, Coller" and more fit.
    std::array<char, 96> myText{};
    std::size_t myLength = 0;
};

void CheckEditor(const TModel &model, const TLevel &level, const TStatusText &status)
{
    Require(Editor->BoardWidth() == model.Width && Editor->BoardHeight() == model.Height,
            "the grid keeps its size");
    const TTablo &tablo = Editor->Tablo();
    Require(tablo.size() == static_cast<std::size_t>(model.Width), "the grid keeps its columns");
    for (const auto &column : tablo)
        Require(column.size() == static_cast<std::size_t>(model.Height),
                "columns keep their cells");
    Require(SameCells(tablo, model.Tablo), "only the cells under a held left button are painted");
    Require(Editor->Tool() == model.Tool, "the tool is the last one chosen or picked");
    Require(Editor->InfosText() == status.View(), "the status line reads the event");
    const QImage &picture = Editor->ImageEditor()->Picture();
    Require(picture.size() == QSize(Pitch * model.Width + 1, Pitch * model.Height + 1),
            "the picture keeps its size");
    Require(LevelCount == 1 && CurrentLevel == 1 && Levels.size() == 1 &&
                Levels[0].Width == level.Width && Levels[0].Height == level.Height &&
                SameCells(Levels[0].Tablo, level.Tablo),
            "the editor never writes into the collection");
}

// One mouse event on the picture control, with the button state the toolkit would
// report: a press or double click includes its button, a release leaves it out.
void SendMouse(TModel &model, const TLevel &level, TAction action, Qt::MouseButton button, int bx,
               int by)
{
    QEvent::Type type = QEvent::MouseMove;
    switch (action) {
    case TAction::Press:
        type = QEvent::MouseButtonPress;
        model.Held |= button;
        break;
    case TAction::DoubleClick:
        type = QEvent::MouseButtonDblClick;
        model.Held |= button;
        break;
    case TAction::Release:
        type = QEvent::MouseButtonRelease;
        model.Held &= ~Qt::MouseButtons(button);
        break;
    case TAction::Move:
    case TAction::Palette:
        button = Qt::NoButton;
        break;
    }
    TImageView *view = Editor->ImageEditor();
    const QPoint at = QPoint(bx, by) + PictureOffset(model);
    QMouseEvent event(type, at, view->mapToGlobal(at), button, model.Held, Qt::NoModifier);
    QApplication::sendEvent(view, &event);

    const bool inside =
        bx >= 0 && bx < Pitch * model.Width + 1 && by >= 0 && by < Pitch * model.Height + 1;
    // The lattice line left of or above a cell belongs to it; the far frame to the last.
    const int x = std::min(bx / Pitch, model.Width - 1);
    const int y = std::min(by / Pitch, model.Height - 1);
    TStatusText status;
    status.Append("X1=");
    status.Append(at.x());
    status.Append(", Y1=");
    status.Append(at.y());
    if (inside) {
        status.Append(", X2=");
        status.Append(x + 1);
        status.Append(", Y2=");
        status.Append(y + 1);
    }
    if (model.Held & Qt::RightButton) {
        status.Append(", Copier");
        if (inside)
            model.Tool = model.Tablo[x][y];
    }
    if (model.Held & Qt::LeftButton) {
        status.Append(", Coller");
        if (inside)
            model.Tablo[x][y] = model.Tool;
    }
    CheckEditor(model, level, status);
    if (inside)
        CheckCellPicture(x, y, model.Tablo[x][y]);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    StartOffscreenApplication();
    Editor = new TFRMEditeur;
    FRMEditeur = Editor;
    Editor->resize(WindowSize);
    Editor->show();
    Require(QTest::qWaitForWindowExposed(Editor), "the editor is shown");
    for (std::size_t i = 0; i < Palette.size(); ++i) {
        PaletteButtons[i] = Editor->findChild<QToolButton *>(QString::fromLatin1(Palette[i].Name));
        Require(PaletteButtons[i] != nullptr, "the editor has its seven palette buttons");
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    std::size_t used = 0;
    const TLevel level = DecodeLevel(data, size, used);

    Levels.assign(1, level);
    LevelCount = 1;
    CurrentLevel = 1;
    RefreshWindows();
    ClickPalette(0);

    TModel model;
    model.Tablo = level.Tablo;
    model.Width = level.Width;
    model.Height = level.Height;
    for (std::int32_t y = 0; y < level.Height; ++y) {
        for (std::int32_t x = 0; x < level.Width; ++x)
            CheckCellPicture(x, y, level.Tablo[x][y]);
    }

    for (std::size_t i = used; i + 5 <= size; i += 5) {
        const auto action = static_cast<TAction>(data[i] % 5);
        const std::size_t choice = data[i] / 5;
        if (action == TAction::Palette) {
            const TPaletteEntry &entry = Palette[choice % Palette.size()];
            ClickPalette(choice % Palette.size());
            model.Tool = entry.Tool;
            Require(Editor->Tool() == entry.Tool, "a palette button sets its tool");
            continue;
        }
        SendMouse(model, level, action, Buttons[choice % Buttons.size()], Signed16(data + i + 1),
                  Signed16(data + i + 3));
    }
    // Lets the window paint and lay out what the events changed, as the event loop would.
    QCoreApplication::processEvents();
    return 0;
}
