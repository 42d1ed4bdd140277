// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QImage>

// The pictures of the board, shared by the play window and the editor.
// Every tile is 15 x 15, opaque, in QImage::Format_RGB32.
enum class TTilePicture { Wall, Empty, Target, Box1, Box2, Bramlek1, Bramlek2 };

inline constexpr int TileSize = 15;

// The tile that shows a cell character: anything not named draws as floor.
TTilePicture TileOf(char cell);
const QImage &TileImage(TTilePicture tile);

// A tile inside a one-pixel white frame, 17 x 17: the editor's palette glyph.
QImage PaletteGlyph(TTilePicture tile);

// The play window's navigation glyphs, 17 x 17, black on white.
enum class TPlayGlyph { First, Previous, Random, Next, Last };
QImage PlayGlyph(TPlayGlyph glyph);

// The editor's apply and cancel glyphs, 18 x 18 on olive.
QImage TickGlyph();
QImage CrossGlyph();

// Window icons, transparent outside their picture.
QImage PlayIconImage();
QImage EditorIconImage();
QImage InfosIconImage();
QImage ApplicationIconImage();

// An icon that stays pixel art at every size and device pixel ratio: each
// pixmap it hands out is the picture scaled nearest-neighbour, never smoothed.
QIcon PixelArtIcon(const QImage &picture);

// A button face: the glyph with every pixel of its bottom-left colour made
// transparent, as a pixel-art icon.
QIcon GlyphIcon(const QImage &glyph);
